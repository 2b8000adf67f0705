#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/CConnectionPass.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CPaint.h"
#include "model/CRunningTrain.h"
#include "model/CSnapProbe.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackTools.h"
#include "model/CatalogueDefaults.h"
#include "model/Units.h"

namespace {

constexpr int kGridSnapMode = 2;

bool IsAllZero(const DeviceRect& rect) {
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

bool IsCreationTool(int mode) {
    return mode >= kToolMeasureLine && mode <= kToolTerrain;
}

bool IsTrackTool(int mode) {
    return mode >= kToolStraightTrack && mode <= kToolSplineTrack;
}

bool IsConnectTool(int mode) {
    return mode == kToolConnectSpline || mode == kToolConnectCurveStraight;
}

DeviceRect Normalized(DeviceRect rect) {
    rect.Normalize();
    return rect;
}

// The line's bounding box widened by a margin on every side.
DeviceRect LineArea(const DeviceRect& line, int margin) {
    DeviceRect area = Normalized(line);
    area.Inflate(margin);
    return area;
}

// A rotation angle within an eighth of a turn of a multiple of 45 degrees becomes that
// multiple; on a border the larger step wins.
double SnapToEighths(double angle) {
    double snapped = angle;
    for (int step = -8; step <= 8; ++step) {
        const double s = step * kPi / 4.0;
        if (angle >= s - kPi / 8.0 && angle <= s + kPi / 8.0)
            snapped = s;
    }
    return snapped;
}

// Hands the engine the release's walk over the members for as long as it runs.
class ReleaseWalk {
  public:
    ReleaseWalk(CPaintList*& slot, CPaintList& walk) : m_slot(slot) { m_slot = &walk; }
    ReleaseWalk(const ReleaseWalk&) = delete;
    ReleaseWalk& operator=(const ReleaseWalk&) = delete;
    ~ReleaseWalk() { m_slot = nullptr; }

  private:
    CPaintList*& m_slot;
};

}  // namespace

bool CTool::CapsLockOn() const {
    return (m_keyState[kCapsLockKey] & 1) != 0;
}

void CTool::FollowGestureMapping() {
    m_pGestureView = m_pInputView;
}

CDoublePoint CTool::StorePoint(double x, double y) {
    FollowGestureMapping();
    const CDoublePoint point = DeviceToLayout(x, y);
    m_fCurrentX = point.x;
    m_fCurrentY = point.y;
    return point;
}

DeviceRect CTool::PivotMark() const {
    const CPoint pivot = LayoutToDevice(m_fPivotX, m_fPivotY, 0);
    return DeviceRect{pivot.x - m_nPivotMarkSize, pivot.y - m_nPivotMarkSize, pivot.x + m_nPivotMarkSize,
                      pivot.y + m_nPivotMarkSize};
}

CPoint CTool::LayoutToBandPoint(double x, double y) const {
    const double ratio = ZoomRatio();
    return CPoint(static_cast<int>(std::lround(x * ratio)), static_cast<int>(std::lround(y * ratio)));
}

// ---- Press ----

void CTool::OnLButtonDown(UINT flags, double x, double y) {
    StorePoint(x, y);
    m_fPressX = m_fCurrentX;
    m_fPressY = m_fCurrentY;
    m_bButtonDown = 1;
    m_bMoved = 0;
    m_bStartedAtTrackEnd = 0;
    m_track.builtOnEnd = false;
    m_nMouseFlags = static_cast<int>(flags);
    m_nPressSerial = m_nLastSerial;
    m_strTrainStatus.Empty();
    if (m_pHost == nullptr)
        return;
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    if (CPaint* root = m_pHost->GetRootGroup())
        root->SetChanged(0);
    current->SavePose();
    const CPose pose = GetCurrentGroupPose();
    const int mode = m_toolMode;
    if (PressTrackTool(mode, pose))
        return;
    if (mode == kToolRotateAroundOrigin) {
        m_nDragState = 0;
        m_fPivotX = m_fPressX;
        m_fPivotY = m_fPressY;
        m_fReferenceX = m_fReferenceY = 0.0;
        m_fRotationAngle = 0.0;
        InvalidateRect(PivotMark());
        const CPaintList selected = m_pHost->GetSelection();
        for (CPaint* object : selected) object->RecalcBounds();
        KeepFormerStatesOfGesture(mode);
        UpdateStatus();
        return;
    }
    if (mode == kToolSelector)
        PressSelector(pose);
    else if (IsConnectTool(mode))
        PressConnect(pose);
    else if (mode == kToolZoomIn || mode == kToolZoomOut)
        PressZoom();
    else if (IsCreationTool(mode) && m_nMultiPoint == 0)
        PressCreate(pose);
    else if (mode == kToolCutTrack)
        PressCutTrack();
    else if (mode == kToolRunTestTrain)
        PressRunTestTrain();
    if (m_nDraggedHandle != -1) {
        const CPaintList selected = m_pHost->GetSelection();
        for (CPaint* object : selected) {
            object->TrackCreate(&pose, m_nDraggedHandle);
            if (mode == kToolDragHandle)
                object->DragHandle(&pose, m_nDraggedHandle);
        }
        if (mode == kToolDragHandle)
            UpdateHintRect();
    }
    KeepFormerStatesOfGesture(mode);
    UpdateStatus();
}

void CTool::KeepFormerStatesOfGesture(int mode) {
    m_gestureFormerStates.clear();
    // An open group refits its frame to the moved members, which moving them back would not
    // undo exactly.
    const bool movesInOpenGroup = m_nDragState == 1 && !IsRootGroup(GetCurrentGroup());
    // A grabbed handle, the turning one too, kept the object's state at the grab.
    const bool keptAtGrab = mode == kToolSelector && m_nDraggedHandle >= 0;
    if (!keptAtGrab && (mode == kToolRotateAroundOrigin || m_nDragState == 0 || movesInOpenGroup))
        m_gestureFormerStates = FormerStatesOfChangedObjects(1);
}

void CTool::PushGestureFormerStates() {
    if (m_gestureFormerStates.empty())
        return;
    // Taken out of the member first: a full list drops its oldest steps, and forgetting the
    // copies they free looks through the member too (ForgetObject).
    std::vector<std::unique_ptr<CEditStep>> states = std::move(m_gestureFormerStates);
    m_gestureFormerStates.clear();
    states.front()->m_bGroupStart = GestureGroupStart();
    PushSteps(states);
}

void CTool::PressSelector(const CPose& pose) {
    bool hit = PickUpTrain() || GrabHandle(pose);
    bool markerHit = false;
    if (!hit) {
        for (CPaint* member : CurrentGroupMembers()) {
            if (!member->HitTestEndMarker(&pose))
                continue;
            // The piece let go of its end outside a pass and of any undo step.
            m_trackEndFollower.Lose();
            if (IsLayerVisible(member->m_nLayer)) {
                m_bRedraw = 1;
                markerHit = true;
            }
        }
    }
    if (!hit && !markerHit)
        hit = HitMember(pose);
    if (hit) {
        // The selection's ends let go of the pieces lying on them, found through the index.
        const CConnectionPass pass = PassOverPresentEnds();
        const CPaintList selected = m_pHost->GetSelection();
        for (CPaint* object : selected) object->UpdateConnections(&pose, 0);
        return;
    }
    if (markerHit || !IsAllZero(m_rcRubberBand))
        return;
    m_nDragState = 8;
    const CPoint corner = LayoutToBandPoint(m_fPressX, m_fPressY);
    m_rcRubberBand = DeviceRect{corner.x, corner.y, corner.x, corner.y};
    if (!ShiftHeld())
        DeselectAll(1, 1);
}

bool CTool::GrabHandle(const CPose& pose) {
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        m_nDragState = 2;
        const int handle = object->HitTestHandle(&pose, m_fCurrentX, m_fCurrentY);
        if (handle < 0)
            continue;
        m_nDraggedHandle = handle;
        DeselectAll(1, 1);
        object->SelectWithUndo(1, GestureGroupStart());
        // Putting each moved point back where it was would leave rounding in the shape: Undo
        // puts back the object as the press found it.
        std::vector<std::unique_ptr<CEditStep>> former = FormerStatesOfChangedObjects(GestureGroupStart());
        PushSteps(former);
        return true;
    }
    return false;
}

