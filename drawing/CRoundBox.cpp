#include "drawing/CRoundBox.h"

#include <algorithm>
#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/ShapePayloads.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_SERIAL(CRoundBox, CBox, 3)

namespace {

constexpr double kDegree = kPi * 0.005555555555555556;
constexpr int kArcSamples = 45;

// The start angle, in degrees, of the arcs at corners 2, 3, 4 and 1, by orientation code.
constexpr int kArcStart[4][4] = {{180, 270, 0, 90}, {90, 0, 270, 180}, {0, 90, 180, 270}, {270, 180, 90, 0}};

bool Between(double value, double a, double b) {
    return (a <= value && value <= b) || (b <= value && value <= a);
}

}  // namespace

CRoundBox::CRoundBox() {
    m_strName = "Rounded box";
}

CRoundBox::CRoundBox(int selected, CTool* tool, double x, double y) : CBox(selected, tool, x, y) {
    m_strName = "Rounded box";
    for (int i = kPointCount; i < kRoundPointCount; ++i) m_points.Add(0.0, 0.0);
}

// ---- Record ----

void CRoundBox::Serialize(CArchive& ar) {
    CBox::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_fRadius << m_fReferenceX1 << m_fReferenceY1 << m_fReferenceX3 << m_fReferenceY3;
        return;
    }
    ar >> m_fRadius >> m_fReferenceX1 >> m_fReferenceY1 >> m_fReferenceX3 >> m_fReferenceY3;
    m_nSampleCount = 0;
    // The tangent points are kept as read: the first edit places them from the corners.
    if (m_points.GetSize() < kRoundPointCount)
        m_points.SetSize(kRoundPointCount);
}

void CRoundBox::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CRoundBox*>(other)) {
        m_fRadius = source->m_fRadius;
        m_fReferenceX1 = source->m_fReferenceX1;
        m_fReferenceY1 = source->m_fReferenceY1;
        m_fReferenceX3 = source->m_fReferenceX3;
        m_fReferenceY3 = source->m_fReferenceY3;
    }
    CPaint::CopyFrom(other);
}

CPaint* CRoundBox::Clone() {
    auto* copy = new CRoundBox;
    copy->CopyFrom(this);
    return copy;
}

// ---- Outline ----

double CRoundBox::EffectiveRadius() const {
    if (m_points.GetSize() < kRoundPointCount)
        return 0.0;
    const double w = std::fabs(m_points[3].x - m_points[1].x);
    const double h = std::fabs(m_points[1].y - m_points[3].y);
    const double w0 = std::fabs(m_fReferenceX3 - m_fReferenceX1);
    const double h0 = std::fabs(m_fReferenceY1 - m_fReferenceY3);
    const double rx = w0 == 0.0 ? 0.0 : m_fRadius * w / w0;
    const double ry = h0 == 0.0 ? 0.0 : m_fRadius * h / h0;
    return std::min({std::max(rx, ry), w / 2.0, h / 2.0});
}

void CRoundBox::PlaceTangentPoints(double r, int orientation) {
    const double x1 = m_points[1].x, y1 = m_points[1].y, x3 = m_points[3].x, y3 = m_points[3].y;
    if (orientation == -1) {
        // Without an orientation only what the points share with the corners is known.
        m_points[5].x = m_points[6].x = x1;
        m_points[7].y = m_points[8].y = y3;
        m_points[9].x = m_points[10].x = x3;
        m_points[11].y = m_points[12].y = y1;
        return;
    }
    const double sx = x3 >= x1 ? 1.0 : -1.0, sy = y3 >= y1 ? 1.0 : -1.0;
    m_points[5] = {x1, y1 + sy * r};
    m_points[6] = {x1, y3 - sy * r};
    m_points[7] = {x1 + sx * r, y3};
    m_points[8] = {x3 - sx * r, y3};
    m_points[9] = {x3, y3 - sy * r};
    m_points[10] = {x3, y1 + sy * r};
    m_points[11] = {x3 - sx * r, y1};
    m_points[12] = {x1 + sx * r, y1};
}

std::vector<CDoublePoint> CRoundBox::ArcCentres() const {
    return {{m_points[12].x, m_points[5].y},
            {m_points[7].x, m_points[6].y},
            {m_points[8].x, m_points[9].y},
            {m_points[11].x, m_points[10].y}};
}

