#include "terrain/CMountGridBorder.h"

#include "terrain/CBorderTriangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "terrain/BorderGeometry.h"

namespace {

using namespace border;

// Turns smaller than this, in square grid units, count as none.
constexpr double kFlat = 1e-9;
// How far from an outline edge a contour knot may lie and still put an outline knot on it.
constexpr double kFootReach = 1.0 + 1e-4;
// How often the zip may go back from a dead end, per outline station and contour place.
constexpr size_t kBacktracksPerStation = 8;
// Outline knots closer than this in both directions, in grid units, are one.
constexpr double kSamePlace = 0.1;
// The steps of a contour walk, counter-clockwise from east; odd ones are diagonal.
constexpr int kSteps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
// The grid cells the link tests of one stitch may search, per outline knot and contour place,
// and at least: a ring whose thin edges pass far from the contour makes every test search a
// long box, and the border then takes seconds.
constexpr double kLinkCellsPerPlace = 256.0;
constexpr double kLeastLinkCells = 4096.0;
// The outline corners times the corners and knots that a bridge along the outline may weigh;
// beyond it a piece behind a neck stays without border, as a sliver of a large terrain would
// otherwise hold up its open.
constexpr double kAlongOutlineWork = 4.0e6;
// The corners and edges that cutting the strip into triangles may look at, per outline vertex
// and contour place, and at least; beyond it the zip's faces stay.
constexpr double kTriangulationWorkPerPlace = 512.0;
constexpr double kLeastTriangulationWork = 1.0e6;

// Whether a-b and c-d cross at a point inside both; touching is no crossing.
bool CrossProperly(CDoublePoint a, CDoublePoint b, CDoublePoint c, CDoublePoint d) {
    return OnOppositeSides(a, b, c, d) && OnOppositeSides(c, d, a, b);
}

bool SamePlace(CDoublePoint a, CDoublePoint b) {
    return std::fabs(a.x - b.x) < kSamePlace && std::fabs(a.y - b.y) < kSamePlace;
}

// A point as the knots store it.
CDoublePoint AsStored(CDoublePoint p) {
    return {static_cast<float>(p.x), static_cast<float>(p.y)};
}

}  // namespace

double CMountGridBorder::OffGridLine(double value) {
    return value == std::floor(value) ? value - 1e-6 : value;
}

CMountGridBorder::CMountGridBorder(CGrideMount& grid, const CIntTable& table, int minColumn, int minRow,
                                   int interiorCount, const std::vector<CDoublePoint>& ring,
                                   KnotStitcher stitch)
    : m_grid(grid),
      m_table(table),
      m_nMinColumn(minColumn),
      m_nMinRow(minRow),
      m_nInteriorCount(interiorCount),
      m_stitch(std::move(stitch)) {
    for (const CDoublePoint& p : ring) m_ring.push_back(AsStored(p));
    double area = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const CDoublePoint a = ring[i], b = ring[(i + 1) % ring.size()];
        area += a.x * b.y - b.x * a.y;
    }
    m_fTurn = area < 0.0 ? -1.0 : 1.0;
    BuildContour();
}

CDoublePoint CMountGridBorder::Place(int knot) const {
    return {m_grid[knot].x, m_grid[knot].y};
}

int CMountGridBorder::KnotAt(int column, int row) const {
    return m_table.Get(column - m_nMinColumn + 1, row - m_nMinRow + 1);
}

int CMountGridBorder::LinkedKnotAt(int knot, int column, int row) const {
    const int next = KnotAt(column, row);
    return next >= 0 && m_grid[knot].IsLinkedTo(next) ? next : -1;
}

