#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/CConnectionPass.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CSelectionOrder.h"
#include "model/CSnapProbe.h"
#include "model/CStatusHold.h"
#include "model/CTerrainSurface.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackEndSource.h"

CPaintList CTool::SelectedVisibleMembers() const {
    CPaintList found;
    CGroup* current = GetCurrentGroup();
    if (current != nullptr)
        for (CPaint* member : current->m_members)
            if (member->IsSelected() && IsLayerVisible(member->m_nLayer))
                found.push_back(member);
    return found;
}

void CTool::ClearClipboard() {
    CPaintList* clipboard = m_pHost != nullptr ? m_pHost->GetClipboard() : nullptr;
    if (clipboard == nullptr)
        return;
    while (!clipboard->empty()) {
        CPaint* object = clipboard->front();
        clipboard->pop_front();
        object->ReleaseData();
        delete object;
    }
}

void CTool::CopySelection() {
    ClearClipboard();
    CPaintList* clipboard = m_pHost != nullptr ? m_pHost->GetClipboard() : nullptr;
    if (clipboard == nullptr)
        return;
    for (CPaint* member : SelectedVisibleMembers()) {
        CPaint* copy = member->Clone();
        copy->SetTool(nullptr);
        clipboard->push_front(copy);
        copy->RecreateResources(0);
    }
}

void CTool::Cut() {
    CEditStep cut(kStepCut, nullptr, 1);
    Execute(&cut);
}

int CTool::ExecuteCut() {
    CopySelection();
    DeleteSelection(1);
    return 1;
}

void CTool::Paste() {
    CEditStep paste(kStepPaste, nullptr, 1);
    Execute(&paste);
}

int CTool::ExecutePaste() {
    CGroup* current = GetCurrentGroup();
    CPaintList* clipboard = m_pHost != nullptr ? m_pHost->GetClipboard() : nullptr;
    if (current == nullptr || clipboard == nullptr)
        return 0;
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    bool first = true;
    for (CPaint* object : *clipboard) {
        minX = first ? object->m_fMinX : std::min(minX, object->m_fMinX);
        minY = first ? object->m_fMinY : std::min(minY, object->m_fMinY);
        maxX = first ? object->m_fMaxX : std::max(maxX, object->m_fMaxX);
        maxY = first ? object->m_fMaxY : std::max(maxY, object->m_fMaxY);
        first = false;
    }
    const unsigned long before = m_nLastSerial;
    DeselectAll(1, 0);
    int centreX = 0, centreY = 0;
    if (!m_pHost->GetPlanViewCentre(centreX, centreY))
        return 0;
    const CDoublePoint centre = DeviceToLayout(centreX, centreY);
    const double dx = centre.x - (minX + maxX) * 0.5;
    const double dy = centre.y - (minY + maxY) * 0.5;
    CPaintList copies;
    for (CPaint* source : *clipboard) {
        CPaint* copy = CTerrainSurface::CloneForLayout(source);
        copy->SetTool(this);
        copies.push_back(copy);
    }
    // The status texts are refreshed once the paste is done, after the step that runs it.
    PlaceCopies(copies, current, {dx, dy});
    // One Undo takes back the whole paste, the joints it made included.
    OpenUndoGroupAfter(before);
    JoinMarkedEnds();
    RefitCurrentGroup();
    m_bRedraw = 1;
    return 1;
}

void CTool::PlaceCopies(const CPaintList& copies, CGroup* group, CDoublePoint offset) {
    const CPose world = group->WorldPose(nullptr);
    const CStatusHold hold(m_bStatusHeld);
    for (CPaint* copy : copies) {
        copy->SetLayer(m_nActiveLayer);
        copy->SetOwnerGroup(group);
        // Put back in the layout, the copy heads the selection already.
        if (!AddObjectWithUndo(copy, 1, 0))
            continue;
        // The move leaves the copy's area to be drawn where it was and where it lies now.
        copy->MoveFromSavedPose(offset.x, offset.y, 0);
        copy->Update3D(&world);
    }
}

void CTool::ConnectRootMembers() {
    CGroup* root = m_pHost != nullptr ? dynamic_cast<CGroup*>(m_pHost->GetRootGroup()) : nullptr;
    if (root == nullptr)
        return;
    // The probe reaches as far as the snap distance. The ends the follower of track ends
    // caught up with lie where the objects do, and need only filing for that reach.
    if (m_trackEndFollower.CatchUp(root, m_pHost->GetTrackLimits()))
        m_trackEnds.Regrid(m_fSnapDistance);
    else
        m_trackEnds.Rebuild(root, m_fSnapDistance);
    const CSnapProbe probe(m_track, m_trackEnds);
    const std::vector<CPaint*> members(root->m_members.begin(), root->m_members.end());
    // The placement the index hands the root's members, as its walk from the root gives it.
    const CPose identity;
    const CPose frame = root->WorldPose(&identity);
    for (CPaint* member : members) {
        // Most of a large layout's pieces would only find their own ends: those are not asked.
        CTrackEndSource* source = member->TrackEndSource();
        if (source != nullptr && source->ProbeMeetsOwnEnd(frame))
            continue;
        if (member->FindConnection(nullptr))
            continue;
        member->RebuildShape();
        if (member->IsKindOf(RUNTIME_CLASS(CGroup))) {
            m_trackEndFollower.Lose();
            m_trackEnds.Rebuild(root, m_fSnapDistance);
        } else {
            m_trackEndFollower.FollowReshaped(member);
        }
    }
}

