#include "drawing/CBoxMappedShape.h"

#include "model/Units.h"
#include "platform/base/CArchive.h"

CDoublePoint CBoxMappedShape::MapToBox(CDoublePoint stored) const {
    return shape::MapBetweenBoxes(stored, ReferenceFrame(), LocalFrame());
}

CDoublePoint CBoxMappedShape::MapToReference(CDoublePoint local) const {
    return shape::MapBetweenBoxes(local, LocalFrame(), ReferenceFrame());
}

std::vector<CDoublePoint> CBoxMappedShape::MappedPoints() const {
    std::vector<CDoublePoint> mapped;
    for (int i = kFirstMappedPoint; i < PointCount(); ++i) mapped.push_back(MapToBox(m_points[i]));
    return mapped;
}

shape::BoxFrame CBoxMappedShape::LocalFrame() const {
    return {m_fCornerX1, m_fCornerY1, m_fCornerX2, m_fCornerY2};
}

shape::BoxFrame CBoxMappedShape::ReferenceFrame() const {
    return {m_fReferenceX1, m_fReferenceY1, m_fReferenceX2, m_fReferenceY2};
}

void CBoxMappedShape::SetLocalFrame(const shape::BoxFrame& frame) {
    m_fCornerX1 = frame.x1;
    m_fCornerY1 = frame.y1;
    m_fCornerX2 = frame.x2;
    m_fCornerY2 = frame.y2;
}

void CBoxMappedShape::SetReferenceFrame(const shape::BoxFrame& frame) {
    m_fReferenceX1 = frame.x1;
    m_fReferenceY1 = frame.y1;
    m_fReferenceX2 = frame.x2;
    m_fReferenceY2 = frame.y2;
}

void CBoxMappedShape::SetFrames(const shape::BoxFrame& local, const shape::BoxFrame& reference) {
    SetLocalFrame(local);
    SetReferenceFrame(reference);
}

void CBoxMappedShape::LayOutCorners() {
    m_points[1] = {m_fCornerX1, m_fCornerY1};
    m_points[2] = {m_fCornerX1, m_fCornerY2};
    m_points[3] = {m_fCornerX2, m_fCornerY2};
    m_points[4] = {m_fCornerX2, m_fCornerY1};
}

void CBoxMappedShape::RescaleBox(const RescalePayload& rescale) {
    const CDoublePoint corner = shape::RescaledFrom(rescale, {m_fCornerX1, m_fCornerY1});
    m_fCornerX2 = corner.x;
    m_fCornerY2 = corner.y;
    shape::MoveOriginForRescale(*this, rescale);
}

void CBoxMappedShape::SerializeReference(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_fReferenceX1 << m_fReferenceY1 << m_fReferenceX2 << m_fReferenceY2;
    else
        ar >> m_fReferenceX1 >> m_fReferenceY1 >> m_fReferenceX2 >> m_fReferenceY2;
}

void CBoxMappedShape::MirrorAcross(double c, double CDoublePoint::*axis) {
    const bool acrossX = axis == &CDoublePoint::x;
    double& placed = acrossX ? m_pose.x : m_pose.y;
    placed += (c - placed) * 2.0;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i < PointCount(); ++i) m_points[i].*axis = -(m_points[i].*axis);
    double& first = acrossX ? m_fReferenceX1 : m_fReferenceY1;
    double& second = acrossX ? m_fReferenceX2 : m_fReferenceY2;
    first = -first;
    second = -second;
}
