#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "tests/support/TestPictures.h"
#include "tests/track/PlanCanvas.h"

// Elliptic arcs and splines on the plan, at a twentieth (one pixel per 2 mm), y upward.

namespace {

constexpr COLORREF kRail = PlanCanvas::kRail;
constexpr COLORREF kTie = PlanCanvas::kTie;

struct CurveDrawing : PlanCanvas {
    explicit CurveDrawing(int railMode) : PlanCanvas(railMode) {
        // A half ellipse over the lower part, a two-segment spline across the upper part.
        oval = plan.Oval(3500.0, 1000.0, 3000.0, 1500.0, 0.0, kPi);
        spline = plan.Spline({{500, 5000},
                              {1500, 5000},
                              {2500, 5000},
                              {3500, 5000},
                              {4500, 5000},
                              {5500, 6000},
                              {6500, 6000}});
        canvas.dc.EnableTrace(true);
    }

    // Where the lines drawn in a colour end, in device units, in drawing order.
    std::vector<CDoublePoint> LineEnds(COLORREF color) const {
        std::vector<CDoublePoint> ends;
        for (const CDCTraceEntry& e : canvas.dc.GetTrace())
            if (e.primitive == "LineTo" && e.pen.lopnColor == color && !e.points.empty())
                ends.push_back({static_cast<double>(e.points[0].x), static_cast<double>(e.points[0].y)});
        return ends;
    }
    int Count(const char* primitive) const {
        const auto& trace = canvas.dc.GetTrace();
        return static_cast<int>(
            std::count_if(trace.begin(), trace.end(),
                          [primitive](const CDCTraceEntry& e) { return e.primitive == primitive; }));
    }

    CArcTrack* oval = nullptr;
    CSplineTrack* spline = nullptr;
};

}  // namespace

TEST(CurvedPieceDrawing, RailModesOfArcsAndSplines) {
    for (int mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        CurveDrawing drawing(mode);
        drawing.Draw();
        CString name;
        name.Format("curved-track-mode%d.png", mode);
        if (const CString png = TestPicturePath(name); !png.IsEmpty())
            drawing.canvas.dc.WritePng(png);
        const bool centre = mode != 2;
        const bool rails = mode != 1;
        const double half = drawing.oval->m_fGauge / 2.0;
        // The arc's lowest point is on its y axis... the top of the half ellipse, (3500, 2500).
        EXPECT_EQ(drawing.Near(3500.0, 2500.0, kRail), centre);
        EXPECT_EQ(drawing.Near(3500.0, 2500.0 + half, kRail), rails);
        EXPECT_EQ(drawing.Near(3500.0, 2500.0 - half, kRail), rails);
        // The spline's straight first segment, between two of its ties.
        EXPECT_EQ(drawing.Near(1530.0, 5000.0, kRail), centre);
        EXPECT_EQ(drawing.Near(1530.0, 5000.0 + half, kRail), rails);
        // Both lengths come from the shape, whatever the zoom. The spline: its straight 3000 plus
        // the 32 chords of the second segment, 3191.206 (summed over the cubic's points at
        // t = i / 32).
        EXPECT_NEAR(drawing.spline->m_fLength, 6191.206, 1e-2);
        // The half ellipse is walked by whole degrees of its polar angle: its 180 chords add up
        // to 7266.078.
        EXPECT_NEAR(drawing.oval->m_fLength, 7266.078, 1e-2);
    }
}

TEST(CurvedPieceDrawing, SplineTiesRunOnEvenlyAcrossAKnot) {
    CurveDrawing drawing(2);
    drawing.oval->m_bShowTies = 0;
    drawing.spline->m_fTieSpacing = 400.0;
    drawing.Draw();
    const std::vector<CDoublePoint> ties = drawing.LineEnds(kTie);
    // The first segment is 3000 long and straight: ties at 400, 800, ... 2800 from its
    // begin, then the next lies 200 into the second segment.
    ASSERT_GE(ties.size(), 9u);
    // At a twentieth they are 20 units apart, from 900 / 20 = 45 to 3300 / 20 = 165, all at
    // the same height.
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ties[i].x, 45.0 + 20.0 * static_cast<double>(i));
        EXPECT_EQ(ties[i].y, ties[0].y);
    }
    // Across the knot at 3500 the next tie keeps the spacing.
    EXPECT_NEAR(std::hypot(ties[7].x - ties[6].x, ties[7].y - ties[6].y), 400.0 / 20.0, 1.5);
    EXPECT_GT(ties[7].x, 3500.0 / 20.0);
}

