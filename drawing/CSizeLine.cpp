#include "drawing/CSizeLine.h"

#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/DimensionDrawing.h"
#include "drawing/DimensionSteps.h"
#include "drawing/LabelledShape.h"
#include "drawing/ShapeSupport.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CSizeLine, CPaint, 2)

namespace {

constexpr int kStoredOrder[] = {1, 2, 3, 4};

// Eighth turns: below pi/8 or from 15 pi/8 on gives 0, else the nearest multiple of pi/4.
double SnapToEighthTurn(double angle) {
    angle = NormalizeAngle(angle);
    const double eighth = kPi / 4.0;
    const int n = static_cast<int>((angle + kPi / 8.0) / eighth);
    return n >= 8 ? 0.0 : n * eighth;
}

}  // namespace

CSizeLine::CSizeLine() = default;

CSizeLine::CSizeLine(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_DIMENSION_LINE);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    const double h = tool != nullptr ? tool->GetHandleTolerance() : 0.0;
    m_points[0] = {-2.0 * h, -2.0 * h};
    m_labelFont.SetDescription(CLabelFont::DefaultDescription());
    m_nArrowStyle = 1;
    m_nArrowLength = 1;
    m_nArrowWidth = 1;
    m_nFrameStyle = 0;
    m_nFrameWidth = 1;
    m_crFrame = m_pen.color;
}

// ---- Points ----

int CSizeLine::SetPoints(double x1, double y1, double x2, double y2, double x3, double y3, int label,
                         int record, int groupStart) {
    return RunStep({WorldToLocal(x1, y1), WorldToLocal(x2, y2), WorldToLocal(x3, y3)}, label, record,
                   groupStart);
}

int CSizeLine::RunStep(const std::array<CDoublePoint, 3>& local, int label, int record, int groupStart) {
    return RunDimensionStep<3>(*this, kStepDimensionLine, local, label, record, groupStart);
}

// Only a step that moves point 1 moves the rotation handle: the handle is stored, and the
// steps that give back the other points give back the line as it was.
int CSizeLine::ApplyShapeStep(CEditStep* step) {
    const CDoublePoint p1 = HasPoints() ? m_points[1] : CDoublePoint{};
    if (!ApplyDimensionStep<3>(*this, *step, m_bLabel))
        return 0;
    if (m_points[1] != p1)
        PlaceRotationHandle();
    return 1;
}

// The rotation handle stays where it is: it is stored with the points, and a rebuild that
// placed it again for the zoom of the moment, or on the other side of a line still lying on
// its measured line, would change what re-inserting, copying or moving the line stores.
void CSizeLine::RebuildShape() {
    if (!HasPoints())
        return;
    Invalidate();
    m_points[3].y = (m_points[1].y + m_points[2].y) / 2.0;
    annotation::RefreshBounds(*this, &m_parentPose);
}

// Beside point 1, away from the dimension line; a line still lying on its measured line has it
// on the left, where the constructor puts it.
void CSizeLine::PlaceRotationHandle() {
    if (m_pTool == nullptr || !HasPoints())
        return;
    const double h = m_pTool->GetHandleTolerance();
    const CDoublePoint& p1 = m_points[1];
    m_points[0] = {p1.x <= m_points[3].x ? p1.x - 2.0 * h : p1.x + 2.0 * h, p1.y - 2.0 * h};
}

double CSizeLine::MeasuredLength() const {
    return HasPoints() ? std::fabs(m_points[1].y - m_points[2].y) : 0.0;
}

CString CSizeLine::LabelText() const {
    CString text;
    const int unit = m_pTool != nullptr && m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetUnitIndex()
                                                                       : kDefaultUnitIndex;
    CLengthFormat(unit).FormatLengthFraction(text, MeasuredLength() / shape::UnitSize(m_pTool));
    return text;
}

// ---- Record ----

void CSizeLine::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    annotation::SerializeOutlinePoints(ar, m_points, GetDocumentFileVersion(), kStoredOrder, kPointCount);
    m_labelFont.Serialize(ar);
    if (ar.IsStoring())
        return;
    m_bLabel = 1;
    m_bExtraHandles = 1;
}

