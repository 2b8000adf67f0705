#include "platform/ctl/CSliderCtrl.h"

#include <algorithm>

#include "platform/ctl/PointedThumb.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CControlWnd)

namespace {
constexpr int kThumbLength = 11;  // along the channel
constexpr int kThumbBreadth = 20;
constexpr int kChannelBreadth = 4;
constexpr int kTickLength = 3;
}  // namespace

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(TRACKBAR_CLASS, "", style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

int CSliderCtrl::Clamp(int position) const {
    return std::clamp(position, m_min, std::max(m_min, m_max));
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_position = Clamp(m_position);
    if (redraw)
        Invalidate();
}

void CSliderCtrl::GetRange(int& minimum, int& maximum) const {
    minimum = m_min;
    maximum = m_max;
}

void CSliderCtrl::SetPos(int position) {
    m_position = Clamp(position);
    Invalidate();
}

int CSliderCtrl::SetLineSize(int size) {
    const int old = m_lineSize;
    m_lineSize = std::max(1, size);
    return old;
}

int CSliderCtrl::SetPageSize(int size) {
    const int old = m_pageSize;
    m_pageSize = std::max(1, size);
    return old;
}

void CSliderCtrl::SetTicFreq(int frequency) {
    m_ticFrequency = std::max(1, frequency);
    Invalidate();
}

BOOL CSliderCtrl::SetTic(int position) {
    if (position < m_min || position > m_max)
        return FALSE;
    m_tics.push_back(position);
    Invalidate();
    return TRUE;
}

void CSliderCtrl::ClearTics(BOOL redraw) {
    m_tics.clear();
    if (redraw)
        Invalidate();
}

std::vector<int> CSliderCtrl::TickPositions() const {
    std::vector<int> ticks{m_min, m_max};
    if (GetStyle() & TBS_AUTOTICKS)
        for (int at = m_min + m_ticFrequency; at < m_max; at += m_ticFrequency) ticks.push_back(at);
    ticks.insert(ticks.end(), m_tics.begin(), m_tics.end());
    return ticks;
}

// --- Geometry -------------------------------------------------------------------------------

void CSliderCtrl::GetChannelRect(RECT* rect) const {
    CRect client;
    GetClientRect(&client);
    const int inset = kThumbLength / 2 + 4;
    const int thumbStart = (GetStyle() & (TBS_TOP | TBS_BOTH)) ? kTickLength + 2 : 2;
    if (IsVertical()) {
        const int x = client.left + thumbStart + kThumbBreadth / 2 - kChannelBreadth / 2;
        *rect = CRect(x, client.top + inset, x + kChannelBreadth, client.bottom - inset);
    } else {
        const int y = client.top + thumbStart + kThumbBreadth / 2 - kChannelBreadth / 2;
        *rect = CRect(client.left + inset, y, client.right - inset, y + kChannelBreadth);
    }
}

int CSliderCtrl::PixelOf(int position) const {
    CRect channel;
    GetChannelRect(&channel);
    const int span = m_max - m_min;
    const int length = IsVertical() ? channel.Height() - 1 : channel.Width() - 1;
    const int offset =
        span > 0 ? static_cast<int>(static_cast<long long>(position - m_min) * length / span) : 0;
    return (IsVertical() ? channel.top : channel.left) + offset;
}

int CSliderCtrl::PositionAt(CPoint point) const {
    CRect channel;
    GetChannelRect(&channel);
    const int length = std::max(1, IsVertical() ? channel.Height() - 1 : channel.Width() - 1);
    const int along = IsVertical() ? point.y - channel.top : point.x - channel.left;
    const long long span = m_max - m_min;
    return Clamp(m_min + static_cast<int>((static_cast<long long>(along) * span + length / 2) / length));
}

void CSliderCtrl::GetThumbRect(RECT* rect) const {
    CRect channel;
    GetChannelRect(&channel);
    const int at = PixelOf(m_position);
    if (IsVertical()) {
        const int left = channel.CenterPoint().x - kThumbBreadth / 2;
        *rect = CRect(left, at - kThumbLength / 2, left + kThumbBreadth, at + kThumbLength / 2 + 1);
    } else {
        const int top = channel.CenterPoint().y - kThumbBreadth / 2;
        *rect = CRect(at - kThumbLength / 2, top, at + kThumbLength / 2 + 1, top + kThumbBreadth);
    }
}

// --- Painting -------------------------------------------------------------------------------

// Towards the ticks when they are on one side only (as PointedThumb takes it); -1 for a square
// thumb.
int CSliderCtrl::ThumbPointing() const {
    const DWORD style = GetStyle();
    if (style & (TBS_BOTH | TBS_NOTICKS))
        return -1;
    const bool before = (style & TBS_TOP) != 0;
    if (IsVertical())
        return before ? 2 : 3;
    return before ? 0 : 1;
}

BOOL CSliderCtrl::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CSliderCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CRect channel;
    GetChannelRect(&channel);
    dc.DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
    if (!(GetStyle() & TBS_NOTICKS)) {
        CRect thumb;
        GetThumbRect(&thumb);
        const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
        const bool after = !(GetStyle() & TBS_TOP) || (GetStyle() & TBS_BOTH);
        const bool before = (GetStyle() & (TBS_TOP | TBS_BOTH)) != 0;
        for (int tick : TickPositions()) {
            const int at = PixelOf(tick);
            const int length = (tick == m_min || tick == m_max) ? kTickLength + 1 : kTickLength;
            if (IsVertical()) {
                if (after)
                    dc.FillSolidRect(thumb.right + 2, at, length, 1, ink);
                if (before)
                    dc.FillSolidRect(thumb.left - 2 - length, at, length, 1, ink);
            } else {
                if (after)
                    dc.FillSolidRect(at, thumb.bottom + 2, 1, length, ink);
                if (before)
                    dc.FillSolidRect(at, thumb.top - 2 - length, 1, length, ink);
            }
        }
    }
    CRect thumb;
    GetThumbRect(&thumb);
    const int pointing = ThumbPointing();
    if (pointing < 0)
        dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    else
        PointedThumb(dc, thumb, pointing).Draw();
    if (GetFocus() == this)
        dc.DrawFocusRect(&client);
}

