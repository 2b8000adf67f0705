#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/ObjectFactory.h"
#include "model/Units.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

struct Plan : EnginePlan {
    CMemberList& Members() { return host.CurrentGroup()->m_members; }
};

// A shape whose copies fail as they are moved into place, as one that runs out of memory.
class CFailingCopy : public CTestShape {
  public:
    using CTestShape::CTestShape;
    CPaint* Clone() override {
        auto* copy = new CFailingCopy(m_pTool);
        copy->CopyFrom(this);
        copy->m_bFails = true;
        return copy;
    }
    void MoveFromSavedPose(double dx, double dy, int fromSaved) override {
        if (m_bFails)
            throw std::runtime_error("no memory for the copy");
        CTestShape::MoveFromSavedPose(dx, dy, fromSaved);
    }
    bool m_bFails = false;
};

// Whether a step that starts an undo group refreshes the status texts after it runs.
bool StatusRefreshedAfterStep(Plan& plan, CPaint* object) {
    const int shows = plan.host.m_nStatusShows;
    CEditStep lock(kStepLock, object, 1);
    plan.tool.Execute(&lock);
    CEditStep unlock(kStepUnlock, object, 1);
    plan.tool.Execute(&unlock);
    return plan.host.m_nStatusShows == shows + 2;
}

TEST(EditCommand, UngroupThenTwoUndosTakeBackTheGroupToo) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(500.0, 0.0, 600.0, 100.0);
    EXPECT_EQ(plan.tool.GroupSelection(1), 0);
    EXPECT_EQ(plan.host.m_messages.back(), "No objects are selected");
    a->Select();
    b->Select();
    EXPECT_EQ(plan.tool.GroupSelection(1), 1);
    ASSERT_EQ(plan.Members().size(), 1U);
    auto* group = dynamic_cast<CGroup*>(plan.Members().front());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->m_members, (CPaintList{b, a}));
    EXPECT_EQ(group->m_pose.x, 0.0);
    EXPECT_EQ(group->m_pose.angle, 0.0);
    EXPECT_TRUE(group->IsSelected());

    EXPECT_EQ(plan.tool.UngroupSelection(1), 1);
    EXPECT_EQ(plan.Members().size(), 2U);
    EXPECT_TRUE(a->IsSelected());
    plan.tool.Undo();  // the same group comes back with its members
    ASSERT_EQ(plan.Members().size(), 1U);
    EXPECT_EQ(plan.Members().front(), group);
    EXPECT_EQ(group->m_members, (CPaintList{b, a}));
    plan.tool.Undo();  // and the first Group is taken back too
    EXPECT_EQ(plan.Members().size(), 2U);
    EXPECT_TRUE(plan.host.IsInLayout(a));
    EXPECT_TRUE(plan.host.IsInLayout(b));
    for (int i = 0; i < plan.tool.GetUndoCount(); ++i)
        EXPECT_NE(plan.tool.GetUndoStep(i)->m_pObject, static_cast<CPaint*>(group));

    // Group, then Undo: the members stand in the current group again.
    plan.tool.DeselectAll(0, 0);
    a->Select();
    b->Select();
    plan.tool.GroupSelection(1);
    plan.tool.Undo();
    EXPECT_EQ(plan.Members().size(), 2U);
    EXPECT_EQ(plan.tool.UngroupSelection(1), 0);
    EXPECT_EQ(plan.host.m_messages.back(), "No groups are selected");
}

TEST(EditCommand, UngroupOfTwoGroupsIsOneUndo) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(500.0, 0.0, 600.0, 100.0);
    a->Select();
    plan.tool.GroupSelection(0);
    plan.tool.DeselectAll(0, 0);
    b->Select();
    plan.tool.GroupSelection(0);
    plan.tool.SelectAll(0);
    EXPECT_EQ(plan.tool.UngroupSelection(1), 1);
    EXPECT_EQ(plan.Members().size(), 2U);
    plan.tool.Undo();
    ASSERT_EQ(plan.Members().size(), 2U);
    for (CPaint* member : plan.Members()) EXPECT_EQ(member->GetClassName(), "CGroup");
}

