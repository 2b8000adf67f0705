#pragma once

class CTrackEndIndex;
struct TrackConnectionState;
struct TrackLimits;

// Hands the pieces the layout's ends and limits for as long as a connection pass runs, so
// that each end asks only the pieces with an end near it instead of the whole layout.
class CConnectionPass {
  public:
    CConnectionPass(TrackConnectionState& state, CTrackEndIndex& ends, const TrackLimits& limits);
    ~CConnectionPass();
    CConnectionPass(const CConnectionPass&) = delete;
    CConnectionPass& operator=(const CConnectionPass&) = delete;

  private:
    TrackConnectionState& m_state;
};
