#include "drawing/CBox.h"

#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CBox, CPaint, 2)

namespace {

bool IsCorner(int handle) {
    return handle >= 1 && handle <= 4;
}

}  // namespace

CBox::CBox() = default;

CBox::CBox(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = "Box";
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

// ---- Record ----

void CBox::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring())
        return;
    // A record short of its corners gets them from its two stored corner points, as every
    // record before version 16 does.
    const bool shortOfCorners = m_points.GetSize() < kPointCount;
    if (shortOfCorners)
        m_points.SetSize(kPointCount);
    if (shortOfCorners || GetDocumentFileVersion() < kVersionStoredCorners)
        RebuildCornersFromRecord();
}

void CBox::RebuildCornersFromRecord() {
    m_points[1] = {m_fCornerX1, m_fCornerY1};
    m_points[2] = {m_fCornerX1, m_fCornerY2};
    m_points[3] = {m_fCornerX2, m_fCornerY2};
    m_points[4] = {m_fCornerX2, m_fCornerY1};
}

CPaint* CBox::Clone() {
    auto* copy = new CBox;
    copy->CopyFrom(this);
    return copy;
}

// ---- Geometry ----

std::vector<CDoublePoint> CBox::Corners() const {
    if (m_points.GetSize() < kPointCount)
        return {};
    return {m_points[1], m_points[2], m_points[3], m_points[4]};
}

void CBox::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), Corners(), minX, minY, maxX, maxY);
}

bool CBox::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points = Corners();
    return true;
}

int CBox::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return m_points.GetSize() < kPointCount || m_points[1] == m_points[3] ? 1 : 0;
}

// ---- Drawing ----

int CBox::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || m_points.GetSize() < kPointCount)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    std::vector<CPoint> outline;
    if (dc == nullptr ||
        !shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, FrameOf(parent)), Corners(), outline))
        return 0;
    DrawOutline(*dc, outline);
    if (shape::ShowsHandles(*this))
        DrawCornerHandles(FrameOf(parent));
    return 1;
}

void CBox::DrawOutline(CDC& dc, const std::vector<CPoint>& outline) {
    CShapePen pen(*this, dc);
    shape::FillOutline(*this, dc, outline);
    dc.MoveTo(outline.back());
    for (const CPoint& corner : outline) dc.LineTo(corner);
}

void CBox::DrawCornerHandles(const CPose& frame) {
    shape::DrawBoxHandles(*this, frame);
}

// ---- Hit tests ----

bool CBox::CursorInside() const {
    const CDoublePoint p = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const CDoublePoint& a = m_points[1];
    const CDoublePoint& b = m_points[3];
    const bool insideX = (a.x < p.x && p.x < b.x) || (b.x < p.x && p.x < a.x);
    const bool insideY = (a.y < p.y && p.y < b.y) || (b.y < p.y && p.y < a.y);
    return insideX && insideY;
}

CPaint* CBox::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return m_pTool->IsLayerVisible(m_nLayer) && shape::BandHitsShape(*this, Corners(), true) ? this
                                                                                                 : nullptr;
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    if (m_bFillOn && CursorInside())
        return this;
    return shape::CursorOnOutline(*this, Corners(), true) ? this : nullptr;
}

// ---- Mouse ----

void CBox::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    if (handle == 0) {
        PressRotation(pose);
    } else if (handle == -1) {
        PressForResize();
    } else if (IsCorner(handle)) {
        m_fRescaleAX = m_points[handle].x;
        m_fRescaleAY = m_points[handle].y;
        if (m_pTool->m_toolMode != kToolBox)
            RecordCorner(handle);
    }
    Invalidate();
}

void CBox::PressRotation(const CPose* pose) {
    shape::BeginRotationBetween(*this, FrameOf(pose), m_points[1], m_points[3]);
}

void CBox::PressForResize() {
    shape::KeepRescalePoints(*this, m_points[3], m_points[1]);
    SavePose();
}

void CBox::RecordCorner(int handle) {
    const CDoublePoint corner = LocalToWorld(m_points[handle].x, m_points[handle].y);
    ChangeGeometry(corner.x, corner.y, handle, 0, 1, 1);
}

void CBox::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    Invalidate();
    if (IsCorner(handle))
        DragCorner(pose, handle);
    CPaint::DragHandle(pose, handle);
}

void CBox::DragCorner(const CPose* pose, int handle) {
    const CPose& frame = FrameOf(pose);
    const CDoublePoint cursor = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    // The Shift rule is applied here, so that the step and its undo replay a plain point.
    CDoublePoint target = cursor;
    MoveBoxCorner(handle, cursor.x, cursor.y, &target);
    const CDoublePoint world = LocalToWorldInFrame(frame, target.x, target.y);
    ChangeGeometry(world.x, world.y, handle, 1, 0, 0);
}

// ---- Edit steps ----

int CBox::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    Invalidate();
    if (IsCorner(geometry->handle))
        PlaceCorner(geometry->handle, WorldToLocal(geometry->x, geometry->y));
    GetBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
    return 1;
}

void CBox::PlaceCorner(int handle, CDoublePoint local) {
    shape::PlaceBoxCorner(m_points, handle, local);
    UpdateAnchorPoint();
}

int CBox::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    m_points[3] = shape::RescaledFrom(*rescale, m_points[1]);
    m_points[4].x = m_points[3].x;
    m_points[2].y = m_points[3].y;
    shape::MoveOriginForRescale(*this, *rescale);
    return 1;
}

// ---- Snapping ----

void CBox::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    CDoublePoint vector;
    if (m_points.GetSize() < kPointCount ||
        !shape::NearestPointVector(*this, FrameOf(pose), SnapCorners(), x, y, vector))
        return CPaint::GetSnapPoint(vectorX, vectorY, pose, x, y);
    vectorX = vector.x;
    vectorY = vector.y;
}

std::vector<CDoublePoint> CBox::SnapCorners() const {
    return {m_points[1], m_points[4], m_points[3], m_points[2]};
}

void CBox::NearestEndPoint(double& x, double& y, const CPose* pose) {
    CDoublePoint correction;
    if (m_points.GetSize() < kPointCount ||
        !shape::SmallestSnapCorrection(*this, FrameOf(pose), SnapCorners(), correction))
        return CPaint::NearestEndPoint(x, y, pose);
    x = correction.x;
    y = correction.y;
}

// ---- Status ----

void CBox::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    const CPose& frame = FrameOf(pose);
    const CDoublePoint& a = m_points[1];
    const CDoublePoint& b = m_points[3];
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, a.x, a.y));
    status.m_strMeasure[1] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, b.x, b.y));
    const double height = std::fabs(a.y - b.y);
    const double width = std::fabs(a.x - b.x);
    status.m_strMeasure[2] = shape::LengthText(m_pTool, height);
    status.m_strMeasure[3] = shape::LengthText(m_pTool, width);
    const double unit = shape::UnitSize(m_pTool);
    const double area =
        CLengthFormat::RoundToThousandths(height / unit) * CLengthFormat::RoundToThousandths(width / unit);
    status.m_strMeasure[4].Format("%.2f", area);
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_nKind = 3;
}

void CBox::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    const CPieceStatusText& status = m_pTool->m_status;
    text = status.m_strMeasure[3] + "; " + status.m_strMeasure[2];
}
