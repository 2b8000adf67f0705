#pragma once

#include "track/CSweptTrack.h"
#include "track/TrackModelBuilder.h"

class CPen;
class CPieceMapping;

// The circular curved track piece: an arc of a circle about a local centre, from the
// start angle anticlockwise through the sweep; the begin end lies at the start angle. Its
// point array holds seven points: 0 the rotation handle, 1 to 4 unused (far outside any
// plan), 5 the begin end, 6 the end end.
class CCircTrack : public CSweptTrack {
    DECLARE_SERIAL(CCircTrack)

  public:
    static constexpr double kFarAway = -10000000.0;
    // One degree with the program's pi.
    static constexpr double kDegree = 3.1415926535 * 0.005555555555555556;
    // The most centre-line points or ties one piece produces.
    static constexpr int kMaxSteps = 100000;
    // The part of a first move, against its length, that a curve begun on a track end must run
    // back along that end before it goes back over the end's piece.
    static constexpr double kSquareMoveTolerance = 1e-6;

    CCircTrack();
    CCircTrack(int selected, CTool* tool, double x, double y);

    // The arc from a world centre and world start angle through an edit step (kind 41):
    // pushed for undo with queue set, else run at once.
    int SetArc(double centreX, double centreY, double radius, double startAngle, double sweep, int queue,
               int groupStart);
    // With record set, pushes the step that gives back the arc with this sweep; else runs
    // the cut step at the angle from the start.
    int CutWithUndo(double value, int unused, int record, int groupStart);

    void RecomputeLength() override;
    int ApplyShapeStep(CEditStep* step) override;
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    void RescaleWithUndo(const CPose* pose, double factor, int flag) override;
    int Rescale(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    void CutAtToolPoint() override;
    void RebuildShape() override;
    void UpdateAnchorPoint() override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;

    double GetEndAngle(const CPose* pose, int index) override;
    int AppendCentreLine(CPointArray& points, int reversed) override;
    int ApplyCutStep(CEditStep* step) override;
    int SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                         double& step) override;

    double m_fRadius = 0.0;
    // During a drag: the local direction of the centre line at the fixed end, along the arc.
    double m_fCreationTangent = 3.1415926535;
    // During an end drag the fixed end; after a press on the body the centre in the
    // parent's frame, which the rescale reads.
    CDoublePoint m_ptAnchor;
    // 0 free, 1 the arc must bend left, 2 right.
    int m_nBendLock = 0;
    int m_bTangentPending = 1;
    double m_fSavedRadius = 0.0;

  private:
    void InitCreationState();
    void EnsurePoints() override;
    // A curve without a radius is drawn and measured with a radius of 1; answers whether it had none.
    bool TakeMissingRadiusAsOne();
    CDoublePoint OnCircle(double radius, double angle) const;
    // The rotation handle, outside the middle of the arc.
    CDoublePoint HandlePoint() const;
    // The section at the angle, across the arc along its radius, at the elevation there.
    TrackSection RadialSection(const CPose& frame, double angle) const;
    // The angle step whose chord is the given length; 0 when there is none.
    double ChordStep(double chord) const;
    // The angle between the corners of the drawn rails: a degree, or more where the chords
    // stray less than a quarter of a pixel from the circle on the target.
    double DrawingStep(const CDC& dc) const;
    // The arc's first and last directions, as cosine (x) and sine (y), are worked out once per
    // drawing for the rails, the radials at the ends and the ties.
    void DrawCentreLineAndRails(CDC& dc, const CPieceMapping& device, CPen& railPen, CPen& axisPen,
                                const CDoublePoint& first, const CDoublePoint& last);
    void DrawRadial(CDC& dc, const CPieceMapping& device, const CDoublePoint& direction, double length);
    // The device point at the radius in the direction whose cosine and sine are given.
    CPoint DevicePointOnCircle(const CPieceMapping& device, double radius, double c, double s) const;
    void DrawTies(CDC& dc, const CPieceMapping& device, const CDoublePoint& first);
    void DrawTiesExactly(CDC& dc, const CPieceMapping& device, double step);
    void DrawTiesQuickly(CDC& dc, const CPieceMapping& device, double step, const CDoublePoint& first);
    CPaint* HitTestBand();
    void PressEnd(int handle);
    static bool RunsBackAlongEnd(const CDoublePoint& press, const CDoublePoint& cursor);
    void DragArc(const CDoublePoint& cursor);

  protected:
    CString HandleMeasures() override;
    void SerializeShape(CArchive& ar) override;
};
