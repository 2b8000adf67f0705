#include "track/CTrack.h"
#include "track/TrackModelBuilder.h"

std::unique_ptr<r3d::Clump> CTrack::Build3D(const CPose* pose) {
    TrackModelBuilder model(*this);
    const CPose& frame = FrameOf(pose);
    const CDoublePoint begin = LocalToWorldInFrame(frame, m_ptFirst.x, m_ptFirst.y);
    const CDoublePoint end = LocalToWorldInFrame(frame, m_ptSecond.x, m_ptSecond.y);
    const CDoublePoint across = TrackModelBuilder::AcrossChord(begin, end);
    model.AddSegment({begin, across, m_fBeginElevation}, {end, across, m_fEndElevation});
    return model.Finish();
}