void CSizeLine::RecreateResources(int recreate) {
    m_labelFont.RecreateResources(recreate);
}

void CSizeLine::CopyFrom(CPaint* other) {
    labelled::CopyLabelFont(*this, other);
    CPaint::CopyFrom(other);
}

CPaint* CSizeLine::Clone() {
    return labelled::Clone(*this);
}

// ---- Geometry ----

void CSizeLine::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (!HasPoints())
        return;
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2];
    const double x3 = m_points[3].x;
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), {p1, p2, {x3, p1.y}, {x3, p2.y}}, minX, minY, maxX,
                       maxY);
}

bool CSizeLine::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points.clear();
    if (HasPoints()) {
        const CDoublePoint &p1 = m_points[1], &p2 = m_points[2];
        points = {p1, p2, {m_points[3].x, p1.y}, {m_points[3].x, p2.y}};
    }
    return true;
}

int CSizeLine::MirrorY(double c) {
    annotation::MirrorPoints(*this, c, &CDoublePoint::y);
    PlaceRotationHandle();
    return 1;
}

int CSizeLine::MirrorX(double c) {
    annotation::MirrorPoints(*this, c, &CDoublePoint::x);
    PlaceRotationHandle();
    return 1;
}

// ---- Drawing ----

int CSizeLine::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || GetEditState() == 4 || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return 0;
    const CPlacement placement(m_pose, FrameOf(parent));
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    DrawFigure(*dc, placement);
    if (dimension::ShowsLabel(*this, m_bLabel))
        DrawLabel(*dc, placement);
    if (shape::ShowsHandles(*this))
        DrawHandles(placement);
    dc->SetBkMode(previousMode);
    return 1;
}

void CSizeLine::DrawFigure(CDC& dc, const CPlacement& placement) {
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2];
    const double x3 = m_points[3].x;
    const double overshoot = 2.0 * m_pTool->m_fHandleSize;
    const double s = p1.x < x3 ? 1.0 : -1.0;
    const double t = p2.x < x3 ? 1.0 : -1.0;
    std::vector<CPoint> device;
    if (!shape::OutlineToDevice(
            *m_pTool, placement,
            {p1, {x3 + s * overshoot, p1.y}, p2, {x3 + t * overshoot, p2.y}, {x3, p1.y}, {x3, p2.y}}, device))
        return;
    CPen framePen;
    dimension::CreateFramePen(*this, dc, m_bLabel != 0, framePen);
    CPen* previousPen = dc.SelectObject(&framePen);
    dc.MoveTo(device[0]);
    dc.LineTo(device[1]);
    dc.MoveTo(device[2]);
    dc.LineTo(device[3]);
    CPen linePen;
    dimension::CreateLinePen(*this, dc, m_bLabel != 0, linePen);
    dc.SelectObject(&linePen);
    dc.MoveTo(device[4]);
    dc.LineTo(device[5]);
    DrawArrowheads(dc, placement);
    dc.SelectObject(previousPen);
}

void CSizeLine::DrawArrowheads(CDC& dc, const CPlacement& placement) {
    const double length = dimension::ArrowSize(*this, m_nArrowLength);
    const double width = dimension::ArrowSize(*this, m_nArrowWidth);
    const double x3 = m_points[3].x;
    CBrush brush(m_pen.color);
    CBrush* previousBrush = dc.SelectObject(&brush);
    for (int end = 1; end <= 2; ++end) {
        const double y = m_points[end].y;
        const double other = m_points[3 - end].y;
        const double wingY = y > other ? y - length : y + length;
        std::vector<CPoint> head;
        if (shape::OutlineToDevice(*m_pTool, placement, {{x3 - width, wingY}, {x3, y}, {x3 + width, wingY}},
                                   head))
            dimension::DrawArrowhead(*this, dc, {head[0], head[1], head[2]});
    }
    dc.SelectObject(previousBrush);
}

// The text's top left corner lies on point 3.
bool CSizeLine::PlaceLabel(const CPlacement& placement, dimension::LabelLine& line) const {
    if (!std::isfinite(MeasuredLength()) || !shape::ToDevice(*m_pTool, placement, m_points[3], line.at))
        return false;
    line.text = LabelText();
    return true;
}

