#include "platform/win/ScrollBarGeometry.h"

#include <algorithm>

#include "platform/gdi/CBitmap.h"
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

void ScrollBarGeometry::Paint(CDC& dc, Part pressed, bool enabled) const {
    const bool active = enabled && Scrollable() > 0;
    PaintTrack(dc);
    PaintArrow(dc, LineUp, pressed == LineUp, active);
    PaintArrow(dc, LineDown, pressed == LineDown, active);
    CRect thumb = PartRect(Thumb);
    if (!active || thumb.IsRectEmpty())
        return;
    dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
}

void ScrollBarGeometry::PaintTrack(CDC& dc) const {
    CRect track = Span(m_arrow, Length() - m_arrow);
    if (track.IsRectEmpty())
        return;
    // The classic track: white and face alternating pixel by pixel.
    static const WORD kChequer[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bits;
    bits.CreateBitmap(8, 8, 1, 1, kChequer);
    CBrush chequer;
    chequer.CreatePatternBrush(&bits);
    const COLORREF oldText = dc.SetTextColor(GetSysColor(COLOR_3DHIGHLIGHT));
    const COLORREF oldBack = dc.SetBkColor(GetSysColor(COLOR_3DFACE));
    dc.FillRect(&track, &chequer);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
}

void ScrollBarGeometry::PaintArrow(CDC& dc, Part arrow, bool pressed, bool enabled) const {
    CRect box = PartRect(arrow);
    if (box.IsRectEmpty())
        return;
    if (pressed) {
        // Pushed in: a flat grey border, the glyph a pixel down and right.
        dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(&box, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
        PaintArrowGlyph(dc, arrow, CPoint(1, 1), GetSysColor(COLOR_BTNTEXT));
        return;
    }
    dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&box, EDGE_RAISED, BF_RECT);
    if (enabled) {
        PaintArrowGlyph(dc, arrow, CPoint(0, 0), GetSysColor(COLOR_BTNTEXT));
        return;
    }
    // Greyed: engraved, a white copy showing below and right of the grey one.
    PaintArrowGlyph(dc, arrow, CPoint(1, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    PaintArrowGlyph(dc, arrow, CPoint(0, 0), GetSysColor(COLOR_3DSHADOW));
}

void ScrollBarGeometry::PaintArrowGlyph(CDC& dc, Part arrow, CPoint shift, COLORREF ink) const {
    // A triangle of four rows, 1, 3, 5 and 7 pixels wide, its tip towards the bar's end.
    constexpr int kRows = 4;
    const CRect box = PartRect(arrow);
    const CPoint centre(box.left + box.Width() / 2 + shift.x, box.top + box.Height() / 2 + shift.y);
    const int tipAlong = arrow == LineUp ? -kRows / 2 : kRows / 2 - 1;
    const int step = arrow == LineUp ? 1 : -1;
    for (int row = 0; row < kRows; ++row) {
        const int along = tipAlong + row * step;
        if (m_vertical) {
            dc.FillSolidRect(centre.x - 1 - row, centre.y + along, 2 * row + 1, 1, ink);
        } else {
            dc.FillSolidRect(centre.x + along, centre.y - 1 - row, 1, 2 * row + 1, ink);
        }
    }
}
