#include "drawing/CLineMeasure.h"

#include <cmath>
#include <cstdlib>

#include "drawing/AnnotationSupport.h"
#include "drawing/CShapePen.h"
#include "drawing/DimensionDrawing.h"
#include "drawing/LabelledShape.h"
#include "drawing/MeasureSupport.h"
#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CLineMeasure, CPaint, 2)

namespace {

constexpr double kDegreesPerRadian = 57.2958;
// The label starts this many pixels beside end 2.
constexpr double kLabelGapPixels = 20.0;

// The direction from (dx, dy) counter-clockwise from the x axis, in [0, 2 pi).
double DirectionOf(double dx, double dy) {
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    const double a = std::atan2(dy, dx);
    return a < 0.0 ? a + kFullTurn : a;
}

}  // namespace

CLineMeasure::CLineMeasure() = default;

CLineMeasure::CLineMeasure(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_MEASURE_LENGTH);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    m_labelFont.SetDescription(CLabelFont::DefaultDescription());
}

CString CLineMeasure::LabelText(const CPose& frame) const {
    const CDoublePoint a = LocalToWorldInFrame(frame, m_points[1].x, m_points[1].y);
    const CDoublePoint b = LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y);
    CString angle;
    angle.Format(", %.0f \xB0", DirectionOf(b.x - a.x, b.y - a.y) * kDegreesPerRadian);
    return shape::LengthText(m_pTool, VectorLength(b.x - a.x, b.y - a.y)) + angle;
}

// ---- Record ----

void CLineMeasure::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_points[1].x << m_points[1].y << m_points[2].x << m_points[2].y;
        m_labelFont.Store(ar);
        return;
    }
    annotation::PrepareOutlinePoints(m_points, GetDocumentFileVersion(), 3);
    ar >> m_points[1].x >> m_points[1].y >> m_points[2].x >> m_points[2].y;
    m_labelFont.Load(ar);
}

void CLineMeasure::RecreateResources(int recreate) {
    m_labelFont.RecreateResources(recreate);
}

void CLineMeasure::CopyFrom(CPaint* other) {
    labelled::CopyLabelFont(*this, other);
    CPaint::CopyFrom(other);
}

CPaint* CLineMeasure::Clone() {
    return labelled::Clone(*this);
}

int CLineMeasure::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return HasPoints() && m_points[1] == m_points[2] ? 1 : 0;
}

// ---- Geometry ----

// The ends and the label box beside end 2, widened by twice the handle size.
void CLineMeasure::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (!HasPoints() || m_pTool == nullptr)
        return;
    const CPlacement placement(m_pose, FrameOf(pose));
    const CDoublePoint end = placement.ToWorld(m_points[2]);
    const double k = dimension::UnitsPerPixel(*m_pTool);
    const double h = std::abs(static_cast<double>(m_labelFont.Description().lfHeight));
    const double near = end.x + kLabelGapPixels * k, far = end.x + (10.0 * h + kLabelGapPixels) * k;
    const CPlacement world{CPose(), CPose()};
    shape::WorldBounds(world,
                       {placement.ToWorld(m_points[1]),
                        end,
                        {near, end.y + h * k},
                        {far, end.y + h * k},
                        {near, end.y - h * k},
                        {far, end.y - h * k}},
                       minX, minY, maxX, maxY);
    const double margin = 2.0 * m_pTool->m_fHandleSize;
    minX -= margin;
    minY -= margin;
    maxX += margin;
    maxY += margin;
}

// Its label keeps its size on the screen along the screen's axes, however the line is turned: the
// ends moved out by the margin, and end 2 moved to the far corners of the label box, bound it.
bool CLineMeasure::GetFrameOutline(std::vector<CDoublePoint>&) {
    return false;
}

