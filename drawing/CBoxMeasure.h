#pragma once

#include <vector>

#include "drawing/CLabelFont.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"

// A measuring area: a rectangle in its own frame from corner 1 (the press) to corner 3.
// Selected, it shows its outline and its width, area and height in red; otherwise only four
// hollow corner squares. Its corner handles are 5 to 8; one finished with Control held is
// thrown away, and a flip leaves it as it is.
class CBoxMeasure : public CPaint {
    DECLARE_SERIAL(CBoxMeasure)

  public:
    static constexpr int kPointCount = 5;
    static constexpr int kFirstHandle = 5;

    CBoxMeasure();
    CBoxMeasure(int selected, CTool* tool, double x, double y);

    double Width() const;
    double Height() const;
    // The area in square document units as a plain decimal with three places.
    CString AreaLabel() const;

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    bool GetOffsetFrameOutlines(std::vector<COffsetOutline>& outlines) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    // Drawn wherever it is asked to.
    bool DrawsByBoundsAndSelection() const override { return false; }
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int EditProperties(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;

    CLabelFont m_labelFont;

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    std::vector<CDoublePoint> Corners() const;
    // So many label font heights, in layout units at the present zoom.
    double LabelReach(double lines) const;
    void DrawLabels(CDC& dc, const CPose& frame);
};