TEST(EditCommand, LockAndUnlockAreUndoneOneObjectPerRun) {
    Plan plan;
    std::vector<CTestRubberBox*> boxes;
    for (int i = 0; i < 3; ++i) boxes.push_back(plan.AddRubberBox(i * 500.0, 0.0, i * 500.0 + 100.0, 100.0));
    plan.tool.SelectAll(0);
    plan.tool.LockSelection(1);
    for (CTestRubberBox* box : boxes) EXPECT_EQ(box->m_bLocked, 1);
    EXPECT_EQ(plan.tool.GetUndoCount(), 3);
    plan.tool.Undo();
    int locked = 0;
    for (CTestRubberBox* box : boxes) locked += box->m_bLocked;
    EXPECT_EQ(locked, 2);
    plan.tool.Undo();
    plan.tool.Undo();
    for (CTestRubberBox* box : boxes) EXPECT_EQ(box->m_bLocked, 0);

    plan.tool.LockSelection(0);
    plan.tool.UnlockSelection(1);
    plan.tool.Undo();
    locked = 0;
    for (CTestRubberBox* box : boxes) locked += box->m_bLocked;
    EXPECT_EQ(locked, 1);
}

TEST(EditCommand, StackingOrderMarksTheDocumentModifiedAndUndoes) {
    Plan plan;
    CTestRubberBox* s = plan.AddRubberBox(0.0, 0.0, 10.0, 10.0);
    CTestRubberBox* r = plan.AddRubberBox(0.0, 0.0, 10.0, 10.0);
    CTestRubberBox* q = plan.AddRubberBox(0.0, 0.0, 10.0, 10.0);
    CTestRubberBox* p = plan.AddRubberBox(0.0, 0.0, 10.0, 10.0);
    ASSERT_EQ(plan.Members(), (CPaintList{p, q, r, s}));
    p->Select();
    r->Select();
    plan.tool.SendToBack();
    EXPECT_EQ(plan.Members(), (CPaintList{q, s, r, p}));
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(plan.Members(), (CPaintList{p, q, r, s}));
    EXPECT_FALSE(plan.host.m_bModified);

    plan.tool.BringToFront();
    EXPECT_EQ(plan.Members(), (CPaintList{r, p, q, s}));
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(plan.Members(), (CPaintList{p, q, r, s}));

    // Nothing selected: the order stays and nothing is recorded.
    plan.tool.DeselectAll(0, 0);
    plan.tool.BringToFront();
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(EditCommand, CopyPasteCutAndDuplicateAreUndoneExactly) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 200.0, 100.0);
    a->Select();
    plan.tool.CopySelection();
    ASSERT_EQ(plan.host.m_clipboard.size(), 1U);
    EXPECT_EQ(plan.host.m_clipboard.front()->m_pTool, nullptr);

    plan.tool.Paste();  // no plan view: nothing pasted, the deselection stays
    EXPECT_EQ(plan.Members().size(), 1U);
    EXPECT_FALSE(a->IsSelected());

    plan.host.m_nScrollWidth = 1000;
    plan.host.m_nViewCentreX = 100;  // layout (1000, 1000)
    plan.host.m_nViewCentreY = 100;
    plan.tool.Paste();
    ASSERT_EQ(plan.Members().size(), 2U);
    CPaint* pasted = plan.Members().front();
    EXPECT_NE(pasted, a);
    EXPECT_EQ(pasted->m_pose.x, 900.0);  // the copy's centre lands on the view centre
    EXPECT_EQ(pasted->m_pose.y, 950.0);
    EXPECT_TRUE(pasted->IsSelected());
    plan.tool.Undo();
    EXPECT_EQ(plan.Members(), CPaintList{a});
    EXPECT_EQ(plan.host.m_clipboard.size(), 1U);  // the clipboard pastes again

    a->Select();
    plan.tool.DuplicateSelection();
    ASSERT_EQ(plan.Members().size(), 2U);
    CPaint* copy = plan.Members().front();
    EXPECT_EQ(copy->m_pose.x, 1270.0);  // 127 device units right and 127 down
    EXPECT_EQ(copy->m_pose.y, -1270.0);
    EXPECT_TRUE(copy->IsSelected());
    EXPECT_FALSE(a->IsSelected());
    plan.tool.Undo();
    EXPECT_EQ(plan.Members(), CPaintList{a});

    a->Select();
    plan.tool.Cut();
    EXPECT_TRUE(plan.Members().empty());
    EXPECT_EQ(plan.host.m_clipboard.size(), 1U);
    plan.tool.Undo();
    EXPECT_EQ(plan.Members(), CPaintList{a});
    EXPECT_TRUE(a->IsSelected());
    EXPECT_EQ(a->m_pose.x, 0.0);
    EXPECT_EQ(a->m_pose.y, 0.0);
}

