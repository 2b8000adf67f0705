#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "track/CPieceMapping.h"
#include "track/CTrack.h"
#include "track/TrackAngles.h"
#include "track/TrackPlanInput.h"

// The straight piece in the plan: drawing, hit tests and the mouse.

namespace {

void Line(CDC& dc, CPoint a, CPoint b) {
    dc.MoveTo(a);
    dc.LineTo(b);
}

}  // namespace

int CTrack::Draw(const CPose* parent) {
    if (GetEditState() == 4 || !CPaint::Draw(parent))
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    const CPlacement placement(m_pose, FrameOf(parent));
    CPen railPen;
    const int previousMode = BeginPlanDrawing(*dc, railPen);
    CPen* previousPen = dc->SelectObject(&railPen);
    CPen handlePen(PS_SOLID, 1, RGB(0, 0, 0));
    const double theta = Direction();
    const double c = std::cos(theta), s = std::sin(theta);
    const CPieceMapping device(*m_pTool, placement, *dc);
    if (m_bShowAxis) {
        CPen axisPen(PS_DOT, 1, kAxisColor);
        dc->SelectObject(&axisPen);
        const COLORREF previousBack = dc->SetBkColor(GetSysColor(COLOR_WINDOW));
        Line(*dc, device(m_ptFirst), device(m_ptSecond));
        dc->SetBkColor(previousBack);
        dc->SelectObject(&railPen);
    }
    if (DrawsCentreLine())
        Line(*dc, device(m_ptFirst), device(m_ptSecond));
    if (DrawsRails()) {
        Line(*dc, device(m_points[5]), device(m_points[8]));
        Line(*dc, device(m_points[6]), device(m_points[7]));
    }
    const double bar = m_fTrackSeparation / 2.0;
    const CDoublePoint far{m_ptFirst.x + m_fLength * c, m_ptFirst.y + m_fLength * s};
    Line(*dc, device({m_ptFirst.x + bar * s, m_ptFirst.y - bar * c}),
         device({m_ptFirst.x - bar * s, m_ptFirst.y + bar * c}));
    Line(*dc, device({far.x + bar * s, far.y - bar * c}), device({far.x - bar * s, far.y + bar * c}));
    if (m_bShowTies)
        DrawTies(*dc, device, c, s);
    DrawJointMarkers(*dc, m_ptFirst, m_ptSecond, placement);
    dc->SelectObject(&handlePen);
    if (m_pTool->m_track.endLabels)
        DrawEndLabels(device(m_ptFirst), device(m_ptSecond), 3);
    if (ShowsSelectionMarkers())
        DrawSelectionMarkers(device, c, s);
    dc->SelectObject(previousPen);
    dc->SetBkMode(previousMode);
    return 1;
}

void CTrack::DrawTies(CDC& dc, const CPieceMapping& device, double c, double s) {
    const double spacing = m_fTieSpacing;
    // Only a positive spacing steps along the track; a spacing so small that the count runs
    // away draws no ties at all.
    if (!(spacing > 0.0) || !(m_fLength / spacing <= kMaxTies))
        return;
    const int count = static_cast<int>(m_fLength / spacing);
    CPen tiePen;
    CreateTrackPen(dc, tiePen, m_nTieLineWidth, m_crTie);
    CPen* previous = dc.SelectObject(&tiePen);
    const double half = m_fTieLength / 2.0;
    // From afar ties fall on the logical points, or at least the pixels, of the one before; drawn
    // again over itself, a tie looks as once only where the pen covers what lies beneath.
    const bool skipRepeats = dc.FastPathsEnabled() && dc.GetROP2() == R2_COPYPEN;
    TieEnds last{}, lastPixels{};
    for (int i = 1; i <= count; ++i) {
        const CDoublePoint at{m_ptFirst.x + i * spacing * c, m_ptFirst.y + i * spacing * s};
        const TieEnds tie{device({at.x + half * s, at.y - half * c}),
                          device({at.x - half * s, at.y + half * c})};
        if (!skipRepeats) {
            Line(dc, tie[0], tie[1]);
            continue;
        }
        if (i > 1 && tie == last)
            continue;
        last = tie;
        const TieEnds pixels{device.Pixel(tie[0]), device.Pixel(tie[1])};
        if (i > 1 && pixels == lastPixels)
            continue;
        dc.LineBetween(tie[0], tie[1], pixels[0], pixels[1]);
        lastPixels = pixels;
    }
    dc.SelectObject(previous);
}

void CTrack::DrawSelectionMarkers(const CPieceMapping& device, double c, double s) {
    const CPoint first = device(m_ptFirst);
    const CPoint second = device(m_ptSecond);
    DrawCircleMarker(first.x, first.y);
    DrawCircleMarker(second.x, second.y);
    const double h = HandleTolerance();
    const double a = -2.0 * h;
    const double b = -LargestWidth() / 2.0 - 2.0 * h;
    ShowRotationHandleAt({m_ptFirst.x + a * c - b * s, m_ptFirst.y + a * s + b * c});
    const CPoint handle = device(HandlePoint(0));
    DrawCrossMarker(handle.x, handle.y);
}

