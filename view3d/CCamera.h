#pragma once

#include <vector>

#include "drawing/CLabelFont.h"
#include "model/CPaint.h"

class CPlacement;
struct CameraAim;

// The camera of the 3D view placed on the plan: a body, a lens whose tip (point 2, the
// object's origin) is the camera position, a view cone along local +x whose upper edge ends at
// point 1, and the angle of view as a red label. Point 3 is the cone's length on the axis,
// points 4 and 5 the body's corners, point 0 the turn handle. Updating it in 3D aims the open
// 3D view.
class CCamera : public CPaint {
    DECLARE_SERIAL(CCamera)

  public:
    static constexpr int kPointCount = 7;
    static constexpr double kDefaultHeight = 100.0;

    CCamera();
    CCamera(int selected, CTool* tool, double x, double y);

    // Half the angle of view in radians, from the direction of point 1.
    double HalfAngle() const;
    // The full angle of view as the label shows it, "74 °".
    CString AngleLabel() const;
    // Where the 3D view's camera goes: the world lens point, the height, the world heading.
    CameraAim Aim(const CPose& frame) const;
    // Which of the directions of p1 and p2 (first, second) the direction of p3 lies between:
    // 1 inside the sector, else 2 or 3 by the nearer edge.
    int ThreeAngleTest(CDoublePoint first, CDoublePoint second, CDoublePoint third) const;

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int flag) override;
    int Update3D(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    BOOL GetLowestElevation(double& elevation) const override;
    void LowerElevations(const CPose* pose, double by) override;

    CLabelFont m_labelFont;
    double m_fHeight = kDefaultHeight;
    int m_bShowAngleLabel = 1;
    int m_nReserved1 = 0;
    int m_nReserved2 = 0;
    double m_fSavedHeight = 0.0;

  private:
    // The engine's point at the last drag step: a clamped drag sets the engine back to it.
    CDoublePoint m_lastDragPoint;
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    // Plan units per screen pixel.
    double PixelSize() const;
    CDoublePoint MirroredEdge() const;
    double AngleOf(CDoublePoint p) const;
    std::vector<CDoublePoint> BodyCorners() const;
    std::vector<CDoublePoint> LabelCorners() const;
    void DrawSymbol(CDC& dc, const CPose& frame);
    void DrawArc(CDC& dc, const CPose& frame);
    void DrawArrowheads(CDC& dc, const CPlacement& placement, double radius);
    void DrawLabel(CDC& dc, const CPose& frame);
    void DrawCameraHandles(CDC& dc, const CPose& frame);
    bool HitsSymbol(CDoublePoint local);
    void DragHeight(const CPose& frame, CDoublePoint cursor, CDoublePoint grabbed);
    // Each drag keeps the cone in the quarter ahead of and above the lens; false when a bound
    // was applied.
    bool DragViewEdge(CDoublePoint m);
    bool DragDistance(CDoublePoint m);
    bool DragBody(CDoublePoint m);
};