TEST(EditCommand, ACopyThatFailsInPasteOrDuplicateLeavesTheStatusRefreshOn) {
    {
        Plan plan;
        auto* shape = AddToLayout(plan.host, new CFailingCopy(&plan.tool));
        ASSERT_TRUE(StatusRefreshedAfterStep(plan, shape));
        plan.host.m_nScrollWidth = 1000;
        shape->Select();
        plan.tool.CopySelection();
        EXPECT_THROW(plan.tool.Paste(), std::runtime_error);
        EXPECT_TRUE(StatusRefreshedAfterStep(plan, shape));
    }
    Plan plan;
    auto* shape = AddToLayout(plan.host, new CFailingCopy(&plan.tool));
    shape->Select();
    EXPECT_THROW(plan.tool.DuplicateSelection(), std::runtime_error);
    EXPECT_TRUE(StatusRefreshedAfterStep(plan, shape));
}

TEST(EditCommand, DuplicateOfThreeIsOneUndoAndLeavesEarlierCommandsAlone) {
    Plan plan;
    std::vector<CTestRubberBox*> boxes;
    for (int i = 0; i < 3; ++i) boxes.push_back(plan.AddRubberBox(i * 500.0, 0.0, i * 500.0 + 100.0, 100.0));
    const CPaintList order = plan.Members();
    boxes[0]->Select();
    plan.tool.DeleteSelection(1);  // an earlier command that must survive the duplicate's undo
    ASSERT_EQ(plan.Members().size(), 2U);
    const int undoBefore = plan.tool.GetUndoCount();

    plan.tool.SelectAll(0);
    plan.tool.DuplicateSelection();
    EXPECT_EQ(plan.Members().size(), 4U);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 2);

    plan.tool.Undo();
    EXPECT_EQ(plan.Members().size(), 2U);
    EXPECT_EQ(plan.tool.GetUndoCount(), undoBefore);
    EXPECT_TRUE(boxes[1]->IsSelected());
    EXPECT_TRUE(boxes[2]->IsSelected());

    plan.tool.Undo();  // now the delete
    EXPECT_EQ(plan.Members().size(), 3U);
}

TEST(EditCommand, DeleteOfThreeIsOneUndoAndRestoresTheSelection) {
    Plan plan;
    std::vector<CTestRubberBox*> boxes;
    for (int i = 0; i < 3; ++i) boxes.push_back(plan.AddRubberBox(i * 500.0, 0.0, i * 500.0 + 100.0, 100.0));
    const CPaintList order = plan.Members();
    plan.tool.SelectAll(0);
    plan.tool.DeleteSelection(1);
    EXPECT_TRUE(plan.Members().empty());
    EXPECT_EQ(plan.tool.GetSelectedCount(), 0);
    plan.tool.Undo();
    EXPECT_EQ(plan.Members().size(), 3U);
    EXPECT_EQ(plan.tool.GetSelectedCount(), 3);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);

    plan.tool.DeleteSelection(0);  // without recording the objects are destroyed
    EXPECT_TRUE(plan.Members().empty());
}

TEST(EditCommand, FlipsMirrorAboutTheExtentCentreAndUndoFlipsBack) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(300.0, 0.0, 400.0, 200.0);
    a->Select();
    b->Select();
    // As the plan view runs it: mirrored and recorded at once.
    EXPECT_EQ(plan.tool.FlipHorizontal(1), 1);
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    a->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 300.0, 1e-6);
    EXPECT_NEAR(maxX, 400.0, 1e-6);
    plan.tool.Undo();
    a->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 0.0, 1e-6);
    EXPECT_NEAR(maxX, 100.0, 1e-6);

    plan.tool.FlipVertical(0);
    b->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minY, 0.0, 1e-6);
    EXPECT_NEAR(maxY, 200.0, 1e-6);
    a->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minY, 100.0, 1e-6);
    EXPECT_NEAR(maxY, 200.0, 1e-6);
    EXPECT_TRUE(plan.host.m_messages.empty());
}

