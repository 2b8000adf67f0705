// A window's own scroll bars: their state, their look in the non-client area, and the mouse on them.
#include <algorithm>

#include "platform/win/CWnd.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/ScrollBarGeometry.h"
#include "platform/win/ScrollRepeater.h"
#include "platform/win/ScrollThumbTracker.h"

namespace {
DWORD StyleOf(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }
bool ValidBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }

bool Needed(const SCROLLINFO& info) {
    if (info.nMax <= info.nMin) return false;
    return info.nPage == 0 || static_cast<long long>(info.nPage) <= static_cast<long long>(info.nMax) - info.nMin;
}
}  // namespace

int CWnd::ClampScrollPos(int bar, int position) const {
    const SCROLLINFO& info = m_scrollInfo[bar];
    return std::clamp(position, info.nMin, std::max(info.nMin, GetScrollLimit(bar)));
}

int CWnd::GetScrollLimit(int bar) const {
    if (!ValidBar(bar)) return 0;
    const SCROLLINFO& info = m_scrollInfo[bar];
    return std::max(info.nMin, info.nMax - std::max(0, static_cast<int>(info.nPage) - 1));
}

int CWnd::SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw) {
    if (!ValidBar(bar) || !info) return 0;
    SCROLLINFO& state = m_scrollInfo[bar];
    if (info->fMask & SIF_RANGE) {
        state.nMin = info->nMin;
        state.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) state.nPage = info->nPage;
    if (info->fMask & SIF_POS) state.nPos = info->nPos;
    state.nPos = ClampScrollPos(bar, state.nPos);
    const bool show = Needed(state) || (info->fMask & SIF_DISABLENOSCROLL);
    if (show != ((m_style & StyleOf(bar)) != 0)) {
        ShowScrollBar(static_cast<UINT>(bar), show ? TRUE : FALSE);
    } else if (redraw) {
        m_ncDirty = true;
    }
    return state.nPos;
}

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const {
    if (!ValidBar(bar) || !info) return FALSE;
    const SCROLLINFO& state = m_scrollInfo[bar];
    if (mask & SIF_RANGE) info->nMin = state.nMin, info->nMax = state.nMax;
    if (mask & SIF_PAGE) info->nPage = state.nPage;
    if (mask & SIF_POS) info->nPos = state.nPos;
    if (mask & SIF_TRACKPOS) info->nTrackPos = state.nTrackPos;
    return TRUE;
}

int CWnd::SetScrollPos(int bar, int position, BOOL redraw) {
    if (!ValidBar(bar)) return 0;
    const int old = m_scrollInfo[bar].nPos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(bar, &info, redraw);
    return old;
}

int CWnd::GetScrollPos(int bar) const { return ValidBar(bar) ? m_scrollInfo[bar].nPos : 0; }

void CWnd::SetScrollRange(int bar, int minimum, int maximum, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0};
    SetScrollInfo(bar, &info, redraw);
}

void CWnd::GetScrollRange(int bar, int* minimum, int* maximum) const {
    if (!ValidBar(bar)) return;
    if (minimum) *minimum = m_scrollInfo[bar].nMin;
    if (maximum) *maximum = m_scrollInfo[bar].nMax;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
    DWORD styles = 0;
    if (bar == SB_HORZ || bar == SB_BOTH) styles |= WS_HSCROLL;
    if (bar == SB_VERT || bar == SB_BOTH) styles |= WS_VSCROLL;
    const DWORD wanted = show ? (m_style | styles) : (m_style & ~styles);
    if (wanted == m_style) return;
    CRect oldClient;
    GetClientRect(&oldClient);
    m_style = wanted;
    NonClientChanged(oldClient);
}

void CWnd::NonClientChanged(const CRect& oldClient) {
    m_ncDirty = true;
    CRect client;
    GetClientRect(&client);
    if (client == oldClient || !m_hWnd) return;
    Invalidate(TRUE);
    SendMessage(WM_SIZE, SizeType(), MAKELPARAM(client.Width(), client.Height()));
}

CRect CWnd::ScrollBarRect(int bar) const {
    if (!ValidBar(bar) || (m_style & StyleOf(bar)) == 0) return CRect();
    CRect window;
    GetWindowRect(&window);
    const CRect insets = NonClientInsets();
    const int right = window.Width() - insets.right;
    const int bottom = window.Height() - insets.bottom;
    const int thickness = GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
    if (bar == SB_VERT) return CRect(right, insets.top, right + thickness, bottom);
    return CRect(insets.left, bottom, right, bottom + thickness);
}

void CWnd::PressScrollBar(int bar, CPoint screen) {
    CRect window;
    GetWindowRect(&window);
    const CPoint point(screen.x - window.left, screen.y - window.top);
    const ScrollBarGeometry geometry(ScrollBarRect(bar), bar == SB_VERT, m_scrollInfo[bar]);
    switch (const ScrollBarGeometry::Part part = geometry.PartAt(point)) {
    case ScrollBarGeometry::LineUp:
    case ScrollBarGeometry::PageUp:
    case ScrollBarGeometry::PageDown:
    case ScrollBarGeometry::LineDown: ScrollRepeater::Start(this, bar, part, screen); return;
    case ScrollBarGeometry::Thumb:
        ScrollThumbTracker::Start(this, bar, geometry.Along(point) - geometry.ThumbStart());
        return;
    default: return;
    }
}
