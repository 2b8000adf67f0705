#include "model/CTrackEndFollower.h"

#include "model/CGroup.h"
#include "model/CTrackEndIndex.h"
#include "model/CTrackEndSource.h"

bool CTrackEndFollower::CatchUp(CPaint* root, const TrackLimits& limits) {
    // Unsettled at more points than the layout has ends, the whole pass costs less.
    const bool fewUnsettled = m_unsettled.size() <= 2 * static_cast<size_t>(m_ends.Count()) + 64;
    if (!m_settled || !fewUnsettled || limits != m_limits || m_ends.Collections() != m_collection ||
        !m_ends.HoldsMembersOf(root)) {
        Lose();
        return false;
    }
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

bool CTrackEndFollower::Settled(const TrackLimits& limits) const {
    return m_settled && limits == m_limits && m_ends.Collections() == m_collection;
}

void CTrackEndFollower::MarkSettled(const TrackLimits& limits) {
    m_settled = true;
    m_limits = limits;
    m_collection = m_ends.Collections();
    m_moved.clear();
    m_movedSet.clear();
}

void CTrackEndFollower::KeepFlags(const std::vector<int>& places) {
    m_flags.clear();
    for (int at : places) m_flags.emplace_back(at, m_ends.SourceAt(at)->JointFlags());
}

void CTrackEndFollower::KeepAllFlags() {
    m_flags.clear();
    for (int at = 0; at < m_ends.Count(); ++at) m_flags.emplace_back(at, m_ends.SourceAt(at)->JointFlags());
}

void CTrackEndFollower::NoteChangedFlags() {
    for (const auto& [at, flags] : m_flags)
        if (m_ends.SourceAt(at)->JointFlags() != flags)
            m_ends.EndsOf(at, m_unsettled);
    m_flags.clear();
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

void CTrackEndFollower::Lose() {
    m_settled = false;
    m_moved.clear();
    m_movedSet.clear();
    m_unsettled.clear();
}

void CTrackEndFollower::NoteUnsettled(const std::vector<CDoublePoint>& points) {
    if (m_settled)
        m_unsettled.insert(m_unsettled.end(), points.begin(), points.end());
}
