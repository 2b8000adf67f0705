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

void CGroupContents::AddObject(CPaint& object, const CPose& parent, bool head) {
    std::vector<CDoublePoint> outline;
    if (!object.GetFrameOutline(outline)) {
        m_asked.push_back({&object, parent});
        const bool measured = Ask(object, parent);
        if (head)
            m_keepsAskedBox = !measured;
        return;
    }
    const CPlacement placement(object.m_pose, parent);
    for (const CDoublePoint& local : outline) AddPoint(placement.ToWorld(local));
    if (head)
        m_keepsAskedBox = outline.empty();
}

void CGroupContents::AddGroup(const CGroupContents& kept, const CPose& own, const CPose& parent, bool head) {
    if (head)
        m_keepsAskedBox = kept.m_keepsAskedBox;
    const CPlacement placement(own, parent);
    for (const CDoublePoint& local : kept.m_outline) AddPoint(placement.ToWorld(local));
    for (const Asked& asked : kept.m_asked) {
        m_asked.push_back({asked.object, asked.parent.ComposedWith(placement.World())});
        Ask(*asked.object, m_asked.back().parent);
    }
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
    DropInnerPoints();
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

void CGroupContents::DropInnerPoints() {
    if (m_outline.size() < 8)
        return;
    const auto extreme = [this](auto before) {
        return *std::min_element(m_outline.begin(), m_outline.end(), before);
    };
    const CDoublePoint left = extreme([](const CDoublePoint& a, const CDoublePoint& b) { return a.x < b.x; });
    const CDoublePoint low = extreme([](const CDoublePoint& a, const CDoublePoint& b) { return a.y < b.y; });
    const CDoublePoint right =
        extreme([](const CDoublePoint& a, const CDoublePoint& b) { return a.x > b.x; });
    const CDoublePoint high = extreme([](const CDoublePoint& a, const CDoublePoint& b) { return a.y > b.y; });
    const auto inside = [&](const CDoublePoint& p) {
        return Cross(left, low, p) > 0.0 && Cross(low, right, p) > 0.0 && Cross(right, high, p) > 0.0 &&
               Cross(high, left, p) > 0.0;
    };
    m_outline.erase(std::remove_if(m_outline.begin(), m_outline.end(), inside), m_outline.end());
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

void CGroupContents::AddPoint(const CDoublePoint& point) {
    m_outline.push_back(point);
    WidenBy(point);
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
bool CGroupContents::Ask(CPaint& object, const CPose& parent) {
    constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
    double minX = kUnset, minY = kUnset, maxX = kUnset, maxY = kUnset;
    object.GetFrameBounds(&parent, minX, minY, maxX, maxY);
    if (std::isnan(minX) && std::isnan(minY) && std::isnan(maxX) && std::isnan(maxY))
        return false;
    WidenBy(minX, minY, maxX, maxY);
    return true;
}
