#include "platform/gdi/RectRegion.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Rows a polygon region is rasterised over; the drawing layer's coordinates stay well inside.
constexpr int kRowLimit = 1 << 16;

using Spans = std::vector<std::pair<int, int>>;

Spans SpansInBand(const std::vector<CRect>& rects, int top, int bottom) {
    Spans spans;
    for (const CRect& r : rects)
        if (r.top <= top && r.bottom >= bottom)
            spans.emplace_back(r.left, r.right);
    return spans;
}

bool Inside(const Spans& spans, int x) {
    for (auto [l, r] : spans)
        if (x >= l && x < r)
            return true;
    return false;
}

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
        case RGN_AND:
            return a && b;
        case RGN_OR:
            return a || b;
        case RGN_XOR:
            return a != b;
        case RGN_DIFF:
            return a && !b;
        default:
            return a;
    }
}

Spans CombineSpans(const Spans& a, const Spans& b, int mode) {
    std::vector<int> edges;
    for (auto [l, r] : a) edges.push_back(l), edges.push_back(r);
    for (auto [l, r] : b) edges.push_back(l), edges.push_back(r);
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Spans out;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        if (!Apply(mode, Inside(a, edges[i]), Inside(b, edges[i])))
            continue;
        if (!out.empty() && out.back().second == edges[i]) {
            out.back().second = edges[i + 1];
        } else {
            out.emplace_back(edges[i], edges[i + 1]);
        }
    }
    return out;
}

// Appends a band, merging it into the band above when both have the same spans and touch.
void AppendBand(std::vector<CRect>& rects, std::size_t& lastBandStart, const Spans& spans, int top,
                int bottom) {
    if (spans.empty())
        return;
    const std::size_t lastCount = rects.size() - lastBandStart;
    bool same = lastCount == spans.size() && lastCount > 0 && rects[lastBandStart].bottom == top;
    for (std::size_t i = 0; same && i < spans.size(); ++i)
        same = rects[lastBandStart + i].left == spans[i].first &&
               rects[lastBandStart + i].right == spans[i].second;
    if (same) {
        for (std::size_t i = lastBandStart; i < rects.size(); ++i) rects[i].bottom = bottom;
        return;
    }
    lastBandStart = rects.size();
    for (auto [l, r] : spans) rects.emplace_back(l, top, r, bottom);
}

Spans RowSpans(const POINT* points, int count, int fillMode, double yc) {
    std::vector<std::pair<double, int>> crossings;
    for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % count];
        if (p.y == q.y)
            continue;
        const double y0 = std::min(p.y, q.y), y1 = std::max(p.y, q.y);
        if (yc < y0 || yc >= y1)
            continue;
        const double x =
            p.x + (yc - p.y) * (static_cast<double>(q.x) - p.x) / (static_cast<double>(q.y) - p.y);
        crossings.emplace_back(x, q.y > p.y ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    Spans spans;
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += fillMode == WINDING ? crossings[i].second : 1;
        const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
        if (!inside)
            continue;
        const double from = std::clamp(std::ceil(crossings[i].first - 0.5), -2e9, 2e9);
        const double to = std::clamp(std::ceil(crossings[i + 1].first - 0.5), -2e9, 2e9);
        if (to <= from)
            continue;
        if (!spans.empty() && spans.back().second >= from) {
            spans.back().second = std::max(spans.back().second, static_cast<int>(to));
        } else {
            spans.emplace_back(static_cast<int>(from), static_cast<int>(to));
        }
    }
    return spans;
}

}  // namespace

RectRegion::RectRegion(const CRect& rect) {
    CRect r(rect);
    r.NormalizeRect();
    if (!r.IsRectEmpty())
        m_rects.push_back(r);
}

RectRegion RectRegion::FromPolygon(const POINT* points, int count, int fillMode) {
    RectRegion region;
    if (!points || count < 3)
        return region;
    long top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i)
        top = std::min<long>(top, points[i].y), bottom = std::max<long>(bottom, points[i].y);
    top = std::max<long>(top, -kRowLimit);
    bottom = std::min<long>(bottom, kRowLimit);
    std::size_t lastBand = 0;
    for (long y = top; y < bottom; ++y) {
        const Spans spans = RowSpans(points, count, fillMode, y + 0.5);
        AppendBand(region.m_rects, lastBand, spans, static_cast<int>(y), static_cast<int>(y + 1));
    }
    return region;
}

RectRegion RectRegion::Combine(const RectRegion& a, const RectRegion& b, int mode) {
    if (mode == RGN_COPY)
        return a;
    std::vector<int> ys;
    for (const auto* region : {&a, &b})
        for (const CRect& r : region->m_rects) ys.push_back(r.top), ys.push_back(r.bottom);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    RectRegion out;
    std::size_t lastBand = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const Spans spans = CombineSpans(SpansInBand(a.m_rects, ys[i], ys[i + 1]),
                                         SpansInBand(b.m_rects, ys[i], ys[i + 1]), mode);
        AppendBand(out.m_rects, lastBand, spans, ys[i], ys[i + 1]);
    }
    return out;
}

bool RectRegion::Contains(int x, int y) const {
    return std::any_of(m_rects.begin(), m_rects.end(),
                       [&](const CRect& r) { return r.PtInRect(CPoint(x, y)); });
}

bool RectRegion::Intersects(const CRect& rect) const {
    return std::any_of(m_rects.begin(), m_rects.end(), [&](const CRect& r) {
        CRect both;
        return both.IntersectRect(&r, &rect) != FALSE;
    });
}

CRect RectRegion::Bounds() const {
    CRect bounds;
    for (const CRect& r : m_rects) bounds |= r;
    return bounds;
}

void RectRegion::Offset(int dx, int dy) {
    for (CRect& r : m_rects) r.OffsetRect(dx, dy);
}

int RectRegion::Complexity() const {
    if (m_rects.empty())
        return NULLREGION;
    return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool RectRegion::operator==(const RectRegion& other) const {
    return m_rects == other.m_rects;
}
