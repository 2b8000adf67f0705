#include "terrain/CGrideMount.h"

#include <cmath>

#include "platform/r3d/ClumpBuilder.h"

void CGrideMount::RaiseAll(double difference) {
    for (CGrideKnot& knot : m_knots) knot.z = static_cast<float>(knot.z + difference);
}

bool CGrideMount::Coincide(int a, int b) const {
    const CGrideKnot& p = (*this)[a];
    const CGrideKnot& q = (*this)[b];
    return std::fabs(p.x - q.x) < 1e-13 && std::fabs(p.y - q.y) < 1e-13;
}

void CGrideMount::AddFace(r3d::ClumpBuilder& builder, int p, int q, int r, int s) const {
    if (Coincide(p, q))
        builder.AddTriangle(p + 1, r + 1, s + 1);
    else if (Coincide(r, s))
        builder.AddTriangle(p + 1, q + 1, r + 1);
    else
        builder.AddQuad(p + 1, q + 1, r + 1, s + 1);
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

void CGrideMount::AddCellFace(r3d::ClumpBuilder& builder, int k) const {
    int a = 0, b = 0, c = 0;
    if (!CellCorners(k, a, b, c))
        return;
    if (Coincide(k, b))
        builder.AddTriangle(k + 1, c + 1, a + 1);
    else if (Coincide(c, a))
        builder.AddTriangle(k + 1, b + 1, c + 1);
    else
        builder.AddQuad(k + 1, b + 1, c + 1, a + 1);
}

void CGrideMount::AddCellFaceReversed(r3d::ClumpBuilder& builder, int k) const {
    int a = 0, b = 0, c = 0;
    if (!CellCorners(k, a, b, c))
        return;
    if (Coincide(a, c))
        builder.AddTriangle(a + 1, b + 1, k + 1);
    else if (Coincide(b, k))
        builder.AddTriangle(a + 1, c + 1, b + 1);
    else
        builder.AddQuad(a + 1, c + 1, b + 1, k + 1);
}

namespace {

double Turn(const CGrideKnot& o, const CGrideKnot& a, const CGrideKnot& b) {
    return (static_cast<double>(a.x) - o.x) * (static_cast<double>(b.y) - o.y) -
           (static_cast<double>(a.y) - o.y) * (static_cast<double>(b.x) - o.x);
}

}  // namespace

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
        if (!(turn * Turn((*this)[k - 1], (*this)[k], (*this)[hub]) > 0.0))
            return {};
        triangles.push_back({k - 1, k, hub});
    }
    return triangles;
}

std::vector<std::vector<int>> CGrideMount::Ears(int from, int to, double turn) const {
    std::vector<int> polygon{(*this)[to].links[0]};
    for (int k = from; k <= to; ++k) polygon.push_back(k);
    auto inside = [&](int p, int a, int b, int c) {
        const CGrideKnot &q = (*this)[p], &ka = (*this)[a], &kb = (*this)[b], &kc = (*this)[c];
        return turn * Turn(ka, kb, q) > 0.0 && turn * Turn(kb, kc, q) > 0.0 && turn * Turn(kc, ka, q) > 0.0;
    };
    std::vector<std::vector<int>> triangles;
    while (polygon.size() > 3) {
        const size_t n = polygon.size();
        size_t ear = n;
        for (size_t i = 0; i < n && ear == n; ++i) {
            const int a = polygon[(i + n - 1) % n], b = polygon[i], c = polygon[(i + 1) % n];
            if (!(turn * Turn((*this)[a], (*this)[b], (*this)[c]) > 0.0))
                continue;
            bool empty = true;
            for (int p : polygon)
                if (p != a && p != b && p != c && !Coincide(p, a) && !Coincide(p, b) && !Coincide(p, c) &&
                    inside(p, a, b, c))
                    empty = false;
            if (empty)
                ear = i;
        }
        if (ear == n)
            return {};
        triangles.push_back({polygon[(ear + n - 1) % n], polygon[ear], polygon[(ear + 1) % n]});
        polygon.erase(polygon.begin() + static_cast<long>(ear));
    }
    if (!(turn * Turn((*this)[polygon[0]], (*this)[polygon[1]], (*this)[polygon[2]]) > 0.0))
        return {};
    triangles.push_back(polygon);
    return triangles;
}

void CGrideMount::AddBorderFaces(r3d::ClumpBuilder& builder, int first, int last, bool reversed) const {
    const double turn = OutlineTurn(first, last);
    auto cellFaces = [&](int from, int to) {
        for (int k = from; k <= to; ++k) {
            if (reversed)
                AddCellFaceReversed(builder, k);
            else
                AddCellFace(builder, k);
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
                builder.AddTriangle(t[2] + 1, t[0] + 1, t[1] + 1);
            else
                builder.AddTriangle(t[1] + 1, t[0] + 1, t[2] + 1);
        }
        k = to - 1;
    }
}
