#pragma once

#include <vector>

#include "platform/gdi/CRect.h"

// An area as non-overlapping rectangles in bands of equal top and bottom. Right and bottom
// edges lie outside, as for every rectangle of the drawing layer.
class RectRegion {
  public:
    RectRegion() = default;
    explicit RectRegion(const CRect& rect);
    // The pixels whose centres lie inside the polygon, by WINDING or ALTERNATE.
    static RectRegion FromPolygon(const POINT* points, int count, int fillMode);
    static RectRegion Combine(const RectRegion& a, const RectRegion& b, int mode);

    bool IsEmpty() const { return m_rects.empty(); }
    bool Contains(int x, int y) const;
    bool Intersects(const CRect& rect) const;
    CRect Bounds() const;
    const std::vector<CRect>& Rects() const { return m_rects; }
    void Offset(int dx, int dy);
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    bool operator==(const RectRegion& other) const;

  private:
    std::vector<CRect> m_rects;
};
