#include "terrain/CBorderTriangulation.h"

#include <algorithm>
#include <cmath>

#include "terrain/BorderGeometry.h"

namespace {

using namespace border;

// An ear whose corner turns by less than this sine is flat and no ear.
constexpr double kLeastSine = 1e-7;

bool Same(CDoublePoint a, CDoublePoint b) {
    return a.x == b.x && a.y == b.y;
}

// Whether p lies on the segment from a to b, away from its ends.
bool OnSegment(CDoublePoint a, CDoublePoint b, CDoublePoint p) {
    const double length = Distance(a, b);
    if (length == 0.0 || std::fabs(Turn(a, b, p)) / length > kOnLine)
        return false;
    const double t = ((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y)) / (length * length);
    return t > 0.0 && t < 1.0;
}

}  // namespace

CBorderTriangulation::CBorderTriangulation(const std::vector<Corner>& outer, double turn, double mostWork)
    : m_fTurn(turn), m_fWorkLeft(mostWork) {
    m_outerStart = AddRing(outer, false);
}

size_t CBorderTriangulation::AddRing(const std::vector<Corner>& corners, bool reversed) {
    const size_t start = m_nodes.size(), n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const Corner& corner = corners[reversed ? n - 1 - i : i];
        m_nodes.push_back({corner.place, corner.id, start + (i + n - 1) % n, start + (i + 1) % n});
    }
    return start;
}

void CBorderTriangulation::AddHole(const std::vector<Corner>& hole) {
    // A hole runs against the outer ring, so that the polygon lies on the same side of both.
    if (!hole.empty())
        m_holeStarts.push_back(AddRing(hole, true));
}

double CBorderTriangulation::RingTurn(size_t a, size_t b, size_t c) const {
    return m_fTurn * border::Turn(m_nodes[a].place, m_nodes[b].place, m_nodes[c].place);
}

bool CBorderTriangulation::Spend(double work) {
    m_fWork += work;
    return m_fWork <= m_fWorkLeft;
}

bool CBorderTriangulation::OpensToward(size_t node, CDoublePoint place) const {
    const CDoublePoint here = m_nodes[node].place;
    const CDoublePoint before = m_nodes[m_nodes[node].prev].place, after = m_nodes[m_nodes[node].next].place;
    const double in = std::atan2(before.y - here.y, before.x - here.x);
    const double out = std::atan2(after.y - here.y, after.x - here.x);
    const double to = std::atan2(place.y - here.y, place.x - here.x);
    return m_fTurn > 0.0 ? InSweep(out, in, to) : InSweep(in, out, to);
}

bool CBorderTriangulation::IsClear(size_t a, size_t b) {
    const CDoublePoint p = m_nodes[a].place, q = m_nodes[b].place;
    if (!Spend(static_cast<double>(m_nodes.size())))
        return false;
    for (const Node& node : m_nodes) {
        const CDoublePoint r = node.place, s = m_nodes[node.next].place;
        if (OnOppositeSides(p, q, r, s) && OnOppositeSides(r, s, p, q))
            return false;
        if (!Same(r, p) && !Same(r, q) && OnSegment(p, q, r))
            return false;
    }
    return true;
}

void CBorderTriangulation::Splice(size_t ringNode, size_t holeNode) {
    // Out from the ring's node to the hole, round the hole and back along the same bridge; a
    // hole of one corner is not repeated.
    const size_t ringCopy = m_nodes.size();
    m_nodes.push_back(m_nodes[ringNode]);
    const size_t after = m_nodes[ringNode].next;
    size_t back = holeNode;
    if (m_nodes[holeNode].next != holeNode) {
        back = m_nodes.size();
        m_nodes.push_back(m_nodes[holeNode]);
        const size_t before = m_nodes[holeNode].prev;
        m_nodes[before].next = back;
        m_nodes[back].prev = before;
    }
    m_nodes[ringNode].next = holeNode;
    m_nodes[holeNode].prev = ringNode;
    m_nodes[back].next = ringCopy;
    m_nodes[ringCopy].prev = back;
    m_nodes[ringCopy].next = after;
    m_nodes[after].prev = ringCopy;
}

bool CBorderTriangulation::BridgeHole(size_t hole) {
    size_t rightmost = hole;
    for (size_t k = m_nodes[hole].next; k != hole; k = m_nodes[k].next) {
        const CDoublePoint p = m_nodes[k].place, best = m_nodes[rightmost].place;
        if (p.x > best.x || (p.x == best.x && p.y > best.y))
            rightmost = k;
    }
    std::vector<size_t> ends;
    for (size_t k = hole;;) {
        if (Same(m_nodes[k].place, m_nodes[rightmost].place))
            ends.push_back(k);
        k = m_nodes[k].next;
        if (k == hole)
            break;
    }
    const CDoublePoint from = m_nodes[rightmost].place;
    std::vector<std::pair<double, size_t>> candidates;
    for (size_t k = m_outerStart;;) {
        candidates.emplace_back(Distance(from, m_nodes[k].place), k);
        k = m_nodes[k].next;
        if (k == m_outerStart)
            break;
    }
    if (!Spend(static_cast<double>(candidates.size())))
        return false;
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [distance, to] : candidates) {
        if (!Spend(1.0))
            return false;
        if (distance == 0.0 || !OpensToward(to, from))
            continue;
        for (size_t end : ends)
            if (OpensToward(end, m_nodes[to].place) && IsClear(end, to)) {
                Splice(to, end);
                return true;
            }
    }
    return false;
}