void CTool::DuplicateSelection() {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    const CDoublePoint offset = DeviceToLayout(127.0, -127.0);
    CPaintList copies;
    // One Undo takes back the whole duplicate: only the command's first inverse starts the group.
    int groupStart = 1;
    // Each deselected original remembers its place in the selection, found without a walk of it.
    const CSelectionOrder order(m_pHost->GetSelection(), m_pSelectionOrder);
    for (CPaint* member : SelectedVisibleMembers()) {
        copies.push_front(CTerrainSurface::CloneForLayout(member));
        member->DeselectWithUndo(1, groupStart);
        groupStart = 0;
    }
    // The status texts are refreshed once the copies are made, not after every copy: counting
    // the selection each time made a large duplicate take seconds.
    PlaceCopies(copies, current, offset);
    if (!m_bStatusHeld)
        UpdateStatus();
    // A copy whose end lies on another piece's end joins it now, as Undo's connection pass
    // would; the command's undo group puts the former joints back.
    JoinMarkedEnds();
    RefitCurrentGroup();
}

void CTool::DeleteSelection(int record) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    const CPose world = current->WorldPose(nullptr);
    m_nMultiPoint = 0;
    for (CPaint* train : m_pHost->GetTestTrains())
        if (train->IsSelected()) {
            train->Invalidate();
            m_pHost->DeleteTestTrain(train);
            return;
        }
    const CPaintList doomed = SelectedVisibleMembers();
    const unsigned long before = m_nLastSerial;
    // The refit of an edited group moves its frame and its members' placements: Undo gives
    // the group back its exact former state once the objects are back in it.
    if (record && !doomed.empty() && current->m_bBeingEdited) {
        std::vector<std::unique_ptr<CEditStep>> former = FormerStatesOf(CPaintList{current}, 1);
        PushSteps(former);
    }
    // Undo puts every deleted object back where it lay among the others.
    if (record && !doomed.empty())
        PushOrderStep(current, current->m_members);
    // The ends of each deleted object are released on the pieces left in the layout, looked
    // up in the index of track ends instead of by a walk of the layout per end.
    CPaint* root = m_pHost->GetRootGroup();
    m_trackEnds.Rebuild(root);
    const CConnectionPass pass(m_track, m_trackEnds, m_pHost->GetTrackLimits());
    const CSelectionOrder order(m_pHost->GetSelection(), m_pSelectionOrder);
    std::unordered_map<CPaint*, CPaintList::const_iterator> places;
    for (auto at = current->m_members.begin(); at != current->m_members.end(); ++at) places.emplace(*at, at);
    // The steps pushed past the limit and the objects no step keeps are freed together at the
    // end, so that the steps left forget them all in one sweep.
    std::vector<std::unique_ptr<CEditStep>> dropped;
    std::vector<CPaint*> unkept;
    m_pDroppedSteps = &dropped;
    for (CPaint* member : doomed) {
        member->Remove3D();
        if (record)
            PushUndo(new CEditStep(kStepReinsertObject, member, 0));
        member->DeselectWithUndo(record, 0);
        member->Invalidate();
        if (const auto place = places.find(member); place != places.end())
            current->m_members.erase(place->second);
        m_trackEnds.Forget(member);
        member->SetChanged(1);
        member->UpdateConnections(&world, 0);
        member->SetChanged(0);
        if (!record)
            unkept.push_back(member);
    }
    m_pDroppedSteps = nullptr;
    FreeTogether(std::move(dropped), unkept);
    if (current->m_bBeingEdited)
        RefitCurrentGroup();
    if (record)
        OpenUndoGroupAfter(before);
    m_bRedraw = 1;
    UpdateStatus();
}

int CTool::DetachObject(CPaint* object) {
    CGroup* owner = object->m_pOwnerGroup;
    if (owner == nullptr)
        return 0;
    // Found from the head, where the Undo of a paste finds each copy it takes out.
    const auto at = std::find(owner->m_members.begin(), owner->m_members.end(), object);
    if (at == owner->m_members.end())
        return 0;
    object->DeselectWithUndo(0, 0);
    owner->m_members.erase(at);
    // No test train may run on a piece out of the layout.
    m_pHost->StopTrainsOn(object);
    object->Invalidate();
    if (!IsRootGroup(owner)) {
        owner->RecalcFrame();
        owner->ComputeExtent(nullptr);
    }
    object->SetEditState(-1);
    return 1;
}

bool CTool::HasPropertiesTarget() {
    return !SelectedVisibleMembers().empty() || IsTrainSelected() != 0;
}

int CTool::ShowProperties() {
    if (m_pHost == nullptr)
        return 0;
    const CPaintList selected = SelectedVisibleMembers();
    CPaint* target = nullptr;
    // The right-click handler marks the object the context menu was opened on.
    for (CPaint* member : selected)
        if (member->m_bChanged) {
            member->m_bChanged = 0;
            target = member;
            break;
        }
    if (target == nullptr && !selected.empty())
        target = selected.front();
    if (target == nullptr)
        for (CPaint* train : m_pHost->GetTestTrains())
            if (train->IsSelected()) {
                target = train;
                break;
            }
    if (target == nullptr)
        return 0;
    m_pHost->SetModalDialogFlag(TRUE);
    CEditStep properties(kStepProperties, target, 1);
    const int result = Execute(&properties);
    m_pHost->SetModalDialogFlag(FALSE);
    return result;
}
