#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "tests/model/TestLayout.h"

namespace {

void CollectWithMembers(CPaint* object, std::set<CPaint*>& into) {
    into.insert(object);
    if (auto* group = dynamic_cast<CGroup*>(object))
        for (CPaint* member : group->m_members) CollectWithMembers(member, into);
}

// Every step left on the undo list may only name objects that still exist: the layout's,
// or those a re-insert step holds out of the layout (whose group must still exist).
void ExpectStepsNameLiveObjects(CTool& tool, CTestHost& host) {
    std::set<CPaint*> live;
    CollectWithMembers(host.m_pRoot, live);
    const std::set<CPaint*> inLayout = live;
    for (int i = 0; i < tool.GetUndoCount(); ++i)
        if (tool.GetUndoStep(i)->OwnsObject())
            CollectWithMembers(tool.GetUndoStep(i)->m_pObject, live);
    auto isLive = [&](CPaint* p) { return live.count(p) != 0; };
    auto isInLayout = [&](CPaint* p) { return inLayout.count(p) != 0; };
    for (int i = 0; i < tool.GetUndoCount(); ++i) {
        CEditStep* step = tool.GetUndoStep(i);
        if (step->OwnsObject()) {
            ASSERT_FALSE(isInLayout(step->m_pObject)) << "step " << i;
            ASSERT_TRUE(isLive(host.GetOwnerGroup(step->m_pObject))) << "step " << i;
            continue;
        }
        if (step->m_pObject != nullptr) {
            ASSERT_TRUE(isLive(step->m_pObject)) << "step " << i;
        }
        if (step->m_pResult != nullptr) {
            ASSERT_TRUE(isLive(step->m_pResult)) << "step " << i;
        }
        if (auto* list = step->GetPayload<ObjectListPayload>()) {
            for (CPaint* object : list->objects) ASSERT_TRUE(isLive(object)) << "step " << i;
        }
    }
    for (CPaint* selected : host.m_selection) {
        ASSERT_TRUE(isLive(selected));
    }
}

CPaint* PickMember(CTestHost& host, std::mt19937& random) {
    const CPaintList& members = host.m_pRoot->m_members;
    if (members.empty())
        return nullptr;
    auto at = members.begin();
    std::advance(at, static_cast<long>(random() % members.size()));
    return *at;
}

}  // namespace

TEST(UndoScenario, LongEditingSessionsNeverReachADestroyedObject) {
    for (unsigned seed : {1u, 2u, 3u}) {
        CTool tool;
        CTestHost host(tool);
        std::mt19937 random(seed);
        int peak = 0;
        for (int operation = 0; operation < 30000; ++operation) {
            const unsigned choice = random() % 100;
            if (choice < 35) {
                TestCommands::CreateAndPlace(tool);
            } else if (choice < 50) {
                if (CPaint* victim = PickMember(host, random))
                    TestCommands::DeleteWithUndo(tool, victim, 1);
            } else if (choice < 58) {
                if (CPaint* member = PickMember(host, random))
                    member->SelectWithUndo(1, 1);
                if (host.m_selection.size() >= 2)
                    TestCommands::GroupSelection(tool);
            } else if (choice < 66) {
                CPaint* member = PickMember(host, random);
                if (dynamic_cast<CGroup*>(member) != nullptr)
                    TestCommands::UngroupWithUndo(tool, member);
            } else if (choice < 74) {
                if (CPaint* member = PickMember(host, random)) {
                    CEditStep lock(member->m_bLocked ? kStepUnlock : kStepLock, member, 0);
                    if (tool.Execute(&lock))
                        tool.PushUndo(new CEditStep(member->m_bLocked ? kStepUnlock : kStepLock, member, 1));
                }
            } else if (choice < 80) {
                CEditStep deselectAll(kStepDeselectAll, nullptr, 1);
                auto reselect = std::make_unique<ObjectListPayload>();
                reselect->objects = host.m_selection;
                tool.Execute(&deselectAll);
                auto inverse = std::make_unique<CEditStep>(kStepReselect, nullptr, 0);
                inverse->SetPayload(std::move(reselect));
                tool.PushUndo(inverse.release());
            } else if (choice < 82) {
                tool.DiscardUndoSteps(static_cast<int>(random() % 4));
            } else {
                tool.Undo();
            }
            peak = std::max(peak, tool.GetUndoCount());
            if (operation % 997 == 0)
                ExpectStepsNameLiveObjects(tool, host);
        }
        EXPECT_EQ(peak, CTool::kUndoLimit);  // the session ran into the limit
        ExpectStepsNameLiveObjects(tool, host);
        while (tool.GetUndoCount() > 0) tool.Undo();
        ExpectStepsNameLiveObjects(tool, host);
    }
}

TEST(UndoScenario, DeletedObjectsPastTheLimitAreFreedWithTheirSteps) {
    CTool tool;
    CTestHost host(tool);
    std::vector<CTestShape*> deleted;
    for (int i = 0; i < CTool::kUndoLimit + 500; ++i) {
        CTestShape* shape = TestCommands::CreateAndPlace(tool);
        TestCommands::DeleteWithUndo(tool, shape, 1);
    }
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
    while (tool.GetUndoCount() > 0) tool.Undo();
    // Undo re-inserted and removed again what the list still held; the layout is empty and
    // every object the dropped steps owned was freed (the leak checker sees to that).
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
    EXPECT_TRUE(host.IsModified());
}

TEST(UndoScenario, AMemberDeletedInsideAnUngroupedGroupComesBackWithIt) {
    CTool tool;
    CTestHost host(tool);
    TestCommands::CreateAndPlace(tool);
    TestCommands::CreateAndPlace(tool)->SelectWithUndo(0, 0);
    TestCommands::CreateAndPlace(tool)->SelectWithUndo(0, 0);
    CPaint* group = TestCommands::GroupSelection(tool);
    host.OpenGroup(dynamic_cast<CGroup*>(group));
    CPaint* member = dynamic_cast<CGroup*>(group)->m_members.front();
    TestCommands::DeleteWithUndo(tool, member, 1);
    host.CloseGroup();
    TestCommands::UngroupWithUndo(tool, group);
    ExpectStepsNameLiveObjects(tool, host);
    tool.Undo();  // regroup
    tool.Undo();  // the member back into its group
    ASSERT_EQ(host.m_pRoot->m_members.size(), 1u);
    EXPECT_EQ(host.m_pRoot->m_members.front(), group);
    EXPECT_EQ(dynamic_cast<CGroup*>(group)->m_members.size(), 3u);
    ExpectStepsNameLiveObjects(tool, host);
    while (tool.GetUndoCount() > 0) tool.Undo();
    EXPECT_TRUE(host.m_pRoot->m_members.empty());
}
