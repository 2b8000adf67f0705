#include <algorithm>

#include "track/CArcTrack.h"
#include "track/TrackModelBuilder.h"

std::unique_ptr<r3d::Clump> CArcTrack::Build3D(const CPose* pose) {
    m_fRoadbedHeight = std::max(m_fRoadbedHeight, 0.0);
    TrackModelBuilder model(*this);
    // Too narrow an ellipse has no room between the rails.
    if (m_fRadiusX <= m_fGauge / 2.0 || m_fRadiusY <= m_fGauge / 2.0 || m_fSweep == 0.0)
        return nullptr;
    Sample samples[kMaxSamples];
    const int count = Walk(false, samples, m_fGauge);
    if (count < 2)
        return nullptr;
    const CPose& frame = FrameOf(pose);
    std::vector<CDoublePoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        points.push_back(LocalToWorldInFrame(frame, samples[i].point.x, samples[i].point.y));
    model.AddPath(points, m_fBeginElevation, m_fEndElevation, GetEndAngle(pose, 0),
                  GetEndAngle(pose, 1) - 3.1415926535);
    return model.Finish();
}
