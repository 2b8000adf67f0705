#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WinDefs.h"
#include "terrain/CMount.h"
#include "terrain/OutlineGeometry.h"

// The terrain on the plan: its knots as dots, the Ctrl knot handles and the knot-height drag.

namespace {

// A screen point lies near a grid position within this many device units on both axes.
constexpr double kNearKnot = 15.0;
constexpr int kCtrlKey = 17;
// A terrain narrower than this in both directions is refused.
constexpr double kSmallestWidth = 60.0;

double Remainder(double distance, double step) {
    return std::fmod(std::fabs(distance), step);
}

bool NearGridLine(double distance, double step) {
    const double r = Remainder(distance, step);
    return r < kNearKnot || step - r < kNearKnot;
}

}  // namespace

bool CMount::IsCtrlHeld() const {
    return m_pTool != nullptr &&
           ((m_pTool->m_nMouseFlags & MK_CONTROL) != 0 || (m_pTool->m_keyState[kCtrlKey] & 0x80) != 0);
}

double CMount::ScreenGridStep() const {
    const double zoom = m_pTool != nullptr ? m_pTool->ZoomRatio() : 0.0;
    return std::max(m_fGridSpacing * zoom, 0.1 * m_fGridSpacing);
}

// ---- Drawing ----

int CMount::Draw(const CPose* parent) {
    if (m_pTool == nullptr || m_pTool->GetTargetDC() == nullptr || !CPaint::Draw(parent))
        return 0;
    CDC& dc = *m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> path;
    if (IsDrawable() && OutlineOnDevice(frame, path))
        shape::FillOutline(*this, dc, path);
    if (ShowsGridDots())
        DrawGridDots(dc, frame);
    return CBenchwork::Draw(parent);
}

// The dialog's working copy has no grid of its own but shows the dots as a selected terrain.
bool CMount::ShowsGridDots() {
    if (m_bInPropertiesDialog)
        return true;
    const bool creating = m_pTool->m_nMultiPoint != 0 && IsSelected();
    return (IsSelected() || m_bShowGrid || m_pTool->IsPrinting()) && !creating && m_nOutlineCount >= 0;
}

bool CMount::DotInOutline(CDoublePoint local) {
    if (m_bInPropertiesDialog)
        return outline::WindingAngleHolds(m_previewOutline, local);
    return PtInOutline(local.x, local.y) != FALSE;
}

void CMount::DrawGridDots(CDC& dc, const CPose& frame) {
    const double step = m_pTool->IsPrinting() ? 0.1 * m_fGridSpacing : ScreenGridStep();
    if (!(step >= 1.0))
        return;
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (int i = 1; i <= 4 && i < PointCount(); ++i) {
        const CDoublePoint world = LocalToWorldInFrame(frame, m_points[i].x, m_points[i].y);
        const CPoint device = m_pTool->LayoutToDevice(world.x, world.y, 1);
        left = std::min(left, static_cast<int>(device.x));
        right = std::max(right, static_cast<int>(device.x));
        top = std::min(top, static_cast<int>(device.y));
        bottom = std::max(bottom, static_cast<int>(device.y));
    }
    RECT visible;
    dc.GetClipBox(&visible);
    left = std::max(left, static_cast<int>(visible.left));
    right = std::min(right, static_cast<int>(visible.right));
    top = std::max(top, static_cast<int>(visible.top));
    bottom = std::min(bottom, static_cast<int>(visible.bottom));
    const CPoint zero = DotsOrigin(frame);
    const auto firstFrom = [step](int edge, int start) {
        return start + std::ceil((edge - start) / step) * step;
    };
    for (double y = firstFrom(top, zero.y); y <= bottom; y += step)
        for (double x = firstFrom(left, zero.x); x <= right; x += step) {
            const CDoublePoint world = DeviceToPlan(x, y);
            const CDoublePoint local = WorldToLocalInFrame(frame, world.x, world.y);
            if (DotInOutline(local))
                dc.SetPixelV(static_cast<int>(x), static_cast<int>(y), m_crGrid);
        }
}

