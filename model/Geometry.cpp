#include "model/Geometry.h"

#include <cmath>

#include "model/Units.h"

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
