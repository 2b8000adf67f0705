#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "tests/model/TestLayout.h"

namespace {

// Pushes a lock step naming the object; the step's serial shows in its payload-free kind.
void PushLock(CTool& tool, CPaint* object, int groupStart) {
    tool.PushUndo(new CEditStep(kStepUnlock, object, groupStart));
}

// A step as the list keeps it: its kind, the objects it names and its group start.
struct StepView {
    int kind;
    CPaint* object;
    CPaint* result;
    int groupStart;
    std::vector<CPaint*> listed;
    bool operator==(const StepView&) const = default;
};

std::vector<StepView> ViewOf(const CTool& tool) {
    std::vector<StepView> steps;
    for (int i = 0; i < tool.GetUndoCount(); ++i) {
        const CEditStep* step = tool.GetUndoStep(i);
        StepView view{step->m_nKind, step->m_pObject, step->m_pResult, step->m_bGroupStart, {}};
        if (const auto* list = step->GetPayload<ObjectListPayload>())
            view.listed.assign(list->objects.begin(), list->objects.end());
        if (const auto* placements = step->GetPayload<PlacementsPayload>())
            for (const auto& placement : placements->placements) view.listed.push_back(placement.object);
        steps.push_back(std::move(view));
    }
    return steps;
}

// Commands of one to four steps naming objects of the pool, some with lists of objects.
void PushRandomCommands(CTool& tool, const std::vector<CPaint*>& pool, std::mt19937& random) {
    auto pick = [&](bool orNone) -> CPaint* {
        const auto at = random() % (pool.size() + (orNone ? 2 : 0));
        return at < pool.size() ? pool[at] : nullptr;
    };
    const int commands = 1 + static_cast<int>(random() % 20);
    for (int command = 0; command < commands; ++command) {
        const int steps = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < steps; ++i) {
            auto* step = new CEditStep(random() % 2 ? kStepLock : kStepUnlock, pick(true), i == 0 ? 1 : 0);
            step->m_pResult = pick(true);
            if (random() % 3 == 0) {
                auto list = std::make_unique<ObjectListPayload>();
                for (int n = static_cast<int>(random() % 4); n > 0; --n) list->objects.push_back(pick(false));
                step->SetPayload(std::move(list));
            } else if (random() % 3 == 0) {
                auto placements = std::make_unique<PlacementsPayload>();
                for (int n = static_cast<int>(random() % 4); n > 0; --n)
                    placements->Add(pick(false), CPose{});
                step->SetPayload(std::move(placements));
            }
            tool.PushUndo(step);
        }
    }
}

// A host that counts how often a step's group is asked for: once per owning step and sweep.
class CountingHost : public CTestHost {
  public:
    using CTestHost::CTestHost;
    CPaint* GetOwnerGroup(CPaint* object) override {
        ++m_nAsked;
        return CTestHost::GetOwnerGroup(object);
    }
    long m_nAsked = 0;
};

}  // namespace

// Deleting more objects than the list holds keeps the whole Delete and drops the placements
// before it; the steps dropped are swept out together, not once each.
TEST(UndoList, ADeletePastTheLimitSweepsTheListOnce) {
    CTool tool;
    CountingHost host(tool);
    for (int i = 0; i < 5000; ++i) TestCommands::CreateAndPlace(tool);
    tool.SelectAll(0);
    host.m_nAsked = 0;
    tool.DeleteSelection(1);
    ASSERT_EQ(tool.GetUndoCount(), 2 * 5000 + 1);
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
    EXPECT_LE(host.m_nAsked, CTool::kUndoLimit);
    // Every step left names a deleted object still waiting in its step, under the order.
    for (int i = 0; i + 1 < tool.GetUndoCount(); ++i) {
        const CEditStep* step = tool.GetUndoStep(i);
        ASSERT_TRUE(step->m_nKind == kStepReinsertObject || step->m_nKind == kStepSelect) << step->m_nKind;
        ASSERT_EQ(step->m_bGroupStart, 0);
    }
    EXPECT_EQ(tool.GetUndoStep(2 * 5000)->m_nKind, kStepRestoreOrder);
    tool.Undo();
    EXPECT_EQ(host.m_pRoot->m_members.size(), 5000u);
    EXPECT_EQ(tool.GetUndoCount(), 0);
}

