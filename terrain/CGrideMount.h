#pragma once

#include <vector>

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
    // Drops the last knots, which no other knot may be linked to.
    void DropLast(int count) { m_knots.resize(m_knots.size() - static_cast<size_t>(count)); }
    bool Coincide(int a, int b) const;
    void AddFace(r3d::ClumpBuilder& builder, int p, int q, int r, int s) const;
    // The border face of outline knot k between its attach knot (link 0), the previous outline
    // knot (link 1) and that knot's attach knot.
    void AddCellFace(r3d::ClumpBuilder& builder, int k) const;
    void AddCellFaceReversed(r3d::ClumpBuilder& builder, int k) const;
    // The border faces of the outline knots after the first one (first .. last). A run of
    // outline knots hung on one knot is a fan round that knot; where the fan would fold over,
    // as behind the tip of a star that the knot sees only one side of, the run's polygon is cut
    // into triangles that follow the outline instead.
    void AddBorderFaces(r3d::ClumpBuilder& builder, int first, int last, bool reversed) const;

  private:
    // The corners of outline knot k's border cell: its attach knot, the outline knot before
    // it and that one's attach knot; false when its links do not make one.
    bool CellCorners(int k, int& a, int& b, int& c) const;
    // Whether outline knot k and the one before it hang on the same knot and make a triangle.
    bool ExtendsFan(int k) const;
    // +1 when the outline knots run counter-clockwise, -1 when clockwise.
    double OutlineTurn(int first, int last) const;
    // The fan of the outline knots from .. to round the knot the run hangs on, corner lists
    // ordered as the outline runs; empty when some triangle folds over.
    std::vector<std::vector<int>> Fan(int from, int to, double turn) const;
    // The run's polygon cut into triangles by its ears; empty when it is not simple.
    std::vector<std::vector<int>> Ears(int from, int to, double turn) const;
};
