#pragma once

#include <unordered_set>
#include <utility>
#include <vector>

#include "model/Geometry.h"
#include "model/TrackConnectionState.h"

class CPaint;
class CTrackEndIndex;

// Keeps the index of track ends alive from one connection pass to the next while the layout
// only has objects moved, and remembers where the joints the whole pass left may no longer
// be as that pass would leave them: the former and present ends of the moved objects and the
// ends of the pieces joined since. A pass over the joints near those points then leaves the layout as the
// pass over the whole of it would. Pieces pasted or duplicated into the root group are followed
// too: their ends are unsettled, and the pass near them is due while the program waits for the
// user. Any change it cannot follow loses that knowledge, and the next pass covers the whole
// layout again.
class CTrackEndFollower {
  public:
    explicit CTrackEndFollower(CTrackEndIndex& ends) : m_ends(ends) {}
    CTrackEndFollower(const CTrackEndFollower&) = delete;
    CTrackEndFollower& operator=(const CTrackEndFollower&) = delete;

    // Brings the index to where the layout's objects lie now by collecting again only the moved
    // objects, when it can. Answers whether it could and the joints are as the whole pass leaves
    // them, but for those near Unsettled(); when not, it knows nothing more, and the index is
    // left for the caller to collect again.
    // Joints made under other limits are not known to be the whole pass's.
    bool CatchUp(CPaint* root, const TrackLimits& limits);
    // Whether the joints are known to be as the whole pass under these limits leaves them, but
    // for those near Unsettled().
    bool Settled(const TrackLimits& limits) const;
    // The pass over the whole layout, or over every joint near Unsettled(), has just run
    // under these limits.
    void MarkSettled(const TrackLimits& limits);
    // The object has been moved, turned or put back where it stood.
    void Follow(CPaint* object);
    // The object has come into the layout, whole, as a member of the root group when `inRoot`.
    void FollowAdded(CPaint* object, bool inRoot);
    // Objects came into the layout since the last pass: it is due, near them.
    bool PassDue() const { return m_passDue; }
    // The object was reshaped where it lies: the index collects its ends again, and those that
    // moved are unsettled.
    void FollowReshaped(const CPaint* object);
    // The layout changed in a way the index does not follow.
    void Lose();
    // Joints are about to be made or let go at these points, outside a pass.
    void NoteUnsettled(const std::vector<CDoublePoint>& points);
    const std::vector<CDoublePoint>& Unsettled() const { return m_unsettled; }
    // Whether few enough points are unsettled that a pass near them costs less than the whole
    // pass: up to a quarter of the layout's ends.
    bool FewUnsettled() const;
    // The pass about to run covers every joint near Unsettled().
    void ForgetUnsettled() { m_unsettled.clear(); }
    // Before a pass: what the pass reads of the objects at these places of the index, or of
    // all: whether it marks each. The index keeps the objects whose ends move meanwhile.
    void KeepPassInputs(const std::vector<int>& places);
    void KeepAllPassInputs();
    // After the pass: the joints of an object whose mark the pass read, and would read
    // otherwise now, or whose ends it moved, may change when it runs again; its ends are
    // unsettled. The pass branches on nothing else: where every mark it read is alike, it
    // runs the same way again and makes the same joints.
    void NoteChangedPassInputs();

  private:
    // The moved objects' former ends, the index collected again, and the present ends of the
    // moved and added objects.
    void CollectWithAdded(CPaint* root);
    // Points noted twice are kept once, when there are more of them than the layout has ends.
    void CompactUnsettled();

    CTrackEndIndex& m_ends;
    bool m_settled = false;
    TrackLimits m_limits;
    // The index's collection the follower knows; one made by another pass meanwhile missed
    // the moves since.
    unsigned long m_collection = 0;
    std::vector<CPaint*> m_moved;
    std::unordered_set<const CPaint*> m_movedSet;
    std::vector<CPaint*> m_added;
    bool m_passDue = false;
    std::vector<CDoublePoint> m_unsettled;
    // The places kept before the present pass, each with whether the pass marks the object.
    std::vector<std::pair<int, bool>> m_kept;
};