bool CLineMeasure::GetOffsetFrameOutlines(std::vector<COffsetOutline>& outlines) {
    outlines.clear();
    if (!HasPoints() || m_pTool == nullptr)
        return true;
    const double k = dimension::UnitsPerPixel(*m_pTool);
    const double h = std::abs(static_cast<double>(m_labelFont.Description().lfHeight));
    const double margin = 2.0 * m_pTool->m_fHandleSize;
    const std::vector<CDoublePoint> ends = {m_points[1], m_points[2]}, end = {m_points[2]};
    outlines = {{{-margin, -margin}, ends},
                {{margin, margin}, ends},
                {{kLabelGapPixels * k - margin, -h * k - margin}, end},
                {{(10.0 * h + kLabelGapPixels) * k + margin, h * k + margin}, end}};
    return true;
}

// ---- Drawing ----

int CLineMeasure::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || GetEditState() == 4 || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> ends;
    if (dc == nullptr ||
        !shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, frame), {m_points[1], m_points[2]}, ends))
        return 0;
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    if (IsSelected())
        DrawSelected(*dc, frame, ends);
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    for (const CPoint& end : ends) {
        if (IsSelected())
            DrawCircleMarker(end.x, end.y);
        else
            DrawHollowHandle(end.x, end.y);
    }
    dc->SelectObject(previous);
    dc->SetBkMode(previousMode);
    return 1;
}

void CLineMeasure::DrawSelected(CDC& dc, const CPose& frame, const std::vector<CPoint>& ends) {
    {
        CShapePen pen(*this, dc);
        dc.MoveTo(ends[0]);
        dc.LineTo(ends[1]);
    }
    const double gap = kLabelGapPixels * dimension::UnitsPerPixel(*m_pTool);
    const CDoublePoint end = LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y);
    CPoint corner;
    if (!shape::ToDevice(*m_pTool, CPlacement(CPose(), CPose()), {end.x + gap, end.y}, corner))
        return;
    dimension::DrawLabelText(dc, m_labelFont, m_labelFont.Description().lfEscapement, RGB(255, 0, 0),
                             {{corner, LabelText(frame)}});
}

// ---- Hit tests ----

CPaint* CLineMeasure::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    const CDoublePoint &a = m_points[1], &b = m_points[2];
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        const bool hit = m_pTool->IsLayerVisible(m_nLayer) && shape::BandHitsShape(*this, {a, b}, false);
        return hit ? this : nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    return HitTestSegment(&m_parentPose, a.x, a.y, b.x, b.y) ? this : nullptr;
}

int CLineMeasure::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || !HasPoints())
        return -1;
    constexpr int kOrder[] = {1, 2};
    return shape::HandleAtPoint(*this, FrameOf(pose), x, y, kOrder);
}

// ---- Mouse ----

void CLineMeasure::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    if (m_pTool->m_toolMode == kToolMeasureLine) {
        Invalidate();
        return;
    }
    if (handle < 1)
        CPaint::TrackCreate(pose, handle);
    else
        RecalcBounds();
    annotation::RefreshBounds(*this, pose);
}

void CLineMeasure::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    double x = m_pTool->m_fCurrentX, y = m_pTool->m_fCurrentY;
    if (handle == 1 || handle == 2) {
        if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0) {
            const CDoublePoint& other = m_points[3 - handle];
            const CDoublePoint anchor = LocalToWorldInFrame(frame, other.x, other.y);
            ConstrainAngle(x, y, anchor.x, anchor.y);
        }
        m_points[handle] = WorldToLocalInFrame(frame, x, y);
    }
    annotation::RefreshBounds(*this, pose);
}

int CLineMeasure::FinishCreate(const CPose* pose, int handle) {
    return measure::Finish(*this, pose, handle);
}

int CLineMeasure::EditProperties(const CPose*) {
    return measure::EditLabelFont(*this, m_labelFont);
}

// ---- Status ----

void CLineMeasure::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CPose& frame = FrameOf(pose);
    const CDoublePoint a = LocalToWorldInFrame(frame, m_points[1].x, m_points[1].y);
    const CDoublePoint b = LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y);
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = shape::PointText(m_pTool, a);
    status.m_strMeasure[1] = shape::PointText(m_pTool, b);
    status.m_strMeasure[2] = shape::LengthText(m_pTool, VectorLength(b.x - a.x, b.y - a.y));
    status.m_fRotation = DirectionOf(b.x - a.x, b.y - a.y) / kPi * 180.0;
    status.m_nKind = 8;
}
