#include "platform/win/CaptionButtonTracker.h"

#include "platform/win/NonClientPress.h"

void CaptionButtonTracker::Start(const Button& button, CWnd* target, UINT command, CPoint screen) {
    auto* tracker = new CaptionButtonTracker(button, target, command);
    // Invisible and borderless at the screen's origin: its client points are screen points.
    if (!tracker->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), button.shownOn, 0)) {
        delete tracker;
        return;
    }
    tracker->SetCapture();
    tracker->ShowPressed(screen);
}

bool CaptionButtonTracker::Over(CPoint screen) const {
    if (!IsWindow(m_button.shownOn))
        return false;
    CRect window;
    m_button.shownOn->GetWindowRect(&window);
    return m_button.rect.PtInRect(CPoint(screen.x - window.left, screen.y - window.top));
}

void CaptionButtonTracker::ShowPressed(CPoint screen) {
    if (Over(screen)) {
        NonClientPress::Show(*m_button.shownOn, m_button.hit, m_button.part);
    } else {
        NonClientPress::Clear();
    }
}

void CaptionButtonTracker::OnMouseMove(UINT, CPoint point) {
    ShowPressed(point);
}

void CaptionButtonTracker::OnLButtonUp(UINT, CPoint point) {
    const bool act = Over(point);
    CWnd* target = m_target;
    const UINT command = m_command;
    ReleaseCapture();
    if (act && IsWindow(target))
        target->SendMessage(WM_SYSCOMMAND, command, MAKELPARAM(point.x, point.y));
}

void CaptionButtonTracker::OnCaptureChanged(CWnd*) {
    if (m_ended)
        return;
    m_ended = true;
    NonClientPress::Clear();
    PostMessage(WM_CLOSE);
}
