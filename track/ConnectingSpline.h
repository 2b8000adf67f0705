#pragma once

#include "model/TrackConnectionState.h"

class CSplineTrack;

// Two ends closer than this give no spline: it would have no length.
constexpr double kShortestConnection = 10.0;

// Fills a placed spline piece with the one segment that joins two picked ends: knots on the
// ends, each handle half the chord away from its end, opposite to the end's direction into
// its own piece; the ends' elevations; the length of the sampled segment.
void BuildConnectingSpline(CSplineTrack& piece, const TrackPickedEnd& first, const TrackPickedEnd& second);