// On the screen the dots lie on the knots, whose steps count from the terrain's own origin. Printed
// dots come every tenth of a step, which misses the knots anyway, so they keep the page's steps.
CPoint CMount::DotsOrigin(const CPose& frame) const {
    if (m_pTool->IsPrinting())
        return CPoint(0, 0);
    const CDoublePoint origin = LocalToWorldInFrame(frame, 0.0, 0.0);
    return m_pTool->LayoutToDevice(origin.x, origin.y, 0);
}

CDoublePoint CMount::DeviceToPlan(double x, double y) const {
    if (!m_pTool->IsPrinting() || m_pTool->m_pHost == nullptr)
        return m_pTool->DeviceToLayout(x, y);
    // The inverse of the engine's printer mapping.
    const double scale = m_pTool->m_pHost->GetPrintScale();
    return {(x + m_pTool->m_fPrintOffsetX) * scale, (y - m_pTool->m_fPrintOffsetY) * scale};
}

// ---- Hit tests ----

BOOL CMount::IsNearKnot(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr)
        return FALSE;
    const double step = ScreenGridStep();
    const CPoint device = m_pTool->LayoutToDevice(x, y, 0);
    const CDoublePoint origin = LocalToWorldInFrame(FrameOf(pose), 0.0, 0.0);
    const CPoint zero = m_pTool->LayoutToDevice(origin.x, origin.y, 0);
    return NearGridLine(device.x - zero.x, step) && NearGridLine(device.y - zero.y, step) ? TRUE : FALSE;
}

CPaint* CMount::HitTest() {
    if (m_nOutlineCount < 0 || m_pTool == nullptr)
        return nullptr;
    if (CPaint* hit = CBenchwork::HitTest())
        return hit;
    if (!IsCtrlHeld() || !IsSelected())
        return nullptr;
    const CDoublePoint local = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    return PtInOutline(local.x, local.y) && IsNearKnot(nullptr, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY)
               ? this
               : nullptr;
}

int CMount::HitTestKnot(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || m_grid.GetSize() == 0)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    if (!PtInOutline(local.x, local.y) || !IsNearKnot(pose, x, y))
        return -1;
    const double step = ScreenGridStep();
    auto snap = [this, step](double value) {
        const double grid = value / m_fGridSpacing;
        const double below = std::floor(grid);
        return (grid - below) * step >= kNearKnot ? below + 1.0 : below;
    };
    const CDoublePoint snapped{snap(local.x), snap(local.y)};
    int nearest = -1;
    double nearestDistance = 0.0;
    for (int k = 0; k < m_grid.GetSize(); ++k) {
        const double d = std::hypot(m_grid[k].x - snapped.x, m_grid[k].y - snapped.y);
        if (d < 0.4)
            return KnotHandle(k);
        if (nearest < 0 || d < nearestDistance) {
            nearest = k;
            nearestDistance = d;
        }
    }
    return KnotHandle(nearest);
}

int CMount::HitTestHandle(const CPose* pose, double x, double y) {
    const int handle = CPolygon::HitTestHandle(pose, x, y);
    if (handle >= 0 || !IsCtrlHeld())
        return handle;
    return HitTestKnot(pose, x, y);
}

// ---- Knot-height drag ----

void CMount::TrackCreate(const CPose* pose, int handle) {
    const int knot = handle - PointCount();
    if (m_pTool == nullptr || knot < 0 || knot >= m_grid.GetSize() || !IsCtrlHeld())
        return CBenchwork::TrackCreate(pose, handle);
    m_fRescaleAX = m_grid[knot].z;
    m_fDragHeight = m_fRescaleAX;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    SetEditState(3);
    m_pTool->m_strStatusText = "h=" + shape::LengthText(m_pTool, m_fDragHeight);
    m_pTool->m_hint.m_strText = m_pTool->m_strStatusText;
}

void CMount::DragHandle(const CPose* pose, int handle) {
    if (m_pTool != nullptr && handle >= PointCount() && m_pTool->m_toolMode == kToolDragHandle)
        return DragKnotHeight(FrameOf(pose), handle);
    CBenchwork::DragHandle(pose, handle);
}

