#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "model/CGroupEditEntry.h"
#include "model/CHint.h"
#include "model/CLayoutArea.h"
#include "model/CPieceStatusText.h"
#include "model/CPose.h"
#include "model/CToolMode.h"
#include "model/CTrackEndFollower.h"
#include "model/CTrackEndIndex.h"
#include "model/CViewMapping.h"
#include "model/Geometry.h"
#include "model/PaintRecords.h"
#include "model/TrackConnectionState.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"

class CConnectionPass;
class CDC;
class CEditStep;
class CGroup;
class CPaint;
class CParallelTrackPreview;
class CParTrack;
class CRunningTrain;
class CSelectionOrder;
class CToolHost;
class CTrackTools;

// The editing engine every layout document embeds: the tool mode, the drag state of the
// gesture in progress, the drawing defaults new objects copy, the view mapping, the layer
// flags, the undo list and the dirty rectangle the plan view repaints.
//
// Object lifetime and undo. A step on the undo list names objects by pointer; it owns the
// object only while that object is out of the layout (a deleted object waiting in its
// re-insert step, an ungrouped group waiting in its regroup step). Whenever a layout object
// is destroyed (by a step that removes it, by undoing a Group, by a group freeing its
// members, or by dropping the step that owned it) its
// destructor tells the engine, which drops every step on the undo list that names it (as
// its object or its result, or as the group a waiting object goes back into) and takes it
// out of the steps' object lists and the selection. The document must destroy its layout
// before its engine. A dropped
// step that started its command's undo group hands that mark to the next step of the same
// command. So no step left on the list can reach a destroyed object, whatever is dropped
// at the 8192 limit or discarded.
//
// The limit drops whole undo groups, the oldest first, so that an Undo always takes back
// all of a command. The group at the head is never dropped: a command larger than the limit
// keeps all its steps, and the older groups go.
//
// The modified flag follows a saved-state marker: every pushed step gets a serial number;
// the document marks the serial it saved at (MarkSaved), and Undo clears the flag only when
// it comes back to that serial. Steps dropped or discarded past the marker, and changes made
// outside the undo list, make the saved state unreachable, and the flag then stays set.
class CTool : public CObject {
    DECLARE_SERIAL(CTool)

  public:
    static constexpr int kUndoLimit = 8192;
    static constexpr int kLayerCount = 8;
    // The layer filter of a deselection that takes every layer.
    static constexpr int kAllLayers = -1;
    // The window system's mouse flags of the Shift and Control keys, and the key read from the
    // key states.
    static constexpr UINT kShiftFlag = 4;
    static constexpr UINT kControlFlag = 8;
    static constexpr int kShiftKey = 16;
    // Whether the key was held at the present mouse message.
    bool ShiftHeld() const { return (m_nMouseFlags & kShiftFlag) != 0; }
    bool ControlHeld() const { return (m_nMouseFlags & kControlFlag) != 0; }

    CTool();
    CTool(const CTool&) = delete;
    CTool& operator=(const CTool&) = delete;
    ~CTool() override;

    // The engine's record of a layout file: the default track and the settings a layout
    // keeps. Loading reads the default track into a new piece and replaces the old one only
    // once the piece was read whole.
    void Serialize(CArchive& ar) override;
    // What the engine's record keeps of the work rather than of the layout: the tool, the
    // snapping, the zoom, the active layer and whether the terrain was last conformed. A change
    // of these alone leaves the layout unmodified.
    struct WorkState {
        int toolMode = 0;
        int snapMode = 0;
        double zoomNumerator = 0.0;
        double zoomDenominator = 0.0;
        double zoomRatio = 0.0;
        int activeLayer = 0;
        int terrainConformed = 0;
    };
    WorkState CurrentWork() const;
    // The engine's record as a save writes it, with the work given.
    void StoreSettings(CArchive& ar, const WorkState& work) const;
    // Takes ownership of the default track that new track pieces copy; the one the engine
    // owned before is destroyed. The object must be a track piece (null clears it).
    void SetDefaultTrack(std::unique_ptr<CPaint> track);

