#include "model/CTool.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

#include "model/CConnectionPass.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CMissingFileReport.h"
#include "model/CPaint.h"
#include "model/CParallelTrackPreview.h"
#include "model/CSelectionIndex.h"
#include "model/CSelectionOrder.h"
#include "model/CToolHost.h"
#include "model/CTrackEndSource.h"
#include "model/CTrackTools.h"
#include "model/Geometry.h"
#include "model/ObjectFactory.h"

IMPLEMENT_SERIAL(CTool, CObject, 1)

namespace {

constexpr UINT kKeyLeft = 37;
constexpr UINT kKeyDown = 40;

// Undo refreshes the frame of the group that holds the step's object after these kinds.
bool RefreshesGroupFrame(int kind) {
    return (kind >= kStepRescale && kind <= 6) || kind == kStepPaste || kind == kStepReinsertObject ||
           (kind >= 41 && kind <= 43);
}

}  // namespace

CTool::CTool() : m_crPreview1(RGB(0, 200, 200)), m_crPreview2(RGB(0, 200, 200)) {
    m_penDefault = PenRecord{0, 1, 0, 0};
    m_brushDefault = BrushRecord{kBrushSolid, 0xFFFFFF, 0};
    std::fill(std::begin(m_bLayerShown), std::end(m_bLayerShown), 1);
    std::fill(std::begin(m_bLayerLocked), std::end(m_bLayerLocked), 0);
    m_toolMode.Set(kToolSelector);
    m_toolMode.m_pOwner = this;
}

CTool::~CTool() {
    m_pHost = nullptr;
    m_pDefaultTrack = nullptr;
    m_pOwnedDefaultTrack.reset();
    std::deque<UndoEntry> steps = std::move(m_undoList);
    m_undoList.clear();
}

// ---- Undo list ----

CEditStep* CTool::GetUndoStep(int index) const {
    if (index < 0 || index >= GetUndoCount())
        return nullptr;
    return m_undoList[static_cast<size_t>(index)].step.get();
}

void CTool::PushUndo(CEditStep* step) {
    std::unique_ptr<CEditStep> owned(step);
    if (m_pHost != nullptr)
        m_pHost->SetModifiedFlag(TRUE);
    FollowStep(owned.get(), true);
    const int kind = owned->m_nKind;
    if (owned->m_pObject != nullptr && (kind == kStepPlaceNewObject || kind == kStepReinsertObject))
        owned->m_pObject->RecreateResources(0);
    // A step that starts a group parts the list: the groups below it may go now.
    if (owned->m_bGroupStart)
        m_bOneUndoGroup = false;
    m_undoList.push_front(UndoEntry{std::move(owned), ++m_nLastSerial});
    DropOldestGroupsPastLimit();
}

size_t CTool::OldestGroupSize() const {
    const size_t count = m_undoList.size();
    size_t size = 1;
    while (size < count && m_undoList[count - 1 - size].step->m_bGroupStart == 0) ++size;
    return size;
}

// Only whole groups go, the oldest first: a part of one would undo half a command. The group
// at the head, which the command being recorded may still be adding to, always stays.
void CTool::DropOldestGroupsPastLimit() {
    std::vector<std::unique_ptr<CEditStep>> dropped;
    while (GetUndoCount() > m_nUndoLimit && !m_bOneUndoGroup) {
        const size_t oldest = OldestGroupSize();
        if (oldest == m_undoList.size()) {
            m_bOneUndoGroup = true;
            break;
        }
        for (size_t i = 0; i < oldest; ++i) {
            UndoEntry entry = std::move(m_undoList.back());
            m_undoList.pop_back();
            LoseStep(entry.serial, true);
            dropped.push_back(std::move(entry.step));
        }
    }
    if (m_pDroppedSteps != nullptr)
        std::ranges::move(dropped, std::back_inserter(*m_pDroppedSteps));
    else
        FreeTogether(std::move(dropped));
}

void CTool::Undo() {
    const CMissingFileReport missingFiles;
    if (m_pHost != nullptr)
        m_pHost->BeginWaitCursor();
    std::vector<CPaint*> moved;
    const bool nearby = UndoOnlyMovesPieces(moved);
    const bool ranAny = !m_undoList.empty();
    RunNewestGroup();
    if (ranAny)
        UpdateModifiedAfterUndo();
    if (nearby)
        RefreshConnectionsNear(moved);
    else
        RefreshConnections();
    m_bRedraw = 1;
    UpdateStatus();
    if (m_pHost != nullptr)
        m_pHost->EndWaitCursor();
}

