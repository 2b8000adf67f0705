#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "track/CCircTrack.h"
#include "track/CParTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "track/TrackPieces.h"

// The plan drawn with its shortcuts (curves in as few chords as stay within a quarter of a
// pixel, ties too dense to tell apart as the band they make) against the exact drawing, which
// draws every detail: at every zoom each pixel of one has its colour within a pixel in the other.

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

using Picture = std::vector<std::uint32_t>;

// Drawn pixels of a whose colour no pixel of b within one pixel has; beyond the window's edge
// any colour may lie. (The window's corner shows the background.)
int Strays(const Picture& a, const Picture& b) {
    int strays = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t color = a[y * kWidth + x];
            bool matched = color == a.front();
            for (int dy = -1; dy <= 1 && !matched; ++dy)
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    matched =
                        nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight || b[ny * kWidth + nx] == color;
                }
            if (!matched)
                ++strays;
        }
    }
    return strays;
}

void Place(CCVNDoc& doc, CParTrack* piece) {
    doc.m_rootGroup.m_members.push_front(piece);
    piece->SetOwnerGroup(&doc.m_rootGroup);
    const CPose world = doc.m_rootGroup.WorldPose(nullptr);
    piece->SetParentPose(&world);
}

enum class Look { Rails, Ties };

// Rows of straights and gentle curves and below them curves from a small full circle to a wide
// sweep; either their rails, centre lines and axes or their ties alone. Where one line lies
// over another, a line moved by a pixel may hide where it showed, which is no fault of where
// it is drawn, so each is compared on its own. (The joint markers are stamped pixel for pixel
// as the general stroke draws them.)
void BuildPlan(CCVNDoc& doc, Look look) {
    LargeLayout::Build(doc, 8, 36);
    doc.ResetViewSettings();
    struct Arc {
        double x, y, radius, start, sweep;
    };
    for (const Arc& arc : {Arc{2000, -13500, 150, 0.0, 6.28}, Arc{5000, -13500, 600, 0.3, 3.0},
                           Arc{10000, -14000, 2000, 1.0, 1.5}, Arc{20000, -19000, 5000, 1.2, 0.7}}) {
        auto* piece = new CCircTrack(0, &doc.m_tool, arc.x, arc.y);
        Place(doc, piece);
        piece->SetArc(arc.x, arc.y, arc.radius, arc.start, arc.sweep, 0, 0);
        piece->ComputeExtent(nullptr);
    }
    int index = 0;
    for (CPaint* member : doc.m_rootGroup.m_members) {
        auto* piece = static_cast<CParTrack*>(member);
        piece->m_nRailMode = look == Look::Rails ? 1 + index % 2 : 0;
        piece->m_bShowAxis = look == Look::Rails && index % 4 == 1 ? 1 : 0;
        piece->m_bShowTies = look == Look::Ties ? 1 : 0;
        ++index;
    }
}

struct Drawn {
    Picture pixels;
    int railLines;
    int tieLines;
};

Drawn Draw(CCVNDoc& doc, double zoom, bool exactly) {
    PlanWindow window(kWidth, kHeight);
    window.DC().EnableFastPaths(!exactly);
    window.DC().EnableTrace(true);
    doc.m_tool.SetViewScale(zoom, doc.m_fViewScale);
    doc.m_tool.UpdateDeviceBounds();
    window.Repaint(doc, zoom);
    const COLORREF rail = doc.m_tool.m_pDefaultTrack->m_crRail;
    const COLORREF tie = doc.m_tool.m_pDefaultTrack->m_crTie;
    const auto& trace = window.DC().GetTrace();
    auto linesIn = [&trace](COLORREF color) {
        return static_cast<int>(std::count_if(trace.begin(), trace.end(), [color](const CDCTraceEntry& e) {
            return e.primitive == "LineTo" && e.pen.lopnColor == color;
        }));
    };
    return {window.Pixels(), linesIn(rail), linesIn(tie)};
}

// Each pixel of the exact drawing has its colour within a pixel in the drawing with shortcuts,
// and the other way round.
void ExpectWithinAPixel(const Drawn& fast, const Drawn& exact, const std::string& at) {
    const auto blank = std::count(exact.pixels.begin(), exact.pixels.end(), exact.pixels.front());
    EXPECT_GT(exact.pixels.size() - blank, 300u) << at;
    EXPECT_EQ(Strays(fast.pixels, exact.pixels), 0) << at;
    EXPECT_EQ(Strays(exact.pixels, fast.pixels), 0) << at;
}

class PlanShortcuts : public testing::Test {
  protected:
    void SetUp() override {
        RegisterTrackPieces();
        doc.OnNewDocument();
        // The pieces take the look of a default track of the document's scale.
        defaults = std::make_unique<CParTrack>(&doc.m_tool);
        doc.m_tool.m_pDefaultTrack = defaults.get();
    }
    void TearDown() override { doc.m_tool.m_pDefaultTrack = nullptr; }
    QuietDoc doc;
    std::unique_ptr<CParTrack> defaults;
};