    // Edit steps and the undo list.
    int Execute(CEditStep* step);
    void PushUndo(CEditStep* step);
    void Undo();
    // While nothing is being edited: the connection pass over the whole layout, when the index
    // of track ends lost track of it (an open, an edit it cannot follow), instead of at the
    // next Undo.
    void SettleTrackEnds();
    // A connection pass for questions about joints asked outside any: the layout's track ends
    // as they lie now, only the moved objects collected again where the follower knows them.
    CConnectionPass PassOverPresentEnds();
    const CTrackEndIndex& TrackEnds() const { return m_trackEnds; }
    const CTrackEndFollower& TrackEndFollower() const { return m_trackEndFollower; }
    void DiscardUndoSteps(int count);
    void ClearUndoList();
    int GetUndoCount() const { return static_cast<int>(m_undoList.size()); }
    // The step at a position of the undo list, 0 the newest; null outside the list.
    CEditStep* GetUndoStep(int index) const;
    // The group-start flag of a step the present gesture records: it joins the gesture's undo
    // group when a step since the press opened one, and opens it otherwise.
    int GestureGroupStart() const { return GestureOpenedUndoGroup() ? 0 : 1; }
    // The document calls this when the layout was saved or loaded: the present state is the
    // saved one.
    void MarkSaved();
    // A change kept by no undo step (the terrain commands): the layout reads as modified
    // until the next save, whatever Undo does.
    void MarkChangedOutsideUndo();
    // A setting of the layout changed (page, units, grid, layers): no undo step takes it back,
    // so the layout reads as modified until the next save.
    void MarkSettingsChanged();
    // Called by a layout object's destructor: no step may name it afterwards.
    void ForgetObject(CPaint* object);
    // Objects destroyed together: the steps naming them leave the list in one sweep, the
    // same steps as forgetting them one by one.
    void ForgetObjects(const CFreedObjects& objects);
    // The undo steps the sweeps for freed objects looked at so far: the work that must grow
    // with the steps and the objects freed, never with their product.
    unsigned long StepsSwept() const { return m_nStepsSwept; }
    // The pieces the connection passes joined again so far, each once a pass: the work of
    // settling must follow the pieces an edit touched.
    unsigned long PiecesPassedOver() const { return m_nPiecesPassedOver; }
    // An object that refuses the edit a mouse release ends calls this to revert that edit: the
    // newest undo group is undone when the present gesture pushed all of it and brought no
    // object into the layout. An older step, someone else's, is never taken back, and no
    // object is freed. Answers whether the edit was undone.
    bool TakeBackGesture();
    // The serial of the newest step pushed so far, taken before a command runs.
    unsigned long NewestUndoSerial() const { return m_nLastSerial; }
    // The steps pushed after the serial become one undo group, started by the oldest of them,
    // so that one Undo takes back the whole command that pushed them.
    void OpenUndoGroupAfter(unsigned long serial);

    // Mouse input of the plan view: the window system's MK_ flags and the device point.
    void OnLButtonDown(UINT flags, double x, double y);
    void OnLButtonDblClk(UINT flags, double x, double y);
    void OnRButtonDown(UINT flags, double x, double y);
    void OnMouseMove(UINT flags, double x, double y, int held);
    void OnLButtonUp(UINT flags, double x, double y);
    // Ends a multi-point entry as the right button or a double click does: a valid object
    // stays, an invalid one goes with its placement step.
    void EndPointEntry();

    // Making, placing and moving objects through undoable steps.
    CPaint* CreateObjectForTool(int mode);
    int PlaceNewObject(CPaint* object, double x, double y, CGroup* group, int groupStart);
    int AddObjectWithUndo(CPaint* object, int record, int groupStart);
    int MoveSelection(double dx, double dy, int relative, int record, int groupStart);
    // Without a pivot the selection turns about the centre of its extent.
    int RotateSelection(double angle, const CDoublePoint* pivot, int relative, int record, int groupStart);

