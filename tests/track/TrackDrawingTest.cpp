#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/Units.h"
#include "tests/support/TestPictures.h"
#include "tests/track/PlanCanvas.h"

namespace {

constexpr COLORREF kRail = PlanCanvas::kRail;
constexpr COLORREF kTie = PlanCanvas::kTie;

// A small plan: a straight, a quarter curve turning up, a straight going on up and a
// half curve back.
struct PlanDrawing : PlanCanvas {
    explicit PlanDrawing(int railMode) : PlanCanvas(railMode) {
        first = plan.Straight(0.0, 2000.0, 3000.0, 2000.0);
        bend = plan.Curve(3000.0, 4000.0, 2000.0, kPi * 1.5, kPi * 0.5);
        up = plan.Straight(5000.0, 4000.0, 5000.0, 5000.0);
        back = plan.Curve(3500.0, 5000.0, 1500.0, 0.0, kPi);
        first->m_bEndConnected = 1;
        first->RebuildShape();
        canvas.dc.EnableTrace(true);
    }

    int LinesIn(COLORREF color) const {
        const auto& trace = canvas.dc.GetTrace();
        return static_cast<int>(std::count_if(trace.begin(), trace.end(), [color](const CDCTraceEntry& e) {
            return e.primitive == "LineTo" && e.pen.lopnColor == color;
        }));
    }

    CTrack* first = nullptr;
    CCircTrack* bend = nullptr;
    CTrack* up = nullptr;
    CCircTrack* back = nullptr;
};

}  // namespace

TEST(TrackDrawing, EachRailModeDrawsItsLines) {
    for (int mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        PlanDrawing drawing(mode);
        drawing.Draw();
        CString name;
        name.Format("track-mode%d.png", mode);
        if (const CString png = TestPicturePath(name); !png.IsEmpty())
            drawing.canvas.dc.WritePng(png);
        const bool centre = mode != 2;
        const bool rails = mode != 1;
        // Between two ties of the first straight (ties every 110.0, here at 1430 and 1540).
        EXPECT_EQ(
            drawing.canvas.At(drawing.Pixel(1485.0, 2000.0).x, drawing.Pixel(1485.0, 2000.0).y) == kRail,
            centre);
        EXPECT_EQ(drawing.Near(1485.0, 2082.5, kRail), rails);
        EXPECT_EQ(drawing.Near(1485.0, 1917.5, kRail), rails);
        // A tie crosses the track at 1540.
        EXPECT_TRUE(drawing.Near(1540.0, 2100.0, kTie));
        // The curves: the centre line and the outer rail half way round the bend.
        const double a = kPi * 1.75;
        EXPECT_EQ(drawing.Near(3000.0 + 2000.0 * std::cos(a), 4000.0 + 2000.0 * std::sin(a), kRail), centre);
        EXPECT_EQ(
            drawing.Near(3000.0 + 2082.5 * std::cos(a + 0.02), 4000.0 + 2082.5 * std::sin(a + 0.02), kRail),
            rails);
        // 27 ties on the 3000 straight, 9 on the 1000 one.
        EXPECT_EQ(drawing.first->m_fLength, 3000.0);
        const int ties = drawing.LinesIn(kTie);
        const int bendTies = static_cast<int>(std::ceil(kPi * 0.5 / (2.0 * std::asin(110.0 / 2000.0 * 0.5))));
        const int backTies = static_cast<int>(std::ceil(kPi / (2.0 * std::asin(110.0 / 1500.0 * 0.5))));
        EXPECT_EQ(ties, 27 + 9 + bendTies + backTies);
        // The connected end's red marker.
        EXPECT_TRUE(drawing.Near(2900.0, 2000.0, kRed));
    }
}

TEST(TrackDrawing, TiesNeedAPositiveSpacing) {
    for (double spacing : {0.0, -110.0, 1e-300}) {
        SCOPED_TRACE(spacing);
        PlanDrawing drawing(2);
        for (CPaint* member : drawing.plan.host.m_pRoot->m_members)
            static_cast<CParTrack*>(member)->m_fTieSpacing = spacing;
        drawing.Draw();
        EXPECT_EQ(drawing.LinesIn(kTie), 0);
        EXPECT_GT(drawing.LinesIn(kRail), 0);
    }
}

TEST(TrackDrawing, EditedPiecesDrawInTheDragColourAndNewOnesNotAtAll) {
    PlanDrawing drawing(1);
    drawing.first->SetEditState(2);
    drawing.Draw();
    EXPECT_TRUE(drawing.Near(1485.0, 2000.0, CParTrack::kDragColor));
    drawing.canvas.dc.ClearTrace();
    drawing.first->SetEditState(4);
    EXPECT_EQ(drawing.first->Draw(nullptr), 0);
    EXPECT_TRUE(drawing.canvas.dc.GetTrace().empty());
    // Angles out of range are not drawn.
    drawing.bend->m_fSweep = 0.0;
    EXPECT_EQ(drawing.bend->Draw(nullptr), 0);
}

TEST(TrackDrawing, EndLabelsStandApartEvenForAPieceWithoutLength) {
    PlanDrawing drawing(2);
    drawing.plan.tool.m_track.endLabels = 1;
    CTrack* dot = drawing.plan.Straight(2000.0, 1000.0, 2000.0, 1000.0);
    drawing.Draw();
    std::vector<CDCTraceEntry> labels;
    for (const CDCTraceEntry& e : drawing.canvas.dc.GetTrace())
        if (e.primitive == "TextOut")
            labels.push_back(e);
    ASSERT_EQ(labels.size(), 10u);  // B and E for each of the five pieces
    const CDCTraceEntry& b = labels[0];
    const CDCTraceEntry& e = labels[1];
    EXPECT_EQ(b.text, "B");
    EXPECT_EQ(e.text, "E");
    // The zero-length piece is drawn first (the head of the root group).
    EXPECT_NE(b.points[0].x, e.points[0].x);
    EXPECT_EQ(dot->m_fLength, 0.0);
}

TEST(TrackDrawing, SelectedPiecesShowTheirHandles) {
    PlanDrawing drawing(2);
    drawing.plan.host.m_selection.push_back(drawing.first);
    const CDoublePoint stored = drawing.first->m_points[0];
    drawing.Draw();
    const auto& trace = drawing.canvas.dc.GetTrace();
    const int circles = static_cast<int>(std::count_if(
        trace.begin(), trace.end(), [](const CDCTraceEntry& e) { return e.primitive == "Arc"; }));
    EXPECT_EQ(circles, 2);
    // The rotation handle lies two handle sizes behind the begin and outside the right edge.
    const double h = drawing.plan.tool.GetHandleTolerance();
    EXPECT_DOUBLE_EQ(drawing.first->HandlePoint(0).x, -2.0 * h);
    EXPECT_DOUBLE_EQ(drawing.first->HandlePoint(0).y, 2000.0 - 165.0 - 2.0 * h);
    // The handle follows the zoom; the stored points stay as read.
    EXPECT_EQ(drawing.first->m_points[0], stored);
}
