#pragma once

#include "model/Geometry.h"
#include "model/TrackConnectionState.h"
#include "platform/base/WinTypes.h"

// The curve and up to two straights that join two picked track ends. The curve is a circle
// of the radius about the centre from the start angle through the sweep (world); a radius
// of 0 means no curve. The straights run from each end to its tangent point.
struct Transition {
    double radius = 0.0;
    double sweep = 0.0;
    double startAngle = 0.0;
    CDoublePoint centre;
    // Elevations at the first and the second tangent point.
    double firstElevation = 0.0;
    double secondElevation = 0.0;
    CDoublePoint tangent1;
    CDoublePoint tangent2;
    // The curve as built starts at the first tangent point.
    int beginsAtFirst = 0;
    // The string shown when no transition can be built; 0 when it can.
    UINT refusal = 0;
};

// The smallest radius for a gauge is this many gauges.
constexpr double kMinimumRadiusPerGauge = 4.545454545454546;

// Computes the transition between two picked ends (directions into their pieces); the
// minimum radius follows the larger of the two gauges and the default track's.
Transition BuildTransition(const TrackPickedEnd& first, const TrackPickedEnd& second, double defaultGauge);

// The centre of the circle tangent to the line a1 x + b1 y + c1 = 0 at p and to the line
// a2 x + b2 y + c2 = 0 at q; the midpoint of p and q for parallel lines.
CDoublePoint IntersectLines(double a1, double b1, double c1, double a2, double b2, double c2, CDoublePoint p,
                            CDoublePoint q);
