#include "model/CConnectionPass.h"

#include "model/TrackConnectionState.h"

CConnectionPass::CConnectionPass(TrackConnectionState& state, CTrackEndIndex& ends, const TrackLimits& limits)
    : m_state(state) {
    m_state.passEnds = &ends;
    m_state.passLimits = limits;
}

CConnectionPass::~CConnectionPass() {
    m_state.passEnds = nullptr;
}
