#include "track/ConnectingSpline.h"

#include <cmath>

#include "model/CPointArray.h"
#include "model/Units.h"
#include "track/CSplineTrack.h"

void BuildConnectingSpline(CSplineTrack& piece, const TrackPickedEnd& first, const TrackPickedEnd& second) {
    const CDoublePoint p0{first.x, first.y};
    const CDoublePoint p3{second.x, second.y};
    const double half = std::hypot(p0.x - p3.x, p0.y - p3.y) / 2.0;
    const CDoublePoint p1{p0.x - half * std::cos(first.direction), p0.y - half * std::sin(first.direction)};
    const CDoublePoint p2{p3.x + half * std::cos(second.direction + kPi),
                          p3.y + half * std::sin(second.direction + kPi)};
    CPointArray control;
    for (const CDoublePoint& point : {p0, p1, p2, p3}) control.Add(point);
    piece.SetControlPoints(&control, 0, 0);
    piece.m_fBeginElevation = first.elevation;
    piece.m_fEndElevation = second.elevation;
    piece.RecomputeLength();
}
