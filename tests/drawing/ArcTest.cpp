#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/ShapePayloads.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

CArc* PlaceArc(DrawingPlan& plan, double cx, double cy, double rx, double ry, double start, double sweep,
               int oval = 0) {
    auto* arc = AddToLayout(plan.host, new CArc(0, &plan.tool, 0.0, 0.0, oval));
    arc->SetArc(cx, cy, rx, ry, start, sweep, oval, 0, 0);
    return arc;
}

std::vector<CDoublePoint> PointsOf(const CPaint& shape) {
    std::vector<CDoublePoint> points;
    for (int i = 0; i < shape.m_points.GetSize(); ++i) points.push_back(shape.m_points[i]);
    return points;
}

void ExpectNear(const CDoublePoint& actual, double x, double y) {
    EXPECT_NEAR(actual.x, x, 1e-4);
    EXPECT_NEAR(actual.y, y, 1e-4);
}

}  // namespace

TEST(Arc, SetArcPlacesTheEndsOnTheEllipseAndTheBoxOverTheQuartersPassed) {
    DrawingPlan plan;
    CArc* arc = PlaceArc(plan, 0.0, 0.0, 100.0, 50.0, kPi / 4.0, kPi);
    ExpectNear(arc->m_points[5], 44.7214, 44.7214);
    ExpectNear(arc->m_points[6], -44.7214, -44.7214);
    // From 45 to 225 degrees the arc passes the top and the left quarter points.
    ExpectNear(arc->m_points[1], -100.0, 50.0);
    ExpectNear(arc->m_points[3], 44.7214, -44.7214);
    EXPECT_FALSE(arc->IsInvalid(0));
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
    // Recorded, the step waits on the undo list without running.
    arc->SetArc(0.0, 0.0, 10.0, 10.0, 0.0, 1.0, 0, 1, 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusX, 100.0);
    // A world start angle becomes a local one.
    CArc* turned = PlaceArc(plan, 0.0, 0.0, 10.0, 10.0, 0.0, 1.0);
    turned->m_pose.angle = kPi / 2.0;
    turned->SetArc(0.0, 0.0, 10.0, 10.0, kPi, 1.0, 0, 0, 0);
    EXPECT_NEAR(turned->m_fStartAngle, kPi / 2.0, 1e-9);
    // The turntable pit: a whole circle.
    CArc* pit = PlaceArc(plan, 500.0, 500.0, 200.0, 200.0, 0.0, kFullTurn, 1);
    EXPECT_FALSE(pit->IsInvalid(0));
    ExpectNear(pit->m_points[1], 300.0, 700.0);
    ExpectNear(pit->m_points[3], 700.0, 300.0);
    // Degenerate shapes are invalid.
    pit->m_fSweep = 0.0;
    EXPECT_TRUE(pit->IsInvalid(0));
    pit->m_fSweep = kFullTurn;
    pit->m_fStartAngle = 7.0;
    EXPECT_TRUE(pit->IsInvalid(0));
}

TEST(Arc, TheArcAndOvalToolsDrawByDraggingAndAClickLeavesNothing) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolArc);
    plan.Drag(1000.0, 1000.0, 2000.0, 1500.0);
    CArc* arc = plan.Newest<CArc>();
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->m_bOval, 0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusX, 1000.0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusY, 500.0);
    EXPECT_DOUBLE_EQ(arc->m_fStartAngle, 4.71238898025);  // quadrant 2
    EXPECT_DOUBLE_EQ(arc->m_fSweep, kPi / 2.0);
    EXPECT_EQ(arc->m_ptCentre, (CDoublePoint{0.0, 500.0}));
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);
    plan.tool.m_toolMode.Set(kToolArc);
    plan.Click(3000.0, 3000.0);
    EXPECT_EQ(plan.MemberCount(), 1);

    plan.tool.m_toolMode.Set(kToolOval);
    plan.Drag(0.0, 0.0, 400.0, -200.0);
    CArc* oval = plan.Newest<CArc>();
    ASSERT_NE(oval, nullptr);
    EXPECT_EQ(oval->m_bOval, 1);
    EXPECT_EQ(oval->m_ptCentre, (CDoublePoint{200.0, -100.0}));
    EXPECT_DOUBLE_EQ(oval->m_fRadiusX, 200.0);
    EXPECT_DOUBLE_EQ(oval->m_fSweep, kFullTurn);
    oval->Deselect();
    const int steps = plan.tool.GetUndoCount();
    plan.tool.m_toolMode.Set(kToolOval);
    plan.Click(5000.0, 5000.0);
    EXPECT_EQ(plan.MemberCount(), 2);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
}