// The objects the run frees are forgotten by the steps left in one sweep at its end, not in
// one sweep each; a step of the run that names one of them is dropped, as that sweep would.
void CTool::RunNewestGroup() {
    CFreedObjects freed;
    CFreedObjects* outer = std::exchange(m_pFreedObjects, &freed);
    std::vector<std::unique_ptr<CEditStep>> dropped;
    bool goOn = true;
    while (goOn && !m_undoList.empty()) {
        UndoEntry entry = std::move(m_undoList.front());
        m_undoList.pop_front();
        CEditStep* step = entry.step.get();
        goOn = step->m_bGroupStart == 0;
        if (!freed.empty())
            step->ForgetInPayload(freed);
        if (!freed.empty() && NamesAny(step, freed)) {
            LoseStep(entry.serial, false);
            dropped.push_back(std::move(entry.step));
            continue;
        }
        Execute(step);
        AfterUndoStep(step);
    }
    m_pFreedObjects = outer;
    if (outer != nullptr)
        outer->insert(freed.begin(), freed.end());
    else if (!freed.empty())
        ForgetObjects(freed);
    FreeTogether(std::move(dropped));
}

void CTool::AfterUndoStep(CEditStep* step) {
    const int kind = step->m_nKind;
    if (RefreshesGroupFrame(kind)) {
        if (m_pHost != nullptr)
            m_pHost->RefreshGroupFrame(step->m_pObject);
        m_bRedraw = step->m_bGroupStart;
    }
    if ((kind == kStepPlaceNewObject || kind == kStepReinsertObject) && step->m_pObject != nullptr)
        step->m_pObject->RecreateResources(1);
}

void CTool::RefreshConnections() {
    if (m_pHost == nullptr)
        return;
    CPaint* root = m_pHost->GetRootGroup();
    if (root == nullptr)
        return;
    // Where the follower of track ends caught up, the ends lie where the objects do.
    if (m_trackEndFollower.CatchUp(root, m_pHost->GetTrackLimits()))
        m_trackEnds.Regrid(0.0);
    else
        m_trackEnds.Rebuild(root);
    m_nPiecesPassedOver += static_cast<unsigned long>(m_trackEnds.Count());
    m_trackEndFollower.KeepAllPassInputs();
    {
        const CConnectionPass pass(m_track, m_trackEnds, m_pHost->GetTrackLimits());
        root->SetChanged(1);
        ReleaseEveryEnd(root);
        root->UpdateConnections(nullptr, 1);
        root->SetChanged(0);
    }
    m_trackEndFollower.ForgetUnsettled();
    m_trackEndFollower.NoteChangedPassInputs();
    m_trackEndFollower.MarkSettled(m_pHost->GetTrackLimits());
}

void CTool::ReleaseEveryEnd(CPaint* root) {
    // Every end is asked at its own point, where each piece lying there lets go of its ends
    // near it: so every end of every piece lets go, whichever piece asked.
    if (!EveryPieceReleasesItself(root)) {
        root->UpdateConnections(nullptr, 0);
        return;
    }
    for (int at = 0; at < m_trackEnds.Count(); ++at)
        if (!m_trackEnds.Forgotten(at))
            m_trackEnds.SourceAt(at)->ReleaseOwnEnds();
}

bool CTool::EveryPieceReleasesItself(CPaint* root) const {
    const auto* group = dynamic_cast<const CGroup*>(root);
    if (group == nullptr || !IndexPlacesRootAsThePass(*group))
        return false;
    for (int at = 0; at < m_trackEnds.Count(); ++at)
        if (!m_trackEnds.Forgotten(at) &&
            (m_trackEnds.ObjectAt(at)->m_pTool != this || !m_trackEnds.AskedUnderOwnPlacement(at)))
            return false;
    return true;
}

CConnectionPass CTool::PassOverPresentEnds() {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    const TrackLimits limits = m_pHost != nullptr ? m_pHost->GetTrackLimits() : TrackLimits{};
    if (!m_trackEndFollower.CatchUp(root, limits))
        m_trackEnds.Rebuild(root);
    return CConnectionPass(m_track, m_trackEnds, limits);
}

