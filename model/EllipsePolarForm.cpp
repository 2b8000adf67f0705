#include "model/EllipsePolarForm.h"

#include <cmath>

double EllipsePolarRadius(double angle, double rx, double ry) {
    const double ratio = ry / rx;
    const double c = std::cos(angle);
    return std::sqrt(ry * ry / (1.0 - (1.0 - ratio * ratio) * c * c));
}

CDoublePoint EllipsePolarPoint(double angle, double rx, double ry) {
    const double r = EllipsePolarRadius(angle, rx, ry);
    return {r * std::cos(angle), r * std::sin(angle)};
}