void CRoundBox::AppendArc(std::vector<CDoublePoint>& outline, CDoublePoint centre, double r, int startDegrees,
                          int orientation) const {
    const bool counterClockwise = orientation == 1 || orientation == 3;
    for (int i = 0; i < kArcSamples; ++i) {
        const int degrees = counterClockwise ? startDegrees + 1 + 2 * i : startDegrees + 90 - 2 * i;
        const double phi = degrees * kDegree;
        outline.push_back({centre.x + r * std::cos(phi), centre.y + r * std::sin(phi)});
    }
}

std::vector<CDoublePoint> CRoundBox::Outline(double r, int orientation) const {
    const std::vector<CDoublePoint> centres = ArcCentres();
    const bool arcs = orientation >= 1 && orientation <= 4;
    std::vector<CDoublePoint> outline;
    // Sides in drawing order, each followed by the arc at the corner it runs into.
    const int sides[4][2] = {{5, 6}, {7, 8}, {9, 10}, {11, 12}};
    const int arcCentre[4] = {1, 2, 3, 0};
    for (int side = 0; side < 4; ++side) {
        outline.push_back(m_points[sides[side][0]]);
        outline.push_back(m_points[sides[side][1]]);
        if (arcs)
            AppendArc(outline, centres[arcCentre[side]], r, kArcStart[orientation - 1][side], orientation);
    }
    outline.push_back(m_points[5]);
    return outline;
}

// The tangent points and the orientation a radius drag reads follow the corners and radius.
void CRoundBox::MeasureShape() {
    if (m_points.GetSize() < kRoundPointCount)
        return;
    m_nOrientation = GetOrientation();
    PlaceTangentPoints(EffectiveRadius(), m_nOrientation);
}

// ---- Drawing ----

int CRoundBox::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || m_points.GetSize() < kRoundPointCount)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const double r = EffectiveRadius();
    std::vector<CPoint> samples;
    if (dc == nullptr || !ScreenOutline(FrameOf(parent), r, m_nOrientation, samples))
        return 0;
    shape::KeepScreenSamples(*m_pTool, samples, m_samples, m_nSampleCount);
    {
        CShapePen pen(*this, *dc);
        shape::FillOutline(*this, *dc, samples);
        dc->Polyline(samples.data(), static_cast<int>(samples.size()));
    }
    if (!shape::ShowsHandles(*this))
        return 1;
    DrawCornerHandles(FrameOf(parent));
    const CPlacement placement(m_pose, FrameOf(parent));
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    CPoint marker;
    for (int i = kPointCount; i < kRoundPointCount; ++i)
        if (shape::ToDevice(*m_pTool, placement, m_points[i], marker))
            DrawCircleMarker(marker.x, marker.y);
    dc->SelectObject(previous);
    return 1;
}

// ---- Hit tests ----

bool CRoundBox::ScreenOutline(const CPose& frame, double r, int orientation,
                              std::vector<CPoint>& samples) const {
    return shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, frame), Outline(r, orientation), samples);
}

CPaint* CRoundBox::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kRoundPointCount)
        return nullptr;
    // The band meets the outline where it lies at this zoom, which its last drawing may not show.
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        std::vector<CPoint> samples;
        m_nSampleCount = 0;
        if (ScreenOutline(m_parentPose, EffectiveRadius(), GetOrientation(), samples))
            shape::KeepScreenSamples(*m_pTool, samples, m_samples, m_nSampleCount);
    }
    const std::span<const CPoint> samples(m_samples.data(), std::clamp(m_nSampleCount, 0, kMaxSamples));
    return shape::SampledHitTest(*this, samples, true, [this] { return CursorHits(); });
}

bool CRoundBox::CursorHits() {
    const double r = EffectiveRadius();
    const CDoublePoint p = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const std::vector<CDoublePoint> centres = ArcCentres();
    if (m_bFillOn) {
        for (const CDoublePoint& c : centres)
            if (VectorLength(p.x - c.x, p.y - c.y) < r)
                return true;
        const CDoublePoint& p5 = m_points[5];
        const CDoublePoint& p9 = m_points[9];
        const CDoublePoint& p7 = m_points[7];
        const CDoublePoint& p11 = m_points[11];
        if ((Between(p.x, p5.x, p9.x) && Between(p.y, p5.y, p9.y)) ||
            (Between(p.x, p7.x, p11.x) && Between(p.y, p7.y, p11.y)))
            return true;
    }
    for (const auto& side : {std::pair{5, 6}, std::pair{7, 8}, std::pair{9, 10}, std::pair{11, 12}}) {
        const CDoublePoint& a = m_points[side.first];
        const CDoublePoint& b = m_points[side.second];
        if (HitTestSegment(&m_parentPose, a.x, a.y, b.x, b.y))
            return true;
    }
    // The arcs at corners 1 to 4, each between its two tangent points.
    const int tangents[4][2] = {{12, 5}, {6, 7}, {8, 9}, {10, 11}};
    // Whole units as ever, without a cast that a huge handle size read from a file overflows.
    const double tolerance = std::trunc(m_pTool->GetHandleTolerance());
    for (int corner = 0; corner < 4; ++corner) {
        const CDoublePoint& a = m_points[tangents[corner][0]];
        const CDoublePoint& b = m_points[tangents[corner][1]];
        const CDoublePoint& c = centres[corner];
        if (Between(p.x, a.x, b.x) && Between(p.y, a.y, b.y) &&
            std::fabs(VectorLength(p.x - c.x, p.y - c.y) - r) < tolerance)
            return true;
    }
    return false;
}

