#pragma once

#include <vector>

#include "platform/gdi/CPoint.h"
#include "platform/gdi/CSize.h"

// The pixels a wide pen covers along a short segment, relative to the segment's first point.
// Moved by whole pixels, a stroke covers the same pixels moved, so each shape is rendered once
// and then stamped wherever the same segment and pen come again: joint markers and ties are
// thousands of the same few shapes.
class StrokeStamps {
  public:
    // Pixels left to right - 1 of row y.
    struct Span {
        int y;
        int left;
        int right;
    };

    // Segments reaching no further than this on either axis, with pens up to the widest, are kept.
    static constexpr int kReach = 32;
    static constexpr int kWidestPen = 16;
    static constexpr LONG kFarthest = 100000000;

    static bool Fits(CPoint from, CPoint to, int width);
    // The spans covered by the segment from (0, 0) to d; endCap and join take PS_ENDCAP_* and PS_JOIN_*.
    static const std::vector<Span>& Of(CSize d, int width, unsigned endCap, unsigned join);
};
