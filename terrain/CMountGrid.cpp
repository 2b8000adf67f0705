#include <algorithm>
#include <cmath>

#include "model/CTool.h"
#include "model/CToolHost.h"
#include "terrain/CMount.h"
#include "terrain/CMountGridBorder.h"
#include "terrain/OutlineGeometry.h"

// The knot grid: interior knots on the grid positions inside the outline, then the outline
// knots stitched to the grid's contour along the outline.

namespace {

double Distance(CDoublePoint a, CDoublePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

BOOL CMount::PtInOutline(double x, double y) {
    return outline::WindingAngleHolds(m_outline, {x, y}) ? TRUE : FALSE;
}

void CMount::GetGridRange() {
    const double s = m_fGridSpacing;
    auto range = [s](double a, double b, int& low, int& high) {
        const double top = std::max(a, b) / s;
        // An index beyond what a grid can hold is held at the coordinate limit.
        low = TruncateCoordinate(std::floor(std::min(a, b) / s)) + 1;
        high = TruncateCoordinate(std::floor(top));
        if (top == std::floor(top))
            --high;
    };
    if (!(s > 0.0)) {
        m_nMinColumn = m_nMinRow = 0;
        m_nMaxColumn = m_nMaxRow = -1;
        return;
    }
    range(m_fCornerX1, m_fCornerX2, m_nMinColumn, m_nMaxColumn);
    range(m_fCornerY1, m_fCornerY2, m_nMinRow, m_nMaxRow);
}

int CMount::NearestKnotInList(double x, double y, const std::vector<int>& list) const {
    int best = -1;
    double bestDistance = 0.0;
    const CDoublePoint target{x / m_fGridSpacing, y / m_fGridSpacing};
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const CGrideKnot& knot = m_grid[*it];
        const double d = Distance({std::trunc(knot.x), std::trunc(knot.y)}, target);
        if (best < 0 || d < bestDistance) {
            best = *it;
            bestDistance = d;
        }
    }
    return best;
}

void CMount::MapOutline() {
    m_outline = OutlineVertices();
    m_nOutlineCount = PointCount();
    if (m_outline.empty())
        return;
    const shape::BoxFrame box = shape::BoundingFrame(m_outline);
    m_fCentreX = (box.x1 + box.x2) / 2.0;
    m_fCentreY = (box.y1 + box.y2) / 2.0;
}

void CMount::RebuildGrid() {
    CToolHost* host = Host();
    if (host != nullptr)
        host->BeginWaitCursor();
    m_bDeferGrid = 0;
    m_bBuiltFixedBorder = m_bFixedBorder;
    m_fBuiltSpacing = m_fGridSpacing;
    MapOutline();
    m_grid.RemoveAll();
    m_grid.SetBorderTriangles({});
    m_nCentreKnot = 0;
    BuildInteriorKnots();
    m_nInteriorCount = m_grid.GetSize();
    m_nBridgeKnotCount = 0;
    m_bRebuild3D = 1;
    StitchOutline();
    ApplyTerrainEdits(m_newEdits, 0);
    if (host != nullptr)
        host->EndWaitCursor();
}

void CMount::BuildInteriorKnots() {
    GetGridRange();
    const double s = m_fGridSpacing;
    const double columns = static_cast<double>(m_nMaxColumn) - m_nMinColumn + 1.0;
    const double rows = static_cast<double>(m_nMaxRow) - m_nMinRow + 1.0;
    m_indexTable.Free();
    const double positions = columns * rows;
    if (!(s > 0.0) || columns <= 0.0 || rows <= 0.0 || positions > m_gridLimits.positions ||
        positions * static_cast<double>(m_outline.size()) > m_gridLimits.insideTests ||
        !(BorderSteps() <= m_gridLimits.borderSteps))
        return;
    m_indexTable.Create(static_cast<int>(columns) + 2, static_cast<int>(rows) + 2);
    const float base = static_cast<float>(m_fElevation);
    double bestCentre = 0.0;
    auto at = [this](int c, int r) { return m_indexTable.Get(c - m_nMinColumn + 1, r - m_nMinRow + 1); };
    for (int r = m_nMaxRow; r >= m_nMinRow; --r) {
        for (int c = m_nMinColumn; c <= m_nMaxColumn; ++c) {
            if (!PtInOutline(c * s, r * s))
                continue;
            const int k = m_grid.Add(CGrideKnot(static_cast<float>(c), static_cast<float>(r), base));
            m_indexTable.Set(c - m_nMinColumn + 1, r - m_nMinRow + 1, k);
            for (int neighbour : {at(c - 1, r), at(c - 1, r + 1), at(c, r + 1), at(c + 1, r + 1)})
                if (neighbour >= 0)
                    m_grid.Link(k, neighbour);
            const double d = std::hypot(c * s - m_fCentreX, r * s - m_fCentreY);
            if (k == 0 || d < bestCentre) {
                bestCentre = d;
                m_nCentreKnot = k;
            }
        }
    }
}

void CMount::StitchOutline() {
    m_fBorderSearchCells = 0.0;
    m_fBorderTriangulationWork = 0.0;
    const double s = m_fGridSpacing;
    std::vector<CDoublePoint> vertices;
    for (const CDoublePoint& p : m_outline) {
        const CDoublePoint q{CMountGridBorder::OffGridLine(p.x / s), CMountGridBorder::OffGridLine(p.y / s)};
        if (!vertices.empty() && std::fabs(q.x - vertices.back().x) < 0.1 &&
            std::fabs(q.y - vertices.back().y) < 0.1)
            continue;
        vertices.push_back(q);
    }
    if (vertices.empty())
        return;
    if (m_nInteriorCount == 0) {
        const int first = m_grid.GetSize();
        int previous = -1;
        for (const CDoublePoint& q : vertices) previous = StitchOutlineKnot(q, -1, previous);
        if (previous > first)
            m_grid.Link(previous, first);
        return;
    }
    UnlinkAcrossOutline(vertices);
    CMountGridBorder border(m_grid, m_indexTable, m_nMinColumn, m_nMinRow, m_nInteriorCount, vertices,
                            [this](CDoublePoint place, int attach, int previous) {
                                return StitchOutlineKnot(place, attach, previous);
                            });
    m_nBridgeKnotCount = border.BridgeKnotCount();
    border.Stitch(NearestKnotInList(vertices[0].x * s, vertices[0].y * s, border.ContourKnots()),
                  static_cast<float>(m_fElevation));
    m_fBorderSearchCells = border.SearchedCells();
    m_fBorderTriangulationWork = border.TriangulationWork();
}

int CMount::StitchOutlineKnot(CDoublePoint place, int attach, int previous) {
    const int k = m_grid.Add(CGrideKnot(static_cast<float>(place.x), static_cast<float>(place.y),
                                        static_cast<float>(m_fElevation)));
    if (attach >= 0)
        m_grid.Link(k, attach);
    if (previous >= 0)
        m_grid.Link(k, previous);
    return k;
}

void CMount::UnlinkAcrossOutline(const std::vector<CDoublePoint>& ring) {
    for (size_t e = 0; e < ring.size(); ++e) {
        const CDoublePoint a = ring[e], b = ring[(e + 1) % ring.size()];
        const int c0 = TruncateCoordinate(std::floor(std::min(a.x, b.x))) - 1;
        const int c1 = TruncateCoordinate(std::ceil(std::max(a.x, b.x))) + 1;
        const int r0 = TruncateCoordinate(std::floor(std::min(a.y, b.y))) - 1;
        const int r1 = TruncateCoordinate(std::ceil(std::max(a.y, b.y))) + 1;
        for (int c = std::max(c0, m_nMinColumn); c <= std::min(c1, m_nMaxColumn); ++c)
            for (int r = std::max(r0, m_nMinRow); r <= std::min(r1, m_nMaxRow); ++r) {
                const int k = InteriorKnotAt(c, r);
                if (k < 0)
                    continue;
                const CIntArray links = m_grid[k].links;
                for (int link : links) UnlinkIfCrossing(k, link, a, b);
            }
    }
}

bool CMount::UnlinkIfCrossing(int k, int link, CDoublePoint a, CDoublePoint b) {
    // A link of the grid that passes outside the outline goes. A cell that lost a side loses
    // its diagonal too, so that it makes no face: the outline runs through it.
    const CGrideKnot &from = m_grid[k], &to = m_grid[link];
    if (link >= m_nInteriorCount || !outline::SegmentsCross({from.x, from.y}, {to.x, to.y}, a, b))
        return false;
    m_grid.Unlink(k, link);
    auto unlinkDiagonal = [this](int c, int r) {
        const int lowerRight = InteriorKnotAt(c, r), upperLeft = InteriorKnotAt(c - 1, r + 1);
        if (lowerRight >= 0 && upperLeft >= 0)
            m_grid.Unlink(lowerRight, upperLeft);
    };
    const int c = static_cast<int>(std::min(from.x, to.x));
    const int r = static_cast<int>(std::min(from.y, to.y));
    if (from.y == to.y) {
        unlinkDiagonal(c + 1, r);
        unlinkDiagonal(c + 1, r - 1);
    } else if (from.x == to.x) {
        unlinkDiagonal(c, r);
        unlinkDiagonal(c + 1, r);
    }
    return true;
}
