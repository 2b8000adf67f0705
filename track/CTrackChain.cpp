#include "track/CTrackChain.h"

#include "model/CGroup.h"
#include "model/CTool.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"

bool CTrackChain::Contains(const CPaint* piece) const {
    return m_positions.count(piece) != 0;
}

bool CTrackChain::Touch(double ax, double ay, double bx, double by) const {
    return Distance(CDoublePoint{ax, ay}, CDoublePoint{bx, by}) < m_tool.m_fHandleSize;
}

CParTrack* CTrackChain::TrackUnderCursor(CGroup* group, const CParTrack* skipped) {
    const double tolerance = m_tool.GetHandleTolerance();
    if (!m_grid.IsBuiltFor(group, tolerance))
        m_grid.Rebuild(group, tolerance);
    return m_grid.FirstHit(m_tool.m_fCurrentX, m_tool.m_fCurrentY, skipped);
}

void CTrackChain::Start(CGroup* group) {
    if (m_bActive)
        return;
    // The layout may have changed since the last chain.
    m_grid.Clear();
    CParTrack* piece = TrackUnderCursor(group, nullptr);
    if (piece == nullptr) {
        if (m_tool.ReturnsToSelector())
            m_tool.m_toolMode.Set(0);
        return;
    }
    Append(piece, 0);
    m_bActive = true;
}

void CTrackChain::Follow(CGroup* group) {
    if (!m_bActive || m_links.empty())
        return;
    CParTrack* last = m_links.back().piece;
    CParTrack* next = TrackUnderCursor(group, last);
    if (next == nullptr)
        return;
    const auto known = m_positions.find(next);
    if (known != m_positions.end()) {
        ShrinkTo(known->second);
        return;
    }
    const CDoublePoint lastEnds[2] = {WorldEnd(*last, 0), WorldEnd(*last, 1)};
    const CDoublePoint nextEnds[2] = {WorldEnd(*next, 0), WorldEnd(*next, 1)};
    // The pairs in the order tried: last begin with next begin and end, then last end.
    for (int lastEnd = 0; lastEnd < 2; ++lastEnd)
        for (int nextEnd = 0; nextEnd < 2; ++nextEnd) {
            const CDoublePoint& a = lastEnds[lastEnd];
            const CDoublePoint& b = nextEnds[nextEnd];
            if (!Touch(a.x, a.y, b.x, b.y))
                continue;
            // The chain leaves the last piece by the end that touches.
            const int lastFree = lastEnd == 0 ? 1 : 0;
            if (m_links.size() == 1)
                m_links.back().freeEnd = lastFree;
            else if (m_links.back().freeEnd != lastFree)
                DropLast();
            Append(next, nextEnd);
            return;
        }
}

void CTrackChain::Append(CParTrack* piece, int freeEnd) {
    m_positions[piece] = Length();
    m_links.push_back(Link{piece, freeEnd, piece->m_crRail, piece->m_crTie});
    piece->m_crRail = m_tool.m_crPreview1;
    piece->m_crTie = m_tool.m_crPreview2;
    piece->SetEditState(-1);
    piece->Invalidate();
    Refresh();
}

void CTrackChain::Restore(const Link& link) {
    link.piece->m_crRail = link.rail;
    link.piece->m_crTie = link.tie;
    link.piece->SetEditState(-1);
    link.piece->Invalidate();
}

void CTrackChain::DropLast() {
    Restore(m_links.back());
    m_positions.erase(m_links.back().piece);
    m_links.pop_back();
}

void CTrackChain::ShrinkTo(int position) {
    while (Length() > position + 1) DropLast();
    Refresh();
}

void CTrackChain::Refresh() {
    m_tool.m_bStatusRefresh = 1;
    m_tool.RepaintAllViews();
}

void CTrackChain::End() {
    m_bActive = false;
    m_tool.m_bChainToolActive = 0;
    for (const Link& link : m_links) Restore(link);
    m_links.clear();
    m_positions.clear();
    m_grid.Clear();
    Refresh();
}

void CTrackChain::Forget(CPaint* object) {
    m_grid.Clear();
    const auto known = m_positions.find(object);
    if (known == m_positions.end())
        return;
    m_links.erase(m_links.begin() + known->second);
    m_positions.clear();
    for (int i = 0; i < Length(); ++i) m_positions[m_links[static_cast<size_t>(i)].piece] = i;
    m_bActive = !m_links.empty();
}
