#pragma once

#include <memory>
#include <vector>

#include "platform/cdlg/PreviewPageArea.h"
#include "platform/ctl/CButton.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CPrintPreviewState.h"
#include "platform/win/CWnd.h"
#include "platform/win/ViewDependent.h"

class CFrameWnd;
class CView;

constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NUMPAGE = 0xE301;
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE303;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE304;
constexpr UINT AFX_ID_PREVIEW_ZOOMIN = 0xE305;
constexpr UINT AFX_ID_PREVIEW_ZOOMOUT = 0xE306;

// Print preview: a window over the main frame's pane showing a view's pages as they will print,
// with the buttons Print, Next Page, Prev Page, Two Page, Zoom In, Zoom Out and Close. While it
// is open the frames are in preview mode (OnSetPreviewMode) and their bars and panes are away.
// When the view goes (its layout closes under the preview) the preview ends first, as Close
// ends it.
class CPreviewView : public CWnd, private ViewDependent {
  public:
    // Starts the preview of view's pages; answers null when the view declines to print.
    static CPreviewView* Start(CView* view);
    ~CPreviewView() override;

    // Ends the preview and destroys the window (so never from inside one of its buttons' clicks:
    // those post WM_CLOSE instead).
    void Close();
    UINT CurrentPage() const { return m_area.FirstPage(); }
    int PageCount() const { return m_area.PageCount(); }
    int Zoom() const { return m_area.Zoom(); }
    PreviewPageArea& Pages() { return m_area; }
    CView* PrintView() const { return m_view; }
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnClose() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnViewClosing(CView& view) override;

  private:
    CPreviewView(CView& view);
    bool Create(CFrameWnd& frame);
    void CreateButtons();
    void ShowPages(UINT first, int count, int zoom);
    void UpdateButtons();
    CString PageText() const;

    CView* m_view;
    CPrintInfo m_info;
    CDC m_printerDC;
    CFont m_font;
    std::vector<CFrameWnd*> m_frames;
    std::vector<std::unique_ptr<CPrintPreviewState>> m_states;
    PreviewPageArea m_area;
    std::vector<std::unique_ptr<CButton>> m_buttons;
    bool m_closing = false;
    bool m_viewGoing = false;
};
