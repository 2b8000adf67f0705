#include "platform/win/WindowMoveTracker.h"

#include <algorithm>

#include "platform/win/WindowManager.h"

namespace {
bool MovesLeft(UINT hit) {
    return hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
}
bool MovesRight(UINT hit) {
    return hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
}
bool MovesTop(UINT hit) {
    return hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
}
bool MovesBottom(UINT hit) {
    return hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
}
}  // namespace

void WindowMoveTracker::Start(CWnd* target, UINT hit, CPoint screen) {
    if (!Tracks(hit) || target->IsZoomed())
        return;
    auto* tracker = new WindowMoveTracker(target, hit, screen);
    if (!CreateOver(*tracker, target, tracker->m_startRect)) {
        delete tracker;
        return;
    }
    tracker->SetCapture();
}

bool WindowMoveTracker::CreateOver(CWnd& tracker, CWnd* target, CRect& startRect) {
    if (!tracker.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), target, 0))
        return false;
    target->GetWindowRect(&startRect);
    if (!target->IsTopLevel())
        target->GetParent()->ScreenToClient(&startRect);
    return true;
}

MINMAXINFO WindowMoveTracker::LimitsOf(CWnd& target) {
    const CSize screen = WindowManager::Instance().ScreenSize();
    MINMAXINFO limits{};
    limits.ptMaxSize = CPoint(screen.cx, screen.cy);
    limits.ptMinTrackSize = CPoint(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
    limits.ptMaxTrackSize = CPoint(screen.cx + 12, screen.cy + 12);
    target.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    return limits;
}

CRect WindowMoveTracker::RectFor(CPoint screen) const {
    const int dx = screen.x - m_start.x;
    const int dy = screen.y - m_start.y;
    CRect rect = m_startRect;
    if (m_hit == HTCAPTION) {
        rect.OffsetRect(dx, dy);
        return rect;
    }
    const MINMAXINFO limits = LimitsOf(*m_target);
    const auto clampWidth = [&](int width) {
        return std::clamp(width, static_cast<int>(limits.ptMinTrackSize.x),
                          std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
    };
    const auto clampHeight = [&](int height) {
        return std::clamp(height, static_cast<int>(limits.ptMinTrackSize.y),
                          std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
    };
    // The edge held still stays where it was; the dragged one stops at the size limits.
    if (MovesLeft(m_hit))
        rect.left = rect.right - clampWidth(rect.Width() - dx);
    if (MovesRight(m_hit))
        rect.right = rect.left + clampWidth(rect.Width() + dx);
    if (MovesTop(m_hit))
        rect.top = rect.bottom - clampHeight(rect.Height() - dy);
    if (MovesBottom(m_hit))
        rect.bottom = rect.top + clampHeight(rect.Height() + dy);
    return rect;
}

void WindowMoveTracker::OnMouseMove(UINT, CPoint point) {
    if (!IsWindow(m_target))
        return;
    const CRect rect = RectFor(point);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_hit == HTCAPTION)
        flags |= SWP_NOSIZE;
    m_target->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

void WindowMoveTracker::OnLButtonUp(UINT flags, CPoint point) {
    OnMouseMove(flags, point);
    ReleaseCapture();
}

void WindowMoveTracker::OnCaptureChanged(CWnd*) {
    // The drag is over, also when another window took the mouse.
    PostMessage(WM_CLOSE);
}
