#pragma once

#include "track/CParTrack.h"

class CPieceMapping;

// The straight track piece: its centre line from the first point (the begin end) to the
// second point (the end end), in local coordinates. Its point array holds nine points: 0
// kept as read (the rotation handle follows the zoom and is kept apart), 1 to 4 the outline
// corners (begin right, begin left, end left, end right), 5 to 8 the rail ends (begin right,
// begin left, end left, end right).
class CTrack : public CParTrack {
    DECLARE_SERIAL(CTrack)

  public:
    static constexpr int kPointCount = 9;
    // Ties closer than a pixel at any zoom say nothing; a count beyond this draws none.
    static constexpr int kMaxTies = 100000;

    CTrack();
    CTrack(int selected, CTool* tool, double x, double y);

    // Both ends from world points through an edit step (kind 40): pushed for undo with record
    // set, else run at once.
    int SetEnds(double bx, double by, double ex, double ey, int record, int groupStart);
    // With record set, pushes the step that puts the second point back at (x, y); else runs
    // the cut step at the world point.
    int CutAt(double x, double y, int record, int groupStart);
    // The direction of the centre line in local coordinates.
    double Direction() const;

    void RecomputeLength() override;
    int ApplyShapeStep(CEditStep* step) override;
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
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
    void SetLength(const CPose* pose, double length) override;
    int AppendCentreLine(CPointArray& points, int reversed) override;
    int ApplyCutStep(CEditStep* step) override;
    int SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                         double& step) override;

    CDoublePoint m_ptFirst;
    CDoublePoint m_ptSecond;

  private:
    // The mirror about x = c or y = c, by the coordinate it negates.
    int MirrorAlong(double c, double CDoublePoint::*axis);
    void DrawTies(CDC& dc, const CPieceMapping& device, double c, double s);
    void DrawSelectionMarkers(const CPieceMapping& device, double c, double s);
    CPaint* HitTestBand();
    void DragEnd(const CPose* pose, int handle);
    void PressEnd(const CPose* pose, int handle);

  protected:
    void SerializeShape(CArchive& ar) override;
};
