#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>

#include "drawing/CSizeAngle.h"
#include "drawing/DimensionSteps.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

using Bytes = std::vector<BYTE>;

// Mouse input in layout units, passed to the engine as device units.
struct AngleGesture {
    explicit AngleGesture(DrawingPlan& plan) : tool(plan.tool) {}
    void Press(double x, double y) { tool.OnLButtonDown(0, x * tool.m_fZoomRatio, y * tool.m_fZoomRatio); }
    void Move(double x, double y) { tool.OnMouseMove(0, x * tool.m_fZoomRatio, y * tool.m_fZoomRatio, 1); }
    void Release(double x, double y) { tool.OnLButtonUp(0, x * tool.m_fZoomRatio, y * tool.m_fZoomRatio); }
    CTool& tool;
};

// An angle drawn in one stroke from the vertex (1000, 1000): out to (2000, 1000), back
// toward the vertex by 20, then out to (1000, 2000).
CSizeAngle* DrawRightAngle(DrawingPlan& plan) {
    plan.tool.m_toolMode.Set(kToolDimensionAngle);
    AngleGesture mouse(plan);
    mouse.Press(1000.0, 1000.0);
    mouse.Move(1500.0, 1000.0);
    mouse.Move(2000.0, 1000.0);
    mouse.Move(1980.0, 1000.0);
    mouse.Move(1000.0, 2000.0);
    mouse.Release(1000.0, 2000.0);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.Newest<CSizeAngle>();
}

std::vector<CDoublePoint> PointsOf(const CSizeAngle& angle) {
    std::vector<CDoublePoint> points;
    for (int i = 1; i < angle.m_points.GetSize(); ++i) points.push_back(angle.m_points[i]);
    return points;
}

}  // namespace

TEST(SizeAngle, TheLabelShowsTheSweepFromArmOneToArmTwo) {
    DrawingPlan plan;
    CSizeAngle angle(0, &plan.tool, 0.0, 0.0);
    angle.m_points[1] = {100.0, 0.0};
    angle.m_points[2] = {0.0, 100.0};
    angle.m_points[4] = {50.0, 50.0};
    EXPECT_EQ(angle.LabelText(), "90\xB0");
    EXPECT_EQ(angle.PointFourClass(), 1);
    std::swap(angle.m_points[1], angle.m_points[2]);
    EXPECT_EQ(angle.LabelText(), "270\xB0");
    // The sweep now runs from 90 degrees through 180 and 270 to 0: point 4 at 59 degrees
    // lies outside it nearer arm 1, at 31 degrees nearer arm 2, at 358 degrees inside.
    angle.m_points[4] = {30.0, 50.0};
    EXPECT_EQ(angle.PointFourClass(), 2);
    angle.m_points[4] = {50.0, 30.0};
    EXPECT_EQ(angle.PointFourClass(), 3);
    angle.m_points[4] = {30.0, -1.0};
    EXPECT_EQ(angle.PointFourClass(), 1);
    // Mirroring keeps the value: the arms change places with the mirror.
    angle.MirrorY(0.0);
    EXPECT_EQ(angle.LabelText(), "270\xB0");
    angle.MirrorX(0.0);
    EXPECT_EQ(angle.LabelText(), "270\xB0");
    EXPECT_EQ(angle.m_points[1], (CDoublePoint{0.0, -100.0}));
}

TEST(SizeAngle, OneStrokeDrawsBothArmsAndEndsWithTheFirstArmPlaced) {
    DrawingPlan plan;
    CSizeAngle* angle = DrawRightAngle(plan);
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(angle->m_strName, "Dimension angle");
    EXPECT_EQ(angle->m_points[3], (CDoublePoint{0.0, 0.0}));
    EXPECT_EQ(angle->m_points[1], (CDoublePoint{1000.0, 0.0}));
    EXPECT_EQ(angle->m_points[2], (CDoublePoint{0.0, 1000.0}));
    EXPECT_NEAR(angle->m_points[4].x, 500.0 * std::cos(kPi / 4.0), 1e-6);
    EXPECT_NEAR(angle->m_points[4].y, 500.0 * std::sin(kPi / 4.0), 1e-6);
    EXPECT_EQ(angle->m_bFirstArm, 0);
    EXPECT_EQ(angle->LabelText(), "90\xB0");
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);

    angle->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 12);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[5], "(100.000,-100.000)");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[6], "50.000");
    CString hint;
    angle->AppendStatusText(hint);
    EXPECT_EQ(hint, "(100.000,-100.000); 90.00; 0.00");
}

