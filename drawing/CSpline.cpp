#include "drawing/CSpline.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapePayloads.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/LayoutFile.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"

IMPLEMENT_SERIAL(CSpline, CPaint, 2)

namespace {

double DirectionDegrees(CDoublePoint from, CDoublePoint to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double a = dx == 0.0 ? (dy > 0.0 ? kPi / 2.0 : -kPi / 2.0) : std::atan2(dy, dx);
    return (a < 0.0 ? a + kFullTurn : a) * 180.0 / kPi;
}

}  // namespace

CSpline::CSpline() = default;

CSpline::CSpline(int selected, CTool* tool, double x, double y) : CBoxMappedShape(selected, tool, x, y) {
    m_strName = "Spline";
    for (int i = 0; i < kFirstNode + 1; ++i) m_points.Add(0.0, 0.0);
}

// ---- Record ----

void CSpline::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    SerializeReference(ar);
    if (ar.IsStoring()) {
        ar << m_fLength;
        return;
    }
    ar >> m_fLength;
    // A record short of points starts again as a new spline does, with no segment. Only whole
    // segments can be drawn; anything else is not a spline this program wrote.
    if (PointCount() < kFirstNode + 1)
        m_points.SetSize(kFirstNode + 1);
    if ((PointCount() - kFirstNode - 1) % 3 != 0)
        FailRead(ar, CArchiveException::generic);
}

void CSpline::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CSpline*>(other)) {
        SetReferenceFrame(source->ReferenceFrame());
        // A pasted copy is as long as its original, not invalid until drawn.
        m_fLength = source->m_fLength;
    }
    CPaint::CopyFrom(other);
}

CPaint* CSpline::Clone() {
    auto* copy = new CSpline;
    copy->CopyFrom(this);
    return copy;
}

// ---- Boxes ----

void CSpline::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const std::vector<CDoublePoint> corners = {{m_fCornerX1, m_fCornerY1},
                                               {m_fCornerX1, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY1}};
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), corners, minX, minY, maxX, maxY);
}

int CSpline::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused) || PointCount() < kFirstNode + 4 || !(m_fLength > 0.0))
        return 1;
    return m_fCornerX1 == m_fCornerX2 || m_fCornerY1 == m_fCornerY2 ? 1 : 0;
}

void CSpline::Refit() {
    std::vector<CDoublePoint> stored;
    for (int i = kFirstNode; i < PointCount(); ++i) stored.push_back(m_points[i]);
    if (stored.empty())
        return;
    shape::BoxFrame local = LocalFrame(), reference = ReferenceFrame();
    shape::RefitFrames(local, reference, shape::BoundingFrame(stored));
    SetFrames(local, reference);
}

// ---- Edit steps ----

void CSpline::RecordShape() {
    auto payload = std::make_unique<SplineShapePayload>();
    for (int i = 0; i < PointCount(); ++i) payload->points.push_back(m_points[i]);
    const shape::BoxFrame local = LocalFrame(), reference = ReferenceFrame();
    std::copy_n(&local.x1, 4, payload->corners);
    std::copy_n(&reference.x1, 4, payload->reference);
    auto step = std::make_unique<CEditStep>(kStepShape, this, 1);
    step->SetPayload(std::move(payload));
    RecordOrApply(*this, std::move(step), true);
}

int CSpline::ApplyShapeStep(CEditStep* step) {
    const SplineShapePayload* shape = step->GetPayload<SplineShapePayload>();
    if (shape == nullptr)
        return 0;
    Invalidate();
    m_points.SetSize(static_cast<int>(shape->points.size()));
    for (int i = 0; i < PointCount(); ++i) m_points[i] = shape->points[i];
    SetFrames({shape->corners[0], shape->corners[1], shape->corners[2], shape->corners[3]},
              {shape->reference[0], shape->reference[1], shape->reference[2], shape->reference[3]});
    GetBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
    return 1;
}

int CSpline::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr || PointCount() < kFirstNode)
        return 0;
    RescaleBox(*rescale);
    LayOutCorners();
    return 1;
}

int CSpline::MirrorX(double c) {
    MirrorAcross(c, &CDoublePoint::x);
    if (PointCount() >= kFirstNode) {
        m_fCornerX1 = m_points[1].x;
        m_fCornerX2 = m_points[3].x;
    }
    return 1;
}

int CSpline::MirrorY(double c) {
    MirrorAcross(c, &CDoublePoint::y);
    if (PointCount() >= kFirstNode) {
        m_fCornerY1 = m_points[1].y;
        m_fCornerY2 = m_points[3].y;
    }
    return 1;
}

// ---- Snapping and status ----

std::vector<CDoublePoint> CSpline::MappedNodes() const {
    std::vector<CDoublePoint> nodes;
    for (int k = kFirstNode; k < PointCount(); k += 3) nodes.push_back(MapToBox(m_points[k]));
    return nodes;
}

void CSpline::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    CDoublePoint vector;
    if (!shape::NearestPointVector(*this, FrameOf(pose), MappedNodes(), x, y, vector))
        return CPaint::GetSnapPoint(vectorX, vectorY, pose, x, y);
    vectorX = vector.x;
    vectorY = vector.y;
}

void CSpline::NearestEndPoint(double& x, double& y, const CPose* pose) {
    CDoublePoint correction;
    if (!shape::SmallestSnapCorrection(*this, FrameOf(pose), MappedNodes(), correction))
        return CPaint::NearestEndPoint(x, y, pose);
    x = correction.x;
    y = correction.y;
}

void CSpline::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || PointCount() <= kFirstNode)
        return;
    const CPose& frame = FrameOf(pose);
    auto worldText = [this, &frame](int index) {
        const CDoublePoint local = MapToBox(m_points[index]);
        return shape::PointText(m_pTool, LocalToWorldInFrame(frame, local.x, local.y));
    };
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[2] = shape::LengthText(m_pTool, m_fLength);
    status.m_strMeasure[0] = worldText(kFirstNode);
    status.m_strMeasure[1] = worldText(PointCount() - 1);
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_nKind = 15;
}

void CSpline::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    const int h = m_pTool->m_nDraggedHandle;
    const int count = PointCount();
    double angle = m_pTool->m_status.m_fRotation;
    if (h >= kFirstNode && h < count) {
        const int kind = (h - kFirstNode) % 3;
        int from = h - 3, to = h;
        if (h == kFirstNode)
            from = kFirstNode, to = kFirstNode + 3;
        else if (kind == 2)
            from = h, to = h + 1;
        else if (kind == 1)
            from = h - 1, to = h;
        if (to < count) {
            const CDoublePoint a = MapToBox(m_points[from]), b = MapToBox(m_points[to]);
            angle = DirectionDegrees(LocalToWorld(a.x, a.y), LocalToWorld(b.x, b.y));
        }
    }
    CString degrees;
    degrees.Format("; %.2f", angle);
    text = shape::LengthText(m_pTool, m_fLength) + degrees;
}
