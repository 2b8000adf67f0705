#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "drawing/AnnotationSupport.h"
#include "drawing/CShapePen.h"
#include "drawing/DimensionDrawing.h"
#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WinDefs.h"
#include "view3d/CCamera.h"
#include "view3d/HeightDrag.h"

// The camera on the plan: its symbol and label, hit tests, handles and their bounds.

namespace {

constexpr double kSmallestArc = 0.05235985883782057;
constexpr COLORREF kLabelColor = RGB(255, 0, 0);
constexpr double kArcTolerance = 5.0;
constexpr double kBodyDepth = 20.0;
constexpr double kBodyHeight = 30.0;
constexpr double kDegrees = 57.2958;
constexpr int kNoArrowheads = 0;
constexpr int kFilledArrowheads = 2;

bool InBox(CDoublePoint p, CDoublePoint a, CDoublePoint b) {
    const double x = std::trunc(p.x), y = std::trunc(p.y);
    return std::trunc(std::min(a.x, b.x)) <= x && x <= std::trunc(std::max(a.x, b.x)) &&
           std::trunc(std::min(a.y, b.y)) <= y && y <= std::trunc(std::max(a.y, b.y));
}

void FillTriangle(CDC& dc, const std::vector<CPoint>& corners) {
    dc.BeginPath();
    dc.MoveTo(corners[0]);
    dc.LineTo(corners[1]);
    dc.LineTo(corners[2]);
    dc.CloseFigure();
    dc.EndPath();
    dc.FillPath();
}

}  // namespace

int CCamera::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !HasPoints() || m_pTool->GetTargetDC() == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    CDC& dc = *m_pTool->GetTargetDC();
    const int mode = dc.SetBkMode(TRANSPARENT);
    {
        CShapePen pen(*this, dc);
        DrawSymbol(dc, frame);
        DrawArc(dc, frame);
    }
    if (shape::ShowsHandles(*this))
        DrawCameraHandles(dc, frame);
    if (m_bShowAngleLabel)
        DrawLabel(dc, frame);
    dc.SetBkMode(mode);
    return 1;
}

void CCamera::DrawSymbol(CDC& dc, const CPose& frame) {
    const CPlacement placement(m_pose, frame);
    const CDoublePoint &p2 = m_points[2], &p4 = m_points[4], &p5 = m_points[5];
    const double t = std::fabs(p4.y - p5.y) / 3.0;
    const std::vector<std::vector<CDoublePoint>> outlines = {{p4, {p4.x, p5.y}, p5, {p5.x, p4.y}},
                                                             {{p5.x, p5.y + t}, p2, {p5.x, p4.y - t}},
                                                             {m_points[1], p2, MirroredEdge()}};
    for (const std::vector<CDoublePoint>& outline : outlines) {
        std::vector<CPoint> device;
        if (!shape::OutlineToDevice(*m_pTool, placement, outline, device))
            continue;
        dc.MoveTo(device.back());
        for (const CPoint& point : device) dc.LineTo(point);
    }
}