TEST(SizeAngle, OnlyAMoveOfMoreThanRootTenTowardTheVertexFixesTheFirstArm) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolDimensionAngle);
    AngleGesture mouse(plan);
    mouse.Press(1000.0, 1000.0);
    mouse.Move(1500.0, 1000.0);
    mouse.Move(1497.0, 1000.0);
    CSizeAngle* angle = plan.Newest<CSizeAngle>();
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(angle->m_bFirstArm, 1);
    EXPECT_NEAR(angle->m_points[1].x, 497.0, 1e-9);
    mouse.Move(1493.0, 1000.0);
    EXPECT_EQ(angle->m_bFirstArm, 0);
    EXPECT_NEAR(angle->m_points[1].x, 497.0, 1e-9);
    EXPECT_NEAR(angle->m_points[2].x, 493.0, 1e-9);
    mouse.Release(1493.0, 1000.0);
}

TEST(SizeAngle, HandleDragsUndoExactlyAndSetPointsRecordsKind45) {
    DrawingPlan plan;
    CSizeAngle* angle = DrawRightAngle(plan);
    ASSERT_NE(angle, nullptr);
    const std::vector<CDoublePoint> before = PointsOf(*angle);
    // Point 4 moves alone and hides the label while it is dragged.
    AngleGesture mouse(plan);
    const CDoublePoint p4 = angle->LocalToWorld(angle->m_points[4].x, angle->m_points[4].y);
    mouse.Press(p4.x, p4.y);
    EXPECT_EQ(angle->m_nActiveHandle, 4);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepDimensionAngle);
    mouse.Move(1000.0 - 300.0, 1000.0 - 300.0);
    mouse.Release(1000.0 - 300.0, 1000.0 - 300.0);
    EXPECT_EQ(angle->m_points[4], (CDoublePoint{-300.0, -300.0}));
    EXPECT_EQ(angle->m_points[1], before[0]);
    EXPECT_EQ(angle->m_nActiveHandle, 0);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*angle), before);

    EXPECT_EQ(angle->SetPoints(0.0, 0.0, 1.0, 1.0, 2.0, 2.0, 3.0, 3.0, 0, 1, 1), 1);
    EXPECT_EQ(PointsOf(*angle), before);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, 45);
    EXPECT_EQ(angle->SetPoints(1000.0, 1000.0, 1000.0, 0.0, 0.0, 0.0, 500.0, 500.0, 0, 0, 0), 1);
    EXPECT_EQ(angle->m_points[1], (CDoublePoint{0.0, 0.0}));
    EXPECT_EQ(angle->m_points[3], (CDoublePoint{-1000.0, -1000.0}));
    EXPECT_EQ(angle->m_bLabel, 0);
    plan.tool.Undo();
    EXPECT_EQ(angle->m_points[1], (CDoublePoint{-1000.0, -1000.0}));
    EXPECT_EQ(angle->m_points[4], (CDoublePoint{-997.0, -997.0}));
}

TEST(SizeAngle, AFirstArmFlagOutsideTheAngleToolChangesNothing) {
    DrawingPlan plan;
    CSizeAngle* angle = DrawRightAngle(plan);
    ASSERT_NE(angle, nullptr);
    // A working copy or an older object still flagged: its handles move only their point.
    angle->m_bFirstArm = 1;
    const CDoublePoint p2 = angle->m_points[2];
    plan.Drag(2000.0, 1000.0, 2400.0, 1000.0);
    EXPECT_EQ(angle->m_points[1], (CDoublePoint{1400.0, 0.0}));
    EXPECT_EQ(angle->m_points[2], p2);
    EXPECT_EQ(angle->m_bFirstArm, 0);
}

