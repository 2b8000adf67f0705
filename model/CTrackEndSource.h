#pragma once

#include <functional>

#include "model/CPose.h"
#include "model/Geometry.h"

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

    // For a connection pass over the joints a change touches (Undo of a move), the object does
    // what the pass over the whole layout does with it there.
    // Whether an earlier edit left it marked for the pass (a recheck, released ends).
    virtual bool AwaitsConnectionPass() const = 0;
    // Whether the whole pass, run now, marks the object, so that it joins its own ends rather
    // than its partners': the one thing the pass reads of the object's joints, as it lets
    // go of them all.
    virtual bool MarkedByPass() const = 0;
    // Whether a pass read that mark at a joint as it now stands: a pass does only where an end
    // of the object found partners none of which was joined yet. A pass over a few joints
    // leaves the others standing, so only the whole pass forgets the reading.
    virtual bool PassReadMark() const = 0;
    // Marked as the whole pass marks every object before its ends are let go.
    virtual void MarkForPass() = 0;
    // Lets go of its ends as the whole pass's questions at them do, where the object is asked
    // under its own parent placement.
    virtual void ReleaseOwnEnds() = 0;
    // Joins those of its ends, at their points under the placement, that the pass takes.
    virtual void JoinEndsIn(const CPose& frame, const std::function<bool(CDoublePoint)>& taken) = 0;

    // Whether the engine's snap probe from the object's ends, as FindConnection sends it with
    // the object in this placement, is sure to be answered by the object's own end; the
    // object's probe then need not be sent to learn that it finds a connection.
    virtual bool ProbeMeetsOwnEnd(const CPose& frame) = 0;
};
