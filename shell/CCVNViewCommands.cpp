#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/CRunningTrain.h"
#include "model/CTerrainSurface.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdUI.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CMainFrame.h"
#include "shell/CRotateByDegreesDialog.h"
#include "shell/PlanDialogs.h"

// The editing commands of the menus, tool bars, keys and context menu, handed to the
// document's editing engine.

namespace {

constexpr double kHalfTurn = 3.1415926535;
constexpr int kSnapTrack = 0;
constexpr int kSnapGrid = 2;
constexpr int kSnapCorners = 3;
constexpr int kSnapOff = -1;

}  // namespace

BEGIN_MESSAGE_MAP(CCVNView, CScrollView)
ON_COMMAND(ID_GROUP, OnGroup)
ON_COMMAND(ID_UNGROUP, OnUngroup)
ON_COMMAND(ID_EDIT_LOCK, OnLock)
ON_COMMAND(ID_EDIT_UNLOCK, OnUnlock)
ON_COMMAND(ID_EDIT_ENTER_GROUP, OnEnterGroup)
ON_COMMAND(ID_EDIT_EXIT_GROUP, OnExitGroup)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
ON_COMMAND(ID_EDIT_DELETE, OnDelete)
ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, OnUpdateNeedsSelectionOrTrain)
ON_COMMAND(ID_EDIT_DUPLICATE, OnDuplicate)
ON_UPDATE_COMMAND_UI(ID_EDIT_DUPLICATE, OnUpdateNeedsSelection)
ON_COMMAND(ID_EDIT_PROPERTIES, OnProperties)
ON_COMMAND(ID_TERRAIN_EDITOR, OnTerrainEditor)
ON_UPDATE_COMMAND_UI(ID_TERRAIN_EDITOR, OnUpdateTerrainEditor)
ON_UPDATE_COMMAND_UI(ID_EDIT_PROPERTIES, OnUpdateProperties)
ON_COMMAND(ID_EDIT_CUT, OnCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedsSelection)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedsSelection)
ON_COMMAND(ID_EDIT_PASTE, OnPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePaste)
ON_COMMAND(ID_EDIT_UNDO, OnUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateUndo)
ON_COMMAND(ID_SEND_TO_BACK, OnSendToBack)
ON_UPDATE_COMMAND_UI(ID_SEND_TO_BACK, OnUpdateNeedsSelection)
ON_COMMAND(ID_BRING_TO_FRONT, OnBringToFront)
ON_UPDATE_COMMAND_UI(ID_BRING_TO_FRONT, OnUpdateNeedsSelection)
ON_COMMAND(ID_ROTATE_180, OnRotate180)
ON_UPDATE_COMMAND_UI(ID_ROTATE_180, OnUpdateNeedsSelection)
ON_COMMAND(ID_ROTATE_LEFT, OnRotateLeft)
ON_UPDATE_COMMAND_UI(ID_ROTATE_LEFT, OnUpdateNeedsSelection)
ON_COMMAND(ID_ROTATE_RIGHT, OnRotateRight)
ON_UPDATE_COMMAND_UI(ID_ROTATE_RIGHT, OnUpdateNeedsSelection)
ON_COMMAND(ID_ROTATE_BY_DEGREES, OnRotateByDegrees)
ON_UPDATE_COMMAND_UI(ID_ROTATE_BY_DEGREES, OnUpdateNeedsSelection)
ON_COMMAND(ID_LAYERS, OnLayers)
ON_COMMAND(ID_FLIP_2D_HORIZONTAL, OnFlipHorizontal)
ON_UPDATE_COMMAND_UI(ID_FLIP_2D_HORIZONTAL, OnUpdateNeedsSelectionOutsideGroupEdit)
ON_COMMAND(ID_FLIP_2D_VERTICAL, OnFlipVertical)
ON_UPDATE_COMMAND_UI(ID_FLIP_2D_VERTICAL, OnUpdateNeedsSelectionOutsideGroupEdit)
ON_COMMAND(ID_TRACK_SNAP, OnTrackSnap)
ON_UPDATE_COMMAND_UI(ID_TRACK_SNAP, OnUpdateTrackSnap)
ON_COMMAND(ID_SNAP_TO_GRID, OnSnapToGrid)
ON_UPDATE_COMMAND_UI(ID_SNAP_TO_GRID, OnUpdateSnapToGrid)
ON_COMMAND(ID_SNAP_TO_OBJECT_CORNERS, OnSnapToCorners)
ON_UPDATE_COMMAND_UI(ID_SNAP_TO_OBJECT_CORNERS, OnUpdateSnapToCorners)
ON_COMMAND(ID_SHOW_GRID, OnShowGrid)
ON_UPDATE_COMMAND_UI(ID_SHOW_GRID, OnUpdateShowGrid)
ON_COMMAND(ID_TOOL_ZOOM_IN, OnToolZoomIn)
ON_UPDATE_COMMAND_UI(ID_TOOL_ZOOM_IN, OnUpdateZoomIn)
ON_COMMAND(ID_TOOL_ZOOM_OUT, OnToolZoomOut)
ON_UPDATE_COMMAND_UI(ID_TOOL_ZOOM_OUT, OnUpdateZoomOut)
ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
ON_UPDATE_COMMAND_UI(ID_ZOOM_IN, OnUpdateZoomIn)
ON_COMMAND(ID_ZOOM_OUT, OnZoomOut)
ON_UPDATE_COMMAND_UI(ID_ZOOM_OUT, OnUpdateZoomOut)
ON_COMMAND(ID_ZOOM_FIT, OnZoomFit)
ON_COMMAND(ID_ZOOM_NORMAL, OnZoomNormal)
ON_UPDATE_COMMAND_UI(ID_ZOOM_NORMAL, OnUpdateZoomNormal)
ON_COMMAND(ID_CONNECT_USING_SPLINE, OnConnectSpline)
ON_UPDATE_COMMAND_UI(ID_CONNECT_USING_SPLINE, OnUpdateConnectSpline)
ON_COMMAND(ID_CONNECT_USING_CURVE_STRAIGHT, OnConnectCurveStraight)
ON_UPDATE_COMMAND_UI(ID_CONNECT_USING_CURVE_STRAIGHT, OnUpdateConnectCurveStraight)
ON_COMMAND(ID_CUT_TRACK, OnCutTrack)
ON_UPDATE_COMMAND_UI(ID_CUT_TRACK, OnUpdateCutTrack)
ON_COMMAND(ID_SELECT_TRACK_CHAIN, OnSelectTrackChain)
ON_COMMAND(ID_CREATE_PARALLEL_TRACK, OnCreateParallelTrack)
ON_UPDATE_COMMAND_UI(ID_CREATE_PARALLEL_TRACK, OnUpdateCreateParallelTrack)
ON_COMMAND(ID_SET_SELECTED_TRACK_ELEVATIONS, OnSetSelectedTrackElevations)
ON_UPDATE_COMMAND_UI(ID_SET_SELECTED_TRACK_ELEVATIONS, OnUpdateSetSelectedTrackElevations)
ON_COMMAND(ID_CHAIN_TRACK_ELEVATIONS, OnChainTrackElevations)
ON_UPDATE_COMMAND_UI(ID_CHAIN_TRACK_ELEVATIONS, OnUpdateChainTrackElevations)
ON_UPDATE_COMMAND_UI(ID_SELECT_TRACK_CHAIN, OnUpdateSelectTrackChain)
ON_COMMAND(ID_TOOL_TERRAIN, OnToolTerrain)
ON_UPDATE_COMMAND_UI(ID_TOOL_TERRAIN, OnUpdateToolTerrain)
ON_COMMAND(ID_STOP_TEST_TRAIN, OnStopTestTrain)
ON_COMMAND(ID_CAMERA_TURN_LEFT, OnNudgeLeft)
ON_COMMAND(ID_CAMERA_TURN_RIGHT, OnNudgeRight)
ON_COMMAND(ID_CAMERA_MOVE_FORWARD, OnNudgeUp)
ON_COMMAND(ID_CAMERA_MOVE_BACKWARD, OnNudgeDown)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreviewPaused)
ON_COMMAND(ID_PLAN_MATERIALS_REPORT, OnPlanMaterialsReport)
ON_COMMAND(ID_PLAN_PARTS_LIST, OnPlanPartsList)
END_MESSAGE_MAP()

