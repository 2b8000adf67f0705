#pragma once

#include <array>
#include <vector>

#include "drawing/CLabelExtent.h"
#include "drawing/CLabelFont.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"

namespace dimension {
struct LabelLine;
}

// A dimension angle: two arms from points 1 and 2 through the vertex (point 3), an arc of
// radius |point 4 - vertex| from arm 1 counter-clockwise to arm 2 (stretched to point 4 when
// point 4 lies outside that sweep), arrowheads at the arms and the angle in whole degrees
// written across the radius through point 4. Point 0 is the rotation handle beside point 2.
// It is drawn in one stroke: out along the first arm, back toward the vertex, out along the
// second.
class CSizeAngle : public CPaint {
    DECLARE_SERIAL(CSizeAngle)

  public:
    static constexpr int kPointCount = 5;

    CSizeAngle();
    CSizeAngle(int selected, CTool* tool, double x, double y);

    // Sets points 1 to 4 from world points and the label flag through a step of kind 45:
    // with record set the step is only pushed for undo and the answer is 1; else it runs at
    // once and its answer is returned.
    int SetPoints(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                  int label, int record, int groupStart);

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    int ApplyShapeStep(CEditStep* step) override;
    void AppendStatusText(CString& text) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    // The label lies across the radius: what redraws the plan under it redraws the label.
    void HangFixedSizeParts() override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void RebuildShape() override;

    // The direction of a local point seen from the vertex, in [0, 2 pi); 0 on the vertex.
    double DirectionOf(CDoublePoint p) const;
    // From arm 1 counter-clockwise to arm 2, in radians.
    double SweepAngle() const;
    // "90°": the sweep in whole degrees.
    CString LabelText() const;
    // 1 when point 4 lies in the sweep, 2 outside it nearer arm 1, 3 nearer arm 2.
    int PointFourClass() const;

    CLabelFont m_labelFont;
    int m_bLabel = 1;
    CLabelExtent m_labelExtent;
    int m_bFirstArm = 0;
    CDoublePoint m_ptLastCursor;
    int m_nActiveHandle = 0;

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    bool PlacingFirstArm() const;
    double Radius() const;
    int RunStep(const std::array<CDoublePoint, 4>& local, int label, int record, int groupStart);
    // The arc's start and end directions, the end not below the start.
    void ArcRange(double& start, double& end) const;
    CDoublePoint CirclePoint(double angle) const;
    std::array<CDoublePoint, 2> Frame(int arm) const;
    std::array<CDoublePoint, 3> Arrowhead(int arm) const;
    std::array<CDoublePoint, 4> LabelBox() const;
    std::vector<CDoublePoint> ArcSamples() const;
    std::vector<CDoublePoint> FigurePoints() const;
    void DrawFigure(CDC& dc, const CPlacement& placement);
    bool PlaceLabel(const CPlacement& placement, const CPose& frame, dimension::LabelLine& line,
                    int& escapement) const;
    void DrawLabel(CDC& dc, const CPlacement& placement, const CPose& frame);
    void DrawHandles(const CPlacement& placement);
    void DragFirstArm(CDoublePoint cursor);
    void PlaceOnBisector();
    bool CursorOnArc(CDoublePoint cursor) const;
    void SwapArms();
};
