#pragma once

#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"
#include "platform/gdi/RectRegion.h"
#include "platform/win/CCmdTarget.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowManager.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class PixelSurface;
struct CREATESTRUCT;

struct PAINTSTRUCT {
    CDC* hdc;
    BOOL fErase;
    RECT rcPaint;
};

// A window: a place in the window tree with a rectangle, styles, text, a visible and enabled
// state, and virtual handlers for the messages it receives. Top-level windows own the backing
// surface their whole tree draws into.
class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
    DECLARE_MESSAGE_MAP()
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static CWnd* FromHandle(HWND window) { return window; }

    // --- Creation -------------------------------------------------------------------------
    // className: a name from AfxRegisterWndClass or null for the default class. rect is in the
    // parent's client coordinates (screen coordinates for top-level windows).
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, void* createParams = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* createParams = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    // Called after the last message; windows the framework deletes itself delete themselves here.
    virtual void PostNcDestroy();

    // --- Tree -----------------------------------------------------------------------------
    CWnd* GetParent() const { return m_parent; }
    CWnd* GetOwner() const { return m_owner ? m_owner : m_parent; }
    void SetOwner(CWnd* owner) { m_owner = owner; }
    CWnd* GetTopLevelParent() const;
    CWnd* GetParentFrame() const;
    virtual BOOL IsFrameWindow() const { return FALSE; }
    // Whether the caption is drawn in the active colour: the window is the active one, and the
    // keyboard is in the program (the last WM_NCACTIVATE said so).
    virtual bool IsCaptionActive() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    void SetDlgCtrlID(int id) { m_id = static_cast<UINT>(id); }
    // Children bottom first.
    const std::vector<CWnd*>& Children() const { return m_children; }
    BOOL IsChild(const CWnd* window) const;
    bool IsTopLevel() const { return m_parent == nullptr || (m_style & WS_CHILD) == 0; }
    CWnd* ChildWindowFromPoint(POINT clientPoint) const;

    // --- Rectangles -----------------------------------------------------------------------
    void GetWindowRect(RECT* rect) const;
    void GetClientRect(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    void MapWindowPoints(CWnd* to, POINT* points, int count) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    // Borders, caption and menu bar around the client area.
    virtual CRect NonClientInsets() const;

    // --- State ----------------------------------------------------------------------------
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const { return (m_style & WS_DISABLED) == 0; }
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const { text = m_text; }
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    int GetWindowTextLength() const { return m_text.GetLength(); }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL IsZoomed() const { return (m_style & WS_MAXIMIZE) != 0; }
    BOOL IsIconic() const { return (m_style & WS_MINIMIZE) != 0; }
    void DragAcceptFiles(BOOL accept = TRUE) { ModifyStyleEx(accept ? 0 : WS_EX_ACCEPTFILES, accept ? WS_EX_ACCEPTFILES : 0); }
    WindowClass& GetWindowClass() const { return *m_class; }
    // The font the window draws its text in (WM_SETFONT); null for the system's.
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // --- Painting -------------------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void InvalidateRgn(const RectRegion& region, BOOL erase = TRUE);
    void ValidateRect(const RECT* rect);
    void UpdateWindow();
    // FALSE freezes the window's drawing (and its children's): what goes invalid waits. TRUE
    // thaws it and repaints it once, whole (WM_SETREDRAW).
    void SetRedraw(BOOL redraw = TRUE);
    // Whether this window or an ancestor has its drawing frozen.
    bool IsRedrawFrozen() const;
    BOOL GetUpdateRect(RECT* rect, BOOL erase = FALSE) const;
    const RectRegion& UpdateRegion() const { return m_update; }
    CDC* BeginPaint(PAINTSTRUCT* paint);
    // Controls drawn by their owner override these; the owner's OnDrawItem/OnMeasureItem call them.
    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);
    void EndPaint(PAINTSTRUCT* paint);
    // DCs: GetDC answers a client DC kept until ReleaseDC. The Attach functions set up a DC the
    // caller owns (client area limited to limit when given, or the whole window).
    CDC* GetDC();
    void AttachClientDC(CDC& dc, const RectRegion* limit) const;
    void AttachWindowDC(CDC& dc) const;
    void BeginPaintInto(CDC& dc, PAINTSTRUCT* paint);
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    // The top-level window's pixels; null for child windows and windows not yet created.
    const std::shared_ptr<PixelSurface>& Surface() const { return m_surface; }
    // Paints this window and its children where they need it (children in z-order, above);
    // answers whether anything was painted.
    bool PaintTree();
    // The part of the client area not hidden by ancestors, siblings above or children, in
    // client coordinates.
    RectRegion VisibleClientRegion() const;
    void ScrollWindow(int dx, int dy, const RECT* scrollRect = nullptr, const RECT* clipRect = nullptr);

    // --- Scroll bars (SB_HORZ, SB_VERT) -----------------------------------------------------
    // A bar shows while its range holds more than a page; showing or hiding it resizes the client.
    int SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minimum, int maximum, BOOL redraw = TRUE);
    void GetScrollRange(int bar, int* minimum, int* maximum) const;
    int GetScrollLimit(int bar) const;
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    // The rectangle of a shown bar in window coordinates, empty otherwise.
    CRect ScrollBarRect(int bar) const;

    // --- Input ----------------------------------------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    void BringWindowToTop();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The caret: created hidden in this window's client area; ShowCaret and HideCaret nest.
    void CreateSolidCaret(int width, int height);
    void ShowCaret();
    void HideCaret();
    static void SetCaretPos(POINT point);
    static CPoint GetCaretPos();

    // --- Messages -------------------------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling a handler gets when it asks for the default: the message being handled.
    LRESULT Default();
    const MSG* GetCurrentMessage() const;

    // --- Modal loops ----------------------------------------------------------------------
    int RunModalLoop();
    void EndModalLoop(int result);
    bool InModalLoop() const { return m_modal; }
    int ModalResult() const { return m_modalResult; }

    // --- Menus ----------------------------------------------------------------------------
    virtual CMenu* GetMenu() const { return m_menu; }
    // The maximised child whose system icon and caption buttons this window's menu bar shows
    // (an MDI frame's), or null.
    virtual CWnd* MenuBarChild() const { return nullptr; }
    virtual BOOL SetMenu(CMenu* menu);
    void DrawMenuBar();
    // The frame, caption, menu bar and scroll bars are drawn afresh at the next painting.
    void RedrawNonClient() { m_ncDirty = true; }
    // Opens the menu-bar popup under a screen point (or the first one for (-1, -1)) and
    // sends the chosen command.
    void TrackMenuBar(CPoint screen);
    // Opens a menu-bar popup; one opened by its access key shows its first item highlighted.
    void TrackMenuBarItem(int item, bool highlightFirst = false);
    // The menu-bar item whose access key ("&File": F) is key, or -1.
    int MenuBarItemForKey(UINT key) const;

    BOOL MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

