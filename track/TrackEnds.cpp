#include "track/TrackEnds.h"

#include <cmath>

#include "track/CParTrack.h"

bool IsTrackPiece(CPaint* object) {
    if (object == nullptr)
        return false;
    const CString name = object->GetClassName();
    return name == "CTrack" || name == "CCircTrack" || name == "CArcTrack" || name == "CSplineTrack";
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