TEST(EditCommand, FixedRotationsTurnAboutTheExtentCentreAndUndo) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 200.0, 100.0);
    a->Select();
    EXPECT_EQ(plan.tool.RotateSelection(kPi * 0.5, nullptr, 1, 1, 1), 1);
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    a->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 50.0, 1e-6);
    EXPECT_NEAR(maxX, 150.0, 1e-6);
    EXPECT_NEAR(minY, -50.0, 1e-6);
    EXPECT_NEAR(maxY, 150.0, 1e-6);
    plan.tool.Undo();
    a->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 0.0, 1e-6);
    EXPECT_NEAR(maxY, 100.0, 1e-6);

    plan.tool.RotateSelection(kPi, nullptr, 1, 1, 1);
    EXPECT_NEAR(a->m_pose.x, 200.0, 1e-6);
    EXPECT_NEAR(a->m_pose.y, 100.0, 1e-6);
    plan.tool.Undo();
    EXPECT_NEAR(a->m_pose.x, 0.0, 1e-6);
}

TEST(EditCommand, GroupEditOpensAndClosesAGroup) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(500.0, 0.0, 600.0, 100.0);
    EXPECT_EQ(plan.tool.EnterGroupEdit(1), 0);
    EXPECT_EQ(plan.host.m_messages.back(), "No groups are selected");
    a->Select();
    b->Select();
    plan.tool.GroupSelection(0);
    CGroup* group = plan.host.CurrentGroup();
    auto* made = dynamic_cast<CGroup*>(plan.Members().front());
    ASSERT_NE(made, nullptr);

    EXPECT_EQ(plan.tool.EnterGroupEdit(1), 1);
    EXPECT_EQ(plan.tool.GetCurrentGroup(), made);
    EXPECT_EQ(plan.tool.GetGroupEditDepth(), 2);
    EXPECT_EQ(made->m_bBeingEdited, 1);
    EXPECT_FALSE(made->IsSelected());
    plan.tool.SelectAll(0);  // works on the open group's members
    EXPECT_EQ(plan.tool.GetSelectedCount(), 2);
    plan.tool.DeselectAll(0, 0);

    plan.tool.Undo();  // one run closes the group and selects it again
    EXPECT_EQ(plan.tool.GetCurrentGroup(), group);
    EXPECT_EQ(made->m_bBeingEdited, 0);
    EXPECT_TRUE(made->IsSelected());

    plan.tool.EnterGroupEdit(0);
    EXPECT_EQ(plan.tool.ExitGroupEdit(1), 1);
    EXPECT_EQ(plan.tool.GetCurrentGroup(), group);
    EXPECT_TRUE(made->IsSelected());
    plan.tool.Undo();  // back inside
    EXPECT_EQ(plan.tool.GetCurrentGroup(), made);
    plan.tool.ExitGroupEdit(0);

    const int count = plan.tool.GetUndoCount();
    plan.tool.ExitGroupEdit(1);
    EXPECT_EQ(plan.host.m_messages.back(), "No groups are edited.");
    EXPECT_EQ(plan.tool.GetUndoCount(), count);
}

TEST(EditCommand, LayerFilterZeroMeansLayerZero) {
    Plan plan;
    CTestRubberBox* a = plan.AddRubberBox(0.0, 0.0, 100.0, 100.0);
    CTestRubberBox* b = plan.AddRubberBox(500.0, 0.0, 600.0, 100.0);
    b->SetLayer(3);
    a->Select();
    b->Select();
    plan.tool.ExecuteDeselect(0);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    plan.tool.ExecuteDeselect(CTool::kAllLayers);
    EXPECT_FALSE(b->IsSelected());
}

TEST(EditCommand, FactoryTablesMapToolsToKindsAndClasses) {
    EXPECT_EQ(GetCreateKindForTool(kToolLine), 11);
    EXPECT_EQ(GetCreateKindForTool(kToolSplineTrack), 25);
    EXPECT_EQ(GetCreateKindForTool(kToolConnectSpline), 25);  // both make a spline track
    EXPECT_EQ(GetCreateKindForTool(kToolWizardLabel), 34);
    EXPECT_EQ(GetCreateKindForTool(kToolZoomIn), 0);
    EXPECT_EQ(GetCreateKindForTool(kToolSelector), 0);
    EXPECT_STREQ(GetClassNameForKind(20), "CArc");
    EXPECT_STREQ(GetClassNameForKind(21), "CArc");
    EXPECT_STREQ(GetClassNameForKind(22), "CTrack");
    EXPECT_STREQ(GetClassNameForKind(28), "CMount");
    EXPECT_STREQ(GetClassNameForKind(35), "");
}

}  // namespace
