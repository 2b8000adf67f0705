#include <gtest/gtest.h>

#include <cmath>

#include "model/CEditStep.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

struct Plan : EnginePlan {
    CTestBox* AddBox(double left, double bottom, double right, double top) {
        return AddToLayout(host, new CTestBox(&tool, left, bottom, right, top));
    }
};

class CRescaleCounter : public CTestObject {
  public:
    using CTestObject::CTestObject;
    int Rescale(CEditStep* step) override {
        m_payload = *step->GetPayload<RescalePayload>();
        return 1;
    }
    RescalePayload m_payload;
};

}  // namespace

TEST(InteractiveEdit, SelectAndDeselectStepsRestoreTheSelectionExactly) {
    Plan plan;
    CTestBox* a = plan.AddBox(0, 0, 10, 10);
    CTestBox* b = plan.AddBox(0, 0, 10, 10);
    CTestBox* c = plan.AddBox(0, 0, 10, 10);
    a->SelectWithUndo(1, 1);
    b->SelectWithUndo(1, 0);
    EXPECT_EQ(plan.host.m_selection, (CPaintList{b, a}));  // newest first
    const CPaintList before = plan.host.m_selection;
    c->SelectWithUndo(1, 1);
    a->DeselectWithUndo(1, 0);
    EXPECT_EQ(plan.host.m_selection, (CPaintList{c, b}));
    EXPECT_EQ(plan.tool.GetUndoCount(), 4);
    plan.tool.Undo();  // the second command: c selected, a deselected
    EXPECT_EQ(plan.host.m_selection, before);
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_selection.empty());
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(InteractiveEdit, MoveFromSavedPoseMovesInTheOwnerFrame) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 100, 50);
    box->SavePose();
    box->MoveFromSavedPose(10.0, 20.0, 1);
    box->MoveFromSavedPose(10.0, 20.0, 1);  // from the saved placement: the same place
    EXPECT_EQ(box->m_pose.x, 10.0);
    EXPECT_EQ(box->m_pose.y, 20.0);
    EXPECT_EQ(box->m_fMaxX, 110.0);
    box->MoveFromSavedPose(10.0, 20.0, 0);
    EXPECT_EQ(box->m_pose.x, 20.0);

    // Inside a group turned a quarter: a world move right is a move down in its frame.
    auto* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    group->m_pose = CPose(1000.0, 0.0, kPi / 2.0);
    auto* member = AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 10, 10));
    member->MoveFromSavedPose(100.0, 0.0, 0);
    EXPECT_NEAR(member->m_pose.x, 0.0, 1e-6);
    EXPECT_NEAR(member->m_pose.y, -100.0, 1e-6);
    EXPECT_NEAR(member->m_parentPose.x, 1000.0, 1e-9);
    EXPECT_NEAR(member->m_parentPose.angle, kPi / 2.0, 1e-12);
    EXPECT_NEAR(member->m_fMinX, 1090.0, 1e-6);  // its world extent follows

    box->m_bLocked = 1;
    box->m_parentPose = CPose(5.0, 5.0, 0.0);
    box->MoveFromSavedPose(10.0, 20.0, 0);
    EXPECT_EQ(box->m_pose.x, 20.0);
    EXPECT_EQ(box->m_parentPose.x, 5.0);  // a locked object keeps even its parent placement
}

TEST(InteractiveEdit, RotationsFromTheSavedPlacement) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 100, 50);
    box->m_pose = CPose(100.0, 0.0, 0.0);
    box->SavePose();
    box->RotateFromSavedPose(kPi / 2.0, 0.0, 0.0, 1);
    box->RotateFromSavedPose(kPi / 2.0, 0.0, 0.0, 1);
    EXPECT_NEAR(box->m_pose.x, 0.0, 1e-8);
    EXPECT_NEAR(box->m_pose.y, 100.0, 1e-8);
    EXPECT_NEAR(box->m_pose.angle, kPi / 2.0, 1e-12);
    box->RotateFromSavedPose(-kPi / 2.0, 0.0, 0.0, 0);  // back from the current placement
    EXPECT_NEAR(box->m_pose.x, 100.0, 1e-8);
    EXPECT_NEAR(box->m_pose.y, 0.0, 1e-8);
    EXPECT_EQ(box->m_pose.angle, 0.0);

    box->m_pose.angle = 6.0;
    box->RotateFromSavedPose(0.5, 100.0, 0.0, 0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, 6.5 - 6.283185307);
    box->m_pose.angle = 6.283185307 - 1.0;
    box->RotateFromSavedPose(1.0, 100.0, 0.0, 0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, 6.283185307);  // a full turn exactly stays
    box->m_pose.angle = 0.25;
    box->RotateFromSavedPose(-0.5, 100.0, 0.0, 0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, -0.25 + 6.283185307);

    box->m_bLocked = 1;
    box->RotateFromSavedPose(1.0, 0.0, 0.0, 0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, -0.25 + 6.283185307);
}

