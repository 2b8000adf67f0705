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
    if (object.GetFrameOutline(outline)) {
        const CPlacement placement(object.m_pose, parent);
        for (const CDoublePoint& local : outline) AddPoint(placement.ToWorld(local));
        if (head)
            m_keepsAskedBox = outline.empty();
        return;
    }
    std::vector<COffsetOutline> outlines;
    if (object.GetOffsetFrameOutlines(outlines)) {
        const CPlacement placement(object.m_pose, parent);
        bool measured = false;
        for (const COffsetOutline& offsetOutline : outlines) {
            AddOffsetPoints({offsetOutline.offset.x, offsetOutline.offset.y}, offsetOutline.points,
                            placement);
            measured = measured || !offsetOutline.points.empty();
        }
        if (head)
            m_keepsAskedBox = !measured;
        return;
    }
    m_asked.push_back({&object, parent});
    const bool measured = Ask(object, parent);
    if (head)
        m_keepsAskedBox = !measured;
}

// The offsets keep their size and direction in every frame, so only the points are placed.
void CGroupContents::AddGroup(const CGroupContents& kept, const CPose& own, const CPose& parent, bool head) {
    if (head)
        m_keepsAskedBox = kept.m_keepsAskedBox;
    const CPlacement placement(own, parent);
    for (const CDoublePoint& local : kept.m_outline) AddPoint(placement.ToWorld(local));
    for (const auto& [offset, points] : kept.m_offsetOutlines) AddOffsetPoints(offset, points, placement);
    for (const Asked& asked : kept.m_asked) {
        m_asked.push_back({asked.object, asked.parent.ComposedWith(placement.World())});
        Ask(*asked.object, m_asked.back().parent);
    }
}

// The frame has no turn, so every point and placement moves by the same offset.
void CGroupContents::MoveOriginTo(double x, double y) {
    for (CDoublePoint& point : m_outline) point = {point.x - x, point.y - y};
    for (auto& [offset, points] : m_offsetOutlines)
        for (CDoublePoint& point : points) point = {point.x - x, point.y - y};
    for (Asked& asked : m_asked)
        asked.parent = CPose(asked.parent.x - x, asked.parent.y - y, asked.parent.angle);
    m_minX -= x, m_maxX -= x;
    m_minY -= y, m_maxY -= y;
}

void CGroupContents::KeepHullOnly() {
    KeepHullOf(m_outline);
    for (auto& [offset, points] : m_offsetOutlines) KeepHullOf(points);
}

// The convex hull, by the monotone chain; a box under any turn has its sides on hull
// corners, so the points dropped are never the extreme ones.
void CGroupContents::KeepHullOf(std::vector<CDoublePoint>& points) {
    DropInnerPoints(points);
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
    points = std::move(hull);
}

void CGroupContents::DropInnerPoints(std::vector<CDoublePoint>& points) {
    if (points.size() < 8)
        return;
    const auto extreme = [&points](auto before) {
        return *std::min_element(points.begin(), points.end(), before);
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
    points.erase(std::remove_if(points.begin(), points.end(), inside), points.end());
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

void CGroupContents::AddOffsetPoints(const Offset& offset, const std::vector<CDoublePoint>& local,
                                     const CPlacement& placement) {
    if (offset == Offset{0.0, 0.0}) {
        for (const CDoublePoint& point : local) AddPoint(placement.ToWorld(point));
        return;
    }
    std::vector<CDoublePoint>& points = m_offsetOutlines[offset];
    for (const CDoublePoint& point : local) {
        points.push_back(placement.ToWorld(point));
        WidenBy({points.back().x + offset.first, points.back().y + offset.second});
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
bool CGroupContents::Ask(CPaint& object, const CPose& parent) {
    constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
    double minX = kUnset, minY = kUnset, maxX = kUnset, maxY = kUnset;
    object.GetFrameBounds(&parent, minX, minY, maxX, maxY);
    if (std::isnan(minX) && std::isnan(minY) && std::isnan(maxX) && std::isnan(maxY))
        return false;
    WidenBy(minX, minY, maxX, maxY);
    return true;
}
