#include "drawing/CLine.h"

#include <algorithm>
#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CLine, CPaint, 2)

namespace {

double DirectionOf(double dx, double dy) {
    if (dx == 0.0)
        return dy > 0.0 ? kPi / 2.0 : -kPi / 2.0;
    return std::atan2(dy, dx);
}

}  // namespace

CLine::CLine() = default;

CLine::CLine(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = "Line";
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

double CLine::Direction() const {
    return DirectionOf(m_ptEnd.x - m_ptStart.x, m_ptEnd.y - m_ptStart.y);
}

// ---- Record ----

void CLine::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_ptStart.x << m_ptStart.y << m_ptEnd.x << m_ptEnd.y;
        return;
    }
    ar >> m_ptStart.x >> m_ptStart.y >> m_ptEnd.x >> m_ptEnd.y;
    // The handles come from the ends, so an older record without them gets them back.
    if (m_points.GetSize() < kPointCount) {
        m_points.SetSize(kPointCount);
        CopyEndsToPoints();
    }
}

void CLine::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CLine*>(other)) {
        m_ptStart = source->m_ptStart;
        m_ptEnd = source->m_ptEnd;
    }
    CPaint::CopyFrom(other);
}

CPaint* CLine::Clone() {
    auto* copy = new CLine;
    copy->CopyFrom(this);
    return copy;
}

// ---- Geometry ----

void CLine::CopyEndsToPoints() {
    if (m_points.GetSize() < kPointCount)
        return;
    m_points[1] = m_ptStart;
    m_points[2] = m_ptEnd;
    // The drawing places the rotation handle again; until then it must not cover the start.
    PlaceRotationHandle();
}

void CLine::PlaceRotationHandle() {
    if (m_points.GetSize() < kPointCount || m_pTool == nullptr)
        return;
    m_points[0] = RotationHandleAtZoom();
    ShowRotationHandleAt(m_points[0]);
}

CDoublePoint CLine::RotationHandleAtZoom() const {
    const double a = Direction();
    const double offset = 3.0 * m_pTool->GetHandleTolerance();
    return {m_ptStart.x - offset * std::cos(a), m_ptStart.y - offset * std::sin(a)};
}

// The rotation handle as an edit leaves it, at the zoom the edit was made at.
void CLine::UpdateAnchorPoint() {
    PlaceRotationHandle();
}

void CLine::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), {m_ptStart, m_ptEnd}, minX, minY, maxX, maxY);
}

bool CLine::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points = {m_ptStart, m_ptEnd};
    return true;
}

int CLine::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return m_ptStart == m_ptEnd ? 1 : 0;
}

int CLine::MirrorX(double c) {
    m_pose.x = 2.0 * c - m_pose.x;
    m_pose.angle = kFullTurn - m_pose.angle;
    m_ptStart.x = -m_ptStart.x;
    m_ptEnd.x = -m_ptEnd.x;
    CopyEndsToPoints();
    return 1;
}

int CLine::MirrorY(double c) {
    m_pose.y = 2.0 * c - m_pose.y;
    m_pose.angle = kFullTurn - m_pose.angle;
    m_ptStart.y = -m_ptStart.y;
    m_ptEnd.y = -m_ptEnd.y;
    CopyEndsToPoints();
    return 1;
}

// ---- Drawing and hit tests ----

int CLine::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || m_points.GetSize() < kPointCount)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPlacement placement(m_pose, FrameOf(parent));
    std::vector<CPoint> ends;
    if (dc == nullptr || !shape::OutlineToDevice(*m_pTool, placement, {m_ptStart, m_ptEnd}, ends))
        return 0;
    ShowRotationHandleAt(RotationHandleAtZoom());
    {
        CShapePen pen(*this, *dc);
        dc->MoveTo(ends[0]);
        dc->LineTo(ends[1]);
    }
    if (!shape::ShowsHandles(*this))
        return 1;
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    DrawCircleMarker(ends[0].x, ends[0].y);
    DrawCircleMarker(ends[1].x, ends[1].y);
    CPoint anchor;
    if (shape::ToDevice(*m_pTool, placement, HandlePoint(0), anchor))
        DrawCrossMarker(anchor.x, anchor.y);
    dc->SelectObject(previous);
    return 1;
}

