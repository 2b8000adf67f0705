#include <algorithm>
#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/CSpline.h"
#include "drawing/ShapeSupport.h"
#include "model/BezierEvaluation.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

// The spline in the plan: sampling, drawing, hit tests and the mouse.

namespace {

// World coordinates beyond this are not sampled: their device images would not fit an int.
constexpr double kLayoutLimit = 1.0e8;

bool FitsLayout(const CDoublePoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kLayoutLimit &&
           std::fabs(p.y) < kLayoutLimit;
}

enum class CurvePoint { Node, Outgoing, Incoming };

CurvePoint KindOf(int index) {
    const int kind = (index - CSpline::kFirstNode) % 3;
    return kind == 0 ? CurvePoint::Node : kind == 1 ? CurvePoint::Outgoing : CurvePoint::Incoming;
}

// A chord between two samples, its sides taken in single precision as the samples are.
double ChordLength(float ax, float ay, float bx, float by) {
    return VectorLength(static_cast<double>(bx - ax), static_cast<double>(by - ay));
}

double LengthOf(CDoublePoint v) {
    return VectorLength(v.x, v.y);
}

// The direction of a vector as its arc cosine, below the x axis counted from the other side.
double AngleOf(CDoublePoint v) {
    const double theta = std::acos(std::clamp(v.x / LengthOf(v), -1.0, 1.0));
    return v.y < 0.0 ? kFullTurn - theta : theta;
}

}  // namespace

// ---- Sampling ----

int CSpline::SampleBezier(std::vector<CPoint>& samples, const int32_t (*controls)[2], uint32_t count,
                          uint16_t degree) {
    if (!BezierCountFitsDegree(count, degree))
        return 0;
    samples.emplace_back(controls[0][0], controls[0][1]);
    ForEachBezierSample(controls, count, degree, [&samples](int, float x, float y) {
        samples.emplace_back(static_cast<int>(x), static_cast<int>(y));
    });
    return 1;
}

bool CSpline::SegmentControls(const CPose& frame, int firstNode, Segment& controls) const {
    for (int j = 0; j < 4; ++j) {
        const CDoublePoint local = MapToBox(m_points[firstNode + j]);
        const CDoublePoint world = LocalToWorldInFrame(frame, local.x, local.y);
        if (!FitsLayout(world))
            return false;
        controls[j][0] = static_cast<int32_t>(world.x);
        controls[j][1] = static_cast<int32_t>(world.y);
    }
    return true;
}

double CSpline::MeasureLength(const CPose& frame) const {
    double length = 0.0;
    Segment controls;
    for (int k = kFirstNode; k + 3 < PointCount(); k += 3) {
        if (!SegmentControls(frame, k, controls))
            continue;
        float previousX = 0.0f, previousY = 0.0f;
        ForEachBezierSample(controls, 4, 3, [&](int i, float x, float y) {
            if (i > 0)
                length += ChordLength(previousX, previousY, x, y);
            previousX = x;
            previousY = y;
        });
    }
    return length;
}

// The length as drawn where the spline lies, which a save keeps and a curve of none leaves.
void CSpline::MeasureShape() {
    if (PointCount() >= kFirstNode)
        m_fLength = MeasureLength(m_parentPose);
}

// ---- Drawing ----

int CSpline::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || PointCount() < kFirstNode)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    if (!m_pTool->IsPrinting())
        DrawControlPolygon(parent);
    {
        CShapePen pen(*this, *dc);
        std::vector<CPoint> fill;
        Segment controls;
        for (int k = kFirstNode; k + 3 < PointCount(); k += 3)
            if (SegmentControls(frame, k, controls))
                SampleBezier(fill, controls, 4, 3);
        m_pTool->LayoutToDevicePointArray(fill);
        shape::FillOutline(*this, *dc, fill);
        for (int k = kFirstNode; k + 3 < PointCount(); k += 3)
            if (SegmentControls(frame, k, controls))
                DrawBezier(controls, 4, 3);
    }
    if (ShowsCurveHandles()) {
        DrawTangents(frame);
        DrawHandleMarkers(frame);
    }
    return 1;
}

int CSpline::DrawBezier(const int32_t (*controls)[2], uint32_t count, uint16_t degree) {
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr || !BezierCountFitsDegree(count, degree))
        return 0;
    dc->MoveTo(m_pTool->LayoutToDevice(controls[0][0], controls[0][1], 1));
    ForEachBezierSample(controls, count, degree,
                        [&](int, float x, float y) { dc->LineTo(m_pTool->LayoutToDevice(x, y, 1)); });
    return 1;
}

bool CSpline::ShowsCurveHandles() const {
    const CTool* tool = m_pTool;
    if (!m_bSelected || tool->IsPrinting() || tool->m_nMultiPoint != 0)
        return false;
    const bool dragging = tool->m_bButtonDown && tool->m_bMoved;
    return !dragging || tool->m_toolMode == kToolSetTrackElevations;
}

