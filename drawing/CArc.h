#pragma once

#include <array>
#include <vector>

#include "model/CPaint.h"
#include "platform/gdi/CPoint.h"

struct ArcShapePayload;

// An elliptic arc, or with the oval flag a closed ellipse, about a local centre. Its point
// array holds seven points: 0 the rotation handle, 1 to 4 the corners of the curve's local
// box (1 and 3 diagonal), 5 the start point and 6 the end point. The curve is drawn through
// samples at whole degrees, kept as last drawn on screen for the rubber-band test.
class CArc : public CPaint {
    DECLARE_SERIAL(CArc)

  public:
    static constexpr int kPointCount = 7;
    static constexpr int kMaxSamples = 370;

    CArc();
    CArc(int selected, CTool* tool, double x, double y, int oval);

    // Reshapes from a world centre and world start angle through a shape step: run at once,
    // or with record set pushed for undo without running.
    int SetArc(double centreX, double centreY, double radiusX, double radiusY, double startAngle,
               double sweep, int oval, int record, int unused);
    // The curve point at an angle about the centre, local.
    CDoublePoint CurvePoint(double angle) const;

    void Serialize(CArchive& ar) override;
    int ApplyShapeStep(CEditStep* step) override;
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
    int Rescale(CEditStep* step) override;
    int ApplyEditStep(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void RebuildShape() override;

    int m_nSampleCount = 0;
    std::array<CPoint, kMaxSamples> m_samples{};
    CDoublePoint m_ptCentre;
    double m_fRadiusX = 0.0;
    double m_fRadiusY = 0.0;
    double m_fSweep;
    double m_fStartAngle = 0.0;
    int m_bOval = 0;

  private:
    double PolarRadius(double angle) const;
    // The angle of a local point about the centre, in [0, 2 pi].
    double AngleAbout(CDoublePoint point) const;
    bool IsOnArc(double angle) const;
    // The local box of the curve: start and end point widened by the quarter points passed.
    void CurveBox(double& minX, double& minY, double& maxX, double& maxY) const;
    // Corners 1 to 4 from a box, with corner 1 to corner 3 in the given quadrant.
    void LayOutCorners(double minX, double minY, double maxX, double maxY, int quadrant);
    void KeepCornerPoints();
    bool IsDrawable() const;
    // The world samples of the curve, none when it does not fit a device.
    bool Sample(const CPose& frame, std::vector<CPoint>& samples) const;
    void DrawHandles(const CPose& frame);
    bool CursorHits();
    std::unique_ptr<ArcShapePayload> ShapeNow() const;
    void PressHandle(int handle);
    void DragOvalCorner(int handle, CDoublePoint local);
    void DragCreatingCorner(int handle, CDoublePoint local);
    void DragEnd(const CPose& frame, int handle, CDoublePoint local);
    void DragArcCorner(int handle, CDoublePoint local);
    void PlaceEndsOnCurve();
    void FlipAcross(CDoublePoint opposite, bool inX);
    int MirrorAcross(double c, bool inX);
};
