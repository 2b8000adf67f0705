#include "platform/win/ScrollRepeater.h"

#include "platform/win/NonClientPress.h"

namespace {
constexpr UINT_PTR kRepeatTimer = 1;

UINT CodeOf(ScrollBarGeometry::Part part) {
    switch (part) {
        case ScrollBarGeometry::LineUp:
            return SB_LINEUP;
        case ScrollBarGeometry::PageUp:
            return SB_PAGEUP;
        case ScrollBarGeometry::PageDown:
            return SB_PAGEDOWN;
        default:
            return SB_LINEDOWN;
    }
}
}  // namespace

void ScrollRepeater::Start(CWnd* target, int bar, ScrollBarGeometry::Part part, CPoint screen) {
    auto* repeater = new ScrollRepeater(target, bar, part, screen);
    // Invisible and borderless at the screen's origin: its client points are screen points.
    if (!repeater->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), target, 0)) {
        delete repeater;
        return;
    }
    repeater->SetCapture();
    repeater->SetTimer(kRepeatTimer, kFirstDelay);
    repeater->ShowPressed();
    repeater->Step();
}

void ScrollRepeater::ShowPressed() {
    const bool arrow = m_part == ScrollBarGeometry::LineUp || m_part == ScrollBarGeometry::LineDown;
    if (arrow && MouseOnPart()) {
        NonClientPress::Show(*m_target, m_bar == SB_VERT ? HTVSCROLL : HTHSCROLL, m_part);
    } else {
        NonClientPress::Clear();
    }
}

bool ScrollRepeater::MouseOnPart() const {
    if (!IsWindow(m_target))
        return false;
    CRect window;
    m_target->GetWindowRect(&window);
    SCROLLINFO info{};
    m_target->GetScrollInfo(m_bar, &info);
    const ScrollBarGeometry geometry(m_target->ScrollBarRect(m_bar), m_bar == SB_VERT, info);
    return geometry.PartAt(CPoint(m_mouse.x - window.left, m_mouse.y - window.top)) == m_part;
}

void ScrollRepeater::Tell(UINT code) {
    const UINT message = m_bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    if (IsWindow(m_target))
        m_target->SendMessage(message, MAKEWPARAM(static_cast<int>(code), 0));
}

void ScrollRepeater::Step() {
    if (MouseOnPart())
        Tell(CodeOf(m_part));
}

void ScrollRepeater::OnTimer(UINT_PTR) {
    SetTimer(kRepeatTimer, kRepeatPeriod);
    Step();
}

void ScrollRepeater::OnMouseMove(UINT, CPoint point) {
    m_mouse = point;
    ShowPressed();
}

void ScrollRepeater::OnLButtonUp(UINT, CPoint) {
    ReleaseCapture();
}

void ScrollRepeater::OnCaptureChanged(CWnd*) {
    if (m_ended)
        return;
    m_ended = true;
    NonClientPress::Clear();
    KillTimer(kRepeatTimer);
    Tell(SB_ENDSCROLL);
    PostMessage(WM_CLOSE);
}