CPaint* CLine::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        const bool hit = m_pTool->IsLayerVisible(m_nLayer) &&
                         shape::BandHitsShape(*this, {m_points[1], m_points[2]}, false);
        return hit ? this : nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    return HitTestSegment(&m_parentPose, m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y) ? this : nullptr;
}

// ---- Mouse ----

void CLine::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_pTool->m_toolMode == kToolLine)
        return;
    SavePose();
    if (handle == -1) {
        shape::KeepRescalePoints(*this, m_ptEnd, m_ptStart);
    } else if (handle == 0) {
        const CDoublePoint middle = LocalToWorldInFrame(FrameOf(pose), (m_ptStart.x + m_ptEnd.x) / 2.0,
                                                        (m_ptStart.y + m_ptEnd.y) / 2.0);
        m_pTool->BeginRotation(middle.x, middle.y);
    } else if (handle == 1 || handle == 2) {
        PressHandle(pose, handle);
    }
    Invalidate();
    RecalcBounds();
}

void CLine::PressHandle(const CPose*, int handle) {
    const CDoublePoint& end = handle == 1 ? m_ptStart : m_ptEnd;
    const CDoublePoint world = LocalToWorld(end.x, end.y);
    ChangeGeometry(world.x, world.y, handle, 0, 1, 1);
}

void CLine::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr)
        return;
    double x = m_pTool->m_fCurrentX, y = m_pTool->m_fCurrentY;
    if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0 && (handle == 1 || handle == 2)) {
        const CDoublePoint& other = handle == 2 ? m_ptStart : m_ptEnd;
        const CDoublePoint anchor = LocalToWorldInFrame(FrameOf(pose), other.x, other.y);
        ConstrainAngle(x, y, anchor.x, anchor.y);
    }
    ChangeGeometry(x, y, handle, 1, 0, 0);
}

// ---- Edit steps ----

int CLine::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr)
        return 0;
    Invalidate();
    const CDoublePoint local = WorldToLocal(geometry->x, geometry->y);
    if (geometry->handle == 1)
        m_ptStart = local;
    else if (geometry->handle == 2)
        m_ptEnd = local;
    CopyEndsToPoints();
    GetBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
    return 1;
}

int CLine::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr)
        return 0;
    m_ptEnd = shape::RescaledFrom(*rescale, m_ptStart);
    shape::MoveOriginForRescale(*this, *rescale);
    CopyEndsToPoints();
    return 1;
}

// ---- Snapping ----

// The start wins a tie in both.
void CLine::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    CDoublePoint vector;
    shape::NearestPointVector(*this, FrameOf(pose), {m_ptStart, m_ptEnd}, x, y, vector);
    vectorX = vector.x;
    vectorY = vector.y;
}

void CLine::NearestEndPoint(double& x, double& y, const CPose* pose) {
    CDoublePoint correction;
    shape::SmallestSnapCorrection(*this, FrameOf(pose), {m_ptStart, m_ptEnd}, correction);
    x = correction.x;
    y = correction.y;
}

// ---- Status ----

void CLine::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    const CPose& frame = FrameOf(pose);
    const CDoublePoint start = LocalToWorldInFrame(frame, m_ptStart.x, m_ptStart.y);
    const CDoublePoint end = LocalToWorldInFrame(frame, m_ptEnd.x, m_ptEnd.y);
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = shape::PointText(m_pTool, start);
    status.m_strMeasure[1] = shape::PointText(m_pTool, end);
    const double unit = shape::UnitSize(m_pTool);
    const double dx =
        CLengthFormat::RoundToThousandths(end.x / unit) - CLengthFormat::RoundToThousandths(start.x / unit);
    const double dy =
        CLengthFormat::RoundToThousandths(end.y / unit) - CLengthFormat::RoundToThousandths(start.y / unit);
    status.m_fRotation = shape::Degrees(DirectionOf(dx, dy));
    status.m_strMeasure[2] =
        shape::LengthText(m_pTool, VectorLength(m_ptStart.x - m_ptEnd.x, m_ptStart.y - m_ptEnd.y));
    status.m_nKind = 7;
}

void CLine::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    CString angle;
    angle.Format("; %.2f\xB0", m_pTool->m_status.m_fRotation);
    text = m_pTool->m_status.m_strMeasure[2] + angle;
}
