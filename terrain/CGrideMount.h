#pragma once

#include "terrain/CWalkerGride.h"

namespace r3d {
class ClumpBuilder;
}

// The knot grid of a terrain, with the faces its mesh takes from the links: knots that lie on
// one point make a triangle of a quadrilateral. Knot numbers are 0-based; the mesh's vertex
// of knot k is k + 1.
class CGrideMount : public CWalkerGride {
  public:
    void RaiseAll(double difference);
    bool Coincide(int a, int b) const;
    void AddFace(r3d::ClumpBuilder& builder, int p, int q, int r, int s) const;
    // The border face of outline knot k between its attach knot (link 0), the previous outline
    // knot (link 1) and that knot's attach knot.
    void AddCellFace(r3d::ClumpBuilder& builder, int k) const;
    void AddCellFaceReversed(r3d::ClumpBuilder& builder, int k) const;

  private:
    // The corners of outline knot k's border cell: its attach knot, the outline knot before
    // it and that one's attach knot; false when its links do not make one.
    bool CellCorners(int k, int& a, int& b, int& c) const;
};