void CTool::SettleTrackEnds() {
    // Only the selector leaves nothing half made between presses.
    const bool editing = m_bButtonDown || m_toolMode != kToolSelector;
    if (m_pHost == nullptr || editing)
        return;
    const TrackLimits limits = m_pHost->GetTrackLimits();
    if (m_trackEndFollower.Settled(limits) && !m_trackEndFollower.PassDue())
        return;
    // After a paste or duplicate of a few pieces the pass runs near them alone.
    if (m_trackEndFollower.PassDue() && m_trackEndFollower.CatchUp(m_pHost->GetRootGroup(), limits) &&
        m_trackEndFollower.FewUnsettled())
        RefreshConnectionsNear({});
    else
        RefreshConnections();
    if (m_trackEndFollower.Unsettled().empty())
        return;
    // Joints the pass changed show other markers, and may change again when it runs again
    // there: that is done now too, rather than at the next Undo.
    m_pHost->InvalidateAllViews();
    if (m_trackEndFollower.CatchUp(m_pHost->GetRootGroup(), m_pHost->GetTrackLimits()))
        RefreshConnectionsNear({});
}

void CTool::FollowStep(const CEditStep* step, bool recorded) {
    switch (step->m_nKind) {
        // The paste's own steps say what it changes.
        case kStepPaste:
            return;
        case kStepReinsertObject:
            if (!recorded && m_pHost != nullptr && step->m_pObject != nullptr) {
                const bool inRoot = m_pHost->GetOwnerGroup(step->m_pObject) == m_pHost->GetRootGroup();
                m_trackEndFollower.FollowAdded(step->m_pObject, inRoot);
                return;
            }
            break;
        // Recorded, it takes back an object followed as it came in.
        case kStepRemoveObject:
            if (recorded)
                return;
            break;
        case kStepSelect:
        case kStepDeselect:
        case kStepDeselectAll:
        case kStepReselect:
        case kStepRestoreJointMarkers:
            return;
        case kStepMoveSelection:
            if (m_pHost != nullptr) {
                for (CPaint* object : m_pHost->GetSelection()) m_trackEndFollower.Follow(object);
                return;
            }
            break;
        case kStepRestorePlacements:
            if (const auto* former = step->GetPayload<PlacementsPayload>()) {
                for (const PlacementsPayload::Placement& placement : former->placements)
                    m_trackEndFollower.Follow(placement.object);
                return;
            }
            break;
        default:
            break;
    }
    m_trackEndFollower.Lose();
}

void CTool::AddEndsAwaitingPass(std::vector<CDoublePoint>& points) const {
    for (int at = 0; at < m_trackEnds.Count(); ++at)
        if (m_trackEnds.SourceAt(at)->AwaitsConnectionPass())
            m_trackEnds.EndsOf(at, points);
}

void CTool::JoinMarkedEnds() {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    if (root == nullptr)
        return;
    // The pieces marked now may be cleared of their marks before the next pass.
    if (m_trackEndFollower.CatchUp(root, m_pHost->GetTrackLimits())) {
        std::vector<CDoublePoint> joining;
        AddEndsAwaitingPass(joining);
        m_trackEndFollower.NoteUnsettled(joining);
        m_trackEndFollower.KeepAllPassInputs();
    } else {
        m_trackEnds.Rebuild(root);
    }
    {
        const CConnectionPass pass(m_track, m_trackEnds, m_pHost->GetTrackLimits());
        m_track.recordJoins = true;
        const CPose identity;
        root->UpdateConnections(&identity, 1);
        m_track.recordJoins = false;
    }
    m_trackEndFollower.NoteChangedPassInputs();
}

void CTool::UpdateModifiedAfterUndo() {
    if (m_pHost == nullptr)
        return;
    const unsigned long present = m_undoList.empty() ? m_nBottomSerial : m_undoList.front().serial;
    m_pHost->SetModifiedFlag(m_bSavedReachable && present == m_nSavedSerial ? FALSE : TRUE);
}

void CTool::MarkSaved() {
    m_nSavedSerial = m_undoList.empty() ? m_nBottomSerial : m_undoList.front().serial;
    m_bSavedReachable = true;
}

void CTool::MarkChangedOutsideUndo() {
    m_trackEndFollower.Lose();
    MarkSettingsChanged();
}

void CTool::MarkSettingsChanged() {
    m_bSavedReachable = false;
    if (m_pHost != nullptr)
        m_pHost->SetModifiedFlag(TRUE);
}

void CTool::LoseStep(unsigned long serial, bool droppedOldest) {
    if (droppedOldest) {
        m_nBottomSerial = serial;
        if (m_nSavedSerial < serial)
            m_bSavedReachable = false;
    } else if (serial > m_nSavedSerial) {
        m_bSavedReachable = false;
    }
}