// The press on the members: the first one hit decides, except that a hit selected member
// keeps the whole selection for the move.
bool CTool::HitMember(const CPose&) {
    bool hit = false;
    bool selectedHit = false;
    for (CPaint* member : CurrentGroupMembers()) {
        const bool isHit = IsLayerVisible(member->m_nLayer) && member->HitTest() != nullptr;
        const bool selected = member->IsSelected() != 0;
        if (!isHit) {
            if (selected)
                member->RecalcBounds();
            continue;
        }
        if (selectedHit && !selected)
            continue;
        hit = true;
        m_nDragState = 1;
        member->SavePose();
        EndHandleDrag();
        if (selected && ShiftHeld()) {
            m_bRedraw = 1;
            member->DeselectWithUndo(1, 1);
            break;
        }
        if (selected) {
            member->RecalcBounds();
            selectedHit = true;
            continue;
        }
        if (!ShiftHeld())
            DeselectAll(1, 1);
        // With nothing to deselect, the selection opens the gesture's undo group.
        member->SelectWithUndo(1, GestureGroupStart());
        break;
    }
    return hit;
}

void CTool::PressConnect(const CPose& pose) {
    m_nDragState = m_toolMode == kToolConnectSpline ? 5 : 6;
    m_bConnectDrag = 0;
    m_track.pickCount = 0;
    for (CPaint* member : CurrentGroupMembers()) {
        if (member->HitTestEnd(&pose, m_fCurrentX, m_fCurrentY, 1) < 0)
            continue;
        DeselectAll(1, 1);
        m_bConnectDrag = 1;
        m_track.pickCount = 1;
        const CPoint start = LayoutToDevice(m_fPressX, m_fPressY, 0);
        m_rcConnectLine = DeviceRect{start.x, start.y, start.x, start.y};
        return;
    }
}

