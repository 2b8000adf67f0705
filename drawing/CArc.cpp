#include "drawing/CArc.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drawing/CShapePen.h"
#include "drawing/ShapePayloads.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/EllipsePolarForm.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CArc, CPaint, 2)

namespace {

constexpr double kHalfPi = 1.57079632675;

bool IsAngleInTurn(double angle) {
    return angle >= 0.0 && angle <= kFullTurn;
}

void Widen(double& minX, double& minY, double& maxX, double& maxY, const CDoublePoint& p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

}  // namespace

CArc::CArc() : m_fSweep(kHalfPi) {}

CArc::CArc(int selected, CTool* tool, double x, double y, int oval)
    : CPaint(selected, tool, x, y), m_fSweep(kHalfPi), m_bOval(oval != 0 ? 1 : 0) {
    m_strName = m_bOval ? "Oval" : "Arc";
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

// ---- Record ----

void CArc::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_ptCentre.x << m_ptCentre.y << m_fRadiusX << m_fRadiusY << m_fSweep << m_fStartAngle
           << m_bOval;
        return;
    }
    int oval = 0;
    ar >> m_ptCentre.x >> m_ptCentre.y >> m_fRadiusX >> m_fRadiusY >> m_fSweep >> m_fStartAngle >> oval;
    m_bOval = oval != 0 ? 1 : 0;
    m_nSampleCount = 0;
    // The handles follow from the shape, so a record without them gets them back.
    if (m_points.GetSize() < kPointCount)
        RebuildShape();
}

void CArc::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CArc*>(other)) {
        m_ptCentre = source->m_ptCentre;
        m_fRadiusX = source->m_fRadiusX;
        m_fRadiusY = source->m_fRadiusY;
        m_fSweep = source->m_fSweep;
        m_fStartAngle = source->m_fStartAngle;
        m_bOval = source->m_bOval;
    }
    CPaint::CopyFrom(other);
}

CPaint* CArc::Clone() {
    auto* copy = new CArc;
    copy->CopyFrom(this);
    return copy;
}

// ---- Shape ----

double CArc::PolarRadius(double angle) const {
    if (m_fRadiusX == 0.0)
        return 1.0;
    // A flat ellipse seen along its flat side has no radius there: one unit keeps it drawable.
    const double r = EllipsePolarRadius(angle, m_fRadiusX, m_fRadiusY);
    return std::isfinite(r) ? r : 1.0;
}

CDoublePoint CArc::CurvePoint(double angle) const {
    const double r = PolarRadius(angle);
    return {m_ptCentre.x + r * std::cos(angle), m_ptCentre.y + r * std::sin(angle)};
}

double CArc::AngleAbout(CDoublePoint point) const {
    const double dx = point.x - m_ptCentre.x, dy = point.y - m_ptCentre.y;
    const double r = VectorLength(dx, dy);
    if (r == 0.0 || !std::isfinite(r))
        return 0.0;
    const double theta = std::acos(std::clamp(dx / r, -1.0, 1.0));
    return dy < 0.0 ? kFullTurn - theta : theta;
}

bool CArc::IsOnArc(double angle) const {
    const double end = m_fStartAngle + m_fSweep;
    if (end < kFullTurn)
        return m_fStartAngle <= angle && angle <= end;
    return angle <= end - kFullTurn || (m_fStartAngle <= angle && angle <= kFullTurn);
}

void CArc::CurveBox(double& minX, double& minY, double& maxX, double& maxY) const {
    const CDoublePoint start = CurvePoint(m_fStartAngle);
    const CDoublePoint end = CurvePoint(m_fStartAngle + m_fSweep);
    minX = maxX = start.x;
    minY = maxY = start.y;
    Widen(minX, minY, maxX, maxY, end);
    // Angles outside a turn pass no quarter points that could be counted.
    if (!IsAngleInTurn(m_fStartAngle) || !IsAngleInTurn(m_fSweep))
        return;
    const int first = static_cast<int>(m_fStartAngle * 2.0 / kPi);
    const int last = static_cast<int>((m_fStartAngle + m_fSweep) * 2.0 / kPi);
    const CDoublePoint& c = m_ptCentre;
    const CDoublePoint quarter[4] = {
        {c.x, c.y + m_fRadiusY}, {c.x - m_fRadiusX, c.y}, {c.x, c.y - m_fRadiusY}, {c.x + m_fRadiusX, c.y}};
    for (int k = first + 1; k <= last; ++k) Widen(minX, minY, maxX, maxY, quarter[(k - 1) % 4]);
}