BOOL CCVNView::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    // Only a command that runs ends the entry; the update and handler probes do not.
    if (code != CN_COMMAND || handlerInfo != nullptr)
        return CScrollView::OnCmdMsg(id, code, extra, handlerInfo);
    EndPointEntry();
    // Only the view's own commands are held: a command the document runs may close it.
    if (!CWnd::OnCmdMsg(id, code, extra, this))
        return CScrollView::OnCmdMsg(id, code, extra, handlerInfo);
    // Whatever steps a command pushes, one Undo takes back the whole command and no more.
    CTool& tool = Tool();
    const unsigned long before = tool.NewestUndoSerial();
    const BOOL done = CWnd::OnCmdMsg(id, code, extra, handlerInfo);
    tool.OpenUndoGroupAfter(before);
    return done;
}

void CCVNView::RedrawAndRepaint() {
    Tool().m_bRedraw = 1;
    RepaintDirty();
}

void CCVNView::OnGroup() {
    if (Tool().GroupSelection(1))
        RepaintDirty();
}

void CCVNView::OnUngroup() {
    if (Tool().UngroupSelection(1))
        RepaintDirty();
}

void CCVNView::OnLock() {
    Tool().LockSelection(1);
    RepaintDirty();
}

void CCVNView::OnUnlock() {
    Tool().UnlockSelection(1);
    RepaintDirty();
}