protected:
    // --- Handlers, named as the framework names them --------------------------------------
    virtual int OnCreate(CREATESTRUCT* cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnPaint();
    virtual void OnNcPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnMouseLeave();
    virtual BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnContextMenu(CWnd* window, CPoint point);
    virtual void OnSetFocus(CWnd* oldWindow);
    virtual void OnKillFocus(CWnd* newWindow);
    virtual void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* item);
    virtual void OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    virtual void OnCancelMode();
    virtual void OnCaptureChanged(CWnd* window);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnClose();
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual BOOL OnNcActivate(BOOL active);
    virtual void OnSysColorChange();
    // A button press is about to reach this window or one of its children.
    virtual int OnMouseActivate(UINT hitTest, UINT message);
    virtual void OnDropFiles(HDROP files);
    virtual void OnWindowPosChanging(WINDOWPOS* position);
    virtual void OnWindowPosChanged(WINDOWPOS* position);
    virtual void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    // Which keys this window keeps for itself inside a dialog (DLGC_ flags); none by default.
    virtual UINT OnGetDlgCode();
    // Made active again, gives the keys back to the window in it that had them when it went
    // inactive, else takes them itself.
    virtual void RestoreFocus();

    // Decodes a message into its handler; answers whether a handler took it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    CMenu* m_menu = nullptr;

private:
    // Ends the mouse capture of a window outside this one before its modal loop runs.
    void CancelCaptureOutside();
    friend class WindowManager;

    void Attach(CWnd* parent);
    void Detach();
    // What lay under this window at place (in the parent's client) is to be painted again.
    void ExposePlace(const CRect& place);
    void SendToBottom();
    // A child moves right after its sibling: next in the tab order, painted over it.
    void PlaceAfter(const CWnd* sibling);
    void SetWindowRect(const CRect& rect);
    void ResizeSurface();
    CPoint SurfaceOrigin() const;
    CRect ClientRectInSurface() const;
    RectRegion VisibleClientRegionInSurface() const;
    // The part of region that the ancestors' client areas and the windows above show.
    RectRegion ClippedByAncestorsAndWindowsAbove(RectRegion region) const;
    CRect WindowRectInSurface() const;
    void DispatchPaint();
    // Moves the pixels of a client area by (dx, dy), staying inside it.
    void MovePixels(const CRect& area, int dx, int dy);
    // Styles that change the client area: repaint the frame and tell the window its new size.
    void NonClientChanged(const CRect& oldClient);
    void Minimise();
    // SIZE_MINIMIZED, SIZE_MAXIMIZED or SIZE_RESTORED for WM_SIZE.
    UINT SizeType() const;
    // Where a minimised child lies: the first free place along the foot of its parent.
    CRect IconicPlace() const;
    int ClampScrollPos(int bar, int position) const;
    // The hit-test code of a screen point (HTCLIENT, HTCAPTION, HTLEFT ...).
    UINT HitTestAt(CPoint screen) const;
    // Everything of this window and its children is to be painted afresh.
    void InvalidateTree();
    // Whether a visible sibling later in the order overlaps this child window.
    bool IsCoveredBySiblingAbove() const;
    void PressScrollBar(int bar, CPoint screen);
    void DestroyChildren();

    CWnd* m_parent = nullptr;
    CWnd* m_owner = nullptr;
    std::vector<CWnd*> m_children;
    CRect m_rect;  // window rectangle in the parent's client coordinates (screen for top-level)
    CRect m_restoreRect;  // where a maximised window goes back to
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    UINT m_id = 0;
    CString m_text;
    WindowClass* m_class = nullptr;
    RectRegion m_update;
    bool m_erase = false;
    bool m_ncDirty = false;
    bool m_captionActive = false;
    std::shared_ptr<PixelSurface> m_surface;
    std::vector<std::unique_ptr<CDC>> m_dcs;
    bool m_modal = false;
    int m_modalResult = 0;
    bool m_destroying = false;
    SCROLLINFO m_scrollInfo[2]{};
    bool m_redrawFrozen = false;
    CFont* m_font = nullptr;
};

// Which window a DC from GetDC or BeginPaint draws on, or null for other DCs.
CWnd* WindowFromDC(const CDC* dc);
