#include <algorithm>
#include <cmath>

#include "model/CTool.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "track/CSplineTrack.h"
#include "track/TrackAngles.h"
#include "track/TrackPlanInput.h"

// The spline piece in the plan: drawing, hit tests and the mouse.

namespace {

// How far, in pixels, a drawn chord may stray from the curve.
constexpr double kChordError = 0.25;

void StorePoint(BezierSamples& samples, int i, double x, double y) {
    samples.points[i][0] = ToSampleCoordinate(x);
    samples.points[i][1] = ToSampleCoordinate(y);
}

// One kept step of a segment's samples: its direction and the offset of the rails.
struct Step {
    double length;
    double ux, uy;
};

Step StepBetween(const CDoublePoint& a, const CDoublePoint& b) {
    const double length = VectorLength(b.x - a.x, b.y - a.y);
    if (length == 0.0)
        return {0.0, 1.0, 0.0};
    return {length, (b.x - a.x) / length, (b.y - a.y) / length};
}

// Every how many samples a segment's solid centre line is drawn through, so that its chords stay
// within a quarter of a pixel of the curve: the polyline through n even steps of a cubic strays
// from it at most 3/4 M / n^2, M the largest second difference of its control points. 1 where
// the target draws every detail (pixels 0).
int CentreStride(const CDoublePoint (&controls)[4], double pixels) {
    if (!(pixels > 0.0))
        return 1;
    double bend = 0.0;
    for (int k = 0; k + 2 < 4; ++k)
        bend = std::max(bend, VectorLength(controls[k].x - 2.0 * controls[k + 1].x + controls[k + 2].x,
                                           controls[k].y - 2.0 * controls[k + 1].y + controls[k + 2].y));
    const double steps = std::ceil(std::sqrt(0.75 * bend * pixels / kChordError));
    if (!std::isfinite(steps))
        return 1;
    return std::max(1, static_cast<int>(kBezierSteps / std::max(steps, 1.0)));
}

// The samples 0, stride, 2 stride, ... and the last; returns their count.
int EveryNthSample(const POINT (&samples)[kBezierSamples], int stride, POINT (&kept)[kBezierSamples]) {
    int count = 0;
    for (int i = 0; i < kBezierSteps; i += stride) kept[count++] = samples[i];
    kept[count++] = samples[kBezierSteps];
    return count;
}

}  // namespace

bool CSplineTrack::IsCreating() const {
    return m_pTool != nullptr && m_pTool->m_nMultiPoint != 0 && m_pTool->m_toolMode == kToolSplineTrack;
}

CPoint CSplineTrack::DevicePoint(const CPose& frame, const CDoublePoint& control) const {
    const CDoublePoint world = WorldPoint(frame, control);
    return m_pTool->LayoutToDevice(world.x, world.y, 1);
}

int CSplineTrack::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || m_points.GetSize() < kFirstKnot)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    if (!m_pTool->IsPrinting())
        DrawControlPolygon(parent);
    CPen railPen, tiePen;
    const int previousMode = BeginPlanDrawing(*dc, railPen);
    CreateTrackPen(*dc, tiePen, m_nTieLineWidth, m_crTie);
    CPen axisPen(PS_DOT, 1, kAxisColor);
    CPen* previousPen = dc->SelectObject(&railPen);
    if (SegmentCount() > 0) {
        DrawSegments(*dc, frame, railPen, tiePen, axisPen);
        if (!(GetEditState() != -1 && IsCreating()))
            DrawEndBars(*dc, frame);
        const CPlacement placement(m_pose, frame);
        DrawJointMarkers(*dc, m_ptBegin, m_ptEnd, placement);
        const bool dragging =
            m_pTool->m_bButtonDown && m_pTool->m_bMoved && m_pTool->m_toolMode != kToolSetTrackElevations;
        if (IsSelected() && !m_pTool->IsPrinting() && !IsCreating() && !dragging)
            DrawHandles(*dc, frame, axisPen);
        if (m_pTool->m_track.endLabels)
            DrawEndLabels(ToDevice(placement, m_ptBegin), ToDevice(placement, m_ptEnd), 3);
    }
    dc->SelectObject(previousPen);
    dc->SetBkMode(previousMode);
    return 1;
}

