#pragma once

#include <array>
#include <functional>
#include <limits>
#include <vector>

#include "model/Geometry.h"
#include "terrain/CGrideMount.h"
#include "terrain/CIntTable.h"

// The border strip of a terrain's knot grid. The grid's outer contour (its knots joined by
// their links, walked round the way the outline runs, separate pieces bridged in) is
// zipped to the outline: every outline knot hangs on a contour knot, and each step moves on
// along the outline, along the contour or both, so that the faces between consecutive outline
// knots and their attach knots fill the strip without overlapping or turning over.
class CMountGridBorder {
  public:
    // Appends an outline knot at a place, hung on the attach knot and linked to the previous
    // outline knot (none when -1); its number.
    using KnotStitcher = std::function<int(CDoublePoint place, int attach, int previous)>;

    // The ring is the outline in grid units, no vertex on a grid line; the grid's links that
    // cross it are already gone. The interior knots are the grid's own.
    CMountGridBorder(CGrideMount& grid, const CIntTable& table, int minColumn, int minRow, int interiorCount,
                     const std::vector<CDoublePoint>& ring, KnotStitcher stitch);

    // A whole grid coordinate moved just off the grid line, so that no outline knot lies on one.
    static double OffGridLine(double value);

    // The knots made for bridges; they follow the grid's knots.
    int BridgeKnotCount() const { return static_cast<int>(m_bridgeKnots.size()); }
    // Every knot the contour passes, once each.
    std::vector<int> ContourKnots() const;
    // Appends the outline knots, the first one hung on the start knot; the bridge knots take
    // the given height.
    void Stitch(int startKnot, float height);
    // The grid cells the link tests searched: the work the outline's length and shape cost.
    double SearchedCells() const { return m_fSearchedCells; }
    // The corners and edges that cutting the strip into triangles looked at, where the zip
    // could not lay it.
    double TriangulationWork() const { return m_fTriangulationWork; }

  private:
    struct Station {
        CDoublePoint place;
        int attach;
    };
    // How far a zip step moves along the outline and along the contour, 0 or 1 each.
    struct Step {
        size_t alongOutline;
        size_t alongContour;
    };

    CDoublePoint Place(int knot) const;
    int KnotAt(int column, int row) const;
    int LinkedKnotAt(int knot, int column, int row) const;
    int WalkNeighbour(int knot, int direction) const;
    std::vector<int> Piece(int knot, std::vector<bool>& seen) const;
    std::vector<int> WalkRound(const std::vector<int>& piece) const;
    void BuildContour();
    // Bridges the piece nearest the contour into it; its index, or the count when none can be.
    size_t BridgeNearest(const std::vector<std::vector<int>>& walks);
    // Takes the walk into the contour by a bridge between the two knots, when it fits; the
    // bridge runs through the knots between, in order from the walk's end.
    bool Splice(const std::vector<int>& walk, int from, int to, const std::vector<int>& via = {});
    // Bridges a piece that no straight bridge reaches, as one behind a narrow curved neck:
    // along the outline, through new knots just inside it. Whether it could.
    bool BridgeAlongOutline(const std::vector<int>& walk);
    // Just inside the outline at each vertex; the vertex itself where no room is found.
    std::vector<CDoublePoint> InsideOutline() const;
    // The outline with the vertices that lie on a grid line moved just off it to the outside,
    // so that knots on the outline's edges lie inside it: a vertex as the knots store it may
    // keep no room from the line.
    std::vector<CDoublePoint> OutlineClearOfKnots() const;
    bool Inside(CDoublePoint p) const;
    // The knot nearest the place among the listed ones that a clear side reaches, or -1.
    int ClearNearest(CDoublePoint place, const std::vector<int>& knots) const;
    // The places of a path that a string pulled tight along it keeps, ends included.
    std::vector<CDoublePoint> PullTight(const std::vector<CDoublePoint>& path) const;
    // Where along a walk a bridge to the target may leave the knot at that place.
    bool FacesOutward(const std::vector<int>& walk, size_t at, CDoublePoint target) const;
    // Whether the direction to the target points into the outline at that outline station.
    bool FacesInward(const std::vector<CDoublePoint>& stations, size_t at, CDoublePoint target) const;
    // Whether a segment crosses no outline edge, no row or column link and no bridge.
    bool IsClear(CDoublePoint a, CDoublePoint b) const;
    bool CrossesLink(CDoublePoint a, CDoublePoint b) const;
    std::vector<CDoublePoint> OutlineStations() const;
    void AddEdgeFeet(CDoublePoint from, CDoublePoint to, const std::vector<bool>& onContour,
                     std::vector<CDoublePoint>& stations) const;
    size_t StartOfContour(int startKnot) const;
    std::vector<Station> Zip(const std::vector<CDoublePoint>& stations, size_t start) const;
    // Lays the strip between the outline and the grid's contour and pieces as triangles,
    // where the zip left a piece out or turned a face over; the outline knots from first on
    // are made again, one a vertex. Whether it could within its share of work.
    bool Triangulate(int first);
    void AddTriangulatedKnots(int first, const std::vector<CDoublePoint>& ring,
                              const std::vector<std::array<int, 3>>& triangles);

    CGrideMount& m_grid;
    const CIntTable& m_table;
    int m_nMinColumn;
    int m_nMinRow;
    int m_nInteriorCount;
    KnotStitcher m_stitch;
    std::vector<CDoublePoint> m_ring;
    // +1 when the ring runs counter-clockwise, -1 when clockwise.
    double m_fTurn;
    std::vector<int> m_contour;
    // The walks round each piece of the grid, the largest first.
    std::vector<std::vector<int>> m_walks;
    bool m_bAllBridged = true;
    // The places inside the outline's corners, worked out for the first piece bridged along it.
    std::vector<CDoublePoint> m_insideCorners;
    std::vector<std::pair<int, int>> m_bridges;
    // Knots made for bridges along the outline; they take the outline knots' height.
    std::vector<int> m_bridgeKnots;
    // The grid cells the link tests may still search: unbounded while bridging, the stitch's
    // share once the outline is zipped on.
    mutable double m_fLinkCellsLeft = std::numeric_limits<double>::infinity();
    mutable double m_fSearchedCells = 0.0;
    double m_fTriangulationWork = 0.0;
};