void CTool::PressZoom() {
    m_bButtonDown = 0;
    m_bMoved = 0;
    if (m_toolMode == kToolZoomIn && CanZoomIn())
        SetViewScale(m_fZoomNumerator * 2.0, m_fZoomDenominator);
    else if (m_toolMode == kToolZoomOut && CanZoomOut())
        SetViewScale(m_fZoomNumerator * 0.5, m_fZoomDenominator);
    UpdateDeviceBounds();
}

void CTool::PressCreate(const CPose& pose) {
    const int mode = m_toolMode;
    m_nDragState = 2;
    if (!m_pHost->GetSelection().empty())
        DeselectAll(1, 1);
    double x = m_fCurrentX, y = m_fCurrentY;
    if (IsTrackTool(mode) && (m_nSnapMode == 0 || m_nSnapMode == 1)) {
        m_bConnectDrag = 0;
        for (CPaint* member : CurrentGroupMembers())
            if (member->HitTestEnd(&pose, m_fCurrentX, m_fCurrentY, 0) >= 0) {
                x = m_probe.firstX;
                y = m_probe.firstY;
                m_bStartedAtTrackEnd = 1;
                m_track.builtOnEnd = true;
                m_track.builtOnX = x;
                m_track.builtOnY = y;
                break;
            }
    }
    CPaint* object = CreateObjectForTool(mode);
    if (object == nullptr)
        return;
    PlaceNewObject(object, x, y, GetCurrentGroup(), 1);
    object->SetEditState(4);
    const ToolModeInfo& info = GetToolModeInfo(mode);
    m_nDraggedHandle = info.followingHandle;
    if (info.multiPoint)
        m_nMultiPoint = 2;
}

void CTool::PressCutTrack() {
    DeselectAll(1, 1);
    for (CPaint* member : CurrentGroupMembers())
        if (IsLayerVisible(member->m_nLayer) && member->HitTest() != nullptr) {
            member->CutAtToolPoint();
            break;
        }
    m_bRedraw = 1;
}

// ---- Test trains ----

// Trains come before the layout's objects: the first one hit is taken up and stops, every
// other train lets go of its selection.
bool CTool::PickUpTrain() {
    CPaint* taken = nullptr;
    for (CPaint* train : m_pHost->GetTestTrains()) {
        CRunningTrain* running = CRunningTrain::Of(train);
        if (running == nullptr)
            continue;
        if (taken == nullptr && IsLayerVisible(train->m_nLayer) && train->HitTest() != nullptr) {
            taken = train;
            running->MarkSelected();
            running->ResetRun();
        } else {
            running->MarkDeselected();
        }
    }
    if (taken == nullptr)
        return false;
    DeselectAll(1, 1);
    return true;
}

void CTool::PressRunTestTrain() {
    const BOOL hadTrain = m_pHost->AnyDocumentHasTrain();
    CPaint* train = CRunningTrain::Make(this, m_fCurrentX, m_fCurrentY);
    if (train == nullptr)
        return;
    train->SetLayer(m_nActiveLayer);
    m_pHost->AddTestTrain(train);
    train->DragHandle(nullptr, -1);
    DeselectAll(1, 1);
    if (!hadTrain)
        m_pHost->StartTrainTimer();
}