    // Selection, lock, stacking order and grouping commands.
    int DeselectAll(int record, int groupStart);
    // Deselects the objects of one layer, or of every layer with kAllLayers.
    void ExecuteDeselect(int layerFilter);
    int SelectAll(int record);
    void LockSelection(int record);
    void UnlockSelection(int record);
    void SendToBack();
    void BringToFront();
    int GroupSelection(int record);
    int UngroupSelection(int record);
    int IsTrainSelected();

    // Group edit. The current group is the innermost group open for editing, else the root.
    int EnterGroupEdit(int record);
    int ExitGroupEdit(int record);
    void PopGroupEditEntry();
    CGroup* GetCurrentGroup() const;
    int GetGroupEditDepth() const;

    // Clipboard, duplicate, delete and properties.
    void ClearClipboard();
    void CopySelection();
    void Cut();
    void Paste();
    void DuplicateSelection();
    void DeleteSelection(int record);
    int DetachObject(CPaint* object);
    int ShowProperties();
    // Whether ShowProperties has an object to open: a visible selected member of the group being
    // edited, or a selected train.
    bool HasPropertiesTarget();
    // The selected object under the cursor opens its properties.
    void ShowPropertiesAtPoint();

    // Mirrors of the selection about the centre of its extent; a flip is its own inverse.
    int FlipVertical(int record);
    int FlipHorizontal(int record);

    BOOL IsRootGroup(const CPaint* object) const;
    BOOL IsLayerVisible(int layer) const;
    int CountVisibleSelected() const;
    void SetSelectionEditState(int state);
    void EndHandleDrag();
    // Takes the object out of the host's selection, through the selection's index if any.
    void RemoveFromSelection(CPaint* object);
    // Set while many objects leave the selection in turn (CSelectionOrder).
    CSelectionOrder* m_pSelectionOrder = nullptr;
    // Sets up the interactive rotation of the selection about a world pivot, starting at the
    // cursor: the object whose rotation handle was pressed calls it.
    void BeginRotation(double pivotX, double pivotY);
    int OnKeyUp(UINT key);
    void EndParallelTrackPreview();
    // The track tools behind the chain, elevation, parallel and connect modes; null when the
    // track pieces are not registered.
    CTrackTools* TrackTools();
    void EndTrackChain();
    // "Create Parallel Track": the next press on a piece starts its chain.
    void OnCreateParallelTrack();
    // Single-use tools go back to the selector (Caps Lock at the last mouse message).
    bool ReturnsToSelector() const { return CapsLockOn(); }
    void UpdateStatus();
    // The status bar shows a test train's status text, so that a train that does not run
    // tells why; it stands there while nothing is selected, until the next press.
    void ShowTrainStatus(CRunningTrain& train);
    // Adds a device rectangle of the present mapping to the area the plan views repaint, the
    // layout redrawn there.
    void InvalidateRect(const DeviceRect& rect);
    // Adds a device rectangle of the present mapping to the area the plan views repaint from their
    // buffers, with only the band or rubber line laid over it: a redraw would leave them out.
    void InvalidateOverlay(const DeviceRect& rect);
    // Adds an area an object paints to the area the plan views repaint, the layout redrawn there.
    void InvalidateArea(const CLayoutArea& area);
    // What the plan views repaint: each maps it with its own mapping.
    const CLayoutArea& DirtyArea() const { return m_dirty; }
    // The dirty area in the present mapping.
    DeviceRect DirtyAreaInView() const;
    // Every plan view has repainted the dirty area, redrawn or not.
    void ForgetDirtyArea();
    int LayoutToDevice(double value) const;
    // The handle size in layout units: the tolerance of every hit test.
    double GetHandleTolerance() const;
    int GetSelectedCount() const;