// ---- Mouse ----

void CRoundBox::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_points.GetSize() < kRoundPointCount)
        return;
    Invalidate();
    const bool drawing = m_pTool->m_toolMode == kToolRoundBox;
    if (!drawing)
        RecalcBounds();
    if (handle == 0) {
        PressRotation(pose);
    } else if (handle == -1 && !drawing) {
        PressForResize();
    } else if (handle >= 1 && handle <= 4 && !drawing) {
        RecordCorner(handle);
    } else if (handle >= kPointCount && handle < kRoundPointCount && !drawing) {
        RecordRadius();
    }
    Invalidate();
}

void CRoundBox::RecordRadius() {
    auto payload = std::make_unique<CornerRadiusPayload>();
    payload->radius = m_fRadius;
    payload->referenceX1 = m_fReferenceX1;
    payload->referenceY1 = m_fReferenceY1;
    payload->referenceX3 = m_fReferenceX3;
    payload->referenceY3 = m_fReferenceY3;
    auto step = std::make_unique<CEditStep>(kStepShape, this, 1);
    step->SetPayload(std::move(payload));
    RecordOrApply(*this, std::move(step), true);
}

int CRoundBox::ApplyShapeStep(CEditStep* step) {
    const CornerRadiusPayload* radius = step->GetPayload<CornerRadiusPayload>();
    if (radius == nullptr)
        return 0;
    Invalidate();
    m_fRadius = radius->radius;
    m_fReferenceX1 = radius->referenceX1;
    m_fReferenceY1 = radius->referenceY1;
    m_fReferenceX3 = radius->referenceX3;
    m_fReferenceY3 = radius->referenceY3;
    Invalidate();
    return 1;
}

void CRoundBox::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_points.GetSize() < kRoundPointCount)
        return;
    Invalidate();
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (handle >= 1 && handle <= 4)
        DragCorner(pose, handle);
    else if (handle >= kPointCount && handle < kRoundPointCount)
        DragRadius(handle, local);
    if (m_pTool->m_toolMode == kToolRoundBox) {
        m_fRadius =
            std::min(std::fabs(m_points[3].y - m_points[1].y), std::fabs(m_points[3].x - m_points[1].x)) *
            0.25;
        SetReferenceToBox();
    }
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
}

void CRoundBox::SetReferenceToBox() {
    m_fReferenceX1 = m_points[1].x;
    m_fReferenceY1 = m_points[1].y;
    m_fReferenceX3 = m_points[3].x;
    m_fReferenceY3 = m_points[3].y;
}

void CRoundBox::DragRadius(int handle, CDoublePoint local) {
    const double x1 = m_points[1].x, y1 = m_points[1].y, x3 = m_points[3].x, y3 = m_points[3].y;
    const int q = m_nOrientation;
    double radius = m_fRadius;
    if (handle == 8 || handle == 11)
        radius = q == 1 || q == 2 ? x3 - local.x : local.x - x3;
    else if (handle == 7 || handle == 12)
        radius = q == 1 || q == 2 ? local.x - x1 : x1 - local.x;
    else if (handle == 6 || handle == 9)
        radius = q == 1 || q == 4 ? local.y - y3 : y3 - local.y;
    else if (handle == 5 || handle == 10)
        radius = q == 1 || q == 4 ? y1 - local.y : local.y - y1;
    const double largest = std::min(std::fabs(x3 - x1) / 2.0, std::fabs(y1 - y3) / 2.0);
    m_fRadius = std::clamp(radius, 0.0, largest);
    SetReferenceToBox();
}

// ---- Status ----

void CRoundBox::UpdateSizeInfo(const CPose* pose) {
    CBox::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    m_pTool->m_status.m_strMeasure[6] = shape::LengthText(m_pTool, m_fRadius);
    m_pTool->m_status.m_nKind = 11;
}