void CMount::DragKnotHeight(const CPose& frame, int handle) {
    const int knot = handle - PointCount();
    if (knot < 0 || knot >= m_grid.GetSize() || !m_bScaleWithDocument || m_outline.empty())
        return;
    const CDoublePoint p = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const CDoublePoint k{m_grid[knot].x * m_fGridSpacing, m_grid[knot].y * m_fGridSpacing};
    const CDoublePoint r = m_outline.front();
    const double length = std::hypot(k.x - r.x, k.y - r.y);
    if (std::hypot(p.x - k.x, p.y - k.y) > m_pTool->GetHandleTolerance() / 3.0 && length > 0.0) {
        const double ux = (k.x - r.x) / length, uy = (k.y - r.y) / length;
        const double along = (p.x - k.x) * ux + (p.y - k.y) * uy;
        m_fDragHeight = m_fRescaleAX + along;
        ShowRubberLine(frame, k, {k.x + along * ux, k.y + along * uy});
    }
    m_pTool->m_strStatusText = "h=" + shape::LengthText(m_pTool, m_fDragHeight);
    m_pTool->m_hint.m_strText = m_pTool->m_strStatusText;
    Invalidate();
}

void CMount::ShowRubberLine(const CPose& frame, CDoublePoint from, CDoublePoint to) {
    InvalidateRubberLine();
    const CDoublePoint a = LocalToWorldInFrame(frame, from.x, from.y);
    const CDoublePoint b = LocalToWorldInFrame(frame, to.x, to.y);
    const CPoint start = m_pTool->LayoutToDevice(a.x, a.y, 0);
    const CPoint end = m_pTool->LayoutToDevice(b.x, b.y, 0);
    m_pTool->m_rcConnectLine = DeviceRect{start.x, start.y, end.x, end.y};
    InvalidateRubberLine();
}

void CMount::InvalidateRubberLine() {
    DeviceRect area = m_pTool->m_rcConnectLine;
    area.Normalize();
    area.Inflate(static_cast<int>(m_pTool->m_fHandleSize) + 1);
    m_pTool->InvalidateRect(area);
}

int CMount::FinishKnotDrag(const CPose* pose, int handle) {
    SetEditState(-1);
    if (m_pTool != nullptr) {
        InvalidateRubberLine();
        m_pTool->m_rcConnectLine.SetEmpty();
    }
    if (const KnotEditor& editor = InstalledKnotEditor())
        editor(*this, handle - PointCount(), m_fDragHeight, pose);
    return 1;
}

// ---- End of an edit ----

int CMount::FinishCreate(const CPose* pose, int handle) {
    if (GetEditState() == 3 && handle >= PointCount())
        return FinishKnotDrag(pose, handle);
    const bool creating = m_pTool != nullptr && m_pTool->m_nMultiPoint != 0;
    const int vertex = handle - kFirstDrawnPoint;
    const bool vertexHandle = vertex >= 0 && handle < PointCount();
    CPolygon::FinishCreate(pose, handle);
    if (TooFewForNewOutline(creating))
        return 0;
    if (HasSelfCrossing()) {
        ReportSelfCrossing();
        if (creating || m_pTool == nullptr)
            return 0;
        m_bDeferGrid = 1;
        m_pTool->TakeBackGesture();
        m_bDeferGrid = 0;
        return 1;
    }
    if (m_pTool != nullptr)
        m_pTool->m_nDraggedHandle = -1;
    const std::vector<CDoublePoint> now = OutlineVertices();
    const bool moved =
        vertexHandle && static_cast<size_t>(vertex) < now.size() &&
        static_cast<size_t>(vertex) < m_outline.size() &&
        std::hypot(now[vertex].x - m_outline[vertex].x, now[vertex].y - m_outline[vertex].y) > 2.0;
    if (creating || moved || m_nOutlineCount < 0 ||
        static_cast<int>(m_outline.size()) != static_cast<int>(now.size()))
        RebuildGrid();
    const bool valid = !IsInvalid(0) && (std::fabs(m_fCornerX2 - m_fCornerX1) >= kSmallestWidth ||
                                         std::fabs(m_fCornerY1 - m_fCornerY2) >= kSmallestWidth);
    if (creating && now.size() >= 3 && valid && m_pTool->m_pHost != nullptr) {
        m_pTool->m_pHost->SetModalDialogFlag(TRUE);
        EditProperties(pose);
        m_pTool->m_pHost->SetModalDialogFlag(FALSE);
    }
    m_bRebuild3D = 1;
    Update3D(pose);
    return valid ? 1 : 0;
}