    // Mapping between layout units and the device: the screen at the zoom, the printer at
    // the document's print scale and page offsets. Device values are truncated toward zero.
    // The engine's own mapping is the one input comes through, the file keeps and the paint
    // bounds are worked out in: a change of it works them all out anew.
    void SetViewScale(double numerator, double denominator);
    // A plan view hands its mapping for the input it passes on and the paint it draws whole.
    void TakeMapping(const CViewMapping& mapping);
    void RescaleGroupMembers();
    CPoint LayoutToDevice(double x, double y, int print) const;
    // What LayoutToDevice multiplies by on the screen, and whether it maps for a printout instead.
    double ZoomFactor() const;
    // The zoom ratio of the present mapping.
    double ZoomRatio() const;
    bool MapsForPrint() const;
    CDoublePoint DeviceToLayout(double x, double y) const;
    // In place; the printer mapping whenever the target DC prints.
    void LayoutToDevicePoints(POINT* points, int count) const;
    void LayoutToDevicePointArray(std::vector<CPoint>& points) const;
    // Drawing goes to the target in the engine's own mapping, or in the mapping of the view it
    // draws for; the present mapping is that until the target is taken away.
    void SetTargetDC(CDC* dc, CDC* attribDC);
    void SetTargetDC(CDC* dc, CDC* attribDC, const CViewMapping& mapping);
    CDC* GetTargetDC() const { return m_pTargetDC; }
    CDC* GetAttribDC() const { return m_pAttribDC; }
    CViewMapping Mapping() const;
    BOOL IsPrinting() const;
    void AttachToObjects();
    int CanZoomIn() const;
    int CanZoomOut() const;
    // Works every object's device bounds out anew in the engine's own mapping.
    void UpdateDeviceBounds();
    // The update rectangle where the paint bounds are, in the engine's own mapping: widened, for a
    // view at another zoom, by the farthest any object's fixed-size parts reach.
    DeviceRect UpdateInBounds() const;
    // Whether an object's paint bounds or, for a view at another zoom, the area it paints meet the
    // update rectangle.
    bool MeetsUpdate(const DeviceRect& bounds, const CLayoutArea& area) const;
    // An object worked out the area it paints: its fixed-size parts may reach farther than any.
    void NoteMargin(int margin);
    // The band, rubber line, hint and pivot marker belong to the view the mouse works in: every
    // other view leaves them out, as they would stand there where nothing erases them.
    bool DrawsGestureOverlays() const;
    void RepaintAllViews();
    void BringLostObjectsIntoView();
    int QueryRootGroup(int mode);
    void FindInCurrentGroup(double x, double y, int end);
    // The world placement of the current group, the frame its members lie in.
    CPose GetCurrentGroupPose() const;

    // Drawing of the layout and of what lies over it, on the target DC.
    void DrawLayout();
    void DrawUnselectedObjects();
    void DrawSelection();
    // The hint box, when it is shown and has a text.
    void DrawHint();
    void DrawRubberLine();
    void DrawRubberRect();
    void DrawRotationMarker();
    void DrawTrains();
    void UpdateHintRect();

    // Fitting tracks and 3D objects to the benchwork and terrain below them, and back.
    void ConformTracksToTerrain();
    void ConformTerrain();
    void RestoreTerrain();
    // The current group's terrains in member order: those the open terrain pass collected,
    // else collected now.
    std::vector<CPaint*> CurrentTerrains() const;
    // Set while a terrain pass (CTerrainPass) runs.
    const std::vector<CPaint*>* m_pPassTerrains = nullptr;

