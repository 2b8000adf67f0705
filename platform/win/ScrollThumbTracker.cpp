#include "platform/win/ScrollThumbTracker.h"

#include "platform/win/ScrollBarGeometry.h"

void ScrollThumbTracker::Start(CWnd* target, int bar, int grabOffset) {
    auto* tracker = new ScrollThumbTracker(target, bar, grabOffset);
    // Invisible and borderless at the screen's origin: its client points are screen points.
    if (!tracker->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), target, 0)) {
        delete tracker;
        return;
    }
    SCROLLINFO info{};
    target->GetScrollInfo(bar, &info, SIF_POS);
    tracker->m_position = info.nPos;
    tracker->SetCapture();
}

int ScrollThumbTracker::PositionAt(CPoint screen) const {
    CRect window;
    m_target->GetWindowRect(&window);
    SCROLLINFO info{};
    m_target->GetScrollInfo(m_bar, &info);
    const ScrollBarGeometry geometry(m_target->ScrollBarRect(m_bar), m_bar == SB_VERT, info);
    const CPoint point(screen.x - window.left, screen.y - window.top);
    return geometry.PositionForThumbAt(geometry.Along(point) - m_grab);
}

void ScrollThumbTracker::Tell(UINT code, int position) {
    const UINT message = m_bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    if (IsWindow(m_target)) m_target->SendMessage(message, MAKEWPARAM(static_cast<int>(code), position));
}

void ScrollThumbTracker::OnMouseMove(UINT, CPoint point) {
    if (!IsWindow(m_target)) return;
    const int position = PositionAt(point);
    if (position == m_position) return;
    m_position = position;
    Tell(SB_THUMBTRACK, position);
}

void ScrollThumbTracker::OnLButtonUp(UINT, CPoint point) {
    if (IsWindow(m_target)) m_position = PositionAt(point);
    ReleaseCapture();
}

// The drag is over either way, also when a cancel or another window took the mouse: the thumb
// stays where it was last shown, and the window hears the end.
void ScrollThumbTracker::OnCaptureChanged(CWnd*) {
    Tell(SB_THUMBPOSITION, m_position);
    Tell(SB_ENDSCROLL, 0);
    PostMessage(WM_CLOSE);
}
