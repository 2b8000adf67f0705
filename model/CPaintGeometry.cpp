#include <cmath>

#include "model/CEditStep.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

namespace {

constexpr int kGridSnapMode = 2;
constexpr COLORREF kHandleGreen = RGB(0, 255, 0);

bool HoldsPoint(const DeviceRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Whole turns off while above a full turn, on while below 0; exactly a full turn stays.
double ReduceTurns(double angle) {
    if (!std::isfinite(angle))
        return angle;
    if (std::fabs(angle) > 1e4)
        angle = std::fmod(angle, kFullTurn);
    while (angle > kFullTurn) angle -= kFullTurn;
    while (angle < 0.0) angle += kFullTurn;
    return angle;
}

// The inverse of a placement applied to a world point.
CDoublePoint IntoFrame(const CPose& frame, double x, double y) {
    return CPose().WorldToLocal(frame, x, y);
}

}  // namespace

// ---- Conversions ----

CDoublePoint CPaint::LocalToWorldInFrame(const CPose& parent, double x, double y) const {
    return m_pose.LocalToWorld(parent, x, y);
}

CDoublePoint CPaint::LocalToWorld(double x, double y) const {
    return LocalToWorldInFrame(m_parentPose, x, y);
}

CDoublePoint CPaint::WorldToLocalInFrame(const CPose& parent, double x, double y) const {
    return m_pose.WorldToLocal(parent, x, y);
}

CDoublePoint CPaint::WorldToLocal(double x, double y) const {
    return WorldToLocalInFrame(m_parentPose, x, y);
}

// ---- Drawing test and hit tests ----

int CPaint::Draw(const CPose*) {
    if (m_pTool == nullptr || !m_pTool->IsLayerVisible(m_nLayer))
        return 0;
    if (m_pTool->IsPrinting())
        return IsPrintedOnPage();
    return m_pTool->MeetsUpdate(m_rcPaintBounds, m_paintArea) ? 1 : 0;
}

int CPaint::IsPrintedOnPage() const {
    CToolHost* host = m_pTool->m_pHost;
    if (host == nullptr)
        return 0;
    int printableWidth = 0, printableHeight = 0;
    host->GetPrintableSize(printableWidth, printableHeight);
    const double scale = host->GetPrintScale();
    const int width = TruncateCoordinate(printableWidth * scale);
    const int height = TruncateCoordinate(printableHeight * scale);
    const double ox = m_pTool->m_fPrintOffsetX * scale;
    const double oy = m_pTool->m_fPrintOffsetY * scale;
    DeviceRect page{TruncateCoordinate(ox), TruncateCoordinate(-oy), TruncateCoordinate(ox + width),
                    TruncateCoordinate(-(oy + height))};
    page.Normalize();
    DeviceRect object{TruncateCoordinate(m_fMinX), TruncateCoordinate(m_fMaxY), TruncateCoordinate(m_fMaxX),
                      TruncateCoordinate(m_fMinY)};
    object.Normalize();
    object.Inflate(TruncateCoordinate(m_pTool->m_fHandleSize));
    return page.Intersects(object) ? 1 : 0;
}

int CPaint::HitTestSegment(const CPose* pose, double ax, double ay, double bx, double by) {
    if (m_pTool == nullptr || (ax == bx && ay == by))
        return 0;
    const CDoublePoint p = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    double distance = 0.0;
    if (ax == bx) {
        distance = std::fabs(p.x - ax);
    } else if (ay == by) {
        distance = std::fabs(p.y - ay);
    } else {
        const double k = 1.0 / (ay - by);
        const double m = 1.0 / (bx - ax);
        distance = std::fabs(p.y * k + p.x * m - (ay * k + ax * m)) / std::sqrt(k * k + m * m);
    }
    if (distance > m_pTool->GetHandleTolerance())
        return 0;
    const double length = VectorLength(bx - ax, by - ay);
    if (VectorLength(p.x - ax, p.y - ay) > length)
        return 0;
    return VectorLength(p.x - bx, p.y - by) <= length ? 1 : 0;
}

int CPaint::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected())
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const int px = TruncateCoordinate(local.x);
    const int py = TruncateCoordinate(local.y);
    const double t = m_pTool->GetHandleTolerance();
    for (int i = 0; i < m_points.GetSize(); ++i) {
        const CDoublePoint point = HandlePoint(i);
        const DeviceRect square{TruncateCoordinate(point.x - t), TruncateCoordinate(point.y - t),
                                TruncateCoordinate(point.x + t), TruncateCoordinate(point.y + t)};
        if (HoldsPoint(square, px, py))
            return i;
    }
    return -1;
}

// ---- Box-like outlines ----