void CSplineTrack::DrawSegments(CDC& dc, const CPose& frame, CPen& railPen, CPen& tiePen, CPen& axisPen) {
    const double h = HandleTolerance();
    const double half = m_fGauge / 2.0;
    const double halfTie = m_fTieLength / 2.0;
    const bool ties = m_bShowTies && m_fTieSpacing > 0.0;
    const bool creating = IsCreating();
    double carried = 0.0;
    int tieCount = 0;
    CDoublePoint lastRailA, lastRailB;
    for (int knot = kFirstKnot; knot + 3 <= LastIndex(); knot += 3) {
        SampleSegment(frame, knot, 0);
        dc.SelectObject(&tiePen);
        int kept = 0;
        CDoublePoint previous = SamplePoint(m_centreSamples, 0);
        for (int i = 1; i <= kBezierSteps; ++i) {
            const CDoublePoint sample = SamplePoint(m_centreSamples, i);
            const Step step = StepBetween(previous, sample);
            const bool keep = step.length >= h || (!creating && (i == 1 || i == kBezierSteps));
            if (!keep)
                continue;
            const double ox = half * step.uy, oy = -half * step.ux;
            if (kept == 0) {
                // The rails run on from the previous segment, or start beside its first sample.
                if (knot == kFirstKnot) {
                    lastRailA = {previous.x - ox, previous.y - oy};
                    lastRailB = {previous.x + ox, previous.y + oy};
                }
                StorePoint(m_railA, 0, lastRailA.x, lastRailA.y);
                StorePoint(m_railB, 0, lastRailB.x, lastRailB.y);
                kept = 1;
            }
            StorePoint(m_railA, kept, sample.x - ox, sample.y - oy);
            StorePoint(m_railB, kept, sample.x + ox, sample.y + oy);
            lastRailA = SamplePoint(m_railA, kept);
            lastRailB = SamplePoint(m_railB, kept);
            ++kept;
            if (ties && tieCount < kMaxTies) {
                if (carried + step.length < m_fTieSpacing) {
                    carried += step.length;
                } else {
                    double d = m_fTieSpacing - carried;
                    for (; d < step.length && tieCount < kMaxTies; d += m_fTieSpacing, ++tieCount) {
                        const double x = previous.x + d * step.ux, y = previous.y + d * step.uy;
                        dc.MoveTo(m_pTool->LayoutToDevice(x + halfTie * step.uy, y - halfTie * step.ux, 1));
                        dc.LineTo(m_pTool->LayoutToDevice(x - halfTie * step.uy, y + halfTie * step.ux, 1));
                    }
                    carried = m_fTieSpacing - (d - step.length);
                }
            }
            previous = sample;
        }
        POINT centre[kBezierSamples], railA[kBezierSamples], railB[kBezierSamples];
        for (int i = 0; i < kBezierSamples; ++i)
            centre[i] = {m_centreSamples.points[i][0], m_centreSamples.points[i][1]};
        for (int i = 0; i < kept; ++i) {
            railA[i] = {m_railA.points[i][0], m_railA.points[i][1]};
            railB[i] = {m_railB.points[i][0], m_railB.points[i][1]};
        }
        m_pTool->LayoutToDevicePoints(centre, kBezierSamples);
        m_pTool->LayoutToDevicePoints(railA, kept);
        m_pTool->LayoutToDevicePoints(railB, kept);
        dc.SelectObject(&railPen);
        if (DrawsCentreLine()) {
            const CDoublePoint controls[4] = {
                WorldPoint(frame, m_points[knot]), WorldPoint(frame, m_points[knot + 1]),
                WorldPoint(frame, m_points[knot + 2]), WorldPoint(frame, m_points[knot + 3])};
            POINT corners[kBezierSamples];
            dc.Polyline(corners,
                        EveryNthSample(centre, CentreStride(controls, PixelsPerLayoutUnit(dc)), corners));
        }
        if (DrawsRails() && kept >= 2) {
            dc.Polyline(railA, kept);
            dc.Polyline(railB, kept);
        }
        if (m_bShowAxis) {
            dc.SelectObject(&axisPen);
            dc.Polyline(centre, kBezierSamples);
        }
    }
}

