#include "drawing/CPolygon.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CPolygon, CSketch, 3)

namespace {

double DirectionDegrees(double dx, double dy) {
    const double a = dx == 0.0 ? (dy <= 0.0 ? -kPi / 2.0 : kPi / 2.0) : std::atan2(dy, dx);
    return shape::Degrees(a);
}

}  // namespace

CPolygon::CPolygon() {
    m_strName = "Polygon";
}

CPolygon::CPolygon(int selected, CTool* tool, double x, double y) : CSketch(selected, tool, x, y) {
    m_strName = "Polygon";
}

void CPolygon::Serialize(CArchive& ar) {
    CSketch::Serialize(ar);
    if (ar.IsStoring())
        ar << m_fPerimeter;
    else
        ar >> m_fPerimeter;
}

void CPolygon::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CPolygon*>(other))
        m_fPerimeter = source->m_fPerimeter;
    CSketch::CopyFrom(other);
}

CPaint* CPolygon::Clone() {
    auto* copy = new CPolygon;
    copy->CopyFrom(this);
    return copy;
}

int CPolygon::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused) || PointCount() < kFirstDrawnPoint)
        return 1;
    if (!(m_fPerimeter > 0.0))
        return 1;
    return m_fCornerX1 == m_fCornerX2 && m_fCornerY1 == m_fCornerY2 ? 1 : 0;
}

bool CPolygon::IsPointEntryTool() const {
    const int mode = m_pTool->m_toolMode;
    return mode == kToolPolygon || mode == kToolBenchwork || mode == kToolTerrain;
}

bool CPolygon::IsVertex(int handle) const {
    return handle >= kFirstDrawnPoint && handle < PointCount();
}

double CPolygon::ChainLength(const std::vector<CDoublePoint>& points) {
    double length = 0.0;
    for (size_t i = 1; i < points.size(); ++i)
        length += VectorLength(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
    return length;
}

// ---- Normalisation ----

void CPolygon::Normalize(const CPose& frame) {
    if (PointCount() <= kFirstDrawnPoint)
        return;
    std::vector<CDoublePoint> stored;
    for (int i = kFirstDrawnPoint; i < PointCount(); ++i) stored.push_back(m_points[i]);
    shape::BoxFrame local = LocalFrame(), reference = ReferenceFrame();
    shape::RefitFrames(local, reference, shape::BoundingFrame(stored));
    SetFrames(local, reference);
    LayOutCornersFromBox(frame);
}

// ---- Drawing ----

// The perimeter of a finished outline; while vertices are entered the entry measures the chain
// drawn so far, the rubber band with it.
void CPolygon::MeasureShape() {
    if (!IsDrawable() || (m_pTool != nullptr && m_pTool->m_nMultiPoint != 0))
        return;
    m_fPerimeter = ChainLength(MappedPoints());
}

bool CPolygon::IsDrawable() const {
    return PointCount() >= kFirstDrawnPoint + 2;
}

void CPolygon::DrawMarkers(const CPose& frame) {
    if (m_pTool->m_nMultiPoint != 0)
        return;
    CDC* dc = m_pTool->GetTargetDC();
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    const CPlacement placement(m_pose, frame);
    CPoint device;
    for (const CDoublePoint& vertex : MappedPoints())
        if (shape::ToDevice(*m_pTool, placement, vertex, device))
            DrawCircleMarker(device.x, device.y);
    dc->SelectObject(previous);
    DrawBoxHandles(frame);
}

void CPolygon::DrawControlPolygon(const CPose* parent) {
    const int mode = m_pTool->m_toolMode;
    const bool excluded = mode == kToolSetTrackElevations || mode == kToolZoomIn || mode == kToolZoomOut ||
                          mode == kToolDragHandle;
    const bool dragging = m_pTool->m_bButtonDown && m_pTool->m_bMoved;
    if (!IsSelected() || excluded || !(dragging || m_pTool->m_nMultiPoint != 0))
        return;
    shape::DrawControlBox(*this, FrameOf(parent), shape::BoundingFrame(MappedPoints()));
}

// ---- Handles ----

int CPolygon::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || PointCount() < kFirstDrawnPoint)
        return -1;
    if (m_fCornerX1 == m_fCornerX2 || m_fCornerY1 == m_fCornerY2) {
        const int box = HitTestBoxHandle(pose, x, y);
        if (box >= 0)
            return box;
    }
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const double t = m_pTool->GetHandleTolerance();
    for (int i = kFirstDrawnPoint; i < PointCount(); ++i)
        if (shape::HandleHolds(MapToBox(m_points[i]), t, local))
            return i;
    return HitTestBoxHandle(pose, x, y);
}

void CPolygon::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint)
        return;
    RecalcBounds();
    Invalidate();
    if (IsPointEntryTool()) {
        AddVertex(pose);
    } else if (handle == -1) {
        PressForResize();
    } else if (handle == 0) {
        PressRotation(pose);
    } else if (handle >= 1 && handle < PointCount()) {
        RecordHandlePoint(handle, m_points[handle]);
    }
    Invalidate();
}

