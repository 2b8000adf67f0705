#include "track/TrackAngles.h"

#include <algorithm>
#include <cmath>

#include "model/CLengthFormat.h"
#include "model/Units.h"

double TrackDirection(double dx, double dy) {
    if (dx == 0.0)
        return dy > 0.0 ? kPi * 0.5 : kPi * -0.5;
    return std::atan2(dy, dx);
}

double PolarAngle(double dx, double dy) {
    const double angle = TrackDirection(dx, dy);
    return angle < 0.0 ? angle + kFullTurn : angle;
}

double ReduceAngle(double angle) {
    if (!std::isfinite(angle))
        return angle;
    if (std::fabs(angle) > 1e4)
        angle = std::fmod(angle, kFullTurn);
    while (angle < 0.0) angle += kFullTurn;
    while (angle >= kFullTurn) angle -= kFullTurn;
    return angle;
}

bool SameDirection(double a, double b, double tolerance) {
    const double low = std::min(a, b);
    const double high = std::max(a, b);
    return high - low < tolerance || std::fabs(low - high + kFullTurn) < tolerance;
}

int AngleInArc(double angle, double low, double high) {
    if (!std::isfinite(angle) || !std::isfinite(low) || !std::isfinite(high))
        return 0;
    double from = low - 3.0 * kFullTurn;
    double to = high - 3.0 * kFullTurn;
    if (to < angle) {
        const double turns = std::ceil((angle - to) / kFullTurn);
        from += turns * kFullTurn;
        to += turns * kFullTurn;
    }
    return from <= angle ? 1 : 0;
}

double ShownDegrees(double radians) {
    return CLengthFormat::RoundToThousandths(radians / kPi * 180.0);
}
