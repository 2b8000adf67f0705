#include <algorithm>
#include <cmath>
#include <utility>

#include "drawing/CArc.h"
#include "drawing/CShapePen.h"
#include "drawing/ShapePayloads.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"

// The arc and oval in the plan: sampling, drawing, hit tests and the mouse.

namespace {

constexpr double kDegree = kPi * 0.005555555555555556;
constexpr double kLayoutLimit = 1.0e8;

bool FitsLayout(const CDoublePoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kLayoutLimit &&
           std::fabs(p.y) < kLayoutLimit;
}

bool IsCorner(int handle) {
    return handle >= 1 && handle <= 4;
}

}  // namespace

// ---- Drawing ----

bool CArc::IsDrawable() const {
    if (m_points.GetSize() < kPointCount)
        return false;
    const bool angles =
        m_fStartAngle >= 0.0 && m_fStartAngle <= kFullTurn && m_fSweep >= 0.0 && m_fSweep <= kFullTurn;
    const bool radii = m_fRadiusX > 1.0 && m_fRadiusY > 1.0;
    return angles && radii && m_points[1].x != m_points[3].x && m_points[1].y != m_points[3].y;
}

bool CArc::Sample(const CPose& frame, std::vector<CPoint>& samples) const {
    const int first = static_cast<int>(m_fStartAngle / kPi * 180.0);
    const int last = static_cast<int>((m_fStartAngle + m_fSweep) / kPi * 180.0);
    const int count = std::min(last < first ? last - first + 361 : last - first + 1, kMaxSamples);
    samples.clear();
    for (int i = 0; i < count; ++i) {
        CDoublePoint local = CurvePoint((first + i) * kDegree);
        if (!m_bOval && (i == 0 || i == count - 1))
            local = m_points[i == 0 ? 5 : 6];
        const CDoublePoint world = LocalToWorldInFrame(frame, local.x, local.y);
        if (!FitsLayout(world))
            return false;
        samples.emplace_back(static_cast<int>(world.x), static_cast<int>(world.y));
    }
    m_pTool->LayoutToDevicePoints(samples.data(), static_cast<int>(samples.size()));
    return true;
}

int CArc::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !IsDrawable())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> samples;
    if (dc == nullptr || !Sample(frame, samples) || samples.size() < 2)
        return 0;
    shape::KeepScreenSamples(*m_pTool, samples, m_samples, m_nSampleCount);
    {
        CShapePen pen(*this, *dc);
        shape::FillOutline(*this, *dc, samples);
        dc->Polyline(samples.data(), static_cast<int>(samples.size()));
    }
    if (shape::ShowsHandles(*this))
        DrawHandles(frame);
    return 1;
}

void CArc::DrawHandles(const CPose& frame) {
    if (!m_bOval) {
        CDC* dc = m_pTool->GetTargetDC();
        CPen black(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* previous = dc->SelectObject(&black);
        const CPlacement placement(m_pose, frame);
        CPoint device;
        for (int end : {5, 6})
            if (shape::ToDevice(*m_pTool, placement, m_points[end], device))
                DrawCircleMarker(device.x, device.y);
        dc->SelectObject(previous);
    }
    shape::DrawBoxHandles(*this, frame);
}

// ---- Hit tests ----

CPaint* CArc::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return nullptr;
    // The band meets the arc where it lies at this zoom, which its last drawing may not show.
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        std::vector<CPoint> samples;
        m_nSampleCount = 0;
        if (IsDrawable() && Sample(m_parentPose, samples))
            shape::KeepScreenSamples(*m_pTool, samples, m_samples, m_nSampleCount);
    }
    const std::span<const CPoint> samples(m_samples.data(), std::clamp(m_nSampleCount, 0, kMaxSamples));
    return shape::SampledHitTest(*this, samples, false, [this] { return CursorHits(); });
}

bool CArc::CursorHits() {
    const CDoublePoint p = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const double theta = AngleAbout(p);
    if (!IsOnArc(theta))
        return false;
    const double r = VectorLength(p.x - m_ptCentre.x, p.y - m_ptCentre.y);
    if (m_bFillOn && r <= PolarRadius(theta))
        return true;
    const CDoublePoint on = CurvePoint(theta);
    return VectorLength(p.x - on.x, p.y - on.y) < m_pTool->GetHandleTolerance();
}

int CArc::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || m_points.GetSize() < kPointCount)
        return -1;
    constexpr int kOvalOrder[] = {0, 1, 2, 3, 4};
    constexpr int kArcOrder[] = {5, 6, 0, 1, 2, 3, 4};
    return m_bOval ? shape::HandleAtPoint(*this, FrameOf(pose), x, y, kOvalOrder)
                   : shape::HandleAtPoint(*this, FrameOf(pose), x, y, kArcOrder);
}

// ---- Mouse ----

void CArc::TrackCreate(const CPose* pose, int handle) {
    // The drawing tools shape a new arc or oval themselves; its place step is its undo.
    if (m_pTool == nullptr || m_pTool->m_toolMode == kToolArc || m_pTool->m_toolMode == kToolOval ||
        m_points.GetSize() < kPointCount)
        return;
    if (handle == 0) {
        shape::BeginRotationBetween(*this, FrameOf(pose), {m_fCornerX1, m_fCornerY1},
                                    {m_fCornerX2, m_fCornerY2});
    } else if (handle >= 1 && handle <= 6) {
        PressHandle(handle);
    } else if (handle == -1) {
        shape::KeepRescalePoints(*this, {m_fRadiusX, m_fRadiusY}, m_ptCentre);
        SavePose();
    }
    Invalidate();
}

