#include "model/CGroupContents.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "model/CPaint.h"
#include "model/CPlacement.h"

namespace {

// Twice the signed area of the triangle o, a, b: positive when o, a, b turn left.
double Cross(const CDoublePoint& o, const CDoublePoint& a, const CDoublePoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool Before(const CDoublePoint& a, const CDoublePoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

}  // namespace

CGroupContents CGroupContents::OfObject(CPaint& object, const CPose& parent) {
    CGroupContents contents;
    std::vector<CDoublePoint> outline;
    if (!object.GetFrameOutline(outline)) {
        contents.Ask(object, parent);
        contents.m_asked.push_back({&object, parent});
        contents.m_keepsAskedBox = !contents.m_measured;
        return contents;
    }
    const CPlacement placement(object.m_pose, parent);
    for (const CDoublePoint& local : outline) {
        contents.m_outline.push_back(placement.ToWorld(local));
        contents.WidenBy(contents.m_outline.back());
    }
    contents.m_keepsAskedBox = outline.empty();
    return contents;
}

CGroupContents CGroupContents::PlacedBy(const CPose& own, const CPose& parent) const {
    CGroupContents placed;
    placed.m_keepsAskedBox = m_keepsAskedBox;
    const CPlacement placement(own, parent);
    placed.m_outline.reserve(m_outline.size());
    for (const CDoublePoint& local : m_outline) {
        placed.m_outline.push_back(placement.ToWorld(local));
        placed.WidenBy(placed.m_outline.back());
    }
    placed.m_asked.reserve(m_asked.size());
    for (const Asked& asked : m_asked) {
        placed.m_asked.push_back({asked.object, asked.parent.ComposedWith(placement.World())});
        placed.Ask(*asked.object, placed.m_asked.back().parent);
    }
    return placed;
}

void CGroupContents::Add(const CGroupContents& member, bool head) {
    if (head)
        m_keepsAskedBox = member.m_keepsAskedBox;
    m_outline.insert(m_outline.end(), member.m_outline.begin(), member.m_outline.end());
    m_asked.insert(m_asked.end(), member.m_asked.begin(), member.m_asked.end());
    if (member.m_measured)
        WidenBy(member.m_minX, member.m_minY, member.m_maxX, member.m_maxY);
}

// The frame has no turn, so every point and placement moves by the same offset.
void CGroupContents::MoveOriginTo(double x, double y) {
    for (CDoublePoint& point : m_outline) point = {point.x - x, point.y - y};
    for (Asked& asked : m_asked)
        asked.parent = CPose(asked.parent.x - x, asked.parent.y - y, asked.parent.angle);
    m_minX -= x, m_maxX -= x;
    m_minY -= y, m_maxY -= y;
}

// The convex hull, by the monotone chain; a box under any turn has its sides on hull
// corners, so the points dropped are never the extreme ones.
void CGroupContents::KeepHullOnly() {
    std::vector<CDoublePoint>& points = m_outline;
    std::sort(points.begin(), points.end(), Before);
    points.erase(
        std::unique(points.begin(), points.end(),
                    [](const CDoublePoint& a, const CDoublePoint& b) { return a.x == b.x && a.y == b.y; }),
        points.end());
    if (points.size() < 3)
        return;
    std::vector<CDoublePoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const CDoublePoint& point : points) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], point) <= 0.0) --k;
        hull[k++] = point;
    }
    const std::size_t lower = k + 1;
    for (auto point = std::next(points.rbegin()); point != points.rend(); ++point) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], *point) <= 0.0) --k;
        hull[k++] = *point;
    }
    hull.resize(k - 1);
    m_outline = std::move(hull);
}

void CGroupContents::Answer(double& minX, double& minY, double& maxX, double& maxY) const {
    if (!m_keepsAskedBox) {
        minX = m_minX, minY = m_minY, maxX = m_maxX, maxY = m_maxY;
        return;
    }
    if (m_measured) {
        minX = std::min(minX, m_minX), minY = std::min(minY, m_minY);
        maxX = std::max(maxX, m_maxX), maxY = std::max(maxY, m_maxY);
    }
}

void CGroupContents::WidenBy(const CDoublePoint& point) {
    WidenBy(point.x, point.y, point.x, point.y);
}

void CGroupContents::WidenBy(double minX, double minY, double maxX, double maxY) {
    if (!m_measured) {
        m_measured = true;
        m_minX = minX, m_minY = minY, m_maxX = maxX, m_maxY = maxY;
        return;
    }
    m_minX = std::min(m_minX, minX), m_minY = std::min(m_minY, minY);
    m_maxX = std::max(m_maxX, maxX), m_maxY = std::max(m_maxY, maxY);
}

// An object that measures nothing leaves the box it is asked for as it was.
void CGroupContents::Ask(CPaint& object, const CPose& parent) {
    constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
    double minX = kUnset, minY = kUnset, maxX = kUnset, maxY = kUnset;
    object.GetFrameBounds(&parent, minX, minY, maxX, maxY);
    if (std::isnan(minX) && std::isnan(minY) && std::isnan(maxX) && std::isnan(maxY))
        return;
    WidenBy(minX, minY, maxX, maxY);
}
