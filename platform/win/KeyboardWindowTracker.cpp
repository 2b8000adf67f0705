#include "platform/win/KeyboardWindowTracker.h"

#include <algorithm>

#include "platform/win/WindowManager.h"
#include "platform/win/WindowMoveTracker.h"

void KeyboardWindowTracker::Start(CWnd* target, bool sizing) {
    if (target->IsZoomed() || (sizing && target->IsIconic()))
        return;
    auto* tracker = new KeyboardWindowTracker(target, sizing);
    if (!WindowMoveTracker::CreateOver(*tracker, target, tracker->m_startRect)) {
        delete tracker;
        return;
    }
    tracker->m_rect = tracker->m_startRect;
    tracker->SetCapture();
    WindowManager::Instance().SetKeyboardGrab(tracker);
}

UINT KeyboardWindowTracker::EdgeOf(UINT key) {
    switch (key) {
        case VK_LEFT:
            return HTLEFT;
        case VK_RIGHT:
            return HTRIGHT;
        case VK_UP:
            return HTTOP;
        default:
            return HTBOTTOM;
    }
}

void KeyboardWindowTracker::Arrow(UINT key) {
    const int dx = key == VK_LEFT ? -kStep : key == VK_RIGHT ? kStep : 0;
    const int dy = key == VK_UP ? -kStep : key == VK_DOWN ? kStep : 0;
    CRect rect = m_rect;
    if (!m_sizing) {
        rect.OffsetRect(dx, dy);
        Place(rect);
        return;
    }
    // The first arrow only picks the edge that the following ones move.
    if (m_edge == 0) {
        m_edge = EdgeOf(key);
        return;
    }
    const MINMAXINFO limits = WindowMoveTracker::LimitsOf(*m_target);
    if (m_edge == HTLEFT || m_edge == HTRIGHT) {
        const int width =
            std::max<int>(limits.ptMinTrackSize.x, rect.Width() + (m_edge == HTLEFT ? -dx : dx));
        if (m_edge == HTLEFT)
            rect.left = rect.right - width;
        else
            rect.right = rect.left + width;
    } else {
        const int height =
            std::max<int>(limits.ptMinTrackSize.y, rect.Height() + (m_edge == HTTOP ? -dy : dy));
        if (m_edge == HTTOP)
            rect.top = rect.bottom - height;
        else
            rect.bottom = rect.top + height;
    }
    Place(rect);
}

void KeyboardWindowTracker::Place(const CRect& rect) {
    m_rect = rect;
    if (!IsWindow(m_target))
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!m_sizing)
        flags |= SWP_NOSIZE;
    m_target->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

BOOL KeyboardWindowTracker::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP || msg->message == WM_CHAR;
    const UINT key = static_cast<UINT>(msg->wParam);
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        Arrow(key);
    if (key == VK_ESCAPE)
        Place(m_startRect);
    if (key == VK_RETURN || key == VK_ESCAPE)
        Finish();
    return TRUE;
}

void KeyboardWindowTracker::OnLButtonDown(UINT, CPoint) {
    Finish();
}

void KeyboardWindowTracker::Finish() {
    if (WindowManager::Instance().GetCapture() == this)
        ReleaseCapture();
    else
        OnCaptureChanged(nullptr);
}

void KeyboardWindowTracker::OnCaptureChanged(CWnd*) {
    WindowManager& manager = WindowManager::Instance();
    if (manager.KeyboardGrab() == this)
        manager.SetKeyboardGrab(nullptr);
    PostMessage(WM_CLOSE);
}