TEST(InteractiveEdit, TrackSnapTurnsAboutThePivotAndShifts) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 10, 10);
    box->m_pose = CPose(100.0, 0.0, 0.0);
    plan.tool.m_fSnapAngle = kPi / 2.0;
    plan.tool.m_fSnapOffsetX = 5.0;
    const CPose parent(10.0, 0.0, 0.0);  // the pivot (10, 0) is (0, 0) in this frame
    plan.tool.m_fSnapPivotX = 10.0;
    box->RotateWithPivot(&parent);
    EXPECT_NEAR(box->m_pose.x, 5.0, 1e-8);
    EXPECT_NEAR(box->m_pose.y, 100.0, 1e-8);
    EXPECT_NEAR(box->m_pose.angle, kPi / 2.0, 1e-12);
    EXPECT_NEAR(box->m_fMinX, 5.0, 1e-8);  // the extent under the given placement
    box->m_pose = CPose(100.0, 0.0, 0.0);
    plan.tool.m_fSnapOffsetX = 0.0;
    box->RotateWithPivotHalfTurn(&parent);
    EXPECT_NEAR(box->m_pose.x, 0.0, 1e-7);
    EXPECT_NEAR(box->m_pose.y, -100.0, 1e-7);
    EXPECT_NEAR(box->m_pose.angle, 1.5 * kPi, 1e-12);
    EXPECT_EQ(plan.tool.m_bHalfTurn, 0);
}

TEST(InteractiveEdit, MirrorsRoundTripAndRecomputeTheAnchor) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 100, 50);
    box->m_pose = CPose(30.0, 40.0, 0.5);
    const CPointArray points = box->m_points;
    EXPECT_EQ(box->MirrorX(100.0), 1);
    EXPECT_EQ(box->m_pose.x, 170.0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, 6.283185307 - 0.5);
    EXPECT_EQ(box->m_points[3].x, -100.0);
    EXPECT_EQ(box->GetOrientation(), 4);
    EXPECT_EQ(box->m_points[0], (CDoublePoint{-300.0, -200.0}));
    box->MirrorX(100.0);
    EXPECT_EQ(box->m_pose.x, 30.0);
    EXPECT_DOUBLE_EQ(box->m_pose.angle, 0.5);
    for (int i = 0; i < points.GetSize(); ++i) EXPECT_EQ(box->m_points[i], points[i]) << i;
    box->MirrorY(-10.0);
    EXPECT_EQ(box->m_pose.y, -60.0);
    EXPECT_EQ(box->m_points[1].y, -50.0);
    box->MirrorY(-10.0);
    EXPECT_EQ(box->m_pose.y, 40.0);
    for (int i = 0; i < points.GetSize(); ++i) EXPECT_EQ(box->m_points[i], points[i]) << i;
}

TEST(InteractiveEdit, ConstrainAngleToEightDirections) {
    CTestShape shape;
    const double d = 10.0 * std::sqrt(2.0) / 2.0;
    double x = 5.0 + d, y = 7.0 + d;
    shape.ConstrainAngle(x, y, 5.0, 7.0);
    EXPECT_NEAR(x, 5.0 + 7.0710678, 1e-7);
    EXPECT_NEAR(y, 7.0 + 7.0710678, 1e-7);
    x = 5.0, y = -3.0;
    shape.ConstrainAngle(x, y, 5.0, 7.0);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(y, -3.0);
    x = 15.0, y = 8.0;  // nearly level: goes level, keeping its distance
    shape.ConstrainAngle(x, y, 5.0, 7.0);
    EXPECT_NEAR(x, 5.0 + std::sqrt(101.0), 1e-12);
    EXPECT_EQ(y, 7.0);
    x = -5.0, y = 6.0;  // just below the left direction
    shape.ConstrainAngle(x, y, 5.0, 7.0);
    EXPECT_NEAR(x, 5.0 - std::sqrt(101.0), 1e-12);
    EXPECT_EQ(y, 7.0);
}