void CSplineTrack::DrawEndBars(CDC& dc, const CPose& frame) {
    const double half = m_fTrackSeparation / 2.0;
    for (int end : {kFirstKnot, LastIndex()}) {
        const int next = end == kFirstKnot ? kFirstKnot + 1 : LastIndex() - 1;
        const CDoublePoint at = WorldPoint(frame, m_points[end]);
        const Step step = StepBetween(WorldPoint(frame, m_points[next]), at);
        dc.MoveTo(m_pTool->LayoutToDevice(at.x + half * step.uy, at.y - half * step.ux, 1));
        dc.LineTo(m_pTool->LayoutToDevice(at.x - half * step.uy, at.y + half * step.ux, 1));
    }
}

void CSplineTrack::DrawHandles(CDC& dc, const CPose& frame, CPen& axisPen) {
    const int previousMode = dc.SetBkMode(OPAQUE);
    const COLORREF previousBack = dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    dc.SelectObject(&axisPen);
    for (int knot = kFirstKnot; knot <= LastIndex(); knot += 3)
        for (int handle : {knot - 1, knot + 1})
            if (handle > kFirstKnot && handle < LastIndex()) {
                dc.MoveTo(DevicePoint(frame, m_points[knot]));
                dc.LineTo(DevicePoint(frame, m_points[handle]));
            }
    dc.SetBkColor(previousBack);
    dc.SetBkMode(previousMode);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&black);
    PlaceFrameCorners();
    ShowAnchorPointAtZoom();
    const CPlacement placement(m_pose, frame);
    for (int i = 1; i <= 4; ++i) {
        const CPoint corner = ToDevice(placement, m_points[i]);
        DrawHandle(corner.x, corner.y);
    }
    for (int i = kFirstKnot; i <= LastIndex(); ++i) {
        const CPoint p = DevicePoint(frame, m_points[i]);
        if (IsKnot(i))
            DrawHollowHandle(p.x, p.y);
        else
            DrawCircleMarker(p.x, p.y);
    }
    const CPoint anchor = ToDevice(placement, HandlePoint(0));
    DrawCrossMarker(anchor.x, anchor.y);
}

void CSplineTrack::DrawControlPolygon(const CPose* parent) {
    if (m_pTool == nullptr || !IsSelected() || SegmentCount() == 0)
        return;
    const int mode = m_pTool->m_toolMode;
    if (mode == kToolZoomIn || mode == kToolZoomOut || mode == kToolSetTrackElevations)
        return;
    if (!(m_pTool->m_bButtonDown && m_pTool->m_bMoved) && !IsCreating())
        return;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    ControlBox(minX, minY, maxX, maxY);
    const CDoublePoint a = MapControlPoint({minX, minY}), b = MapControlPoint({maxX, maxY});
    const double m = LargestWidth() / 2.0;
    const double left = std::min(a.x, b.x) - m, right = std::max(a.x, b.x) + m;
    const double bottom = std::min(a.y, b.y) - m, top = std::max(a.y, b.y) + m;
    const CPlacement placement(m_pose, FrameOf(parent));
    const CPoint corners[5] = {ToDevice(placement, {left, top}), ToDevice(placement, {right, top}),
                               ToDevice(placement, {right, bottom}), ToDevice(placement, {left, bottom}),
                               ToDevice(placement, {left, top})};
    dc->Polyline(corners, 5);
}

// ---- Hit tests ----

bool CSplineTrack::CursorOnSegment(const CDoublePoint& a, const CDoublePoint& b) const {
    if (a.x == b.x && a.y == b.y)
        return false;
    const CDoublePoint p{m_pTool->m_fCurrentX, m_pTool->m_fCurrentY};
    double distance = 0.0;
    if (a.x == b.x) {
        distance = std::fabs(p.x - a.x);
    } else if (a.y == b.y) {
        distance = std::fabs(p.y - a.y);
    } else {
        const double dx = b.x - a.x, dy = b.y - a.y;
        distance = std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / VectorLength(dx, dy);
    }
    const double length = VectorLength(b.x - a.x, b.y - a.y);
    return distance <= HandleTolerance() && VectorLength(p.x - a.x, p.y - a.y) <= length &&
           VectorLength(p.x - b.x, p.y - b.y) <= length;
}

