#include "track/CSplineTrack.h"
#include "track/TrackModelBuilder.h"

std::unique_ptr<r3d::Clump> CSplineTrack::Build3D(const CPose* pose) {
    TrackModelBuilder model(*this);
    const CPose& frame = FrameOf(pose);
    // Each segment's first sample is the previous one's last, so it is taken once.
    std::vector<CDoublePoint> points;
    for (int knot = kFirstKnot; knot + 3 <= LastIndex(); knot += 3) {
        SampleSegment(frame, knot, 0);
        for (int i = points.empty() ? 0 : 1; i <= kBezierSteps; ++i)
            points.push_back({static_cast<double>(m_centreSamples.points[i][0]),
                              static_cast<double>(m_centreSamples.points[i][1])});
    }
    model.AddPath(points, m_fBeginElevation, m_fEndElevation, GetEndAngle(pose, 0),
                  GetEndAngle(pose, 1) - 3.1415926535);
    return model.Finish();
}
