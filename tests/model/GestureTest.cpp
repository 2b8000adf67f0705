#include <gtest/gtest.h>

#include <cmath>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/Units.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

constexpr UINT kShift = CTool::kShiftFlag;

// An engine without a window at the starting zoom: one device unit is ten layout units.
struct Plan : EnginePlan {
    // A press, a drag through the given device points with the button held, and the release
    // at the last one.
    void Drag(UINT flags, double x0, double y0, double x1, double y1) {
        tool.OnLButtonDown(flags, x0, y0);
        tool.OnMouseMove(flags, x1, y1, 1);
        tool.OnLButtonUp(flags, x1, y1);
    }
    bool Selected(CPaint* object) { return object->IsSelected() != 0; }
};

TEST(Gesture, RubberBandSelectsWhatItHoldsAndShiftKeepsTheSelection) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(500.0, 500.0, 600.0, 600.0);
    CTestRubberBox* c = plan.AddRubberBox(2000.0, 2000.0, 2100.0, 2100.0);
    c->Select();
    const int before = plan.tool.GetUndoCount();

    plan.tool.OnLButtonDown(0, -30.0, -30.0);  // empty plan at layout (-300, -300)
    EXPECT_EQ(plan.tool.m_nDragState, 8);
    EXPECT_FALSE(plan.Selected(c));  // without Shift the band clears the selection
    plan.tool.OnMouseMove(0, 70.0, 70.0, 1);
    EXPECT_EQ(plan.tool.m_rcRubberBand, (DeviceRect{-30, 70, 70, -30}));
    plan.tool.OnLButtonUp(0, 70.0, 70.0);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_TRUE(plan.Selected(b));
    EXPECT_FALSE(plan.Selected(c));
    EXPECT_EQ(plan.tool.m_rcRubberBand, DeviceRect{});
    // The deselect-all step, then one select step per object inside, none starting a group.
    ASSERT_EQ(plan.tool.GetUndoCount(), before + 3);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_bGroupStart, 0);
    EXPECT_EQ(plan.tool.GetUndoStep(2)->m_nKind, kStepReselect);
    plan.tool.Undo();  // one run takes the whole band back
    EXPECT_FALSE(plan.Selected(a));
    EXPECT_FALSE(plan.Selected(b));
    EXPECT_TRUE(plan.Selected(c));

    plan.Drag(kShift, -30.0, -30.0, 70.0, 70.0);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_TRUE(plan.Selected(b));
    EXPECT_TRUE(plan.Selected(c));  // Shift keeps what was selected

    // A band holding nothing leaves the selection empty and records only the deselection.
    const int count = plan.tool.GetUndoCount();
    plan.Drag(0, 300.0, 300.0, 400.0, 400.0);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), count + 1);
}

TEST(Gesture, MoveIsOneUndoStepAndAReturnToTheStartRecordsNothing) {
    Plan plan;
    // Boxes well larger than the handle squares, pressed in their middle.
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 1000.0, 1000.0);
    CTestRubberBox* b = plan.AddRubberBox(3000.0, 0.0, 4000.0, 1000.0);
    b->Select();
    plan.tool.OnLButtonDown(0, 50.0, 50.0);  // on a, which replaces the selection
    EXPECT_EQ(plan.tool.m_nDragState, 1);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_FALSE(plan.Selected(b));
    plan.tool.OnMouseMove(0, 60.0, 55.0, 1);
    plan.tool.OnMouseMove(0, 70.0, 60.0, 1);  // measured from the press, not accumulated
    EXPECT_EQ(a->m_pose.x, 200.0);
    EXPECT_EQ(a->m_pose.y, 100.0);
    plan.tool.OnLButtonUp(0, 70.0, 60.0);
    EXPECT_EQ(plan.tool.m_nDragState, -1);
    ASSERT_GE(plan.tool.GetUndoCount(), 1);
    CEditStep* move = plan.tool.GetUndoStep(0);
    // Undo puts the box back where the press found it.
    EXPECT_EQ(move->m_nKind, kStepRestorePlacements);
    EXPECT_EQ(move->m_bGroupStart, 1);
    const auto& placements = move->GetPayload<PlacementsPayload>()->placements;
    ASSERT_EQ(placements.size(), 1u);
    EXPECT_EQ(placements.front().object, a);
    EXPECT_EQ(placements.front().pose.x, 0.0);
    EXPECT_EQ(placements.front().pose.y, 0.0);
    EXPECT_TRUE(plan.host.m_bModified);

    plan.tool.Undo();
    EXPECT_EQ(a->m_pose.x, 0.0);
    EXPECT_EQ(a->m_pose.y, 0.0);

    const int count = plan.tool.GetUndoCount();
    plan.tool.OnLButtonDown(0, 50.0, 50.0);
    plan.tool.OnMouseMove(0, 80.0, 50.0, 1);
    plan.tool.OnMouseMove(0, 50.0, 50.0, 1);
    plan.tool.OnLButtonUp(0, 50.0, 50.0);
    EXPECT_EQ(a->m_pose.x, 0.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), count);

    // A move with the button up only writes the position, y growing upward.
    plan.tool.OnMouseMove(0, 7.0, 9.0, 0);
    EXPECT_EQ(a->m_pose.x, 0.0);
    EXPECT_NE(plan.tool.m_status.m_strPosition.Find("-"), -1);
}