void CCVNView::OnEnterGroup() {
    if (Tool().EnterGroupEdit(1))
        RepaintDirty();
}

void CCVNView::OnExitGroup() {
    if (Tool().ExitGroupEdit(1))
        RepaintDirty();
}

void CCVNView::OnSelectAll() {
    Tool().SelectAll(1);
    RepaintDirty();
}

void CCVNView::OnDelete() {
    Tool().DeleteSelection(1);
    RepaintDirty();
}

void CCVNView::OnDuplicate() {
    Tool().DuplicateSelection();
    RedrawAndRepaint();
}

void CCVNView::OnProperties() {
    Tool().ShowProperties();
    RedrawAndRepaint();
}

void CCVNView::OnTerrainEditor() {
    auto* terrain = dynamic_cast<CTerrainSurface*>(GetDocument()->GetSelectedMount());
    if (terrain == nullptr)
        return;
    terrain->RunEditor();
    RedrawAndRepaint();
}

void CCVNView::OnUpdateTerrainEditor(CCmdUI* cmdUI) {
    cmdUI->Enable(GetDocument()->GetSelectedMount() != nullptr);
}

void CCVNView::OnCut() {
    Tool().Cut();
    RedrawAndRepaint();
}

void CCVNView::OnCopy() {
    Tool().CopySelection();
    RepaintDirty();
}

void CCVNView::OnPaste() {
    Tool().Paste();
    RepaintDirty();
}

void CCVNView::OnUndo() {
    Tool().Undo();
    RepaintDirty();
}

void CCVNView::OnSendToBack() {
    Tool().SendToBack();
    RedrawAndRepaint();
}

void CCVNView::OnBringToFront() {
    Tool().BringToFront();
    RedrawAndRepaint();
}

void CCVNView::RotateSelectionBy(double angle) {
    CTool& tool = Tool();
    tool.RotateSelection(angle, nullptr, 0, 1, 1);
    CGroup* current = tool.GetCurrentGroup();
    if (current != nullptr && !tool.IsRootGroup(current)) {
        current->RecalcFrame();
        current->ComputeExtent(nullptr);
        current->Invalidate();
    }
    RedrawAndRepaint();
}

void CCVNView::OnRotate180() {
    RotateSelectionBy(kHalfTurn);
}

void CCVNView::OnRotateLeft() {
    RotateSelectionBy(kHalfTurn * 0.5);
}

void CCVNView::OnRotateRight() {
    RotateSelectionBy(kHalfTurn * -0.5);
}

// Unlike the fixed turns, the current group's frame is left as it is.
void CCVNView::OnRotateByDegrees() {
    CRotateByDegreesDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    Tool().RotateSelection(dialog.AngleInRadians(), nullptr, 0, 1, 1);
    RedrawAndRepaint();
}

void CCVNView::OnLayers() {
    CCVNDoc* document = GetDocument();
    if (!RunLayerProperties(*document, this))
        return;
    document->InvalidateAllViews();
    if (document->Has3DWindow())
        static_cast<CGroup*>(document->GetRootGroup())->UpdateMembers3DByLayer();
}

void CCVNView::Flip(bool vertical) {
    CTool& tool = Tool();
    if (tool.GetGroupEditDepth() == 1)
        vertical ? tool.FlipVertical(1) : tool.FlipHorizontal(1);
    RedrawAndRepaint();
}