CPaint* CTool::FirstSelectedTrain() {
    for (CPaint* train : m_pHost->GetTestTrains())
        if (train->IsSelected() && CRunningTrain::Of(train) != nullptr)
            return train;
    return nullptr;
}

void CTool::DragTrain(double dx, double dy) {
    if (CPaint* train = FirstSelectedTrain())
        CRunningTrain::Of(train)->MoveBy(dx, dy, 1);
}

// A train set down looks for the track under its front and runs. One placed with the tool
// looks first, so that its properties, shown with the trains paused, tell whether it found
// track.
void CTool::SetTrainDown(const CPose& pose, int mode) {
    CPaint* train = FirstSelectedTrain();
    if (train == nullptr)
        return;
    CRunningTrain::Of(train)->MarkDeselected();
    train->FindConnection(&pose);
    if (mode == kToolRunTestTrain) {
        m_pHost->SetModalDialogFlag(TRUE);
        train->EditProperties(&pose);
        m_pHost->SetModalDialogFlag(FALSE);
        if (CapsLockOn())
            m_toolMode.Set(kToolSelector);
    }
    train->Update3D(&pose);
    if (!m_pHost->IsTrainTimerRunning())
        m_pHost->StartTrainTimer();
    ShowTrainStatus(*CRunningTrain::Of(train));
}

// ---- Track tools ----

// The chain picker, the parallel-track tool and the elevation tool take the whole gesture.
bool CTool::PressTrackTool(int mode, const CPose& pose) {
    CTrackTools* tools = TrackTools();
    CGroup* current = GetCurrentGroup();
    if (mode == kToolSelectTrackChain) {
        m_pHost->ReadKeyboardState(m_keyState);
        if ((m_keyState[kShiftKey] & 0x80) == 0)
            DeselectAll(1, 1);
        if (tools != nullptr)
            tools->OnTrackChainMouse(1, current, &pose);
        return true;
    }
    if (m_bParallelToolActive) {
        if (tools != nullptr)
            tools->OnParallelTrackMouse(1, current, &pose);
        return true;
    }
    if (m_bChainToolActive) {
        if (tools != nullptr)
            tools->OnTrackChainMouse(1, current, &pose);
        return true;
    }
    if (mode == kToolSetTrackElevations) {
        if (tools != nullptr)
            tools->OnElevationToolMouse(1, current, &pose);
        m_nDragState = 7;
        return true;
    }
    return false;
}

// The moves (phase 3) and the release (phase 2) of a gesture a track tool took. A move
// reaches the parallel-track tool and then the chain or the elevation tool; the release only
// the first of the chain, the parallel-track tool and the elevation tool that runs.
bool CTool::FollowTrackTool(int phase, int mode, const CPose& pose) {
    const bool chain = mode == kToolSelectTrackChain || m_bChainToolActive;
    if (!chain && !m_bParallelToolActive && mode != kToolSetTrackElevations)
        return false;
    CTrackTools* tools = TrackTools();
    if (tools == nullptr)
        return true;
    CGroup* current = GetCurrentGroup();
    const bool move = phase == 3;
    if (m_bParallelToolActive && (move || !chain))
        tools->OnParallelTrackMouse(phase, current, &pose);
    if (chain)
        tools->OnTrackChainMouse(phase, current, &pose);
    else if (mode == kToolSetTrackElevations && (move || !m_bParallelToolActive))
        tools->OnElevationToolMouse(phase, current, &pose);
    if (!move)
        m_nDragState = -1;
    return true;
}

// The connect tools join the pressed end to the end under the release.
void CTool::ReleaseConnect(int mode, const CPose& pose) {
    InvalidateRect(LineArea(m_rcConnectLine, static_cast<int>(std::lround(m_fHandleSize))));
    m_bRedraw = 1;
    if (m_bConnectDrag) {
        for (CPaint* member : CurrentGroupMembers()) {
            if (member->HitTestEnd(&pose, m_fCurrentX, m_fCurrentY, 1) < 0)
                continue;
            if (CTrackTools* tools = TrackTools())
                tools->ConnectPickedEnds(mode, GetCurrentGroup(), &pose);
            break;
        }
    }
    m_track.pickCount = 0;
    m_bConnectDrag = 0;
    m_rcConnectLine.SetEmpty();
}

// ---- Double click and right button ----

void CTool::OnLButtonDblClk(UINT, double x, double y) {
    StorePoint(x, y);
    if (m_pHost == nullptr)
        return;
    if (m_nMultiPoint == 0) {
        ShowPropertiesAtPoint();
        return;
    }
    FinishMultiPoint(GetCurrentGroupPose());
    m_pHost->RepaintDirtyViews();
}

