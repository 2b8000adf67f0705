#pragma once

#include <array>

#include "drawing/CLabelExtent.h"
#include "drawing/CLabelFont.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"

namespace dimension {
struct LabelLine;
}

// A dimension line as a technical drawing has it: frames from the two measured points (1
// and 2) to the dimension line at x3, arrowheads at its ends and the measured length |y1 - y2|
// as label at point 3, whose y stays midway between y1 and y2. It measures along its own y
// axis; its own angle turns that onto the plan. Point 0 is the rotation handle beside point 1,
// point 4 is kept but unused.
class CSizeLine : public CPaint {
    DECLARE_SERIAL(CSizeLine)

  public:
    static constexpr int kPointCount = 5;

    CSizeLine();
    CSizeLine(int selected, CTool* tool, double x, double y);

    // Sets points 1 to 3 from world points and the label flag through a step of kind 44:
    // with record set the step is only pushed for undo and the answer is 1; else it runs at
    // once and its answer is returned.
    int SetPoints(double x1, double y1, double x2, double y2, double x3, double y3, int label, int record,
                  int groupStart);

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    int ApplyShapeStep(CEditStep* step) override;
    void AppendStatusText(CString& text) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    // The label lies beside the lines: what redraws the plan under it redraws the label.
    void HangFixedSizeParts() override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void RebuildShape() override;

    // The measured length in layout units.
    double MeasuredLength() const;
    // The label text in the document's unit.
    CString LabelText() const;

    CLabelFont m_labelFont;
    int m_bLabel = 1;
    CLabelExtent m_labelExtent;
    int m_bExtraHandles = 1;

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    int RunStep(const std::array<CDoublePoint, 3>& local, int label, int record, int groupStart);
    void PlaceRotationHandle();
    void DragWhileCreating(CDoublePoint cursor);
    void DrawFigure(CDC& dc, const CPlacement& placement);
    void DrawArrowheads(CDC& dc, const CPlacement& placement);
    bool PlaceLabel(const CPlacement& placement, dimension::LabelLine& line) const;
    void DrawLabel(CDC& dc, const CPlacement& placement);
    void DrawHandles(const CPlacement& placement);
};
