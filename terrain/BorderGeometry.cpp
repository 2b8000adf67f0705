#include "terrain/BorderGeometry.h"

#include <cmath>

namespace border {

double Turn(CDoublePoint o, CDoublePoint a, CDoublePoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double Distance(CDoublePoint a, CDoublePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool OnOppositeSides(CDoublePoint a, CDoublePoint b, CDoublePoint p, CDoublePoint q) {
    const double length = Distance(a, b);
    if (length == 0.0)
        return false;
    const double u = Turn(a, b, p) / length, v = Turn(a, b, q) / length;
    return (u > kOnLine && v < -kOnLine) || (u < -kOnLine && v > kOnLine);
}

bool InSweep(double from, double to, double a) {
    double span = std::fmod(to - from + 4.0 * kPi, 2.0 * kPi);
    if (span < 1e-12)
        span = 2.0 * kPi;
    const double offset = std::fmod(a - from + 4.0 * kPi, 2.0 * kPi);
    return offset > 1e-9 && offset < span - 1e-9;
}

}  // namespace border