    CToolHost* m_pHost = nullptr;
    int m_bConnectDrag = 0;
    struct ConnectionProbe {
        double firstX = 0.0, firstY = 0.0, firstElevation = 0.0;
        double secondX = 0.0, secondY = 0.0, secondElevation = 0.0;
        double tangent1X = 0.0, tangent1Y = 0.0;
        double tangent2X = 0.0, tangent2Y = 0.0;
        int order = 0;
    } m_probe;
    std::unique_ptr<CParallelTrackPreview> m_pParallelPreview;
    std::unique_ptr<CTrackTools> m_pTrackTools;
    COLORREF m_crPreview1;
    COLORREF m_crPreview2;
    int m_bRedraw = 0;
    DeviceRect m_rcConnectLine;
    // The area of the repaint in progress.
    DeviceRect m_rcUpdate;
    PenRecord m_penDefault;
    BrushRecord m_brushDefault;
    COLORREF m_crFillDefault = 0;
    int m_bFillOnDefault = 0;
    int m_bPatternOnDefault = 0;
    int m_nPivotMarkSize = 30;
    double m_fPivotX = 0.0, m_fPivotY = 0.0;
    double m_fReferenceX = 0.0, m_fReferenceY = 0.0;
    double m_fRotationAngle = 0.0;
    int m_bButtonDown = 0;
    int m_bMoved = 0;
    double m_fCurrentX = 0.0, m_fCurrentY = 0.0;
    double m_fPressX = 0.0, m_fPressY = 0.0;
    int m_nMouseFlags = 0;
    int m_nDragState = -1;
    CToolMode m_toolMode;
    int m_nSnapMode = 0;
    int m_nMultiPoint = 0;
    int m_bStartedAtTrackEnd = 0;
    // The new piece of this gesture was built onto the track end its press fell on; the
    // curve clears the flag above at its first move, this one lasts until the release.
    int m_bParallelToolActive = 0;
    int m_bChainToolActive = 0;
    DeviceRect m_rcRubberBand;
    int m_nDraggedHandle = -1;
    double m_fZoomNumerator = 1.0;
    double m_fZoomDenominator = 10.0;
    double m_fZoomRatio = 0.0;
    double m_fHandleSize = 10.0;
    // The largest handle size a file may set, in device units: far beyond any usable one.
    static constexpr double kLargestHandleSize = 1000.0;
    // The same for the pivot mark, and the zoom factors a file may hold.
    static constexpr int kLargestMarkSize = 1000;
    static constexpr double kLeastZoom = 1e-9;
    static constexpr double kLargestZoom = 1e9;
    double m_fScaleGauge = 165.0;
    int m_nActiveLayer = 0;
    int m_bLayerShown[kLayerCount];
    int m_bLayerLocked[kLayerCount];
    // The status-bar description of the object under edit and whether it needs showing.
    CString m_strStatusText;
    int m_bStatusRefresh = 0;
    CPieceStatusText m_status;
    double m_fSnapDistance = 500.0;
    double m_fPrintOffsetX = 0.0, m_fPrintOffsetY = 0.0;
    CParTrack* m_pDefaultTrack = nullptr;
    BYTE m_keyState[256] = {};
    int m_bTerrainConformed = 0;
    int m_bFlipRefused = 0;

    CHint m_hint;
    double m_fHintX = 0.0, m_fHintY = 0.0;
    double m_fGuideX = 0.0, m_fGuideY = 0.0;
    // The connect rubber line's far end lies on a second track end.
    int m_bSecondPoint = 0;
    int m_bMarkerShown = 0;
    CPoint m_ptMarker;

    // Track snapping: how a dragged piece turns to meet another end.
    double m_fSnapAngle = 0.0;
    int m_bHalfTurn = 0;
    double m_fSnapPivotX = 0.0, m_fSnapPivotY = 0.0;
    double m_fSnapOffsetX = 0.0, m_fSnapOffsetY = 0.0;
    // How far the snapped piece's ends are lowered to meet the other end.
    double m_fSnapElevation = 0.0;
    double m_fTrialAngle = 0.0;
    double m_fProbeX = 0.0, m_fProbeY = 0.0;
    double m_fProbe2X = 0.0, m_fProbe2Y = 0.0;
    double m_fProbeVectorX = 0.0, m_fProbeVectorY = 0.0;
    TrackConnectionState m_track;

