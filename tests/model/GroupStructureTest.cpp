#include <gtest/gtest.h>

#include <set>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CGroupPropertiesDialog.h"
#include "model/CInGroupMark.h"
#include "model/CTool.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/TestLayout.h"

namespace {

// An object that answers to a class name of the layout, with catalogue fields.
class CNamedObject : public CTestBox {
  public:
    CNamedObject(CTool* tool, const char* name) : CTestBox(tool, 0, 0, 10, 10), m_name(name) {}
    CString GetClassName() override { return m_name; }
    CString m_name;
};

// A 3D object as far as groups see it.
class CMarked3D : public CNamedObject, public CInGroupMark {
  public:
    explicit CMarked3D(CTool* tool) : CNamedObject(tool, "C3D") {}
    void SetInGroup(int inGroup) override { m_bInGroup = inGroup; }
    int m_bInGroup = -1;
};

// Every object of the tree appears once and names the group that holds it.
void ExpectConsistent(CGroup* group, std::set<CPaint*>& seen) {
    for (CPaint* member : group->m_members) {
        EXPECT_TRUE(seen.insert(member).second) << "owned twice";
        EXPECT_EQ(member->m_pOwnerGroup, group);
        if (auto* inner = dynamic_cast<CGroup*>(member))
            ExpectConsistent(inner, seen);
    }
}

void ExpectConsistent(CGroup* root) {
    std::set<CPaint*> seen;
    ExpectConsistent(root, seen);
}

struct Plan : EnginePlan {
    CTestBox* AddBox() { return AddToLayout(host, new CTestBox(&tool, 0, 0, 10, 10)); }
};

}  // namespace

TEST(GroupStructure, TakeMembersKeepsOrderAndOwnsEachOnce) {
    Plan plan;
    CTestBox* c = plan.AddBox();
    CTestBox* b = plan.AddBox();
    CTestBox* a = plan.AddBox();
    auto* model = AddToLayout(plan.host, new CMarked3D(&plan.tool));
    CTestBox stranger(&plan.tool, 0, 0, 1, 1);  // no member of the root
    CGroup* group = NewGroup(&plan.tool);
    group->TakeMembers(plan.host.m_pRoot, CPaintList{a, &stranger, model, c});
    EXPECT_EQ(group->m_members, (CPaintList{a, model, c}));
    EXPECT_EQ(plan.host.m_pRoot->m_members, (CPaintList{b}));
    EXPECT_EQ(model->m_bInGroup, 1);
    group->TakeMembers(plan.host.m_pRoot, CPaintList{a});  // already its own: nothing moves
    EXPECT_EQ(group->m_members.size(), 3u);
    AddToLayout(plan.host, group);
    ExpectConsistent(plan.host.m_pRoot);

    // The root group taking a 3D object back leaves its mark alone.
    model->m_bInGroup = 7;
    plan.host.m_pRoot->TakeMembers(group, CPaintList{model});
    EXPECT_EQ(model->m_bInGroup, 7);
    ExpectConsistent(plan.host.m_pRoot);
}

TEST(GroupStructure, DissolvingKeepsPlacesAndSelectsTheMembers) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* model = AddToGroup(group, new CMarked3D(&plan.tool));
    auto* member = AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 10, 10));
    member->m_pose = CPose(10.0, 0.0, 0.0);
    group->m_pose = CPose(100.0, 0.0, kPi / 2.0);
    plan.AddBox();
    EXPECT_EQ(group->DissolveInto(plan.host.m_pRoot), 1);
    EXPECT_TRUE(group->m_members.empty());
    EXPECT_NEAR(member->m_pose.x, 100.0, 1e-6);
    EXPECT_NEAR(member->m_pose.y, 10.0, 1e-6);
    EXPECT_NEAR(member->m_pose.angle, kPi / 2.0, 1e-12);
    EXPECT_EQ(member->IsSelected(), 1);
    EXPECT_EQ(plan.host.m_pRoot->m_members.front(), member);
    EXPECT_EQ(model->m_bInGroup, 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
    plan.host.m_pRoot->m_members.remove(group);
    delete group;  // dissolved: it takes nothing with it
    ExpectConsistent(plan.host.m_pRoot);
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 3u);
}