CPaint* CSplineTrack::HitTest() {
    m_nHitStep = 0;
    if (m_pTool == nullptr || m_points.GetSize() < kFirstKnot + 2 || SegmentCount() == 0 ||
        CPaint::HitTest() == nullptr)
        return nullptr;
    DeviceRect band = m_pTool->m_rcRubberBand;
    const bool banded = !IsEmptyBand(band);
    band.Normalize();
    const double h = HandleTolerance();
    const double half = m_fGauge / 2.0;
    const bool centre = DrawsCentreLine();
    const bool rails = DrawsRails();
    auto meets = [&](const CDoublePoint& a, const CDoublePoint& b) {
        return banded ? BandMeetsSegment(band, BandPoint(*m_pTool, a), BandPoint(*m_pTool, b))
                      : CursorOnSegment(a, b);
    };
    for (int knot = kFirstKnot, segment = 0; knot + 3 <= LastIndex(); knot += 3, ++segment) {
        m_nHitSegment = knot;
        SampleSegment(m_parentPose, knot, 0);
        int from = 0;
        for (int i = 1; i <= kBezierSteps; ++i) {
            const CDoublePoint a = SamplePoint(m_centreSamples, from), b = SamplePoint(m_centreSamples, i);
            const Step step = StepBetween(a, b);
            if (step.length < h)
                continue;
            const double ox = half * step.uy, oy = -half * step.ux;
            // Sample steps, not kept steps, so that the count does not depend on the zoom.
            m_nHitStep = segment * kBezierSteps + i;
            m_nHitSpan = i - from;
            m_ptHitA = a;
            m_ptHitB = b;
            from = i;
            if (centre && meets(a, b))
                return this;
            if (rails && (meets({a.x - ox, a.y - oy}, {b.x - ox, b.y - oy}) ||
                          meets({a.x + ox, a.y + oy}, {b.x + ox, b.y + oy})))
                return this;
        }
    }
    return nullptr;
}

int CSplineTrack::FindHandle(int px, int py) const {
    const bool flat = m_fCornerX1 == m_fCornerX2 || m_fCornerY1 == m_fCornerY2;
    auto frameHandle = [&]() {
        for (int i : {1, 2, 3, 4, 0})
            if (HoldsHandle(HandlePoint(i), px, py))
                return i;
        return -1;
    };
    if (flat) {
        if (const int handle = frameHandle(); handle >= 0)
            return handle;
    }
    for (int knot = kFirstKnot; knot + 3 <= LastIndex(); knot += 3)
        for (int handle : {knot + 1, knot + 2})
            if (HoldsHandle(MapControlPoint(m_points[handle]), px, py))
                return handle;
    for (int knot = kFirstKnot; knot <= LastIndex(); knot += 3)
        if (HoldsHandle(MapControlPoint(m_points[knot]), px, py))
            return knot;
    return flat ? -1 : frameHandle();
}

int CSplineTrack::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || SegmentCount() == 0)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    return FindHandle(static_cast<int>(local.x), static_cast<int>(local.y));
}

// ---- The mouse ----

void CSplineTrack::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr)
        return;
    const CPose& frame = FrameOf(pose);
    if (m_pTool->m_toolMode == kToolSplineTrack) {
        PressCreate(pose);
    } else if (handle == -1) {
        m_ptSaved = {m_fCornerX2, m_fCornerY2};
        m_ptDragA = LocalToWorldInFrame(frame, m_fCornerX1, m_fCornerY1);
        SavePose();
    } else if (handle == 0) {
        SavePose();
        const CDoublePoint middle =
            LocalToWorldInFrame(frame, (m_fCornerX1 + m_fCornerX2) / 2.0, (m_fCornerY1 + m_fCornerY2) / 2.0);
        m_pTool->m_fPivotX = middle.x;
        m_pTool->m_fPivotY = middle.y;
        m_pTool->m_nDragState = 0;
        m_pTool->m_fReferenceX = m_pTool->m_fCurrentX;
        m_pTool->m_fReferenceY = m_pTool->m_fCurrentY;
        m_pTool->m_fRotationAngle = 0.0;
    } else if (handle >= 1 && handle <= 4) {
        const CDoublePoint corner = LocalToWorldInFrame(frame, m_points[handle].x, m_points[handle].y);
        ChangeGeometry(corner.x, corner.y, handle, 0, 1, 1);
    } else if (handle >= kFirstKnot && handle <= LastIndex()) {
        PressControlPoint(handle);
    }
    Invalidate();
}

