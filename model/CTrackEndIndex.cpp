#include "model/CTrackEndIndex.h"

#include <algorithm>
#include <cmath>

#include "model/CGroup.h"
#include "model/CTrackEndSource.h"

namespace {

// Beyond this the rounding of a placement could outgrow the margin; such points are asked
// everywhere.
constexpr double kGridLimit = 1e9;
// Far more than a placement's rounding within the limit: the pieces measure in their own
// frames, the grid in the world.
constexpr double kMargin = 1e-3;

}  // namespace

void CTrackEndIndex::Rebuild(CPaint* root, double leastReach) {
    Changed();
    m_root = root;
    ++m_collections;
    m_groups.clear();
    m_objects.clear();
    m_ends.clear();
    m_everywhere.clear();
    m_places.clear();
    m_refreshed.clear();
    m_largestReach = 0.0;
    m_leastReach = std::isfinite(leastReach) ? std::max(leastReach, 0.0) : 0.0;
    if (root != nullptr) {
        ReserveFor(root);
        Collect(root, CPose());
    }
    BuildGrid();
}

void CTrackEndIndex::ReserveFor(const CPaint* root) {
    // A layout that grew by thousands of pieces, as by a Duplicate of all of it, would else be
    // moved to larger storage many times over while it is collected.
    if (!root->IsKindOf(RUNTIME_CLASS(CGroup)))
        return;
    const std::size_t members = static_cast<const CGroup*>(root)->m_members.size();
    if (m_objects.capacity() < members)
        m_objects.reserve(members);
    if (m_ends.capacity() < 2 * members)
        m_ends.reserve(2 * members);
}

void CTrackEndIndex::Regrid(double leastReach) {
    Changed();
    m_leastReach = std::isfinite(leastReach) ? std::max(leastReach, 0.0) : 0.0;
    BuildGrid();
}

void CTrackEndIndex::Collect(CPaint* object, const CPose& frame) {
    if (object->IsKindOf(RUNTIME_CLASS(CGroup))) {
        const auto* group = static_cast<const CGroup*>(object);
        m_groups.push_back(GroupMark{group, group->m_members.Version(), group->m_members.size(),
                                     group->m_pose, group->m_parentPose});
        const CPose world = group->WorldPose(&frame);
        for (CPaint* member : group->m_members) Collect(member, world);
        return;
    }
    CTrackEndSource* source = object->TrackEndSource();
    if (source == nullptr)
        return;
    m_collecting = static_cast<int>(m_objects.size());
    m_objects.push_back(Object{object, source, frame, 0, 0});
    CollectEnds(m_objects.back());
}

void CTrackEndIndex::CollectEnds(Object& object) {
    object.firstEnd = m_ends.size();
    object.source->AddEndsTo(*this, object.frame);
    object.endCount = m_ends.size() - object.firstEnd;
}

void CTrackEndIndex::AddEnd(CDoublePoint world, double scale, double reach) {
    m_largestReach = std::max(m_largestReach, reach);
    if (!HoldsGridPoint(world, scale)) {
        if (m_everywhere.empty() || m_everywhere.back() != m_collecting)
            m_everywhere.push_back(m_collecting);
        return;
    }
    m_ends.push_back(End{world, m_collecting, -1});
}

bool CTrackEndIndex::HoldsMembersOf(const CPaint* root, std::size_t added) const {
    if (root != m_root || m_groups.empty())
        return false;
    // Every change of a member list counts in its version: the root's went up by the objects
    // added alone. The root is collected first.
    const GroupMark& rootMark = m_groups.front();
    if (rootMark.group->m_members.Version() != rootMark.version + added ||
        rootMark.group->m_members.size() != rootMark.size + added)
        return false;
    // A group left out of its holder changed the holder's version, which is read first.
    for (const GroupMark& mark : m_groups)
        if ((mark.group->m_members.Version() != mark.version && &mark != &rootMark) ||
            !mark.group->m_pose.SameAs(mark.pose) || !mark.group->m_parentPose.SameAs(mark.parentPose))
            return false;
    return true;
}