TEST(GroupStructure, TheFirst3DMemberIsMarkedWhileItsGroupIsClosed) {
    Plan plan;
    // A group holding a 3D object one level down, beside a box.
    CGroup* inner = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* model = AddToGroup(inner, new CMarked3D(&plan.tool));
    CTestBox* box = plan.AddBox();
    inner->Select();
    box->Select();
    ASSERT_EQ(plan.tool.GroupSelection(1), 1);
    EXPECT_EQ(model->m_bInGroup, 1);  // Group marks the 3D member it finds, at any depth

    auto* outer = dynamic_cast<CGroup*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(outer, nullptr);
    ASSERT_EQ(plan.tool.EnterGroupEdit(1), 1);
    EXPECT_EQ(model->m_bInGroup, 0);  // open: its 3D member stands on its own
    ASSERT_EQ(plan.tool.ExitGroupEdit(1), 1);
    EXPECT_EQ(model->m_bInGroup, 1);
    plan.tool.Undo();  // back into the group
    EXPECT_TRUE(outer->m_bBeingEdited);
    EXPECT_EQ(model->m_bInGroup, 0);
    plan.tool.Undo();  // and out again
    EXPECT_FALSE(outer->m_bBeingEdited);
    EXPECT_EQ(model->m_bInGroup, 1);
}

TEST(GroupStructure, ClonesAreDeepWithTheSameOrder) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    CTestBox* back = AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 5, 5));
    CGroup* inner = AddToGroup(group, NewGroup(&plan.tool));
    AddToGroup(inner, new CTestBox(&plan.tool, 0, 0, 1, 1));
    AddToGroup(inner, new CTestBox(&plan.tool, 0, 0, 2, 2));
    group->m_nPriceMode = CGroup::kPriceFixed;
    group->m_nExtraFlag = 5;
    back->m_strName = "back";

    auto* copy = dynamic_cast<CGroup*>(group->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_nPriceMode, CGroup::kPriceFixed);
    EXPECT_EQ(copy->m_nExtraFlag, 1);  // not copied
    ASSERT_EQ(copy->m_members.size(), 2u);
    EXPECT_NE(copy->m_members.back(), back);
    EXPECT_EQ(copy->m_members.back()->m_strName, "back");
    auto* innerCopy = dynamic_cast<CGroup*>(copy->m_members.front());
    ASSERT_NE(innerCopy, nullptr);
    ASSERT_EQ(innerCopy->m_members.size(), 2u);
    EXPECT_EQ(innerCopy->m_members.front()->m_points[3].x, 2.0);
    EXPECT_EQ(innerCopy->m_members.back()->m_points[3].x, 1.0);
    EXPECT_EQ(innerCopy->m_members.front()->m_pTool, &plan.tool);
    std::set<CPaint*> seen;
    ExpectConsistent(copy, seen);
    ExpectConsistent(plan.host.m_pRoot, seen);  // no object is in both trees

    AddToLayout(plan.host, copy);
    plan.host.m_pRoot->m_members.remove(group);
    group->ReleaseData();
    EXPECT_TRUE(group->m_members.empty());
    delete group;
    ExpectConsistent(plan.host.m_pRoot);
}

TEST(GroupStructure, DestroyingAGroupDropsTheStepsOfItsMembers) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    CTestBox* member = AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 5, 5));
    member->SelectWithUndo(1, 1);
    plan.AddBox()->SelectWithUndo(1, 1);
    EXPECT_EQ(plan.tool.GetUndoCount(), 2);
    plan.host.m_pRoot->m_members.remove(group);
    delete group;
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);  // the member's step went with it
    EXPECT_EQ(plan.host.m_selection.size(), 1u);
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_selection.empty());
}