TEST(Gesture, ShiftSnapsARotationToEighthTurnsAndUndoPutsTheFormerPlacementBack) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    a->Select();
    plan.tool.m_toolMode.Set(kToolRotateAroundOrigin);
    plan.tool.OnLButtonDown(kShift, -20.0, 0.0);  // pivot (-200, 0)
    EXPECT_EQ(plan.tool.m_nDragState, 0);
    plan.tool.OnMouseMove(kShift, -18.0, 2.0, 1);  // inside the dead zone: no reference yet
    EXPECT_EQ(plan.tool.m_fReferenceX, 0.0);
    plan.tool.OnMouseMove(kShift, -10.0, 0.0, 1);  // the reference, straight right of the pivot
    EXPECT_EQ(plan.tool.m_fReferenceX, -100.0);
    plan.tool.OnMouseMove(kShift, -10.0, 12.0, 1);  // 50.2 degrees raw
    EXPECT_DOUBLE_EQ(plan.tool.m_fRotationAngle, kPi / 4.0);
    plan.tool.OnLButtonUp(kShift, -10.0, 12.0);
    EXPECT_DOUBLE_EQ(a->m_pose.angle, kPi / 4.0);
    EXPECT_NEAR(a->m_pose.x, -200.0 + 200.0 * std::cos(kPi / 4.0), 1e-9);
    EXPECT_NEAR(a->m_pose.y, 200.0 * std::sin(kPi / 4.0), 1e-9);
    // Undo puts back the box as the press found it, not turned back with rounding.
    CEditStep* turnBack = plan.tool.GetUndoStep(0);
    ASSERT_EQ(turnBack->m_nKind, kStepRestoreProperties);
    EXPECT_EQ(turnBack->m_pObject, a);
    EXPECT_EQ(plan.tool.m_toolMode, kToolRotateAroundOrigin);  // Caps Lock off: the tool stays

    plan.tool.Undo();
    EXPECT_EQ(a->m_pose.x, 0.0);
    EXPECT_EQ(a->m_pose.y, 0.0);
    EXPECT_EQ(a->m_pose.angle, 0.0);

    // Exactly 22.5 degrees lies on the border of two steps: the later one wins.
    plan.tool.OnLButtonDown(kShift, -20.0, 0.0);
    plan.tool.OnMouseMove(kShift, -10.0, 0.0, 1);
    plan.tool.OnMouseMove(kShift, -10.0, 10.0 * std::tan(kPi / 8.0), 1);
    EXPECT_DOUBLE_EQ(plan.tool.m_fRotationAngle, kPi / 4.0);
    plan.tool.OnLButtonUp(kShift, -10.0, 10.0 * std::tan(kPi / 8.0));
}

