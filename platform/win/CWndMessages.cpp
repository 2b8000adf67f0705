// How a window receives messages: decoding each into its handler, and what happens by default.
#include "platform/gdi/CDC.h"
#include "platform/gdi/CRect.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CWnd.h"
#include "platform/win/CaptionButtonTracker.h"
#include "platform/win/CommandInProgress.h"
#include "platform/win/Cursors.h"
#include "platform/win/KeyboardWindowTracker.h"
#include "platform/win/MenuText.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "platform/win/WindowMoveTracker.h"

namespace {
CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
int SizingCursor(UINT hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return 0;
    }
}
bool IsCaptionButton(UINT hit) {
    return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON;
}

UINT CaptionCommand(const CWnd& window, UINT hit) {
    if (hit == HTCLOSE)
        return SC_CLOSE;
    if (hit == HTMAXBUTTON)
        return window.IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
    return window.IsIconic() ? SC_RESTORE : SC_MINIMIZE;
}

// The system menu of window opens below its icon, at icon (in shownOn's window coordinates).
void OpenSystemMenu(CWnd& window, CWnd& shownOn, CRect icon) {
    CRect place;
    shownOn.GetWindowRect(&place);
    icon.OffsetRect(place.left, place.top);
    SystemMenu::Track(window, *shownOn.GetTopLevelParent(), icon);
}

// The system menu of window opened from the keyboard: under its caption's icon, or under the
// menu bar's icon for a maximised child.
void OpenSystemMenuByKey(CWnd& window) {
    CWnd& top = *window.GetTopLevelParent();
    if (&window != &top && top.MenuBarChild() == &window)
        OpenSystemMenu(window, top, NonClientPainter::MenuBarIconRect(top));
    else
        OpenSystemMenu(window, window, NonClientPainter::CaptionButtonRect(window, HTSYSMENU));
}

// The child window with a caption and system menu (the document window) holding window.
CWnd* CaptionedChildOf(CWnd* window) {
    for (; window && !window->IsTopLevel(); window = window->GetParent())
        if ((window->GetStyle() & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU))
            return window;
    return nullptr;
}

// A window inside one whose tracking ends holds the mouse for a tracking of its own (a drag in a
// view): that ends too, and the mouse is let go.
void CancelCaptureWithin(CWnd& window) {
    WindowManager& manager = WindowManager::Instance();
    CWnd* holder = manager.GetCapture();
    if (holder != nullptr && holder != &window && window.IsChild(holder))
        holder->SendMessage(WM_CANCELMODE);
    if (manager.GetCapture() == &window)
        manager.ReleaseCapture();
}

// The popups of a window whose tracking ends (its tool tips, shown or about to be) end theirs too.
void CancelOwnedPopups(CWnd& window) {
    if (!window.IsTopLevel())
        return;
    const std::vector<CWnd*> topLevels = WindowManager::Instance().TopLevels();
    for (CWnd* popup : topLevels)
        if (popup != &window && IsWindow(popup) && popup->GetOwner() &&
            popup->GetOwner()->GetTopLevelParent() == &window)
            popup->SendMessage(WM_CANCELMODE);
}

bool IsMinusKey(WPARAM key) {
    return key == VK_OEM_MINUS || key == VK_SUBTRACT;
}

// A press on the icon, or the minimise, restore or close button, the menu bar shows for a
// maximised child.
bool PressMenuBarButton(CWnd& frame, CPoint screen) {
    CWnd* child = frame.MenuBarChild();
    if (!child)
        return false;
    CRect window;
    frame.GetWindowRect(&window);
    const CPoint point(screen.x - window.left, screen.y - window.top);
    if (const CRect icon = NonClientPainter::MenuBarIconRect(frame); icon.PtInRect(point)) {
        OpenSystemMenu(*child, frame, icon);
        return true;
    }
    for (UINT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        const CRect button = NonClientPainter::MenuBarButtonRect(frame, hit);
        if (!button.PtInRect(point))
            continue;
        CaptionButtonTracker::Start({&frame, HTMENU, static_cast<int>(hit), button}, child,
                                    CaptionCommand(*child, hit), screen);
        return true;
    }
    return false;
}