int CMountGridBorder::WalkNeighbour(int knot, int direction) const {
    // A diagonal counts only where no corner of its cell joins its two ends by row and
    // column links; the walk then goes round that corner instead.
    const int c = static_cast<int>(m_grid[knot].x), r = static_cast<int>(m_grid[knot].y);
    const int dc = kSteps[direction][0], dr = kSteps[direction][1];
    const int next = LinkedKnotAt(knot, c + dc, r + dr);
    if (next < 0 || direction % 2 == 0)
        return next;
    for (const auto& [cc, cr] : {std::pair{c + dc, r}, std::pair{c, r + dr}}) {
        const int corner = KnotAt(cc, cr);
        if (corner >= 0 && m_grid[corner].IsLinkedTo(knot) && m_grid[corner].IsLinkedTo(next))
            return -1;
    }
    return next;
}

std::vector<int> CMountGridBorder::Piece(int knot, std::vector<bool>& seen) const {
    std::vector<int> piece{knot};
    seen[static_cast<size_t>(knot)] = true;
    for (size_t i = 0; i < piece.size(); ++i)
        for (int direction = 0; direction < 8; ++direction) {
            const int next = WalkNeighbour(piece[i], direction);
            if (next >= 0 && !seen[static_cast<size_t>(next)]) {
                seen[static_cast<size_t>(next)] = true;
                piece.push_back(next);
            }
        }
    return piece;
}

std::vector<int> CMountGridBorder::WalkRound(const std::vector<int>& piece) const {
    // From the lowest, leftmost knot, keeping the outside on the right hand: the piece's
    // outer contour counter-clockwise, spurs walked out and back.
    const int start = *std::min_element(piece.begin(), piece.end(), [this](int a, int b) {
        return std::tie(m_grid[a].y, m_grid[a].x) < std::tie(m_grid[b].y, m_grid[b].x);
    });
    std::vector<int> walk;
    int knot = start, heading = 0, firstHeading = -1;
    for (size_t guard = 0; guard <= 8 * piece.size() + 8; ++guard) {
        int next = -1, direction = heading;
        for (int turn = 5; turn <= 12; ++turn) {
            direction = (heading + turn) % 8;
            next = WalkNeighbour(knot, direction);
            if (next >= 0)
                break;
        }
        if (next < 0)
            return {start};
        if (knot == start && direction == firstHeading)
            break;
        if (firstHeading < 0)
            firstHeading = direction;
        walk.push_back(knot);
        knot = next;
        heading = direction;
    }
    if (m_fTurn < 0.0)
        std::reverse(walk.begin() + 1, walk.end());
    return walk;
}

void CMountGridBorder::BuildContour() {
    std::vector<bool> seen(static_cast<size_t>(m_nInteriorCount));
    std::vector<std::pair<size_t, std::vector<int>>> pieces;
    for (int k = 0; k < m_nInteriorCount; ++k)
        if (!seen[static_cast<size_t>(k)]) {
            const std::vector<int> piece = Piece(k, seen);
            pieces.emplace_back(piece.size(), WalkRound(piece));
        }
    if (pieces.empty())
        return;
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& piece : pieces) m_walks.push_back(piece.second);
    m_contour = pieces.front().second;
    std::vector<std::vector<int>> walks;
    for (size_t i = 1; i < pieces.size(); ++i) walks.push_back(pieces[i].second);
    // The nearest piece first, so that no bridge passes a piece it could have taken in.
    while (!walks.empty()) {
        size_t bridged = BridgeNearest(walks);
        if (bridged == walks.size())
            bridged = static_cast<size_t>(
                std::find_if(walks.begin(), walks.end(),
                             [this](const std::vector<int>& walk) { return BridgeAlongOutline(walk); }) -
                walks.begin());
        if (bridged == walks.size()) {
            m_bAllBridged = false;
            break;
        }
        walks.erase(walks.begin() + static_cast<long>(bridged));
    }
}

bool CMountGridBorder::Inside(CDoublePoint p) const {
    bool inside = false;
    for (size_t e = 0; e < m_ring.size(); ++e) {
        const CDoublePoint a = m_ring[e], b = m_ring[(e + 1) % m_ring.size()];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) / (b.y - a.y) * (b.x - a.x))
            inside = !inside;
    }
    return inside;
}