// Forgetting many objects in one sweep of the list leaves the same steps, in the same order
// and with the same group starts, as forgetting them one after the other.
TEST(UndoList, ForgettingObjectsTogetherLeavesWhatForgettingEachLeaves) {
    std::vector<std::unique_ptr<CTestShape>> shapes;
    std::vector<CPaint*> pool;
    for (int i = 0; i < 10; ++i) pool.push_back(shapes.emplace_back(std::make_unique<CTestShape>()).get());
    int dropped = 0, startsMoved = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        CTool oneByOne, together;
        std::mt19937 randomA(seed), randomB(seed);
        PushRandomCommands(oneByOne, pool, randomA);
        PushRandomCommands(together, pool, randomB);
        const std::vector<StepView> before = ViewOf(together);
        ASSERT_EQ(ViewOf(oneByOne), before);
        std::vector<CPaint*> doomed = pool;
        std::shuffle(doomed.begin(), doomed.end(), randomA);
        doomed.resize(randomA() % 5);
        for (CPaint* object : doomed) oneByOne.ForgetObject(object);
        together.ForgetObjects(CFreedObjects(doomed.begin(), doomed.end()));
        const std::vector<StepView> after = ViewOf(together);
        EXPECT_EQ(ViewOf(oneByOne), after);
        dropped += static_cast<int>(before.size() - after.size());
        for (const StepView& step : after)
            startsMoved +=
                step.groupStart && std::none_of(before.begin(), before.end(), [&](const StepView& was) {
                    return was.object == step.object && was.result == step.result && was.groupStart;
                });
    }
    EXPECT_GE(dropped, 1000);
    EXPECT_GE(startsMoved, 20);
}

TEST(UndoList, TheStepPastTheLimitDropsExactlyTheOldest) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    CEditStep* oldest = tool.GetUndoStep(0);
    for (int i = 1; i < CTool::kUndoLimit; ++i) PushLock(tool, shape, 1);
    ASSERT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);
    EXPECT_EQ(tool.GetUndoStep(CTool::kUndoLimit - 1), oldest);
    CEditStep* secondOldest = tool.GetUndoStep(CTool::kUndoLimit - 2);
    PushLock(tool, shape, 1);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);
    EXPECT_EQ(tool.GetUndoStep(CTool::kUndoLimit - 1), secondOldest);
    EXPECT_EQ(tool.GetUndoStep(CTool::kUndoLimit), nullptr);
    EXPECT_TRUE(host.IsInLayout(shape));  // the dropped removal step never owned it
}

TEST(UndoList, OneUndoRunsBackThroughTheFirstGroupStartStep) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    shape->m_bLocked = 1;
    // One command: three inverse steps, the first one flagged.
    tool.PushUndo(new CEditStep(kStepUnlock, shape, 1));
    tool.PushUndo(new CEditStep(kStepDeselect, shape, 0));
    tool.PushUndo(new CEditStep(kStepSelect, shape, 0));
    const int before = tool.GetUndoCount();
    tool.Undo();
    EXPECT_EQ(tool.GetUndoCount(), before - 3);
    EXPECT_EQ(shape->m_bLocked, 0);
    EXPECT_EQ(shape->IsSelected(), 0);
    EXPECT_TRUE(host.IsInLayout(shape));
    tool.Undo();  // the placement's removal
    EXPECT_FALSE(host.IsInLayout(host.m_pRoot->m_members.empty() ? nullptr : shape));
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
    EXPECT_EQ(tool.GetUndoCount(), before - 4);
}

TEST(UndoList, ModifiedFlagFollowsTheSavedState) {
    CTool tool;
    CTestHost host(tool);

    tool.Undo();  // empty list: the flag is left alone
    EXPECT_FALSE(host.IsModified());
    host.m_bModified = TRUE;
    tool.Undo();
    EXPECT_TRUE(host.IsModified());
    host.m_bModified = FALSE;

    TestCommands::CreateAndPlace(tool);
    EXPECT_TRUE(host.IsModified());
    tool.Undo();  // back at the new document's state
    EXPECT_FALSE(host.IsModified());

    TestCommands::CreateAndPlace(tool);
    TestCommands::CreateAndPlace(tool);
    tool.MarkSaved();
    host.m_bModified = FALSE;
    tool.Undo();  // undo after a save: modified again, though steps remain
    EXPECT_TRUE(host.IsModified());
    tool.Undo();  // list empty, but the saved state had two objects
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_TRUE(host.IsModified());
}

TEST(UndoList, ModifiedFlagStaysSetWhenTheSavedStateWasDropped) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    tool.Undo();
    EXPECT_FALSE(host.IsModified());
    shape = TestCommands::CreateAndPlace(tool);
    for (int i = 0; i < CTool::kUndoLimit; ++i) PushLock(tool, shape, 1);  // drops the placement
    for (int i = 0; i < CTool::kUndoLimit; ++i) tool.Undo();
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_TRUE(host.IsModified());  // the object placed first can no longer be taken back
    EXPECT_TRUE(host.IsInLayout(shape));
}

// Pushes one command of the given number of steps naming the object, the first a group start.
void PushCommand(CTool& tool, CPaint* object, int steps) {
    for (int i = 0; i < steps; ++i) PushLock(tool, object, i == 0 ? 1 : 0);
}

