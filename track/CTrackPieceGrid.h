#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

class CGroup;
class CParTrack;

// The track pieces of one group by the cells their extents cover, so that a chain picked
// over a large layout asks only the pieces whose extent may hold the cursor instead of every
// member at every mouse move. The pieces are asked in member order, as the group's walk
// would ask them; pieces outside the extent test could not answer the walk anyway.
class CTrackPieceGrid {
  public:
    // Collects the group's track pieces with their extents widened by the tolerance.
    void Rebuild(CGroup* group, double tolerance);
    bool IsBuiltFor(const CGroup* group, double tolerance) const {
        return group == m_pGroup && tolerance <= m_fTolerance;
    }
    // The first piece in member order, other than the skipped one, that the cursor hits.
    CParTrack* FirstHit(double x, double y, const CParTrack* skipped);
    void Clear();

  private:
    std::int64_t Key(double x, double y) const;

    const CGroup* m_pGroup = nullptr;
    double m_fTolerance = 0.0;
    double m_fCellSize = 1.0;
    std::vector<CParTrack*> m_pieces;
    std::unordered_map<std::int64_t, std::vector<int>> m_cells;
    // Pieces too large for the cells, or placed where no cell can hold them.
    std::vector<int> m_everywhere;
    std::vector<int> m_candidates;
};
