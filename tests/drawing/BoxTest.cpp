#include <gtest/gtest.h>

#include "drawing/CBox.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

constexpr UINT kShift = CTool::kShiftFlag;

// A box placed as the Box tool leaves it, from corner 1 to corner 3 (world), unselected.
CBox* PlaceBox(DrawingPlan& plan, double x1, double y1, double x3, double y3) {
    plan.tool.m_toolMode.Set(kToolBox);
    plan.Drag(x1, y1, x3, y3);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.Newest<CBox>();
}

std::vector<CDoublePoint> PointsOf(const CPaint& shape) {
    std::vector<CDoublePoint> points;
    for (int i = 0; i < shape.m_points.GetSize(); ++i) points.push_back(shape.m_points[i]);
    return points;
}

}  // namespace

TEST(Box, TheBoxToolDrawsOneBoxWithOnePlaceStepAndAClickLeavesNothing) {
    DrawingPlan plan;
    CBox* box = PlaceBox(plan, 100.0, 200.0, 400.0, 50.0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetClassName(), "CBox");
    EXPECT_EQ(box->m_points.GetSize(), CBox::kPointCount);
    EXPECT_EQ(box->LocalToWorld(box->m_points[1].x, box->m_points[1].y), (CDoublePoint{100.0, 200.0}));
    EXPECT_EQ(box->LocalToWorld(box->m_points[3].x, box->m_points[3].y), (CDoublePoint{400.0, 50.0}));
    EXPECT_EQ(box->m_points[2], (CDoublePoint{0.0, -150.0}));
    EXPECT_EQ(box->m_points[4], (CDoublePoint{300.0, 0.0}));
    EXPECT_EQ(box->GetEditState(), -1);
    ASSERT_EQ(plan.tool.GetUndoCount(), 1);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepRemoveObject);
    EXPECT_DOUBLE_EQ(box->m_fMinX, 100.0);
    EXPECT_DOUBLE_EQ(box->m_fMaxY, 200.0);
    plan.tool.Undo();
    EXPECT_EQ(plan.MemberCount(), 0);

    plan.tool.m_toolMode.Set(kToolBox);
    plan.Click(50.0, 50.0);
    EXPECT_EQ(plan.MemberCount(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(Box, ShiftKeepsASquareWhileDrawingAndTheRatioWhileEditing) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolBox);
    plan.Drag(0.0, 0.0, 30.0, -10.0, kShift);
    CBox* square = plan.Newest<CBox>();
    ASSERT_NE(square, nullptr);
    EXPECT_NEAR(square->m_points[3].x, 30.0, 1e-9);
    EXPECT_NEAR(square->m_points[3].y, -30.0, 1e-9);
    EXPECT_NEAR(square->m_points[2].y, -30.0, 1e-9);
    EXPECT_NEAR(square->m_points[4].x, 30.0, 1e-9);

    // A 40 by 20 box edited by corner 3 with Shift keeps 2:1.
    square->SelectWithUndo(0, 0);
    square->m_points[1] = {0.0, 0.0};
    square->m_points[2] = {0.0, 20.0};
    square->m_points[3] = {40.0, 20.0};
    square->m_points[4] = {40.0, 0.0};
    plan.tool.m_toolMode.Set(kToolSelector);
    square->m_nEditState = -1;
    plan.tool.m_nMouseFlags = kShift;
    CDoublePoint target;
    square->MoveBoxCorner(3, 100.0, 30.0, &target);
    EXPECT_DOUBLE_EQ(target.x, 100.0);
    EXPECT_DOUBLE_EQ(target.y, 50.0);
    square->MoveBoxCorner(3, 50.0, 90.0, &target);
    EXPECT_DOUBLE_EQ(target.x, 180.0);
    EXPECT_DOUBLE_EQ(target.y, 90.0);
    // A flat box stays flat.
    square->m_points[2].y = square->m_points[3].y = 0.5;
    square->MoveBoxCorner(3, 100.0, 80.0, &target);
    EXPECT_DOUBLE_EQ(target.y, 0.0);
}