TEST(SizeAngle, RecordsRoundTripAndVersion6AddsTheOutlinePoints) {
    DrawingPlan plan;
    CSizeAngle* angle = DrawRightAngle(plan);
    ASSERT_NE(angle, nullptr);
    angle->m_points[0] = {11.0, 12.0};
    const Bytes record = StoreRecord(*angle);
    const size_t common = CommonPartSize(*angle);
    ASSERT_EQ(record.size() - common, 80u + 61u);
    CSizeAngle read;
    read.SetTool(&plan.tool);
    read.m_bFirstArm = 1;
    LoadRecord(read, record);
    EXPECT_EQ(read.m_bFirstArm, 0);
    EXPECT_EQ(read.m_points[0], (CDoublePoint{11.0, 12.0}));
    EXPECT_EQ(StoreRecord(read), record);
    std::unique_ptr<CPaint> clone(read.Clone());
    EXPECT_EQ(StoreRecord(*clone), record);

    plan.host.m_nFileVersion = 6;
    const Bytes older = AsVersion6Record(*angle, record);
    CSizeAngle old;
    old.SetTool(&plan.tool);
    LoadRecord(old, older);
    ASSERT_EQ(old.m_points.GetSize(), CSizeAngle::kPointCount);
    EXPECT_EQ(old.m_points[2], angle->m_points[2]);
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST(SizeAngle, DrawsArmsArcArrowheadsAndTurnedLabel) {
    DrawingPlan plan;
    Canvas canvas(400, 300);
    plan.DrawOn(canvas);
    CSizeAngle angle(0, &plan.tool, 1000.0, 1000.0);
    angle.m_bFirstArm = 0;
    angle.m_points[1] = {1500.0, 0.0};
    angle.m_points[2] = {0.0, 1500.0};
    angle.m_points[4] = {1000.0 * std::cos(kPi / 4.0), 1000.0 * std::sin(kPi / 4.0)};
    angle.m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    angle.RebuildShape();
    angle.RecalcDeviceBounds();
    EXPECT_EQ(angle.Draw(nullptr), 1);
    // Arms from their points through the vertex (100, 100) to 20 pixels beyond it.
    EXPECT_EQ(canvas.At(200, 100), kBlue);
    EXPECT_EQ(canvas.At(85, 100), kBlue);
    EXPECT_GT(canvas.CountColor(kBlue, CRect(98, 83, 102, 87)), 0);
    EXPECT_EQ(canvas.At(75, 100), kWhite);
    // The arc of radius 100 pixels between the arms.
    const int ax = 100 + static_cast<int>(100.0 * std::cos(kPi / 3.0));
    const int ay = 100 + static_cast<int>(100.0 * std::sin(kPi / 3.0));
    EXPECT_GT(canvas.CountColor(kBlue, CRect(ax - 1, ay - 1, ax + 2, ay + 2)), 0);
    EXPECT_EQ(canvas.CountColor(kBlue, CRect(20, 160, 60, 200)), 0);
    // The label runs across the radius through point 4, at right angles to it.
    // Inside the arc, clear of the arms and arrowheads.
    const CRect labelArea(120, 140, 150, 170);
    EXPECT_GT(canvas.CountColor(kBlack, labelArea), 10);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 0, 100, 100)), 0);

    // Without the label flag: black one-pixel arms and arc, no label.
    angle.m_bLabel = 0;
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    angle.Draw(nullptr);
    EXPECT_EQ(canvas.At(200, 100), kBlack);
    EXPECT_EQ(canvas.CountColor(kBlack, labelArea), 0);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// Points beyond reach in a record are held as the common part holds its coordinates; a point
// that is no number, set after reading, still draws, its arc in one step.
TEST(SizeAngle, ARecordHoldsPointsBeyondReachAndANaNPointStillDraws) {
    DrawingPlan plan;
    CSizeAngle* angle = DrawRightAngle(plan);
    ASSERT_NE(angle, nullptr);
    Bytes record = StoreRecord(*angle);
    const size_t common = CommonPartSize(*angle);
    // The record's points in the order 1, 2, 3, 4, 0, each x then y.
    const double stored[] = {std::nan(""), 1e300, -INFINITY};
    for (size_t i = 0; i < std::size(stored); ++i)
        std::memcpy(record.data() + common + 8 * i, &stored[i], sizeof(double));
    CSizeAngle read;
    read.SetTool(&plan.tool);
    LoadRecord(read, record);
    EXPECT_EQ(read.m_points[1], (CDoublePoint{0.0, 1e9}));
    EXPECT_EQ(read.m_points[2], (CDoublePoint{0.0, angle->m_points[2].y}));
    read.SetTool(nullptr);

    Canvas canvas(200, 200);
    plan.DrawOn(canvas);
    angle->RecalcDeviceBounds();
    angle->m_points[1] = {std::nan(""), 0.0};
    EXPECT_EQ(angle->Draw(nullptr), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
}
