#pragma once

#include "platform/gdi/CRect.h"
#include "platform/win/WinDefs.h"

class CDC;

// A slider thumb with a point towards its ticks, drawn pixel by pixel in the classic way: raised
// like a button (light above and left, dark below and right, an outer and an inner ring), the
// slopes of the point carrying on the sides, the point half as long as the thumb is broad.
class PointedThumb {
  public:
    // direction: the point towards up (0), down (1), left (2) or right (3); rect is the whole thumb.
    PointedThumb(CDC& dc, const CRect& rect, int direction);
    void Draw();

  private:
    // A pixel across the breadth (0 on the left or top) and along the length (0 at the back).
    void Plot(int across, int along, COLORREF colour);
    void FillFace();
    void DrawBack(int ring);
    void DrawSide(int ring, bool lit);
    // The back is lit when it is the top or left side.
    bool BackLit() const { return m_direction == 1 || m_direction == 3; }

    CDC& m_dc;
    CRect m_rect;
    int m_direction;
    int m_breadth;
    int m_length;
    int m_point;
    int m_body;
};
