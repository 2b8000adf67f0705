#pragma once

#include "track/BezierSampling.h"
#include "track/CParTrack.h"

class CPen;

// The spline track piece: cubic Bezier segments joined at knots. The point array holds 0
// the rotation handle, 1 to 4 the frame corners, and from 5 on the control points knot,
// handle, handle, knot, ... The control points live in a space of their own whose bounding
// box (the control bounds) maps onto the frame box; rescaling and mirroring change the frame,
// not the control points.
class CSplineTrack : public CParTrack {
    DECLARE_SERIAL(CSplineTrack)

  public:
    static constexpr int kFirstKnot = 5;
    // The most ties one piece draws.
    static constexpr int kMaxTies = 100000;

    CSplineTrack();
    CSplineTrack(int selected, CTool* tool, double x, double y);

    // World control points become the piece's (kind 43), taken through the frame box into
    // control space: pushed unrun for undo, or run at once.
    int SetControlPoints(CPointArray* points, int pushOnly, int groupStart);
    CDoublePoint GetControlPointWorld(int index) const;
    // Pushes the world points as the undo record, or runs the cut step at the last hit.
    int RecordCut(CPointArray* points, int unused, int pushOnly, int groupStart);
    // A control point mapped onto the frame box: a local point.
    CDoublePoint MapControlPoint(const CDoublePoint& control) const;
    // A local point mapped back into control space; an axis of no frame size keeps the
    // previous coordinate.
    CDoublePoint UnmapPoint(const CDoublePoint& local, const CDoublePoint& previous) const;
    int LastIndex() const { return m_points.GetSize() - 1; }
    int SegmentCount() const {
        return m_points.GetSize() > kFirstKnot + 3 ? (LastIndex() - kFirstKnot) / 3 : 0;
    }
    // The length from the samples under the parent placement, as drawing samples them.
    void RecomputeLength() override;
    // The samples fall on whole units of the plan: a piece placed anew is measured anew.
    void SetParentPose(const CPose* pose) override;
    void MeasureShape() override;
    void ComputeExtent(const CPose* pose) override;

    int ApplyShapeStep(CEditStep* step) override;
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    void DrawControlPolygon(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int flag) override;
    void RescaleWithUndo(const CPose* pose, double factor, int flag) override;
    int Rescale(CEditStep* step) override;
    int UpdateGeometry(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void CutAtToolPoint() override;
    void RebuildShape() override;

    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;

    double GetEndAngle(const CPose* pose, int index) override;
    int AppendCentreLine(CPointArray& points, int reversed) override;
    int ApplyCutStep(CEditStep* step) override;
    int SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                         double& step) override;

    // The bounding box of the control points.
    double m_fBoundsMinX = 0.0;
    double m_fBoundsMaxY = 0.0;
    double m_fBoundsMaxX = 0.0;
    double m_fBoundsMinY = 0.0;
    // At a press: the handles around a pressed knot, or the first frame corner in world
    // coordinates for a rescale.
    CDoublePoint m_ptDragA;
    CDoublePoint m_ptDragB;
    // At a press: the dragged knot, the partner handle, or the second frame corner.
    CDoublePoint m_ptSaved;
    BezierSamples m_centreSamples;
    BezierSamples m_railA;
    BezierSamples m_railB;
    CDoublePoint m_ptHitA;
    CDoublePoint m_ptHitB;
    int m_nHitSegment = 0;
    // Sample steps, over all segments, up to the hit.
    int m_nHitStep = 0;
    // Sample steps the hit step spans (more than one where the zoom thins the samples).
    int m_nHitSpan = 1;

  private:
    // The placement and parent placement the length was measured under, or read with.
    CPose m_measuredPose;
    CPose m_measuredParentPose;
    // One segment's samples in world coordinates under the placement (its first knot given).
    void SampleSegment(const CPose& frame, int knot, int accumulate);
    bool IsCreating() const;
    bool IsKnot(int index) const { return index >= kFirstKnot && index % 3 == 2; }
    void SetFrameFromBounds();
    void FitBoundsToControlPoints();
    void RefreshFrameHandles();
    void PlaceFrameCorners();
    void RebuildMarkers();
    void RebuildEnds();
    CDoublePoint MarkerFrom(int from, int toward) const;
    void ControlBox(double& minX, double& minY, double& maxX, double& maxY) const;
    void WorldExtentOfControlBox();
    void PressCreate(const CPose* pose);
    void StraightenSegmentBefore();
    void PressControlPoint(int handle);
    void PushControlPointsForUndo();
    void DragCreating(CDoublePoint point, int handle);
    void DragControlPoint(const CDoublePoint& local, int handle);
    void MovePartners(int handle, double partnerDistance);
    void FinishDrag();
    int FindHandle(int px, int py) const;
    void DrawSegments(CDC& dc, const CPose& frame, CPen& railPen, CPen& tiePen, CPen& axisPen);
    void DrawEndBars(CDC& dc, const CPose& frame);
    void DrawHandles(CDC& dc, const CPose& frame, CPen& axisPen);
    CPoint DevicePoint(const CPose& frame, const CDoublePoint& control) const;
    CDoublePoint WorldPoint(const CPose& frame, const CDoublePoint& control) const;
    // Whether the cursor lies on a world segment within the handle tolerance.
    bool CursorOnSegment(const CDoublePoint& a, const CDoublePoint& b) const;

  protected:
    CString HandleMeasures() override;
    void SerializeShape(CArchive& ar) override;
    bool KeepsStoredLength(double stored) const override;
};