void CCamera::DrawArc(CDC& dc, const CPose& frame) {
    if (HalfAngle() <= kSmallestArc)
        return;
    const CPlacement placement(m_pose, frame);
    const CDoublePoint& p2 = m_points[2];
    const double r = (m_points[1].x - p2.x) / 2.0;
    CPoint centre, edge, mirrored, corner;
    if (!shape::ToDevice(*m_pTool, placement, p2, centre) ||
        !shape::ToDevice(*m_pTool, placement, m_points[1], edge) ||
        !shape::ToDevice(*m_pTool, placement, MirroredEdge(), mirrored) ||
        !shape::ToDevice(*m_pTool, placement, {p2.x + r, p2.y}, corner))
        return;
    const int radius = static_cast<int>(std::lround(std::hypot(corner.x - centre.x, corner.y - centre.y)));
    const RECT box{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    // The device's y runs downward: the plan's counter-clockwise sweep from the lower edge to
    // the upper one is clockwise there.
    dc.Arc(&box, edge, mirrored);
    DrawArrowheads(dc, placement, r);
}

// Each arc end gets a triangle with its tip on the cone edge and its base, parallel to the
// edge, inside the cone: the arc points at both edges.
void CCamera::DrawArrowheads(CDC& dc, const CPlacement& placement, double radius) {
    if (m_nArrowStyle == kNoArrowheads)
        return;
    const double across = dimension::ArrowSize(*this, m_nArrowLength);
    const double along = dimension::ArrowSize(*this, m_nArrowWidth);
    const CDoublePoint& p2 = m_points[2];
    CBrush brush(shape::OutlineColor(*this));
    CBrush* previous = dc.SelectObject(&brush);
    const std::pair<CDoublePoint, double> edges[] = {{m_points[1], 1.0}, {MirroredEdge(), -1.0}};
    for (const auto& [end, side] : edges) {
        const double length = std::hypot(end.x - p2.x, end.y - p2.y);
        const CDoublePoint u{(end.x - p2.x) / length, (end.y - p2.y) / length};
        const CDoublePoint inward{side * u.y * across, -side * u.x * across};
        const CDoublePoint q{p2.x + radius * u.x, p2.y + radius * u.y};
        std::vector<CPoint> head;
        if (!shape::OutlineToDevice(*m_pTool, placement,
                                    {{q.x + along * u.x + inward.x, q.y + along * u.y + inward.y},
                                     {q.x - along * u.x + inward.x, q.y - along * u.y + inward.y},
                                     q},
                                    head))
            continue;
        dc.MoveTo(head[2]);
        for (const CPoint& point : head) dc.LineTo(point);
        if (m_nArrowStyle == kFilledArrowheads)
            FillTriangle(dc, head);
    }
    dc.SelectObject(previous);
}

void CCamera::DrawLabel(CDC& dc, const CPose& frame) {
    if (m_bSelected && !(m_pTool->m_toolMode != kToolRotateAroundOrigin && m_pTool->m_nDragState >= 0))
        return;
    // Turned any number of times, the label reads the same: degrees within one turn.
    const double turn = std::fmod(m_pose.angle + frame.angle, kFullTurn);
    const int degrees = std::isfinite(turn) ? static_cast<int>(turn * kDegrees) : 0;
    std::unique_ptr<CFont> font = m_labelFont.MakeTurned((-90 - degrees) * 10);
    const std::vector<CDoublePoint> corners = LabelCorners();
    CPoint at;
    if (font == nullptr || !shape::ToDevice(*m_pTool, CPlacement(m_pose, frame), corners[0], at))
        return;
    CFont* previous = dc.SelectObject(font.get());
    const COLORREF color = dc.SetTextColor(kLabelColor);
    dc.TextOut(at.x, at.y, AngleLabel());
    dc.SetTextColor(color);
    dc.SelectObject(previous);
}

void CCamera::DrawCameraHandles(CDC& dc, const CPose& frame) {
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&black);
    const CPlacement placement(m_pose, frame);
    CPoint device;
    for (int i : {1, 3, 4})
        if (shape::ToDevice(*m_pTool, placement, m_points[i], device))
            DrawCircleMarker(device.x, device.y);
    const double zh = 2.0 * PixelSize() * m_pTool->m_fHandleSize;
    ShowRotationHandleAt({m_points[5].x - zh, m_points[5].y - zh});
    if (shape::ToDevice(*m_pTool, placement, HandlePoint(0), device))
        DrawCrossMarker(device.x, device.y);
    dc.SelectObject(previous);
}

// ---- Hit tests ----

bool CCamera::HitsSymbol(CDoublePoint local) {
    const CDoublePoint &p2 = m_points[2], &p4 = m_points[4], &p5 = m_points[5];
    const double t = std::fabs(p4.y - p5.y) / 3.0;
    if (InBox(local, p4, p5) || InBox(local, {p5.x, p4.y - t}, {p2.x, p5.y + t}))
        return true;
    const CDoublePoint edge = m_points[1], mirrored = MirroredEdge();
    const CDoublePoint segments[][2] = {{edge, p2}, {mirrored, p2}, {edge, mirrored}};
    for (const auto& segment : segments)
        if (HitTestSegment(&m_parentPose, segment[0].x, segment[0].y, segment[1].x, segment[1].y))
            return true;
    const double r = std::hypot(edge.x - p2.x, edge.y - p2.y) / 2.0;
    const double d = std::hypot(local.x - p2.x, local.y - p2.y);
    return ThreeAngleTest(mirrored, edge, local) == 1 && r - kArcTolerance < d && d < r + kArcTolerance;
}

CPaint* CCamera::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        const std::vector<CDoublePoint> cone = {m_points[1], m_points[2], MirroredEdge()};
        return shape::BandHitsShape(*this, cone, true) || shape::BandHitsShape(*this, BodyCorners(), true)
                   ? this
                   : nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    return HitsSymbol(WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY)) ? this : nullptr;
}

int CCamera::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || !HasPoints())
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const CDoublePoint p{std::trunc(local.x), std::trunc(local.y)};
    const double s = PixelSize() * m_pTool->m_fHandleSize;
    const std::pair<int, int> handles[] = {{1, 1}, {3, 2}, {4, 3}, {0, 0}};
    for (const auto& [point, handle] : handles) {
        const CDoublePoint held = HandlePoint(point);
        if (std::fabs(p.x - held.x) <= s && std::fabs(p.y - held.y) <= s)
            return handle;
    }
    return -1;
}

