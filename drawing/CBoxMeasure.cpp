#include "drawing/CBoxMeasure.h"

#include <cmath>
#include <cstdlib>

#include "drawing/AnnotationSupport.h"
#include "drawing/CShapePen.h"
#include "drawing/DimensionDrawing.h"
#include "drawing/LabelledShape.h"
#include "drawing/MeasureSupport.h"
#include "drawing/ShapeSupport.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CBoxMeasure, CPaint, 2)

CBoxMeasure::CBoxMeasure() = default;

CBoxMeasure::CBoxMeasure(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    m_strName = CStringTable::Text(IDS_MEASURE_AREA);
    m_labelFont.SetDescription(CLabelFont::DefaultDescription());
}

double CBoxMeasure::Width() const {
    return HasPoints() ? std::fabs(m_points[3].x - m_points[1].x) : 0.0;
}

double CBoxMeasure::Height() const {
    return HasPoints() ? std::fabs(m_points[3].y - m_points[1].y) : 0.0;
}

// Feet and inches mean nothing for an area, so it is always a plain decimal.
CString CBoxMeasure::AreaLabel() const {
    const double unit = shape::UnitSize(m_pTool);
    CString text;
    text.Format("%.3f", CLengthFormat::RoundToThousandths(Width() * Height() / (unit * unit)));
    return text;
}

std::vector<CDoublePoint> CBoxMeasure::Corners() const {
    return {m_points[1], m_points[2], m_points[3], m_points[4]};
}

int CBoxMeasure::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return HasPoints() && m_points[1] == m_points[3] ? 1 : 0;
}

int CBoxMeasure::MirrorY(double) {
    return 1;
}

int CBoxMeasure::MirrorX(double) {
    return 1;
}

// ---- Record ----

void CBoxMeasure::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    constexpr int kStoredOrder[] = {1, 2, 3, 4};
    annotation::SerializeOutlinePoints(ar, m_points, GetDocumentFileVersion(), kStoredOrder, kPointCount);
    m_labelFont.Serialize(ar);
}

void CBoxMeasure::RecreateResources(int recreate) {
    m_labelFont.RecreateResources(recreate);
}

void CBoxMeasure::CopyFrom(CPaint* other) {
    labelled::CopyLabelFont(*this, other);
    CPaint::CopyFrom(other);
}

CPaint* CBoxMeasure::Clone() {
    return labelled::Clone(*this);
}

// The corners, widened below and to the right for the labels.
void CBoxMeasure::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (!HasPoints() || m_pTool == nullptr)
        return;
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), Corners(), minX, minY, maxX, maxY);
    minY -= LabelReach(2.0);
    maxX += LabelReach(10.0);
}

// Its labels keep their size on the screen along the screen's axes, however the box is turned:
// its corners moved down by the labels' reach bound it below and on the left, moved right by it
// above and on the right.
bool CBoxMeasure::GetFrameOutline(std::vector<CDoublePoint>&) {
    return false;
}

bool CBoxMeasure::GetOffsetFrameOutlines(std::vector<COffsetOutline>& outlines) {
    outlines.clear();
    if (HasPoints() && m_pTool != nullptr)
        outlines = {{{0.0, -LabelReach(2.0)}, Corners()}, {{LabelReach(10.0), 0.0}, Corners()}};
    return true;
}

double CBoxMeasure::LabelReach(double lines) const {
    return lines * std::abs(static_cast<double>(m_labelFont.Description().lfHeight)) *
           dimension::UnitsPerPixel(*m_pTool);
}

// ---- Drawing ----

int CBoxMeasure::Draw(const CPose* parent) {
    if (m_pTool == nullptr || !m_pTool->IsLayerVisible(m_nLayer) || GetEditState() == 4 || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> corners;
    if (dc == nullptr || !shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, frame), Corners(), corners))
        return 0;
    if (IsSelected()) {
        CShapePen pen(*this, *dc);
        dc->MoveTo(corners.back());
        for (const CPoint& corner : corners) dc->LineTo(corner);
        DrawLabels(*dc, frame);
    }
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    for (const CPoint& corner : corners) {
        if (IsSelected())
            DrawHandle(corner.x, corner.y);
        else
            DrawHollowHandle(corner.x, corner.y);
    }
    dc->SelectObject(previous);
    return 1;
}

// The width below the middle of the far side, the area beside the middle of the right side
// and the height one text line under the area.
void CBoxMeasure::DrawLabels(CDC& dc, const CPose& frame) {
    const double h = m_pTool->GetHandleTolerance();
    const CDoublePoint &p1 = m_points[1], &p3 = m_points[3];
    const CDoublePoint side = LocalToWorldInFrame(frame, p3.x + h, p1.y + (p3.y - p1.y) / 2.0);
    const CDoublePoint bottom = LocalToWorldInFrame(frame, p1.x + (p3.x - p1.x) / 2.0, p3.y - h);
    const double lineHeight = std::abs(static_cast<double>(m_labelFont.Description().lfHeight)) *
                              dimension::UnitsPerPixel(*m_pTool);
    const CPlacement world{CPose(), CPose()};
    std::vector<CPoint> anchors;
    if (!shape::OutlineToDevice(*m_pTool, world, {bottom, side, {side.x, side.y + 2.0 * h + lineHeight}},
                                anchors))
        return;
    dimension::DrawLabelText(dc, m_labelFont, m_labelFont.Description().lfEscapement, RGB(255, 0, 0),
                             {{anchors[0], shape::LengthText(m_pTool, Width())},
                              {anchors[1], AreaLabel()},
                              {anchors[2], shape::LengthText(m_pTool, Height())}});
}

// ---- Hit tests ----

CPaint* CBoxMeasure::HitTest() {
    if (m_pTool == nullptr || !HasPoints() || CPaint::HitTest() == nullptr)
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return shape::BandHitsShape(*this, Corners(), true) ? this : nullptr;
    return shape::CursorOnOutline(*this, Corners(), true) ? this : nullptr;
}

int CBoxMeasure::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || !HasPoints())
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const double h = m_pTool->GetHandleTolerance();
    for (int corner = 1; corner <= 4; ++corner)
        if (shape::HandleHolds(m_points[corner], h, local))
            return corner + kFirstHandle - 1;
    return -1;
}

// ---- Mouse ----

void CBoxMeasure::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    if (m_pTool->m_toolMode == kToolMeasureBox)
        Invalidate();
    else if (handle >= 1)
        RecalcBounds();
    else
        CPaint::TrackCreate(pose, handle);
    annotation::RefreshBounds(*this, pose);
}

void CBoxMeasure::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    Invalidate();
    if (handle >= kFirstHandle && handle < kFirstHandle + 4) {
        const CDoublePoint local =
            WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
        MoveBoxCorner(handle - kFirstHandle + 1, local.x, local.y, nullptr);
    }
    annotation::RefreshBounds(*this, pose);
}

int CBoxMeasure::FinishCreate(const CPose* pose, int handle) {
    return measure::Finish(*this, pose, handle);
}

int CBoxMeasure::EditProperties(const CPose*) {
    return measure::EditLabelFont(*this, m_labelFont);
}

// ---- Status ----

void CBoxMeasure::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    annotation::ShowBoxStatus(*this, FrameOf(pose), m_points[1], m_points[3], Height(), Width(), 4);
    CPieceStatusText& status = m_pTool->m_status;
    const double unit = shape::UnitSize(m_pTool);
    status.m_strMeasure[4].Format("%.2f", CLengthFormat::RoundToThousandths(Width() / unit) *
                                              CLengthFormat::RoundToThousandths(Height() / unit));
}
