#pragma once

#include "model/CPose.h"

class CTrackEndIndex;

// A layout object with track ends. Every object that answers the connection pass's
// questions (ReleaseEndAt, MatchEndAt, JoinEndAt) is one, so that the pass can look its
// ends up by place instead of asking every object of the layout.
class CTrackEndSource {
  public:
    virtual ~CTrackEndSource() = default;
    // Adds every point at which the object answers those questions: its ends under the
    // placement the root group's walk hands it, and under its own parent placement.
    virtual void AddEndsTo(CTrackEndIndex& index, const CPose& frame) = 0;
};
