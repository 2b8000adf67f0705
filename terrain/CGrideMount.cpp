#include "terrain/CGrideMount.h"

#include <cmath>

#include "platform/r3d/ClumpBuilder.h"
#include "terrain/BorderGeometry.h"
#include "terrain/CBorderTriangulation.h"

namespace {

// The corners and edges cutting a fan's polygon by its ears may look at, per corner squared.
constexpr double kEarWorkPerCornerSquared = 64.0;

}  // namespace

void CGrideMount::RaiseAll(double difference) {
    for (CGrideKnot& knot : m_knots) knot.z = static_cast<float>(knot.z + difference);
}

bool CGrideMount::Coincide(int a, int b) const {
    const CGrideKnot& p = (*this)[a];
    const CGrideKnot& q = (*this)[b];
    return std::fabs(p.x - q.x) < 1e-13 && std::fabs(p.y - q.y) < 1e-13;
}

void CGrideMount::AddFace(const FaceSink& sink, int p, int q, int r, int s) const {
    if (Coincide(p, q))
        sink({p, r, s});
    else if (Coincide(r, s))
        sink({p, q, r});
    else
        sink({p, q, r, s});
}

bool CGrideMount::CellCorners(int k, int& a, int& b, int& c) const {
    const CGrideKnot& knot = (*this)[k];
    if (knot.LinkCount() < 2 || (*this)[knot.links[1]].LinkCount() < 1)
        return false;
    a = knot.links[0];
    b = knot.links[1];
    c = (*this)[b].links[0];
    return true;
}

void CGrideMount::AddCellFace(const FaceSink& sink, int k) const {
    int a = 0, b = 0, c = 0;
    if (!CellCorners(k, a, b, c))
        return;
    if (Coincide(k, b))
        sink({k, c, a});
    else if (Coincide(c, a))
        sink({k, b, c});
    else
        sink({k, b, c, a});
}

void CGrideMount::AddCellFaceReversed(const FaceSink& sink, int k) const {
    int a = 0, b = 0, c = 0;
    if (!CellCorners(k, a, b, c))
        return;
    if (Coincide(a, c))
        sink({a, b, k});
    else if (Coincide(b, k))
        sink({a, c, b});
    else
        sink({a, c, b, k});
}

CDoublePoint CGrideMount::Place(int k) const {
    return {(*this)[k].x, (*this)[k].y};
}

double CGrideMount::KnotTurn(int o, int a, int b) const {
    return border::Turn(Place(o), Place(a), Place(b));
}

bool CGrideMount::ExtendsFan(int k) const {
    const CGrideKnot& knot = (*this)[k];
    return knot.LinkCount() >= 2 && knot.links[1] == k - 1 && (*this)[k - 1].LinkCount() >= 1 &&
           (*this)[k - 1].links[0] == knot.links[0] && !Coincide(k, k - 1);
}

double CGrideMount::OutlineTurn(int first, int last) const {
    double area = 0.0;
    for (int k = first; k <= last; ++k) {
        const CGrideKnot& a = (*this)[k];
        const CGrideKnot& b = (*this)[k == last ? first : k + 1];
        area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return area < 0.0 ? -1.0 : 1.0;
}

std::vector<std::vector<int>> CGrideMount::Fan(int from, int to, double turn) const {
    const int hub = (*this)[to].links[0];
    std::vector<std::vector<int>> triangles;
    for (int k = from + 1; k <= to; ++k) {
        if (!(turn * KnotTurn(k - 1, k, hub) > 0.0))
            return {};
        triangles.push_back({k - 1, k, hub});
    }
    return triangles;
}

std::vector<std::vector<int>> CGrideMount::Ears(int from, int to, double turn) const {
    std::vector<CBorderTriangulation::Corner> polygon{{Place((*this)[to].links[0]), (*this)[to].links[0]}};
    for (int k = from; k <= to; ++k) polygon.push_back({Place(k), k});
    const double corners = static_cast<double>(polygon.size());
    CBorderTriangulation ears(polygon, turn, kEarWorkPerCornerSquared * corners * corners);
    std::vector<std::vector<int>> triangles;
    if (!ears.Triangulate() || ears.Triangles().size() + 2 != polygon.size())
        return triangles;
    for (const std::array<int, 3>& t : ears.Triangles()) triangles.push_back({t[0], t[1], t[2]});
    return triangles;
}

void CGrideMount::ForEachBorderFace(int first, int last, bool reversed, const FaceSink& sink) const {
    const double turn = OutlineTurn(first, last);
    auto cellFaces = [&](int from, int to) {
        for (int k = from; k <= to; ++k) {
            if (reversed)
                AddCellFaceReversed(sink, k);
            else
                AddCellFace(sink, k);
        }
    };
    for (int k = first + 1; k <= last; ++k) {
        int to = k;
        while (to <= last && ExtendsFan(to)) ++to;
        if (to == k) {
            cellFaces(k, k);
            continue;
        }
        // Outline knots k - 1 .. to - 1 hang on one knot.
        std::vector<std::vector<int>> triangles = Fan(k - 1, to - 1, turn);
        if (triangles.empty())
            triangles = Ears(k - 1, to - 1, turn);
        if (triangles.empty())
            cellFaces(k, to - 1);
        for (const std::vector<int>& t : triangles) {
            if (reversed)
                sink({t[2], t[0], t[1]});
            else
                sink({t[1], t[0], t[2]});
        }
        k = to - 1;
    }
    if (last <= first || (*this)[first].LinkCount() < 1 || (*this)[last].LinkCount() < 1)
        return;
    if (reversed)
        AddFace(sink, last, first, (*this)[first].links[0], (*this)[last].links[0]);
    else
        AddFace(sink, (*this)[last].links[0], (*this)[first].links[0], first, last);
}

void CGrideMount::AddBorderFaces(r3d::ClumpBuilder& builder, int first, int last, bool reversed) const {
    const FaceSink add = [&builder](const std::vector<int>& knots) {
        std::vector<int> numbers;
        for (int k : knots) numbers.push_back(k + 1);
        builder.AddPolygon(numbers);
    };
    if (m_borderTriangles.empty()) {
        ForEachBorderFace(first, last, reversed, add);
        return;
    }
    for (const std::array<int, 3>& t : m_borderTriangles) {
        if (reversed)
            add({t[0], t[1], t[2]});
        else
            add({t[0], t[2], t[1]});
    }
}

bool CGrideMount::BorderTurnsOver(int first, int last) const {
    // The mesh splits a face into the fan of triangles from its first corner; the corners come
    // in the other order where the outline runs the other way.
    const double turn = OutlineTurn(first, last);
    bool over = false;
    for (bool reversed : {false, true})
        ForEachBorderFace(first, last, reversed, [&](const std::vector<int>& knots) {
            const double sense = reversed ? turn : -turn;
            for (size_t i = 2; i < knots.size(); ++i)
                if (!(sense * KnotTurn(knots[0], knots[i - 1], knots[i]) > 0.0))
                    over = true;
        });
    return over;
}