// The first click of a double click has selected the object under the cursor; the selector's
// double click opens that object's properties.
void CTool::ShowPropertiesAtPoint() {
    if (m_toolMode != kToolSelector)
        return;
    for (CPaint* member : CurrentGroupMembers())
        if (member->IsSelected() && IsLayerVisible(member->m_nLayer) && member->HitTest() != nullptr) {
            member->m_bChanged = 1;
            ShowProperties();
            return;
        }
}

void CTool::FinishMultiPoint(const CPose& pose) {
    for (CPaint* member : SelectedVisibleMembers()) {
        if (member->FinishCreate(&pose, m_nDraggedHandle))
            member->SetEditState(-1);
        else
            RemoveInvalidNewObject(member);
    }
    m_nMultiPoint = 0;
    // The drag of the rubber-band vertex ends here, and its hint goes with it.
    m_nDragState = -1;
    m_nDraggedHandle = -1;
    m_hint.m_strText.Empty();
    InvalidateRect(m_hint.m_rect);
}

void CTool::EndPointEntry() {
    if (m_nMultiPoint != 0)
        FinishMultiPoint(GetCurrentGroupPose());
}

// A new object that came out invalid leaves the layout together with the step of its
// placement, so that undo never brings back an empty object. Its destruction drops exactly
// the steps that name it, whatever was pushed after them. When those were the newest steps,
// the layout is back as it stood before them, as their Undo would leave it: a click that made
// nothing leaves a saved layout unmodified.
void CTool::RemoveInvalidNewObject(CPaint* object) {
    const bool backToEarlierState = NamedByNewestStepsOnly(object);
    const bool savedReachable = m_bSavedReachable;
    object->Invalidate();
    DetachObject(object);
    object->ReleaseData();
    object->Remove3D();
    delete object;
    if (!backToEarlierState)
        return;
    m_bSavedReachable = savedReachable;
    UpdateModifiedAfterUndo();
}

void CTool::OnRButtonDown(UINT flags, double x, double y) {
    StorePoint(x, y);
    m_nMouseFlags = static_cast<int>(flags);
    if (m_pHost == nullptr)
        return;
    if (CPaint* root = m_pHost->GetRootGroup())
        root->SetChanged(0);
    const CPose pose = GetCurrentGroupPose();
    // The right button ends a multi-point creation as the double click does: a valid object
    // stays, an invalid one goes with its placement step.
    if (m_nMultiPoint != 0) {
        FinishMultiPoint(pose);
        return;
    }
    for (CPaint* member : CurrentGroupMembers()) {
        if (!IsLayerVisible(member->m_nLayer) || member->HitTest() == nullptr)
            continue;
        if (!member->IsSelected() && !ShiftHeld())
            DeselectAll(1, 1);
        member->SelectWithUndo(1, 1);
        member->SetEditState(-1);
        member->m_bChanged = 1;
        return;
    }
    DeselectAll(1, 1);
}

// ---- Move ----

void CTool::OnMouseMove(UINT flags, double x, double y, int held) {
    FollowGestureMapping();
    const CDoublePoint point = DeviceToLayout(x, y);
    if (point.x == m_fCurrentX && point.y == m_fCurrentY)
        return;
    const double dx = point.x - m_fCurrentX;
    const double dy = point.y - m_fCurrentY;
    m_fCurrentX = point.x;
    m_fCurrentY = point.y;
    m_nMouseFlags = static_cast<int>(flags);
    m_bMoved = 1;
    const CLengthFormat format(m_pHost != nullptr ? m_pHost->GetUnitIndex() : kDefaultUnitIndex);
    CString lengthX, lengthY;
    format.FormatLength(lengthX, point.x);
    format.FormatLength(lengthY, -point.y);
    m_status.m_strPosition = "(" + lengthX + "," + lengthY + ")";
    m_track.candidate.found = 0;
    m_track.snap.found = 0;
    const int mode = m_toolMode;
    if (m_pHost == nullptr)
        return;
    const CPose pose = GetCurrentGroupPose();
    if (FollowTrackTool(3, mode, pose))
        return;
    if (!held && m_nMultiPoint == 0)
        return;
    // A train placed with the tool follows the mouse as one picked up does.
    if ((mode == kToolSelector || mode == kToolRunTestTrain) && m_bButtonDown && m_nDraggedHandle == -1)
        DragTrain(dx, dy);
    if (mode == kToolSelector && m_bButtonDown && m_nDraggedHandle == -1) {
        if (IsAllZero(m_rcRubberBand)) {
            SetSelectionEditState(1);
            MoveSelection(m_fCurrentX - m_fPressX, m_fCurrentY - m_fPressY, 1, 0, 0);
        } else {
            MoveBand();
        }
    }
    if ((mode == kToolRotateAroundOrigin || m_nDragState == 0) && m_bButtonDown)
        MoveRotate();
    if (m_nDraggedHandle >= 0)
        MoveHandle(pose);
    if (IsConnectTool(mode) && m_bConnectDrag) {
        const int margin = static_cast<int>(std::lround(m_fHandleSize));
        InvalidateOverlay(LineArea(m_rcConnectLine, margin));
        const CPoint end = LayoutToDevice(m_fCurrentX, m_fCurrentY, 0);
        m_rcConnectLine.right = end.x;
        m_rcConnectLine.bottom = end.y;
        InvalidateOverlay(LineArea(m_rcConnectLine, margin));
    }
}