void CCVNView::OnFlipHorizontal() {
    Flip(false);
}

void CCVNView::OnFlipVertical() {
    Flip(true);
}

void CCVNView::ToggleSnapMode(int mode) {
    int& snap = Tool().m_nSnapMode;
    snap = snap == mode ? kSnapOff : mode;
}

void CCVNView::OnTrackSnap() {
    ToggleSnapMode(kSnapTrack);
}

void CCVNView::OnSnapToGrid() {
    ToggleSnapMode(kSnapGrid);
}

void CCVNView::OnSnapToCorners() {
    ToggleSnapMode(kSnapCorners);
}

void CCVNView::OnShowGrid() {
    CCVNDoc* doc = GetDocument();
    doc->m_bGridShown = doc->m_bGridShown ? 0 : 1;
    Invalidate(TRUE);
}

void CCVNView::OnToolZoomIn() {
    Tool().m_toolMode.Set(kToolZoomIn);
}

void CCVNView::OnToolZoomOut() {
    Tool().m_toolMode.Set(kToolZoomOut);
}

void CCVNView::ToggleToolMode(int mode) {
    CTool& tool = Tool();
    if (tool.m_toolMode == mode) {
        tool.m_toolMode.Set(kToolSelector);
        return;
    }
    tool.m_toolMode.Set(mode);
    tool.m_bConnectDrag = 0;
}

void CCVNView::OnConnectSpline() {
    ToggleToolMode(kToolConnectSpline);
}

void CCVNView::OnConnectCurveStraight() {
    ToggleToolMode(kToolConnectCurveStraight);
}

void CCVNView::OnCutTrack() {
    constexpr UINT kCutTrackCursor = 427;
    Tool().m_toolMode.Set(kToolCutTrack);
    Tool().m_bRedraw = 1;
    InstallCursor(kCutTrackCursor, false);
    RepaintDirty();
}

void CCVNView::OnSelectTrackChain() {
    Tool().m_toolMode.Set(kToolSelectTrackChain);
}

// The next press on a piece starts the chain the new track is laid beside.
void CCVNView::OnCreateParallelTrack() {
    CTool& tool = Tool();
    tool.m_toolMode.Set(kToolSelector);
    // The parallel track is laid beside the layout's own track, never inside an edited group.
    if (tool.GetGroupEditDepth() == 1)
        tool.OnCreateParallelTrack();
    RedrawAndRepaint();
}

void CCVNView::OnSetSelectedTrackElevations() {
    Tool().m_toolMode.Set(kToolSetTrackElevations);
}

// The next press starts picking the chain whose elevations are set.
void CCVNView::OnChainTrackElevations() {
    CTool& tool = Tool();
    tool.DeselectAll(1, 1);
    RedrawAndRepaint();
    tool.m_toolMode.Set(kToolChainTrackElevations);
    tool.m_bChainToolActive = 1;
}

void CCVNView::OnToolTerrain() {
    Tool().m_toolMode.Set(kToolTerrain);
}

void CCVNView::OnStopTestTrain() {
    if (CMainFrame* main = MainFrame())
        main->StopTrainTimer();
    if (CToolHost* host = Tool().m_pHost)
        for (CPaint* train : host->GetTestTrains())
            if (CRunningTrain* running = CRunningTrain::Of(train))
                running->Stop();
}

// The arrow keys nudge the selection by one logical unit of this view at its zoom.
void CCVNView::Nudge(double dx, double dy) {
    CTool& tool = Tool();
    TellEngineZoom();
    const CDoublePoint step = tool.DeviceToLayout(dx, dy);
    tool.MoveSelection(step.x, step.y, 0, 1, 1);
    tool.UpdateStatus();
    RedrawAndRepaint();
}

void CCVNView::OnNudgeLeft() {
    Nudge(-1.0, 0.0);
}

void CCVNView::OnNudgeRight() {
    Nudge(1.0, 0.0);
}

void CCVNView::OnNudgeUp() {
    Nudge(0.0, 1.0);
}

void CCVNView::OnNudgeDown() {
    Nudge(0.0, -1.0);
}

void CCVNView::OnFilePrintPreviewPaused() {
    CMainFrame* main = MainFrame();
    if (main != nullptr)
        main->SetTrainPause(TRUE);
    OnFilePrintPreview();
    if (main != nullptr)
        main->SetTrainPause(FALSE);
}

