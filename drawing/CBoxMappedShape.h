#pragma once

#include <vector>

#include "drawing/ShapeSupport.h"
#include "model/CPaint.h"

class CArchive;

// What the freehand sketch (with the polygon) and the drawn spline share: their points from
// index 5 are stored in a reference box of their own and shown mapped onto the local box of
// corners 1 and 3, so that stretching, rescaling and mirroring the box carry them along. It
// has no record of its own: each shape stores itself under its own class name, directly
// beneath the shape base.
class CBoxMappedShape : public CPaint {
  public:
    static constexpr int kFirstMappedPoint = 5;

    // A stored point shown on the local box, and a local point stored back.
    CDoublePoint MapToBox(CDoublePoint stored) const;
    CDoublePoint MapToReference(CDoublePoint local) const;
    // The points from index 5 as shown, local.
    std::vector<CDoublePoint> MappedPoints() const;

    double m_fReferenceX1 = 0.0;
    double m_fReferenceY1 = 0.0;
    double m_fReferenceX2 = 0.0;
    double m_fReferenceY2 = 0.0;

  protected:
    CBoxMappedShape() = default;
    CBoxMappedShape(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {}

    int PointCount() const { return m_points.GetSize(); }
    shape::BoxFrame LocalFrame() const;
    shape::BoxFrame ReferenceFrame() const;
    void SetLocalFrame(const shape::BoxFrame& frame);
    void SetReferenceFrame(const shape::BoxFrame& frame);
    void SetFrames(const shape::BoxFrame& local, const shape::BoxFrame& reference);
    // Points 1 to 4 become the corners of the local box.
    void LayOutCorners();
    // A group resize: corner 2 goes f times as far from corner 1 as the rescale point and the
    // origin moves with the group.
    void RescaleBox(const RescalePayload& rescale);
    // The reference box, first in each shape's record.
    void SerializeReference(CArchive& ar);
    // Mirrors the placement about the line x = c (axis x) or y = c (axis y) and turns every
    // point but the rotation handle, and the reference box, over in that coordinate.
    void MirrorAcross(double c, double CDoublePoint::*axis);
};