TEST(Box, CornerDragsAreUndoneExactlyAndTheRotationHandleTurnsIt) {
    DrawingPlan plan;
    CBox* box = PlaceBox(plan, 1000.0, 1000.0, 3000.0, 2000.0);
    ASSERT_NE(box, nullptr);
    box->SelectWithUndo(0, 0);
    box->UpdateAnchorPoint();
    const std::vector<CDoublePoint> before = PointsOf(*box);
    const CPose pose = box->m_pose;
    const int steps = plan.tool.GetUndoCount();
    plan.host.m_bModified = FALSE;
    // Corner 3 at world (3000, 2000); the press is a little off the corner, inside its handle.
    plan.Drag(3003.0, 1996.0, 3500.0, 2600.0);
    const CDoublePoint moved = box->LocalToWorld(box->m_points[3].x, box->m_points[3].y);
    EXPECT_NEAR(moved.x, 3500.0, 1e-9);
    EXPECT_NEAR(moved.y, 2600.0, 1e-9);
    EXPECT_NEAR(box->m_points[4].x, box->m_points[3].x, 0.0);
    ASSERT_GT(plan.tool.GetUndoCount(), steps);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepChangeGeometry);
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*box), before);
    EXPECT_EQ(box->m_pose.x, pose.x);
    EXPECT_EQ(box->m_pose.y, pose.y);
    EXPECT_EQ(box->m_pose.angle, pose.angle);

    // Shift on an edit: the step holds the constrained point, and undo gives the exact box.
    plan.Drag(3000.0, 2000.0, 5000.0, 2100.0, kShift);
    EXPECT_NEAR(box->m_points[3].x - box->m_points[1].x, 4000.0, 1e-9);
    EXPECT_NEAR(box->m_points[3].y - box->m_points[1].y, 2000.0, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*box), before);

    // The rotation handle lies two handle sizes beyond corner 3 and turns the box about its middle.
    const double t = plan.tool.GetHandleTolerance();
    EXPECT_DOUBLE_EQ(t, 100.0);
    const CDoublePoint anchor = box->LocalToWorld(box->m_points[0].x, box->m_points[0].y);
    EXPECT_EQ(anchor, (CDoublePoint{3000.0 + 2.0 * t, 2000.0 + 2.0 * t}));
    plan.tool.OnLButtonDown(0, anchor.x * 0.1, anchor.y * 0.1);
    EXPECT_EQ(plan.tool.m_nDragState, 0);
    EXPECT_DOUBLE_EQ(plan.tool.m_fPivotX, 2000.0);
    EXPECT_DOUBLE_EQ(plan.tool.m_fPivotY, 1500.0);
    EXPECT_DOUBLE_EQ(plan.tool.m_fReferenceX, anchor.x);
    EXPECT_EQ(box->GetSavedPose().x, box->m_pose.x);
    plan.tool.OnLButtonUp(0, anchor.x * 0.1, anchor.y * 0.1);
    EXPECT_EQ(PointsOf(*box), before);

    // Dragged a quarter turn round the middle, the handle turns the box with it; one Undo
    // turns it back by the opposite turn, as for the rotate tool.
    const int turnSteps = plan.tool.GetUndoCount();
    const CPose unturned = box->m_pose;
    plan.tool.OnLButtonDown(0, anchor.x * 0.1, anchor.y * 0.1);
    plan.tool.OnMouseMove(0, 180.0, 260.0, 1);
    plan.tool.OnMouseMove(0, 130.0, 270.0, 1);
    plan.tool.OnLButtonUp(0, 130.0, 270.0);
    EXPECT_NEAR(plan.tool.m_fRotationAngle, kPi / 2.0, 1e-9);
    const CDoublePoint turned = box->LocalToWorld(box->m_points[3].x, box->m_points[3].y);
    EXPECT_NEAR(turned.x, 1500.0, 1e-9);
    EXPECT_NEAR(turned.y, 2500.0, 1e-9);
    EXPECT_GT(plan.tool.GetUndoCount(), turnSteps);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*box), before);
    EXPECT_NEAR(box->m_pose.x, unturned.x, 1e-9);
    EXPECT_NEAR(box->m_pose.y, unturned.y, 1e-9);
    EXPECT_NEAR(box->m_pose.angle, unturned.angle, 1e-12);
}

TEST(Box, HitsFilledInsideOnlyStrictlyAndOutlinesWithinTheTolerance) {
    DrawingPlan plan;
    CBox* box = PlaceBox(plan, 0.0, 0.0, 2000.0, 1000.0);
    ASSERT_NE(box, nullptr);
    auto hitAt = [&](double x, double y) {
        plan.tool.m_fCurrentX = x;
        plan.tool.m_fCurrentY = y;
        return box->HitTest() != nullptr;
    };
    EXPECT_FALSE(hitAt(1000.0, 500.0));
    EXPECT_TRUE(hitAt(1000.0, 950.0));
    EXPECT_TRUE(hitAt(-90.0, 500.0));
    EXPECT_FALSE(hitAt(-150.0, 500.0));
    box->m_bFillOn = 1;
    EXPECT_TRUE(hitAt(1000.0, 500.0));
    // A box of no width is hit only on its edges, even filled.
    box->m_points[3].x = box->m_points[4].x = 0.0;
    box->ComputeExtent(nullptr);
    EXPECT_FALSE(box->IsInvalid(0));
    EXPECT_TRUE(hitAt(0.0, 500.0));
    box->m_nLayer = 3;
    plan.tool.m_bLayerShown[3] = 0;
    EXPECT_FALSE(hitAt(0.0, 500.0));
    plan.tool.m_bLayerShown[3] = 1;
    // A rubber band over one edge, in device units.
    plan.tool.m_rcRubberBand = DeviceRect{-5, 40, 5, 60};
    EXPECT_NE(box->HitTest(), nullptr);
    plan.tool.m_rcRubberBand = DeviceRect{50, 50, 60, 60};
    EXPECT_EQ(box->HitTest(), nullptr);
    plan.tool.m_rcRubberBand = DeviceRect{};
}