int CPaint::GetOrientation() {
    if (m_points.GetSize() < 4)
        return -1;
    const CDoublePoint& p1 = m_points[1];
    const CDoublePoint& p3 = m_points[3];
    if (p3.x >= p1.x && p1.y >= p3.y)
        return 1;
    if (p3.x >= p1.x && p1.y <= p3.y)
        return 2;
    if (p3.x <= p1.x && p1.y <= p3.y)
        return 3;
    if (p3.x <= p1.x && p1.y >= p3.y)
        return 4;
    return -1;
}

void CPaint::UpdateAnchorPoint() {
    if (const std::optional<CDoublePoint> anchor = AnchorPointAtZoom())
        m_points[0] = *anchor;
    m_shownRotationHandle.reset();
}

std::optional<CDoublePoint> CPaint::AnchorPointAtZoom() {
    if (m_pTool == nullptr || m_points.GetSize() < 4)
        return std::nullopt;
    const double step = 2.0 * m_pTool->GetHandleTolerance();
    const CDoublePoint p3 = m_points[3];
    switch (GetOrientation()) {
        case 1:
            return CDoublePoint{p3.x + step, p3.y - step};
        case 2:
            return CDoublePoint{p3.x + step, p3.y + step};
        case 3:
            return CDoublePoint{p3.x - step, p3.y + step};
        case 4:
            return CDoublePoint{p3.x - step, p3.y - step};
        default:
            return std::nullopt;
    }
}

void CPaint::ShowRotationHandleAt(const CDoublePoint& local) {
    m_shownRotationHandle = local;
}

void CPaint::ShowAnchorPointAtZoom() {
    if (const std::optional<CDoublePoint> anchor = AnchorPointAtZoom())
        ShowRotationHandleAt(*anchor);
}

CDoublePoint CPaint::HandlePoint(int index) const {
    if (index == 0 && m_shownRotationHandle)
        return *m_shownRotationHandle;
    return m_points[index];
}

void CPaint::MoveBoxCorner(int handle, double x, double y, CDoublePoint* output) {
    if (handle == -1)
        return;
    if (handle >= 1 && handle <= 4 && m_points.GetSize() >= 5) {
        const int opposite = handle + 2 > 4 ? handle - 2 : handle + 2;
        const CDoublePoint o = m_points[opposite];
        const CDoublePoint current = m_points[handle];
        CDoublePoint target{x, y};
        const bool shift = m_pTool != nullptr && m_pTool->ShiftHeld();
        if (shift) {
            const double ax = std::fabs(x - o.x);
            const double ay = std::fabs(y - o.y);
            const double signX = o.x <= x ? 1.0 : -1.0;
            const double signY = o.y <= y ? 1.0 : -1.0;
            const int mode = m_pTool->m_toolMode;
            if (mode >= kToolMeasureLine && mode <= kToolTerrain) {
                target = ay > ax ? CDoublePoint{o.x + signX * ay, y} : CDoublePoint{x, o.y + signY * ax};
            } else {
                const double w = std::fabs(current.x - o.x);
                const double h = std::fabs(current.y - o.y);
                if (h <= 1.0) {
                    target = {x, o.y};
                } else if (w <= 1.0) {
                    target = {o.x, y};
                } else {
                    const double k = w / h;
                    target = k * ay > ax ? CDoublePoint{o.x + signX * k * ay, y}
                                         : CDoublePoint{x, o.y + signY * ax / k};
                }
            }
        }
        if (output != nullptr) {
            *output = target;
            return;
        }
        m_points[handle] = target;
        // Neighbours share x and y in the order 1-2 (x), 2-3 (y), 3-4 (x), 4-1 (y).
        const int sharesX = handle == 1 ? 2 : handle == 2 ? 1 : handle == 3 ? 4 : 3;
        const int sharesY = handle == 1 ? 4 : handle == 2 ? 3 : handle == 3 ? 2 : 1;
        m_points[sharesX].x = target.x;
        m_points[sharesY].y = target.y;
    } else if (output != nullptr) {
        return;
    }
    UpdateAnchorPoint();
}

void CPaint::ConstrainAngle(double& x, double& y, double anchorX, double anchorY) {
    const double dx = x - anchorX;
    const double dy = y - anchorY;
    const double r = VectorLength(dx, dy);
    const double h = r * std::sqrt(2.0) / 2.0;
    const double a = dx == 0.0 ? (dy <= 0.0 ? -kPi / 2.0 : kPi / 2.0) : std::atan2(dy, dx);
    const double eighth = kPi / 8.0;
    double ox = -h, oy = -h;
    if (a >= 7 * eighth || a < -7 * eighth) {
        ox = -r, oy = 0.0;
    } else if (a >= 5 * eighth) {
        ox = -h, oy = h;
    } else if (a >= 3 * eighth) {
        ox = 0.0, oy = r;
    } else if (a >= eighth) {
        ox = h, oy = h;
    } else if (a >= -eighth) {
        ox = r, oy = 0.0;
    } else if (a >= -3 * eighth) {
        ox = h, oy = -h;
    } else if (a >= -5 * eighth) {
        ox = 0.0, oy = -r;
    }
    x = anchorX + ox;
    y = anchorY + oy;
}

