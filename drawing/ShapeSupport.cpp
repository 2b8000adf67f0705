#include "drawing/ShapeSupport.h"

#include <algorithm>
#include <cmath>

#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "model/CatalogueDefaults.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CRgn.h"

namespace shape {

namespace {

// Device coordinates beyond this are refused: no window or page is near it, and converting a
// larger double to int is undefined.
constexpr double kDeviceLimit = 1.0e8;

bool FitsDevice(double value) {
    return std::isfinite(value) && std::fabs(value) < kDeviceLimit;
}

bool BandHolds(const DeviceRect& band, const CPoint& p) {
    return p.x >= band.left && p.x < band.right && p.y >= band.top && p.y < band.bottom;
}

// The brush of a fill: the object's own brush unless a loaded pattern is chosen.
bool UsesPattern(const CPaint& shape) {
    return shape.m_bPatternOn && shape.m_nPatternKind == 1 && !shape.m_strPatternFile.IsEmpty();
}

}  // namespace

bool IsBandSet(const DeviceRect& band) {
    return band.left != 0 || band.top != 0 || band.right != 0 || band.bottom != 0;
}

bool ToDevice(const CTool& tool, const CPlacement& placement, CDoublePoint local, CPoint& device) {
    const CDoublePoint world = placement.ToWorld(local);
    const double zoom = tool.ZoomFactor();
    // The printer mapping divides by the print scale, which is never below the screen's.
    const double reach = std::max(zoom, 1.0);
    if (!FitsDevice(world.x * reach) || !FitsDevice(world.y * reach))
        return false;
    device = tool.LayoutToDevice(world.x, world.y, 1);
    return true;
}

bool OutlineToDevice(const CTool& tool, const CPlacement& placement, const std::vector<CDoublePoint>& local,
                     std::vector<CPoint>& device) {
    device.resize(local.size());
    for (size_t i = 0; i < local.size(); ++i)
        if (!ToDevice(tool, placement, local[i], device[i]))
            return false;
    return true;
}

void WorldBounds(const CPlacement& placement, const std::vector<CDoublePoint>& local, double& minX,
                 double& minY, double& maxX, double& maxY) {
    for (size_t i = 0; i < local.size(); ++i) {
        const CDoublePoint world = placement.ToWorld(local[i]);
        minX = i == 0 ? world.x : std::min(minX, world.x);
        minY = i == 0 ? world.y : std::min(minY, world.y);
        maxX = i == 0 ? world.x : std::max(maxX, world.x);
        maxY = i == 0 ? world.y : std::max(maxY, world.y);
    }
}

COLORREF OutlineColor(CPaint& shape) {
    return shape.GetEditState() == -1 ? shape.m_pen.color : kDragColor;
}

bool ShowsHandles(CPaint& shape) {
    const CTool* tool = shape.m_pTool;
    if (tool == nullptr || !shape.IsSelected() || tool->IsPrinting())
        return false;
    return !(tool->m_bButtonDown && tool->m_bMoved) && shape.GetEditState() != 4;
}

void FillOutline(CPaint& shape, CDC& dc, const std::vector<CPoint>& outline) {
    if (!shape.m_bFillOn || shape.GetEditState() != -1 || outline.size() < 3)
        return;
    CRgn region;
    region.CreatePolygonRgn(outline.data(), static_cast<int>(outline.size()), WINDING);
    const COLORREF previousText = dc.GetTextColor();
    const COLORREF previousBack = dc.SetBkColor(shape.m_crFill);
    CBrush brush;
    if (UsesPattern(shape)) {
        brush.CreatePatternBrush(shape.m_pPatternBitmap.get());
        dc.SetTextColor(shape.m_brush.color);
    } else {
        const LOGBRUSH record{static_cast<UINT>(shape.m_brush.style), shape.m_brush.color,
                              static_cast<std::uintptr_t>(shape.m_brush.hatch)};
        brush.CreateBrushIndirect(&record);
        dc.SetBkMode(OPAQUE);
    }
    dc.FillRgn(&region, &brush);
    dc.SetBkMode(TRANSPARENT);
    dc.SetBkColor(previousBack);
    dc.SetTextColor(previousText);
}

bool BandHits(const DeviceRect& band, const std::vector<CPoint>& outline, bool closed) {
    for (const CPoint& p : outline)
        if (BandHolds(band, p))
            return true;
    const size_t edges = closed ? outline.size() : outline.size() - std::min<size_t>(outline.size(), 1);
    for (size_t i = 0; i < edges; ++i) {
        const CPoint& a = outline[i];
        const CPoint& b = outline[(i + 1) % outline.size()];
        if (SegmentIntersectsRect(a.x, a.y, b.x, b.y, band))
            return true;
    }
    return false;
}

bool BandHitsDevicePoints(const CTool& tool, const CPoint* points, int count, bool closed) {
    DeviceRect band = tool.m_rcRubberBand;
    band.Normalize();
    return count > 0 && BandHits(band, std::vector<CPoint>(points, points + count), closed);
}

void KeepScreenSamples(const CTool& tool, const std::vector<CPoint>& samples, std::span<CPoint> kept,
                       int& count) {
    if (tool.IsPrinting())
        return;
    std::copy(samples.begin(), samples.end(), kept.begin());
    count = static_cast<int>(samples.size());
}

CPaint* SampledHitTest(CPaint& shape, std::span<const CPoint> samples, bool closed,
                       const std::function<bool()>& cursorHits) {
    if (IsBandSet(shape.m_pTool->m_rcRubberBand))
        return shape.m_pTool->IsLayerVisible(shape.m_nLayer) &&
                       BandHitsDevicePoints(*shape.m_pTool, samples.data(), static_cast<int>(samples.size()),
                                            closed)
                   ? &shape
                   : nullptr;
    if (shape.CPaint::HitTest() == nullptr)
        return nullptr;
    return cursorHits() ? &shape : nullptr;
}

bool BandHitsShape(CPaint& shape, const std::vector<CDoublePoint>& local, bool closed) {
    DeviceRect band = shape.m_pTool->m_rcRubberBand;
    band.Normalize();
    std::vector<CPoint> device;
    const CPlacement placement(shape.m_pose, shape.m_parentPose);
    return OutlineToDevice(*shape.m_pTool, placement, local, device) && BandHits(band, device, closed);
}

bool CursorOnOutline(CPaint& shape, const std::vector<CDoublePoint>& local, bool closed) {
    const size_t count = local.size();
    const size_t edges = closed ? count : count - std::min<size_t>(count, 1);
    for (size_t i = 0; i < edges; ++i) {
        const CDoublePoint& a = local[i];
        const CDoublePoint& b = local[(i + 1) % count];
        if (shape.HitTestSegment(&shape.m_parentPose, a.x, a.y, b.x, b.y))
            return true;
    }
    return false;
}

bool HandleHolds(CDoublePoint handle, double t, CDoublePoint local) {
    const double values[] = {handle.x - t, handle.y - t, handle.x + t, handle.y + t, local.x, local.y};
    for (double value : values)
        if (!FitsDevice(value))
            return false;
    const int x = static_cast<int>(local.x), y = static_cast<int>(local.y);
    return x >= static_cast<int>(handle.x - t) && x < static_cast<int>(handle.x + t) &&
           y >= static_cast<int>(handle.y - t) && y < static_cast<int>(handle.y + t);
}

int HandleAtPoint(CPaint& shape, const CPose& frame, double x, double y, std::span<const int> order) {
    const CDoublePoint local = shape.WorldToLocalInFrame(frame, x, y);
    const double t = shape.m_pTool->GetHandleTolerance();
    for (int handle : order)
        if (HandleHolds(shape.HandlePoint(handle), t, local))
            return handle;
    return -1;
}

bool WindingHolds(const std::vector<CDoublePoint>& outline, CDoublePoint p) {
    int winding = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const CDoublePoint& a = outline[i];
        const CDoublePoint& b = outline[(i + 1) % outline.size()];
        const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
        if (a.y <= p.y && b.y > p.y && side > 0.0)
            ++winding;
        else if (a.y > p.y && b.y <= p.y && side < 0.0)
            --winding;
    }
    return winding != 0;
}