constexpr double kZooms[] = {4.0, 1.0, 0.5, 1.0 / 3.0, 0.1, 1.0 / 20.0};

}  // namespace

TEST_F(PlanShortcuts, RailsStayWithinAPixelOfTheExactDrawingInFewerLines) {
    BuildPlan(doc, Look::Rails);
    for (double zoom : kZooms) {
        const Drawn fast = Draw(doc, zoom, false);
        const Drawn exact = Draw(doc, zoom, true);
        const std::string at = "at zoom " + std::to_string(zoom);
        ExpectWithinAPixel(fast, exact, at);
        // From afar far fewer lines are drawn.
        if (zoom < 1.0) {
            EXPECT_LT(fast.railLines * 2, exact.railLines) << at;
        }
    }
}

// A straight's ties are drawn where they are: from afar those on the logical points of the one
// before are left out, and the picture is the exact one pixel for pixel.
TEST_F(PlanShortcuts, StraightTiesOnTheOneBeforeAreDrawnOnce) {
    BuildPlan(doc, Look::Ties);
    for (CPaint* member : doc.m_rootGroup.m_members)
        if (auto* curve = dynamic_cast<CCircTrack*>(member))
            curve->m_bShowTies = 0;
    for (double zoom : {1.0, 0.1, 1.0 / 20.0, 1.0 / 100.0}) {
        const Drawn fast = Draw(doc, zoom, false);
        const Drawn exact = Draw(doc, zoom, true);
        const std::string at = "at zoom " + std::to_string(zoom);
        const auto blank = std::count(exact.pixels.begin(), exact.pixels.end(), exact.pixels.front());
        EXPECT_GT(exact.pixels.size() - blank, 20u) << at;
        EXPECT_TRUE(fast.pixels == exact.pixels) << at;
        if (zoom < 0.02) {
            EXPECT_LT(fast.tieLines * 2, exact.tieLines) << at;
        }
    }
}

// With no chord or tie left out (a dotted axis keeps every degree of a curve, whose ties are
// hidden), what the shortcuts still do (each point mapped once, nothing drawn that sets no pixel
// or the same pixels again) leaves the exact picture, near and from afar, selected or not.
TEST_F(PlanShortcuts, PiecesWithEveryDetailDrawTheExactPictureSelectedOrNot) {
    BuildPlan(doc, Look::Rails);
    // Beside the rows, straights fanned out at every slant and length.
    for (int k = 0; k < 24; ++k) {
        const double angle = k * 0.2618 + 0.05, length = 600.0 + 250.0 * (k % 5);
        auto* straight = new CTrack(0, &doc.m_tool, 30000.0, -16000.0);
        Place(doc, straight);
        straight->SetEnds(30000.0, -16000.0, 30000.0 + length * std::cos(angle),
                          -16000.0 + length * std::sin(angle), 0, 0);
    }
    for (CPaint* member : doc.m_rootGroup.m_members) {
        auto* piece = static_cast<CParTrack*>(member);
        piece->m_nRailMode = 2;
        piece->m_bShowAxis = 1;
        piece->m_bShowTies = dynamic_cast<CCircTrack*>(member) == nullptr ? 1 : 0;
    }
    for (bool selected : {false, true}) {
        if (selected)
            doc.m_tool.SelectAll(0);
        for (double zoom : {1.0, 0.1, 1.0 / 20.0, 1.0 / 30.0, 1.0 / 100.0}) {
            const Drawn fast = Draw(doc, zoom, false);
            const Drawn exact = Draw(doc, zoom, true);
            const std::string at = "at zoom " + std::to_string(zoom) + (selected ? ", selected" : "");
            const auto blank = std::count(exact.pixels.begin(), exact.pixels.end(), exact.pixels.front());
            EXPECT_GT(exact.pixels.size() - blank, 20u) << at;
            EXPECT_TRUE(fast.pixels == exact.pixels) << at;
        }
    }
}

TEST_F(PlanShortcuts, TiesStayWithinAPixelOfTheExactDrawing) {
    BuildPlan(doc, Look::Ties);
    for (double zoom : kZooms) {
        const Drawn fast = Draw(doc, zoom, false);
        const Drawn exact = Draw(doc, zoom, true);
        const std::string at = "at zoom " + std::to_string(zoom);
        ExpectWithinAPixel(fast, exact, at);
        // From afar the ties of a curve fall on each other's pixels and are drawn once.
        if (zoom < 0.1) {
            EXPECT_LT(fast.tieLines * 2, exact.tieLines) << at;
        }
    }
}