void CPolygon::AddVertex(const CPose* pose) {
    const CDoublePoint q = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (PointCount() <= kFirstDrawnPoint) {
        m_points.Add(q.x, q.y);
        m_fCornerX1 = m_fCornerX2 = q.x;
        m_fCornerY1 = m_fCornerY2 = q.y;
    }
    const CDoublePoint last = m_points[PointCount() - 1];
    m_points.Add(last.x, last.y);
    m_pTool->m_nDraggedHandle = PointCount() - 1;
    m_fCornerX1 = std::min(m_fCornerX1, q.x);
    m_fCornerY1 = std::max(m_fCornerY1, q.y);
    m_fCornerX2 = std::max(m_fCornerX2, q.x);
    m_fCornerY2 = std::min(m_fCornerY2, q.y);
    m_fReferenceX1 = m_fCornerX1;
    m_fReferenceY1 = m_fCornerY1;
    m_fReferenceX2 = m_fCornerX2;
    m_fReferenceY2 = m_fCornerY2;
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CPolygon::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint)
        return;
    if (handle >= 0 && handle < kFirstDrawnPoint)
        return CSketch::DragHandle(pose, handle);
    if (!IsVertex(handle))
        return;
    if (m_pTool->m_nMultiPoint != 0)
        DragRubberBandVertex(FrameOf(pose), handle);
    else
        DragFinishedVertex(FrameOf(pose), handle);
}

void CPolygon::DragRubberBandVertex(const CPose& frame, int handle) {
    Invalidate();
    m_fPerimeter = 0.0;
    CDoublePoint q = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0 && handle > kFirstDrawnPoint)
        ConstrainAngle(q.x, q.y, m_points[handle - 1].x, m_points[handle - 1].y);
    m_points[handle] = q;
    FitBoxWhileDrawing(frame, handle);
    Invalidate();
}

void CPolygon::FitBoxWhileDrawing(const CPose& frame, int lastVertex) {
    std::vector<CDoublePoint> vertices;
    for (int i = kFirstDrawnPoint; i <= lastVertex; ++i) vertices.push_back(m_points[i]);
    m_fPerimeter = ChainLength(vertices);
    const shape::BoxFrame box = shape::BoundingFrame(vertices);
    SetFrames(box, box);
    LayOutCornersFromBox(frame);
}

void CPolygon::DragFinishedVertex(const CPose& frame, int handle) {
    Invalidate();
    const CDoublePoint q = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    m_points[handle] = MapToReference(q);
    const std::vector<CDoublePoint> mapped = MappedPoints();
    shape::WorldBounds(CPlacement(m_pose, frame), shape::FrameCorners(shape::BoundingFrame(mapped)), m_fMinX,
                       m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
}

int CPolygon::FinishCreate(const CPose* pose, int handle) {
    shape::EndEdit(*this, pose, handle);
    // The rubber-band vertex was never clicked, however the entry ends: a double click clicked
    // the vertex before it, the right button, Escape or another tool none at all.
    const bool rubberBand =
        m_pTool != nullptr && m_pTool->m_nMultiPoint != 0 && PointCount() > kFirstDrawnPoint + 1;
    if (rubberBand)
        m_points.SetSize(PointCount() - 1);
    if (m_pTool != nullptr && m_pTool->m_nMultiPoint != 0)
        m_pTool->m_nDraggedHandle = -1;
    Normalize(FrameOf(pose));
    if (rubberBand)
        m_fPerimeter = ChainLength(MappedPoints());
    Invalidate();
    Update3D(pose);
    return IsInvalid(0) ? 0 : 1;
}

// ---- Edit steps ----

int CPolygon::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr || PointCount() < kFirstDrawnPoint)
        return 0;
    if (!IsVertex(geometry->handle))
        return CSketch::UpdateGeometry(step);
    Invalidate();
    m_points[geometry->handle] = {geometry->x, geometry->y};
    Normalize(m_parentPose);
    Invalidate();
    return 1;
}

// ---- Snapping and status ----

void CPolygon::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    CDoublePoint vector;
    if (!shape::NearestPointVector(*this, FrameOf(pose), MappedPoints(), x, y, vector))
        return CPaint::GetSnapPoint(vectorX, vectorY, pose, x, y);
    vectorX = vector.x;
    vectorY = vector.y;
}

void CPolygon::NearestEndPoint(double& x, double& y, const CPose* pose) {
    CDoublePoint correction;
    if (!shape::SmallestSnapCorrection(*this, FrameOf(pose), MappedPoints(), correction))
        return CPaint::NearestEndPoint(x, y, pose);
    x = correction.x;
    y = correction.y;
}

void CPolygon::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    const std::vector<CDoublePoint> vertices = MappedPoints();
    if (m_pTool == nullptr || vertices.empty())
        return;
    const CPose& frame = FrameOf(pose);
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[2] = shape::LengthText(m_pTool, m_fPerimeter);
    const CDoublePoint& first = vertices.front();
    const CDoublePoint& last = vertices.back();
    status.m_strMeasure[0] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, first.x, first.y));
    status.m_strMeasure[1] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, last.x, last.y));
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_nKind = 10;
}

void CPolygon::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    const int h = m_pTool->m_nDraggedHandle;
    CString angle;
    if (h == -1) {
        text.Empty();
        return;
    }
    if (!IsVertex(h) || PointCount() < kFirstDrawnPoint + 2) {
        angle.Format("; %.2f", m_pTool->m_status.m_fRotation);
        text = m_pTool->m_status.m_strMeasure[2] + angle;
        return;
    }
    const int to = h == kFirstDrawnPoint ? kFirstDrawnPoint + 1 : h;
    const CDoublePoint a = MapToBox(m_points[to - 1]);
    const CDoublePoint b = MapToBox(m_points[to]);
    const CDoublePoint wa = LocalToWorld(a.x, a.y), wb = LocalToWorld(b.x, b.y);
    angle.Format("; %.2f", DirectionDegrees(wb.x - wa.x, wb.y - wa.y));
    text = shape::LengthText(m_pTool, VectorLength(wb.x - wa.x, wb.y - wa.y)) + angle;
}
