#pragma once

#include <memory>

#include "platform/win/Accelerators.h"
#include "platform/win/CWnd.h"

class CControlBar;
class CDocument;
class CView;
struct CCreateContext;
struct CPrintPreviewState;

// A frame: a window with a caption, a menu, control bars along its edges and a view (or the
// MDI client) filling the rest. Commands go to the active view (and its document), then to the
// frame, then to the application.
class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
    DECLARE_MESSAGE_MAP()
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the title, menu and accelerators registered under resourceId.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL IsFrameWindow() const override { return TRUE; }

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: an MDI frame answers its active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int command = -1);
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // Lays the visible control bars along the edges and the pane into the rest.
    virtual void RecalcLayout(BOOL notify = TRUE);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    // The area left for the view or MDI client, in client coordinates.
    CRect PaneRect() const;

    // Print preview starts (the control bars, the pane and the menu are put away into state) or
    // ends (they come back from state).
    virtual void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state);

    // The prompt of a command (its string up to the line break) into the status bar.
    void SetMessageText(LPCTSTR text);
    void SetMessageText(UINT id);
    virtual void GetMessageString(UINT id, CString& text) const;
    // The idle text, shown when a menu closes or the mouse leaves a bar's buttons; a frame whose
    // status bar speaks of its window shows that instead.
    virtual void ShowIdleMessage();
    CWnd* GetMessageBar() const;
    // Update-UI of every control bar (run on idle).
    void UpdateControlBars();

    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;

protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void OnSetFocus(CWnd* oldWindow) override;
    void RestoreFocus() override;
    void OnDropFiles(HDROP drop) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    // Makes the view the context asks for as this frame's pane.
    virtual BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context);
    CWnd* CreateView(CCreateContext* context, UINT id);
    virtual bool IsMDIChild() const { return false; }
    // The window laid into the pane area (the view or the MDI client).
    virtual CWnd* PaneWindow() const;

    CView* m_pViewActive = nullptr;
    std::unique_ptr<CMenu> m_ownedMenu;
    bool m_autoDelete = true;
};