// ---- Update handlers ----

void CCVNView::OnUpdateNeedsSelection(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().GetSelectedCount() > 0);
}

void CCVNView::OnUpdateNeedsSelectionOrTrain(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().GetSelectedCount() > 0 || Tool().IsTrainSelected());
}

// A group entered after Select All has no member selected: there is nothing to open.
void CCVNView::OnUpdateProperties(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().HasPropertiesTarget());
}

void CCVNView::OnUpdateNeedsSelectionOutsideGroupEdit(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().GetSelectedCount() > 0 && Tool().GetGroupEditDepth() == 1);
}

void CCVNView::OnUpdatePaste(CCmdUI* cmdUI) {
    const CPaintList* clipboard = GetDocument()->GetClipboard();
    cmdUI->Enable(clipboard != nullptr && !clipboard->empty() && !Tool().IsTrainSelected());
}

void CCVNView::OnUpdateUndo(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().GetUndoCount() > 0);
}

void CCVNView::OnUpdateTrackSnap(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_nSnapMode == kSnapTrack);
}

void CCVNView::OnUpdateSnapToGrid(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_nSnapMode == kSnapGrid);
}

void CCVNView::OnUpdateSnapToCorners(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_nSnapMode == kSnapCorners);
}

void CCVNView::OnUpdateShowGrid(CCmdUI* cmdUI) {
    cmdUI->SetRadio(GetDocument()->m_bGridShown != 0);
}

void CCVNView::OnUpdateZoomIn(CCmdUI* cmdUI) {
    const bool allowed = Tool().CanZoomIn() != 0;
    cmdUI->SetCheck(allowed && Tool().m_toolMode == kToolZoomIn ? 1 : 0);
    cmdUI->Enable(allowed);
}

void CCVNView::OnUpdateZoomOut(CCmdUI* cmdUI) {
    const bool allowed = Tool().CanZoomOut() != 0;
    cmdUI->SetCheck(allowed && Tool().m_toolMode == kToolZoomOut ? 1 : 0);
    cmdUI->Enable(allowed);
}

void CCVNView::OnUpdateZoomNormal(CCmdUI* cmdUI) {
    cmdUI->Enable(m_fZoom != 1.0);
}

void CCVNView::OnUpdateCutTrack(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_toolMode == kToolCutTrack);
}

void CCVNView::OnUpdateSelectTrackChain(CCmdUI* cmdUI) {
    cmdUI->SetCheck(Tool().m_toolMode == kToolSelectTrackChain ? 1 : 0);
}

void CCVNView::OnUpdateToolTerrain(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_toolMode == kToolTerrain);
}

void CCVNView::OnUpdateConnectSpline(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_toolMode == kToolConnectSpline);
}

void CCVNView::OnUpdateConnectCurveStraight(CCmdUI* cmdUI) {
    cmdUI->SetRadio(Tool().m_toolMode == kToolConnectCurveStraight);
}

void CCVNView::OnUpdateCreateParallelTrack(CCmdUI* cmdUI) {
    cmdUI->Enable(Tool().GetGroupEditDepth() == 1);
    cmdUI->SetCheck(Tool().m_bParallelToolActive ? 1 : 0);
}

// Enabled when the selection holds track, not only cameras.
void CCVNView::OnUpdateSetSelectedTrackElevations(CCmdUI* cmdUI) {
    // The visit stops early only at a piece that is no camera.
    const auto cameraOnly = [](CPaint* object) { return object->GetClassName() == "CCamera"; };
    const bool track = CCVNDoc::VisitObjectsByClass(GetDocument()->GetSelection(), FALSE, cameraOnly);
    cmdUI->Enable(track);
    cmdUI->SetCheck(track && Tool().m_toolMode == kToolSetTrackElevations ? 1 : 0);
}

void CCVNView::OnUpdateChainTrackElevations(CCmdUI* cmdUI) {
    cmdUI->SetCheck(Tool().m_toolMode == kToolChainTrackElevations ? 1 : 0);
}

void CCVNView::OnPlanMaterialsReport() {
    GetDocument()->OnCmdMsg(ID_MATERIALS_REPORT, CN_COMMAND, nullptr, nullptr);
}

void CCVNView::OnPlanPartsList() {
    GetDocument()->OnCmdMsg(ID_PARTS_LIST, CN_COMMAND, nullptr, nullptr);
}
