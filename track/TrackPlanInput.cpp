#include "track/TrackPlanInput.h"

bool IsEmptyBand(const DeviceRect& band) {
    return band.left == 0 && band.top == 0 && band.right == 0 && band.bottom == 0;
}

bool BandHolds(const DeviceRect& band, const CPoint& p) {
    return p.x >= band.left && p.x < band.right && p.y >= band.top && p.y < band.bottom;
}

CPoint BandPoint(const CTool& tool, const CDoublePoint& world) {
    return tool.LayoutToDevice(world.x, world.y, 0);
}

DeviceRect BandInLayout(const CTool& tool) {
    const DeviceRect& band = tool.m_rcRubberBand;
    const CDoublePoint a = tool.DeviceToLayout(band.left, band.top);
    const CDoublePoint b = tool.DeviceToLayout(band.right, band.bottom);
    DeviceRect layout{TruncateCoordinate(a.x), TruncateCoordinate(a.y), TruncateCoordinate(b.x),
                      TruncateCoordinate(b.y)};
    layout.Normalize();
    return layout;
}

bool BandMeetsSegment(const DeviceRect& band, const CPoint& a, const CPoint& b) {
    return BandHolds(band, a) || BandHolds(band, b) || SegmentIntersectsRect(a.x, a.y, b.x, b.y, band) != 0;
}