  private:
    void LoadSettings(CArchive& ar);
    void LoadDefaultTrack(CArchive& ar);

    // The default track when the engine owns it.
    std::unique_ptr<CPaint> m_pOwnedDefaultTrack;
    CDC* m_pTargetDC = nullptr;
    CDC* m_pAttribDC = nullptr;
    // The mapping of the view the target belongs to, when it is not the engine's own.
    std::optional<CViewMapping> m_targetMapping;
    // The view the engine's own mapping and the last mouse event came from (null before any);
    // compared only, never reached through.
    const void* m_pInputView = nullptr;
    const void* m_pGestureView = nullptr;
    // What the plan views repaint.
    CLayoutArea m_dirty;
    // The farthest any object's fixed-size parts reached past what it covers, in device units,
    // since the bounds were last all worked out.
    int m_nLargestMargin = 0;

    void DrawHintBox(CDC& dc);
    void DrawPivotIfRotating();
    const CPaintList& CurrentGroupMembers() const;

    struct UndoEntry {
        std::unique_ptr<CEditStep> step;
        unsigned long serial;
    };

    int ExecuteLockChange(CEditStep* step, int locked);
    int ExecuteGroup(CEditStep* step);
    int ExecuteUngroup(CEditStep* step);
    int ExecuteEnterGroupEdit(CEditStep* step);
    int ExecuteExitGroupEdit(CEditStep* step);
    int ExecuteRestoreOrder(CEditStep* step);
    int ExecuteFlip(bool vertical);
    int ExecuteRemove(CEditStep* step);
    int ExecuteDeselectAll();
    int ExecuteReselect(CEditStep* step);
    int ExecuteCreate(CEditStep* step);
    int ExecutePlace(CEditStep* step);
    int ExecuteReinsert(CEditStep* step);
    int ExecuteMove(CEditStep* step);
    int ExecuteRotate(CEditStep* step);
    int ExecuteRestorePlacements(CEditStep* step);
    int ExecuteProperties(CEditStep* step);
    int ExecuteRestoreStyles(CEditStep* step);
    int ExecutePaste();
    int ExecuteCut();
    // Adds the copies to the group with undo, selected and moved by the offset from where they
    // lie; the status texts are refreshed once, by the caller, not after every copy.
    void PlaceCopies(const CPaintList& copies, CGroup* group, CDoublePoint offset);
    // After a paste: every direct member of the root group looks for its track connections.
    void ConnectRootMembers();
    int RunFlip(int kind, int record);
    std::vector<std::unique_ptr<CEditStep>> FormerStatesOfChangedObjects(int groupStart);
    std::vector<std::unique_ptr<CEditStep>> FormerStatesOf(const CPaintList& objects, int groupStart);
    void PushSteps(std::vector<std::unique_ptr<CEditStep>>& steps);
    // The step that puts the unlocked objects back where they stand, or where they were saved.
    std::unique_ptr<CEditStep> FormerPlacementsOf(const CPaintList& objects, bool saved, int groupStart);
    int ChangeLocks(int kind, int inverseKind, int record);
    void ReorderSelected(bool toBack);
    // Undo puts the group's members back in this order.
    void PushOrderStep(CGroup* group, const CPaintList& order);
    // After an edit of the current group's members while it is open: its extent and frame.
    void RefitCurrentGroup();
    // A message box with a text of the string table.
    void ShowText(UINT id);
    CPaintList SelectedVisibleMembers() const;

