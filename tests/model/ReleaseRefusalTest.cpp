#include <gtest/gtest.h>

#include <vector>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

// A box that refuses every edit a release ends, as a self-crossing outline does, and takes
// its edit back.
class CRefusingBox : public CTestBox {
  public:
    using CTestBox::CTestBox;
    int FinishCreate(const CPose* pose, int handle) override {
        CTestBox::FinishCreate(pose, handle);
        m_bTakenBack = m_pTool->TakeBackGesture();
        return 1;
    }
    bool m_bTakenBack = false;
};

// A box whose end of an edit frees another object of the layout, and that logs every end.
class CFreeingBox : public CTestBox {
  public:
    CFreeingBox(CTool* tool, std::vector<CPaint*>& ends) : CTestBox(tool, 0.0, 0.0, 1000.0, 1000.0), m_ends(ends) {}
    int FinishCreate(const CPose* pose, int handle) override {
        m_ends.push_back(this);
        if (m_pVictim != nullptr) {
            m_pTool->DetachObject(m_pVictim);
            delete m_pVictim;
            m_pVictim = nullptr;
        }
        return CTestBox::FinishCreate(pose, handle);
    }
    CPaint* m_pVictim = nullptr;

  private:
    std::vector<CPaint*>& m_ends;
};

// An engine without a window at the starting zoom: one device unit is ten layout units.
struct Plan : EnginePlan {
    void Drag(double x0, double y0, double x1, double y1) {
        tool.OnLButtonDown(0, x0, y0);
        tool.OnMouseMove(0, x1, y1, 1);
        tool.OnLButtonUp(0, x1, y1);
    }
    void Click(double x, double y) {
        tool.OnLButtonDown(0, x, y);
        tool.OnLButtonUp(0, x, y);
    }
};

}  // namespace

TEST(ReleaseRefusal, ARefusedEditTakesBackItsOwnGestureAndNothingOlder) {
    Plan plan;
    auto* box = AddToLayout(plan.host, new CRefusingBox(&plan.tool, 0.0, 0.0, 1000.0, 1000.0));
    box->Select();

    // The move is the gesture's own group: it is undone, the layout and the list as before.
    const int before = plan.tool.GetUndoCount();
    plan.Drag(50.0, 50.0, 80.0, 60.0);
    EXPECT_TRUE(box->m_bTakenBack);
    EXPECT_EQ(box->m_pose.x, 0.0);
    EXPECT_EQ(box->m_pose.y, 0.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), before);

    // A nudge by the keys, then a click that pushes nothing: the nudge is not the click's.
    plan.tool.MoveSelection(100.0, 0.0, 1, 1, 1);
    const int nudged = plan.tool.GetUndoCount();
    plan.Click(60.0, 50.0);
    EXPECT_FALSE(box->m_bTakenBack);
    EXPECT_EQ(box->m_pose.x, 100.0);
    EXPECT_EQ(plan.tool.GetUndoCount(), nudged);

    // Outside a release nothing is taken back either.
    box->m_bTakenBack = true;
    EXPECT_EQ(box->FinishCreate(nullptr, 0), 1);
    EXPECT_FALSE(box->m_bTakenBack);
    EXPECT_EQ(plan.tool.GetUndoCount(), nudged);
    EXPECT_EQ(box->m_pose.x, 100.0);

    // A gesture that brought an object into the layout is not undone: that would free it.
    plan.tool.m_toolMode.Set(kToolSelector);
    plan.tool.OnLButtonDown(0, 60.0, 50.0);
    auto* placed = new CTestBox(&plan.tool, 0.0, 0.0, 100.0, 100.0);
    placed->SetOwnerGroup(plan.host.CurrentGroup());
    ASSERT_TRUE(plan.tool.AddObjectWithUndo(placed, 1, 1));
    plan.tool.OnLButtonUp(0, 60.0, 50.0);
    EXPECT_FALSE(box->m_bTakenBack);
    EXPECT_TRUE(plan.host.IsInLayout(placed));
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_pObject, placed);
}

TEST(ReleaseRefusal, TheReleaseNeverEndsAnObjectThatAnotherEndFreed) {
    Plan plan;
    std::vector<CPaint*> ends;
    auto* victim = AddToLayout(plan.host, new CFreeingBox(&plan.tool, ends));
    auto* freeing = AddToLayout(plan.host, new CFreeingBox(&plan.tool, ends));
    freeing->m_pVictim = victim;
    victim->Select();
    freeing->Select();

    plan.Drag(50.0, 50.0, 70.0, 50.0);
    EXPECT_EQ(ends, std::vector<CPaint*>{freeing});
    EXPECT_EQ(plan.host.CurrentGroup()->m_members.size(), 1u);
    EXPECT_EQ(freeing->m_pose.x, 200.0);
    EXPECT_EQ(freeing->GetEditState(), -1);
}