TEST(Box, StatusGivesCornersSizesAreaAndOrientation) {
    DrawingPlan plan;
    CBox* box = PlaceBox(plan, 0.0, 0.0, 100.0, 100.0);
    ASSERT_NE(box, nullptr);
    box->UpdateSizeInfo(nullptr);
    const CPieceStatusText& status = plan.tool.m_status;
    EXPECT_EQ(status.m_nKind, 3);
    EXPECT_EQ(status.m_strMeasure[4], "100.00");
    EXPECT_DOUBLE_EQ(status.m_fRotation, 0.0);
    CString hint;
    box->AppendStatusText(hint);
    EXPECT_EQ(hint, status.m_strMeasure[3] + "; " + status.m_strMeasure[2]);
    box->m_pose.angle = -kPi / 2.0;
    box->UpdateSizeInfo(nullptr);
    EXPECT_NEAR(status.m_fRotation, 270.0, 1e-9);
}

TEST(Box, MirroringTwiceRestoresAndAGroupResizeScalesFromTheParentOrigin) {
    DrawingPlan plan;
    CBox* box = PlaceBox(plan, 100.0, 100.0, 300.0, 200.0);
    ASSERT_NE(box, nullptr);
    const std::vector<CDoublePoint> before = PointsOf(*box);
    box->MirrorX(500.0);
    EXPECT_DOUBLE_EQ(box->m_pose.x, 900.0);
    box->MirrorX(500.0);
    const std::vector<CDoublePoint> after = PointsOf(*box);
    EXPECT_EQ(std::vector<CDoublePoint>(after.begin() + 1, after.end()),
              std::vector<CDoublePoint>(before.begin() + 1, before.end()));
    EXPECT_DOUBLE_EQ(box->m_pose.x, 100.0);

    box->TrackCreate(nullptr, -1);
    box->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_DOUBLE_EQ(box->m_pose.x, 200.0);
    EXPECT_DOUBLE_EQ(box->m_points[3].x, 400.0);
    EXPECT_DOUBLE_EQ(box->m_points[3].y, 200.0);
    EXPECT_DOUBLE_EQ(box->m_points[2].y, 200.0);
    box->m_bScaleWithDocument = 0;
    CEditStep refused(kStepRescale, box, 1);
    refused.SetPayload(std::make_unique<RescalePayload>());
    EXPECT_EQ(box->Rescale(&refused), 0);
}

TEST(Box, DrawsOutlineFillAndHandlesByPixels) {
    DrawingPlan plan;
    Canvas canvas(120, 120);
    plan.DrawOn(canvas);
    CBox* box = PlaceBox(plan, 200.0, 200.0, 800.0, 600.0);
    ASSERT_NE(box, nullptr);
    box->Deselect();
    box->m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    box->m_bFillOn = 1;
    box->m_brush = BrushRecord{static_cast<int>(BS_SOLID), kRed, 0};
    box->Invalidate();
    EXPECT_EQ(box->Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(20, 40), kBlue);
    EXPECT_EQ(canvas.At(50, 20), kBlue);
    EXPECT_EQ(canvas.At(50, 40), kRed);
    EXPECT_EQ(canvas.At(10, 10), kWhite);
    // Being dragged: the drag colour and no fill.
    canvas.dc.FillSolidRect(0, 0, 120, 120, kWhite);
    box->SetEditState(2);
    box->Draw(nullptr);
    EXPECT_EQ(canvas.At(20, 40), RGB(255, 28, 164));
    EXPECT_EQ(canvas.At(50, 40), kWhite);
    // Selected and idle: green corner handles.
    canvas.dc.FillSolidRect(0, 0, 120, 120, kWhite);
    box->SetEditState(-1);
    box->m_bFillOn = 0;
    box->SelectWithUndo(0, 0);
    box->Draw(nullptr);
    EXPECT_EQ(canvas.At(80, 60 - 5), RGB(0, 255, 0));
    // A hatch shows the fill colour in its gaps.
    canvas.dc.FillSolidRect(0, 0, 120, 120, kWhite);
    box->Deselect();
    box->m_bFillOn = 1;
    box->m_crFill = RGB(0, 200, 0);
    box->m_brush = BrushRecord{static_cast<int>(BS_HATCHED), kRed, HS_HORIZONTAL};
    box->Draw(nullptr);
    const CRect inside(30, 30, 70, 50);
    EXPECT_GT(canvas.CountColor(RGB(0, 200, 0), inside), 0);
    EXPECT_GT(canvas.CountColor(kRed, inside), 0);
    // A corner beyond any device coordinate is not drawn and not hit.
    box->m_points[3].x = 1.0e300;
    EXPECT_EQ(box->Draw(nullptr), 0);
    plan.tool.SetTargetDC(nullptr, nullptr);
}
