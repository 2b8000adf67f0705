#include "terrain/OutlineGeometry.h"

#include <algorithm>
#include <cmath>

namespace outline {

namespace {

constexpr double kBoxMargin = 1e-5;

// The line a x + b y + c = 0 through two points, normalised so that a (else b) is 1.
struct Line {
    double a, b, c;
};

Line LineThrough(CDoublePoint p, CDoublePoint q) {
    Line line{p.y - q.y, q.x - p.x, p.x * q.y - q.x * p.y};
    const double divisor = std::fabs(line.a) >= 1e-7 ? line.a : line.b;
    if (divisor != 0.0) {
        line.a /= divisor;
        line.b /= divisor;
        line.c /= divisor;
    }
    return line;
}

bool InBox(CDoublePoint a, CDoublePoint b, CDoublePoint p) {
    return PointInSegmentBox(a.x, a.y, b.x, b.y, p.x, p.y);
}

double Distance(CDoublePoint a, CDoublePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

bool PointInSegmentBox(double ax, double ay, double bx, double by, double px, double py) {
    return px >= std::min(ax, bx) - kBoxMargin && px <= std::max(ax, bx) + kBoxMargin &&
           py >= std::min(ay, by) - kBoxMargin && py <= std::max(ay, by) + kBoxMargin;
}

bool SegmentsCross(CDoublePoint p1, CDoublePoint p2, CDoublePoint p3, CDoublePoint p4) {
    if (p1 == p2 || p3 == p4)
        return false;
    const Line l1 = LineThrough(p1, p2);
    const Line l2 = LineThrough(p3, p4);
    const double det = l1.a * l2.b - l1.b * l2.a;
    if (std::fabs(det) < 0.001) {
        const bool same = std::fabs(l1.a - l2.a) <= 1e-6 && std::fabs(l1.b - l2.b) <= 1e-6 &&
                          std::fabs(l1.c - l2.c) <= 1e-6;
        return same && (InBox(p1, p2, p3) || InBox(p1, p2, p4));
    }
    const CDoublePoint x{(l1.b * l2.c - l2.b * l1.c) / det, (l2.a * l1.c - l1.a * l2.c) / det};
    if (!InBox(p1, p2, x) || !InBox(p3, p4, x))
        return false;
    for (CDoublePoint end : {p1, p2, p3, p4})
        if (Distance(x, end) <= 1e-6)
            return false;
    return true;
}

bool IsSimple(const std::vector<CDoublePoint>& vertices) {
    const size_t n = vertices.size();
    if (n < 4)
        return true;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            if (j != i &&
                SegmentsCross(vertices[i], vertices[(i + 1) % n], vertices[j], vertices[(j + 1) % n]))
                return false;
    return true;
}

bool WindingAngleHolds(const std::vector<CDoublePoint>& vertices, CDoublePoint p) {
    if (vertices.empty())
        return false;
    double sum = 0.0;
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const CDoublePoint& v = vertices[i];
        const CDoublePoint& w = vertices[(i + 1) % n];
        const double ax = v.x - p.x, ay = v.y - p.y;
        const double bx = w.x - p.x, by = w.y - p.y;
        const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
        if (la < 0.0001 || lb < 0.0001)
            return true;
        const double cross = ax * by - ay * bx;
        if (std::fabs(cross) < 1e-8) {
            if (PointInSegmentBox(v.x, v.y, w.x, w.y, p.x, p.y))
                return true;
            continue;
        }
        const double angle = std::acos(std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0));
        sum += cross > 0.0 ? angle : -angle;
    }
    return std::fabs(sum) >= 0.1;
}

}  // namespace outline
