#pragma once

#include <cstdint>
#include <vector>

#include "drawing/CBoxMappedShape.h"
#include "platform/gdi/CPoint.h"

// An open curve of cubic Bezier segments joined at nodes. Points 0 to 4 are the rotation
// handle and the box corners; from 5 on come node, outgoing control, incoming control, node,
// ... (6 + 3m points for m segments), stored in a reference box and shown mapped onto the
// box of the two local corner points. The curve is sampled afresh at t = i/32 in single
// precision for every drawing and hit test; its length is measured on those samples where
// the curve lies, by MeasureShape after each edit, and only read by drawing.
class CSpline : public CBoxMappedShape {
    DECLARE_SERIAL(CSpline)

  public:
    static constexpr int kFirstNode = kFirstMappedPoint;
    // One cubic segment's control points in world coordinates, rounded toward zero.
    using Segment = int32_t[4][2];

    CSpline();
    CSpline(int selected, CTool* tool, double x, double y);

    // Appends the first control point and then the samples of every segment, rounded toward
    // zero; 0, appending nothing, when the count does not fit the degree.
    static int SampleBezier(std::vector<CPoint>& samples, const int32_t (*controls)[2], uint32_t count,
                            uint16_t degree);

    void Serialize(CArchive& ar) override;
    int ApplyShapeStep(CEditStep* step) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    void MeasureShape() override;
    void DrawControlPolygon(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int HitTestSegment(const CPose* pose, double ax, double ay, double bx, double by) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;

    double m_fLength = 0.0;
    CDoublePoint m_ptSavedA;
    CDoublePoint m_ptSavedB;
    CDoublePoint m_ptEntry;

  private:
    std::vector<CDoublePoint> MappedNodes() const;
    // Segment k's control points in world coordinates rounded toward zero; false when they
    // do not fit a device.
    bool SegmentControls(const CPose& frame, int firstNode, Segment& controls) const;
    // The length of the curve, summed over the chords of the samples drawing shows.
    double MeasureLength(const CPose& frame) const;
    // Draws the samples from the first control point on into the target; 0 when the count does
    // not fit the degree.
    int DrawBezier(const int32_t (*controls)[2], uint32_t count, uint16_t degree);
    // 1 when a chord of the samples passes the cursor, or meets the selection rectangle while
    // one is drawn.
    int HitTestBezier(const CPose* pose, const int32_t (*controls)[2], uint32_t count, uint16_t degree);
    void DrawTangents(const CPose& frame);
    void DrawHandleMarkers(const CPose& frame);
    bool ShowsCurveHandles() const;
    bool ChordHits(const CPose* pose, const CPoint& a, const CPoint& b);
    void EnterPoint(const CPose* pose);
    void StraightenLastSegment();
    void PressCurveHandle(int handle);
    void DragCurveHandle(const CPose& frame, int handle, CDoublePoint local);
    void KeepOppositeTangent(int handle);
    void Refit();
    void RecordShape();
};
