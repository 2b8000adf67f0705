#include <algorithm>
#include <cmath>

#include "model/CConformingObject.h"
#include "model/CTool.h"
#include "terrain/CMount.h"
#include "terrain/OutlineGeometry.h"
#include "track/CParTrack.h"

// The beds that track pieces and 3D objects cut into the terrain. A cut lives only in its
// record; the knots keep their own heights, so that restoring needs no copy of them.

namespace {

// Knots nearer than this many grid steps to a point carry its height.
constexpr double kHeightReach = 1.42;

// Whether p lies inside the quadrilateral by the non-zero winding rule.
bool QuadHolds(const POINT (&q)[4], double px, double py) {
    int winding = 0;
    for (int i = 0; i < 4; ++i) {
        const POINT& a = q[i];
        const POINT& b = q[(i + 1) % 4];
        const double side = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
        if (a.y <= py && b.y > py && side > 0.0)
            ++winding;
        else if (a.y > py && b.y <= py && side < 0.0)
            --winding;
    }
    return winding != 0;
}

// The height at (px, py) of the plane through three knots; false when they lie on one line.
bool PlaneHeight(const CGrideKnot& a, const CGrideKnot& b, const CGrideKnot& c, double px, double py,
                 double& height) {
    const double x1 = b.x - a.x, y1 = b.y - a.y, z1 = b.z - a.z;
    const double x2 = c.x - a.x, y2 = c.y - a.y, z2 = c.z - a.z;
    const double det = x1 * y2 - x2 * y1;
    if (std::fabs(det) < 1e-12)
        return false;
    height = a.z + ((px - a.x) * (z1 * y2 - z2 * y1) + (py - a.y) * (x1 * z2 - x2 * z1)) / det;
    return true;
}

}  // namespace

// ---- Height under a point ----

double CMount::GetHeightAt(double x, double y) {
    const CDoublePoint local = WorldToLocal(x, y);
    const double px = local.x / m_fGridSpacing, py = local.y / m_fGridSpacing;
    std::vector<std::pair<double, int>> near;
    for (int k = 0; k < m_grid.GetSize(); ++k) {
        const double d = std::hypot(m_grid[k].x - px, m_grid[k].y - py);
        if (d <= kHeightReach)
            near.emplace_back(d, k);
    }
    std::sort(near.begin(), near.end());
    double height = m_fElevation;
    if (near.size() >= 3 &&
        PlaneHeight(m_grid[near[0].second], m_grid[near[1].second], m_grid[near[2].second], px, py, height))
        return height;
    return near.empty() ? m_fElevation : m_grid[near[0].second].z;
}

BOOL CMount::IsPointOnTerrain(double x, double y) {
    if (PointCount() < kFirstDrawnPoint)
        return FALSE;
    const CDoublePoint& a = m_points[1];
    const CDoublePoint& b = m_points[3];
    if (x < std::min(a.x, b.x) || x > std::max(a.x, b.x) || y < std::min(a.y, b.y) || y > std::max(a.y, b.y))
        return FALSE;
    return PtInOutline(x, y);
}

void CMount::CollectKnotsInQuad(const POINT (&corners)[4], int radius, std::vector<int>& knots) {
    const double g = m_fGridSpacing;
    LONG lowX = corners[0].x, lowY = corners[0].y;
    for (const POINT& p : corners) {
        lowX = std::min(lowX, p.x);
        lowY = std::min(lowY, p.y);
    }
    const int column = TruncateCoordinate(std::floor(lowX / g)),
              row = TruncateCoordinate(std::floor(lowY / g));
    auto holds = [&](int k) {
        return QuadHolds(corners, std::trunc(m_grid[k].x * g), std::trunc(m_grid[k].y * g));
    };
    bool complete = true;
    std::vector<int> found;
    for (int c = column - radius; c <= column + radius && complete; ++c)
        for (int r = row - radius; r <= row + radius; ++r) {
            const int k = m_indexTable.Get(c - m_nMinColumn + 1, r - m_nMinRow + 1);
            if (k < 0) {
                complete = false;
                break;
            }
            if (holds(k))
                found.push_back(k);
        }
    if (!complete) {
        found.clear();
        for (int k = 0; k < m_grid.GetSize(); ++k)
            if (holds(k))
                found.push_back(k);
    }
    knots = std::move(found);
}

// ---- Records ----

CTrackBedCut& CMount::GetTrackCut(CPaint* piece) {
    for (CTrackBedCut& cut : m_trackCuts)
        if (cut.piece == piece)
            return cut;
    m_trackCuts.push_back(CTrackBedCut{piece, {}, {}, {}, {}});
    return m_trackCuts.back();
}

