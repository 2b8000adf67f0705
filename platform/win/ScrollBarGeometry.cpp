#include "platform/win/ScrollBarGeometry.h"

#include <algorithm>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

namespace {
constexpr int kMinimumThumb = 8;
}  // namespace

ScrollBarGeometry::ScrollBarGeometry(const CRect& rect, bool vertical, const SCROLLINFO& info)
    : m_rect(rect), m_vertical(vertical), m_info(info) {
    const int thickness = vertical ? rect.Width() : rect.Height();
    m_arrow = std::min(thickness, Length() / 2);
    const int track = std::max(0, Length() - 2 * m_arrow);
    const int range = std::max(1, m_info.nMax - m_info.nMin + 1);
    m_thumbLength = m_info.nPage ? static_cast<int>(static_cast<long long>(track) * m_info.nPage / range) : thickness;
    m_thumbLength = std::clamp(m_thumbLength, std::min(kMinimumThumb, track), track);
    const int scrollable = Scrollable();
    const int room = track - m_thumbLength;
    const int offset = scrollable > 0 ? static_cast<int>(static_cast<long long>(room) *
                                                         std::clamp(m_info.nPos - m_info.nMin, 0, scrollable) / scrollable)
                                      : 0;
    m_thumbStart = m_arrow + offset;
}

int ScrollBarGeometry::Scrollable() const {
    const int range = m_info.nMax - m_info.nMin + 1;
    return std::max(0, range - std::max(1, static_cast<int>(m_info.nPage)));
}

CRect ScrollBarGeometry::Span(int from, int to) const {
    if (m_vertical) return CRect(m_rect.left, m_rect.top + from, m_rect.right, m_rect.top + to);
    return CRect(m_rect.left + from, m_rect.top, m_rect.left + to, m_rect.bottom);
}

CRect ScrollBarGeometry::PartRect(Part part) const {
    switch (part) {
    case LineUp: return Span(0, m_arrow);
    case PageUp: return Span(m_arrow, m_thumbStart);
    case Thumb: return Span(m_thumbStart, m_thumbStart + m_thumbLength);
    case PageDown: return Span(m_thumbStart + m_thumbLength, Length() - m_arrow);
    case LineDown: return Span(Length() - m_arrow, Length());
    default: return CRect();
    }
}

ScrollBarGeometry::Part ScrollBarGeometry::PartAt(POINT point) const {
    for (Part part : {LineUp, Thumb, PageUp, PageDown, LineDown})
        if (PartRect(part).PtInRect(point)) return part;
    return None;
}

int ScrollBarGeometry::PositionForThumbAt(int offset) const {
    const int room = std::max(1, Length() - 2 * m_arrow - m_thumbLength);
    const int along = std::clamp(offset - m_arrow, 0, room);
    return m_info.nMin + static_cast<int>(static_cast<long long>(along) * Scrollable() / room);
}

void ScrollBarGeometry::Paint(CDC& dc) const {
    CRect track = Span(m_arrow, Length() - m_arrow);
    dc.FillSolidRect(&track, GetSysColor(COLOR_SCROLLBAR));
    for (Part part : {LineUp, LineDown, Thumb}) {
        CRect box = PartRect(part);
        if (box.IsRectEmpty()) continue;
        dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&box, EDGE_RAISED, BF_RECT);
        if (part == Thumb) continue;
        // The arrow: a small filled triangle pointing away from the track.
        const CPoint centre = box.CenterPoint();
        const int direction = part == LineUp ? -1 : 1;
        POINT points[3];
        if (m_vertical) {
            points[0] = {centre.x, centre.y + 2 * direction};
            points[1] = {centre.x - 3, centre.y - direction};
            points[2] = {centre.x + 3, centre.y - direction};
        } else {
            points[0] = {centre.x + 2 * direction, centre.y};
            points[1] = {centre.x - direction, centre.y - 3};
            points[2] = {centre.x - direction, centre.y + 3};
        }
        CBrush black(GetSysColor(COLOR_BTNTEXT));
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        CBrush* oldBrush = dc.SelectObject(&black);
        CPen* oldPen = dc.SelectObject(&pen);
        dc.Polygon(points, 3);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
}