CPaint* CTrack::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return nullptr;
    if (!IsEmptyBand(m_pTool->m_rcRubberBand))
        return HitTestBand();
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const CPose* frame = &m_parentPose;
    auto segment = [this, frame](const CDoublePoint& a, const CDoublePoint& b) {
        return HitTestSegment(frame, a.x, a.y, b.x, b.y) != 0;
    };
    const bool onAxis = DrawsCentreLine() && segment(m_ptFirst, m_ptSecond);
    const bool onRails =
        DrawsRails() && (segment(m_points[5], m_points[8]) || segment(m_points[6], m_points[7]));
    return onAxis || onRails ? this : nullptr;
}

CPaint* CTrack::HitTestBand() {
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    DeviceRect band = m_pTool->m_rcRubberBand;
    band.Normalize();
    auto onPlan = [this](const CDoublePoint& p) { return BandPoint(*m_pTool, LocalToWorld(p.x, p.y)); };
    if (DrawsCentreLine() && BandMeetsSegment(band, onPlan(m_ptFirst), onPlan(m_ptSecond)))
        return this;
    if (DrawsRails()) {
        const CPoint corners[4] = {onPlan(m_points[5]), onPlan(m_points[6]), onPlan(m_points[7]),
                                   onPlan(m_points[8])};
        for (int i = 0; i < 4; ++i)
            if (BandMeetsSegment(band, corners[i], corners[(i + 1) % 4]))
                return this;
    }
    return nullptr;
}

int CTrack::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || m_points.GetSize() < kPointCount)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const int px = static_cast<int>(local.x), py = static_cast<int>(local.y);
    auto holds = [this, px, py](const CDoublePoint& p) { return HoldsHandle(p, px, py); };
    if (holds(m_ptFirst))
        return 1;
    if (holds(m_ptSecond))
        return 2;
    return holds(HandlePoint(0)) ? 0 : -1;
}

// ---- The mouse ----

void CTrack::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || m_pTool->m_toolMode == kToolStraightTrack)
        return;
    const CPose& frame = FrameOf(pose);
    if (handle == -1) {
        shape::KeepRescalePoints(*this, m_ptSecond, m_ptFirst);
        SavePose();
    } else if (handle == 0) {
        shape::BeginRotationBetween(*this, frame, m_ptFirst, m_ptSecond);
    } else if (handle == 1 || handle == 2) {
        PressEnd(pose, handle);
    }
    Invalidate();
}

void CTrack::PressEnd(const CPose* pose, int handle) {
    const CDoublePoint end = EndWorldPoint(pose, handle - 1);
    ChangeGeometry(end.x, end.y, handle, 0, 1, 1);
    if (!m_pTool->ControlHeld())
        return;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    ChangeEndElevation(handle == 1 ? 1 : 0, handle == 1 ? m_fBeginElevation : m_fEndElevation, 1, 1);
    m_fSavedBeginElevation = m_fBeginElevation;
    m_fSavedEndElevation = m_fEndElevation;
    SetEditState(3);
}

void CTrack::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !m_bScaleWithDocument)
        return;
    const int mode = m_pTool->m_toolMode;
    if (mode == kToolSelector || mode == kToolStraightTrack) {
        DragEnd(pose, handle);
    } else if (mode == kToolDragHandle && (handle == 1 || handle == 2)) {
        Invalidate();
        const CDoublePoint cursor =
            WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
        const CDoublePoint& dragged = handle == 1 ? m_ptFirst : m_ptSecond;
        const CDoublePoint& other = handle == 1 ? m_ptSecond : m_ptFirst;
        FormatGradeLabel(pose, cursor.x, cursor.y, dragged.x, dragged.y, other.x, other.y,
                         handle == 1 ? 1 : 0);
    }
}

void CTrack::DragEnd(const CPose* pose, int handle) {
    const CDoublePoint& fixedLocal = handle == 2 ? m_ptFirst : m_ptSecond;
    const CDoublePoint fixed = LocalToWorldInFrame(FrameOf(pose), fixedLocal.x, fixedLocal.y);
    double px = m_pTool->m_fCurrentX, py = m_pTool->m_fCurrentY;
    const TrackConnectionState& state = m_pTool->m_track;
    const bool movesAnEnd = handle == 1 || handle == 2;
    if (movesAnEnd && m_pTool->m_bStartedAtTrackEnd) {
        // Started on a track end: the piece goes on along that track, forward or back. Handle
        // -1 only rebuilds the outline, so the press's match is not this piece's.
        const double a = ReduceAngle(TrackDirection(px - fixed.x, py - fixed.y));
        const double b = ReduceAngle(state.pressDirection - kPi);
        const double r = VectorLength(px - fixed.x, py - fixed.y);
        m_fBeginElevation = state.pressElevation;
        m_fEndElevation = state.pressElevation;
        const double between = std::fabs(a - b);
        const double sign = between > kPi / 2.0 && between < 1.5 * kPi ? -1.0 : 1.0;
        px = fixed.x + sign * r * std::cos(b);
        py = fixed.y + sign * r * std::sin(b);
    } else if (m_pTool->ShiftHeld() && movesAnEnd) {
        ConstrainAngle(px, py, fixed.x, fixed.y);
    }
    ChangeGeometry(px, py, handle, 0, 0, 0);
}