bool CTrackEndIndex::HoldsGridPoint(CDoublePoint point, double scale) const {
    return scale <= kGridLimit && std::fabs(point.x) <= kGridLimit && std::fabs(point.y) <= kGridLimit;
}

void CTrackEndIndex::BuildGrid() {
    // Cells twice the reach: the square within reach of a point meets at most four.
    m_reach = GridReach() + kMargin;
    m_cellSize = 2.0 * m_reach;
    size_t size = 16;
    while (size < m_ends.size() * 2) size *= 2;
    m_buckets.assign(size, -1);
    // Filed from the last end back, each bucket lists its ends in member order, which a
    // look-up then need not sort.
    for (size_t end = m_ends.size(); end-- > 0;)
        if (m_ends[end].object >= 0)
            File(static_cast<int>(end));
}

void CTrackEndIndex::File(int index) {
    Changed();
    End& end = m_ends[static_cast<size_t>(index)];
    int& head = m_buckets[Bucket(Cell(end.world.x), Cell(end.world.y))];
    end.next = head;
    head = index;
}

std::int64_t CTrackEndIndex::Cell(double coordinate) const {
    return static_cast<std::int64_t>(std::floor(coordinate / m_cellSize));
}

size_t CTrackEndIndex::Bucket(std::int64_t cellX, std::int64_t cellY) const {
    std::uint64_t hash = static_cast<std::uint64_t>(cellX) * 0x9E3779B97F4A7C15ull ^
                         static_cast<std::uint64_t>(cellY) * 0xC2B2AE3D27D4EB4Full;
    hash ^= hash >> 29;
    return static_cast<size_t>(hash) & (m_buckets.size() - 1);
}

int CTrackEndIndex::Find(const CPaint* object) {
    if (m_places.empty())
        FillPlaces();
    const size_t mask = m_places.size() - 1;
    for (size_t slot = SlotOf(object, m_places.size());; slot = (slot + 1) & mask)
        if (m_places[slot].first == object || m_places[slot].first == nullptr)
            return m_places[slot].first != nullptr ? m_places[slot].second : -1;
}

void CTrackEndIndex::FillPlaces() {
    size_t size = 16;
    while (size < m_objects.size() * 2) size *= 2;
    m_places.assign(size, {nullptr, -1});
    const size_t mask = size - 1;
    for (size_t at = 0; at < m_objects.size(); ++at) {
        const CPaint* object = m_objects[at].object;
        size_t slot = SlotOf(object, size);
        while (m_places[slot].first != nullptr && m_places[slot].first != object) slot = (slot + 1) & mask;
        // An object met twice keeps its first place.
        if (m_places[slot].first == nullptr)
            m_places[slot] = {object, static_cast<int>(at)};
    }
}

size_t CTrackEndIndex::SlotOf(const CPaint* object, size_t slots) {
    std::uint64_t hash =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(object)) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 32;
    return static_cast<size_t>(hash) & (slots - 1);
}

void CTrackEndIndex::Unfile(Object& object) {
    Changed();
    for (size_t end = object.firstEnd; end < object.firstEnd + object.endCount; ++end) {
        // Taken out of its bucket, so that a kept index's buckets do not fill with former ends.
        const CDoublePoint world = m_ends[end].world;
        int* link = &m_buckets[Bucket(Cell(world.x), Cell(world.y))];
        while (*link != static_cast<int>(end)) link = &m_ends[static_cast<size_t>(*link)].next;
        *link = m_ends[end].next;
        m_ends[end].object = -1;
    }
}

bool CTrackEndIndex::AskedUnderOwnPlacement(int at) const {
    const Object& object = m_objects[static_cast<size_t>(at)];
    // Filed in member order, and sorted again when a refresh adds to them.
    return !std::binary_search(m_everywhere.begin(), m_everywhere.end(), at) &&
           object.frame.SameAs(object.object->m_parentPose);
}

