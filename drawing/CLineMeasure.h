#pragma once

#include <vector>

#include "drawing/CLabelFont.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"
#include "platform/gdi/CPoint.h"

// A measuring line from end 1 (point 1) to end 2 (point 2). Selected, it shows itself and
// its length and direction in red beside end 2; otherwise only two hollow squares at its ends.
// One finished with Control held is thrown away.
class CLineMeasure : public CPaint {
    DECLARE_SERIAL(CLineMeasure)

  public:
    static constexpr int kPointCount = 6;

    CLineMeasure();
    CLineMeasure(int selected, CTool* tool, double x, double y);

    // The length in the document's unit, ", " and the direction in whole degrees.
    CString LabelText(const CPose& frame) const;

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    bool GetOffsetFrameOutlines(std::vector<COffsetOutline>& outlines) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int EditProperties(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;

    CLabelFont m_labelFont;

  private:
    bool HasPoints() const { return m_points.GetSize() >= 3; }
    void DrawSelected(CDC& dc, const CPose& frame, const std::vector<CPoint>& ends);
};
