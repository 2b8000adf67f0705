#include "track/CSweptTrack.h"

#include <cmath>

#include "model/CTool.h"
#include "model/Units.h"
#include "track/TrackPayloads.h"

int CSweptTrack::MirrorX(double c) {
    EnsurePoints();
    MirrorArcX(c, m_ptCentre, m_fStartAngle, m_fSweep);
    return 1;
}

int CSweptTrack::MirrorY(double c) {
    EnsurePoints();
    MirrorArcY(c, m_ptCentre, m_fStartAngle, m_fSweep);
    return 1;
}

double CSweptTrack::Margin() const {
    return LargestWidth() / 2.0;
}

double CSweptTrack::MarkerAngle(double radius) const {
    const double handle = m_pTool != nullptr ? m_pTool->m_fHandleSize : 10.0;
    const double q = 60.0 * handle / radius;
    return q >= -1.0 && q <= 1.0 ? 2.0 * std::asin(q) : kPi * 0.5;
}

double CSweptTrack::StartAfterCut(double delta) const {
    const double start = m_fStartAngle + delta;
    return start > kFullTurn ? start - kFullTurn : start;
}

int CSweptTrack::ApplyCutNow(double value, int groupStart) {
    CEditStep step(kStepCutTrack, this, groupStart);
    auto payload = std::make_unique<CutTrackPayload>();
    WriteCutData(*payload, value, 0.0);
    step.SetPayload(std::move(payload));
    return ApplyEditStep(&step);
}