bool CTool::NamedByNewestStepsOnly(const CPaint* object) const {
    const CFreedObjects named{object};
    const auto names = [&](const UndoEntry& entry) { return NamesAny(entry.step.get(), named); };
    const auto older = std::find_if_not(m_undoList.begin(), m_undoList.end(), names);
    return older != m_undoList.begin() && std::none_of(older, m_undoList.end(), names);
}

void CTool::DiscardUndoSteps(int count) {
    std::vector<std::unique_ptr<CEditStep>> dropped;
    for (int i = 0; i < count && !m_undoList.empty(); ++i) {
        LoseStep(m_undoList.front().serial, false);
        dropped.push_back(std::move(m_undoList.front().step));
        m_undoList.pop_front();
    }
    FreeTogether(std::move(dropped));
}

// The groups open for editing stay open: the contents that hold them decide (DeleteContents).
void CTool::ClearUndoList() {
    m_trackEndFollower.Lose();
    if (!m_undoList.empty()) {
        const unsigned long present = m_undoList.front().serial;
        if (present != m_nSavedSerial)
            m_bSavedReachable = false;
        m_nBottomSerial = present;
    }
    DiscardUndoSteps(GetUndoCount());
}

bool CTool::NamesAny(const CEditStep* step, const CFreedObjects& objects) const {
    if (objects.contains(step->m_pObject) || objects.contains(step->m_pResult))
        return true;
    // An object waiting out of the layout goes back into its group, which must still exist.
    return step->OwnsObject() && m_pHost != nullptr &&
           objects.contains(m_pHost->GetOwnerGroup(step->m_pObject));
}

void CTool::ForgetObject(CPaint* object) {
    if (m_pTrackTools != nullptr)
        m_pTrackTools->ForgetObject(object);
    if (m_pReleaseWalk != nullptr)
        m_pReleaseWalk->remove(object);
    if (m_pHost != nullptr)
        RemoveFromSelection(object);
    std::erase_if(m_gestureFormerStates, [object](const auto& step) { return step->m_pObject == object; });
    if (m_pFreedObjects != nullptr) {
        m_pFreedObjects->insert(object);
        return;
    }
    ForgetObjects(CFreedObjects{object});
}

void CTool::ForgetObjects(const CFreedObjects& objects) {
    FreeTogether(TakeStepsNaming(objects));
}

// A payload may let go of the former states it kept for objects now freed: those are forgotten
// after the sweep, which they would otherwise enter again while it moves the list.
std::vector<std::unique_ptr<CEditStep>> CTool::TakeStepsNaming(const CFreedObjects& objects) {
    CFreedObjects during;
    CFreedObjects* outer = std::exchange(m_pFreedObjects, &during);
    std::vector<std::unique_ptr<CEditStep>> taken = SweepStepsNaming(objects);
    m_pFreedObjects = outer;
    if (outer != nullptr)
        outer->insert(during.begin(), during.end());
    else if (!during.empty())
        std::ranges::move(TakeStepsNaming(during), std::back_inserter(taken));
    return taken;
}

std::vector<std::unique_ptr<CEditStep>> CTool::SweepStepsNaming(const CFreedObjects& objects) {
    std::vector<std::unique_ptr<CEditStep>> taken;
    size_t kept = 0;
    m_nStepsSwept += m_undoList.size();
    for (UndoEntry& entry : m_undoList) {
        CEditStep* step = entry.step.get();
        step->ForgetInPayload(objects);
        if (!NamesAny(step, objects)) {
            if (&m_undoList[kept] != &entry)
                m_undoList[kept] = std::move(entry);
            ++kept;
            continue;
        }
        // The next newer step of the same command takes over the start of its undo group.
        if (step->m_bGroupStart && kept > 0 && m_undoList[kept - 1].step->m_bGroupStart == 0)
            m_undoList[kept - 1].step->m_bGroupStart = 1;
        LoseStep(entry.serial, false);
        taken.push_back(std::move(entry.step));
    }
    m_undoList.erase(m_undoList.begin() + static_cast<std::ptrdiff_t>(kept), m_undoList.end());
    return taken;
}

