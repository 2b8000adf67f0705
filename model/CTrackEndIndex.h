#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/CPose.h"
#include "model/Geometry.h"

class CGroup;
class CPaint;
class CTrackEndSource;

// The track ends of a whole layout in a grid of cells, built once for a connection pass so
// that each end asks only the pieces with an end near it instead of every piece through the
// root group. The pieces answer exactly as they do to the root group's walk: the index only
// leaves out pieces with no end within their reach of the point, and asks the others in
// member order with the placement the walk would hand them.
class CTrackEndIndex {
  public:
    CTrackEndIndex() = default;
    CTrackEndIndex(const CTrackEndIndex&) = delete;
    CTrackEndIndex& operator=(const CTrackEndIndex&) = delete;

    // Collects anew the ends of every object under the root group, in member order; the
    // storage of the last collection is used again. Objects are found at least `leastReach`
    // from their ends.
    void Rebuild(CPaint* root, double leastReach = 0.0);
    // Files the ends last collected anew for another least reach, without collecting them
    // again: for a layout whose changes since were all followed.
    void Regrid(double leastReach);

    // For the object being collected: a world point at which it answers within `reach`;
    // `scale` is the largest coordinate its placement and local point involve.
    void AddEnd(CDoublePoint world, double scale, double reach);
    // The object was reshaped during the pass: its ends are collected again.
    void Refresh(const CPaint* object);
    // The object, or every piece of the group, left the layout during the pass: it is asked
    // no more.
    void Forget(const CPaint* object);

    // The objects collected, in member order, each with the placement the walk hands it.
    int Count() const { return static_cast<int>(m_objects.size()); }
    CPaint* ObjectAt(int at) const { return m_objects[static_cast<std::size_t>(at)].object; }
    CTrackEndSource* SourceAt(int at) const { return m_objects[static_cast<std::size_t>(at)].source; }
    const CPose& FrameAt(int at) const { return m_objects[static_cast<std::size_t>(at)].frame; }
    // The object's place in member order, or -1 when it has no ends here.
    int PlaceOf(const CPaint* object) { return Find(object); }
    // Whether the grid keeps the object's ends and the walk asks it under its own parent
    // placement: then its own question at an end reaches it as any piece's there does.
    bool AskedUnderOwnPlacement(int at) const;
    // Whether the object left the layout since the collection.
    bool Forgotten(int at) const { return m_objects[static_cast<std::size_t>(at)].forgotten; }
    // Appends the object's ends as last collected.
    void EndsOf(int at, std::vector<CDoublePoint>& ends) const;
    // The places of the objects that may answer at (x, y), in member order.
    const std::vector<int>& PlacesNear(double x, double y) {
        Near(x, y);
        return m_near;
    }
    // Within this of a point, the index finds every end that may answer there.
    double Reach() const { return m_reach; }
    // Whether the layout under the root still has the groups, members in order and group
    // placements it had at the last collection, so that only moved objects need collecting;
    // but for `added` objects put into the root group since, when there are some.
    bool HoldsMembersOf(const CPaint* root, std::size_t added = 0) const;
    // The places of the objects collected again since the last ForgetRefreshed() or Rebuild(),
    // as their ends moved.
    const std::vector<int>& Refreshed() const { return m_refreshed; }
    void ForgetRefreshed() { m_refreshed.clear(); }
    // Counts the collections of the whole layout.
    unsigned long Collections() const { return m_collections; }

    // Asks the objects that may answer at (x, y), in member order, until one says yes.
    template <class Ask>
    bool AskNear(double x, double y, Ask ask) {
        Near(x, y);
        for (int at : m_near)
            if (ask(m_objects[static_cast<std::size_t>(at)].object,
                    m_objects[static_cast<std::size_t>(at)].frame))
                return true;
        return false;
    }

  private:
    struct Object {
        CPaint* object;
        CTrackEndSource* source;
        CPose frame;
        // The object's live ends: these in m_ends.
        std::size_t firstEnd;
        std::size_t endCount;
        // Out of the layout since the collection.
        bool forgotten = false;
    };
    // Kept small, as look-ups walk them; ends of other cells that share a bucket fail the
    // distance test.
    struct End {
        CDoublePoint world;
        // -1 once the object was collected again.
        int object;
        int next;
    };

    // A group as collected: its member list's version and its placements.
    struct GroupMark {
        const CGroup* group;
        std::uint64_t version;
        std::size_t size;
        CPose pose;
        CPose parentPose;
    };

    // Makes room for at least the root group's own members and their ends.
    void ReserveFor(const CPaint* root);
    void Collect(CPaint* object, const CPose& frame);
    // The place of the object in m_objects, or -1.
    int Find(const CPaint* object);
    void FillPlaces();
    static std::size_t SlotOf(const CPaint* object, std::size_t slots);
    void Unfile(Object& object);
    void CollectEnds(Object& object);
    void BuildGrid();
    void File(int end);
    std::size_t Bucket(std::int64_t cellX, std::int64_t cellY) const;
    std::int64_t Cell(double coordinate) const;
    bool HoldsGridPoint(CDoublePoint point, double scale) const;
    // The reach the grid is to serve, without the margin.
    double GridReach() const { return std::max(m_largestReach, m_leastReach); }
    // Fills m_near with the objects that may answer at (x, y), in member order; asked at the
    // same point again with the index unchanged, it keeps them.
    void Near(double x, double y);
    // The index changed: m_near is no longer known to answer for its point.
    void Changed() { m_nearValid = false; }

    const CPaint* m_root = nullptr;
    unsigned long m_collections = 0;
    // Every group collected, each after the group holding it.
    std::vector<GroupMark> m_groups;
    std::vector<Object> m_objects;
    std::vector<End> m_ends;
    // Objects with a point the grid cannot hold; they are asked everywhere.
    std::vector<int> m_everywhere;
    std::vector<int> m_buckets;
    double m_cellSize = 0.0;
    // The largest reach of an end, and the least reach asked for.
    double m_largestReach = 0.0;
    double m_leastReach = 0.0;
    // The largest reach with the margin, and the cells' size.
    double m_reach = 0.0;
    int m_collecting = -1;
    // The objects' places by object, open addressed: filled in one pass over the objects,
    // with no allocation for each; empty until asked.
    std::vector<std::pair<const CPaint*, int>> m_places;
    std::vector<int> m_near;
    std::vector<int> m_refreshed;
    bool m_nearValid = false;
    CDoublePoint m_nearPoint;
};
