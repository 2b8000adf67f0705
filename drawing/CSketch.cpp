#include "drawing/CSketch.h"

#include <algorithm>
#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CSketch, CPaint, 2)

namespace {

bool IsCorner(int handle) {
    return handle >= 1 && handle <= 4;
}

}  // namespace

CSketch::CSketch() {
    m_strName = "Sketch";
}

CSketch::CSketch(int selected, CTool* tool, double x, double y) : CBoxMappedShape(selected, tool, x, y) {
    m_strName = "Sketch";
    m_fReferenceX1 = m_fCornerX1;
    m_fReferenceY1 = m_fCornerY1;
    m_fReferenceX2 = m_fCornerX2;
    m_fReferenceY2 = m_fCornerY2;
    for (int i = 0; i < kFirstDrawnPoint; ++i) m_points.Add(0.0, 0.0);
}

// ---- Record ----

void CSketch::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    SerializeReference(ar);
    if (ar.IsStoring())
        return;
    // The handles follow from the box; drawn points lost with an older record stay lost.
    if (PointCount() < kFirstDrawnPoint) {
        m_points.SetSize(kFirstDrawnPoint);
        LayOutCornersFromBox(m_parentPose);
    }
}

void CSketch::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CSketch*>(other))
        SetReferenceFrame(source->ReferenceFrame());
    CPaint::CopyFrom(other);
}

CPaint* CSketch::Clone() {
    auto* copy = new CSketch;
    copy->CopyFrom(this);
    return copy;
}

// ---- Box mapping ----

std::vector<CDoublePoint> CSketch::DrawnEnds() const {
    return {MapToBox(m_points[kFirstDrawnPoint]), MapToBox(m_points[PointCount() - 1])};
}

// ---- Box ----

void CSketch::LayOutCornersFromBox(const CPose& frame) {
    LayOutCorners();
    GetBounds(&frame, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CSketch::KeepCornerPoints(const CPose& frame) {
    m_fCornerX1 = m_points[1].x;
    m_fCornerY1 = m_points[1].y;
    m_fCornerX2 = m_points[3].x;
    m_fCornerY2 = m_points[3].y;
    GetBounds(&frame, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CSketch::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const std::vector<CDoublePoint> corners = {{m_fCornerX1, m_fCornerY1},
                                               {m_fCornerX1, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY2},
                                               {m_fCornerX2, m_fCornerY1}};
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), corners, minX, minY, maxX, maxY);
}

int CSketch::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused) || PointCount() < kFirstDrawnPoint + 3)
        return 1;
    return m_fCornerX1 == m_fCornerX2 || m_fCornerY1 == m_fCornerY2 ? 1 : 0;
}

// ---- Drawing ----

bool CSketch::IsDrawable() const {
    return PointCount() >= kFirstDrawnPoint + 2 && m_fCornerX1 != m_fCornerX2 && m_fCornerY1 != m_fCornerY2;
}

void CSketch::CollectDrawnPath(const CPose& frame, std::vector<CPoint>& device, bool& fits) const {
    fits = shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, frame), MappedPoints(), device);
}

int CSketch::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !IsDrawable())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> path;
    bool fits = false;
    CollectDrawnPath(frame, path, fits);
    if (dc == nullptr || !fits || path.empty())
        return 0;
    if (!m_pTool->IsPrinting())
        DrawControlPolygon(parent);
    {
        CShapePen pen(*this, *dc);
        shape::FillOutline(*this, *dc, path);
        dc->Polyline(path.data(), static_cast<int>(path.size()));
    }
    if (shape::ShowsHandles(*this))
        DrawMarkers(frame);
    return 1;
}

void CSketch::DrawMarkers(const CPose& frame) {
    DrawBoxHandles(frame);
}

void CSketch::DrawBoxHandles(const CPose& frame) {
    shape::DrawBoxHandles(*this, frame);
}

// ---- Hit tests ----

CPaint* CSketch::HitTest() {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint + 1)
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return m_pTool->IsLayerVisible(m_nLayer) && shape::BandHitsShape(*this, MappedPoints(), false)
                   ? this
                   : nullptr;
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    if (m_bFillOn && CursorInsideFill())
        return this;
    return CursorOnPath() ? this : nullptr;
}

bool CSketch::CursorInsideFill() const {
    const CDoublePoint p = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    return shape::WindingHolds(MappedPoints(), p);
}

bool CSketch::CursorOnPath() {
    return shape::CursorOnOutline(*this, MappedPoints(), false);
}

int CSketch::HitTestBoxHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || PointCount() < kFirstDrawnPoint)
        return -1;
    constexpr int kBoxHandles[kFirstDrawnPoint] = {0, 1, 2, 3, 4};
    return shape::HandleAtPoint(*this, FrameOf(pose), x, y, kBoxHandles);
}

int CSketch::HitTestHandle(const CPose* pose, double x, double y) {
    return HitTestBoxHandle(pose, x, y);
}

// ---- Mouse ----

void CSketch::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint)
        return;
    if (m_pTool->m_toolMode == kToolSketch) {
        Invalidate();
        return;
    }
    CPaint::TrackCreate(pose, handle);
    if (handle == 0)
        PressRotation(pose);
    else if (handle == -1)
        PressForResize();
    else if (IsCorner(handle))
        RecordHandlePoint(handle, m_points[handle]);
    Invalidate();
}

