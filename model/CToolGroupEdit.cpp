#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"

CGroup* CTool::GetCurrentGroup() const {
    return m_pHost != nullptr ? dynamic_cast<CGroup*>(m_pHost->GetCurrentGroup()) : nullptr;
}

int CTool::GetGroupEditDepth() const {
    CGroupEditStack* stack = m_pHost != nullptr ? m_pHost->GetGroupEditStack() : nullptr;
    return stack != nullptr ? static_cast<int>(stack->size()) : 1;
}

void CTool::PopGroupEditEntry() {
    CGroupEditStack* stack = m_pHost != nullptr ? m_pHost->GetGroupEditStack() : nullptr;
    if (stack != nullptr && !stack->empty())
        stack->pop_front();
}

int CTool::EnterGroupEdit(int record) {
    CGroup* current = GetCurrentGroup();
    CPaint* found = nullptr;
    if (current != nullptr)
        for (CPaint* member : current->m_members)
            if (member->IsSelected() && IsLayerVisible(member->m_nLayer) &&
                member->GetClassName() == "CGroup") {
                found = member;
                break;
            }
    if (found == nullptr) {
        ShowText(IDS_NO_GROUPS_ARE_SELECTED);
        return 0;
    }
    // The commands inside act on what is selected there: nothing outside stays selected. Undo
    // gives the whole selection back as it stood, the group at its place in it.
    DeselectAll(record, 1);
    CEditStep enter(kStepEnterGroupEdit, found, 1);
    const int done = Execute(&enter);
    if (done && record) {
        PushUndo(new CEditStep(kStepDeselect, found, 0));
        PushUndo(new CEditStep(kStepExitGroupEdit, nullptr, 0));
    }
    return done;
}

int CTool::ExecuteEnterGroupEdit(CEditStep* step) {
    auto* group = dynamic_cast<CGroup*>(step->m_pObject);
    CGroupEditStack* stack = m_pHost != nullptr ? m_pHost->GetGroupEditStack() : nullptr;
    if (group == nullptr || stack == nullptr)
        return 0;
    stack->emplace_front(group, group->WorldPose(nullptr));
    group->DeselectWithUndo(0, 0);
    group->EnterEdit();
    group->MarkFirst3DMember(0);
    m_bRedraw = 1;
    return 1;
}

int CTool::ExitGroupEdit(int record) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return 0;
    // Outside any edited group there is nothing to leave, and nothing for Undo to take back.
    if (GetGroupEditDepth() < 2) {
        ShowText(IDS_NO_GROUPS_ARE_EDITED);
        return 0;
    }
    const unsigned long before = m_nLastSerial;
    current->DeselectWithUndo(1, 0);
    CEditStep exit(kStepExitGroupEdit, current, 1);
    if (Execute(&exit) && record) {
        PushUndo(new CEditStep(kStepEnterGroupEdit, current, 0));
        OpenUndoGroupAfter(before);
    }
    return 1;
}

void CTool::OpenUndoGroupAfter(unsigned long serial) {
    // Told by serial, not by count: a full list drops a step for every one it takes.
    UndoEntry* oldest = nullptr;
    for (UndoEntry& entry : m_undoList) {
        if (entry.serial <= serial)
            break;
        entry.step->m_bGroupStart = 0;
        oldest = &entry;
    }
    if (oldest == nullptr)
        return;
    oldest->step->m_bGroupStart = 1;
    m_bOneUndoGroup = false;
    DropOldestGroupsPastLimit();
}

int CTool::ExecuteExitGroupEdit(CEditStep*) {
    if (GetGroupEditDepth() < 2) {
        ShowText(IDS_NO_GROUPS_ARE_EDITED);
        return 0;
    }
    CGroup* group = GetCurrentGroup();
    if (group == nullptr || !group->m_bBeingEdited)
        return 1;
    group->Invalidate();
    group->m_bBeingEdited = 0;
    group->DeselectWithUndo(0, 0);
    group->SelectWithUndo(0, 0);
    group->MarkFirst3DMember(1);
    PopGroupEditEntry();
    CGroup* outer = GetCurrentGroup();
    if (outer != nullptr && outer->m_bBeingEdited) {
        outer->ComputeExtent(nullptr);
        outer->RecalcFrame();
        outer->ComputeExtent(nullptr);
    }
    m_bRedraw = 1;
    return 1;
}

void CTool::RefitCurrentGroup() {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr || IsRootGroup(current))
        return;
    current->RecalcFrame();
    current->ComputeExtent(nullptr);
}

void CTool::ShowText(UINT id) {
    if (m_pHost == nullptr)
        return;
    m_pHost->ShowMessage(CStringTable::Text(id));
}