void CSplineTrack::PressCreate(const CPose* pose) {
    const CDoublePoint point = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (m_points.GetSize() < kFirstKnot + 2) {
        m_points.SetSize(kFirstKnot + 1);
        m_points[kFirstKnot] = point;
    }
    for (int i = 0; i < 3; ++i) m_points.Add(point);
    m_pTool->m_nDraggedHandle = LastIndex();
    if (m_points.GetSize() > kFirstKnot + 4)
        StraightenSegmentBefore();
    FitBoundsToControlPoints();
    RebuildEnds();
}

void CSplineTrack::StraightenSegmentBefore() {
    const int k1 = LastIndex() - 6, k2 = LastIndex() - 3;
    const CDoublePoint a = m_points[k1], b = m_points[k2];
    const double d = VectorLength(a.x - b.x, a.y - b.y);
    // Two presses at one spot (the double click that ends creation) have no direction.
    if (d == 0.0)
        return;
    const double ux = (a.x - b.x) / d, uy = (a.y - b.y) / d;
    m_points[k1 + 1] = {a.x - ux * d / 3.0, a.y - uy * d / 3.0};
    m_points[k2 - 1] = {b.x + ux * d / 3.0, b.y + uy * d / 3.0};
    if (k1 - 3 >= kFirstKnot) {
        const CDoublePoint& before = m_points[k1 - 3];
        const double d2 = VectorLength(a.x - before.x, a.y - before.y);
        m_points[k1 - 1] = {a.x + ux * d2 / 3.0, a.y + uy * d2 / 3.0};
    }
}

void CSplineTrack::PressControlPoint(int handle) {
    const int last = LastIndex();
    if (IsKnot(handle)) {
        m_ptSaved = m_points[handle];
        if (handle != kFirstKnot)
            m_ptDragA = m_points[handle - 1];
        if (handle != last)
            m_ptDragB = m_points[handle + 1];
    } else if (handle % 3 == 1 && handle + 2 <= last) {
        m_ptSaved = m_points[handle + 2];
    } else if (handle % 3 == 0 && handle > kFirstKnot + 1) {
        m_ptSaved = m_points[handle - 2];
    }
    PushControlPointsForUndo();
    const bool endKnot = handle == kFirstKnot || handle == last;
    if (!endKnot || !m_pTool->ControlHeld())
        return;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    const int begin = handle == kFirstKnot ? 1 : 0;
    ChangeEndElevation(begin, begin ? m_fBeginElevation : m_fEndElevation, 1, 1);
    m_ptSaved = {m_fBeginElevation, m_fEndElevation};
    SetEditState(3);
}

void CSplineTrack::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !m_bScaleWithDocument || m_points.GetSize() <= kFirstKnot)
        return;
    Invalidate();
    const CPose& frame = FrameOf(pose);
    const CDoublePoint cursor = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (IsCreating()) {
        DragCreating(cursor, handle);
    } else if (handle >= kFirstKnot && handle <= LastIndex()) {
        DragControlPoint(cursor, handle);
        if (m_pTool->m_toolMode == kToolDragHandle) {
            RebuildEnds();
            const bool begin = handle == kFirstKnot;
            const CDoublePoint& dragged = begin ? m_ptBegin : m_ptEnd;
            const CDoublePoint& other = begin ? m_ptEnd : m_ptBegin;
            FormatGradeLabel(pose, cursor.x, cursor.y, dragged.x, dragged.y, other.x, other.y, begin ? 1 : 0);
        }
        WorldExtentOfControlBox();
    } else if (handle >= 1 && handle <= 4) {
        MoveBoxCorner(handle, cursor.x, cursor.y, nullptr);
        m_fCornerX1 = m_points[1].x;
        m_fCornerY1 = m_points[1].y;
        m_fCornerX2 = m_points[3].x;
        m_fCornerY2 = m_points[3].y;
    }
    FinishDrag();
    Invalidate();
}

