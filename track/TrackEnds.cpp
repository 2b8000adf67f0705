#include "track/TrackEnds.h"

#include <cmath>

#include "track/CParTrack.h"

bool IsTrackPiece(CPaint* object) {
    return object != nullptr && CParTrack::IsTrackClass(object);
}

CParTrack* AsTrackPiece(CPaint* object) {
    return IsTrackPiece(object) ? dynamic_cast<CParTrack*>(object) : nullptr;
}

CDoublePoint WorldEnd(const CParTrack& piece, int end) {
    const CDoublePoint local = end == 0 ? piece.m_ptBegin : piece.m_ptEnd;
    return piece.LocalToWorld(local.x, local.y);
}

double Distance(const CDoublePoint& a, const CDoublePoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}