template <typename T>
T* PointerOf(std::uintptr_t value) {
    return reinterpret_cast<T*>(value);
}
}  // namespace

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowManager::Instance().PostMessage(this, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) {
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children) {
        if (!IsWindow(child)) continue;
        child->SendMessage(message, wParam, lParam);
        if (deep && IsWindow(child)) child->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The message being handled is kept outside the window, which may delete itself meanwhile.
    WindowManager& manager = WindowManager::Instance();
    manager.PushMessage({m_hWnd, message, wParam, lParam, manager.Now(), manager.CursorPos()});
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    manager.PopMessage();
    return result;
}

const MSG* CWnd::GetCurrentMessage() const { return WindowManager::Instance().CurrentMessage(); }

LRESULT CWnd::Default() {
    const MSG* current = GetCurrentMessage();
    return m_hWnd && current ? DefWindowProc(current->message, current->wParam, current->lParam) : 0;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_CREATE: *result = OnCreate(PointerOf<CREATESTRUCT>(static_cast<std::uintptr_t>(lParam))); return TRUE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    case WM_PAINT: OnPaint(); return TRUE;
    case WM_NCPAINT: OnNcPaint(); return TRUE;
    case WM_ERASEBKGND: *result = OnEraseBkgnd(PointerOf<CDC>(wParam)); return TRUE;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_MOVE: OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_TIMER: OnTimer(wParam); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); return TRUE;
    case WM_MOUSEWHEEL:
        *result = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointOf(lParam));
        return TRUE;
    case WM_MOUSELEAVE: OnMouseLeave(); return TRUE;
    case WM_SETCURSOR:
        *result = OnSetCursor(PointerOf<CWnd>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_SYSKEYDOWN: OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_CONTEXTMENU: OnContextMenu(PointerOf<CWnd>(wParam), PointOf(lParam)); return TRUE;
    case WM_SETFOCUS: OnSetFocus(PointerOf<CWnd>(wParam)); return TRUE;
    case WM_KILLFOCUS: OnKillFocus(PointerOf<CWnd>(wParam)); return TRUE;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), PointerOf<CScrollBar>(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), PointerOf<CScrollBar>(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_COMMAND: {
        const CommandInProgress command(lParam == 0 ? LOWORD(wParam) : 0);
        *result = OnCommand(wParam, lParam);
        return *result != 0;
    }
    case WM_NOTIFY: return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), PointerOf<DRAWITEMSTRUCT>(static_cast<std::uintptr_t>(lParam)));
        *result = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        OnMeasureItem(static_cast<int>(wParam), PointerOf<MEASUREITEMSTRUCT>(static_cast<std::uintptr_t>(lParam)));
        *result = TRUE;
        return TRUE;
    case WM_CANCELMODE: OnCancelMode(); return TRUE;
    case WM_CAPTURECHANGED: OnCaptureChanged(PointerOf<CWnd>(static_cast<std::uintptr_t>(lParam))); return TRUE;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return TRUE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), PointerOf<CWnd>(static_cast<std::uintptr_t>(lParam)), HIWORD(wParam));
        return TRUE;
    case WM_NCACTIVATE:
        *result = OnNcActivate(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return TRUE;
    case WM_DROPFILES: OnDropFiles(PointerOf<DropFiles>(wParam)); return TRUE;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(PointerOf<WINDOWPOS>(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(PointerOf<WINDOWPOS>(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_MOUSEACTIVATE: *result = OnMouseActivate(LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_INITMENUPOPUP: OnInitMenuPopup(PointerOf<CMenu>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_GETDLGCODE: *result = OnGetDlgCode(); return TRUE;
    default: break;
    }
    if (const CommandEntry* entry = FindMessageEntry(message)) {
        *result = entry->call(this, 0, wParam, lParam, nullptr);
        return TRUE;
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(&paint);
        EndPaint(&paint);
        return 0;
    }
    case WM_NCPAINT: {
        CWindowDC dc(this);
        NonClientPainter::Paint(*this, dc);
        return 0;
    }
    case WM_ERASEBKGND: {
        CBrush* background = m_class ? m_class->background : nullptr;
        if (!background) return FALSE;
        CRect client;
        GetClientRect(&client);
        PointerOf<CDC>(wParam)->FillRect(&client, background);
        return TRUE;
    }
    case WM_SETCURSOR: {
        if (!IsTopLevel() && m_parent->SendMessage(WM_SETCURSOR, wParam, lParam)) return TRUE;
        // A parent asked about its child's cursor leaves it to the child's class.
        if (PointerOf<CWnd>(wParam) != this) return FALSE;
        const UINT hit = LOWORD(lParam);
        if (hit == HTCLIENT && m_class && m_class->cursor) {
            ::SetCursor(m_class->cursor);
            return TRUE;
        }
        if (const int sizing = SizingCursor(hit)) {
            ::SetCursor(LoadStandardCursor(sizing));
            return TRUE;
        }
        return FALSE;
    }
    case WM_NCHITTEST: return HitTestAt(PointOf(lParam));
    case WM_SETREDRAW: {
        const bool frozen = wParam == FALSE;
        if (frozen == m_redrawFrozen) return 0;
        m_redrawFrozen = frozen;
        if (!frozen) InvalidateTree();
        return 0;
    }
    case WM_SETFONT:
        m_font = PointerOf<CFont>(wParam);
        if (lParam) Invalidate();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    case WM_NCLBUTTONDBLCLK:
        if (wParam != HTCAPTION)
            return 0;
        if (IsIconic()) {
            SendMessage(WM_SYSCOMMAND, SC_RESTORE, lParam);
        } else if (m_style & WS_MAXIMIZEBOX) {
            SendMessage(WM_SYSCOMMAND, IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, lParam);
        }
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
            case SC_CLOSE:
                PostMessage(WM_CLOSE);
                return 0;
            case SC_MAXIMIZE:
                ShowWindow(SW_SHOWMAXIMIZED);
                return 0;
            case SC_MINIMIZE:
                ShowWindow(SW_MINIMIZE);
                return 0;
            case SC_RESTORE:
                ShowWindow(SW_RESTORE);
                return 0;
            case SC_MOVE:
            case SC_SIZE:
                KeyboardWindowTracker::Start(this, (wParam & 0xFFF0) == SC_SIZE);
                return 0;
            default:
                return 0;
        }
    case WM_RBUTTONUP: {
        CPoint screen = PointOf(lParam);
        ClientToScreen(&screen);
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(this), MAKELPARAM(screen.x, screen.y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSEACTIVATE:
        return IsTopLevel() ? 0 : m_parent->SendMessage(message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            CWnd* focus = WindowManager::Instance().GetFocus();
            if (focus != this && !IsChild(focus))
                RestoreFocus();
        }
        return 0;
    case WM_NCACTIVATE:
        m_captionActive = wParam != FALSE;
        SendMessage(WM_NCPAINT);
        return TRUE;
    case WM_CANCELMODE:
        CancelCaptureWithin(*this);
        CMenuPopupWnd::CancelMenus(this);
        CancelOwnedPopups(*this);
        return 0;
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        m_ncDirty = true;
        if (IsTopLevel()) WindowManager::Instance().TopLevelChanged(this);
        return TRUE;
    case WM_GETTEXT: return GetWindowText(reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_NCLBUTTONDOWN:
        if (wParam == HTMENU && !PressMenuBarButton(*this, PointOf(lParam)))
            TrackMenuBar(PointOf(lParam));
        if (wParam == HTVSCROLL || wParam == HTHSCROLL) PressScrollBar(wParam == HTVSCROLL ? SB_VERT : SB_HORZ, PointOf(lParam));
        if (wParam == HTSYSMENU)
            OpenSystemMenu(*this, *this, NonClientPainter::CaptionButtonRect(*this, HTSYSMENU));
        if (IsCaptionButton(static_cast<UINT>(wParam))) {
            const UINT hit = static_cast<UINT>(wParam);
            CaptionButtonTracker::Start({this, hit, 0, NonClientPainter::CaptionButtonRect(*this, hit)}, this,
                                        CaptionCommand(*this, hit), PointOf(lParam));
        }
        if (WindowMoveTracker::Tracks(static_cast<UINT>(wParam)))
            WindowMoveTracker::Start(this, static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10) TrackMenuBarItem(0);
        // Alt+Space opens the window's system menu, Alt+- the document window's.
        if (wParam == VK_SPACE && !CMenuPopupWnd::Current())
            OpenSystemMenuByKey(*GetTopLevelParent());
        if (CWnd* child = CaptionedChildOf(this); IsMinusKey(wParam) && child && !CMenuPopupWnd::Current())
            OpenSystemMenuByKey(*child);
        if ((wParam >= 'A' && wParam <= 'Z') || (wParam >= '0' && wParam <= '9'))
            TrackMenuBarItem(MenuBarItemForKey(static_cast<UINT>(wParam)), true);
        // Alt+F4 (not Alt+Ctrl+F4) closes the window the keys go to, as its close box does; a
        // desktop without a window manager of its own leaves the chord to the program.
        if (wParam == VK_F4 && GetKeyState(VK_CONTROL) >= 0 &&
            (GetTopLevelParent()->GetStyle() & WS_SYSMENU) && !CMenuPopupWnd::Current())
            GetTopLevelParent()->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return 0;
    case WM_SYSKEYUP:
        // Alt pressed and released alone highlights the first title of the menu bar.
        if (wParam == VK_MENU && WindowManager::Instance().AltTappedAlone())
            CMenuBarTracker::HighlightTitle(GetTopLevelParent(), 0);
        return 0;
    default: return 0;
    }
}

void CWnd::InvalidateTree() {
    m_ncDirty = true;
    Invalidate(TRUE);
    for (CWnd* child : m_children) child->InvalidateTree();
}

UINT CWnd::HitTestAt(CPoint screen) const {
    CPoint client = screen;
    ScreenToClient(&client);
    CRect clientRect;
    GetClientRect(&clientRect);
    if (clientRect.PtInRect(client)) return HTCLIENT;
    CRect window;
    GetWindowRect(&window);
    if (!window.PtInRect(screen)) return HTNOWHERE;
    return NonClientPainter::HitTest(*this, CPoint(screen.x - window.left, screen.y - window.top));
}

void CWnd::TrackMenuBar(CPoint screen) {
    CWnd* top = GetTopLevelParent();
    if (!top->GetMenu()) return;
    CRect window;
    top->GetWindowRect(&window);
    TrackMenuBarItem(NonClientPainter::MenuBarItemAt(*top, CPoint(screen.x - window.left, screen.y - window.top), nullptr));
}

void CWnd::TrackMenuBarItem(int item, bool highlightFirst) {
    CMenuBarTracker::DropMenu(GetTopLevelParent(), item, highlightFirst);
}

int CWnd::MenuBarItemForKey(UINT key) const {
    CMenu* bar = GetTopLevelParent()->GetMenu();
    if (!bar) return -1;
    for (int i = 0; i < bar->GetMenuItemCount(); ++i)
        if (static_cast<UINT>(MenuText::AccessKey(bar->ItemAt(i)->text)) == key) return i;
    return -1;
}

// --- Default handlers -----------------------------------------------------------------------

int CWnd::OnCreate(CREATESTRUCT*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnSysColorChange() { Default(); }
int CWnd::OnMouseActivate(UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

UINT CWnd::OnGetDlgCode() { return 0; }

void CWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
    // Each item asks the command targets for its state; items without any handler are greyed.
    // System commands (the system menu's) are the window's own and keep the state they were given.
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        const UINT id = popup->GetMenuItemID(i);
        if (id == 0 || id == static_cast<UINT>(-1) || (id >= SC_SIZE && id <= SC_RESTORE))
            continue;
        CCmdUI state;
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_pMenu = popup;
        state.DoUpdate(this, TRUE);
        // A handler that put in items of its own (the recent files) moved the index past them.
        i = static_cast<int>(state.m_nIndex);
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), static_cast<int>(HIWORD(wParam)), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return FALSE;
    NotifyInfo info{header, result};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), CN_NOTIFY, &info, nullptr);
}

void CWnd::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    CWnd* control = item && IsWindow(item->hwndItem) ? item->hwndItem : GetDlgItem(id);
    if (control) control->DrawItem(item);
}

void CWnd::OnMeasureItem(int id, MEASUREITEMSTRUCT* item) {
    if (CWnd* control = GetDlgItem(id)) control->MeasureItem(item);
}