    // Gesture steps.
    CDoublePoint StorePoint(double x, double y);
    void FollowGestureMapping();
    // Whether the present mapping is the engine's own, or maps as it does.
    bool MapsAsOwn() const;
    bool CapsLockOn() const;
    DeviceRect PivotMark() const;
    CPoint LayoutToBandPoint(double x, double y) const;
    // The phases the track tools answer; true when the tool took the message.
    bool PressTrackTool(int mode, const CPose& pose);
    bool FollowTrackTool(int phase, int mode, const CPose& pose);
    void ReleaseConnect(int mode, const CPose& pose);
    void PressSelector(const CPose& pose);
    bool GrabHandle(const CPose& pose);
    bool HitMember(const CPose& pose);
    void PressCreate(const CPose& pose);
    void PressConnect(const CPose& pose);
    void PressZoom();
    void PressCutTrack();
    // The test-train gestures: picking a train up in the selector, placing a new one, dragging
    // the selected one and setting it down.
    bool PickUpTrain();
    void PressRunTestTrain();
    void DragTrain(double dx, double dy);
    void SetTrainDown(const CPose& pose, int mode);
    CPaint* FirstSelectedTrain();
    void MoveRotate();
    void MoveHandle(const CPose& pose);
    void MoveBand();
    void ReleaseBand();
    // Whether the gesture reshaped the selection by one of its handles (not the rotation
    // handle): the release then lays it as the last move drew it, snapping nothing.
    bool ReshapedByHandle(int mode) const;
    bool ReleaseMovedNothing(int mode) const;
    void SnapDraggedEndToGrid();
    void ReleaseSnapToGrid(const CPose& pose);
    // Whether a selected piece found a track connection to turn onto.
    bool ReleaseTrackSnap(const CPose& pose);
    void ReleaseFinishMembers(const CPose& pose, int mode, bool accepted);
    // Whether a step pushed since the press starts an undo group.
    bool GestureOpenedUndoGroup() const;
    // Whether the step of this serial is on the list and starts an undo group.
    bool StartsUndoGroup(unsigned long serial) const;
    // At a press that starts a turn by the mouse, or a move inside an open group: the former
    // states of what the gesture will change, for the release to record.
    void KeepFormerStatesOfGesture(int mode);
    // Records the states kept at the press as the start of the gesture's undo group.
    void PushGestureFormerStates();
    // Turns a released member onto the accepted track connection; answers the step that puts
    // the member back as it stood before the turn.
    std::unique_ptr<CEditStep> TurnOntoConnection(CPaint* member, const CPose& pose);
    void FinishMultiPoint(const CPose& pose);
    void RemoveInvalidNewObject(CPaint* object);
    void SetHandleHint(CPaint* object);
    // Takes the newest undo group off the list and runs it.
    void RunNewestGroup();
    void AfterUndoStep(CEditStep* step);
    void RefreshConnections();
    // The whole pass's first walk, in which every end lets go of whatever lies on it.
    void ReleaseEveryEnd(CPaint* root);
    // Whether each piece, asked at its own ends under its own parent placement, lets go of
    // them itself, so that no piece need be asked at another's end.
    bool EveryPieceReleasesItself(CPaint* root) const;
    // Whether the index of track ends places the root's members as the connection pass does.
    static bool IndexPlacesRootAsThePass(const CGroup& root);
    // Tells the follower of track ends of a step done or undone, or of one recorded.
    void FollowStep(const CEditStep* step, bool recorded);
    // Appends the ends, as the index holds them, of the pieces an earlier edit left marked for
    // the next pass.
    void AddEndsAwaitingPass(std::vector<CDoublePoint>& points) const;
    // Whether the next Undo only moves pieces back (the Undo of a move or a nudge); then the
    // pieces it moves, the index of track ends collected where they lie now.
    bool UndoOnlyMovesPieces(std::vector<CPaint*>& moved);
    // Whether the next Undo only puts objects other than groups back where they stood; then
    // those objects.
    bool PlacementsToRestore(std::vector<CPaint*>& objects) const;
    // The connection pass over the joints the moved pieces touch, instead of the whole layout.
    void RefreshConnectionsNear(const std::vector<CPaint*>& moved);
    // Over the joints only, what the whole pass does: the pieces let go of them and join there.
    void JoinAgainAt(const std::vector<int>& pieces, const std::vector<CDoublePoint>& joints);
    // The ends lying within reach of the seeds, one after the other, and the pieces they belong
    // to in member order; false when the pass over the whole layout must run instead.
    bool CollectJoints(const std::vector<CDoublePoint>& seeds, std::vector<int>& pieces,
                       std::vector<CDoublePoint>& joints);
    // Joins the ends of the pieces marked for a recheck to whatever lies on them, looking the
    // layout's ends up in the index instead of walking the layout for every end.
    void JoinMarkedEnds();
    int QueryNearEnds(CTrackEndIndex& ends, CPaint* root, int mode);
    // Whether the walk from the root group would hand the probe to this object.
    bool OpenToProbe(CPaint* object, const CPaint* root, int mode) const;
    bool NamesAny(const CEditStep* step, const CFreedObjects& objects) const;
    // Takes every step naming one of the objects out of the list; the rest keep their order.
    std::vector<std::unique_ptr<CEditStep>> TakeStepsNaming(const CFreedObjects& objects);
    std::vector<std::unique_ptr<CEditStep>> SweepStepsNaming(const CFreedObjects& objects);
    // Frees the steps, with the objects they own, and the objects given.
    void FreeTogether(std::vector<std::unique_ptr<CEditStep>> steps,
                      const std::vector<CPaint*>& objects = {});
    // The steps of the oldest undo group: the tail step and the newer ones up to the next
    // group start.
    size_t OldestGroupSize() const;
    // Past the limit, drops whole undo groups from the tail, never the group at the head.
    void DropOldestGroupsPastLimit();
    // Forgets the saved state when a step of this serial leaves the list without being undone.
    void LoseStep(unsigned long serial, bool droppedOldest);
    // Whether some step names the object and every such step is newer than all the others.
    bool NamedByNewestStepsOnly(const CPaint* object) const;
    void UpdateModifiedAfterUndo();
    // Whether the member's bounds, as last computed, lie wholly outside the page.
    bool LiesWhollyOffPage(double minX, double minY, double maxX, double maxY) const;

