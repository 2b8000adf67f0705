#pragma once

#include "model/Geometry.h"

// An ellipse whose axes lie along x and y, its points addressed by their polar angle about
// the centre (the direction they are seen in), not by the ellipse's parameter.

// The distance from the centre of the ellipse with radii rx, ry in the direction of the angle.
double EllipsePolarRadius(double angle, double rx, double ry);
// The point of that ellipse in the direction of the angle, relative to its centre.
CDoublePoint EllipsePolarPoint(double angle, double rx, double ry);
