#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/CConnectionPass.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackEndSource.h"

// Undo of a move joins again only at the joints it touches: the ends where the moved pieces
// lay and lie now, the points where joints may differ from the whole pass's since it ran (the
// follower of track ends keeps them: the ends of pieces moved or marked since), and every end
// lying within reach of those, one after the other. There the pass does what the whole pass does: every
// end lets go, every piece is marked as that pass marks it, and the pieces join those ends in
// member order. Each joint's outcome hangs only on the ends lying in it, so every other joint
// stays as the whole pass, run over it already, left it.

namespace {

const CPose kNoPlacement;

using Point = std::pair<double, double>;

// Points compare by value; their bits hash them, +0 and -0 alike.
struct PointHash {
    std::size_t operator()(const Point& point) const {
        return std::hash<double>()(point.first) * 0x9E3779B97F4A7C15ull ^ std::hash<double>()(point.second);
    }
};

using PointSet = std::unordered_set<Point, PointHash>;

}  // namespace

bool CTool::UndoOnlyMovesPieces(std::vector<CPaint*>& moved) {
    auto* root = m_pHost != nullptr ? dynamic_cast<CGroup*>(m_pHost->GetRootGroup()) : nullptr;
    if (root == nullptr || !PlacementsToRestore(moved))
        return false;
    // Moving back a good share of the layout, the pass over all of it costs less.
    if (moved.size() * 4 > root->m_members.size())
        return false;
    if (!IndexPlacesRootAsThePass(*root))
        return false;
    // The pieces' former places are read from the index as the layout lies now. Only where the
    // whole pass left every joint, but for those the follower names, does a pass over the
    // joints near them leave the layout as the whole pass would.
    if (!m_trackEndFollower.CatchUp(root, m_pHost->GetTrackLimits()))
        return false;
    std::erase_if(moved, [this](CPaint* object) { return m_trackEnds.PlaceOf(object) < 0; });
    return true;
}

bool CTool::IndexPlacesRootAsThePass(const CGroup& root) {
    // The index places the root's members from an empty placement, the pass from the root's
    // own; only where the two agree are the index's points the pass's.
    return root.WorldPose(&kNoPlacement).SameAs(root.WorldPose(nullptr));
}

bool CTool::PlacementsToRestore(std::vector<CPaint*>& objects) const {
    for (const UndoEntry& entry : m_undoList) {
        const auto* former = entry.step->GetPayload<PlacementsPayload>();
        if (entry.step->m_nKind != kStepRestorePlacements || former == nullptr)
            return false;
        for (const PlacementsPayload::Placement& placement : former->placements) {
            if (placement.object->IsKindOf(RUNTIME_CLASS(CGroup)))
                return false;
            objects.push_back(placement.object);
        }
        if (entry.step->m_bGroupStart)
            break;
    }
    return !m_undoList.empty();
}

void CTool::RefreshConnectionsNear(const std::vector<CPaint*>& moved) {
    CTrackEndIndex& ends = m_trackEnds;
    std::vector<CDoublePoint> seeds = m_trackEndFollower.Unsettled();
    for (CPaint* object : moved) {
        const int at = ends.PlaceOf(object);
        ends.EndsOf(at, seeds);
        ends.Refresh(object);
        ends.EndsOf(at, seeds);
    }
    std::vector<int> pieces;
    std::vector<CDoublePoint> joints;
    if (!CollectJoints(seeds, pieces, joints)) {
        RefreshConnections();
        return;
    }
    m_nPiecesPassedOver += pieces.size();
    m_trackEndFollower.KeepPassInputs(pieces);
    JoinAgainAt(pieces, joints);
    m_trackEndFollower.ForgetUnsettled();
    m_trackEndFollower.NoteChangedPassInputs();
    m_trackEndFollower.MarkSettled(m_pHost->GetTrackLimits());
}

void CTool::JoinAgainAt(const std::vector<int>& pieces, const std::vector<CDoublePoint>& joints) {
    CTrackEndIndex& ends = m_trackEnds;
    const PointSet taken = [&joints] {
        PointSet points(joints.size());
        for (const CDoublePoint& point : joints) points.emplace(point.x, point.y);
        return points;
    }();
    const CConnectionPass pass(m_track, ends, m_pHost->GetTrackLimits());
    for (int at : pieces) ends.SourceAt(at)->MarkForPass();
    for (const CDoublePoint& point : joints)
        ends.AskNear(point.x, point.y, [&point](CPaint* object, const CPose&) {
            object->ReleaseEndAt(point.x, point.y, 0);
            return false;
        });
    for (int at : pieces)
        ends.SourceAt(at)->JoinEndsIn(ends.FrameAt(at), [&taken](CDoublePoint point) {
            return taken.count(Point(point.x, point.y)) != 0;
        });
    for (int at : pieces) ends.ObjectAt(at)->SetChanged(0);
}

bool CTool::CollectJoints(const std::vector<CDoublePoint>& seeds, std::vector<int>& pieces,
                          std::vector<CDoublePoint>& joints) {
    CTrackEndIndex& ends = m_trackEnds;
    const double reach2 = ends.Reach() * ends.Reach();
    PointSet seen;
    // A point asked from once finds the same ends when asked again.
    PointSet asked;
    std::vector<CDoublePoint> frontier = seeds;
    std::vector<CDoublePoint> pieceEnds;
    while (!frontier.empty()) {
        const CDoublePoint from = frontier.back();
        frontier.pop_back();
        if (!asked.emplace(from.x, from.y).second)
            continue;
        const std::vector<int> near = ends.PlacesNear(from.x, from.y);
        for (int at : near) {
            // Ends the grid cannot hold, or asked under a placement of their own: the whole pass.
            if (!ends.AskedUnderOwnPlacement(at))
                return false;
            pieceEnds.clear();
            ends.EndsOf(at, pieceEnds);
            for (const CDoublePoint& end : pieceEnds) {
                const double dx = end.x - from.x, dy = end.y - from.y;
                if (!(dx * dx + dy * dy < reach2))
                    continue;
                // A piece whose end lies on another's at the very point joins there too.
                pieces.push_back(at);
                if (seen.emplace(end.x, end.y).second) {
                    joints.push_back(end);
                    frontier.push_back(end);
                }
            }
        }
    }
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
    return true;
}