void CArc::LayOutCorners(double minX, double minY, double maxX, double maxY, int quadrant) {
    CDoublePoint first{minX, maxY}, third{maxX, minY};
    if (quadrant == 2)
        first = {minX, minY}, third = {maxX, maxY};
    else if (quadrant == 3)
        first = {maxX, minY}, third = {minX, maxY};
    else if (quadrant == 4)
        first = {maxX, maxY}, third = {minX, minY};
    m_points[1] = first;
    m_points[3] = third;
    m_points[2] = {first.x, third.y};
    m_points[4] = {third.x, first.y};
}

void CArc::KeepCornerPoints() {
    m_fCornerX1 = m_points[1].x;
    m_fCornerY1 = m_points[1].y;
    m_fCornerX2 = m_points[3].x;
    m_fCornerY2 = m_points[3].y;
    GetBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CArc::RebuildShape() {
    if (m_points.GetSize() < kPointCount)
        m_points.SetSize(kPointCount);
    PlaceEndsOnCurve();
    double minX, minY, maxX, maxY;
    CurveBox(minX, minY, maxX, maxY);
    LayOutCorners(minX, minY, maxX, maxY, 1);
    KeepCornerPoints();
}

void CArc::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const std::vector<CDoublePoint> corners = {{m_fCornerX1, m_fCornerY1},
                                               {m_fCornerX1, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY1}};
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), corners, minX, minY, maxX, maxY);
}

int CArc::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused) || m_points.GetSize() < kPointCount)
        return 1;
    if (m_points[1].x == m_points[3].x || m_points[1].y == m_points[3].y)
        return 1;
    if (m_fRadiusX == 0.0 || m_fRadiusY == 0.0 || !IsAngleInTurn(m_fStartAngle))
        return 1;
    return m_fSweep > 0.0 && m_fSweep <= kFullTurn ? 0 : 1;
}

// ---- Shape steps ----

std::unique_ptr<ArcShapePayload> CArc::ShapeNow() const {
    auto payload = std::make_unique<ArcShapePayload>();
    payload->radiusX = m_fRadiusX;
    payload->radiusY = m_fRadiusY;
    payload->startAngle = m_fStartAngle;
    payload->sweep = m_fSweep;
    payload->centreX = m_ptCentre.x;
    payload->centreY = m_ptCentre.y;
    payload->oval = m_bOval;
    return payload;
}

int CArc::SetArc(double centreX, double centreY, double radiusX, double radiusY, double startAngle,
                 double sweep, int oval, int record, int) {
    const CDoublePoint centre = WorldToLocal(centreX, centreY);
    auto payload = std::make_unique<ArcShapePayload>();
    payload->radiusX = radiusX;
    payload->radiusY = radiusY;
    payload->startAngle = NormalizeAngle(startAngle - m_pose.angle - m_parentPose.angle);
    payload->sweep = sweep;
    payload->centreX = centre.x;
    payload->centreY = centre.y;
    payload->oval = oval;
    auto step = std::make_unique<CEditStep>(kStepShape, this, 1);
    step->SetPayload(std::move(payload));
    return RecordOrApply(*this, std::move(step), record != 0);
}

int CArc::ApplyShapeStep(CEditStep* step) {
    const ArcShapePayload* shape = step->GetPayload<ArcShapePayload>();
    if (shape == nullptr || step->m_nKind != kStepShape)
        return 0;
    Invalidate();
    m_fRadiusX = shape->radiusX;
    m_fRadiusY = shape->radiusY;
    m_fStartAngle = shape->startAngle;
    m_fSweep = shape->sweep;
    m_ptCentre = {shape->centreX, shape->centreY};
    m_bOval = shape->oval != 0 ? 1 : 0;
    RebuildShape();
    if (shape->points.size() == static_cast<size_t>(kPointCount)) {
        for (int i = 0; i < kPointCount; ++i) m_points[i] = shape->points[i];
        KeepCornerPoints();
    }
    Invalidate();
    return 1;
}

