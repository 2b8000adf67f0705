#include "platform/ctl/CScrollBar.h"

#include <algorithm>

#include "platform/win/ScrollRepeater.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CScrollBar, CControlWnd)

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
}  // namespace

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(WC_SCROLLBAR, "", style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

int CScrollBar::GetScrollLimit() const {
    return std::max(m_info.nMin, m_info.nMax - std::max(0, static_cast<int>(m_info.nPage) - 1));
}

int CScrollBar::Clamp(int position) const {
    return std::clamp(position, m_info.nMin, GetScrollLimit());
}

int CScrollBar::SetScrollPos(int position, BOOL redraw) {
    const int old = m_info.nPos;
    m_info.nPos = Clamp(position);
    if (redraw)
        Invalidate();
    return old;
}

void CScrollBar::SetScrollRange(int minimum, int maximum, BOOL redraw) {
    m_info.nMin = minimum;
    m_info.nMax = std::max(minimum, maximum);
    m_info.nPos = Clamp(m_info.nPos);
    if (redraw)
        Invalidate();
}

void CScrollBar::GetScrollRange(int* minimum, int* maximum) const {
    if (minimum)
        *minimum = m_info.nMin;
    if (maximum)
        *maximum = m_info.nMax;
}

BOOL CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL redraw) {
    if (!info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        m_info.nMin = info->nMin;
        m_info.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        m_info.nPage = info->nPage;
    if (info->fMask & SIF_POS)
        m_info.nPos = info->nPos;
    m_info.nPos = Clamp(m_info.nPos);
    if (redraw)
        Invalidate();
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const {
    if (!info)
        return FALSE;
    if (mask & SIF_RANGE)
        info->nMin = m_info.nMin, info->nMax = m_info.nMax;
    if (mask & SIF_PAGE)
        info->nPage = m_info.nPage;
    if (mask & SIF_POS)
        info->nPos = m_info.nPos;
    if (mask & SIF_TRACKPOS)
        info->nTrackPos = m_info.nTrackPos;
    return TRUE;
}

void CScrollBar::Tell(UINT code, int position) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(static_cast<int>(code), position), reinterpret_cast<LPARAM>(this));
}

ScrollBarGeometry CScrollBar::Geometry() const {
    CRect client;
    GetClientRect(&client);
    return ScrollBarGeometry(client, IsVertical(), m_info);
}

void CScrollBar::NoteMouseOnHeld(bool on) {
    if (on == m_mouseOnHeld)
        return;
    m_mouseOnHeld = on;
    Invalidate(FALSE);
}

void CScrollBar::OnPaint() {
    CPaintDC dc(this);
    const ScrollBarGeometry geometry = Geometry();
    geometry.Paint(dc, m_mouseOnHeld ? m_held : ScrollBarGeometry::None, IsWindowEnabled() != FALSE);
    if (GetFocus() != this)
        return;
    // A bar that takes the keys shows it inside its thumb, or inside itself when it has none.
    CRect focus = geometry.PartRect(ScrollBarGeometry::Thumb);
    if (focus.IsRectEmpty())
        GetClientRect(&focus);
    focus.DeflateRect(2, 2);
    dc.DrawFocusRect(&focus);
}

void CScrollBar::OnSetFocus(CWnd* oldWindow) {
    CControlWnd::OnSetFocus(oldWindow);
    Invalidate(FALSE);
}

void CScrollBar::OnKillFocus(CWnd* newWindow) {
    CControlWnd::OnKillFocus(newWindow);
    Invalidate(FALSE);
}

void CScrollBar::OnLButtonDown(UINT, CPoint point) {
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    const ScrollBarGeometry geometry = Geometry();
    switch (geometry.PartAt(point)) {
        case ScrollBarGeometry::LineUp:
            m_repeatCode = SB_LINEUP;
            break;
        case ScrollBarGeometry::PageUp:
            m_repeatCode = SB_PAGEUP;
            break;
        case ScrollBarGeometry::PageDown:
            m_repeatCode = SB_PAGEDOWN;
            break;
        case ScrollBarGeometry::LineDown:
            m_repeatCode = SB_LINEDOWN;
            break;
        case ScrollBarGeometry::Thumb:
            m_dragging = true;
            m_grab = geometry.Along(point) - geometry.ThumbStart();
            m_info.nTrackPos = m_info.nPos;
            SetCapture();
            return;
        default:
            return;
    }
    m_held = geometry.PartAt(point);
    m_mouse = point;
    NoteMouseOnHeld(true);
    SetCapture();
    Tell(m_repeatCode);
    SetTimer(kRepeatTimer, ScrollRepeater::kFirstDelay);
}

void CScrollBar::OnTimer(UINT_PTR id) {
    if (id != kRepeatTimer || m_repeatCode == SB_ENDSCROLL)
        return;
    SetTimer(kRepeatTimer, ScrollRepeater::kRepeatPeriod);
    // A page area stops once the thumb has come under the mouse.
    NoteMouseOnHeld(Geometry().PartAt(m_mouse) == m_held);
    if (m_mouseOnHeld)
        Tell(m_repeatCode);
}

void CScrollBar::OnMouseMove(UINT, CPoint point) {
    m_mouse = point;
    if (m_held != ScrollBarGeometry::None)
        NoteMouseOnHeld(Geometry().PartAt(point) == m_held);
    if (!m_dragging)
        return;
    const ScrollBarGeometry geometry = Geometry();
    const int position = geometry.PositionForThumbAt(geometry.Along(point) - m_grab);
    if (position == m_info.nTrackPos)
        return;
    m_info.nTrackPos = position;
    Tell(SB_THUMBTRACK, position);
}

void CScrollBar::OnLButtonUp(UINT, CPoint) {
    if (GetCapture() == this)
        ReleaseCapture();
}

void CScrollBar::OnCaptureChanged(CWnd*) {
    KillTimer(kRepeatTimer);
    const bool wasDragging = m_dragging;
    m_dragging = false;
    m_repeatCode = SB_ENDSCROLL;
    m_held = ScrollBarGeometry::None;
    NoteMouseOnHeld(false);
    if (wasDragging)
        Tell(SB_THUMBPOSITION, m_info.nTrackPos);
    Tell(SB_ENDSCROLL);
}

void CScrollBar::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
        case VK_LEFT:
        case VK_UP:
            Tell(SB_LINEUP);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            Tell(SB_LINEDOWN);
            break;
        case VK_PRIOR:
            Tell(SB_PAGEUP);
            break;
        case VK_NEXT:
            Tell(SB_PAGEDOWN);
            break;
        case VK_HOME:
            Tell(SB_TOP);
            break;
        case VK_END:
            Tell(SB_BOTTOM);
            break;
        default:
            return;
    }
    Tell(SB_ENDSCROLL);
}
