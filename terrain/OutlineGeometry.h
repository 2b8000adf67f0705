#pragma once

#include <vector>

#include "model/Geometry.h"

// The plane geometry of benchwork and terrain outlines: the crossing test of two edges, the
// box of an edge and the inside test by winding angle.
namespace outline {

// Whether (px, py) lies in the box of the segment a-b widened by 1e-5 on every side.
bool PointInSegmentBox(double ax, double ay, double bx, double by, double px, double py);
// Whether the segments p1-p2 and p3-p4 cross; meeting at a shared end is no crossing, lying
// on one line and overlapping is.
bool SegmentsCross(CDoublePoint p1, CDoublePoint p2, CDoublePoint p3, CDoublePoint p4);
// Whether no two edges of the closed outline cross; fewer than four vertices always pass.
bool IsSimple(const std::vector<CDoublePoint>& vertices);
// Whether a point lies inside the closed outline or on one of its edges, by the sum of the
// angles its edges subtend.
bool WindingAngleHolds(const std::vector<CDoublePoint>& vertices, CDoublePoint p);

}  // namespace outline
