#include "model/CSnapProbe.h"

#include <utility>

#include "model/TrackConnectionState.h"

CSnapProbe::CSnapProbe(TrackConnectionState& state, CTrackEndIndex& ends)
    : m_state(state), m_former(std::exchange(state.probeEnds, &ends)) {}

CSnapProbe::~CSnapProbe() {
    m_state.probeEnds = m_former;
}