// The objects the steps own, and those given, are forgotten together: each round sweeps the
// list once for every object it freed, instead of once per object.
void CTool::FreeTogether(std::vector<std::unique_ptr<CEditStep>> steps, const std::vector<CPaint*>& objects) {
    CFreedObjects freed;
    CFreedObjects* outer = std::exchange(m_pFreedObjects, &freed);
    for (CPaint* object : objects) {
        object->ReleaseData();
        delete object;
    }
    for (;;) {
        steps.clear();
        if (freed.empty() || outer != nullptr)
            break;
        CFreedObjects sweep;
        sweep.swap(freed);
        steps = TakeStepsNaming(sweep);
    }
    m_pFreedObjects = outer;
    if (outer != nullptr)
        outer->insert(freed.begin(), freed.end());
}

bool CTool::TakeBackGesture() {
    if (m_pReleaseWalk == nullptr || m_undoList.empty())
        return false;
    for (const UndoEntry& entry : m_undoList) {
        // A group that began before the press holds steps of an earlier command.
        if (entry.serial <= m_nPressSerial)
            return false;
        // Undoing a step that brought an object in would free that object.
        if (entry.step->m_nKind == kStepRemoveObject)
            return false;
        if (entry.step->m_bGroupStart)
            break;
    }
    Undo();
    return true;
}

// ---- Running steps ----

int CTool::Execute(CEditStep* step) {
    FollowStep(step, false);
    int done = 0;
    const int kind = step->m_nKind;
    switch (kind) {
        case kStepLock:
            done = ExecuteLockChange(step, 1);
            break;
        case kStepUnlock:
            done = ExecuteLockChange(step, 0);
            break;
        case kStepGroup:
            done = ExecuteGroup(step);
            break;
        case kStepUngroup:
            done = ExecuteUngroup(step);
            break;
        case kStepEnterGroupEdit:
            done = ExecuteEnterGroupEdit(step);
            break;
        case kStepExitGroupEdit:
            done = ExecuteExitGroupEdit(step);
            break;
        case kStepCut:
            done = ExecuteCut();
            break;
        case kStepPaste:
            done = ExecutePaste();
            if (done)
                ConnectRootMembers();
            break;
        case kStepRemoveObject:
            done = ExecuteRemove(step);
            break;
        case kStepSelect:
        case kStepDeselect:
            done = step->m_pObject != nullptr && step->m_pObject->ApplyEditStep(step);
            break;
        case kStepDeselectAll:
            done = ExecuteDeselectAll();
            break;
        case kStepReselect:
            done = ExecuteReselect(step);
            break;
        case kStepRestoreOrder:
            done = ExecuteRestoreOrder(step);
            break;
        case kStepMoveSelection:
            done = ExecuteMove(step);
            break;
        case kStepRestorePlacements:
            done = ExecuteRestorePlacements(step);
            break;
        case kStepRotateSelection:
            done = ExecuteRotate(step);
            break;
        case kStepFlipVertical:
            done = ExecuteFlip(true);
            break;
        case kStepFlipHorizontal:
            done = ExecuteFlip(false);
            break;
        case kStepPlaceNewObject:
            done = ExecutePlace(step);
            break;
        case kStepReinsertObject:
            done = ExecuteReinsert(step);
            break;
        case kStepProperties:
            done = ExecuteProperties(step);
            break;
        case kStepRestoreSelectionProperties:
        case kStepRestoreAllProperties:
            done = ExecuteRestoreStyles(step);
            break;
        case kStepCutTrack:
            done = 0;
            break;
        default:
            if (kind >= kStepCreateFirst && kind <= kStepCreateLast) {
                done = ExecuteCreate(step);
            } else if (kind == kStepRescale || kind == kStepChangeGeometry || kind == kStepSetHeight ||
                       kind == kStepTrackEndElevation || kind == kStepTerrainEditGroup ||
                       kind == kStepRestoreProperties || kind == kStepRestoreJointMarkers ||
                       (kind >= kStepShapeFirst && kind <= kStepShapeLast)) {
                done = step->m_pObject != nullptr && step->m_pObject->ApplyEditStep(step);
            }
            break;
    }
    if (step->m_bGroupStart && !m_bStatusHeld)
        UpdateStatus();
    return done;
}

int CTool::ExecuteProperties(CEditStep* step) {
    // The parent pose lets the dialog offer the selection, all objects and the defaults.
    if (step->m_pObject != nullptr) {
        const CPose parent = step->m_pObject->m_parentPose;
        step->m_pObject->EditProperties(&parent);
    }
    return 0;
}

