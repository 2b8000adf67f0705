#pragma once

#include "model/CPaint.h"

// A straight segment on the plan from its start (handle 1) to its end (handle 2), in its own
// frame. Its point array holds three points: 0 the rotation handle on the extension behind
// the start as last edited, 1 and 2 copies of the start and end for the handle and rubber-band
// tests. The rotation handle drawn and tested follows the zoom, so drawing keeps it apart from
// the stored points.
class CLine : public CPaint {
    DECLARE_SERIAL(CLine)

  public:
    static constexpr int kPointCount = 3;

    CLine();
    CLine(int selected, CTool* tool, double x, double y);

    // The direction from start to end; a vertical or empty line points at +-pi/2.
    double Direction() const;

    void Serialize(CArchive& ar) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int UpdateGeometry(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    void UpdateAnchorPoint() override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;

    CDoublePoint m_ptStart;
    CDoublePoint m_ptEnd;

  private:
    void CopyEndsToPoints();
    void PlaceRotationHandle();
    // Behind the start by three handle sizes at the tool's zoom.
    CDoublePoint RotationHandleAtZoom() const;
    void PressHandle(const CPose* pose, int handle);
};