TEST(GroupStructure, ANewGroupTakesTheScaleOfItsLastTrack) {
    Plan plan;
    CGroup* group = NewGroup(&plan.tool);
    EXPECT_EQ(group->GetScaleIndexForNewGroup(), FindScale("HO"));  // the default track's
    auto add = [&](const char* name, const char* scale) {
        auto* object = AddToGroup(group, new CNamedObject(&plan.tool, name));
        object->m_strScale = scale;
    };
    add("CBox", "G");
    add("CBox", "O");
    EXPECT_EQ(group->GetScaleIndexForNewGroup(), FindScale("O"));  // boxes: the head box
    group->ReleaseData();
    add("CTrack", "XX");  // no scale of the table: passed over
    add("CArcTrack", "Z");
    add("CTrack", "N");
    add("CBox", "S");
    EXPECT_EQ(group->GetScaleIndexForNewGroup(), FindScale("Z"));
    group->ReleaseData();
    add("CBox", "unknown");
    EXPECT_EQ(group->GetScaleIndexForNewGroup(), FindScale("HO"));
    delete group;
}

TEST(GroupStructure, ReportPricesFollowTheCategoryMask) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto priced = [&](CGroup* into, const char* category, double price) {
        CTestBox* object = AddToGroup(into, new CTestBox(&plan.tool, 0, 0, 1, 1));
        object->m_strCategory = category;
        object->m_fPrice = price;
        object->m_bShowInReport = 1;
        return object;
    };
    priced(group, "Track", 10.0);
    priced(group, "Structures", 25.0);
    EXPECT_EQ(group->GetReportPrice(1), 10.0);
    EXPECT_EQ(group->GetReportPrice(5), 35.0);
    EXPECT_EQ(group->GetReportPrice(0), 0.0);

    CGroup* nested = AddToGroup(group, NewGroup(&plan.tool));
    nested->m_strCategory = "Scenery";
    priced(nested, "Scenery", 3.0);
    priced(nested, "Track", 4.0);
    EXPECT_EQ(group->GetReportPrice(3), 17.0);
    EXPECT_EQ(nested->m_nReportMask, 3);

    group->m_nPriceMode = CGroup::kPriceFixed;
    group->m_fPrice = 99.0;
    EXPECT_EQ(group->GetReportPrice(1), 99.0);
    group->m_bShowInReport = 0;
    EXPECT_EQ(group->GetReportPrice(1), 0.0);
}

namespace {

// The group properties dialog as a test scripts it.
class CScriptedGroupDialog : public CGroupPropertiesDialog {
  public:
    struct Script {
        int answer = kResultOk;
        int mode = 0;
        const char* scale = "N";
        int useBorder = 0;
        int elevationsApplied = 0;
        int multiple = -1;
    };
    explicit CScriptedGroupDialog(Script& script) : m_script(script) {}
    void SetObject(CGroup* group, const CPose*, BOOL multiple) override {
        m_working.reset(dynamic_cast<CGroup*>(group->Clone()));
        m_script.multiple = multiple;
    }
    void FindElevation() override {}
    int DoModal() override { return m_script.answer; }
    std::unique_ptr<CGroup> TakeResult(int& mode) override {
        mode = m_script.mode;
        std::unique_ptr<CGroup> result(dynamic_cast<CGroup*>(m_working->Clone()));
        result->m_strScale = m_script.scale;
        result->m_bUseBorder = m_script.useBorder;
        return result;
    }
    void ApplyElevation() override { ++m_script.elevationsApplied; }
    ~CScriptedGroupDialog() override {
        if (m_working != nullptr)
            m_working->ReleaseData();
    }
    Script& m_script;
    std::unique_ptr<CGroup> m_working;
};

struct GroupDialogScript {
    GroupDialogScript() {
        RegisterGroupPropertiesDialog([this] { return std::make_unique<CScriptedGroupDialog>(script); });
    }
    ~GroupDialogScript() { RegisterGroupPropertiesDialog({}); }
    CScriptedGroupDialog::Script script;
};

// A member that records the rescale factors it is given.
class CRescaleRecorder : public CTestBox {
  public:
    using CTestBox::CTestBox;
    int Rescale(CEditStep* step) override {
        m_factors.push_back(step->GetPayload<RescalePayload>()->factor);
        return 1;
    }
    std::vector<double> m_factors;
};

}  // namespace