TEST(CurvedPieceDrawing, TiesNeedAPositiveSpacing) {
    for (double spacing : {0.0, -110.0, 1e-300}) {
        SCOPED_TRACE(spacing);
        CurveDrawing drawing(2);
        drawing.oval->m_fTieSpacing = spacing;
        drawing.spline->m_fTieSpacing = spacing;
        drawing.Draw();
        EXPECT_TRUE(drawing.LineEnds(kTie).size() <= static_cast<size_t>(2 * CArcTrack::kMaxTies));
        if (spacing <= 0.0) {
            EXPECT_TRUE(drawing.LineEnds(kTie).empty());
        }
        EXPECT_FALSE(drawing.LineEnds(kRail).empty());
    }
}

TEST(CurvedPieceDrawing, ConnectedEndsHandlesAndTheEditColour) {
    CurveDrawing drawing(1);
    drawing.oval->m_bEndConnected = 1;
    drawing.oval->RebuildShape();
    drawing.spline->m_bBeginConnected = 1;
    drawing.spline->RebuildShape();
    drawing.Draw();
    // The arc's end end at (500, 1000), its marker to the ellipse 0.4027 back, at
    // (1234, 1963); the spline's marker 120 handles into the piece.
    EXPECT_TRUE(drawing.Near(867.0, 1481.0, kRed));
    EXPECT_FALSE(drawing.Near(6000.0, 1000.0 + 150.0, kRed));
    const double reach = 120.0 * drawing.plan.tool.m_fHandleSize;
    EXPECT_TRUE(drawing.Near(500.0 + reach / 2.0, 5000.0, kRed));
    EXPECT_EQ(drawing.Count("FillRect"), 0);

    drawing.canvas.dc.ClearTrace();
    drawing.plan.host.m_selection.push_back(drawing.oval);
    drawing.plan.host.m_selection.push_back(drawing.spline);
    drawing.Draw();
    if (const CString png = TestPicturePath("curved-track-selected.png"); !png.IsEmpty())
        drawing.canvas.dc.WritePng(png);
    EXPECT_EQ(drawing.Count("FillRect"), 8);   // the four box corners of each
    EXPECT_EQ(drawing.Count("Rectangle"), 3);  // the spline's knots
    EXPECT_EQ(drawing.Count("Arc"), 2 + 4);    // the arc's ends, the spline's handles

    drawing.canvas.dc.ClearTrace();
    drawing.plan.host.m_selection.clear();
    drawing.oval->SetEditState(2);
    drawing.spline->SetEditState(2);
    drawing.Draw();
    EXPECT_TRUE(drawing.Near(3500.0, 2500.0, CParTrack::kDragColor));
    EXPECT_TRUE(drawing.Near(2530.0, 5000.0, CParTrack::kDragColor));
    // Out of range the arc draws nothing.
    drawing.oval->m_fStartAngle = -0.5;
    drawing.canvas.dc.ClearTrace();
    EXPECT_EQ(drawing.oval->Draw(nullptr), 0);
    EXPECT_TRUE(drawing.canvas.dc.GetTrace().empty());
}

// Drawing reads the model and writes nothing of it: what the pieces store is the same after
// drawing at any zoom.
TEST(CurvedPieceDrawing, DrawingLeavesWhatThePiecesStoreUnchanged) {
    CurveDrawing drawing(2);
    const auto stored = [](CPaint& piece) {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        piece.Serialize(ar);
        ar.Close();
        return file.Detach();
    };
    // Lengths as a file may give them.
    drawing.oval->m_fLength = 1234.0625;
    drawing.spline->m_fLength = 4321.0625;
    const std::vector<BYTE> oval = stored(*drawing.oval), spline = stored(*drawing.spline);
    for (const double scale : {20.0, 3.0, 200.0}) {
        SCOPED_TRACE(scale);
        drawing.plan.tool.SetViewScale(1.0, scale);
        drawing.Draw();
        EXPECT_TRUE(stored(*drawing.oval) == oval);
        EXPECT_TRUE(stored(*drawing.spline) == spline);
    }
}
