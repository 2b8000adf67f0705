#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CSelectionIndex.h"
#include "model/CSelectionOrder.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "resources/StringTable.h"

namespace {

bool IsGroup(CPaint* object) {
    return object->GetClassName() == "CGroup";
}

}  // namespace

int CTool::IsTrainSelected() {
    if (m_pHost == nullptr)
        return 0;
    for (CPaint* train : m_pHost->GetTestTrains())
        if (train->IsSelected())
            return 1;
    return 0;
}

int CTool::DeselectAll(int record, int groupStart) {
    if (m_pHost == nullptr || m_pHost->GetSelection().empty())
        return 0;
    CEditStep deselect(kStepDeselectAll, nullptr, 1);
    std::unique_ptr<CEditStep> inverse;
    if (record) {
        inverse = std::make_unique<CEditStep>(kStepReselect, nullptr, groupStart);
        auto list = std::make_unique<ObjectListPayload>();
        for (CPaint* object : m_pHost->GetSelection()) list->objects.push_front(object);
        inverse->SetPayload(std::move(list));
    }
    const int done = Execute(&deselect);
    if (done && inverse != nullptr)
        PushUndo(inverse.release());
    m_bRedraw = 1;
    return done;
}

int CTool::ExecuteDeselectAll() {
    ExecuteDeselect(kAllLayers);
    return 1;
}

void CTool::ExecuteDeselect(int layerFilter) {
    if (m_status.m_nKind != CPieceStatusText::kNone) {
        for (int pane = 0; pane < 4; ++pane) m_status.m_strPane[pane] = " ";
        m_status.m_nKind = CPieceStatusText::kNone;
    }
    m_strStatusText.Empty();
    if (m_pHost == nullptr)
        return;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected)
        if (layerFilter == kAllLayers || object->m_nLayer == layerFilter)
            object->Deselect();
}

int CTool::ExecuteReselect(CEditStep* step) {
    if (ObjectListPayload* list = step->GetPayload<ObjectListPayload>())
        for (CPaint* object : list->objects) object->Select();
    return 1;
}

int CTool::SelectAll(int record) {
    const unsigned long before = m_nLastSerial;
    DeselectAll(record, 0);
    if (record) {
        PushUndo(new CEditStep(kStepDeselectAll, nullptr, 0));
        OpenUndoGroupAfter(before);
    }
    CGroup* current = GetCurrentGroup();
    if (m_pHost == nullptr || current == nullptr)
        return 1;
    CPaintList& selection = m_pHost->GetSelection();
    CSelectionIndex* index = m_pHost->GetSelectionIndex();
    for (CPaint* member : current->m_members) {
        if (!IsLayerVisible(member->m_nLayer) || member->IsSelected())
            continue;
        selection.push_front(member);
        if (index != nullptr)
            index->Inserted(selection, selection.begin());
        if (m_pSelectionOrder != nullptr)
            m_pSelectionOrder->Added();
        member->m_bSelected = 1;
        member->Select();
    }
    // Select found every member already flagged and marked nothing for repainting.
    m_pHost->InvalidateAllViews();
    return 1;
}

void CTool::LockSelection(int record) {
    ChangeLocks(kStepLock, kStepUnlock, record);
}

void CTool::UnlockSelection(int record) {
    ChangeLocks(kStepUnlock, kStepLock, record);
}

int CTool::ChangeLocks(int kind, int inverseKind, int record) {
    if (m_pHost == nullptr)
        return 0;
    int changed = 0;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        if (!IsLayerVisible(object->m_nLayer))
            continue;
        CEditStep step(kind, object, 1);
        if (!Execute(&step))
            continue;
        ++changed;
        if (record)
            PushUndo(new CEditStep(inverseKind, object, 1));
    }
    return changed;
}

int CTool::ExecuteLockChange(CEditStep* step, int locked) {
    CPaint* object = step->m_pObject;
    if (object == nullptr || object->m_bLocked == locked)
        return 0;
    object->m_bLocked = locked;
    return 1;
}

// The stacking order is saved with the layout: a change of it is an edit like any other,
// so it marks the document modified and can be undone.
void CTool::ReorderSelected(bool toBack) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    const CPaintList before = current->m_members;
    auto move = [&](CPaint* member) {
        member->Invalidate();
        if (!IsLayerVisible(member->m_nLayer) || !member->IsSelected())
            return;
        current->m_members.remove(member);
        if (toBack)
            current->m_members.push_back(member);
        else
            current->m_members.push_front(member);
    };
    if (toBack)
        std::for_each(before.rbegin(), before.rend(), move);
    else
        std::for_each(before.begin(), before.end(), move);
    if (current->m_members == before)
        return;
    PushOrderStep(current, before);
    m_bRedraw = 1;
}

void CTool::PushOrderStep(CGroup* group, const CPaintList& order) {
    auto step = std::make_unique<CEditStep>(kStepRestoreOrder, group, 1);
    auto former = std::make_unique<ObjectListPayload>();
    former->objects = order;
    step->SetPayload(std::move(former));
    PushUndo(step.release());
}

void CTool::SendToBack() {
    ReorderSelected(true);
}

void CTool::BringToFront() {
    ReorderSelected(false);
}