TEST(InteractiveEdit, CornerDragKeepsTheBoxShape) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 40, 20);  // corner 1 at (0, 20), corner 3 at (40, 0)
    box->MoveBoxCorner(1, -10.0, 30.0, nullptr);
    EXPECT_EQ(box->m_points[1], (CDoublePoint{-10.0, 30.0}));
    EXPECT_EQ(box->m_points[2].x, -10.0);
    EXPECT_EQ(box->m_points[4].y, 30.0);

    plan.tool.m_nMouseFlags = 4;  // Shift while editing: the 50 : 30 ratio stays
    box->MoveBoxCorner(1, -60.0, 30.0, nullptr);
    const double w = box->m_points[3].x - box->m_points[1].x;
    const double h = box->m_points[1].y - box->m_points[3].y;
    EXPECT_DOUBLE_EQ(w / h, 50.0 / 30.0);

    CTestBox* flat = plan.AddBox(0, 0, 40, 0.5);
    flat->MoveBoxCorner(1, -20.0, 30.0, nullptr);
    EXPECT_EQ(flat->m_points[1], (CDoublePoint{-20.0, 0.0}));  // only sideways

    plan.tool.m_toolMode.Set(kToolBox);  // while creating: a square
    CTestBox* fresh = plan.AddBox(0, 0, 40, 20);
    CDoublePoint probe;
    fresh->MoveBoxCorner(3, 100.0, 10.0, &probe);
    EXPECT_EQ(probe, (CDoublePoint{100.0, -80.0}));
    EXPECT_EQ(fresh->m_points[3].x, 40.0);  // an output point leaves the outline alone
    fresh->MoveBoxCorner(-1, 100.0, 10.0, nullptr);
    EXPECT_EQ(fresh->m_points[3].x, 40.0);
}

TEST(InteractiveEdit, ChangeGeometryRunsOrRecordsTheCornerMove) {
    Plan plan;
    CTestBox* box = plan.AddBox(0, 0, 40, 20);
    box->m_pose = CPose(100.0, 0.0, 0.0);
    EXPECT_EQ(box->ChangeGeometry(160.0, 50.0, 4, 0, 0, 0), 1);  // world (160, 50) is local (60, 50)
    EXPECT_EQ(box->m_points[4], (CDoublePoint{60.0, 50.0}));
    EXPECT_EQ(box->m_points[3].x, 60.0);
    EXPECT_EQ(box->m_fMaxX, 160.0);
    EXPECT_EQ(box->m_fMaxY, 50.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);

    EXPECT_EQ(box->ChangeGeometry(140.0, 20.0, 4, 0, 1, 1), 1);  // recorded, not run
    EXPECT_EQ(box->m_points[4], (CDoublePoint{60.0, 50.0}));
    plan.tool.Undo();
    EXPECT_EQ(box->m_points[4], (CDoublePoint{40.0, 20.0}));
    EXPECT_EQ(box->m_fMaxX, 140.0);
}

TEST(InteractiveEdit, RescaleWithUndoCarriesTheRescalePoints) {
    Plan plan;
    auto* object = AddToLayout(plan.host, new CRescaleCounter(0, &plan.tool, 0.0, 0.0));
    object->m_pose = CPose(1.0, 2.0, 0.25);
    object->SavePose();
    object->m_fRescaleAX = 3.0;
    object->m_fRescaleBY = 4.0;
    object->RescaleWithUndo(0, 1.5, 0);
    EXPECT_EQ(object->m_payload.factor, 1.5);
    EXPECT_EQ(object->m_payload.saved.angle, 0.25);
    EXPECT_EQ(object->m_payload.ax, 3.0);
    EXPECT_EQ(object->m_payload.by, 4.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(InteractiveEdit, EditLevelAncestorClimbsToTheEditedGroup) {
    Plan plan;
    auto* outer = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* inner = AddToGroup(outer, NewGroup(&plan.tool));
    auto* leaf = AddToGroup(inner, new CTestBox(&plan.tool, 0, 0, 1, 1));
    EXPECT_EQ(leaf->GetEditLevelAncestor(nullptr), outer);
    EXPECT_EQ(leaf->GetEditLevelAncestor(outer), nullptr);
    plan.host.OpenGroup(outer);
    EXPECT_EQ(leaf->GetEditLevelAncestor(nullptr), inner);
    plan.host.CloseGroup();
}
