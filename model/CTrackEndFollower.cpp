#include "model/CTrackEndFollower.h"

#include <algorithm>

#include "model/CGroup.h"
#include "model/CTrackEndIndex.h"
#include "model/CTrackEndSource.h"

bool CTrackEndFollower::CatchUp(CPaint* root, const TrackLimits& limits) {
    CompactUnsettled();
    // Unsettled at more points than the layout has ends, the whole pass costs less.
    const bool fewUnsettled = m_unsettled.size() <= 2 * static_cast<size_t>(m_ends.Count()) + 64;
    if (!m_settled || !fewUnsettled || limits != m_limits || m_ends.Collections() != m_collection ||
        !m_ends.HoldsMembersOf(root, m_added.size())) {
        Lose();
        return false;
    }
    if (!m_added.empty())
        CollectWithAdded(root);
    for (CPaint* object : m_moved) {
        const int at = m_ends.PlaceOf(object);
        if (at < 0)
            continue;
        // Joints may have gone where the object lay and may be made where it lies now.
        m_ends.EndsOf(at, m_unsettled);
        m_ends.Refresh(object);
        m_ends.EndsOf(at, m_unsettled);
    }
    m_moved.clear();
    m_movedSet.clear();
    return true;
}

void CTrackEndFollower::CollectWithAdded(CPaint* root) {
    for (CPaint* object : m_moved) {
        const int at = m_ends.PlaceOf(object);
        if (at >= 0)
            m_ends.EndsOf(at, m_unsettled);
    }
    m_ends.Rebuild(root);
    m_collection = m_ends.Collections();
    m_moved.insert(m_moved.end(), m_added.begin(), m_added.end());
    for (CPaint* object : m_moved) {
        const int at = m_ends.PlaceOf(object);
        if (at >= 0)
            m_ends.EndsOf(at, m_unsettled);
    }
    m_added.clear();
    m_moved.clear();
    m_movedSet.clear();
}

void CTrackEndFollower::CompactUnsettled() {
    if (m_unsettled.size() <= 2 * static_cast<size_t>(m_ends.Count()) + 64)
        return;
    const auto before = [](const CDoublePoint& a, const CDoublePoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    };
    std::sort(m_unsettled.begin(), m_unsettled.end(), before);
    m_unsettled.erase(std::unique(m_unsettled.begin(), m_unsettled.end()), m_unsettled.end());
}

bool CTrackEndFollower::FewUnsettled() const {
    // Pieces have two ends.
    return m_unsettled.size() * 4 <= 2 * static_cast<size_t>(m_ends.Count()) + 64;
}

bool CTrackEndFollower::Settled(const TrackLimits& limits) const {
    return m_settled && limits == m_limits && m_ends.Collections() == m_collection;
}

void CTrackEndFollower::MarkSettled(const TrackLimits& limits) {
    m_settled = true;
    m_passDue = false;
    m_limits = limits;
    m_collection = m_ends.Collections();
    m_moved.clear();
    m_movedSet.clear();
}

void CTrackEndFollower::KeepPassInputs(const std::vector<int>& places) {
    m_kept.clear();
    m_ends.ForgetRefreshed();
    for (int at : places) m_kept.emplace_back(at, m_ends.SourceAt(at)->MarkedByPass());
}

void CTrackEndFollower::KeepAllPassInputs() {
    m_kept.clear();
    m_ends.ForgetRefreshed();
    for (int at = 0; at < m_ends.Count(); ++at) m_kept.emplace_back(at, m_ends.SourceAt(at)->MarkedByPass());
}

void CTrackEndFollower::NoteChangedPassInputs() {
    for (const auto& [at, marked] : m_kept) {
        const CTrackEndSource* source = m_ends.SourceAt(at);
        if (source->PassReadMark() && source->MarkedByPass() != marked)
            m_ends.EndsOf(at, m_unsettled);
    }
    for (int at : m_ends.Refreshed()) m_ends.EndsOf(at, m_unsettled);
    m_kept.clear();
    m_ends.ForgetRefreshed();
}

void CTrackEndFollower::Follow(CPaint* object) {
    if (!m_settled)
        return;
    // A group's members move with it under a placement the index keeps for each of them.
    if (object->IsKindOf(RUNTIME_CLASS(CGroup))) {
        Lose();
        return;
    }
    if (m_movedSet.insert(object).second)
        m_moved.push_back(object);
    // Past a quarter of the layout, collecting it all again costs less.
    if (m_moved.size() * 4 > static_cast<size_t>(m_ends.Count()) + 16)
        Lose();
}

void CTrackEndFollower::FollowAdded(CPaint* object, bool inRoot) {
    if (!m_settled)
        return;
    // A group's members are collected under placements the index keeps for its groups.
    if (!inRoot || object->IsKindOf(RUNTIME_CLASS(CGroup))) {
        Lose();
        return;
    }
    m_added.push_back(object);
    m_passDue = true;
}

void CTrackEndFollower::FollowReshaped(const CPaint* object) {
    const int at = m_ends.PlaceOf(object);
    std::vector<CDoublePoint> ends;
    if (at >= 0)
        m_ends.EndsOf(at, ends);
    const size_t former = ends.size();
    m_ends.Refresh(object);
    if (at >= 0)
        m_ends.EndsOf(at, ends);
    const auto formerEnd = ends.begin() + static_cast<std::ptrdiff_t>(former);
    if (!std::equal(ends.begin(), formerEnd, formerEnd, ends.end()))
        NoteUnsettled(ends);
}

void CTrackEndFollower::Lose() {
    m_settled = false;
    m_passDue = false;
    m_added.clear();
    m_moved.clear();
    m_movedSet.clear();
    m_unsettled.clear();
}

void CTrackEndFollower::NoteUnsettled(const std::vector<CDoublePoint>& points) {
    if (m_settled)
        m_unsettled.insert(m_unsettled.end(), points.begin(), points.end());
}