void CArc::PressHandle(int) {
    // The undo point holds the whole shape and its handles, so undo gives them back exactly.
    std::unique_ptr<ArcShapePayload> shape = ShapeNow();
    for (int i = 0; i < kPointCount; ++i) shape->points.push_back(m_points[i]);
    auto step = std::make_unique<CEditStep>(kStepShape, this, 1);
    step->SetPayload(std::move(shape));
    RecordOrApply(*this, std::move(step), true);
}

void CArc::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    const CDoublePoint local = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (m_bOval && IsCorner(handle))
        DragOvalCorner(handle, local);
    else if (!m_bOval && m_pTool->m_toolMode == kToolArc && IsCorner(handle))
        DragCreatingCorner(handle, local);
    else if (!m_bOval && (handle == 5 || handle == 6))
        DragEnd(frame, handle, local);
    else if (!m_bOval && IsCorner(handle))
        DragArcCorner(handle, local);
    else
        return;
    KeepCornerPoints();
    Invalidate();
}

void CArc::DragOvalCorner(int handle, CDoublePoint local) {
    MoveBoxCorner(handle, local.x, local.y, nullptr);
    const CDoublePoint& a = m_points[1];
    const CDoublePoint& b = m_points[3];
    m_ptCentre = {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
    m_fRadiusX = std::fabs(b.x - a.x) / 2.0;
    m_fRadiusY = std::fabs(b.y - a.y) / 2.0;
    m_fStartAngle = 0.0;
    m_fSweep = kFullTurn;
    PlaceEndsOnCurve();
}

void CArc::DragCreatingCorner(int handle, CDoublePoint local) {
    MoveBoxCorner(handle, local.x, local.y, nullptr);
    const CDoublePoint a = m_points[1];
    const CDoublePoint b = m_points[3];
    m_fRadiusX = std::fabs(b.x - a.x);
    m_fRadiusY = std::fabs(a.y - b.y);
    m_ptCentre = m_points[2];
    m_fSweep = kPi / 2.0;
    const int quadrant = GetOrientation();
    m_fStartAngle = quadrant == 1 ? 0.0 : quadrant == 2 ? 4.71238898025 : quadrant == 3 ? kPi : kPi / 2.0;
    PlaceEndsOnCurve();
}

// The ends lie where the angles put them on the curve, as every rebuild of the shape puts them:
// a move and its Undo then leave them to the bit.
void CArc::PlaceEndsOnCurve() {
    m_points[5] = CurvePoint(m_fStartAngle);
    m_points[6] = CurvePoint(m_fStartAngle + m_fSweep);
}

void CArc::DragEnd(const CPose&, int handle, CDoublePoint local) {
    if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0)
        ConstrainAngle(local.x, local.y, m_ptCentre.x, m_ptCentre.y);
    double theta = AngleAbout(local);
    if (theta >= kFullTurn)
        theta -= kFullTurn;
    double end = m_fStartAngle + m_fSweep;
    if (end >= kFullTurn)
        end -= kFullTurn;
    if (handle == 5) {
        m_fSweep = end < theta ? (kFullTurn - theta) + end : end - theta;
        if (m_fSweep == 0.0)
            m_fSweep = kFullTurn;
        m_fStartAngle = theta;
    } else {
        m_fSweep = theta - m_fStartAngle;
        if (m_fSweep <= 0.0)
            m_fSweep += kFullTurn;
    }
    const int quadrant = GetOrientation();
    PlaceEndsOnCurve();
    double minX, minY, maxX, maxY;
    CurveBox(minX, minY, maxX, maxY);
    LayOutCorners(minX, minY, maxX, maxY, quadrant < 1 ? 1 : quadrant);
}

void CArc::DragArcCorner(int handle, CDoublePoint local) {
    const CDoublePoint o = m_points[handle + 2 > 4 ? handle - 2 : handle + 2];
    const CDoublePoint corner = m_points[handle];
    // A drag that would make the box flat is ignored.
    if (local.x == o.x || local.y == o.y || corner.x == o.x || corner.y == o.y)
        return;
    CDoublePoint target = local;
    MoveBoxCorner(handle, local.x, local.y, &target);
    double fx = (o.x - target.x) / (o.x - corner.x);
    double fy = (o.y - target.y) / (o.y - corner.y);
    shape::PlaceBoxCorner(m_points, handle, target);
    UpdateAnchorPoint();
    if (fx < 0.0) {
        fx = -fx;
        FlipAcross(o, true);
    }
    if (fy < 0.0) {
        fy = -fy;
        FlipAcross(o, false);
    }
    const CDoublePoint oldCentre = m_ptCentre;
    m_fRadiusX *= fx;
    m_fRadiusY *= fy;
    m_ptCentre = {o.x + (oldCentre.x - o.x) * fx, o.y + (oldCentre.y - o.y) * fy};
    for (int end : {5, 6})
        m_points[end] = {m_ptCentre.x + (m_points[end].x - oldCentre.x) * fx,
                         m_ptCentre.y + (m_points[end].y - oldCentre.y) * fy};
    m_fStartAngle = AngleAbout(m_points[5]);
    const double endAngle = AngleAbout(m_points[6]);
    m_fSweep = endAngle < m_fStartAngle ? (kFullTurn - m_fStartAngle) + endAngle : endAngle - m_fStartAngle;
    PlaceEndsOnCurve();
}

void CArc::FlipAcross(CDoublePoint opposite, bool inX) {
    std::swap(m_points[5], m_points[6]);
    for (CDoublePoint* p : {&m_ptCentre, &m_points[5], &m_points[6]}) {
        if (inX)
            p->x = 2.0 * opposite.x - p->x;
        else
            p->y = 2.0 * opposite.y - p->y;
    }
}
