#pragma once

#include <vector>

#include "model/CPaint.h"
#include "platform/gdi/CPoint.h"

// A rectangle on the plan, axis-parallel in its own frame and turned by its placement. Its
// point array holds five points: 0 the rotation handle, placed two handle sizes beyond
// corner 3; 1 to 4 the corners, 1 and 3 diagonal, 1-2 and 3-4 sharing x, 1-4 and 2-3 sharing y.
class CBox : public CPaint {
    DECLARE_SERIAL(CBox)

  public:
    static constexpr int kPointCount = 5;
    // The first file version whose boxes keep their corners in the point array.
    static constexpr int kVersionStoredCorners = 16;

    CBox();
    CBox(int selected, CTool* tool, double x, double y);

    void Serialize(CArchive& ar) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int UpdateGeometry(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;

  protected:
    // The corners in the order 1, 2, 3, 4; none while the point array is short.
    std::vector<CDoublePoint> Corners() const;
    // Whether the cursor lies strictly inside corners 1 and 3, in local coordinates.
    bool CursorInside() const;
    // The rotation and group-resize presses that the rounded box shares.
    void PressRotation(const CPose* pose);
    void PressForResize();
    // The kind 2 step of a corner: recorded with the corner's exact place for undo, or run
    // with the cursor after the Shift rule.
    void RecordCorner(int handle);
    void DragCorner(const CPose* pose, int handle);
    // Puts a corner where an edit step says, without the Shift rule of the live drag.
    void PlaceCorner(int handle, CDoublePoint local);
    // The pen, fill and outline of the idle or dragged box.
    void DrawOutline(CDC& dc, const std::vector<CPoint>& outline);
    void DrawCornerHandles(const CPose& frame);
    // The corners in the order snapping visits them: 1, 4, 3, 2.
    std::vector<CDoublePoint> SnapCorners() const;

  private:
    // Rebuilds the corners of an older record from the two stored corner points.
    void RebuildCornersFromRecord();
};