void CSplineTrack::DragCreating(CDoublePoint point, int handle) {
    if (handle < kFirstKnot || handle > LastIndex())
        return;
    if (m_pTool->m_bStartedAtTrackEnd && handle == kFirstKnot + 3) {
        const TrackConnectionState& state = m_pTool->m_track;
        m_fBeginElevation = state.pressElevation;
        m_fEndElevation = state.pressElevation;
        const CDoublePoint& start = m_points[kFirstKnot];
        const double a = ReduceAngle(state.pressDirection - kPi);
        const double e = VectorLength(point.x - start.x, point.y - start.y);
        const double between = std::fabs(PolarAngle(point.x - start.x, point.y - start.y) - a);
        const double along = between <= kPi / 2.0 || between >= kPi * 1.5 ? a : a + kPi;
        point = {start.x + e * std::cos(along), start.y + e * std::sin(along)};
        const CDoublePoint world = LocalToWorld(point.x, point.y);
        m_pTool->m_fCurrentX = world.x;
        m_pTool->m_fCurrentY = world.y;
    } else if (m_pTool->ShiftHeld()) {
        const CDoublePoint& anchor = m_points[handle - 1];
        ConstrainAngle(point.x, point.y, anchor.x, anchor.y);
    }
    m_points[handle] = point;
    FitBoundsToControlPoints();
}

void CSplineTrack::DragControlPoint(const CDoublePoint& local, int handle) {
    const CDoublePoint moved = UnmapPoint(local, m_points[handle]);
    if (m_pTool->m_toolMode == kToolDragHandle)
        return;
    m_points[handle] = moved;
    if (IsKnot(handle)) {
        const double dx = moved.x - m_ptSaved.x, dy = moved.y - m_ptSaved.y;
        if (handle != kFirstKnot)
            m_points[handle - 1] = {m_ptDragA.x + dx, m_ptDragA.y + dy};
        if (handle != LastIndex())
            m_points[handle + 1] = {m_ptDragB.x + dx, m_ptDragB.y + dy};
        return;
    }
    const int knot = handle % 3 == 1 ? handle + 1 : handle - 1;
    if (knot <= LastIndex())
        MovePartners(handle, VectorLength(m_ptSaved.x - m_points[knot].x, m_ptSaved.y - m_points[knot].y));
}

void CSplineTrack::MovePartners(int handle, double partnerDistance) {
    const bool before = handle % 3 == 1;
    const int knot = before ? handle + 1 : handle - 1;
    const int partner = before ? handle + 2 : handle - 2;
    if (partner <= kFirstKnot || partner >= LastIndex() || knot > LastIndex())
        return;
    const CDoublePoint& k = m_points[knot];
    const CDoublePoint& h = m_points[handle];
    const double d = VectorLength(h.x - k.x, h.y - k.y);
    // A handle on its knot gives no line: the partner stays.
    if (d == 0.0)
        return;
    m_points[partner] = {k.x - (h.x - k.x) / d * partnerDistance, k.y - (h.y - k.y) / d * partnerDistance};
}

int CSplineTrack::FinishCreate(const CPose* pose, int flag) {
    // The rubber-band knot and its two handles were never clicked: the track is measured
    // without them.
    if (m_pTool != nullptr && m_pTool->m_nMultiPoint != 0 && m_points.GetSize() > kFirstKnot + 1)
        m_points.SetSize(m_points.GetSize() - 3);
    RecomputeLength();
    if (IsInvalid(0))
        return 0;
    if (m_pTool != nullptr)
        m_pTool->m_nDraggedHandle = -1;
    RebuildShape();
    const int finished = CParTrack::FinishCreate(pose, flag);
    Invalidate();
    return finished;
}