    // While a command runs many steps that start groups: it refreshes the status texts itself.
    bool m_bStatusHeld = false;
    std::deque<UndoEntry> m_undoList;  // front is the newest step
    // Known to hold a single undo group, which no push of steps of that group can split.
    bool m_bOneUndoGroup = false;
    // While a command deletes many objects: the older groups its steps push off the list wait
    // here, to be freed together when it ends.
    std::vector<std::unique_ptr<CEditStep>>* m_pDroppedSteps = nullptr;
    // While objects are freed together: those freed so far, which the steps left forget at once.
    CFreedObjects* m_pFreedObjects = nullptr;
    unsigned long m_nStepsSwept = 0;
    unsigned long m_nPiecesPassedOver = 0;
    // The layout's track ends, kept from one connection pass to the next while the follower
    // can follow the edits.
    CTrackEndIndex m_trackEnds;
    CTrackEndFollower m_trackEndFollower{m_trackEnds};
    int m_nUndoLimit = kUndoLimit;
    unsigned long m_nLastSerial = 0;
    unsigned long m_nPressSerial = 0;  // the newest step when the present gesture began
    // The step last found to open the present gesture's undo group.
    mutable unsigned long m_nOpenedGroupSerial = 0;
    // While a release ends the edits of the selected members: those still to be ended. An
    // object freed meanwhile leaves it (ForgetObject).
    CPaintList* m_pReleaseWalk = nullptr;
    // While the mouse turns the selection or moves members of an open group: how they stood
    // at the press.
    std::vector<std::unique_ptr<CEditStep>> m_gestureFormerStates;
    CString m_strTrainStatus;           // the last train status shown, until the next press
    unsigned long m_nBottomSerial = 0;  // the state below the oldest step on the list
    unsigned long m_nSavedSerial = 0;
    bool m_bSavedReachable = true;
};
