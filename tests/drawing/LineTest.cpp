#include <gtest/gtest.h>

#include <cmath>

#include "drawing/CLine.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

constexpr UINT kShift = CTool::kShiftFlag;

CLine* DrawLine(DrawingPlan& plan, double x0, double y0, double x1, double y1, UINT flags = 0) {
    plan.tool.m_toolMode.Set(kToolLine);
    plan.Drag(x0, y0, x1, y1, flags);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.Newest<CLine>();
}

CDoublePoint WorldEnd(const CLine& line) {
    return line.LocalToWorld(line.m_ptEnd.x, line.m_ptEnd.y);
}

}  // namespace

TEST(Line, TheLineToolDrawsOneLineAndAClickLeavesNothing) {
    DrawingPlan plan;
    CLine* line = DrawLine(plan, 100.0, 100.0, 600.0, 400.0);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetClassName(), "CLine");
    EXPECT_EQ(line->m_ptStart, (CDoublePoint{0.0, 0.0}));
    EXPECT_EQ(WorldEnd(*line), (CDoublePoint{600.0, 400.0}));
    EXPECT_EQ(line->m_points[2], line->m_ptEnd);
    ASSERT_EQ(plan.tool.GetUndoCount(), 1);
    plan.tool.Undo();
    EXPECT_EQ(plan.MemberCount(), 0);
    plan.tool.m_toolMode.Set(kToolLine);
    plan.Click(50.0, 50.0);
    EXPECT_EQ(plan.MemberCount(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(Line, ShiftSnapsToEighthTurnsAroundTheOtherEnd) {
    DrawingPlan plan;
    // 22.4 degrees snaps to 0, 23 degrees to 45, straight down stays at -90.
    const double r = 1000.0;
    CLine* flat = DrawLine(plan, 0.0, 0.0, r * std::cos(0.3909), r * std::sin(0.3909), kShift);
    ASSERT_NE(flat, nullptr);
    EXPECT_NEAR(flat->m_ptEnd.x, r, 1e-6);
    EXPECT_NEAR(flat->m_ptEnd.y, 0.0, 1e-9);
    CLine* diagonal = DrawLine(plan, 0.0, 0.0, r * std::cos(0.4014), r * std::sin(0.4014), kShift);
    ASSERT_NE(diagonal, nullptr);
    EXPECT_NEAR(diagonal->m_ptEnd.x, diagonal->m_ptEnd.y, 1e-9);
    EXPECT_NEAR(VectorLength(diagonal->m_ptEnd.x, diagonal->m_ptEnd.y), r, 1e-6);
    CLine* down = DrawLine(plan, 0.0, 0.0, 0.0, -r, kShift);
    ASSERT_NE(down, nullptr);
    EXPECT_NEAR(down->m_ptEnd.x, 0.0, 1e-9);
    EXPECT_NEAR(down->m_ptEnd.y, -r, 1e-9);
}

TEST(Line, EndDragsAreUndoneExactlyAndShiftOnTheStartTurnsAroundTheEnd) {
    DrawingPlan plan;
    CLine* line = DrawLine(plan, 1000.0, 1000.0, 3000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    const CDoublePoint start = line->m_ptStart, end = line->m_ptEnd;
    plan.host.m_bModified = FALSE;
    plan.Drag(3004.0, 1003.0, 3000.0, 2000.0);
    EXPECT_EQ(WorldEnd(*line), (CDoublePoint{3000.0, 2000.0}));
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepChangeGeometry);
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(line->m_ptEnd, end);
    EXPECT_EQ(line->m_ptStart, start);
    EXPECT_EQ(line->m_points[2], end);
    // Dragging the start with Shift constrains it around the end.
    EXPECT_TRUE(line->IsSelected());
    plan.Drag(1000.0, 1000.0, 2100.0, 1800.0, kShift);
    const CDoublePoint moved = line->LocalToWorld(line->m_ptStart.x, line->m_ptStart.y);
    const double d = VectorLength(900.0, 800.0) * std::sqrt(2.0) / 2.0;
    EXPECT_NEAR(moved.x, 3000.0 - d, 1e-6);
    EXPECT_NEAR(moved.y, 1000.0 + d, 1e-6);
    plan.tool.Undo();
    EXPECT_EQ(line->m_ptStart, start);
}

TEST(Line, StatusOrientationAndRotationHandle) {
    DrawingPlan plan;
    CLine* line = DrawLine(plan, 0.0, 0.0, 0.0, -10.0);
    ASSERT_NE(line, nullptr);
    line->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 7);
    CString orientation;
    orientation.Format("%.2f", plan.tool.m_status.m_fRotation);
    EXPECT_EQ(orientation, "270.00");
    CString hint;
    line->AppendStatusText(hint);
    EXPECT_EQ(hint, plan.tool.m_status.m_strMeasure[2] + "; 270.00\xB0");
    line->m_ptEnd = {10.0, 0.0};
    line->UpdateSizeInfo(nullptr);
    EXPECT_DOUBLE_EQ(plan.tool.m_status.m_fRotation, 0.0);

    Canvas canvas(200, 100);
    plan.DrawOn(canvas);
    line->m_pose = CPose(200.0, 500.0, 0.0);
    line->m_ptEnd = {1000.0, 0.0};
    line->m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    line->ComputeExtent(nullptr);
    line->RecalcDeviceBounds();
    const CDoublePoint stored = line->m_points[0];
    EXPECT_EQ(line->Draw(nullptr), 1);
    const double t = plan.tool.GetHandleTolerance();
    EXPECT_EQ(line->HandlePoint(0), (CDoublePoint{-3.0 * t, 0.0}));
    EXPECT_EQ(canvas.At(70, 50), kBlue);
    EXPECT_EQ(canvas.At(70, 45), kWhite);
    line->m_ptEnd = {0.0, -100.0};
    line->Draw(nullptr);
    EXPECT_NEAR(line->HandlePoint(0).y, 3.0 * t, 1e-9);
    // Drawing leaves the stored points as the last edit left them.
    EXPECT_EQ(line->m_points[0], stored);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(Line, MirrorTwiceRestoresAndRescaleKeepsTheStart) {
    DrawingPlan plan;
    CLine* line = DrawLine(plan, 100.0, 100.0, 400.0, 300.0);
    ASSERT_NE(line, nullptr);
    line->MirrorY(50.0);
    EXPECT_DOUBLE_EQ(line->m_pose.y, 0.0);
    EXPECT_DOUBLE_EQ(line->m_ptEnd.y, -200.0);
    line->MirrorY(50.0);
    EXPECT_EQ(line->m_ptEnd, (CDoublePoint{300.0, 200.0}));
    EXPECT_DOUBLE_EQ(line->m_pose.y, 100.0);
    line->TrackCreate(nullptr, -1);
    line->RescaleWithUndo(nullptr, 0.5, 0);
    EXPECT_EQ(line->m_ptEnd, (CDoublePoint{150.0, 100.0}));
    EXPECT_DOUBLE_EQ(line->m_pose.x, 50.0);
    EXPECT_EQ(line->m_ptStart, (CDoublePoint{0.0, 0.0}));
    // A hit within the tolerance of the segment, not beyond its ends.
    plan.tool.m_fCurrentX = 125.0;
    plan.tool.m_fCurrentY = 90.0;
    line->ComputeExtent(nullptr);
    EXPECT_NE(line->HitTest(), nullptr);
    plan.tool.m_fCurrentX = 400.0;
    plan.tool.m_fCurrentY = 300.0;
    EXPECT_EQ(line->HitTest(), nullptr);
}

// Snapping goes to the nearer end, or takes the nearer end's grid correction; the start wins
// a tie in both.
TEST(Line, SnappingTakesTheNearerEndAndTheStartOnATie) {
    DrawingPlan plan;
    CLine* line = DrawLine(plan, 130.0, 100.0, 610.0, 405.0);
    CLine* even = DrawLine(plan, 130.0, 100.0, 600.0, 130.0);
    ASSERT_NE(line, nullptr);
    ASSERT_NE(even, nullptr);
    double vx = 0.0, vy = 0.0;
    line->GetSnapPoint(vx, vy, nullptr, 510.0, 355.0);
    EXPECT_NEAR(vx, 100.0, 1e-9);
    EXPECT_NEAR(vy, 50.0, 1e-9);
    line->GetSnapPoint(vx, vy, nullptr, 370.0, 252.5);
    EXPECT_NEAR(vx, -240.0, 1e-9);
    EXPECT_NEAR(vy, -152.5, 1e-9);
    plan.host.m_nGridWidth = plan.host.m_nGridHeight = 100;
    plan.tool.m_nSnapMode = 2;
    double x = 0.0, y = 0.0;
    line->NearestEndPoint(x, y, nullptr);
    EXPECT_NEAR(x, -10.0, 1e-9);
    EXPECT_NEAR(y, -5.0, 1e-9);
    even->NearestEndPoint(x, y, nullptr);
    EXPECT_NEAR(x, -30.0, 1e-9);
    EXPECT_NEAR(y, 0.0, 1e-9);
}