// ---- Handles ----

void CCamera::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    const bool creating = m_pTool->m_toolMode == kToolCamera;
    if (creating)
        Invalidate();
    else if (handle <= 0)
        CPaint::TrackCreate(pose, handle);
    const CPose& frame = FrameOf(pose);
    if (handle == 0) {
        SavePose();
        const CDoublePoint lens = LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y);
        m_pTool->BeginRotation(lens.x, lens.y);
    }
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    if (handle >= 1 && handle <= 3 && !creating && (m_pTool->m_nMouseFlags & MK_CONTROL) != 0) {
        m_pTool->m_toolMode.Set(kToolDragHandle);
        m_fSavedHeight = m_fHeight;
        SetEditState(3);
    }
    m_lastDragPoint = {m_pTool->m_fCurrentX, m_pTool->m_fCurrentY};
    Invalidate();
}

void CCamera::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints() || handle < 1 || handle > 3)
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    const CDoublePoint m = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    bool free = true;
    if (GetEditState() == 3) {
        const int grabbed[] = {0, 1, 3, 4};
        DragHeight(frame, m, m_points[grabbed[handle]]);
    } else if (handle == 1) {
        free = DragViewEdge(m);
    } else if (handle == 2) {
        free = DragDistance(m);
    } else {
        free = DragBody(m);
    }
    if (!free) {
        m_pTool->m_fCurrentX = m_lastDragPoint.x;
        m_pTool->m_fCurrentY = m_lastDragPoint.y;
    }
    m_lastDragPoint = {m_pTool->m_fCurrentX, m_pTool->m_fCurrentY};
    annotation::RefreshBounds(*this, pose);
}

void CCamera::DragHeight(const CPose& frame, CDoublePoint cursor, CDoublePoint grabbed) {
    const CDoublePoint& lens = m_points[2];
    double along = 0.0;
    if (height_drag::DistanceAlong(cursor, grabbed, lens, height_drag::DeadZone(*m_pTool), along))
        m_fHeight = m_fSavedHeight + along;
    if (m_fHeight < 0.0)
        m_fHeight = 0.0;
    height_drag::ShowHeightHint(*m_pTool, m_fHeight, LocalToWorldInFrame(frame, grabbed.x, grabbed.y),
                                LocalToWorldInFrame(frame, lens.x, lens.y));
}

bool CCamera::DragViewEdge(CDoublePoint m) {
    const CDoublePoint& p2 = m_points[2];
    CDoublePoint& p1 = m_points[1];
    bool free = true;
    p1 = m;
    if (p1.x < p2.x) {
        p1.x = p2.x;
        free = false;
    }
    const double low = p2.y + (p1.x == p2.x ? 1.0 : 0.0);
    if (p1.y < low) {
        p1.y = low;
        free = false;
    }
    m_points[3].x = p1.x;
    return free;
}

bool CCamera::DragDistance(CDoublePoint m) {
    const CDoublePoint& p2 = m_points[2];
    CDoublePoint& p3 = m_points[3];
    const double run = std::fabs(p3.x - p2.x);
    const double slope = run != 0.0 ? std::fabs(p3.y - m_points[1].y) / run : 1.0;
    bool free = true;
    p3.x = m.x;
    if (p3.x < p2.x) {
        p3.x = p2.x;
        free = false;
    }
    const double low = p2.y + (m_points[1].x == p2.x ? 1.0 : 0.0);
    if (p3.y < low) {
        p3.y = low;
        free = false;
    }
    m_points[1].x = p3.x;
    m_points[1].y = p3.y + std::floor(std::fabs(p3.x - p2.x) * slope + 0.51);
    return free;
}

// The body's bounds are screen pixels taken to plan units once, so that it keeps its size on
// screen at every zoom.
bool CCamera::DragBody(CDoublePoint m) {
    const CDoublePoint& p2 = m_points[2];
    const double z = PixelSize();
    const CDoublePoint clamped{std::clamp(m.x, p2.x - kBodyDepth * z, p2.x),
                               std::clamp(m.y, p2.y, p2.y + kBodyHeight * z)};
    m_points[4] = clamped;
    m_points[5] = {p2.x - (p2.x - clamped.x) * 0.5, p2.y - (clamped.y - p2.y)};
    return clamped.x == m.x && clamped.y == m.y;
}

int CCamera::FinishCreate(const CPose* pose, int flag) {
    const int result = CPaint::FinishCreate(pose, flag);
    if (GetEditState() == 3) {
        Update3D(&m_parentPose);
        SetEditState(-1);
    }
    return result;
}
