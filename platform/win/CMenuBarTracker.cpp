#include "platform/win/CMenuBarTracker.h"

#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowManager.h"
#include "platform/win/WindowMoveTracker.h"

namespace {
CMenuBarTracker* g_tracker = nullptr;

// The tracker holding a bar, if any; one whose window is gone (the window manager started
// afresh) holds nothing.
CMenuBarTracker* Holding() {
    return IsWindow(g_tracker) ? g_tracker : nullptr;
}

bool IsLetterOrDigit(UINT key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}
}  // namespace

void CMenuBarTracker::DropMenu(CWnd* top, int item, bool highlightFirst) {
    const int title = RunMenus(top, item, highlightFirst);
    if (title >= 0)
        HighlightTitle(top, title);
}

void CMenuBarTracker::HighlightTitle(CWnd* top, int item) {
    CMenu* bar = top->GetMenu();
    if (!bar || item < 0 || item >= bar->GetMenuItemCount() || CMenuPopupWnd::Current() || Holding())
        return;
    auto* tracker = new CMenuBarTracker(top, item);
    CRect topRect;
    if (!WindowMoveTracker::CreateOver(*tracker, top, topRect)) {
        delete tracker;
        return;
    }
    tracker->Hold();
}

int CMenuBarTracker::HighlightedTitle(const CWnd* window) {
    CMenuBarTracker* tracker = Holding();
    return tracker && !tracker->m_busy && tracker->m_top == window ? tracker->m_item : -1;
}

void CMenuBarTracker::Leave(const CWnd* window) {
    CMenuBarTracker* tracker = Holding();
    if (!tracker || (window && tracker->m_top != window && !window->IsChild(tracker->m_top)))
        return;
    if (tracker->m_busy)
        return tracker->End();
    // Nothing of the tracker runs now: it goes at once, even with its window going or no message
    // loop left to close it.
    tracker->LetGo();
    tracker->DestroyWindow();
}

int CMenuBarTracker::RunMenus(CWnd* top, int item, bool highlightFirst) {
    CMenu* bar = top->GetMenu();
    // One menu at a time: a key reaching the window while a menu is open opens no second one.
    if (!bar || item < 0 || CMenuPopupWnd::Current())
        return -1;
    const int count = bar->GetMenuItemCount();
    for (int walked = 0; walked <= count && item >= 0 && item < count; ++walked) {
        CMenu* popup = bar->GetSubMenu(item);
        const CRect itemRect = NonClientPainter::MenuBarItemRect(*top, item);
        if (!popup || itemRect.IsRectEmpty())
            return -1;
        CRect window;
        top->GetWindowRect(&window);
        CMenuPopupWnd::BarStep step = CMenuPopupWnd::BarStep::kNone;
        const UINT chosen =
            CMenuPopupWnd::Track(popup, CPoint(window.left + itemRect.left, window.top + itemRect.bottom),
                                 top, &step, item, highlightFirst);
        if (!IsWindow(top))
            return -1;
        if (chosen)
            top->PostMessage(WM_COMMAND, chosen, 0);
        // A window closed while the popup was open may have given the bar another menu.
        if (top->GetMenu() != bar || step == CMenuPopupWnd::BarStep::kNone)
            return -1;
        if (step == CMenuPopupWnd::BarStep::kTitle)
            return item;
        item = (item + (step == CMenuPopupWnd::BarStep::kNext ? 1 : count - 1)) % count;
        // Left and Right are keys: the next popup opens as one opened by its key does.
        highlightFirst = true;
    }
    return -1;
}

void CMenuBarTracker::Hold() {
    g_tracker = this;
    SetCapture();
    WindowManager::Instance().SetKeyboardGrab(this);
    m_top->DrawMenuBar();
}

void CMenuBarTracker::End() {
    if (m_ended)
        return;
    LetGo();
    // A menu dropped from the bar or a press passed on still runs over this window: it goes after.
    if (!m_busy)
        PostMessage(WM_CLOSE);
}

void CMenuBarTracker::LetGo() {
    m_ended = true;
    if (g_tracker == this)
        g_tracker = nullptr;
    WindowManager& manager = WindowManager::Instance();
    if (manager.KeyboardGrab() == this)
        manager.SetKeyboardGrab(nullptr);
    if (manager.GetCapture() == this)
        manager.ReleaseCapture();
    if (IsWindow(m_top))
        m_top->DrawMenuBar();
}

void CMenuBarTracker::Drop(int item) {
    m_busy = true;
    const int title = RunMenus(m_top, item, true);
    m_busy = false;
    if (m_ended) {
        PostMessage(WM_CLOSE);
        return;
    }
    if (title < 0) {
        End();
        return;
    }
    m_item = title;
    Hold();
}

void CMenuBarTracker::Step(int step) {
    const int count = m_top->GetMenu()->GetMenuItemCount();
    m_item = (m_item + step + count) % count;
    m_top->DrawMenuBar();
}

BOOL CMenuBarTracker::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYDOWN || msg->message > WM_SYSKEYUP)
        return FALSE;
    const bool altAlone =
        msg->message == WM_SYSKEYUP && msg->wParam == VK_MENU && WindowManager::Instance().AltTappedAlone();
    if (altAlone)
        End();
    if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)
        TakeKey(static_cast<UINT>(msg->wParam), msg->message, msg->lParam);
    return TRUE;
}

void CMenuBarTracker::TakeKey(UINT key, UINT message, LPARAM flags) {
    if (!IsWindow(m_top) || !m_top->GetMenu()) {
        End();
        return;
    }
    switch (key) {
        case VK_LEFT:
            Step(-1);
            return;
        case VK_RIGHT:
            Step(1);
            return;
        case VK_DOWN:
        case VK_UP:
        case VK_RETURN:
            Drop(m_item);
            return;
        case VK_ESCAPE:
        case VK_F10:
            End();
            return;
        case VK_F4:
            // Alt+F4 goes to the window as it would with the bar let go.
            if (message == WM_SYSKEYDOWN) {
                CWnd* top = m_top;
                End();
                top->SendMessage(message, key, flags);
            }
            return;
        default:
            break;
    }
    // With Ctrl held a letter is a shortcut's, no title's access letter.
    if (IsLetterOrDigit(key) && GetKeyState(VK_CONTROL) >= 0)
        if (const int item = m_top->MenuBarItemForKey(key); item >= 0)
            Drop(item);
}

void CMenuBarTracker::OnLButtonDown(UINT, CPoint point) {
    PassPressOn(WM_LBUTTONDOWN, point);
}

void CMenuBarTracker::OnRButtonDown(UINT, CPoint point) {
    PassPressOn(WM_RBUTTONDOWN, point);
}

// A press lets the bar go and does what it does with no bar held: on a title it drops that
// title's menu, in a window it works there. This window stays until the press is done with.
void CMenuBarTracker::PassPressOn(UINT message, CPoint screen) {
    m_busy = true;
    End();
    WindowManager::Instance().MouseInput(message, screen);
    m_busy = false;
    PostMessage(WM_CLOSE);
}

// The mouse taken by another window (a dialog coming up) lets the bar go; a menu dropped from it
// takes the mouse only for a while.
void CMenuBarTracker::OnCaptureChanged(CWnd*) {
    if (!m_busy)
        End();
}
