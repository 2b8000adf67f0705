#include <algorithm>
#include <cmath>

#include "model/Units.h"
#include "track/CCircTrack.h"
#include "track/TrackModelBuilder.h"

namespace {

// One segment per started five degrees of the arc.
constexpr double kSegmentAngle = 3.1415926535 / 36.0;
// Far beyond any start a layout holds, yet near enough to zero that a segment still moves
// the angle on.
constexpr double kFarthestStartAngle = 1e6;

}  // namespace

TrackSection CCircTrack::RadialSection(const CPose& frame, double angle) const {
    const CDoublePoint local = OnCircle(m_fRadius, angle);
    const CDoublePoint point = LocalToWorldInFrame(frame, local.x, local.y);
    const CDoublePoint centre = LocalToWorldInFrame(frame, m_ptCentre.x, m_ptCentre.y);
    // Across an anticlockwise arc means towards its centre.
    const CDoublePoint inward{(centre.x - point.x) / m_fRadius, (centre.y - point.y) / m_fRadius};
    const double elevation = m_fBeginElevation + (m_fEndElevation - m_fBeginElevation) * m_fRadius *
                                                     (angle - m_fStartAngle) / m_fLength;
    return {point, inward, elevation};
}

std::unique_ptr<r3d::Clump> CCircTrack::Build3D(const CPose* pose) {
    TrackModelBuilder model(*this);
    // A curve of no length has no sections to build between; one of more than a turn, or
    // one starting too far round to be stepped along, is no piece a layout holds.
    if (m_fRadius <= 0.0 || m_fSweep <= 0.0 || m_fLength <= 0.0 || m_fSweep > kFullTurn ||
        !(std::fabs(m_fStartAngle) <= kFarthestStartAngle))
        return nullptr;
    const CPose& frame = FrameOf(pose);
    const double last = EndAngleLocal();
    TrackSection start = RadialSection(frame, m_fStartAngle);
    for (double angle = m_fStartAngle; angle < last;) {
        angle = std::min(angle + kSegmentAngle, last);
        TrackSection end = RadialSection(frame, angle);
        if (angle < last)
            end.across = TrackModelBuilder::AcrossChord(start.centre, end.centre);
        if (model.AddSegment(start, end))
            start = end;
    }
    return model.Finish();
}