int CTool::ExecuteRestoreStyles(CEditStep* step) {
    StyleBackupsPayload* saved = step->GetPayload<StyleBackupsPayload>();
    if (saved == nullptr)
        return 0;
    for (StyleBackupsPayload::Backup& backup : saved->backups) {
        if (backup.former != nullptr) {
            backup.object->RestoreFormerState(backup.former.get());
        } else if (auto* group = dynamic_cast<CGroup*>(backup.object)) {
            group->m_strScale = backup.groupScale;
            group->m_bUseBorder = backup.groupUseBorder;
        }
    }
    m_bRedraw = 1;
    return 0;
}

// ---- Engine services ----

BOOL CTool::IsRootGroup(const CPaint* object) const {
    return m_pHost != nullptr && object != nullptr && object == m_pHost->GetRootGroup();
}

BOOL CTool::IsLayerVisible(int layer) const {
    // Test trains lie on layer -2, which no layer flag hides.
    if (layer == -2)
        return TRUE;
    return layer >= 0 && layer < kLayerCount && m_bLayerShown[layer] != 0;
}

int CTool::CountVisibleSelected() const {
    if (m_pHost == nullptr)
        return 0;
    const CPaintList& selected = m_pHost->GetSelection();
    return static_cast<int>(std::count_if(selected.begin(), selected.end(),
                                          [this](CPaint* p) { return IsLayerVisible(p->m_nLayer); }));
}

void CTool::SetSelectionEditState(int state) {
    if (m_pHost == nullptr)
        return;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected)
        if (object->IsSelected())
            object->SetEditState(state);
}

void CTool::RemoveFromSelection(CPaint* object) {
    CPaintList& selection = m_pHost->GetSelection();
    if (CSelectionIndex* index = m_pHost->GetSelectionIndex())
        index->Remove(selection, object);
    else
        selection.remove(object);
    if (m_pSelectionOrder != nullptr)
        m_pSelectionOrder->Removed(object);
}

void CTool::EndHandleDrag() {
    if (m_pHost == nullptr)
        return;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) object->CPaint::TrackCreate(nullptr, -1);
}

int CTool::OnKeyUp(UINT key) {
    if (key < kKeyLeft || key > kKeyDown)
        return 0;
    if (m_pHost != nullptr) {
        CPaint* current = m_pHost->GetCurrentGroup();
        if (current != nullptr && !IsRootGroup(current)) {
            current->RecalcFrame();
            current->ComputeExtent(nullptr);
        }
    }
    m_bRedraw = 1;
    if (m_pHost != nullptr) {
        const CPaintList selected = m_pHost->GetSelection();
        for (CPaint* object : selected) object->Update3D(nullptr);
    }
    return 1;
}

void CTool::EndParallelTrackPreview() {
    if (m_pParallelPreview != nullptr && m_pParallelPreview->IsShown())
        m_pParallelPreview->End();
    if (m_pTrackTools != nullptr && m_pTrackTools->GetChainLength() > 0)
        m_pTrackTools->EndTrackChain();
}

CTrackTools* CTool::TrackTools() {
    if (m_pTrackTools == nullptr)
        m_pTrackTools = MakeTrackTools(*this);
    return m_pTrackTools.get();
}

void CTool::EndTrackChain() {
    if (CTrackTools* tools = TrackTools())
        tools->EndTrackChain();
}

void CTool::OnCreateParallelTrack() {
    if (CTrackTools* tools = TrackTools())
        tools->OnCreateParallelTrack();
}

void CTool::InvalidateRect(const DeviceRect& rect) {
    InvalidateOverlay(rect);
    m_bRedraw = 1;
}

void CTool::InvalidateOverlay(const DeviceRect& rect) {
    m_dirty.Unite(CLayoutArea::FromDevice(rect, Mapping()));
}

void CTool::InvalidateArea(const CLayoutArea& area) {
    m_dirty.Unite(area);
    m_bRedraw = 1;
}

DeviceRect CTool::DirtyAreaInView() const {
    return m_dirty.In(Mapping());
}

void CTool::ForgetDirtyArea() {
    m_dirty.SetEmpty();
    m_bRedraw = 0;
}

int CTool::LayoutToDevice(double value) const {
    return Mapping().ToDevice(value);
}

int CTool::GetSelectedCount() const {
    return m_pHost != nullptr ? static_cast<int>(m_pHost->GetSelection().size()) : 0;
}

double CTool::GetHandleTolerance() const {
    const double ratio = ZoomRatio();
    return ratio > 0.0 ? m_fHandleSize / ratio : m_fHandleSize;
}