namespace {

// Splines from gentle bends to tight loops, each with its centre line alone.
void BuildSplines(CCVNDoc& doc) {
    doc.ResetViewSettings();
    for (int row = 0; row < 4; ++row) {
        const double y = -2000.0 - row * 8000.0;
        auto* spline = new CSplineTrack(0, &doc.m_tool, 2000.0, y);
        Place(doc, spline);
        CPointArray control;
        const double swing = 1000.0 + row * 3000.0;
        for (int k = 0; k <= 9; ++k)
            control.Add(2000.0 + k * (2400.0 - row * 500.0), y + (k % 3 - 1) * swing);
        spline->SetControlPoints(&control, 0, 0);
        spline->m_nRailMode = 1;
        spline->m_bShowAxis = 0;
        spline->m_bShowTies = 0;
        spline->ComputeExtent(nullptr);
    }
}

// The corners of the polylines drawn with the pen of the colour.
int PolylineCorners(const CDC& dc, COLORREF color) {
    int corners = 0;
    for (const CDCTraceEntry& e : dc.GetTrace())
        if (e.primitive == "Polyline" && e.pen.lopnColor == color)
            corners += static_cast<int>(e.points.size());
    return corners;
}

}  // namespace

// A spline's solid centre line is drawn through as few of its samples as keep each chord within
// a quarter of a pixel of the curve: at every zoom within a pixel of the exact drawing.
TEST_F(PlanShortcuts, SplineCentreLinesStayWithinAPixelOfTheExactDrawingThroughFewerCorners) {
    BuildSplines(doc);
    const COLORREF rail = doc.m_tool.m_pDefaultTrack->m_crRail;
    for (double zoom : kZooms) {
        PlanWindow fast(kWidth, kHeight), exact(kWidth, kHeight);
        exact.DC().EnableFastPaths(false);
        for (PlanWindow* window : {&fast, &exact}) {
            window->DC().EnableTrace(true);
            doc.m_tool.SetViewScale(zoom, doc.m_fViewScale);
            doc.m_tool.UpdateDeviceBounds();
            window->Repaint(doc, zoom);
        }
        const std::string at = "at zoom " + std::to_string(zoom);
        ExpectWithinAPixel({fast.Pixels(), 0, 0}, {exact.Pixels(), 0, 0}, at);
        // From afar far fewer corners are drawn.
        EXPECT_LE(PolylineCorners(fast.DC(), rail), PolylineCorners(exact.DC(), rail)) << at;
        if (zoom < 0.1) {
            EXPECT_LT(PolylineCorners(fast.DC(), rail) * 2, PolylineCorners(exact.DC(), rail)) << at;
        }
    }
}

namespace {

// A piece that tells how many pixels a layout unit takes on a DC.
class ScaleProbe : public CCircTrack {
  public:
    using CCircTrack::CCircTrack;
    double PixelsOn(const CDC& dc) const { return PixelsPerLayoutUnit(dc); }
};

}  // namespace

// The pixels of a layout unit are worked out once per zoom and mapping and kept while pieces ask
// again: a new zoom, window origin or extent, or a DC of another mapping is answered afresh.
TEST_F(PlanShortcuts, PixelsOfALayoutUnitFollowTheZoomAndTheMapping) {
    ScaleProbe probe(0, &doc.m_tool, 0.0, 0.0);
    PlanWindow window(kWidth, kHeight);
    CDC& lometric = window.DC();
    CDC text;
    text.CreateCompatibleDC(nullptr);
    // The zoom maps a layout unit onto zoom / view scale logical units.
    const double logical = 1.0 / doc.m_fViewScale, pixelsPerTenth = 96.0 / 254.0;
    struct Case {
        double zoom;
        CDC* dc;
        double pixels;
    };
    const Case cases[] = {
        {0.5, &lometric, 0.5 * pixelsPerTenth},   {0.5, &text, 0.5},   {0.5, &lometric, 0.5 * pixelsPerTenth},
        {0.05, &lometric, 0.05 * pixelsPerTenth}, {0.05, &text, 0.05}, {2.0, &text, 2.0}};
    for (const Case& c : cases) {
        doc.m_tool.SetViewScale(c.zoom, doc.m_fViewScale);
        const double pixels = c.pixels * logical;
        EXPECT_NEAR(probe.PixelsOn(*c.dc), pixels, pixels * 1e-3) << "at zoom " << c.zoom;
    }
    doc.m_tool.SetViewScale(0.5, doc.m_fViewScale);
    lometric.SetMapMode(MM_ANISOTROPIC);
    lometric.SetWindowExt(10, 10);
    lometric.SetViewportExt(30, 30);
    EXPECT_NEAR(probe.PixelsOn(lometric), 1.5 * logical, 1.5e-3 * logical);
    lometric.SetViewportExt(40, 40);
    EXPECT_NEAR(probe.PixelsOn(lometric), 2.0 * logical, 2e-3 * logical);
    lometric.EnableFastPaths(false);
    EXPECT_EQ(probe.PixelsOn(lometric), 0.0);
}
