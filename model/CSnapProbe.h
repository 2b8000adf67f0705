#pragma once

class CTrackEndIndex;
struct TrackConnectionState;

// Hands the engine's snap probes the layout's track ends by place for as long as it lives,
// so that each probe asks only the pieces near it; whatever ends the probing, the probes
// never reach an index gone with it.
class CSnapProbe {
  public:
    CSnapProbe(TrackConnectionState& state, CTrackEndIndex& ends);
    ~CSnapProbe();
    CSnapProbe(const CSnapProbe&) = delete;
    CSnapProbe& operator=(const CSnapProbe&) = delete;

  private:
    TrackConnectionState& m_state;
    CTrackEndIndex* m_former;
};