void CSpline::DrawTangents(const CPose& frame) {
    CDC* dc = m_pTool->GetTargetDC();
    const COLORREF previousBack = dc->SetBkColor(GetSysColor(COLOR_WINDOW));
    CPen dotted(PS_DOT, 1, shape::kControlColor);
    CPen* previous = dc->SelectObject(&dotted);
    const CPlacement placement(m_pose, frame);
    const int count = PointCount();
    CPoint node, control;
    for (int k = kFirstNode; k < count; k += 3) {
        if (!shape::ToDevice(*m_pTool, placement, MapToBox(m_points[k]), node))
            continue;
        for (int c : {k - 1, k + 1}) {
            const bool exists = c == k - 1 ? k > kFirstNode : k < count - 1;
            if (exists && shape::ToDevice(*m_pTool, placement, MapToBox(m_points[c]), control)) {
                dc->MoveTo(node);
                dc->LineTo(control);
            }
        }
    }
    dc->SelectObject(previous);
    dc->SetBkColor(previousBack);
}

void CSpline::DrawHandleMarkers(const CPose& frame) {
    CDC* dc = m_pTool->GetTargetDC();
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    const CPlacement placement(m_pose, frame);
    CPoint device;
    const int count = PointCount();
    for (int k = kFirstNode; k < count; k += 3) {
        if (shape::ToDevice(*m_pTool, placement, MapToBox(m_points[k]), device))
            DrawHollowHandle(device.x, device.y);
        for (int c : {k - 1, k + 1}) {
            const bool exists = c == k - 1 ? k > kFirstNode : k < count - 1;
            if (exists && shape::ToDevice(*m_pTool, placement, MapToBox(m_points[c]), device))
                DrawCircleMarker(device.x, device.y);
        }
    }
    dc->SelectObject(previous);
    LayOutCorners();
    shape::DrawBoxHandles(*this, frame);
}

void CSpline::DrawControlPolygon(const CPose* parent) {
    const int mode = m_pTool->m_toolMode;
    const bool excluded = mode == kToolZoomIn || mode == kToolZoomOut || mode == kToolSetTrackElevations;
    const bool dragging = m_pTool->m_bButtonDown && m_pTool->m_bMoved;
    if (!IsSelected() || excluded || !(dragging || m_pTool->m_nMultiPoint != 0) || PointCount() <= kFirstNode)
        return;
    shape::DrawControlBox(*this, FrameOf(parent), shape::BoundingFrame(MappedPoints()));
}

// ---- Hit tests ----

CPaint* CSpline::HitTest() {
    if (m_pTool == nullptr || CPaint::HitTest() == nullptr)
        return nullptr;
    std::vector<CPoint> fill;
    Segment controls;
    for (int k = kFirstNode; k + 3 < PointCount(); k += 3) {
        if (!SegmentControls(m_parentPose, k, controls))
            continue;
        if (m_bFillOn)
            SampleBezier(fill, controls, 4, 3);
        if (HitTestBezier(&m_parentPose, controls, 4, 3))
            return this;
    }
    if (!m_bFillOn || fill.size() < 3 || shape::IsBandSet(m_pTool->m_rcRubberBand))
        return nullptr;
    std::vector<CDoublePoint> outline;
    outline.reserve(fill.size());
    for (const CPoint& p : fill) outline.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
    const CDoublePoint cursor{std::trunc(m_pTool->m_fCurrentX), std::trunc(m_pTool->m_fCurrentY)};
    return shape::WindingHolds(outline, cursor) ? this : nullptr;
}

int CSpline::HitTestBezier(const CPose* pose, const int32_t (*controls)[2], uint32_t count, uint16_t degree) {
    if (!BezierCountFitsDegree(count, degree))
        return 0;
    CPoint previous(controls[0][0], controls[0][1]);
    bool hit = false;
    ForEachBezierSample(controls, count, degree, [&](int, float x, float y) {
        const CPoint sample(static_cast<int>(x), static_cast<int>(y));
        hit = hit || ChordHits(pose, previous, sample);
        previous = sample;
    });
    return hit ? 1 : 0;
}

bool CSpline::ChordHits(const CPose* pose, const CPoint& a, const CPoint& b) {
    if (!shape::IsBandSet(m_pTool->m_rcRubberBand))
        return HitTestSegment(pose, a.x, a.y, b.x, b.y) != 0;
    DeviceRect band = m_pTool->m_rcRubberBand;
    band.Normalize();
    const CDoublePoint from = m_pTool->DeviceToLayout(band.left, band.top);
    const CDoublePoint to = m_pTool->DeviceToLayout(band.right, band.bottom);
    if (!FitsLayout(from) || !FitsLayout(to))
        return false;
    const DeviceRect layout{static_cast<int>(from.x), static_cast<int>(from.y), static_cast<int>(to.x),
                            static_cast<int>(to.y)};
    auto holds = [&layout](const CPoint& p) {
        return p.x >= layout.left && p.x < layout.right && p.y >= layout.top && p.y < layout.bottom;
    };
    return holds(a) || holds(b) || SegmentIntersectsRect(a.x, a.y, b.x, b.y, layout);
}