void CTool::MoveBand() {
    InvalidateOverlay(Normalized(m_rcRubberBand));
    const CPoint corner = LayoutToBandPoint(m_fCurrentX, m_fCurrentY);
    m_rcRubberBand.right = corner.x;
    m_rcRubberBand.top = corner.y;
    InvalidateOverlay(Normalized(m_rcRubberBand));
}

void CTool::MoveRotate() {
    SetSelectionEditState(0);
    const bool outside = std::fabs(m_fCurrentX - m_fPivotX) > m_nPivotMarkSize ||
                         std::fabs(m_fCurrentY - m_fPivotY) > m_nPivotMarkSize;
    // The rotation handle (handle 0) set its reference at the press, so it turns as the rotate
    // tool does; any other dragged handle turns nothing.
    if (outside && m_nDraggedHandle <= 0) {
        if (m_fReferenceX == 0.0 && m_fReferenceY == 0.0) {
            m_fReferenceX = m_fCurrentX;
            m_fReferenceY = m_fCurrentY;
        } else {
            m_fRotationAngle =
                AngleBetween(m_fPivotX, m_fPivotY, m_fCurrentX, m_fCurrentY, m_fReferenceX, m_fReferenceY);
        }
    }
    if (ShiftHeld())
        m_fRotationAngle = SnapToEighths(m_fRotationAngle);
    const CDoublePoint pivot{m_fPivotX, m_fPivotY};
    RotateSelection(m_fRotationAngle, &pivot, 1, 0, 0);
}

void CTool::MoveHandle(const CPose& pose) {
    SnapDraggedEndToGrid();
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        if (object->m_bLocked) {
            object->SetEditState(2);
            object->Invalidate();
            continue;
        }
        if (m_toolMode == kToolDragHandle) {
            object->DragHandle(&pose, m_nDraggedHandle);
            UpdateHintRect();
        } else {
            object->SetEditState(2);
            object->DragHandle(&pose, m_nDraggedHandle);
            UpdateStatus();
        }
        SetHandleHint(object);
    }
}

// The release moves nothing after a handle drag, so under the grid's snap the dragged end
// follows the grid point nearest the mouse: it is drawn, and laid, on the grid.
void CTool::SnapDraggedEndToGrid() {
    if (!ReshapedByHandle(m_toolMode) || m_nSnapMode != kGridSnapMode)
        return;
    m_fCurrentX += GridCorrection(m_fCurrentX, m_pHost->GetGridWidth());
    m_fCurrentY += GridCorrection(m_fCurrentY, m_pHost->GetGridHeight());
}

void CTool::SetHandleHint(CPaint* object) {
    if (m_nDraggedHandle == 0) {
        m_hint.m_strText.Format("%.2f\xB0", m_status.m_fRotation);
        return;
    }
    // An end's elevation drag keeps the grade label its track wrote and adds the measures.
    if (m_toolMode != kToolDragHandle)
        m_hint.m_strText.Empty();
    object->AppendStatusText(m_hint.m_strText);
}

// ---- Release ----

