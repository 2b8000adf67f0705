#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "model/Geometry.h"

// A polygon with holes cut into triangles: each hole is bridged into the outer ring, nearest
// visible corner first, and the ring that makes is cut by its ears. Corners may repeat, as a
// grid contour's spurs and bridges do; the work is counted and bounded.
class CBorderTriangulation {
  public:
    struct Corner {
        CDoublePoint place;
        int id;
    };

    // The outer ring; +1 when it runs counter-clockwise, -1 when clockwise.
    CBorderTriangulation(const std::vector<Corner>& outer, double turn, double mostWork);

    // A hole, running the same way round as the outer ring.
    void AddHole(const std::vector<Corner>& hole);
    // False when the work ran out or the ring had no ear left to cut.
    bool Triangulate();
    // The corners' ids, each triangle turning as the outer ring does.
    const std::vector<std::array<int, 3>>& Triangles() const { return m_triangles; }
    // The corners and edges looked at.
    double Work() const { return m_fWork; }

  private:
    struct Node {
        CDoublePoint place;
        int id;
        size_t prev, next;
        bool removed = false;
    };

    size_t AddRing(const std::vector<Corner>& corners, bool reversed);
    // The turn of three nodes, positive when it turns as the outer ring does.
    double RingTurn(size_t a, size_t b, size_t c) const;
    bool Spend(double work);
    // Whether the direction to the place leaves the node into the polygon.
    bool OpensToward(size_t node, CDoublePoint place) const;
    // Whether the segment between two nodes crosses no edge and passes no other corner.
    bool IsClear(size_t a, size_t b);
    bool BridgeHole(size_t hole);
    void Splice(size_t ringNode, size_t holeNode);
    void FillBuckets();
    std::array<size_t, 2> BucketOf(CDoublePoint p) const;
    bool IsEar(size_t b);
    // Whether the edges at a node that lies on a corner of the triangle reach into it.
    bool ReachesInto(size_t node, size_t corner, size_t other1, size_t other2) const;
    void CutEar(size_t b);

    std::vector<Node> m_nodes;
    double m_fTurn;
    double m_fWorkLeft;
    double m_fWork = 0.0;
    size_t m_outerStart = 0;
    std::vector<size_t> m_holeStarts;
    std::vector<std::array<int, 3>> m_triangles;
    CDoublePoint m_low{}, m_cell{1.0, 1.0};
    size_t m_bucketsAcross = 1;
    std::vector<std::vector<size_t>> m_buckets;
};
