#pragma once

#include "model/Geometry.h"

// Plane geometry the border strip of a terrain is built with, in grid units.
namespace border {

constexpr double kPi = 3.14159265358979;
// A point nearer a line than this lies on it: the knots store their places as floats.
constexpr double kOnLine = 1e-5;

// Twice the signed area of the triangle o, a, b: positive when it turns counter-clockwise.
double Turn(CDoublePoint o, CDoublePoint a, CDoublePoint b);
double Distance(CDoublePoint a, CDoublePoint b);
// Whether p and q lie on opposite sides of the line through a and b, off the line.
bool OnOppositeSides(CDoublePoint a, CDoublePoint b, CDoublePoint p, CDoublePoint q);
// Whether angle a lies strictly inside the sweep counter-clockwise from one angle to another;
// equal ends sweep the full turn.
bool InSweep(double from, double to, double a);

}  // namespace border