int CPaint::MirrorX(double c) {
    m_pose.x = 2.0 * c - m_pose.x;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i < m_points.GetSize(); ++i) m_points[i].x = -m_points[i].x;
    UpdateAnchorPoint();
    return 1;
}

int CPaint::MirrorY(double c) {
    m_pose.y = 2.0 * c - m_pose.y;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i < m_points.GetSize(); ++i) m_points[i].y = -m_points[i].y;
    UpdateAnchorPoint();
    return 1;
}

int CPaint::UpdateGeometry(CEditStep* step) {
    GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr)
        return 0;
    Invalidate();
    const CDoublePoint local = WorldToLocal(geometry->x, geometry->y);
    MoveBoxCorner(geometry->handle, local.x, local.y, nullptr);
    GetBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
    return 1;
}

// ---- Snapping ----

CDoublePoint CPaint::SnapOffset(double x, double y) {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return {0.0, 0.0};
    CToolHost* host = m_pTool->m_pHost;
    if (m_pTool->m_nSnapMode == kGridSnapMode)
        return {GridCorrection(x, host->GetGridWidth()), GridCorrection(y, host->GetGridHeight())};
    CPaint* group = host->GetCurrentGroup();
    if (group == nullptr)
        return {0.0, 0.0};
    const CPose pose = m_pTool->GetCurrentGroupPose();
    CDoublePoint best{0.0, 0.0};
    double bestLength = kNone;
    for (CPaint* member : host->GetGroupMembers(group)) {
        if (member->IsSelected())
            continue;
        double vx = kNone, vy = kNone;
        member->GetSnapPoint(vx, vy, &pose, x, y);
        const double length = VectorLength(vx, vy);
        if (length < bestLength) {
            bestLength = length;
            best = {vx, vy};
        }
    }
    return best;
}

// ---- Interactive moves and turns ----

CPose CPaint::OwnerWorldPose() const {
    CPaint* owner = m_pTool != nullptr && m_pTool->m_pHost != nullptr
                        ? m_pTool->m_pHost->GetOwnerGroup(const_cast<CPaint*>(this))
                        : nullptr;
    return owner != nullptr ? owner->m_pose.ComposedWith(owner->m_parentPose) : CPose();
}

CDoublePoint CPaint::ToOwnerFrame(double x, double y) const {
    return IntoFrame(OwnerWorldPose(), x, y);
}

void CPaint::MoveFromSavedPose(double dx, double dy, int fromSaved) {
    if (m_bLocked)
        return;
    Invalidate();
    const CPose owner = OwnerWorldPose();
    const CDoublePoint end = ToOwnerFrame(dx, dy);
    const CDoublePoint start = ToOwnerFrame(0.0, 0.0);
    const CPose& from = fromSaved ? m_savedPose : m_pose;
    m_pose.x = from.x + (end.x - start.x);
    m_pose.y = from.y + (end.y - start.y);
    SetParentPose(&owner);
    ComputeExtent(nullptr);
    Invalidate();
}

void CPaint::RestorePlacement(const CPose& pose) {
    Invalidate();
    const CPose owner = OwnerWorldPose();
    m_pose = pose;
    SetParentPose(&owner);
    ComputeExtent(nullptr);
    Invalidate();
}

void CPaint::RotateFromSavedPose(double angle, double pivotX, double pivotY, int fromSaved) {
    if (m_bLocked)
        return;
    const CPose owner = OwnerWorldPose();
    const CDoublePoint pivot = ToOwnerFrame(pivotX, pivotY);
    Invalidate();
    const CPose from = fromSaved ? m_savedPose : m_pose;
    const CDoublePoint origin = RotatePoint(pivot.x, pivot.y, angle, from.x, from.y);
    m_pose = CPose(origin.x, origin.y, ReduceTurns(from.angle + angle));
    SetParentPose(&owner);
    ComputeExtent(nullptr);
    Invalidate();
}