int CArc::ApplyEditStep(CEditStep* step) {
    if (step->m_nKind == kStepShape)
        return ApplyShapeStep(step);
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (step->m_nKind != kStepChangeGeometry || geometry == nullptr || m_pTool == nullptr)
        return CPaint::ApplyEditStep(step);
    // The handle goes where the step says, as a drag to that point would take it.
    const double savedX = m_pTool->m_fCurrentX, savedY = m_pTool->m_fCurrentY;
    m_pTool->m_fCurrentX = geometry->x;
    m_pTool->m_fCurrentY = geometry->y;
    DragHandle(&m_parentPose, geometry->handle);
    m_pTool->m_fCurrentX = savedX;
    m_pTool->m_fCurrentY = savedY;
    return 1;
}

int CArc::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    const double f = rescale->factor;
    m_fRadiusX = rescale->ax * f;
    m_fRadiusY = rescale->ay * f;
    shape::MoveOriginForRescale(*this, *rescale);
    PlaceEndsOnCurve();
    double minX = m_ptCentre.x - m_fRadiusX, minY = m_ptCentre.y - m_fRadiusY;
    double maxX = m_ptCentre.x + m_fRadiusX, maxY = m_ptCentre.y + m_fRadiusY;
    if (!m_bOval)
        CurveBox(minX, minY, maxX, maxY);
    LayOutCorners(minX, minY, maxX, maxY, 1);
    KeepCornerPoints();
    return 1;
}

// ---- Mirrors ----

int CArc::MirrorX(double c) {
    return MirrorAcross(c, true);
}

int CArc::MirrorY(double c) {
    return MirrorAcross(c, false);
}

int CArc::MirrorAcross(double c, bool inX) {
    if (m_points.GetSize() < kPointCount)
        return 0;
    double& origin = inX ? m_pose.x : m_pose.y;
    origin = 2.0 * c - origin;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i < kPointCount; ++i) (inX ? m_points[i].x : m_points[i].y) *= -1.0;
    (inX ? m_ptCentre.x : m_ptCentre.y) *= -1.0;
    std::swap(m_points[5], m_points[6]);
    double end = m_fStartAngle + m_fSweep;
    if (end >= kFullTurn)
        end -= kFullTurn;
    // Across a vertical line an angle a becomes pi - a, across a horizontal one 2 pi - a.
    m_fStartAngle = (inX ? kPi : kFullTurn) - end;
    if (m_fStartAngle < 0.0)
        m_fStartAngle += kFullTurn;
    KeepCornerPoints();
    UpdateAnchorPoint();
    return 1;
}

// ---- Snapping and status ----

void CArc::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    CDoublePoint vector;
    if (m_points.GetSize() < kPointCount ||
        !shape::NearestPointVector(*this, FrameOf(pose), {m_points[5], m_points[6]}, x, y, vector))
        return CPaint::GetSnapPoint(vectorX, vectorY, pose, x, y);
    vectorX = vector.x;
    vectorY = vector.y;
}

void CArc::NearestEndPoint(double& x, double& y, const CPose* pose) {
    if (m_points.GetSize() < kPointCount)
        return CPaint::NearestEndPoint(x, y, pose);
    const std::vector<CDoublePoint> candidates =
        m_bOval ? std::vector<CDoublePoint>{m_points[1], m_points[2], m_points[3], m_points[4]}
                : std::vector<CDoublePoint>{m_points[5], m_points[6]};
    CDoublePoint correction;
    shape::SmallestSnapCorrection(*this, FrameOf(pose), candidates, correction);
    x = correction.x;
    y = correction.y;
}

void CArc::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    const CPose& frame = FrameOf(pose);
    auto worldText = [this, &frame](const CDoublePoint& local) {
        return shape::PointText(m_pTool, LocalToWorldInFrame(frame, local.x, local.y));
    };
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = worldText(m_points[5]);
    status.m_strMeasure[1] = worldText(m_points[6]);
    status.m_strMeasure[5] = worldText(m_ptCentre);
    status.m_strMeasure[6] = shape::LengthText(m_pTool, m_fRadiusX);
    status.m_strMeasure[7] = shape::LengthText(m_pTool, m_fRadiusY);
    status.m_fStartAngle = m_fStartAngle / kPi * 180.0;
    status.m_fArcAngle = m_fSweep / kPi * 180.0;
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_nKind = 0;
}

void CArc::AppendStatusText(CString& text) {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    text = shape::LengthText(m_pTool, m_points[3].x - m_points[1].x) + "; " +
           shape::LengthText(m_pTool, m_points[1].y - m_points[3].y);
}
