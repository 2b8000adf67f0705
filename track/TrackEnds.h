#pragma once

#include "model/Geometry.h"

class CPaint;
class CParTrack;

// The track-piece classes of the plan: straight, circular, elliptic and spline track.
bool IsTrackPiece(CPaint* object);
// The piece as a track piece of the plan, or null.
CParTrack* AsTrackPiece(CPaint* object);
// An end's point in world coordinates, under the piece's parent placement.
CDoublePoint WorldEnd(const CParTrack& piece, int end);
double Distance(const CDoublePoint& a, const CDoublePoint& b);
