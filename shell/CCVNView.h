#pragma once

#include <vector>

#include "model/CPlanViewServices.h"
#include "model/CViewMapping.h"
#include "model/PaintRecords.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CScrollView.h"

class CCVNDoc;
class CCmdUI;
class CMainFrame;
class CPaint;
class CRulerBar;
class CTool;

// The plan window's view: the layout's page in 0.1 mm units (y upward, the page below the
// origin) at this view's own zoom. The layout is drawn into a draw buffer, overlays are laid
// over a copy of it in a second buffer, and every mouse event goes to the document's
// editing engine after the engine was given this view's zoom.
class CCVNView : public CScrollView, public CPlanViewServices {
    DECLARE_DYNCREATE(CCVNView)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT_PTR kAutoScrollTimerId = 100;
    static constexpr UINT kAutoScrollPeriod = 100;
    static constexpr double kScrollPositionLimit = 2147483647.0;

    CCVNView();
    ~CCVNView() override;

    CCVNDoc* GetDocument() const;
    CTool& Tool() const;
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    void OnDraw(CDC* dc) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    BOOL OnScroll(UINT code, UINT position, BOOL doScroll = TRUE) override;
    BOOL OnScrollBy(CSize by, BOOL doScroll = TRUE) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Every command first ends a point entry in progress, so that it acts on finished objects.
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;

    // CPlanViewServices
    void SetZoom(double zoom) override;
    bool RepaintMarkedArea() override;
    CPoint GetCenterPoint() override;
    void EndPointEntry() override;

    // Repaints what the engine marked dirty in every plan view of the layout.
    void RepaintDirty();

    double GetZoom() const { return m_fZoom; }
    // Ends a point entry that a press outside the view has ended, once no window holds the
    // mouse; the program calls it when idle.
    void EndPendingPointEntry();
    // Whether a press outside the view has ended its point entry and the end still waits.
    bool IsEntryEndPending() const { return m_bEntryEndPending; }
    // A point entry that a cancel took the mouse from takes it again once the view's window is
    // active and no window holds the mouse, so a press outside still ends the entry; the program
    // calls it when idle.
    void TakeBackPointEntryMouse();
    void InvalidateAll();
    void UpdateScrollSizes();
    void SetScrollPositionQuiet(CPoint logical);
    // Grid lines at layout multiples of the grid size inside the rectangle (top the higher edge).
    void DrawGrid(CDC* dc, int left, int top, int right, int bottom, double gridWidth, double gridHeight);
    // 1: copies the engine's update rectangle from the draw buffer into the target;
    // 0: repairs the window after a scroll from what the draw buffer holds.
    void RestoreFromBuffer(int mode, CDC* target);
    CDC& DrawBuffer() { return m_drawDC; }
    CDC& OverlayBuffer() { return m_overlayDC; }
    UINT_PTR GetAutoScrollTimer() const { return m_nAutoScrollTimer; }
    CSize GetAutoScrollStep() const { return m_autoScrollStep; }
    UINT GetCursorId() const { return s_nLastCursorId; }

    // The zoom commands.
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomFit();
    void OnZoomNormal();

