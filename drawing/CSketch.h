#pragma once

#include <vector>

#include "drawing/CBoxMappedShape.h"
#include "platform/gdi/CPoint.h"

// A freehand drawing: the mouse path, kept in a reference box of its own and shown mapped
// onto the current local box, so that stretching, rescaling and mirroring the box carry the
// drawing along. Points 0 to 4 are the rotation handle and the box corners (1 and 3 are the
// two local corner points); the drawn points follow from index 5.
class CSketch : public CBoxMappedShape {
    DECLARE_SERIAL(CSketch)

  public:
    static constexpr int kFirstDrawnPoint = kFirstMappedPoint;

    CSketch();
    CSketch(int selected, CTool* tool, double x, double y);

    void Serialize(CArchive& ar) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int UpdateGeometry(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;

  protected:
    // Whether the outline can be drawn: the polygon draws a flat box, the sketch does not.
    virtual bool IsDrawable() const;
    // The markers of a selected, idle object.
    virtual void DrawMarkers(const CPose& frame);
    // The handle test of the rotation handle and the four corners.
    int HitTestBoxHandle(const CPose* pose, double x, double y);
    void PressRotation(const CPose* pose);
    void PressForResize();
    // Pushes the undo point of a handle press: the exact stored place of that point.
    void RecordHandlePoint(int handle, CDoublePoint stored);
    void MoveCorner(const CPose* pose, int handle);
    // Corners from the two local corner points; the extent follows.
    void LayOutCornersFromBox(const CPose& frame);
    void KeepCornerPoints(const CPose& frame);
    void DrawBoxHandles(const CPose& frame);
    void CollectDrawnPath(const CPose& frame, std::vector<CPoint>& device, bool& fits) const;

  private:
    // The mirror about x = c or y = c, by the coordinate it turns over.
    int MirrorAlong(double c, double CDoublePoint::*axis);
    // The first and the last drawn point as shown, local; the first wins a snapping tie.
    std::vector<CDoublePoint> DrawnEnds() const;
    void AppendDrawnPoint(const CPose* pose);
    bool CursorInsideFill() const;
    bool CursorOnPath();
};
