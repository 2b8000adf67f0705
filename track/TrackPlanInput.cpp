#include "track/TrackPlanInput.h"

bool IsEmptyBand(const DeviceRect& band) {
    return band.left == 0 && band.top == 0 && band.right == 0 && band.bottom == 0;
}

bool BandHolds(const DeviceRect& band, const CPoint& p) {
    return p.x >= band.left && p.x < band.right && p.y >= band.top && p.y < band.bottom;
}