std::vector<CDoublePoint> CMountGridBorder::InsideOutline() const {
    // Along the bisector of each corner, a third of the way to the nearest other edge and at
    // most a quarter step.
    const size_t n = m_ring.size();
    std::vector<CDoublePoint> places;
    for (size_t i = 0; i < n; ++i) {
        const CDoublePoint v = m_ring[i], before = m_ring[(i + n - 1) % n], after = m_ring[(i + 1) % n];
        const double l1 = Distance(before, v), l2 = Distance(v, after);
        double room = 0.25;
        for (size_t e = 0; e < n; ++e) {
            if (e == i || (e + 1) % n == i)
                continue;
            const CDoublePoint a = m_ring[e], b = m_ring[(e + 1) % n];
            const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
            const double t =
                length2 > 0.0 ? std::clamp(((v.x - a.x) * dx + (v.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
            room = std::min(room, Distance(v, {a.x + dx * t, a.y + dy * t}) / 3.0);
        }
        CDoublePoint place = v;
        if (l1 > 0.0 && l2 > 0.0) {
            const double nx = m_fTurn * (-(v.y - before.y) / l1 - (after.y - v.y) / l2);
            const double ny = m_fTurn * ((v.x - before.x) / l1 + (after.x - v.x) / l2);
            const double length = std::hypot(nx, ny);
            const CDoublePoint candidate{v.x + nx / length * room, v.y + ny / length * room};
            if (length > 1e-9 && Inside(candidate))
                place = candidate;
        }
        places.push_back(place);
    }
    return places;
}

int CMountGridBorder::ClearNearest(CDoublePoint place, const std::vector<int>& knots) const {
    int best = -1;
    double bestDistance = 1.5;
    for (int k : knots) {
        const double d = Distance(place, Place(k));
        if (d < bestDistance && IsClear(place, Place(k))) {
            best = k;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<CDoublePoint> CMountGridBorder::PullTight(const std::vector<CDoublePoint>& path) const {
    std::vector<CDoublePoint> kept{path.front()};
    size_t at = 0;
    while (at + 1 < path.size()) {
        size_t next = at + 1;
        for (size_t k = path.size() - 1; k > at + 1; --k)
            if (IsClear(path[at], path[k])) {
                next = k;
                break;
            }
        kept.push_back(path[next]);
        at = next;
    }
    return kept;
}

bool CMountGridBorder::BridgeAlongOutline(const std::vector<int>& walk) {
    const double n2 = static_cast<double>(m_ring.size());
    if (n2 * (n2 + static_cast<double>(walk.size() + m_contour.size())) > kAlongOutlineWork)
        return false;
    if (m_insideCorners.empty())
        m_insideCorners = InsideOutline();
    const std::vector<CDoublePoint>& places = m_insideCorners;
    const size_t n = places.size();
    std::vector<int> fromWalk(n), toContour(n);
    std::vector<bool> clearToNext(n);
    for (size_t i = 0; i < n; ++i) {
        fromWalk[i] = ClearNearest(places[i], walk);
        toContour[i] = ClearNearest(places[i], m_contour);
        clearToNext[i] = places[i].x != m_ring[i].x || places[i].y != m_ring[i].y
                             ? IsClear(places[i], places[(i + 1) % n])
                             : false;
    }
    // The fewest steps along the outline from a place the piece reaches to one the contour
    // reaches, either way round.
    size_t bestStart = n, bestLength = n + 1;
    int bestWay = 1;
    for (size_t i = 0; i < n; ++i) {
        if (fromWalk[i] < 0)
            continue;
        for (int way : {1, -1}) {
            size_t at = i;
            for (size_t length = 0; length < std::min(n, bestLength); ++length) {
                if (toContour[at] >= 0) {
                    bestStart = i;
                    bestLength = length;
                    bestWay = way;
                    break;
                }
                const size_t next = (at + n + static_cast<size_t>(way)) % n;
                if (!clearToNext[way > 0 ? at : next])
                    break;
                at = next;
            }
        }
    }
    if (bestStart == n)
        return false;
    std::vector<size_t> steps{bestStart};
    for (size_t k = 0; k < bestLength; ++k)
        steps.push_back((steps.back() + n + static_cast<size_t>(bestWay)) % n);
    const int from = fromWalk[bestStart], to = toContour[steps.back()];
    std::vector<CDoublePoint> path{Place(from)};
    for (size_t i : steps) path.push_back(places[i]);
    path.push_back(Place(to));
    const std::vector<CDoublePoint> tight = PullTight(path);
    std::vector<int> via;
    for (size_t k = 1; k + 1 < tight.size(); ++k)
        via.push_back(
            m_grid.Add(CGrideKnot(static_cast<float>(tight[k].x), static_cast<float>(tight[k].y), 0.0f)));
    if (!Splice(walk, from, to, via)) {
        m_grid.DropLast(static_cast<int>(via.size()));
        return false;
    }
    m_bridgeKnots.insert(m_bridgeKnots.end(), via.begin(), via.end());
    return true;
}

std::vector<CDoublePoint> CMountGridBorder::OutlineClearOfKnots() const {
    const size_t n = m_ring.size();
    std::vector<CDoublePoint> places;
    auto offLine = [](double value, double outward) {
        const double line = std::round(value);
        if (std::fabs(value - line) > kOnLine || std::fabs(outward) < kFlat)
            return value;
        const float stored = static_cast<float>(line);
        const double room = std::max(1e-6, 4.0 * (std::nextafter(stored, 2.0f * stored + 1.0f) - stored));
        return static_cast<double>(static_cast<float>(line + (outward > 0.0 ? room : -room)));
    };
    for (size_t i = 0; i < n; ++i) {
        const CDoublePoint v = m_ring[i], before = m_ring[(i + n - 1) % n], after = m_ring[(i + 1) % n];
        const double l1 = Distance(before, v), l2 = Distance(v, after);
        if (!(l1 > 0.0 && l2 > 0.0)) {
            places.push_back(v);
            continue;
        }
        const double outX = m_fTurn * ((v.y - before.y) / l1 + (after.y - v.y) / l2);
        const double outY = -m_fTurn * ((v.x - before.x) / l1 + (after.x - v.x) / l2);
        places.push_back({offLine(v.x, outX), offLine(v.y, outY)});
    }
    return places;
}

bool CMountGridBorder::FacesInward(const std::vector<CDoublePoint>& stations, size_t at,
                                   CDoublePoint target) const {
    const CDoublePoint here = stations[at];
    const CDoublePoint before = stations[(at + stations.size() - 1) % stations.size()];
    const CDoublePoint after = stations[(at + 1) % stations.size()];
    const double in = std::atan2(before.y - here.y, before.x - here.x);
    const double out = std::atan2(after.y - here.y, after.x - here.x);
    const double to = std::atan2(target.y - here.y, target.x - here.x);
    return m_fTurn > 0.0 ? InSweep(out, in, to) : InSweep(in, out, to);
}

bool CMountGridBorder::FacesOutward(const std::vector<int>& walk, size_t at, CDoublePoint target) const {
    if (walk.size() < 2)
        return true;
    const CDoublePoint here = Place(walk[at]);
    const CDoublePoint before = Place(walk[(at + walk.size() - 1) % walk.size()]);
    const CDoublePoint after = Place(walk[(at + 1) % walk.size()]);
    const double in = std::atan2(before.y - here.y, before.x - here.x);
    const double out = std::atan2(after.y - here.y, after.x - here.x);
    const double to = std::atan2(target.y - here.y, target.x - here.x);
    return m_fTurn > 0.0 ? InSweep(in, out, to) : InSweep(out, in, to);
}

size_t CMountGridBorder::BridgeNearest(const std::vector<std::vector<int>>& walks) {
    // The shortest clear bridge from a piece to the contour so far, searched in ever wider
    // squares; pieces that none reaches get no border.
    std::vector<bool> onContour(static_cast<size_t>(m_grid.GetSize()));
    for (int k : m_contour) onContour[static_cast<size_t>(k)] = true;
    const int widest = std::max(m_table.Columns(), m_table.Rows());
    for (int reach = 2; reach < 2 * widest; reach *= 2) {
        std::vector<std::tuple<double, size_t, int, int>> candidates;
        for (size_t w = 0; w < walks.size(); ++w)
            for (int from : walks[w]) {
                const int c = static_cast<int>(m_grid[from].x), r = static_cast<int>(m_grid[from].y);
                for (int dc = -reach; dc <= reach; ++dc)
                    for (int dr = -reach; dr <= reach; ++dr) {
                        const int to = KnotAt(c + dc, r + dr);
                        if (to >= 0 && onContour[static_cast<size_t>(to)])
                            candidates.emplace_back(std::hypot(dc, dr), w, from, to);
                    }
            }
        std::sort(candidates.begin(), candidates.end());
        for (const auto& [length, w, from, to] : candidates)
            if (Splice(walks[w], from, to))
                return w;
    }
    return walks.size();
}

bool CMountGridBorder::Splice(const std::vector<int>& walk, int from, int to, const std::vector<int>& via) {
    std::vector<int> bridge{from};
    bridge.insert(bridge.end(), via.begin(), via.end());
    bridge.push_back(to);
    for (size_t k = 0; k + 1 < bridge.size(); ++k)
        if (!IsClear(Place(bridge[k]), Place(bridge[k + 1])))
            return false;
    const CDoublePoint towardWalk = Place(bridge[bridge.size() - 2]), towardContour = Place(bridge[1]);
    size_t p = 0, q = 0;
    while (p < m_contour.size() && (m_contour[p] != to || !FacesOutward(m_contour, p, towardWalk))) ++p;
    while (q < walk.size() && (walk[q] != from || !FacesOutward(walk, q, towardContour))) ++q;
    if (p == m_contour.size() || q == walk.size())
        return false;
    // Out along the bridge, round the piece and back.
    std::vector<int> merged(m_contour.begin(), m_contour.begin() + static_cast<long>(p) + 1);
    merged.insert(merged.end(), via.rbegin(), via.rend());
    for (size_t k = 0; k < walk.size(); ++k) merged.push_back(walk[(q + k) % walk.size()]);
    if (walk.size() > 1)
        merged.push_back(from);
    merged.insert(merged.end(), via.begin(), via.end());
    if (m_contour.size() > 1)
        merged.push_back(to);
    merged.insert(merged.end(), m_contour.begin() + static_cast<long>(p) + 1, m_contour.end());
    m_contour = std::move(merged);
    for (size_t k = 0; k + 1 < bridge.size(); ++k) {
        m_bridges.emplace_back(bridge[k], bridge[k + 1]);
        if (!m_grid[bridge[k]].IsLinkedTo(bridge[k + 1]))
            m_grid.Link(bridge[k], bridge[k + 1]);
    }
    return true;
}

bool CMountGridBorder::CrossesLink(CDoublePoint a, CDoublePoint b) const {
    const int c0 = static_cast<int>(std::floor(std::min(a.x, b.x))) - 1;
    const int c1 = static_cast<int>(std::ceil(std::max(a.x, b.x))) + 1;
    const int r0 = static_cast<int>(std::floor(std::min(a.y, b.y))) - 1;
    const int r1 = static_cast<int>(std::ceil(std::max(a.y, b.y))) + 1;
    // Past the stitch's share of searching, no side counts as clear.
    const double cells = (static_cast<double>(c1) - c0 + 1.0) * (static_cast<double>(r1) - r0 + 1.0);
    if (cells > m_fLinkCellsLeft)
        return true;
    m_fLinkCellsLeft -= cells;
    m_fSearchedCells += cells;
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
            const int k = KnotAt(c, r);
            if (k < 0)
                continue;
            for (int direction : {0, 1, 2, 3}) {
                const int next = WalkNeighbour(k, direction);
                if (next >= 0 && CrossProperly(a, b, Place(k), Place(next)))
                    return true;
            }
        }
    return false;
}

bool CMountGridBorder::IsClear(CDoublePoint a, CDoublePoint b) const {
    for (size_t e = 0; e < m_ring.size(); ++e)
        if (CrossProperly(a, b, m_ring[e], m_ring[(e + 1) % m_ring.size()]))
            return false;
    for (const auto& [from, to] : m_bridges)
        if (CrossProperly(a, b, Place(from), Place(to)))
            return false;
    return !CrossesLink(a, b);
}

std::vector<int> CMountGridBorder::ContourKnots() const {
    std::vector<int> knots = m_contour;
    std::sort(knots.begin(), knots.end());
    knots.erase(std::unique(knots.begin(), knots.end()), knots.end());
    return knots;
}

void CMountGridBorder::AddEdgeFeet(CDoublePoint from, CDoublePoint to, const std::vector<bool>& onContour,
                                   std::vector<CDoublePoint>& stations) const {
    // The contour knots near the edge, found in the cells round points half a step apart.
    std::vector<int> near;
    const int samples = static_cast<int>(std::ceil(Distance(from, to) / 0.5)) + 1;
    for (int i = 0; i <= samples; ++i) {
        const double t = static_cast<double>(i) / samples;
        const int c = static_cast<int>(std::floor(from.x + (to.x - from.x) * t));
        const int r = static_cast<int>(std::floor(from.y + (to.y - from.y) * t));
        for (int dc = -1; dc <= 2; ++dc)
            for (int dr = -1; dr <= 2; ++dr) {
                const int k = KnotAt(c + dc, r + dr);
                if (k >= 0 && onContour[static_cast<size_t>(k)])
                    near.push_back(k);
            }
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length2 = dx * dx + dy * dy;
    std::vector<std::pair<double, CDoublePoint>> feet;
    for (int k : near) {
        const CDoublePoint p = Place(k);
        const double t = length2 > 0.0 ? ((p.x - from.x) * dx + (p.y - from.y) * dy) / length2 : 0.0;
        const CDoublePoint foot{from.x + dx * t, from.y + dy * t};
        if (t > 0.0 && t < 1.0 && Distance(foot, p) <= kFootReach && IsClear(foot, p))
            feet.emplace_back(t, AsStored({OffGridLine(foot.x), OffGridLine(foot.y)}));
    }
    std::sort(feet.begin(), feet.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& foot : feet)
        if (!SamePlace(foot.second, stations.back()) && !SamePlace(foot.second, to))
            stations.push_back(foot.second);
}

std::vector<CDoublePoint> CMountGridBorder::OutlineStations() const {
    std::vector<bool> onContour(static_cast<size_t>(m_grid.GetSize()));
    for (int k : m_contour) onContour[static_cast<size_t>(k)] = true;
    std::vector<CDoublePoint> stations;
    for (size_t e = 0; e < m_ring.size(); ++e) {
        stations.push_back(m_ring[e]);
        AddEdgeFeet(m_ring[e], m_ring[(e + 1) % m_ring.size()], onContour, stations);
    }
    return stations;
}

size_t CMountGridBorder::StartOfContour(int startKnot) const {
    const CDoublePoint first = m_ring.front();
    auto fits = [&](size_t at) {
        return FacesOutward(m_contour, at, first) && IsClear(first, Place(m_contour[at]));
    };
    for (size_t at = 0; at < m_contour.size(); ++at)
        if (m_contour[at] == startKnot && fits(at))
            return at;
    size_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t at = 0; at < m_contour.size(); ++at) {
        const double d = Distance(first, Place(m_contour[at]));
        if (d < bestDistance && fits(at)) {
            best = at;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<CMountGridBorder::Station> CMountGridBorder::Zip(const std::vector<CDoublePoint>& stations,
                                                             size_t start) const {
    // From outline station i and contour place j a step moves on along the outline (a
    // triangle on the outline), along the contour (a triangle on the contour, the outline knot
    // repeated) or both (a quadrilateral). The steps that fit are tried shortest new side
    // first, the quadrilateral winning a tie; a dead end goes back to the last choice left.
    const size_t n = stations.size();
    const size_t m = m_contour.size() > 1 ? m_contour.size() : 0;
    auto outlineAt = [&](size_t i) { return stations[i % n]; };
    auto knotAt = [&](size_t j) { return m_contour[(start + j) % m_contour.size()]; };
    auto turnsWithOutline = [this](CDoublePoint a, CDoublePoint b, CDoublePoint c) {
        return m_fTurn * Turn(a, b, c) > kFlat;
    };
    // A new side from outline station i to contour place j: inside the outline where it
    // leaves the outline, outside the contour where it reaches the contour, crossing nothing.
    auto sideFits = [&](size_t i, size_t j) {
        const CDoublePoint s = outlineAt(i), c = Place(knotAt(j));
        return FacesInward(stations, i % n, c) &&
               FacesOutward(m_contour, (start + j) % m_contour.size(), s) && IsClear(s, c);
    };
    auto steps = [&](size_t i, size_t j) {
        const CDoublePoint s = outlineAt(i), c = Place(knotAt(j));
        std::vector<std::pair<double, Step>> fitting;
        if (i < n && j < m) {
            const CDoublePoint t = outlineAt(i + 1), d = Place(knotAt(j + 1));
            if (turnsWithOutline(s, t, d) && turnsWithOutline(t, d, c) && turnsWithOutline(d, c, s) &&
                turnsWithOutline(c, s, t) && sideFits(i + 1, j + 1))
                fitting.emplace_back(Distance(t, d), Step{1, 1});
        }
        if (i < n && turnsWithOutline(s, outlineAt(i + 1), c) && sideFits(i + 1, j))
            fitting.emplace_back(Distance(outlineAt(i + 1), c), Step{1, 0});
        if (j < m && turnsWithOutline(s, Place(knotAt(j + 1)), c) && sideFits(i, j + 1))
            fitting.emplace_back(Distance(s, Place(knotAt(j + 1))), Step{0, 1});
        std::stable_sort(fitting.begin(), fitting.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<Step> ordered;
        for (const auto& step : fitting) ordered.push_back(step.second);
        return ordered;
    };
    // Where no step fits and no choice is left, the side that lags behind moves on.
    auto forcedStep = [&](size_t i, size_t j) {
        return i < n && (j >= m || i * m <= j * n) ? Step{1, 0} : Step{0, 1};
    };
    struct Choice {
        size_t i, j;
        std::vector<Step> steps;
        size_t next = 0;
    };
    std::vector<Choice> path{{0, 0, steps(0, 0)}};
    size_t backtracks = kBacktracksPerStation * (n + m);
    while (path.back().i < n || path.back().j < m) {
        Choice& here = path.back();
        Step step;
        if (here.next < here.steps.size()) {
            step = here.steps[here.next++];
        } else if (backtracks > 0 && path.size() > 1) {
            --backtracks;
            path.pop_back();
            continue;
        } else {
            step = forcedStep(here.i, here.j);
            here.next = here.steps.size() + 1;
        }
        const size_t i = here.i + step.alongOutline, j = here.j + step.alongContour;
        path.push_back({i, j, steps(i, j)});
    }
    std::vector<Station> zipped;
    for (size_t k = 0; k + 1 < path.size(); ++k) zipped.push_back({outlineAt(path[k].i), knotAt(path[k].j)});
    return zipped;
}

void CMountGridBorder::Stitch(int startKnot, float height) {
    if (m_contour.empty() || m_ring.empty())
        return;
    m_fLinkCellsLeft = std::max(
        kLeastLinkCells, kLinkCellsPerPlace * static_cast<double>(m_ring.size() + 2 * m_contour.size()));
    for (int k : m_bridgeKnots) m_grid[k].z = height;
    const std::vector<CDoublePoint> stations = OutlineStations();
    const int first = m_grid.GetSize();
    int previous = -1;
    for (const Station& station : Zip(stations, StartOfContour(startKnot)))
        previous = m_stitch(station.place, station.attach, previous);
    if (m_bAllBridged && !m_grid.BorderTurnsOver(first, m_grid.GetSize() - 1))
        return;
    Triangulate(first);
}

bool CMountGridBorder::Triangulate(int first) {
    // Ids: a contour knot's own number, outline vertex i as -1 - i.
    const std::vector<CDoublePoint> ring = OutlineClearOfKnots();
    std::vector<CBorderTriangulation::Corner> outer;
    for (size_t i = 0; i < ring.size(); ++i) outer.push_back({ring[i], -1 - static_cast<int>(i)});
    double places = static_cast<double>(m_ring.size());
    for (const std::vector<int>& walk : m_walks) places += static_cast<double>(walk.size());
    CBorderTriangulation strip(outer, m_fTurn,
                               std::max(kLeastTriangulationWork, kTriangulationWorkPerPlace * places));
    auto hole = [this](const std::vector<int>& walk) {
        std::vector<CBorderTriangulation::Corner> corners;
        for (int k : walk) corners.push_back({Place(k), k});
        return corners;
    };
    // The pieces apart, as a bridge between them may run along the outline's edge; the
    // knots made for bridges as corners on their own, so that faces reach them too.
    for (const std::vector<int>& walk : m_walks) strip.AddHole(hole(walk));
    for (int k : m_bridgeKnots) strip.AddHole(hole({k}));
    const bool laid = strip.Triangulate();
    m_fTriangulationWork = strip.Work();
    if (laid)
        AddTriangulatedKnots(first, ring, strip.Triangles());
    return laid;
}

void CMountGridBorder::AddTriangulatedKnots(int first, const std::vector<CDoublePoint>& ring,
                                            const std::vector<std::array<int, 3>>& triangles) {
    for (int k = m_grid.GetSize() - 1; k >= first; --k) {
        const CIntArray links = m_grid[k].links;
        for (int link : links) m_grid.Unlink(k, link);
    }
    m_grid.DropLast(m_grid.GetSize() - first);
    const size_t n = ring.size();
    auto knotOf = [first](int id) { return id >= 0 ? id : first - 1 - id; };
    // Each vertex hangs on the first contour knot a triangle gives it, else on the one the
    // vertex before it hangs on.
    std::vector<int> attach(n, -1);
    for (const std::array<int, 3>& t : triangles)
        for (int id : t)
            if (id < 0) {
                for (int other : t)
                    if (other >= 0 && attach[static_cast<size_t>(-1 - id)] < 0)
                        attach[static_cast<size_t>(-1 - id)] = other;
            }
    const auto known = std::find_if(attach.begin(), attach.end(), [](int a) { return a >= 0; });
    int last = known != attach.end() ? *known : m_contour.front();
    for (size_t i = 0; i < n; ++i) {
        if (attach[i] < 0)
            attach[i] = last;
        last = attach[i];
        m_stitch(ring[i], attach[i], i > 0 ? m_grid.GetSize() - 1 : -1);
    }
    // The triangles' other sides from the outline knots, so that a walk along the links meets
    // every face.
    std::vector<std::array<int, 3>> knots;
    for (const std::array<int, 3>& t : triangles) {
        knots.push_back({knotOf(t[0]), knotOf(t[1]), knotOf(t[2])});
        for (size_t e = 0; e < 3; ++e) {
            const int a = knots.back()[e], b = knots.back()[(e + 1) % 3];
            if ((a >= first || b >= first) && !m_grid[a].IsLinkedTo(b))
                m_grid.Link(a, b);
        }
    }
    m_grid.SetBorderTriangles(std::move(knots));
}