// --- Input ----------------------------------------------------------------------------------

void CSliderCtrl::Tell(UINT code) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(static_cast<int>(code), m_position), reinterpret_cast<LPARAM>(this));
}

void CSliderCtrl::MoveTo(int position, UINT code) {
    const int target = Clamp(position);
    if (target != m_position) {
        m_position = target;
        Invalidate();
    }
    Tell(code);
}

void CSliderCtrl::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    CRect thumb;
    GetThumbRect(&thumb);
    if (thumb.PtInRect(point)) {
        m_dragging = true;
        SetCapture();
        return;
    }
    const bool before = PositionAt(point) < m_position;
    MoveTo(m_position + (before ? -m_pageSize : m_pageSize), before ? TB_PAGEUP : TB_PAGEDOWN);
    Tell(TB_ENDTRACK);
}

void CSliderCtrl::OnMouseMove(UINT, CPoint point) {
    if (!m_dragging)
        return;
    const int position = PositionAt(point);
    if (position != m_position)
        MoveTo(position, TB_THUMBTRACK);
}

void CSliderCtrl::OnLButtonUp(UINT, CPoint) {
    if (!m_dragging)
        return;
    m_dragging = false;
    if (GetCapture() == this)
        ReleaseCapture();
    Tell(TB_THUMBPOSITION);
    Tell(TB_ENDTRACK);
}

void CSliderCtrl::OnCancelMode() {
    OnLButtonUp(0, CPoint());
    CControlWnd::OnCancelMode();
}

void CSliderCtrl::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
        case VK_LEFT:
        case VK_UP:
            MoveTo(m_position - m_lineSize, TB_LINEUP);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            MoveTo(m_position + m_lineSize, TB_LINEDOWN);
            break;
        case VK_PRIOR:
            MoveTo(m_position - m_pageSize, TB_PAGEUP);
            break;
        case VK_NEXT:
            MoveTo(m_position + m_pageSize, TB_PAGEDOWN);
            break;
        case VK_HOME:
            MoveTo(m_min, TB_TOP);
            break;
        case VK_END:
            MoveTo(m_max, TB_BOTTOM);
            break;
        default:
            return;
    }
    Tell(TB_ENDTRACK);
}
