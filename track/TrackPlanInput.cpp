#include "track/TrackPlanInput.h"

bool IsEmptyBand(const DeviceRect& band) {
    return band.left == 0 && band.top == 0 && band.right == 0 && band.bottom == 0;
}

bool BandHolds(const DeviceRect& band, const CPoint& p) {
    return p.x >= band.left && p.x < band.right && p.y >= band.top && p.y < band.bottom;
}

CPoint BandPoint(const CDoublePoint& world) {
    return CPoint(static_cast<int>(world.x), static_cast<int>(world.y));
}

bool BandMeetsSegment(const DeviceRect& band, const CPoint& a, const CPoint& b) {
    return BandHolds(band, a) || BandHolds(band, b) || SegmentIntersectsRect(a.x, a.y, b.x, b.y, band) != 0;
}
