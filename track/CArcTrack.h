#pragma once

#include "track/CSweptTrack.h"

class CPen;

// The elliptic-arc track piece: an arc of an ellipse whose axes lie along the local axes,
// from the start angle anticlockwise through the sweep. Points of the ellipse are addressed
// by their polar angle about the centre. The point array holds seven points: 0 the rotation
// handle, 1 to 4 the corners of the arc's box, 5 the begin end, 6 the end end.
class CArcTrack : public CSweptTrack {
    DECLARE_SERIAL(CArcTrack)

  public:
    // One degree with the program's pi.
    static constexpr double kDegree = 3.1415926535 * 0.005555555555555556;
    // The one-degree walk over a full turn keeps at most this many samples.
    static constexpr int kMaxSamples = 361;
    // The most ties one piece draws.
    static constexpr int kMaxTies = 100000;

    CArcTrack();
    CArcTrack(int selected, CTool* tool, double x, double y);

    // The arc from a world centre and world start angle through an edit step (kind 42):
    // pushed for undo with queue set, else run at once.
    int SetArc(double centreX, double centreY, double radiusX, double radiusY, double startAngle,
               double sweep, int queue, int groupStart);
    // With record set, pushes the step that gives back the arc with this sweep; else runs
    // the cut step at the angle from the start.
    int CutWithUndo(double value, int record, int groupStart);
    // The distance of the ellipse from its centre in the direction of the polar angle.
    double PolarRadius(double angle) const;
    // The local point of the ellipse at the polar angle.
    CDoublePoint PointAt(double angle) const;

    void RecomputeLength() override;
    int ApplyShapeStep(CEditStep* step) override;
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    void RescaleWithUndo(const CPose* pose, double factor, int flag) override;
    int Rescale(CEditStep* step) override;
    int ApplyEditStep(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    void CutAtToolPoint() override;
    void RebuildShape() override;

    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;

    double GetEndAngle(const CPose* pose, int index) override;
    int AppendCentreLine(CPointArray& points, int reversed) override;
    int ApplyCutStep(CEditStep* step) override;
    int SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                         double& step) override;

    double m_fRadiusX = 1.0;
    double m_fRadiusY = 1.0;
    // The centre in the parent's frame at the last press on the body, for the rescale.
    CDoublePoint m_ptSavedCentre;

  private:
    // One kept sample of the one-degree walk.
    struct Sample {
        double angle;
        CDoublePoint point;
    };
    // The kept samples from the begin (or, reversed, the end): both ends and the whole degrees
    // at least the spacing from the sample kept before; returns their count.
    int Walk(bool reversed, Sample (&samples)[kMaxSamples], double spacing) const;
    // The outward normal direction of the ellipse at a point given relative to the centre.
    double NormalAt(double dx, double dy) const;
    CDoublePoint AlongNormal(const Sample& sample, double offset) const;
    bool AnglesDrawable() const;
    void EnsurePoints() override;
    void RebuildEnds();
    void RebuildBox();
    void RebuildMarkers();
    void FinishHandleDrag();
    void DrawTies(CDC& dc, const CPlacement& placement, const Sample* samples, int count);
    void DrawEndBar(CDC& dc, const CPlacement& placement, const Sample& sample);
    void DrawSelection(const CPlacement& placement, const Sample& first, const Sample& last);
    CPaint* HitTestSamples(const Sample* samples, int count);
    void PressHandle(const CPose* pose, int handle);
    void DragCreationCorner(const CDoublePoint& cursor, int handle);
    void DragEnd(CDoublePoint cursor, int handle);
    void DragCorner(const CDoublePoint& cursor, int handle);

  protected:
    CString HandleMeasures() override;
    void SerializeShape(CArchive& ar) override;
    bool KeepsStoredLength(double stored) const override;
};