void CBorderTriangulation::FillBuckets() {
    // About one corner a bucket, so that an ear looks only at the corners near it.
    size_t count = 0;
    m_low = m_nodes[m_outerStart].place;
    CDoublePoint high = m_low;
    for (size_t k = m_outerStart;;) {
        const CDoublePoint p = m_nodes[k].place;
        m_low = {std::min(m_low.x, p.x), std::min(m_low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        ++count;
        k = m_nodes[k].next;
        if (k == m_outerStart)
            break;
    }
    m_bucketsAcross = std::max<size_t>(1, static_cast<size_t>(std::sqrt(static_cast<double>(count))));
    const double across = static_cast<double>(m_bucketsAcross);
    m_cell = {std::max((high.x - m_low.x) / across, 1e-9), std::max((high.y - m_low.y) / across, 1e-9)};
    m_buckets.assign(m_bucketsAcross * m_bucketsAcross, {});
    for (size_t k = m_outerStart;;) {
        const std::array<size_t, 2> at = BucketOf(m_nodes[k].place);
        m_buckets[at[1] * m_bucketsAcross + at[0]].push_back(k);
        k = m_nodes[k].next;
        if (k == m_outerStart)
            break;
    }
}

std::array<size_t, 2> CBorderTriangulation::BucketOf(CDoublePoint p) const {
    auto index = [this](double offset, double cell) {
        const double i = std::floor(offset / cell);
        return static_cast<size_t>(std::clamp(i, 0.0, static_cast<double>(m_bucketsAcross - 1)));
    };
    return {index(p.x - m_low.x, m_cell.x), index(p.y - m_low.y, m_cell.y)};
}

bool CBorderTriangulation::ReachesInto(size_t node, size_t corner, size_t other1, size_t other2) const {
    for (size_t w : {m_nodes[node].prev, m_nodes[node].next})
        if (RingTurn(corner, other1, w) > 0.0 && RingTurn(corner, other2, w) < 0.0)
            return true;
    return false;
}

bool CBorderTriangulation::IsEar(size_t b) {
    const size_t a = m_nodes[b].prev, c = m_nodes[b].next;
    const CDoublePoint pa = m_nodes[a].place, pb = m_nodes[b].place, pc = m_nodes[c].place;
    if (!(RingTurn(a, b, c) > kLeastSine * Distance(pa, pb) * Distance(pb, pc)))
        return false;
    const std::array<size_t, 2> low = BucketOf({std::min({pa.x, pb.x, pc.x}), std::min({pa.y, pb.y, pc.y})});
    const std::array<size_t, 2> high = BucketOf({std::max({pa.x, pb.x, pc.x}), std::max({pa.y, pb.y, pc.y})});
    for (size_t j = low[1]; j <= high[1]; ++j)
        for (size_t i = low[0]; i <= high[0]; ++i) {
            const std::vector<size_t>& bucket = m_buckets[j * m_bucketsAcross + i];
            if (!Spend(1.0 + static_cast<double>(bucket.size())))
                return false;
            for (size_t v : bucket) {
                if (m_nodes[v].removed || v == a || v == b || v == c)
                    continue;
                const CDoublePoint p = m_nodes[v].place;
                if (Same(p, pa) || Same(p, pb) || Same(p, pc)) {
                    const bool reaches = Same(p, pa)   ? ReachesInto(v, a, b, c)
                                         : Same(p, pb) ? ReachesInto(v, b, c, a)
                                                       : ReachesInto(v, c, a, b);
                    if (reaches)
                        return false;
                } else if (RingTurn(a, b, v) >= 0.0 && RingTurn(b, c, v) >= 0.0 && RingTurn(c, a, v) >= 0.0) {
                    return false;
                }
            }
        }
    return true;
}

void CBorderTriangulation::CutEar(size_t b) {
    const size_t a = m_nodes[b].prev, c = m_nodes[b].next;
    m_triangles.push_back({m_nodes[a].id, m_nodes[b].id, m_nodes[c].id});
    m_nodes[b].removed = true;
    m_nodes[a].next = c;
    m_nodes[c].prev = a;
    if (m_outerStart == b)
        m_outerStart = c;
}

bool CBorderTriangulation::Triangulate() {
    // The holes farthest right first, so that every hole sees the ring past those beside it.
    auto rightmost = [this](size_t hole) {
        double x = m_nodes[hole].place.x;
        for (size_t k = m_nodes[hole].next; k != hole; k = m_nodes[k].next)
            x = std::max(x, m_nodes[k].place.x);
        return x;
    };
    std::vector<std::pair<double, size_t>> order;
    for (size_t hole : m_holeStarts) order.emplace_back(-rightmost(hole), hole);
    std::sort(order.begin(), order.end());
    for (const auto& [x, hole] : order)
        if (!BridgeHole(hole))
            return false;
    FillBuckets();
    size_t remaining = 1;
    for (size_t k = m_nodes[m_outerStart].next; k != m_outerStart; k = m_nodes[k].next) ++remaining;
    size_t ear = m_outerStart, stop = ear;
    while (remaining > 3) {
        const size_t next = m_nodes[ear].next;
        if (IsEar(ear)) {
            CutEar(ear);
            --remaining;
            ear = stop = next;
            continue;
        }
        if (m_fWork > m_fWorkLeft)
            return false;
        ear = next;
        if (ear == stop)
            return false;
    }
    const size_t b = m_nodes[ear].next;
    if (RingTurn(ear, b, m_nodes[b].next) > 0.0)
        CutEar(b);
    return true;
}