TEST(Arc, HandleDragsAreUndoneExactly) {
    DrawingPlan plan;
    CArc* arc = PlaceArc(plan, 0.0, 0.0, 1000.0, 1000.0, 0.0, kPi / 2.0);
    arc->SelectWithUndo(0, 0);
    arc->UpdateAnchorPoint();
    const std::vector<CDoublePoint> before = PointsOf(*arc);
    plan.host.m_bModified = FALSE;
    // The end point (handle 6) at (0, 1000) dragged round to (-1000, 0): a half circle.
    plan.Drag(3.0, 1004.0, -1000.0, 0.0);
    EXPECT_NEAR(arc->m_fSweep, kPi, 1e-9);
    ExpectNear(arc->m_points[6], -1000.0, 0.0);
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*arc), before);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, kPi / 2.0);
    // The start point dragged onto the end gives a whole turn, not nothing.
    arc->SelectWithUndo(0, 0);
    plan.Drag(1000.0, 0.0, 0.0, 1000.0);
    EXPECT_NEAR(arc->m_fSweep, kFullTurn, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*arc), before);
    // A corner dragged across the opposite one mirrors the arc and swaps its ends.
    // From 30 to 120 degrees: corner 2 at (-500, 500) lies on no end, opposite corner 4.
    const double c = 1000.0 * std::cos(kPi / 6.0);
    CArc* top = PlaceArc(plan, 0.0, 0.0, 1000.0, 1000.0, kPi / 6.0, kPi / 2.0);
    top->SelectWithUndo(0, 0);
    const std::vector<CDoublePoint> topBefore = PointsOf(*top);
    ExpectNear(top->m_points[2], -500.0, 500.0);
    ExpectNear(top->m_points[4], c, 1000.0);
    plan.Drag(-500.0, 500.0, 2.0 * c + 500.0, 500.0);
    ExpectNear(top->m_ptCentre, 2.0 * c, 0.0);
    ExpectNear(top->m_points[5], 2.0 * c + 500.0, c);
    ExpectNear(top->m_points[6], c, 500.0);
    EXPECT_NEAR(top->m_fStartAngle, kPi / 3.0, 1e-6);
    EXPECT_NEAR(top->m_fSweep, kPi / 2.0, 1e-6);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*top), topBefore);
}

TEST(Arc, HitsOnTheCurveInsideTheSectorWhenFilledAndNotOffTheArc) {
    DrawingPlan plan;
    CArc* arc = PlaceArc(plan, 0.0, 0.0, 1000.0, 1000.0, 0.0, kPi / 2.0);
    auto hitAt = [&](double x, double y) {
        plan.tool.m_fCurrentX = x;
        plan.tool.m_fCurrentY = y;
        return arc->HitTest() != nullptr;
    };
    EXPECT_TRUE(hitAt(707.0, 707.0));
    EXPECT_FALSE(hitAt(300.0, 300.0));
    arc->m_bFillOn = 1;
    EXPECT_TRUE(hitAt(300.0, 300.0));
    EXPECT_FALSE(hitAt(-50.0, 300.0));
}