CObjectCut& CMount::GetObjectCut(CPaint* object) {
    for (CObjectCut& cut : m_objectCuts)
        if (cut.object == object)
            return cut;
    m_objectCuts.push_back(CObjectCut{object, {}});
    return m_objectCuts.back();
}

int CMount::RemoveTrackCut(CPaint* piece) {
    return std::erase_if(m_trackCuts, [piece](const CTrackBedCut& cut) { return cut.piece == piece; }) > 0
               ? 1
               : 0;
}

int CMount::RemoveObjectCut(CPaint* object) {
    return std::erase_if(m_objectCuts, [object](const CObjectCut& cut) { return cut.object == object; }) > 0
               ? 1
               : 0;
}

void CMount::ClearCuts(int flag) {
    const std::vector<CTrackBedCut> tracks = std::move(m_trackCuts);
    const std::vector<CObjectCut> objects = std::move(m_objectCuts);
    m_trackCuts.clear();
    m_objectCuts.clear();
    m_changedKnots.clear();
    m_hiddenCells.clear();
    for (const CTrackBedCut& cut : tracks)
        if (auto* piece = dynamic_cast<CParTrack*>(cut.piece)) {
            piece->RemoveCutTerrain(this);
            piece->Update3D(&piece->m_parentPose);
        }
    for (const CObjectCut& cut : objects)
        if (auto* object = dynamic_cast<CConformingObject*>(cut.object))
            std::erase(object->GetCutTerrains(), static_cast<CPaint*>(this));
    if (flag)
        m_bConformed = 1;
}

void CMount::GatherCuts() {
    m_changedKnots.clear();
    m_hiddenCells.clear();
    for (const CTrackBedCut& cut : m_trackCuts) {
        m_changedKnots.insert(m_changedKnots.end(), cut.changes.begin(), cut.changes.end());
        m_hiddenCells.insert(m_hiddenCells.end(), cut.hidden.begin(), cut.hidden.end());
    }
    for (const CObjectCut& cut : m_objectCuts)
        m_changedKnots.insert(m_changedKnots.end(), cut.changes.begin(), cut.changes.end());
    std::stable_sort(m_changedKnots.begin(), m_changedKnots.end(),
                     [](const CKnotChange& a, const CKnotChange& b) {
                         return a.index != b.index ? a.index < b.index : a.height < b.height;
                     });
    m_changedKnots.erase(
        std::unique(m_changedKnots.begin(), m_changedKnots.end(),
                    [](const CKnotChange& a, const CKnotChange& b) { return a.index == b.index; }),
        m_changedKnots.end());
    std::sort(m_hiddenCells.begin(), m_hiddenCells.end());
    m_hiddenCells.erase(std::unique(m_hiddenCells.begin(), m_hiddenCells.end()), m_hiddenCells.end());
}

// ---- 3D objects ----

void CMount::CutUnderObject(CPaint* object) {
    if (!m_bAllowConform || object == nullptr)
        return;
    m_bRebuild3D = 0;
    RemoveObjectCut(object);
    auto* conforming = dynamic_cast<CConformingObject*>(object);
    if (conforming == nullptr || conforming->IsExcludedFromConforming() || object->m_points.GetSize() < 4)
        return;
    const double g = m_fGridSpacing;
    CDoublePoint corners[2];
    for (int i = 0; i < 2; ++i) {
        const CDoublePoint& p = object->m_points[1 + 2 * i];
        const CDoublePoint world = object->LocalToWorld(p.x, p.y);
        const CDoublePoint local = WorldToLocal(world.x, world.y);
        corners[i] = {std::trunc(local.x), std::trunc(local.y)};
    }
    const double left = std::trunc(std::min(corners[0].x, corners[1].x) - g);
    const double right = std::trunc(std::max(corners[0].x, corners[1].x) + g);
    const double bottom = std::trunc(std::min(corners[0].y, corners[1].y) - g);
    const double top = std::trunc(std::max(corners[0].y, corners[1].y) + g);
    std::vector<CKnotChange> changes;
    const float elevation = static_cast<float>(conforming->GetStandingElevation());
    for (int k = 0; k < m_grid.GetSize(); ++k) {
        const double x = std::trunc(m_grid[k].x * g), y = std::trunc(m_grid[k].y * g);
        if (x >= left && x <= right && y >= bottom && y <= top)
            changes.push_back({k, m_grid[k].x, m_grid[k].y, elevation});
    }
    // A record that changes nothing is not kept: it would name the object with no way back.
    if (changes.empty())
        return;
    GetObjectCut(object).changes = std::move(changes);
    m_bRebuild3D = 1;
    std::vector<CPaint*>& terrains = conforming->GetCutTerrains();
    if (std::find(terrains.begin(), terrains.end(), this) == terrains.end())
        terrains.push_back(this);
    object->m_bConformed = 1;
}