TEST(UndoList, TheLimitDropsWholeGroupsOnly) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    tool.DiscardUndoSteps(1);
    // A deleted object waits with the select step of its deselection: both go together.
    CTestShape* deleted = TestCommands::CreateAndPlace(tool);
    tool.DiscardUndoSteps(1);
    TestCommands::DeleteWithUndo(tool, deleted, 1);
    tool.PushUndo(new CEditStep(kStepSelect, deleted, 0));
    PushCommand(tool, shape, 3);
    tool.MarkSaved();  // the state after the second group
    for (int i = 1; i < (CTool::kUndoLimit - 2) / 3; ++i) PushCommand(tool, shape, 3);
    ASSERT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);

    PushCommand(tool, shape, 1);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit - 1);
    EXPECT_EQ(tool.GetUndoStep(tool.GetUndoCount() - 1)->m_bGroupStart, 1);
    for (int i = 0; i < tool.GetUndoCount(); ++i) ASSERT_NE(tool.GetUndoStep(i)->m_pObject, deleted);
    PushCommand(tool, shape, 1);
    PushCommand(tool, shape, 2);  // one group of three leaves for it
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit - 1);
    EXPECT_EQ(tool.GetUndoStep(tool.GetUndoCount() - 1)->m_bGroupStart, 1);
    // The saved state lies just below the oldest group left: Undo comes back to it.
    host.m_bModified = TRUE;
    while (tool.GetUndoCount() > 0) tool.Undo();
    EXPECT_FALSE(host.IsModified());

    // A save inside a group that is dropped cannot be come back to.
    PushCommand(tool, shape, 2);
    tool.MarkSaved();
    PushLock(tool, shape, 0);
    for (int i = 0; i < CTool::kUndoLimit; ++i) PushCommand(tool, shape, 1);
    while (tool.GetUndoCount() > 0) tool.Undo();
    EXPECT_TRUE(host.IsModified());
}

// A command larger than the limit keeps every step, and one Undo takes it all back; the next
// command drops it whole.
TEST(UndoList, AGroupLargerThanTheLimitIsKeptWhole) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    PushCommand(tool, shape, 2);
    tool.MarkSaved();
    PushCommand(tool, shape, CTool::kUndoLimit + 10);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit + 10);
    EXPECT_EQ(tool.GetUndoStep(CTool::kUndoLimit + 9)->m_bGroupStart, 1);
    tool.Undo();
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_FALSE(host.IsModified());
    EXPECT_TRUE(host.IsInLayout(shape));

    PushCommand(tool, shape, CTool::kUndoLimit + 10);
    PushCommand(tool, shape, 1);
    EXPECT_EQ(tool.GetUndoCount(), 1);
    // A command that opens its group only once its steps are pushed drops the big one then.
    PushCommand(tool, shape, CTool::kUndoLimit + 10);
    tool.SelectAll(1);  // the reselect of the placed shape, then the deselect-all
    ASSERT_EQ(tool.GetUndoCount(), 2);
    EXPECT_EQ(tool.GetUndoStep(1)->m_nKind, kStepReselect);
    EXPECT_EQ(tool.GetUndoStep(1)->m_bGroupStart, 1);
}

TEST(UndoList, DiscardAndClearDeleteStepsAndTheObjectsTheyOwn) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* kept = TestCommands::CreateAndPlace(tool);
    CTestShape* deleted = TestCommands::CreateAndPlace(tool);
    TestCommands::DeleteWithUndo(tool, deleted, 1);
    EXPECT_FALSE(host.IsInLayout(deleted));
    ASSERT_EQ(tool.GetUndoCount(), 3);
    tool.DiscardUndoSteps(0);
    tool.DiscardUndoSteps(-3);
    EXPECT_EQ(tool.GetUndoCount(), 3);
    tool.DiscardUndoSteps(1);           // drops the re-insert step and the object it held
    ASSERT_EQ(tool.GetUndoCount(), 1);  // its placement step named the object too
    EXPECT_EQ(tool.GetUndoStep(0)->m_pObject, kept);
    tool.DiscardUndoSteps(10);
    EXPECT_EQ(tool.GetUndoCount(), 0);

    CTestShape* again = TestCommands::CreateAndPlace(tool);
    TestCommands::DeleteWithUndo(tool, again, 1);
    tool.ClearUndoList();
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_TRUE(host.IsInLayout(kept));
}

TEST(UndoList, UndoOfDeletesReinsertsAllObjectsInOneRun) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shapes[3];
    for (CTestShape*& shape : shapes) shape = TestCommands::CreateAndPlace(tool);
    for (int i = 0; i < 3; ++i) TestCommands::DeleteWithUndo(tool, shapes[i], i == 0 ? 1 : 0);
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
    tool.Undo();
    for (CTestShape* shape : shapes) {
        EXPECT_TRUE(host.IsInLayout(shape));
        EXPECT_EQ(shape->IsSelected(), 1);
    }
    EXPECT_EQ(tool.GetUndoCount(), 3);
}