void CSizeLine::DrawLabel(CDC& dc, const CPlacement& placement) {
    dimension::LabelLine line;
    if (PlaceLabel(placement, line))
        dimension::DrawLabelText(dc, m_labelFont, 0, RGB(0, 0, 0), {line});
}

void CSizeLine::HangFixedSizeParts() {
    dimension::LabelLine line;
    const CPlacement placement(m_pose, m_parentPose);
    if (HasPoints() && PlaceLabel(placement, line))
        HangFixedSizePart(placement.ToWorld(m_points[3]), line.at,
                          m_labelExtent.Bounds(m_labelFont, 0, line));
}

void CSizeLine::DrawHandles(const CPlacement& placement) {
    if (m_bExtraHandles)
        dimension::DrawHandleMarkers(*this, placement, {m_points[1], m_points[2], m_points[3]}, &m_points[0]);
    else
        dimension::DrawHandleMarkers(*this, placement, {m_points[1], m_points[2]}, nullptr);
}

// ---- Hit tests ----

CPaint* CSizeLine::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2];
    const double x3 = m_points[3].x;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        const bool hit = m_pTool->IsLayerVisible(m_nLayer) &&
                         shape::BandHitsShape(*this, {p1, {x3, p1.y}, {x3, p2.y}, p2}, false);
        return hit ? this : nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const bool hit = HitTestSegment(&m_parentPose, p1.x, p1.y, x3, p1.y) ||
                     HitTestSegment(&m_parentPose, p2.x, p2.y, x3, p2.y) ||
                     HitTestSegment(&m_parentPose, x3, p1.y, x3, p2.y);
    return hit ? this : nullptr;
}

int CSizeLine::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || !HasPoints())
        return -1;
    constexpr int kOrder[] = {1, 2, 3, 0};
    return shape::HandleAtPoint(*this, FrameOf(pose), x, y, kOrder);
}

// ---- Mouse ----

void CSizeLine::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    if (m_pTool->m_toolMode == kToolDimensionLine) {
        Invalidate();
        return;
    }
    if (handle >= 1 && handle <= 3) {
        // The undo point keeps the local points themselves, so undo gives them back exactly.
        RunStep({m_points[1], m_points[2], m_points[3]}, m_bLabel, 1, 1);
        RecalcBounds();
    } else {
        CPaint::TrackCreate(pose, handle);
    }
    if (handle == 0)
        shape::BeginRotationAbout(*this, FrameOf(pose), m_points[3]);
    annotation::RefreshBounds(*this, pose);
}

void CSizeLine::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    if (m_pTool->m_toolMode == kToolDimensionLine) {
        m_pose.angle = 0.0;
        DragWhileCreating(WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY));
    } else {
        const CDoublePoint cursor = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
        if (handle >= 1 && handle <= 3)
            m_points[handle] = cursor;
        if (handle == 1)
            PlaceRotationHandle();
        m_points[3].y = (m_points[1].y + m_points[2].y) / 2.0;
    }
    annotation::RefreshBounds(*this, pose);
}

// The line turns so that its -y axis points from point 1 at the cursor and reaches it.
void CSizeLine::DragWhileCreating(CDoublePoint cursor) {
    const CDoublePoint p1 = m_points[1];
    double angle = AngleBetween(p1.x, p1.y, cursor.x, cursor.y, p1.x, p1.y - 100.0);
    if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0)
        angle = SnapToEighthTurn(angle);
    m_pose.angle = angle;
    const double d = VectorLength(cursor.x - p1.x, cursor.y - p1.y);
    m_points[2] = {p1.x, p1.y - d};
    m_points[3] = {p1.x, p1.y - d / 2.0};
}

// ---- Status ----

void CSizeLine::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    CPieceStatusText& status = annotation::ShowStatus(*this, FrameOf(pose), m_points[1], m_points[2], 13);
    status.m_strMeasure[2] = shape::LengthText(m_pTool, MeasuredLength());
}

void CSizeLine::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    CString angle;
    angle.Format("; %.2f", m_pTool->m_status.m_fRotation);
    text = m_pTool->m_status.m_strMeasure[2] + angle;
}
