#pragma once

#include <array>
#include <functional>
#include <vector>

#include "model/Geometry.h"
#include "terrain/CWalkerGride.h"

namespace r3d {
class ClumpBuilder;
}

// The knot grid of a terrain, with the faces its mesh takes from the links: knots that lie on
// one point make a triangle of a quadrilateral. Knot numbers are 0-based; the mesh's vertex
// of knot k is k + 1.
class CGrideMount : public CWalkerGride {
  public:
    // The corners of one face, as knot numbers.
    using FaceSink = std::function<void(const std::vector<int>& knots)>;

    void RaiseAll(double difference);
    // Drops the last knots, which no other knot may be linked to.
    void DropLast(int count) { m_knots.resize(m_knots.size() - static_cast<size_t>(count)); }
    bool Coincide(int a, int b) const;
    // The border strip as triangles, turning as the outline runs, where the outline knots'
    // links could not lay it; empty while they do.
    void SetBorderTriangles(std::vector<std::array<int, 3>> triangles) {
        m_borderTriangles = std::move(triangles);
    }
    // The border faces of the outline knots first .. last: the cell each outline knot makes
    // with its attach knot (link 0), the previous outline knot (link 1) and that knot's attach
    // knot, the last one closing back to the first. A run of outline knots hung on one knot is
    // a fan round that knot; where the fan would fold over, as behind the tip of a star that
    // the knot sees only one side of, the run's polygon is cut into triangles that follow the
    // outline instead.
    void AddBorderFaces(r3d::ClumpBuilder& builder, int first, int last, bool reversed) const;
    // Whether every face the links give the border strip turns against the outline, as a face
    // facing up does, however the mesh splits it into triangles.
    bool BorderTurnsOver(int first, int last) const;

  private:
    void AddFace(const FaceSink& sink, int p, int q, int r, int s) const;
    void AddCellFace(const FaceSink& sink, int k) const;
    void AddCellFaceReversed(const FaceSink& sink, int k) const;
    void ForEachBorderFace(int first, int last, bool reversed, const FaceSink& sink) const;
    // The corners of outline knot k's border cell: its attach knot, the outline knot before
    // it and that one's attach knot; false when its links do not make one.
    bool CellCorners(int k, int& a, int& b, int& c) const;
    // Whether outline knot k and the one before it hang on the same knot and make a triangle.
    bool ExtendsFan(int k) const;
    CDoublePoint Place(int k) const;
    // Twice the signed area of the triangle of three knots: positive counter-clockwise.
    double KnotTurn(int o, int a, int b) const;
    // +1 when the outline knots run counter-clockwise, -1 when clockwise.
    double OutlineTurn(int first, int last) const;
    // The fan of the outline knots from .. to round the knot the run hangs on, corner lists
    // ordered as the outline runs; empty when some triangle folds over.
    std::vector<std::vector<int>> Fan(int from, int to, double turn) const;
    // The run's polygon cut into triangles by its ears; empty when it is not simple.
    std::vector<std::vector<int>> Ears(int from, int to, double turn) const;

    std::vector<std::array<int, 3>> m_borderTriangles;
};