void CSketch::PressRotation(const CPose* pose) {
    shape::BeginRotationBetween(*this, FrameOf(pose), {m_fCornerX1, m_fCornerY1}, {m_fCornerX2, m_fCornerY2});
}

void CSketch::PressForResize() {
    shape::KeepRescalePoints(*this, {m_fCornerX2, m_fCornerY2}, {m_fCornerX1, m_fCornerY1});
    SavePose();
}

void CSketch::RecordHandlePoint(int handle, CDoublePoint stored) {
    auto step = std::make_unique<CEditStep>(kStepChangeGeometry, this, 1);
    auto payload = std::make_unique<GeometryPayload>();
    payload->x = stored.x;
    payload->y = stored.y;
    payload->handle = handle;
    step->SetPayload(std::move(payload));
    RecordOrApply(*this, std::move(step), true);
}

void CSketch::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint)
        return;
    if (m_pTool->m_toolMode == kToolSketch)
        AppendDrawnPoint(pose);
    else
        MoveCorner(pose, handle);
}

void CSketch::AppendDrawnPoint(const CPose* pose) {
    Invalidate();
    const CDoublePoint p = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const bool first = PointCount() < kFirstDrawnPoint + 1;
    m_points.Add(p.x, p.y);
    m_pTool->m_nDraggedHandle = PointCount() - 1;
    if (first) {
        m_fCornerX1 = m_fCornerX2 = p.x;
        m_fCornerY1 = m_fCornerY2 = p.y;
    } else {
        m_fCornerX1 = std::min(m_fCornerX1, p.x);
        m_fCornerY1 = std::max(m_fCornerY1, p.y);
        m_fCornerX2 = std::max(m_fCornerX2, p.x);
        m_fCornerY2 = std::min(m_fCornerY2, p.y);
    }
    m_fReferenceX1 = m_fCornerX1;
    m_fReferenceY1 = m_fCornerY1;
    m_fReferenceX2 = m_fCornerX2;
    m_fReferenceY2 = m_fCornerY2;
    LayOutCornersFromBox(FrameOf(pose));
    Invalidate();
}

void CSketch::MoveCorner(const CPose* pose, int handle) {
    Invalidate();
    const CDoublePoint p = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    MoveBoxCorner(handle, p.x, p.y, nullptr);
    KeepCornerPoints(FrameOf(pose));
    Invalidate();
}

int CSketch::FinishCreate(const CPose* pose, int handle) {
    shape::EndEdit(*this, pose, handle);
    Invalidate();
    return IsInvalid(0) ? 0 : 1;
}

// ---- Edit steps ----

int CSketch::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr || PointCount() < kFirstDrawnPoint)
        return 0;
    Invalidate();
    // The step holds the corner's exact place; the live drag's Shift rule does not apply.
    if (IsCorner(geometry->handle)) {
        shape::PlaceBoxCorner(m_points, geometry->handle, {geometry->x, geometry->y});
        UpdateAnchorPoint();
    }
    KeepCornerPoints(m_parentPose);
    Invalidate();
    return 1;
}

int CSketch::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr || PointCount() < kFirstDrawnPoint)
        return 0;
    RescaleBox(*rescale);
    LayOutCornersFromBox(m_parentPose);
    return 1;
}

int CSketch::MirrorX(double c) {
    return MirrorAlong(c, &CDoublePoint::x);
}

int CSketch::MirrorY(double c) {
    return MirrorAlong(c, &CDoublePoint::y);
}

int CSketch::MirrorAlong(double c, double CDoublePoint::*axis) {
    MirrorAcross(c, axis);
    if (PointCount() >= kFirstDrawnPoint)
        KeepCornerPoints(m_parentPose);
    return 1;
}

// ---- Snapping and status ----

void CSketch::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    if (PointCount() <= kFirstDrawnPoint)
        return CPaint::GetSnapPoint(vectorX, vectorY, pose, x, y);
    CDoublePoint vector;
    shape::NearestPointVector(*this, FrameOf(pose), DrawnEnds(), x, y, vector);
    vectorX = vector.x;
    vectorY = vector.y;
}

void CSketch::NearestEndPoint(double& x, double& y, const CPose* pose) {
    if (PointCount() <= kFirstDrawnPoint)
        return CPaint::NearestEndPoint(x, y, pose);
    CDoublePoint correction;
    shape::SmallestSnapCorrection(*this, FrameOf(pose), DrawnEnds(), correction);
    x = correction.x;
    y = correction.y;
}

void CSketch::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    const CPose& frame = FrameOf(pose);
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, m_fCornerX1, m_fCornerY1));
    status.m_strMeasure[1] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, m_fCornerX2, m_fCornerY2));
    status.m_strMeasure[2] = shape::LengthText(m_pTool, std::fabs(m_fCornerY1 - m_fCornerY2));
    status.m_strMeasure[3] = shape::LengthText(m_pTool, std::fabs(m_fCornerX1 - m_fCornerX2));
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_nKind = 14;
}

void CSketch::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    text = m_pTool->m_status.m_strMeasure[3] + "; " + m_pTool->m_status.m_strMeasure[2];
}
