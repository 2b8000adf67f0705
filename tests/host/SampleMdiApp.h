#pragma once

#include <string>
#include <vector>

#include "platform/win/CControlBar.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CStatusBar.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"

// A small multiple-document sketch program built on the framework, for the host's tests.
namespace sample {

constexpr UINT IDR_MAINFRAME = 9100;
constexpr UINT IDR_SKETCHTYPE = 9101;
constexpr UINT ID_EDIT_ROUTE = 9200;
constexpr UINT ID_EDIT_GRID = 9201;
constexpr UINT ID_INDICATOR_STROKES = 9300;
constexpr UINT ID_TIMER_BLINK = 7;

// Who handled the routed command, in order.
std::vector<std::string>& RouteLog();
void RegisterResources();

class SketchDoc : public CDocument {
    DECLARE_DYNCREATE(SketchDoc)
    DECLARE_MESSAGE_MAP()
public:
    std::vector<CPoint> points;
    bool grid = false;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { points.clear(); }
    BOOL OnRoute(UINT id);
    void OnGrid();
    void OnUpdateGrid(CCmdUI* cmdUI);
};

class SketchView : public CView {
    DECLARE_DYNCREATE(SketchView)
    DECLARE_MESSAGE_MAP()
public:
    SketchDoc* GetDocument() const { return static_cast<SketchDoc*>(m_pDocument); }
    void OnDraw(CDC* dc) override;
    BOOL OnRoute(UINT id);
    std::vector<DWORD> blinks;
    std::vector<UINT> printedPages;
    void OnPrintCommand() { OnFilePrint(); }
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;

protected:
    void OnInitialUpdate() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    void OnContextMenu(CWnd* window, CPoint point) override;
};

class SketchChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(SketchChild)
    DECLARE_MESSAGE_MAP()
public:
    BOOL OnRoute(UINT id);
};

// A bar of square buttons; each shows its command's enabled and checked state.
class ToolStrip : public CControlBar {
public:
    struct Button {
        UINT id;
        bool enabled = true;
        bool checked = false;
    };
    BOOL Create(CWnd* parent, const std::vector<UINT>& ids);
    const std::vector<Button>& Buttons() const { return m_buttons; }
    CRect ButtonRect(int index) const { return CRect(4 + index * 24, 2, 4 + index * 24 + 23, 24); }
    int Thickness() const override { return 26; }
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    std::vector<Button> m_buttons;
};

class MainFrame : public CMDIFrameWnd {
    DECLARE_MESSAGE_MAP()
public:
    CStatusBar statusBar;
    ToolStrip toolStrip;
    // The window each key release went to, of those in this frame.
    std::vector<CWnd*> keyReleases;
    BOOL OnRoute(UINT id);
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate(CREATESTRUCT* cs) override;
};

class SampleApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
public:
    SampleApp() : CWinApp("Sample") {}
    BOOL InitInstance() override;
    BOOL OnRoute(UINT id);
    MainFrame* Main() const { return static_cast<MainFrame*>(m_pMainWnd); }
};

}  // namespace sample