void DrawBoxHandles(CPaint& shape, const CPose& frame) {
    CTool& tool = *shape.m_pTool;
    CDC* dc = tool.GetTargetDC();
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    const CPlacement placement(shape.m_pose, frame);
    CPoint device;
    for (int corner = 1; corner <= 4; ++corner)
        if (ToDevice(tool, placement, shape.m_points[corner], device))
            shape.DrawHandle(device.x, device.y);
    shape.ShowAnchorPointAtZoom();
    if (ToDevice(tool, placement, shape.HandlePoint(0), device))
        shape.DrawCrossMarker(device.x, device.y);
    dc->SelectObject(previous);
}

bool NearestPointVector(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& local, double x,
                        double y, CDoublePoint& vector) {
    double best = 0.0;
    for (size_t i = 0; i < local.size(); ++i) {
        const CDoublePoint world = shape.LocalToWorldInFrame(frame, local[i].x, local[i].y);
        const double distance = VectorLength(world.x - x, world.y - y);
        if (i == 0 || distance < best) {
            best = distance;
            vector = {world.x - x, world.y - y};
        }
    }
    return !local.empty();
}

bool SmallestSnapCorrection(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& local,
                            CDoublePoint& correction) {
    double best = 0.0;
    for (size_t i = 0; i < local.size(); ++i) {
        const CDoublePoint world = shape.LocalToWorldInFrame(frame, local[i].x, local[i].y);
        const CDoublePoint offset = shape.SnapOffset(world.x, world.y);
        const double length = VectorLength(offset.x, offset.y);
        if (i == 0 || length < best) {
            best = length;
            correction = offset;
        }
    }
    return !local.empty();
}