void CTool::OnLButtonUp(UINT flags, double x, double y) {
    const CPose pose = GetCurrentGroupPose();
    StorePoint(x, y);
    m_bButtonDown = 0;
    m_bMoved = 0;
    m_nMouseFlags = static_cast<int>(flags);
    if (m_pHost == nullptr)
        return;
    m_pHost->ReadKeyboardState(m_keyState);
    const int mode = m_toolMode;
    if (FollowTrackTool(2, mode, pose))
        return;
    if ((mode == kToolZoomIn && (!CanZoomIn() || CapsLockOn())) ||
        (mode == kToolZoomOut && (!CanZoomOut() || CapsLockOn()))) {
        m_toolMode.Set(kToolSelector);
        return;
    }
    if (mode == kToolRotateAroundOrigin || m_nDragState == 0) {
        InvalidateRect(PivotMark());
        m_bRedraw = 1;
    }
    if (!IsAllZero(m_rcRubberBand)) {
        ReleaseBand();
        return;
    }
    if (m_nMultiPoint == 0) {
        const bool handleDragged =
            m_nDraggedHandle >= 0 && (mode == kToolSelector || mode == kToolDragHandle);
        if (m_nDragState == 1) {
            const double dx = m_fCurrentX - m_fPressX;
            const double dy = m_fCurrentY - m_fPressY;
            const bool kept = !m_gestureFormerStates.empty();
            if ((dx != 0.0 || dy != 0.0) && MoveSelection(dx, dy, 1, kept ? 0 : 1, 1) && kept)
                PushGestureFormerStates();
        }
        if (mode == kToolRotateAroundOrigin || m_nDragState == 0) {
            // The turn so far has left rounding in the placements, which turning back would
            // not take out: Undo puts back the states the press found.
            const CDoublePoint pivot{m_fPivotX, m_fPivotY};
            if (RotateSelection(m_fRotationAngle, &pivot, 1, 0, 0))
                PushGestureFormerStates();
        }
        m_gestureFormerStates.clear();
        m_track.candidate.found = 0;
        m_track.snap.found = 0;
        SetTrainDown(pose, mode);
        if (IsConnectTool(mode))
            ReleaseConnect(mode, pose);
        const bool snaps = !ReshapedByHandle(mode) && !ReleaseMovedNothing(mode);
        if (snaps && (m_nSnapMode == 2 || m_nSnapMode == 3) &&
            (mode < kToolZoomIn || mode > kToolConnectCurveStraight))
            ReleaseSnapToGrid(pose);
        bool accepted = false;
        if (snaps && (m_nSnapMode == 0 || m_nSnapMode == 1))
            accepted = ReleaseTrackSnap(pose);
        ReleaseFinishMembers(pose, mode, accepted);
        JoinMarkedEnds();
        if (CPaint* root = m_pHost->GetRootGroup())
            root->SetChanged(0);
        if (m_toolMode == kToolDragHandle)
            UpdateHintRect();
        // What a class records at the press and the release of its handle is one drag.
        if (handleDragged)
            OpenUndoGroupAfter(m_nPressSerial);
        m_nDraggedHandle = -1;
    }
    CGroup* current = GetCurrentGroup();
    if (current != nullptr && current->m_bBeingEdited) {
        current->ComputeExtent(nullptr);
        current->RecalcFrame();
        current->ComputeExtent(nullptr);
    }
    UpdateStatus();
    m_hint.m_strText.Empty();
    if (m_nMultiPoint != 0)
        return;
    m_nDragState = -1;
    if (CapsLockOn() || m_toolMode == kToolDragHandle)
        m_toolMode.Set(kToolSelector);
}

void CTool::ReleaseBand() {
    InvalidateRect(Normalized(m_rcRubberBand));
    // Hit tests read the band in device units, as the view's repair after a scroll gives them
    // their strip: each class maps its outline to the screen, where the band was drawn.
    m_rcRubberBand = Normalized(m_rcRubberBand);
    for (CPaint* member : CurrentGroupMembers())
        if (IsLayerVisible(member->m_nLayer) && member->HitTest() != nullptr)
            member->SelectWithUndo(1, GestureGroupStart());
    m_rcRubberBand.SetEmpty();
    m_bRedraw = 1;
}

// A snap turns or shifts the whole selection, which would carry the ends that the handle
// drag held still away from their joints and the dragged end away from where it was drawn.
bool CTool::ReshapedByHandle(int mode) const {
    return m_nDraggedHandle > 0 && (mode == kToolSelector || mode == kToolDragHandle);
}

// A click on the selection, or a turn that came back to no angle, only selects: what lies
// near the selection must not pull it away from where it lay.
bool CTool::ReleaseMovedNothing(int mode) const {
    const bool inPlace = m_fCurrentX == m_fPressX && m_fCurrentY == m_fPressY;
    if (mode == kToolRotateAroundOrigin || m_nDragState == 0)
        return inPlace && m_fRotationAngle == 0.0;
    return inPlace && m_nDragState == 1;
}