    // Printing.
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void DrawPageDecorations(CDC* dc, CPrintInfo* info);

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    // A drag under way ends as letting go of the button where the mouse last was, when another
    // window takes the keyboard or a close request comes: nothing half-made stays on the screen
    // while the close asks about changes, nor out of what it asks about.
    void OnCancelMode() override;
    void OnTimer(UINT_PTR id) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnContextMenu(CWnd* window, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

  private:
    // Mapping.
    CPoint ToLogical(CPoint device);
    CRect LogicalClientRect(CDC& dc, bool normalised);
    CPoint ClientCentre();
    void TellEngineZoom();
    void TellEngineScale(double denominator);
    void ZoomEpilogue();
    void ScrollKeepingCentre(double oldZoom, CPoint centre, bool quiet);
    void AdoptEngineZoom(CPoint pressed);
    double ZoomDenominator() const;
    // This view's mapping, which it hands to the engine for all the engine maps for it.
    CViewMapping Mapping() const;
    void StoreZoomedPageSize();
    // The page in logical units at this view's zoom.
    double ZoomedPageWidth() const;
    double ZoomedPageHeight() const;
    CSize PageExtent() const;
    void FollowRulers();
    CRulerBar* Ruler(bool top) const;
    CMainFrame* MainFrame() const;

    // Drawing.
    static void CopyArea(CDC& target, CDC& source, const CRect& area);
    void CreateBuffers();
    void GrowBuffers();
    void FillBackground(CDC& dc, const CRect& area);
    void FillPartialBackground(CDC& dc, const CRect& dirty);
    void FillWorkspaceSplit(CDC& dc, const CRect& strip, bool horizontalStrip);
    CRect ScrollRepair(CDC& target, CDC& window, bool fillOnly);
    void UpdateRulersAfterDraw();
    void DrawHintArea(CDC& dc, DeviceRect& dirty);
    // The engine's dirty area, mapped to this view.
    void RepaintArea(DeviceRect dirty);
    void DrawOverlayByDragState(bool withMarksForBand);
    void SetUpdateRect(const CRect& rect);
    void DrawPrinted(CDC* dc);
    void SetPrintOffsets(CDC* dc, CPrintInfo* info);

    // Input.
    void UpdateCursor(CPoint logical);
    UINT CursorForMode(bool captured, double x, double y);
    UINT SelectorCursor(bool captured, double x, double y);
    void InstallCursor(UINT id, bool captured);
    void ConsiderAutoScroll(UINT flags, CPoint logical, CDC& dc);
    void BeginAutoScroll();
    void EndAutoScroll();
    void StopAutoScrollTimer();
    // Stops a running autoscroll and repaints the window.
    void CancelAutoScroll();
    void AutoScrollRepaint(CPoint* devicePoint);
    // The root group's members that reach into rect (logical units), each invalidated for its
    // redraw, and their drawing into the engine's target.
    void CollectObjectsInRect(const CRect& rect, std::vector<CPaint*>& list);
    void DrawObjectList(const std::vector<CPaint*>& list);
    void ShowMouseOnRulers(CPoint logical);
    void PassOnPressEndingEntry(CPoint point);
    void EndPointEntryWithRightButton(UINT flags, CPoint point);
    void GiveBackPointEntryMouse();
    void TakeOverPointEntry(UINT flags, CPoint point);
    void ShowContextMenu(CPoint screen);
    void RefreshStatusPanes();

    // Printing.
    void PrintableSides(CDC* dc, CPrintInfo* info, double& width, double& height) const;
    void LayoutPrintSize(double pageSideW, double pageSideH, double& width, double& height) const;
    double ScaleInUse(double sideW, double sideH) const;
    // Answers 0 when the sides hold no printable area.
    UINT CountPages(CDC* dc, CPrintInfo* info) const;

    // Commands.
    void OnGroup();
    void OnUngroup();
    void OnLock();
    void OnUnlock();
    void OnEnterGroup();
    void OnExitGroup();
    void OnSelectAll();
    void OnDelete();
    void OnDuplicate();
    void OnProperties();
    void OnTerrainEditor();
    void OnUpdateTerrainEditor(CCmdUI* cmdUI);
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnUndo();
    void OnSendToBack();
    void OnBringToFront();
    void OnRotate180();
    void OnRotateLeft();
    void OnRotateRight();
    void OnRotateByDegrees();
    void OnLayers();
    void OnFlipHorizontal();
    void OnFlipVertical();
    void OnTrackSnap();
    void OnSnapToGrid();
    void OnSnapToCorners();
    void OnShowGrid();
    void OnToolZoomIn();
    void OnToolZoomOut();
    void OnCutTrack();
    void OnSelectTrackChain();
    void OnToolTerrain();
    void OnConnectSpline();
    void OnConnectCurveStraight();
    void OnCreateParallelTrack();
    void OnSetSelectedTrackElevations();
    void OnChainTrackElevations();
    void OnStopTestTrain();
    // The plan view's own report and parts-list commands run the document's.
    void OnPlanMaterialsReport();
    void OnPlanPartsList();
    void OnNudgeLeft();
    void OnNudgeRight();
    void OnNudgeUp();
    void OnNudgeDown();
    void OnFilePrintPreviewPaused();
    void OnUpdateNeedsSelection(CCmdUI* cmdUI);
    void OnUpdateNeedsSelectionOrTrain(CCmdUI* cmdUI);
    void OnUpdateProperties(CCmdUI* cmdUI);
    void OnUpdateNeedsSelectionOutsideGroupEdit(CCmdUI* cmdUI);
    void OnUpdatePaste(CCmdUI* cmdUI);
    void OnUpdateUndo(CCmdUI* cmdUI);
    void OnUpdateTrackSnap(CCmdUI* cmdUI);
    void OnUpdateSnapToGrid(CCmdUI* cmdUI);
    void OnUpdateSnapToCorners(CCmdUI* cmdUI);
    void OnUpdateShowGrid(CCmdUI* cmdUI);
    void OnUpdateZoomIn(CCmdUI* cmdUI);
    void OnUpdateZoomOut(CCmdUI* cmdUI);
    void OnUpdateZoomNormal(CCmdUI* cmdUI);
    void OnUpdateCutTrack(CCmdUI* cmdUI);
    void OnUpdateSelectTrackChain(CCmdUI* cmdUI);
    void OnUpdateToolTerrain(CCmdUI* cmdUI);
    void OnUpdateConnectSpline(CCmdUI* cmdUI);
    void OnUpdateConnectCurveStraight(CCmdUI* cmdUI);
    void OnUpdateCreateParallelTrack(CCmdUI* cmdUI);
    void OnUpdateSetSelectedTrackElevations(CCmdUI* cmdUI);
    void OnUpdateChainTrackElevations(CCmdUI* cmdUI);
    void RotateSelectionBy(double angle);
    void Flip(bool vertical);
    void ToggleSnapMode(int mode);
    void ToggleToolMode(int mode);
    void Nudge(double dx, double dy);
    void RedrawAndRepaint();

    CMainFrame* m_pMainFrame = nullptr;
    CDC m_drawDC;
    CBitmap m_drawBitmap;
    CBitmap* m_pOldDrawBitmap = nullptr;
    CDC m_overlayDC;
    CBitmap m_overlayBitmap;
    CBitmap* m_pOldOverlayBitmap = nullptr;
    HCURSOR m_hCursor = nullptr;
    CPoint m_ptLastMouse;
    CSize m_autoScrollStep;
    UINT_PTR m_nAutoScrollTimer = 0;
    double m_fZoom = 1.0;
    UINT m_nSavedFlags = 0;
    int m_bDragBackground = 0;
    // The press of this right click showed the context menu or ended a point entry; its
    // release shows no menu.
    bool m_bRightPressHandled = false;
    // A press outside the view has ended the point entry; the end waits until the press is done.
    bool m_bEntryEndPending = false;
    bool m_bEndingEntry = false;
    bool m_bEntryMouseLent = false;

    // Shared by every plan view.
    static UINT s_nLastCursorId;
};