TEST(UndoList, UndoOfGroupRestoresTheMembers) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* a = TestCommands::CreateAndPlace(tool);
    CTestShape* b = TestCommands::CreateAndPlace(tool);
    a->SelectWithUndo(0, 0);
    const int before = tool.GetUndoCount();
    CPaint* group = TestCommands::GroupSelection(tool);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(host.m_pRoot->m_members.size(), 1u);
    tool.Undo();
    EXPECT_EQ(host.m_pRoot->m_members.size(), 2u);
    EXPECT_TRUE(host.IsInLayout(a));
    EXPECT_TRUE(host.IsInLayout(b));
    EXPECT_EQ(tool.GetUndoCount(), before);
}

TEST(UndoList, AnUngroupedGroupWaitsInItsRegroupStep) {
    CTool tool;
    CTestHost host(tool);
    TestCommands::CreateAndPlace(tool);
    TestCommands::CreateAndPlace(tool)->SelectWithUndo(0, 0);
    CPaint* group = TestCommands::GroupSelection(tool);
    group->Deselect();  // grouping selected it without a step
    group->SelectWithUndo(1, 1);
    const int before = tool.GetUndoCount();
    TestCommands::UngroupWithUndo(tool, group);
    // Nothing was dropped: the regroup step holds the emptied group out of the layout.
    ASSERT_EQ(tool.GetUndoCount(), before + 1);
    EXPECT_EQ(tool.GetUndoStep(0)->m_pObject, group);
    EXPECT_TRUE(tool.GetUndoStep(0)->OwnsObject());
    EXPECT_FALSE(host.IsInLayout(group));
    while (tool.GetUndoCount() > 0) tool.Undo();
    // Every step ran back to the empty start; the group was freed by the undone Group.
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
}

TEST(UndoList, ARegroupStepDroppedAtTheLimitFreesItsGroup) {
    CTool tool;
    CTestHost host(tool);
    TestCommands::CreateAndPlace(tool)->SelectWithUndo(0, 0);
    TestCommands::CreateAndPlace(tool)->SelectWithUndo(0, 0);
    CPaint* group = TestCommands::GroupSelection(tool);
    TestCommands::UngroupWithUndo(tool, group);
    // The leak checker sees the waiting group freed with its step.
    for (int i = 0; i < CTool::kUndoLimit; ++i) TestCommands::CreateAndPlace(tool);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);
    EXPECT_EQ(host.m_pRoot->m_members.size(), CTool::kUndoLimit + 2u);
}

TEST(UndoList, ExecuteReportsFailureForUnrunnableKinds) {
    CTool tool;
    CTestHost host(tool);
    CTestShape* shape = TestCommands::CreateAndPlace(tool);
    CEditStep cut(kStepCutTrack, shape, 0);
    EXPECT_EQ(tool.Execute(&cut), 0);
    CEditStep unknown(7, shape, 0);
    EXPECT_EQ(tool.Execute(&unknown), 0);
    CEditStep lock(kStepLock, shape, 0);
    EXPECT_EQ(tool.Execute(&lock), 1);
    EXPECT_EQ(tool.Execute(&lock), 0);  // already locked
    CEditStep unlock(kStepUnlock, shape, 0);
    EXPECT_EQ(tool.Execute(&unlock), 1);
    EXPECT_EQ(tool.Execute(&unlock), 0);
    CEditStep noMaker(kStepCreateLast, nullptr, 0);
    EXPECT_EQ(tool.Execute(&noMaker), 0);
    EXPECT_EQ(noMaker.m_pObject, nullptr);
    CEditStep exitEdit(kStepExitGroupEdit, nullptr, 0);
    EXPECT_EQ(tool.Execute(&exitEdit), 0);  // only the root group is on the stack
}

TEST(UndoList, ClearingTheListKeepsTheGroupsOpenForEditing) {
    CTool tool;
    CTestHost host(tool);
    TestCommands::CreateAndPlace(tool);
    tool.ClearUndoList();
    EXPECT_EQ(tool.GetGroupEditDepth(), 1);  // the root group stays the one edited
    CGroup* group = AddToLayout(host, NewGroup(&tool));
    host.OpenGroup(group);
    PushLock(tool, group, 1);
    tool.ClearUndoList();
    EXPECT_EQ(tool.GetUndoCount(), 0);
    ASSERT_EQ(tool.GetGroupEditDepth(), 2);
    EXPECT_EQ(tool.GetCurrentGroup(), group);
    host.CloseGroup();
    EXPECT_EQ(tool.GetCurrentGroup(), host.CurrentGroup());
}