TEST(GroupStructure, PropertiesDialogChangesScaleAndSettings) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    auto* member = AddToGroup(group, new CRescaleRecorder(&plan.tool, 0, 0, 100, 50));
    group->RecalcFrame();
    const CPose click;
    EXPECT_EQ(group->EditProperties(&click), 0);  // no dialog
    {
        GroupDialogScript dialog;
        dialog.script.answer = 0;
        EXPECT_EQ(group->EditProperties(&click), 0);  // Cancel
        EXPECT_EQ(group->m_bUseBorder, 1);
        EXPECT_FALSE(plan.host.m_bModified);

        dialog.script.answer = CGroupPropertiesDialog::kResultOk;
        EXPECT_EQ(group->EditProperties(&click), 1);
        EXPECT_EQ(dialog.script.multiple, 1);  // nothing selected: not exactly one
        EXPECT_EQ(group->m_bUseBorder, 0);
        EXPECT_EQ(group->m_strScale, "N");
        EXPECT_EQ(member->m_strScale, "N");
        ASSERT_EQ(member->m_factors.size(), 1u);
        EXPECT_NEAR(member->m_factors[0], 87.1 / 160.0, 1e-12);
        EXPECT_EQ(dialog.script.elevationsApplied, 1);
        EXPECT_EQ(plan.host.m_propertyFlags[kDiffersBorder], 1);
        // No undo step, yet the layout is marked changed so closing it asks to save.
        EXPECT_TRUE(plan.host.m_bModified);

        // A scale that is no name of the table changes nothing of the scale.
        dialog.script.scale = "Q";
        EXPECT_EQ(group->EditProperties(&click), 1);
        EXPECT_EQ(member->m_strScale, "N");
        EXPECT_EQ(member->m_factors.size(), 1u);
    }
}

// The group's properties record no undo step: an Undo of the move made before them leaves the
// layout changed, so that closing it still asks to save.
TEST(GroupStructure, PropertiesKeepTheLayoutChangedThroughAnUndoOfTheCommandBefore) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 100, 50));
    group->RecalcFrame();
    CTestBox* box = plan.AddBox();
    plan.tool.MarkSaved();
    box->Select();
    plan.tool.MoveSelection(5.0, 0.0, 0, 1, 1);
    GroupDialogScript dialog;
    dialog.script.answer = CGroupPropertiesDialog::kResultOk;
    const CPose click;
    ASSERT_EQ(group->EditProperties(&click), 1);
    ASSERT_EQ(group->m_strScale, "N");
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_bModified);
}

TEST(GroupStructure, StylesReachSelectedMembersAtEveryDepth) {
    Plan plan;
    CGroup* group = AddToLayout(plan.host, NewGroup(&plan.tool));
    CTestBox* inside = AddToGroup(group, new CTestBox(&plan.tool, 0, 0, 1, 1));
    CTestBox* other = plan.AddBox();
    group->Select();
    CGroup pattern;
    pattern.m_strScale = "Z";
    pattern.m_bUseBorder = 0;
    pattern.m_pen.color = RGB(9, 9, 9);
    plan.host.m_pRoot->ApplyStyle(nullptr, &pattern, 1);
    EXPECT_EQ(inside->m_strScale, "Z");
    EXPECT_EQ(group->m_bUseBorder, 0);
    EXPECT_EQ(other->m_strScale, "HO");  // not selected

    CTestBox box(&plan.tool, 0, 0, 1, 1);  // a template that is no group
    group->m_bUseBorder = 1;
    group->ApplyStyle(nullptr, &box, 2);
    EXPECT_EQ(group->m_bUseBorder, 1);
}
