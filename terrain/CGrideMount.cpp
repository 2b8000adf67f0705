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
