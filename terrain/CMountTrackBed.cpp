#include <algorithm>
#include <cmath>

#include "terrain/CMount.h"
#include "track/CParTrack.h"

// A track piece's bed cut into the terrain: the knots in a band along its centre line go to
// the bed's height, down in a cut or up on a fill; where the ground stands above a tunnel's
// top the knots stay and the tunnel gets cross-sections for its tube.

namespace {

constexpr double kStepFactor = 1.42;
constexpr double kBandFactor = 1.5;
constexpr double kSearchFactor = 2.25;
constexpr double kPi = 3.1415926535;
constexpr int kBridge = 1;
constexpr int kTunnel = 2;
// Beyond this many cells the search of the band's knots scans every knot anyway.
constexpr double kLargestSearchRadius = 200.0;

// The tunnel state carried from one pair of samples to the next; the first pair's own state
// stands before it.
struct BedWalk {
    std::vector<int> previousKnots;
    bool previousTunnel = false;
    bool tunnelSinceRun = false;
    int sectionsSinceRun = 0;
};

CTunnelSection CrossSection(CDoublePoint m, double angle, double w, double h, double top) {
    const double c = std::cos(angle), s = std::sin(angle);
    const CDoublePoint left{m.x - w * s, m.y + w * c}, right{m.x + w * s, m.y - w * c};
    auto corner = [](CDoublePoint p, double height) {
        return CTunnelCorner{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(height)};
    };
    return {corner(left, top), corner(right, top), corner(right, h), corner(left, h)};
}

}  // namespace

