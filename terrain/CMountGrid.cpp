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
    m_nGridKnotCount = m_nInteriorCount;
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
    const float base = static_cast<float>(m_fElevation);
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
        for (const CDoublePoint& q : vertices) {
            const int k = m_grid.Add(CGrideKnot(static_cast<float>(q.x), static_cast<float>(q.y), base));
            if (k > first)
                m_grid.Link(k, k - 1);
        }
        if (m_grid.GetSize() - first > 1)
            m_grid.Link(m_grid.GetSize() - 1, first);
        return;
    }
    UnlinkAcrossOutline(vertices);
    CMountGridBorder border(m_grid, m_indexTable, m_nMinColumn, m_nMinRow, m_nInteriorCount, vertices);
    m_nInteriorCount += border.BridgeKnotCount();
    border.Stitch(NearestKnotInList(vertices[0].x * s, vertices[0].y * s, border.ContourKnots()), base);
    m_fBorderSearchCells = border.SearchedCells();
    m_fBorderTriangulationWork = border.TriangulationWork();
}

void CMount::UnlinkAcrossOutline(const std::vector<CDoublePoint>& ring) {
    // Links of the grid that pass outside the outline go. A cell that lost a side loses its
    // diagonal too, so that it makes no face: the outline runs through it.
    auto knotPoint = [this](int k) { return CDoublePoint{m_grid[k].x, m_grid[k].y}; };
    auto knotAt = [this](int c, int r) { return m_indexTable.Get(c - m_nMinColumn + 1, r - m_nMinRow + 1); };
    auto unlinkDiagonal = [&](int c, int r) {
        const int lowerRight = knotAt(c, r), upperLeft = knotAt(c - 1, r + 1);
        if (lowerRight >= 0 && upperLeft >= 0)
            m_grid.Unlink(lowerRight, upperLeft);
    };
    auto unlinkCellsBeside = [&](int k, int link) {
        const int c = static_cast<int>(std::min(m_grid[k].x, m_grid[link].x));
        const int r = static_cast<int>(std::min(m_grid[k].y, m_grid[link].y));
        if (m_grid[k].y == m_grid[link].y) {
            unlinkDiagonal(c + 1, r);
            unlinkDiagonal(c + 1, r - 1);
        } else if (m_grid[k].x == m_grid[link].x) {
            unlinkDiagonal(c, r);
            unlinkDiagonal(c + 1, r);
        }
    };
    for (size_t e = 0; e < ring.size(); ++e) {
        const CDoublePoint a = ring[e], b = ring[(e + 1) % ring.size()];
        const int c0 = TruncateCoordinate(std::floor(std::min(a.x, b.x))) - 1;
        const int c1 = TruncateCoordinate(std::ceil(std::max(a.x, b.x))) + 1;
        const int r0 = TruncateCoordinate(std::floor(std::min(a.y, b.y))) - 1;
        const int r1 = TruncateCoordinate(std::ceil(std::max(a.y, b.y))) + 1;
        for (int c = std::max(c0, m_nMinColumn); c <= std::min(c1, m_nMaxColumn); ++c)
            for (int r = std::max(r0, m_nMinRow); r <= std::min(r1, m_nMaxRow); ++r) {
                const int k = m_indexTable.Get(c - m_nMinColumn + 1, r - m_nMinRow + 1);
                if (k < 0)
                    continue;
                const std::vector<int> links = m_grid[k].links;
                for (int link : links)
                    if (link < m_nInteriorCount &&
                        outline::SegmentsCross(knotPoint(k), knotPoint(link), a, b)) {
                        m_grid.Unlink(k, link);
                        unlinkCellsBeside(k, link);
                    }
            }
    }
}
