#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "model/CLayoutArea.h"
#include "model/CPointArray.h"
#include "model/CPose.h"
#include "model/PaintRecords.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CPoint.h"

namespace r3d {
class Clump;
}

class CDumpContext;
class CEditStep;
class CGroup;
class CTool;
class CTrackEndSource;

// The root class of every layout object: catalogue fields, line and fill attributes,
// selection, lock and layer state, the links to the editing engine and the owning group.
// Its 110 virtual operations come in one fixed order, each with a root answer that a class
// overrides only where it has something to do: callers never test for support, they read
// the root answer (nothing, 0, -1 or the none pair) as "not applicable".
class CPaint : public CObject {
    DECLARE_SERIAL(CPaint)

  public:
    // The point callers read as "no such point".
    static constexpr double kNone = 99999.0;

    CPaint();
    // An object the editing engine creates: it copies the engine's drawing defaults.
    CPaint(int selected, CTool* tool, double x, double y);
    CPaint(const CPaint&) = delete;
    CPaint& operator=(const CPaint&) = delete;

    // Slots 0 to 2 are the runtime class, the destructor and Serialize.
    ~CPaint() override;
    void Serialize(CArchive& ar) override;
    // What a save writes of the object, to tell whether an edit changed it.
    std::vector<BYTE> StoredBytes();
    // Whether a save would write the other object as it writes this one: a dialog's result
    // that changes nothing then takes no undo step and leaves the layout unmodified.
    bool StoresSameAs(CPaint& other) { return StoredBytes() == other.StoredBytes(); }
    // After a dialog's edit that records no undo step: the layout reads as modified only when
    // a save would now write this object otherwise than before the dialog.
    void MarkChangedSince(const std::vector<BYTE>& storedBefore);
    // The apply mode a properties dialog opens with: the selection's when many objects are
    // selected at a click, else the object's own.
    static int OpeningApplyMode(const CPose* pose, BOOL multipleSelection);
    // Whether a properties dialog's result is this object as it stands, in the apply mode the
    // dialog opened with: an OK untouched, which spreads no style over the others either.
    bool IsUntouchedResult(CPaint& result, int mode, const CPose* pose, BOOL multipleSelection);
    // Releases and deletes a dialog's result that is untouched, as above, telling whether it did.
    bool DropsUntouchedResult(CPaint* result, int mode, const CPose* pose, BOOL multipleSelection);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;
    virtual void CompareProperties(CPaint* other);
    virtual void SaveUndoCopy(int unused);
    virtual CPaint* Find3DMember();
    virtual void RecreateResources(int recreate);
    virtual void SetParentPose(const CPose* pose);
    virtual void SetOwnerGroup(CGroup* group);
    virtual int ApplyShapeStep(CEditStep* step);
    virtual int HitTestEnd(const CPose* pose, double x, double y, int flag);
    virtual int DrawIfSelected(const CPose* parent);
    virtual int DrawIfUnselected(const CPose* parent);
    // Whether Draw draws nothing where the paint bounds miss the update rectangle, and
    // DrawIfSelected nothing unless the host's selection lists the object: the groups' member
    // indexes leave the object out where neither holds.
    virtual bool DrawsByBoundsAndSelection() const;
    virtual void ResetDrawState();
    virtual void RecalcBounds();
    virtual void InvalidateBounds();
    virtual void RecalcDeviceBounds();
    // Adds to the bounds the parts drawn at one size at every zoom beyond the handles, as a label,
    // with HangFixedSizePart.
    virtual void HangFixedSizeParts() {}
    virtual void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y);
    virtual void AppendStatusText(CString& text);
    virtual void NearestEndPoint(double& x, double& y, const CPose* pose);
    virtual CString GetCategory();
    virtual CString GetManufacturer();
    virtual CString GetScale();
    virtual CString GetType();
    virtual CString GetName();
    virtual CString GetPartNo();
    virtual double GetReportPrice(int categoryMask);
    virtual double GetQuantity();
    virtual CString GetNoteText();
    virtual void SetScale(const CString& scale);
    virtual CTool* SetTool(CTool* tool);
    virtual void SetEditState(int state);
    virtual int GetEditState();
    virtual void ComputeExtent(const CPose* pose);
    virtual void OnZoomChanged(int flag);
    virtual void EnterEdit();
    virtual int IsSelected();
    virtual void SelectWithUndo(int record, int groupStart);
    virtual CString GetClassName();
    virtual int ProbeConnection(const CPose* pose, int mode);
    virtual int MatchProbe(const CPose* pose, int keepOrientation);
    virtual void RotateWithPivot(const CPose* pose);
    virtual void RotateWithPivotHalfTurn(const CPose* pose);
    virtual int FindConnection(const CPose* pose);
    virtual void UpdateConnections(const CPose* pose, int join);
    virtual int ReleaseEndAt(double x, double y, int flag);
    virtual int MatchEndAt(const CPose* pose, double x, double y, double direction, double elevation,
                           int& found);
    virtual int JoinEndAt(const CPose* pose, double x, double y, double direction, int connect,
                          double elevation);
    virtual int SnapEndAt(const CPose* pose, double x, double y, double& direction, int& passFlag, int end);
    virtual void SetChanged(int changed);
    virtual int TestConnection(const CPose* pose, void* query, int mode);
    virtual void LowerElevations(const CPose* pose, double by);
    // The lowest height the object stands at (a track piece's lower end, a 3D object's
    // height), which a group's elevation follows; FALSE for an object without one.
    virtual BOOL GetLowestElevation(double& elevation) const;
    virtual int ChangeEndElevation(int end, double elevation, int flag1, int flag2);
    virtual int ApplyElevationStep(CEditStep* step);
    virtual int DissolveInto(CGroup* group);
    virtual void RecalcFrame();
    virtual void RecalcFrames();
    virtual void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY);
    // Points in the own frame whose images under any placement have the box GetFrameBounds
    // gives as theirs, none when it measures nothing; false when no fixed points do, and the
    // box has to be asked for under each placement. Here the corners of the frame box in the
    // own frame, which is exact for whatever the frame box bounds by its own-frame box.
    virtual bool GetFrameOutline(std::vector<CDoublePoint>& points);
    // For an object without a frame outline, outlines that bound its frame box once placed and
    // moved by their offsets, none when it measures nothing; false when none do. Here false.
    virtual bool GetOffsetFrameOutlines(std::vector<COffsetOutline>& outlines);
    virtual void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY);
    virtual void MoveOriginTo(const double* point);
    virtual void DeselectWithUndo(int record, int groupStart);
    virtual void ReleaseData();
    virtual void CopyFrom(CPaint* other);
    // Puts back a copy of this object taken before a change, keeping the selection state.
    virtual void RestoreFormerState(CPaint* former);
    virtual CPaint* Clone();
    virtual void SavePose();
    virtual void MoveFromSavedPose(double dx, double dy, int fromSaved);
    // Puts the object back at a placement it had in its owner group.
    void RestorePlacement(const CPose& pose);
    virtual void RotateFromSavedPose(double angle, double pivotX, double pivotY, int fromSaved);
    virtual int Draw(const CPose* parent);
    virtual void DrawControlPolygon(const CPose* parent);
    virtual int ChangeGeometry(double x, double y, int handle, int unused, int record, int groupStart);
    virtual CPaint* HitTest();
    virtual int HitTestRect(int left, int top, int right, int bottom);
    virtual int HitTestEndMarker(const CPose* pose);
    virtual int HitTestHandle(const CPose* pose, double x, double y);
    virtual void TrackCreate(const CPose* pose, int handle);
    virtual void DragHandle(const CPose* pose, int handle);
    virtual int FinishCreate(const CPose* pose, int flag);
    virtual void RescaleWithUndo(const CPose* pose, double factor, int flag);
    virtual int Rescale(CEditStep* step);
    virtual int Edit3DProperties(int flag);
    virtual int EditProperties(const CPose* pose);
    virtual void ApplyStyle(const CPose* pose, CPaint* pattern, int mode);
    virtual int RestoreFromUndo(CEditStep* step);
    virtual void Invalidate();
    virtual int HitTestSegment(const CPose* pose, double ax, double ay, double bx, double by);
    virtual int ApplyEditStep(CEditStep* step);
    virtual int UpdateGeometry(CEditStep* step);
    // A new model of the object for the document's scene, or null when it has no 3D form.
    virtual std::unique_ptr<r3d::Clump> Build3D(const CPose* pose);
    virtual int Update3D(const CPose* pose);
    virtual int Remove3D();
    virtual void Rotate3D(float px, float py, float pz, float ax, float ay, float az, float degrees);
    virtual void Translate3D(float dx, float dy, float dz);
    virtual void ApplyRenderMode();
    virtual void UpdateSizeInfo(const CPose* pose);
    virtual int IsInvalid(int unused);
    virtual void SetLayer(int layer);
    virtual int GetOrientation();
    // Places point 0, the rotation handle, for the zoom of an edit: a save writes it.
    virtual void UpdateAnchorPoint();
    // Where a box-like outline's rotation handle lies at the zoom of the moment: beyond corner 3,
    // two handle tolerances away from the box; none for an outline without an orientation.
    std::optional<CDoublePoint> AnchorPointAtZoom();
    // The rotation handle follows the zoom wherever it is drawn, so drawing places it apart from
    // point 0, which only an edit places and a save writes.
    void ShowRotationHandleAt(const CDoublePoint& local);
    void ShowAnchorPointAtZoom();
    // A handle point as the hit tests see it: the rotation handle where it was last drawn (point 0
    // until it is), any other point as held.
    CDoublePoint HandlePoint(int index) const;
    virtual int MirrorY(double c);
    virtual int MirrorX(double c);
    virtual void ConstrainAngle(double& x, double& y, double anchorX, double anchorY);
    virtual void CutAtToolPoint();
    virtual void RebuildShape();
    virtual void PlaceOnBase();
    virtual int SetHeight(int index, double value, int unused, int record, int groupStart);
    virtual int ApplyHeightStep(CEditStep* step);
    virtual void ConformToTerrain(int flag);
    virtual void DetachFromTerrain();
    // The object's track ends, which the connection pass looks up over the whole layout at
    // a cost a cross cast would multiply; none here.
    virtual CTrackEndSource* TrackEndSource();
    // Measures again the stored values that follow from the shape and its placement (a
    // perimeter, a length, tangent points). Invalidate calls it, as every change of shape or
    // placement repaints the object, ApplyEditStep after each step and SetParentPose when the
    // owner moved: no edit measures for itself, drawing only reads what this measured.
    virtual void MeasureShape();

    // Selection without undo: the select and deselect steps run these. A deselection's undo
    // puts the object back where it stood in the selection list.
    void Select();
    void SelectAt(int position);
    void Deselect();

    // Conversions through the own placement composed onto a parent placement (the object's
    // own parent placement where none is named).
    CDoublePoint LocalToWorldInFrame(const CPose& parent, double x, double y) const;
    CDoublePoint LocalToWorld(double x, double y) const;
    CDoublePoint WorldToLocalInFrame(const CPose& parent, double x, double y) const;
    CDoublePoint WorldToLocal(double x, double y) const;

    // The correction that moves a layout point onto the grid or onto the nearest snap point
    // of another member of the current group.
    CDoublePoint SnapOffset(double x, double y);
    const CPose& GetSavedPose() const { return m_savedPose; }
    // Moves corner 1 to 4 of a four-corner outline to a local point; with an output point
    // only that point receives the corner's new place.
    void MoveBoxCorner(int handle, double x, double y, CDoublePoint* output);
    // Stores in the engine the vector between its two probe points in the frame of the
    // placement, with the object turned by the engine's trial angle meanwhile.
    void RotateByToolStep(const CPose* pose);
    // The ancestor of this object that is a member of the root group or of the group being
    // edited.
    CPaint* GetEditLevelAncestor(CPaint* group);
    void Update3DByLayer();
    // Gives every object of a member list this object's engine.
    void ForEachMember(const CPaintList& members);

    // Markers at a device point on the engine's target DC.
    void DrawHandle(int x, int y);
    void DrawHollowHandle(int x, int y);
    void DrawCrossMarker(int x, int y);
    void DrawCircleMarker(int x, int y);
    void DrawXMarker(int x, int y);

    DeviceRect m_rcBounds;
    // The area m_rcBounds covers, for every view.
    CLayoutArea m_boundsArea;
    DeviceRect m_rcPaintBounds;
    // The area the object paints, for every view: what m_rcPaintBounds covers in the engine's own
    // mapping.
    CLayoutArea m_paintArea;
    int m_nDrawState = 0;
    // The object's model in the document's scene; destroying it takes it out of the scene.
    std::unique_ptr<r3d::Clump> m_hModel;
    CString m_strCategory;
    CString m_strManufacturer;
    CString m_strType;
    CString m_strName;
    CString m_strScale;
    CString m_strPartNo;
    double m_fPrice = 0.0;
    double m_fQuantity = 1.0;
    CString m_strNote;
    int m_bShowInReport = 0;
    int m_nArrowStyle = 1;
    int m_nArrowLength = 1;
    int m_nArrowWidth = 1;
    BrushRecord m_brush;
    PenRecord m_pen;
    int m_bFillOn = 0;
    int m_bPatternOn = 0;
    int m_nPatternKind = 0;
    COLORREF m_crFill = 0;
    int m_bSelected = 0;
    int m_bLocked = 0;
    int m_nLayer = 0;
    // Read with the layer -1, on which no layer shows it; not stored. The group reading it
    // lets the parallel-track tool's left-over rubber band go, and keeps any other object.
    bool m_bReadOnNoLayer = false;
    CPose m_pose;
    CTool* m_pTool = nullptr;
    CPose m_parentPose;
    CPose m_savedPose;
    double m_fRescaleBX = 0.0;
    double m_fRescaleBY = 0.0;
    CPointArray m_points;
    double m_fCornerX1 = 0.0;
    double m_fCornerY1 = 0.0;
    double m_fCornerX2 = 0.0;
    double m_fCornerY2 = 0.0;
    double m_fMinX = 0.0;
    double m_fMinY = 0.0;
    double m_fMaxX = 0.0;
    double m_fMaxY = 0.0;
    double m_fRescaleAX = 0.0;
    double m_fRescaleAY = 0.0;
    int m_nFrameStyle = 0;
    int m_nFrameWidth = 1;
    COLORREF m_crFrame = 0;
    int m_bChanged = 0;
    int m_bScaleWithDocument = 1;
    CString m_strPatternFile;
    // The loaded fill pattern; null when the pattern file is missing or unreadable.
    std::unique_ptr<CBitmap> m_pPatternBitmap;
    CGroup* m_pOwnerGroup = nullptr;
    int m_bConformed = 0;
    int m_nEditState = -1;

  protected:
    // Applies a properties dialog's result with one undo step: to this object (mode 0), the
    // selection of the group being edited (1) or every object (2).
    int ApplyPropertiesResult(const CPose* pose, CPaint* result, int mode);
    const CPose& FrameOf(const CPose* pose) const { return pose != nullptr ? *pose : m_parentPose; }
    // A part drawn at one size at every zoom, its device box placed from a world point: the
    // bounds take it in, and the area the object paints reaches as far from that point.
    void HangFixedSizePart(const CDoublePoint& world, const CPoint& device, const DeviceRect& box);

  protected:
    // The file version the object's records follow: its document's.
    int GetDocumentFileVersion() const;

  private:
    std::optional<CDoublePoint> m_shownRotationHandle;

    void StoreCommonPart(CArchive& ar);
    void LoadCommonPart(CArchive& ar);
    void Init();
    void ReleasePointBlock();
    void PlaceOrigin(double x, double y);
    DeviceRect ExtentToDevice() const;
    CLayoutArea ExtentArea(int margin) const;
    int RestoreProperties(CEditStep* step);
    // ApplyEditStep's work before the measure.
    int ApplyStepOfKind(CEditStep* step);
    // The owner group's world placement, and a world vector or point in its frame.
    CPose OwnerWorldPose() const;
    CDoublePoint ToOwnerFrame(double x, double y) const;
    int IsPrintedOnPage() const;
    void ReloadPattern();
    int SelectionPosition();
};
