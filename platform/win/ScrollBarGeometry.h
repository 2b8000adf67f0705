#pragma once

#include "platform/gdi/CRect.h"
#include "platform/win/WinDefs.h"

class CDC;

// The parts of a scroll bar (arrows, track, thumb) for its rectangle and state, how to draw
// them in the classic look, and where a point falls.
class ScrollBarGeometry {
public:
    enum Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

    ScrollBarGeometry(const CRect& rect, bool vertical, const SCROLLINFO& info);

    Part PartAt(POINT point) const;
    CRect PartRect(Part part) const;
    // The position a thumb whose leading edge sits at offset (along the bar, from its start) shows.
    int PositionForThumbAt(int offset) const;
    int ThumbStart() const { return m_thumbStart; }
    int Along(POINT point) const { return m_vertical ? point.y - m_rect.top : point.x - m_rect.left; }
    // A bar with nothing to scroll, or not enabled, has grey arrows and no thumb; pressed is the
    // arrow held down (drawn pushed in).
    void Paint(CDC& dc, Part pressed = None, bool enabled = true) const;

  private:
    int Length() const { return m_vertical ? m_rect.Height() : m_rect.Width(); }
    CRect Span(int from, int to) const;
    int Scrollable() const;
    void PaintTrack(CDC& dc) const;
    void PaintArrow(CDC& dc, Part arrow, bool pressed, bool enabled) const;
    void PaintArrowGlyph(CDC& dc, Part arrow, CPoint shift, COLORREF ink) const;

    CRect m_rect;
    bool m_vertical;
    SCROLLINFO m_info;
    int m_arrow;
    int m_thumbStart;
    int m_thumbLength;
};