void CPaint::RotateWithPivot(const CPose* pose) {
    if (m_pTool == nullptr)
        return;
    Invalidate();
    const double turn = m_pTool->m_fSnapAngle + (m_pTool->m_bHalfTurn ? kPi : 0.0);
    const CDoublePoint pivot = IntoFrame(FrameOf(pose), m_pTool->m_fSnapPivotX, m_pTool->m_fSnapPivotY);
    const CDoublePoint origin = RotatePoint(pivot.x, pivot.y, turn, m_pose.x, m_pose.y);
    m_pose =
        CPose(origin.x + m_pTool->m_fSnapOffsetX, origin.y + m_pTool->m_fSnapOffsetY, m_pose.angle + turn);
    ComputeExtent(pose);
    Invalidate();
}

void CPaint::RotateWithPivotHalfTurn(const CPose* pose) {
    if (m_pTool == nullptr)
        return;
    const int halfTurn = m_pTool->m_bHalfTurn;
    m_pTool->m_bHalfTurn = 1;
    RotateWithPivot(pose);
    m_pTool->m_bHalfTurn = halfTurn;
}

void CPaint::RotateByToolStep(const CPose* pose) {
    if (m_pTool == nullptr)
        return;
    const CPose& frame = FrameOf(pose);
    const CPose own = m_pose;
    const double trial = m_pTool->m_fTrialAngle;
    const CDoublePoint pivot = IntoFrame(frame, m_pTool->m_fProbeX, m_pTool->m_fProbeY);
    const CDoublePoint origin = RotatePoint(pivot.x, pivot.y, trial, m_pose.x, m_pose.y);
    m_pose = CPose(origin.x, origin.y, m_pose.angle + trial);
    const CDoublePoint first = WorldToLocalInFrame(frame, m_pTool->m_fProbeX, m_pTool->m_fProbeY);
    const CDoublePoint second = WorldToLocalInFrame(frame, m_pTool->m_fProbe2X, m_pTool->m_fProbe2Y);
    m_pTool->m_fProbeVectorX = second.x - first.x;
    m_pTool->m_fProbeVectorY = second.y - first.y;
    m_pose = own;
}

void CPaint::RescaleWithUndo(const CPose*, double factor, int) {
    if (m_pTool == nullptr)
        return;
    CEditStep step(kStepRescale, this, 0);
    auto payload = std::make_unique<RescalePayload>();
    payload->factor = factor;
    payload->saved = m_savedPose;
    payload->ax = m_fRescaleAX;
    payload->ay = m_fRescaleAY;
    payload->bx = m_fRescaleBX;
    payload->by = m_fRescaleBY;
    step.SetPayload(std::move(payload));
    m_pTool->Execute(&step);
}

CPaint* CPaint::GetEditLevelAncestor(CPaint* group) {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return this;
    CToolHost* host = m_pTool->m_pHost;
    CPaint* root = host->GetRootGroup();
    CPaint* edited = host->GetCurrentGroup();
    CPaint* ancestor = this;
    CPaint* owner = host->GetOwnerGroup(ancestor);
    while (owner != nullptr && owner != root && owner != edited) {
        ancestor = owner;
        owner = host->GetOwnerGroup(ancestor);
    }
    return owner == root && ancestor == group ? nullptr : ancestor;
}

void CPaint::ForEachMember(const CPaintList& members) {
    for (CPaint* member : members) member->SetTool(m_pTool);
}

// ---- Markers ----

void CPaint::DrawHandle(int x, int y) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    const int h = TruncateCoordinate(m_pTool->m_fHandleSize);
    CRect square(x - h, y + h, x + h, y - h);
    square.NormalizeRect();
    CBrush green(kHandleGreen);
    dc->FillRect(&square, &green);
    const POINT outline[] = {{x - h, y + h}, {x + h, y + h}, {x + h, y - h}, {x - h, y - h}, {x - h, y + h}};
    dc->Polyline(outline, 5);
}

void CPaint::DrawHollowHandle(int x, int y) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    const int h = TruncateCoordinate(m_pTool->m_fHandleSize);
    CBrush* previous = dc->SelectObject(GetSysColorBrush(COLOR_WINDOW));
    dc->Rectangle(x - h, y - h, x + h, y + h);
    dc->SelectObject(previous);
}

void CPaint::DrawCrossMarker(int x, int y) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    const int h = TruncateCoordinate(m_pTool->m_fHandleSize);
    dc->MoveTo(x - h, y);
    dc->LineTo(x + h, y);
    dc->MoveTo(x, y + h);
    dc->LineTo(x, y - h);
}

void CPaint::DrawCircleMarker(int x, int y) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    const int h = TruncateCoordinate(m_pTool->m_fHandleSize);
    dc->Arc(x - h, y - h, x + h, y + h, x + h, y, x + h, y);
}

void CPaint::DrawXMarker(int x, int y) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    dc->MoveTo(x - 5, y - 5);
    dc->LineTo(x + 5, y + 7);
    dc->MoveTo(x + 5, y - 5);
    dc->LineTo(x - 7, y + 7);
}