void EndEdit(CPaint& shape, const CPose* pose, int handle) {
    if (shape.GetEditState() == 1) {
        shape.CPaint::FinishCreate(pose, handle);
        return;
    }
    shape.Invalidate();
    CTool* tool = shape.m_pTool;
    if (tool != nullptr && (tool->m_keyState[kCapsLockKey] & 1) != 0)
        tool->m_toolMode.Set(kToolSelector);
    shape.InvalidateBounds();
}

CString LengthText(CTool* tool, double length) {
    const int unit =
        tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->GetUnitIndex() : kDefaultUnitIndex;
    CString text;
    CLengthFormat(unit).FormatLength(text, length);
    return text;
}

CString PointText(CTool* tool, CDoublePoint world) {
    return "(" + LengthText(tool, world.x) + "," + LengthText(tool, -world.y) + ")";
}

double UnitSize(CTool* tool) {
    const int unit =
        tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->GetUnitIndex() : kDefaultUnitIndex;
    return SizeOfUnit(unit);
}

double Degrees(double angle) {
    if (angle < 0.0)
        angle += kFullTurn;
    return angle / kPi * 180.0;
}

void PlaceBoxCorner(CPointArray& points, int handle, CDoublePoint local) {
    points[handle] = local;
    const int sharesX = handle == 1 ? 2 : handle == 2 ? 1 : handle == 3 ? 4 : 3;
    const int sharesY = handle == 1 ? 4 : handle == 2 ? 3 : handle == 3 ? 2 : 1;
    points[sharesX].x = local.x;
    points[sharesY].y = local.y;
}

CDoublePoint MapBetweenBoxes(CDoublePoint p, const BoxFrame& from, const BoxFrame& to) {
    const double w = from.x2 - from.x1;
    const double h = from.y1 - from.y2;
    const double x = w == 0.0 ? to.x1 : to.x1 + (p.x - from.x1) * (to.x2 - to.x1) / w;
    const double y = h == 0.0 ? to.y2 : to.y2 + (p.y - from.y2) * (to.y1 - to.y2) / h;
    return {x, y};
}

