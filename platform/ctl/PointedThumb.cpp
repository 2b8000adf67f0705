#include "platform/ctl/PointedThumb.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

PointedThumb::PointedThumb(CDC& dc, const CRect& rect, int direction)
    : m_dc(dc),
      m_rect(rect),
      m_direction(direction),
      m_breadth(direction >= 2 ? rect.Height() : rect.Width()),
      m_length(direction >= 2 ? rect.Width() : rect.Height()),
      m_point(m_breadth / 2),
      m_body(m_length - m_point) {}

void PointedThumb::Draw() {
    FillFace();
    // Each ring as a raised edge draws it: a lit back first, a dark back last; the tip is dark
    // when it points down or right, light when it points up or left.
    for (int ring = 0; ring < 2; ++ring) {
        if (BackLit())
            DrawBack(ring);
        DrawSide(ring, BackLit());
        DrawSide(ring, !BackLit());
        if (!BackLit())
            DrawBack(ring);
    }
}

void PointedThumb::Plot(int across, int along, COLORREF colour) {
    switch (m_direction) {
        case 0:
            return m_dc.FillSolidRect(m_rect.left + across, m_rect.bottom - 1 - along, 1, 1, colour);
        case 1:
            return m_dc.FillSolidRect(m_rect.left + across, m_rect.top + along, 1, 1, colour);
        case 2:
            return m_dc.FillSolidRect(m_rect.right - 1 - along, m_rect.top + across, 1, 1, colour);
        default:
            return m_dc.FillSolidRect(m_rect.left + along, m_rect.top + across, 1, 1, colour);
    }
}

void PointedThumb::FillFace() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int along = 0; along < m_length; ++along) {
        const int slope = std::max(0, along - m_body + 1);
        for (int across = slope; across < m_breadth - slope; ++across) Plot(across, along, face);
    }
}

void PointedThumb::DrawBack(int ring) {
    const COLORREF colour = BackLit() ? GetSysColor(ring == 0 ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT)
                                      : GetSysColor(ring == 0 ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW);
    for (int across = ring; across < m_breadth - ring; ++across) Plot(across, ring, colour);
}

// The lit side is the left or top one; its slope runs from the body to the tip.
void PointedThumb::DrawSide(int ring, bool lit) {
    const COLORREF colour = lit ? GetSysColor(ring == 0 ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT)
                                : GetSysColor(ring == 0 ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW);
    const auto across = [&](int inset) { return lit ? inset : m_breadth - 1 - inset; };
    for (int along = ring; along < m_body; ++along) Plot(across(ring), along, colour);
    for (int step = 1; step <= m_point && step + ring <= m_breadth / 2; ++step)
        Plot(across(step + ring), m_body - 1 + step, colour);
}