int CTool::ExecuteRestoreOrder(CEditStep* step) {
    auto* group = dynamic_cast<CGroup*>(step->m_pObject);
    ObjectListPayload* order = step->GetPayload<ObjectListPayload>();
    if (group == nullptr || order == nullptr)
        return 0;
    const std::unordered_set<const CPaint*> ordered(order->objects.begin(), order->objects.end());
    const std::unordered_set<const CPaint*> held(group->m_members.begin(), group->m_members.end());
    CPaintList restored;
    for (CPaint* member : group->m_members)
        if (!ordered.contains(member))
            restored.push_back(member);
    for (CPaint* member : order->objects)
        if (held.contains(member))
            restored.push_back(member);
    group->m_members.swap(restored);
    for (CPaint* member : group->m_members) member->Invalidate();
    m_bRedraw = 1;
    return 1;
}

int CTool::GroupSelection(int record) {
    if (m_pHost == nullptr || m_pHost->GetSelection().empty()) {
        ShowText(IDS_NO_OBJECTS_ARE_SELECTED);
        return 0;
    }
    CEditStep group(kStepGroup, nullptr, 1);
    auto list = std::make_unique<ObjectListPayload>();
    const CPaintList& selection = m_pHost->GetSelection();
    for (auto at = selection.rbegin(); at != selection.rend(); ++at) list->objects.push_front(*at);
    group.SetPayload(std::move(list));
    // Undo takes the members out of the group, gives them back their exact former states and
    // puts them back where they lay.
    CGroup* current = GetCurrentGroup();
    const CPaintList order = current != nullptr ? current->m_members : CPaintList();
    std::vector<std::unique_ptr<CEditStep>> formerStates;
    if (record)
        formerStates = FormerStatesOf(selection, 0);
    if (Execute(&group) && record) {
        PushOrderStep(current, order);
        PushSteps(formerStates);
        PushUndo(new CEditStep(kStepUngroup, group.m_pResult, 0));
    }
    return 1;
}

int CTool::ExecuteGroup(CEditStep* step) {
    ObjectListPayload* list = step->GetPayload<ObjectListPayload>();
    CGroup* current = GetCurrentGroup();
    if (list == nullptr || current == nullptr)
        return 0;
    // Undoing an Ungroup brings back the group it emptied; a new grouping makes a group.
    auto* group = step->m_pObject != nullptr ? dynamic_cast<CGroup*>(step->m_pObject) : new CGroup;
    if (group == nullptr)
        return 0;
    step->m_pObject = nullptr;
    group->SetTool(this);
    group->TakeMembers(current, list->objects);
    current->m_members.push_front(group);
    group->m_strScale = ScaleTable[group->GetScaleIndexForNewGroup()].name;
    group->m_pose = CPose();
    group->SetLayer(m_nActiveLayer);
    group->DeselectWithUndo(0, 0);
    group->SelectWithUndo(0, 0);
    group->RecalcFrame();
    const CPose world = current->WorldPose(nullptr);
    group->SetParentPose(&world);
    group->SetOwnerGroup(current);
    // The extent and the members' handles are those the end of any gesture on the group
    // gives, so that taking back the first gesture gives back the group as made.
    group->ComputeExtent(nullptr);
    group->UpdateAnchorPoint();
    group->MarkFirst3DMember(1);
    step->m_pResult = group;
    m_bRedraw = 1;
    return 1;
}

int CTool::UngroupSelection(int record) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return 0;
    int dissolved = 0;
    const CPaintList members = current->m_members;
    // Undo regroups the members and puts each group back where it lay.
    const bool anyGroup = std::any_of(members.begin(), members.end(),
                                      [](CPaint* member) { return member->IsSelected() && IsGroup(member); });
    if (record && anyGroup)
        PushOrderStep(current, members);
    for (CPaint* member : members) {
        if (!member->IsSelected() || !IsGroup(member))
            continue;
        auto list = std::make_unique<ObjectListPayload>();
        if (record)
            list->objects = static_cast<CGroup*>(member)->m_members;
        std::vector<std::unique_ptr<CEditStep>> formerState;
        if (record)
            formerState = FormerStatesOf(CPaintList{member}, 0);
        // The regrouped group comes back first in the selection; Undo puts it back where it stood.
        member->DeselectWithUndo(record, 0);
        CEditStep ungroup(kStepUngroup, member, 1);
        if (!Execute(&ungroup))
            continue;
        if (record) {
            PushUndo(new CEditStep(kStepDeselect, member, 0));
            // Undo regroups the members, then gives the group and its members their exact
            // former states.
            PushSteps(formerState);
            // The emptied group waits in the regroup step, so that steps naming it stay good.
            auto inverse = std::make_unique<CEditStep>(kStepGroup, ungroup.m_pResult, 0);
            ungroup.m_pResult = nullptr;
            inverse->SetPayload(std::move(list));
            PushUndo(inverse.release());
        }
        ++dissolved;
    }
    if (dissolved == 0) {
        ShowText(IDS_NO_GROUPS_ARE_SELECTED);
        return 0;
    }
    m_bRedraw = 1;
    return 1;
}

int CTool::ExecuteUngroup(CEditStep* step) {
    auto* group = dynamic_cast<CGroup*>(step->m_pObject);
    CGroup* current = GetCurrentGroup();
    if (group == nullptr || current == nullptr || group == current || !current->HoldsMember(group))
        return 0;
    group->ComputeExtent(nullptr);
    group->Invalidate();
    if (group->DissolveInto(current))
        group->ComputeExtent(nullptr);
    group->DeselectWithUndo(0, 0);
    current->m_members.remove(group);
    // Out of the layout now: the step holds it, and frees it unless the caller takes it.
    step->m_pResult = group;
    return 1;
}