int CSpline::HitTestSegment(const CPose*, double ax, double ay, double bx, double by) {
    if (m_pTool == nullptr || (ax == bx && ay == by))
        return 0;
    const double qx = m_pTool->m_fCurrentX, qy = m_pTool->m_fCurrentY;
    double distance = 0.0;
    if (ax == bx) {
        distance = std::fabs(qx - ax);
    } else if (ay == by) {
        distance = std::fabs(qy - ay);
    } else {
        const double u = 1.0 / (ay - by), v = 1.0 / (bx - ax);
        distance = std::fabs((qx - ax) * v + (qy - ay) * u) / std::sqrt(u * u + v * v);
    }
    if (distance > m_pTool->GetHandleTolerance())
        return 0;
    const double chord = VectorLength(bx - ax, by - ay);
    return VectorLength(qx - ax, qy - ay) <= chord && VectorLength(qx - bx, qy - by) <= chord ? 1 : 0;
}

int CSpline::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || PointCount() < kFirstNode)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const double t = m_pTool->GetHandleTolerance();
    constexpr int kBoxOrder[] = {1, 2, 3, 4, 0};
    auto boxHandle = [&]() { return shape::HandleAtPoint(*this, FrameOf(pose), x, y, kBoxOrder); };
    if (m_fCornerX1 == m_fCornerX2 || m_fCornerY1 == m_fCornerY2) {
        const int box = boxHandle();
        if (box >= 0)
            return box;
    }
    const int count = PointCount();
    for (int k = kFirstNode; k + 1 < count; k += 3)
        for (int c : {k + 1, k + 2})
            if (c < count && shape::HandleHolds(MapToBox(m_points[c]), t, local))
                return c;
    for (int k = kFirstNode; k < count; k += 3)
        if (shape::HandleHolds(MapToBox(m_points[k]), t, local))
            return k;
    return boxHandle();
}

// ---- Mouse ----

void CSpline::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstNode + 1)
        return;
    Invalidate();
    RecalcBounds();
    const bool entering = m_pTool->m_toolMode == kToolSpline;
    if (handle == -1 && !entering) {
        shape::KeepRescalePoints(*this, {m_fCornerX2, m_fCornerY2}, {m_fCornerX1, m_fCornerY1});
        SavePose();
    } else if (handle == 0) {
        shape::BeginRotationBetween(*this, FrameOf(pose), {m_fCornerX1, m_fCornerY1},
                                    {m_fCornerX2, m_fCornerY2});
    } else if (entering) {
        EnterPoint(pose);
    } else if (handle >= 1) {
        // The undo point holds the whole curve, so undo puts every point back exactly.
        RecordShape();
    }
    if (!entering && handle >= kFirstNode && handle < PointCount())
        PressCurveHandle(handle);
    Invalidate();
}