TEST(Gesture, AHandleDragMovesTheGrabbedCornerOfThatObjectAlone) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 1000.0, 1000.0);
    CTestRubberBox* b = plan.AddRubberBox(3000.0, 0.0, 4000.0, 1000.0);
    a->Select();
    b->Select();
    plan.tool.OnLButtonDown(0, 100.0, 100.0);  // corner 4 of a
    EXPECT_EQ(plan.tool.m_nDraggedHandle, 4);
    EXPECT_EQ(plan.tool.m_nDragState, 2);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_FALSE(plan.Selected(b));
    plan.tool.OnMouseMove(0, 150.0, 120.0, 1);
    EXPECT_EQ(a->m_points[4].x, 1500.0);
    EXPECT_EQ(a->m_points[4].y, 1200.0);
    EXPECT_EQ(a->m_pose.x, 0.0);  // a handle drag does not move the object
    plan.tool.OnLButtonUp(0, 150.0, 120.0);
    EXPECT_EQ(plan.tool.m_nDraggedHandle, -1);
    EXPECT_EQ(plan.tool.m_nDragState, -1);
    EXPECT_EQ(a->m_nEditState, -1);
    EXPECT_TRUE(plan.tool.m_hint.m_strText.IsEmpty());

    // A locked object does not follow.
    a->m_bLocked = 1;
    plan.tool.OnLButtonDown(0, 150.0, 120.0);
    plan.tool.OnMouseMove(0, 170.0, 120.0, 1);
    plan.tool.OnLButtonUp(0, 170.0, 120.0);
    EXPECT_EQ(a->m_points[4].x, 1500.0);
}

TEST(Gesture, CreationPlacesTheNewObjectAtThePressAndAnInvalidOneLeavesWithItsStep) {
    Plan plan;
    plan.tool.m_toolMode.Set(kToolBox);
    const int before = plan.tool.GetUndoCount();
    plan.tool.OnLButtonDown(0, 10.0, 10.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 1U);
    auto* box = dynamic_cast<CTestRubberBox*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->m_pose.x, 100.0);  // the press is the new object's local origin
    EXPECT_EQ(box->m_pose.y, 100.0);
    EXPECT_EQ(plan.tool.m_nDraggedHandle, 3);
    plan.tool.OnMouseMove(0, 40.0, -20.0, 1);
    plan.tool.OnLButtonUp(0, 40.0, -20.0);
    EXPECT_EQ(box->m_points[3].x, 300.0);
    EXPECT_EQ(box->m_points[3].y, -300.0);
    EXPECT_EQ(box->m_nEditState, -1);
    EXPECT_EQ(plan.tool.m_toolMode, kToolBox);  // Caps Lock off: the tool stays
    ASSERT_EQ(plan.tool.GetUndoCount(), before + 1);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepRemoveObject);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_pObject, box);

    // A click without a drag leaves a box without area: it goes, and so does its step.
    const int count = plan.tool.GetUndoCount();
    plan.tool.OnLButtonDown(0, 100.0, 100.0);
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 2U);
    plan.tool.OnLButtonUp(0, 100.0, 100.0);
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1U);
    EXPECT_EQ(plan.host.m_pRoot->m_members.front(), box);
    // The deselection of the first box at the press stays; the placement step is gone.
    ASSERT_EQ(plan.tool.GetUndoCount(), count + 1);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepReselect);

    plan.tool.Undo();
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_pRoot->m_members.empty());
}

TEST(Gesture, CapsLockReturnsAToolToTheSelectorAfterOneUse) {
    Plan plan;
    plan.host.m_bCapsLock = true;
    plan.tool.m_toolMode.Set(kToolBox);
    plan.Drag(0, 10.0, 10.0, 40.0, 40.0);
    EXPECT_EQ(plan.tool.m_toolMode, kToolSelector);
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1U);

    plan.tool.m_toolMode.Set(kToolRotateAroundOrigin);
    plan.Drag(0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(plan.tool.m_toolMode, kToolSelector);
}

TEST(Gesture, ShiftPressesAddAndTakeSingleObjects) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 1000.0, 1000.0);
    CTestRubberBox* b = plan.AddRubberBox(3000.0, 0.0, 4000.0, 1000.0);
    a->Select();
    plan.Drag(kShift, 350.0, 50.0, 350.0, 50.0);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_TRUE(plan.Selected(b));
    plan.Drag(kShift, 50.0, 50.0, 50.0, 50.0);
    EXPECT_FALSE(plan.Selected(a));
    EXPECT_TRUE(plan.Selected(b));

    // The right button selects what it hits and marks it for the properties command.
    plan.tool.OnRButtonDown(0, 50.0, 50.0);
    EXPECT_TRUE(plan.Selected(a));
    EXPECT_FALSE(plan.Selected(b));
    EXPECT_EQ(a->m_bChanged, 1);
}

}  // namespace