void CMount::CutTrackBed(CPaint* object, int report) {
    auto* piece = dynamic_cast<CParTrack*>(object);
    if (!m_bAllowConform || piece == nullptr)
        return;
    const bool hadRecord = RemoveTrackCut(piece) != 0;
    GetTrackCut(piece);
    if (report && hadRecord)
        m_bConformed = 1;
    if (piece->m_nStyle == kBridge) {
        // The empty record stays; the piece names the terrain so that it can drop it again.
        piece->AddCutTerrain(this);
        return;
    }
    const bool tunnel = piece->m_nStyle == kTunnel;
    const double g = m_fGridSpacing;
    const double widthBase = std::max(piece->m_fTunnelWidth, kStepFactor * g);
    const double band = kBandFactor * widthBase;
    const int radius = static_cast<int>(std::min(kSearchFactor * widthBase / g + 1.0, kLargestSearchRadius));
    std::vector<CDoublePoint> samples;
    std::vector<double> elevations;
    double step = kStepFactor * g;
    piece->SampleCentreLine(samples, elevations, step);
    for (CDoublePoint& p : samples) p = WorldToLocal(p.x, p.y);
    const double base = m_fElevation;
    BedWalk walk;
    CTrackBedCut* cut = &GetTrackCut(piece);
    bool touchedAny = false;
    const double ownAngle = m_pose.angle + m_parentPose.angle;
    for (size_t i = 1; i < samples.size(); ++i) {
        const CDoublePoint p = samples[i - 1], q = samples[i];
        const double dx = step > 0.0 ? (q.x - p.x) / step : 0.0, dy = step > 0.0 ? (q.y - p.y) / step : 0.0;
        const POINT corners[4] = {
            {TruncateCoordinate(p.x - band * dy), TruncateCoordinate(p.y + band * dx)},
            {TruncateCoordinate(q.x - band * dy), TruncateCoordinate(q.y + band * dx)},
            {TruncateCoordinate(q.x + band * dy), TruncateCoordinate(q.y - band * dx)},
            {TruncateCoordinate(p.x + band * dy), TruncateCoordinate(p.y - band * dx)},
        };
        const bool touched = IsPointOnTerrain(p.x, p.y) || IsPointOnTerrain(q.x, q.y);
        double h = elevations[i];
        if (h < base)
            h = base + h;
        const double top = h + piece->m_fTunnelHeight;
        std::vector<int> knots;
        bool open = true;
        if (touched) {
            touchedAny = true;
            CollectKnotsInQuad(corners, radius, knots);
            open = std::any_of(knots.begin(), knots.end(),
                               [&](int k) { return m_grid[k].z < static_cast<float>(top); });
        }
        std::vector<int> recorded;
        for (int k : knots) {
            const CGrideKnot& knot = m_grid[k];
            const double z = knot.z;
            const bool border = k >= InnerKnotCount() || knot.LinkCount() < 8;
            double height;
            if (m_nInteriorCount > 0 && m_bFixedBorder && z < h && border)
                height = z;
            else if (open || !tunnel)
                height = h;
            else if (z > top)
                height = z;
            else
                continue;
            cut->changes.push_back({k, knot.x, knot.y, static_cast<float>(height)});
            recorded.push_back(k);
        }
        if (!tunnel)
            continue;
        const bool isTunnel = touched && !open;
        // The piece starts in the state of its first pair: a piece that starts inside a hill
        // has no mouth there.
        if (i == 1)
            walk.previousTunnel = isTunnel;
        const double segmentAngle = std::atan2(q.y - p.y, q.x - p.x);
        if (isTunnel) {
            const double angle =
                i == 1 ? piece->GetEndAngle(&piece->m_parentPose, 0) - ownAngle : segmentAngle;
            cut->sections.push_back(CrossSection(p, angle, piece->m_fTunnelWidth, h, top));
            ++walk.sectionsSinceRun;
            walk.tunnelSinceRun = true;
        }
        if (isTunnel != walk.previousTunnel) {
            // A tunnel mouth: the knots of both pairs go to the mouth's side corners.
            const CTunnelSection mouth = CrossSection(p, segmentAngle, piece->m_fTunnelWidth, h, top);
            std::vector<int> both = walk.previousKnots;
            both.insert(both.end(), recorded.begin(), recorded.end());
            for (CKnotChange& change : cut->changes) {
                if (std::find(both.begin(), both.end(), change.index) == both.end())
                    continue;
                const double kx = change.x * g, ky = change.y * g;
                const CTunnelCorner& a = mouth[0];
                const CTunnelCorner& b = mouth[1];
                const bool toA = std::hypot(kx - a.x, ky - a.y) <= std::hypot(kx - b.x, ky - b.y);
                const CTunnelCorner& side = toA ? a : b;
                change.x = static_cast<float>(side.x / g);
                change.y = static_cast<float>(side.y / g);
                const bool inThis =
                    std::find(recorded.begin(), recorded.end(), change.index) != recorded.end();
                change.height = static_cast<float>((inThis ? isTunnel : walk.previousTunnel) ? top : h);
            }
            for (int k : both) {
                const CGrideKnot& knot = m_grid[k];
                if (knot.LinkCount() >= 3 &&
                    std::all_of(knot.links.begin(), knot.links.begin() + 3, [&both](int link) {
                        return std::find(both.begin(), both.end(), link) != both.end();
                    }))
                    cut->hidden.push_back(k);
            }
            if (!isTunnel) {
                cut->sections.push_back(CrossSection(p, segmentAngle, piece->m_fTunnelWidth, h, top));
                ++walk.sectionsSinceRun;
            }
        }
        if (!isTunnel && walk.tunnelSinceRun) {
            cut->runs.push_back(walk.sectionsSinceRun);
            walk.sectionsSinceRun = 0;
            walk.tunnelSinceRun = false;
        }
        if (i + 1 == samples.size() && isTunnel) {
            const double angle = piece->GetEndAngle(&piece->m_parentPose, 1) - ownAngle + kPi;
            cut->sections.push_back(CrossSection(q, angle, piece->m_fTunnelWidth, h, top));
            cut->runs.push_back(walk.sectionsSinceRun + 1);
        }
        walk.previousTunnel = isTunnel;
        walk.previousKnots = recorded;
    }
    if (!touchedAny) {
        piece->RemoveCutTerrain(this);
        RemoveTrackCut(piece);
        return;
    }
    piece->AddCutTerrain(this);
    m_bConformed = 1;
}