void CSpline::EnterPoint(const CPose* pose) {
    const bool shift = (m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0;
    const CDoublePoint p =
        shift ? m_ptEntry : WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (PointCount() <= kFirstNode + 1)
        m_points[kFirstNode] = p;
    for (int i = 0; i < 3; ++i) m_points.Add(p.x, p.y);
    m_pTool->m_nDraggedHandle = PointCount() - 1;
    m_fCornerX1 = std::min(m_fCornerX1, p.x);
    m_fCornerY1 = std::max(m_fCornerY1, p.y);
    m_fCornerX2 = std::max(m_fCornerX2, p.x);
    m_fCornerY2 = std::min(m_fCornerY2, p.y);
    if (PointCount() > kFirstNode + 4)
        StraightenLastSegment();
    SetReferenceFrame(LocalFrame());
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CSpline::StraightenLastSegment() {
    const int n = PointCount();
    const CDoublePoint first = m_points[n - 7];
    const CDoublePoint second = m_points[n - 4];
    const double d = VectorLength(first.x - second.x, first.y - second.y);
    const double dx = first.x - second.x, dy = first.y - second.y;
    const double a = dx == 0.0 ? (dy > 0.0 ? kPi / 2.0 : -kPi / 2.0) : std::atan2(dy, dx);
    const double c = std::cos(a), s = std::sin(a);
    m_points[n - 6] = {first.x - c * d / 3.0, first.y - s * d / 3.0};
    m_points[n - 5] = {second.x + c * d / 3.0, second.y + s * d / 3.0};
    if (n > kFirstNode + 7) {
        const CDoublePoint before = m_points[n - 10];
        const double d0 = VectorLength(before.x - first.x, before.y - first.y);
        m_points[n - 8] = {first.x + c * d0 / 3.0, first.y + s * d0 / 3.0};
    }
}

void CSpline::PressCurveHandle(int handle) {
    const int count = PointCount();
    switch (KindOf(handle)) {
        case CurvePoint::Node:
            m_fRescaleAX = m_points[handle].x;
            m_fRescaleAY = m_points[handle].y;
            if (handle > kFirstNode)
                m_ptSavedA = m_points[handle - 1];
            if (handle < count - 1)
                m_ptSavedB = m_points[handle + 1];
            break;
        case CurvePoint::Incoming:
            if (handle < count - 2)
                m_fRescaleAX = m_points[handle + 2].x, m_fRescaleAY = m_points[handle + 2].y;
            break;
        case CurvePoint::Outgoing:
            if (handle > kFirstNode + 1)
                m_fRescaleAX = m_points[handle - 2].x, m_fRescaleAY = m_points[handle - 2].y;
            break;
    }
}

void CSpline::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || PointCount() < kFirstNode + 1 || handle < 1 || handle >= PointCount())
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    CDoublePoint local = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (handle <= 4) {
        MoveBoxCorner(handle, local.x, local.y, nullptr);
        m_fCornerX1 = m_points[1].x;
        m_fCornerY1 = m_points[1].y;
        m_fCornerX2 = m_points[3].x;
        m_fCornerY2 = m_points[3].y;
        GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    } else if (m_pTool->m_nMultiPoint != 0) {
        if ((m_pTool->m_nMouseFlags & CTool::kShiftFlag) != 0)
            ConstrainAngle(local.x, local.y, m_points[handle - 1].x, m_points[handle - 1].y);
        m_ptEntry = local;
        m_points[handle] = local;
        std::vector<CDoublePoint> curve;
        for (int i = kFirstNode; i < PointCount(); ++i) curve.push_back(m_points[i]);
        SetLocalFrame(shape::BoundingFrame(curve));
        SetReferenceFrame(LocalFrame());
        GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    } else {
        DragCurveHandle(frame, handle, local);
    }
    Invalidate();
}

void CSpline::DragCurveHandle(const CPose& frame, int handle, CDoublePoint local) {
    m_points[handle] = MapToReference(local);
    const CDoublePoint saved{m_fRescaleAX, m_fRescaleAY};
    if (KindOf(handle) == CurvePoint::Node) {
        const CDoublePoint delta{m_points[handle].x - saved.x, m_points[handle].y - saved.y};
        if (handle > kFirstNode)
            m_points[handle - 1] = {m_ptSavedA.x + delta.x, m_ptSavedA.y + delta.y};
        if (handle < PointCount() - 1)
            m_points[handle + 1] = {m_ptSavedB.x + delta.x, m_ptSavedB.y + delta.y};
    } else {
        KeepOppositeTangent(handle);
    }
    shape::WorldBounds(CPlacement(m_pose, frame), shape::FrameCorners(shape::BoundingFrame(MappedPoints())),
                       m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CSpline::KeepOppositeTangent(int handle) {
    const bool incoming = KindOf(handle) == CurvePoint::Incoming;
    if (incoming ? handle >= PointCount() - 2 : handle <= kFirstNode + 1)
        return;
    const CDoublePoint node = m_points[incoming ? handle + 1 : handle - 1];
    const CDoublePoint saved{m_fRescaleAX, m_fRescaleAY};
    const CDoublePoint d{m_points[handle].x - node.x, m_points[handle].y - node.y};
    const CDoublePoint e = incoming ? CDoublePoint{saved.x - node.x, saved.y - node.y}
                                    : CDoublePoint{node.x - saved.x, node.y - saved.y};
    if (LengthOf(d) == 0.0 || LengthOf(e) == 0.0)
        return;
    const double theta = AngleOf(d);
    const double reach = LengthOf(e) + LengthOf(d);
    m_points[incoming ? handle + 2 : handle - 2] = {m_points[handle].x - reach * std::cos(theta),
                                                    m_points[handle].y - reach * std::sin(theta)};
}

int CSpline::FinishCreate(const CPose* pose, int handle) {
    shape::EndEdit(*this, pose, handle);
    if (m_pTool != nullptr && m_pTool->m_nMultiPoint != 0) {
        // The rubber-band node and its two handles were never clicked, even after one click.
        if (PointCount() > kFirstNode + 1)
            m_points.SetSize(PointCount() - 3);
        m_pTool->m_nDraggedHandle = -1;
    }
    Refit();
    // A mirror reads the corners from the points before any paint has laid them out.
    if (PointCount() >= kFirstNode)
        LayOutCorners();
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
    return IsInvalid(0) ? 0 : 1;
}