BoxFrame BoundingFrame(const std::vector<CDoublePoint>& points) {
    BoxFrame frame;
    for (size_t i = 0; i < points.size(); ++i) {
        const CDoublePoint& p = points[i];
        frame.x1 = i == 0 ? p.x : std::min(frame.x1, p.x);
        frame.y1 = i == 0 ? p.y : std::max(frame.y1, p.y);
        frame.x2 = i == 0 ? p.x : std::max(frame.x2, p.x);
        frame.y2 = i == 0 ? p.y : std::min(frame.y2, p.y);
    }
    return frame;
}

std::vector<CDoublePoint> FrameCorners(const BoxFrame& box) {
    return {{box.x1, box.y1}, {box.x2, box.y1}, {box.x2, box.y2}, {box.x1, box.y2}};
}

void DrawControlBox(CPaint& shape, const CPose& frame, const BoxFrame& box) {
    std::vector<CPoint> corners;
    if (!OutlineToDevice(*shape.m_pTool, CPlacement(shape.m_pose, frame), FrameCorners(box), corners))
        return;
    CDC* dc = shape.m_pTool->GetTargetDC();
    CPen dotted(PS_DOT, 1, kControlColor);
    CPen* previous = dc->SelectObject(&dotted);
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    dc->MoveTo(corners.back());
    for (const CPoint& corner : corners) dc->LineTo(corner);
    dc->SetBkMode(previousMode);
    dc->SelectObject(previous);
}

void RefitFrames(BoxFrame& local, BoxFrame& reference, const BoxFrame& bounds) {
    const double w = local.x2 - local.x1, h = local.y1 - local.y2;
    const double rw = reference.x2 - reference.x1, rh = reference.y1 - reference.y2;
    const double sx = rw == 0.0 ? 0.0 : w / rw, sy = rh == 0.0 ? 0.0 : h / rh;
    local.x1 += (bounds.x1 - reference.x1) * sx;
    local.y2 += (bounds.y2 - reference.y2) * sy;
    local.x2 += (bounds.x2 - reference.x2) * sx;
    local.y1 += (bounds.y1 - reference.y1) * sy;
    reference = bounds;
}

void KeepRescalePoints(CPaint& shape, CDoublePoint moved, CDoublePoint anchor) {
    shape.m_fRescaleAX = moved.x;
    shape.m_fRescaleAY = moved.y;
    const CDoublePoint reference = shape.m_pose.LocalToWorld(CPose(), anchor.x, anchor.y);
    shape.m_fRescaleBX = reference.x;
    shape.m_fRescaleBY = reference.y;
}

const RescalePayload* RescaleOf(const CPaint& shape, CEditStep* step) {
    const RescalePayload* rescale = step->GetPayload<RescalePayload>();
    return rescale != nullptr && shape.m_bScaleWithDocument ? rescale : nullptr;
}

CDoublePoint RescaledFrom(const RescalePayload& rescale, CDoublePoint anchor) {
    const double f = rescale.factor;
    return {anchor.x + (rescale.ax - anchor.x) * f, anchor.y + (rescale.ay - anchor.y) * f};
}

void MoveOriginForRescale(CPaint& shape, const RescalePayload& rescale) {
    const double f = rescale.factor;
    shape.m_pose.x = rescale.saved.x + (f - 1.0) * rescale.bx;
    shape.m_pose.y = rescale.saved.y + (f - 1.0) * rescale.by;
}

void BeginRotationAbout(CPaint& shape, const CPose& frame, CDoublePoint pivot) {
    shape.SavePose();
    const CDoublePoint world = shape.LocalToWorldInFrame(frame, pivot.x, pivot.y);
    shape.m_pTool->BeginRotation(world.x, world.y);
}

void BeginRotationBetween(CPaint& shape, const CPose& frame, CDoublePoint a, CDoublePoint b) {
    BeginRotationAbout(shape, frame, {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0});
}

}  // namespace shape