void CTool::ReleaseSnapToGrid(const CPose& pose) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    // The group answers the correction that takes its selection onto the snap point.
    double correctionX = 0.0, correctionY = 0.0;
    current->NearestEndPoint(correctionX, correctionY, &pose);
    const CDoublePoint offset = CPose().WorldToLocal(pose, correctionX, correctionY);
    const CDoublePoint origin = CPose().WorldToLocal(pose, 0.0, 0.0);
    const double dx = offset.x - origin.x;
    const double dy = offset.y - origin.y;
    if (dx * dx + dy * dy < m_fSnapDistance * m_fSnapDistance)
        current->MoveSelectedMembers(&pose, dx, dy);
}

bool CTool::ReleaseTrackSnap(const CPose& pose) {
    bool accepted = false;
    // Each end probes only the pieces with an end within the snap distance of it.
    CTrackEndIndex nearEnds;
    nearEnds.Rebuild(m_pHost->GetRootGroup(), m_fSnapDistance);
    const CSnapProbe probe(m_track, nearEnds);
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        if (!IsLayerVisible(object->m_nLayer))
            continue;
        if (object->m_bLocked)
            object->Invalidate();
        else if (object->FindConnection(&pose))
            accepted = true;
    }
    return accepted;
}

void CTool::ReleaseFinishMembers(const CPose& pose, int mode, bool accepted) {
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return;
    // A member's end may take back the gesture and free objects; the walk forgets them.
    CPaintList members = current->m_members;
    const ReleaseWalk walk(m_pReleaseWalk, members);
    while (!members.empty()) {
        CPaint* member = members.front();
        members.pop_front();
        if (!member->IsSelected())
            continue;
        std::unique_ptr<CEditStep> turnBack;
        if (accepted && !member->m_bLocked && IsLayerVisible(member->m_nLayer))
            turnBack = TurnOntoConnection(member, pose);
        if (member->FinishCreate(&pose, m_nDraggedHandle)) {
            member->SetEditState(-1);
            if (turnBack != nullptr) {
                // One Undo takes back the gesture together with its snap; a snap that no step
                // of the gesture came before is a command of its own.
                turnBack->m_bGroupStart = GestureOpenedUndoGroup() ? 0 : 1;
                PushUndo(turnBack.release());
            }
            continue;
        }
        if (mode >= 3 && mode <= 28) {
            RemoveInvalidNewObject(member);
            continue;
        }
        // An edit made an existing object invalid: it leaves the layout, and undo puts it back.
        DetachObject(member);
        PushUndo(new CEditStep(kStepReinsertObject, member, 0));
    }
}

bool CTool::GestureOpenedUndoGroup() const {
    // A command that joins many pieces asks once per joint; the walk down to the start of its
    // own group is made once, not once per joint.
    if (m_nOpenedGroupSerial > m_nPressSerial && StartsUndoGroup(m_nOpenedGroupSerial))
        return true;
    for (const UndoEntry& entry : m_undoList) {
        if (entry.serial <= m_nPressSerial)
            return false;
        if (entry.step->m_bGroupStart) {
            m_nOpenedGroupSerial = entry.serial;
            return true;
        }
    }
    return false;
}

bool CTool::StartsUndoGroup(unsigned long serial) const {
    // The newest step is at the head, so serials fall along the list.
    const auto at =
        std::lower_bound(m_undoList.begin(), m_undoList.end(), serial,
                         [](const UndoEntry& entry, unsigned long sought) { return entry.serial > sought; });
    return at != m_undoList.end() && at->serial == serial && at->step->m_bGroupStart != 0;
}

std::unique_ptr<CEditStep> CTool::TurnOntoConnection(CPaint* member, const CPose& pose) {
    // The member's former state puts back its exact placement and heights, where turning it
    // back by the snap's angle would leave rounding behind.
    auto turnBack = std::make_unique<CEditStep>(kStepRestoreProperties, member, 0);
    turnBack->SetPayload(std::make_unique<ObjectCopyPayload>(member->Clone()));
    if (m_nSnapMode == 0)
        member->RotateWithPivot(&pose);
    else
        member->RotateWithPivotHalfTurn(&pose);
    return turnBack;
}

void CTool::BeginRotation(double pivotX, double pivotY) {
    m_fPivotX = pivotX;
    m_fPivotY = pivotY;
    m_nDragState = 0;
    m_fReferenceX = m_fCurrentX;
    m_fReferenceY = m_fCurrentY;
    m_fRotationAngle = 0.0;
}