TEST(Arc, SamplesWholeDegreesAndDrawsByPixelsButNotWhilePrintingTheCache) {
    DrawingPlan plan;
    Canvas canvas(250, 250);
    plan.DrawOn(canvas);
    CArc* arc = PlaceArc(plan, 1000.0, 1000.0, 800.0, 800.0, 0.0, kPi / 2.0);
    arc->m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    arc->RecalcDeviceBounds();
    EXPECT_EQ(arc->Draw(nullptr), 1);
    EXPECT_EQ(arc->m_nSampleCount, 91);
    EXPECT_EQ(arc->m_samples[0], CPoint(180, 100));
    EXPECT_EQ(arc->m_samples[90], CPoint(100, 180));
    EXPECT_EQ(canvas.At(156, 156), kBlue);
    EXPECT_EQ(canvas.At(150, 150), kWhite);
    // An oval closes on itself with 361 samples and fills inside.
    CArc* oval = PlaceArc(plan, 1000.0, 1000.0, 500.0, 300.0, 0.0, kFullTurn, 1);
    oval->m_bFillOn = 1;
    oval->m_brush = BrushRecord{0, kRed, 0};
    oval->RecalcDeviceBounds();
    oval->Draw(nullptr);
    EXPECT_EQ(oval->m_nSampleCount, 361);
    EXPECT_EQ(canvas.At(100, 100), kRed);
    // Radii of exactly 1 are valid but not drawn; a sweep under a degree leaves one sample.
    arc->m_fRadiusX = arc->m_fRadiusY = 1.0;
    EXPECT_EQ(arc->Draw(nullptr), 0);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(Arc, MirrorsRescaleAndRecordsRoundTrip) {
    DrawingPlan plan;
    CArc* arc = PlaceArc(plan, 100.0, 0.0, 300.0, 200.0, 0.25, 1.0);
    const std::vector<CDoublePoint> before = PointsOf(*arc);
    const double start = arc->m_fStartAngle;
    arc->MirrorX(0.0);
    EXPECT_NEAR(arc->m_fStartAngle, kPi - 1.25, 1e-12);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, 1.0);
    arc->MirrorX(0.0);
    EXPECT_NEAR(arc->m_fStartAngle, start, 1e-12);
    arc->MirrorY(50.0);
    EXPECT_NEAR(arc->m_fStartAngle, kFullTurn - 1.25, 1e-12);
    arc->MirrorY(50.0);
    EXPECT_NEAR(arc->m_fStartAngle, start, 1e-9);
    for (int i = 1; i < CArc::kPointCount; ++i) ExpectNear(arc->m_points[i], before[i].x, before[i].y);

    arc->TrackCreate(nullptr, -1);
    arc->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusX, 600.0);
    EXPECT_DOUBLE_EQ(arc->m_pose.x, 100.0);

    const std::vector<BYTE> bytes = StoreRecord(*arc);
    CArc read;
    read.SetTool(&plan.tool);
    LoadRecord(read, bytes);
    EXPECT_DOUBLE_EQ(read.m_fRadiusY, 400.0);
    EXPECT_EQ(PointsOf(read), PointsOf(*arc));
    EXPECT_EQ(StoreRecord(read), bytes);
    // The arc's own fields: six doubles and the oval flag.
    EXPECT_EQ(bytes.size(), CommonPartSize(*arc) + 6 * 8 + 4);
    read.SetTool(nullptr);
}

TEST(Arc, AnOvalCornerDragReshapesItAndUndoGivesItBack) {
    DrawingPlan plan;
    CArc* oval = PlaceArc(plan, 1000.0, 1000.0, 500.0, 300.0, 0.0, kFullTurn, 1);
    oval->SelectWithUndo(0, 0);
    oval->UpdateAnchorPoint();
    const std::vector<CDoublePoint> before = PointsOf(*oval);
    // Corner 3 at (1500, 700) to (2500, 500): the oval fits the new box.
    const CDoublePoint corner = oval->LocalToWorld(oval->m_points[3].x, oval->m_points[3].y);
    ExpectNear(corner, 1500.0, 700.0);
    plan.Drag(corner.x, corner.y, 2500.0, 500.0);
    ExpectNear(oval->m_ptCentre, 1500.0, 900.0);  // corner 1 stays at (500, 1300)
    EXPECT_DOUBLE_EQ(oval->m_fRadiusX, 1000.0);
    EXPECT_DOUBLE_EQ(oval->m_fRadiusY, 400.0);
    EXPECT_DOUBLE_EQ(oval->m_fSweep, kFullTurn);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*oval), before);
    EXPECT_DOUBLE_EQ(oval->m_fRadiusX, 500.0);
}
