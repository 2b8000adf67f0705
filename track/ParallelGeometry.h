#pragma once

#include <vector>

#include "model/Geometry.h"

// The geometry of the parallel-track tool, relative to what it offsets.

// The polar angles at which an elliptic arc is divided for its offset curve, from the start
// through the sweep, each below 2 pi, with the axis angles of an elongated ellipse inserted;
// just the start and the end for a sweep too small to divide.
std::vector<double> DivideArcAngles(double start, double sweep, double rx, double ry);

// The outward normal direction, in [0, 2 pi), of the ellipse with radii rx, ry at a point
// given relative to its centre.
double EllipseNormal(double rx, double ry, const CDoublePoint& point);

// The point of the ellipse at the polar angle moved by the distance s along its outward
// normal there; relative to the ellipse's centre.
CDoublePoint OffsetEllipsePoint(double angle, double rx, double ry, double s);

// The control points (knot, handle, handle, knot, ...) of the Bezier curve through the points
// of the ellipse at the angles moved by the distance s along their outward normals; relative
// to the ellipse's centre.
std::vector<CDoublePoint> OffsetEllipseControlPoints(const std::vector<double>& angles, double rx, double ry,
                                                     double s);

// A spline's control points (knot, handle, handle, knot, ...) moved sideways by s: each to
// the right of its segment's direction for a positive s.
std::vector<CDoublePoint> OffsetControlPolygon(const std::vector<CDoublePoint>& points, double s);