void CTrackEndIndex::EndsOf(int at, std::vector<CDoublePoint>& ends) const {
    const Object& object = m_objects[static_cast<size_t>(at)];
    for (size_t end = object.firstEnd; end < object.firstEnd + object.endCount; ++end)
        ends.push_back(m_ends[end].world);
}

void CTrackEndIndex::Refresh(const CPaint* object) {
    const int at = Find(object);
    if (at < 0 || m_objects[static_cast<size_t>(at)].forgotten)
        return;
    m_refreshed.push_back(at);
    Object& refreshed = m_objects[static_cast<size_t>(at)];
    Unfile(refreshed);
    const size_t formerFirst = refreshed.firstEnd, formerCount = refreshed.endCount;
    m_collecting = at;
    CollectEnds(refreshed);
    // The ends take the places of the former ones when they fit there.
    if (refreshed.endCount <= formerCount) {
        std::copy(m_ends.begin() + static_cast<std::ptrdiff_t>(refreshed.firstEnd), m_ends.end(),
                  m_ends.begin() + static_cast<std::ptrdiff_t>(formerFirst));
        m_ends.resize(refreshed.firstEnd);
        refreshed.firstEnd = formerFirst;
    }
    if (GridReach() + kMargin > m_reach)
        BuildGrid();
    else
        for (size_t end = refreshed.firstEnd; end < refreshed.firstEnd + refreshed.endCount; ++end)
            File(static_cast<int>(end));
    if (!m_everywhere.empty() && m_everywhere.back() == m_collecting)
        std::sort(m_everywhere.begin(), m_everywhere.end());
}

void CTrackEndIndex::Forget(const CPaint* object) {
    if (object->IsKindOf(RUNTIME_CLASS(CGroup))) {
        for (const CPaint* member : static_cast<const CGroup*>(object)->m_members) Forget(member);
        return;
    }
    const int at = Find(object);
    if (at < 0)
        return;
    Object& forgotten = m_objects[static_cast<size_t>(at)];
    Unfile(forgotten);
    forgotten.endCount = 0;
    forgotten.forgotten = true;
    Changed();
    std::erase(m_everywhere, at);
}

void CTrackEndIndex::Near(double x, double y) {
    // The ends at a joint ask at the one point, each twice as it joins.
    if (m_nearValid && m_nearPoint.x == x && m_nearPoint.y == y)
        return;
    m_nearValid = true;
    m_nearPoint = {x, y};
    m_near.clear();
    if (!(std::fabs(x) <= kGridLimit && std::fabs(y) <= kGridLimit)) {
        for (size_t at = 0; at < m_objects.size(); ++at)
            if (!m_objects[at].forgotten)
                m_near.push_back(static_cast<int>(at));
        return;
    }
    const double reach2 = m_reach * m_reach;
    bool inOrder = true;
    auto add = [this, &inOrder](int place) {
        if (!m_near.empty() && place <= m_near.back()) {
            if (place == m_near.back())
                return;
            inOrder = false;
        }
        m_near.push_back(place);
    };
    const std::int64_t lastRow = Cell(y + m_reach), lastColumn = Cell(x + m_reach);
    for (std::int64_t row = Cell(y - m_reach); row <= lastRow; ++row) {
        for (std::int64_t column = Cell(x - m_reach); column <= lastColumn; ++column) {
            for (int at = m_buckets[Bucket(column, row)]; at >= 0;
                 at = m_ends[static_cast<size_t>(at)].next) {
                const End& end = m_ends[static_cast<size_t>(at)];
                const double dx = end.world.x - x, dy = end.world.y - y;
                if (end.object >= 0 && dx * dx + dy * dy < reach2)
                    add(end.object);
            }
        }
    }
    for (int at : m_everywhere) add(at);
    if (inOrder)
        return;
    std::sort(m_near.begin(), m_near.end());
    m_near.erase(std::unique(m_near.begin(), m_near.end()), m_near.end());
}
