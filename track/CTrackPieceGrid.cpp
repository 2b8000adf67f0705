#include "track/CTrackPieceGrid.h"

#include <algorithm>
#include <cmath>

#include "model/CGroup.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"

namespace {

constexpr double kLeastCell = 500.0;
// A piece covering more cells than this is asked everywhere.
constexpr double kMostCellsAcross = 64.0;
// Beyond this a coordinate has no cell.
constexpr double kLargestCell = 1e9;

}  // namespace

void CTrackPieceGrid::Clear() {
    m_pGroup = nullptr;
    m_pieces.clear();
    m_cells.clear();
    m_everywhere.clear();
}

std::int64_t CTrackPieceGrid::Key(double x, double y) const {
    const auto cx = static_cast<std::int64_t>(std::floor(x / m_fCellSize));
    const auto cy = static_cast<std::int64_t>(std::floor(y / m_fCellSize));
    return cx * 4000000007LL + cy;
}

void CTrackPieceGrid::Rebuild(CGroup* group, double tolerance) {
    Clear();
    m_pGroup = group;
    m_fTolerance = tolerance;
    if (group == nullptr)
        return;
    double sizes = 0.0;
    for (CPaint* member : group->m_members)
        if (CParTrack* piece = AsTrackPiece(member)) {
            m_pieces.push_back(piece);
            sizes += std::max(piece->m_fMaxX - piece->m_fMinX, piece->m_fMaxY - piece->m_fMinY);
        }
    const double average = m_pieces.empty() ? 0.0 : sizes / static_cast<double>(m_pieces.size());
    m_fCellSize = std::max(kLeastCell, std::isfinite(average) ? average + 2.0 * tolerance : kLeastCell);
    for (int i = 0; i < static_cast<int>(m_pieces.size()); ++i) {
        const CParTrack& piece = *m_pieces[static_cast<std::size_t>(i)];
        const double left = std::min(piece.m_fMinX, piece.m_fMaxX) - tolerance - 1.0;
        const double right = std::max(piece.m_fMinX, piece.m_fMaxX) + tolerance + 1.0;
        const double bottom = std::min(piece.m_fMinY, piece.m_fMaxY) - tolerance - 1.0;
        const double top = std::max(piece.m_fMinY, piece.m_fMaxY) + tolerance + 1.0;
        const bool placeable = std::fabs(left) < kLargestCell && std::fabs(right) < kLargestCell &&
                               std::fabs(bottom) < kLargestCell && std::fabs(top) < kLargestCell;
        if (!placeable || (right - left) / m_fCellSize > kMostCellsAcross ||
            (top - bottom) / m_fCellSize > kMostCellsAcross) {
            m_everywhere.push_back(i);
            continue;
        }
        for (double x = std::floor(left / m_fCellSize); x <= std::floor(right / m_fCellSize); x += 1.0)
            for (double y = std::floor(bottom / m_fCellSize); y <= std::floor(top / m_fCellSize); y += 1.0)
                m_cells[Key((x + 0.5) * m_fCellSize, (y + 0.5) * m_fCellSize)].push_back(i);
    }
}

CParTrack* CTrackPieceGrid::FirstHit(double x, double y, const CParTrack* skipped) {
    m_candidates = m_everywhere;
    if (std::fabs(x) < kLargestCell && std::fabs(y) < kLargestCell) {
        const auto cell = m_cells.find(Key(x, y));
        if (cell != m_cells.end())
            m_candidates.insert(m_candidates.end(), cell->second.begin(), cell->second.end());
    }
    std::sort(m_candidates.begin(), m_candidates.end());
    for (int index : m_candidates) {
        CParTrack* piece = m_pieces[static_cast<std::size_t>(index)];
        if (piece != skipped && piece->HitTest() != nullptr)
            return piece;
    }
    return nullptr;
}
