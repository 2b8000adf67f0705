#include "model/Geometry.h"

#include <algorithm>
#include <cmath>

#include "model/PaintRecords.h"
#include "model/Units.h"

namespace {

double Direction(double dx, double dy) {
    if (dx == 0.0)
        return dy > 0.0 ? kPi / 2.0 : -kPi / 2.0;
    return std::atan2(dy, dx);
}

struct Segment {
    double x1, y1, x2, y2;

    bool BoxHolds(double x, double y) const {
        return x >= std::min(x1, x2) && x <= std::max(x1, x2) && y >= std::min(y1, y2) &&
               y <= std::max(y1, y2);
    }
};

// The crossing point of the two segments' lines by Cramer's rule, when the lines are not
// parallel, tested against both segments' bounding boxes.
bool Crosses(const Segment& a, const Segment& b) {
    const double a1 = a.y2 - a.y1, b1 = a.x1 - a.x2, c1 = a1 * a.x1 + b1 * a.y1;
    const double a2 = b.y2 - b.y1, b2 = b.x1 - b.x2, c2 = a2 * b.x1 + b2 * b.y1;
    const double determinant = a1 * b2 - a2 * b1;
    if (determinant == 0.0)
        return false;
    const double x = (c1 * b2 - c2 * b1) / determinant;
    const double y = (a1 * c2 - a2 * c1) / determinant;
    return a.BoxHolds(x, y) && b.BoxHolds(x, y);
}

}  // namespace

CDoublePoint RotatePoint(double cx, double cy, double angle, double px, double py) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {cx + (px - cx) * c - (py - cy) * s, cy + (px - cx) * s + (py - cy) * c};
}

double VectorLength(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

double NormalizeAngle(double angle) {
    if (!std::isfinite(angle)) {
        return 0.0;
    }
    // Whole turns first, so a huge angle does not loop for ever; the loops then settle the
    // last turn exactly as repeated adding and subtracting would.
    if (std::fabs(angle) > 1e4) {
        angle = std::fmod(angle, kFullTurn);
    }
    while (angle < 0.0) {
        angle += kFullTurn;
    }
    while (angle >= kFullTurn) {
        angle -= kFullTurn;
    }
    return angle;
}

double AngleBetween(double x0, double y0, double x1, double y1, double x2, double y2) {
    return Direction(x1 - x0, y1 - y0) - Direction(x2 - x0, y2 - y0);
}

int SegmentIntersectsRect(int x1, int y1, int x2, int y2, const DeviceRect& rect) {
    const Segment segment{double(x1), double(y1), double(x2), double(y2)};
    const double l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const Segment sides[] = {{l, t, r, t}, {r, t, r, b}, {r, b, l, b}, {l, b, l, t}};
    for (const Segment& side : sides)
        if (Crosses(segment, side))
            return 1;
    return 0;
}

double GridCorrection(double value, double step) {
    if (!(step > 0.0))
        return 0.0;
    const double steps = std::fabs(value) / step;
    const bool roundUp = std::fmod(std::floor(steps * 10.0), 10.0) >= 5.0;
    const double whole = roundUp ? std::ceil(steps) : std::floor(steps);
    const double sign = value >= 0.0 ? 1.0 : -1.0;
    return sign * step * whole - value;
}
