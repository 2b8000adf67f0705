#include <algorithm>
#include <cmath>

#include "model/CTool.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "track/CArcTrack.h"
#include "track/TrackAngles.h"
#include "track/TrackPlanInput.h"

// The elliptic arc in the plan: drawing, hit tests and the mouse.

namespace {

// The polar angle of a point about a centre by the arc cosine, 0 for the centre itself.
double AcosAngle(double dx, double dy) {
    double d = VectorLength(dx, dy);
    if (d == 0.0)
        d = 1.0;
    const double phi = std::acos(std::clamp(dx / d, -1.0, 1.0));
    return dy < 0.0 ? kFullTurn - phi : phi;
}

}  // namespace

int CArcTrack::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent))
        return 0;
    const double half = m_fGauge / 2.0;
    if (!(m_fRadiusX > half) || !(m_fRadiusY > half) || !AnglesDrawable())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    Sample samples[kMaxSamples];
    const int count = Walk(false, samples, HandleTolerance());
    if (count == 0)
        return 0;
    const CPlacement placement(m_pose, FrameOf(parent));
    CPen railPen;
    const int previousMode = BeginPlanDrawing(*dc, railPen);
    CPen* previousPen = dc->SelectObject(&railPen);
    CPoint centre[kMaxSamples], left[kMaxSamples], right[kMaxSamples];
    for (int i = 0; i < count; ++i) {
        centre[i] = ToDevice(placement, samples[i].point);
        left[i] = ToDevice(placement, AlongNormal(samples[i], half));
        right[i] = ToDevice(placement, AlongNormal(samples[i], -half));
    }
    if (m_bShowTies && m_fTieSpacing > 0.0)
        DrawTies(*dc, placement, samples, count);
    DrawEndBar(*dc, placement, samples[0]);
    DrawEndBar(*dc, placement, samples[count - 1]);
    if (DrawsCentreLine())
        dc->Polyline(centre, count);
    if (DrawsRails()) {
        dc->Polyline(left, count);
        dc->Polyline(right, count);
    }
    if (m_bShowAxis) {
        CPen axisPen(PS_DOT, 1, kAxisColor);
        dc->SelectObject(&axisPen);
        dc->Polyline(centre, count);
        dc->SelectObject(&railPen);
    }
    DrawJointMarkers(*dc, m_points[5], m_points[6], placement);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc->SelectObject(&black);
    DrawSelection(placement, samples[0], samples[count - 1]);
    if (m_pTool->m_track.endLabels) {
        const CPlacement own(m_pose, m_parentPose);
        DrawEndLabels(ToDevice(own, m_ptBegin), ToDevice(own, m_ptEnd), 3);
    }
    dc->SelectObject(previousPen);
    dc->SetBkMode(previousMode);
    return 1;
}

void CArcTrack::DrawTies(CDC& dc, const CPlacement& placement, const Sample* samples, int count) {
    CPen tiePen;
    CreateTrackPen(dc, tiePen, m_nTieLineWidth, m_crTie);
    CPen* previous = dc.SelectObject(&tiePen);
    const double spacing = m_fTieSpacing;
    const double half = m_fTieLength / 2.0;
    double carried = 0.0;
    int ties = 0;
    // The segment that ends in the last sample gets none.
    for (int i = 0; i + 2 < count && ties < kMaxTies; ++i) {
        const CDoublePoint& a = samples[i].point;
        const CDoublePoint& b = samples[i + 1].point;
        const double length = VectorLength(b.x - a.x, b.y - a.y);
        if (length == 0.0)
            continue;
        const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
        double d = spacing - carried;
        if (d >= length) {
            carried += length;
            continue;
        }
        for (; d < length && ties < kMaxTies; d += spacing, ++ties) {
            const CDoublePoint at{a.x + d * ux, a.y + d * uy};
            dc.MoveTo(ToDevice(placement, {at.x + half * uy, at.y - half * ux}));
            dc.LineTo(ToDevice(placement, {at.x - half * uy, at.y + half * ux}));
        }
        carried = length - (d - spacing);
    }
    dc.SelectObject(previous);
}

void CArcTrack::DrawEndBar(CDC& dc, const CPlacement& placement, const Sample& sample) {
    const double half = m_fTrackSeparation / 2.0;
    dc.MoveTo(ToDevice(placement, AlongNormal(sample, -half)));
    dc.LineTo(ToDevice(placement, AlongNormal(sample, half)));
}

void CArcTrack::DrawSelection(const CPlacement& placement, const Sample& first, const Sample& last) {
    const bool dragging = m_pTool->m_bButtonDown && m_pTool->m_bMoved;
    if (!IsSelected() || dragging || m_pTool->IsPrinting())
        return;
    for (int i = 1; i <= 4; ++i) {
        const CPoint corner = ToDevice(placement, m_points[i]);
        DrawHandle(corner.x, corner.y);
    }
    const CPoint anchor = ToDevice(placement, m_points[0]);
    DrawCrossMarker(anchor.x, anchor.y);
    for (const Sample* end : {&first, &last}) {
        const CPoint at = ToDevice(placement, end->point);
        DrawCircleMarker(at.x, at.y);
    }
}

// ---- Hit tests ----

CPaint* CArcTrack::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount || CPaint::HitTest() == nullptr)
        return nullptr;
    Sample samples[kMaxSamples];
    const int count = Walk(false, samples, HandleTolerance());
    return count >= 2 ? HitTestSamples(samples, count) : nullptr;
}

CPaint* CArcTrack::HitTestSamples(const Sample* samples, int count) {
    const double half = m_fGauge / 2.0;
    const bool centre = DrawsCentreLine();
    const bool rails = DrawsRails();
    DeviceRect band = m_pTool->m_rcRubberBand;
    const bool banded = !IsEmptyBand(band);
    band.Normalize();
    auto hits = [&](const CDoublePoint& a, const CDoublePoint& b) {
        if (!banded)
            return HitTestSegment(&m_parentPose, a.x, a.y, b.x, b.y) != 0;
        return BandMeetsSegment(band, BandPoint(*m_pTool, LocalToWorld(a.x, a.y)),
                                BandPoint(*m_pTool, LocalToWorld(b.x, b.y)));
    };
    for (int i = 1; i < count; ++i) {
        if (centre && hits(samples[i - 1].point, samples[i].point))
            return this;
        if (rails && (hits(AlongNormal(samples[i - 1], half), AlongNormal(samples[i], half)) ||
                      hits(AlongNormal(samples[i - 1], -half), AlongNormal(samples[i], -half))))
            return this;
    }
    return nullptr;
}

int CArcTrack::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || m_points.GetSize() < kPointCount)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const int px = static_cast<int>(local.x), py = static_cast<int>(local.y);
    for (int i = 6; i >= 0; --i)
        if (HoldsHandle(m_points[i], px, py))
            return i;
    return -1;
}

// ---- The mouse ----

void CArcTrack::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr)
        return;
    if (m_pTool->m_toolMode == kToolOvalTrack) {
        if (m_pTool->m_bStartedAtTrackEnd) {
            const TrackConnectionState& state = m_pTool->m_track;
            m_fBeginElevation = state.pressElevation;
            m_fEndElevation = state.pressElevation;
            RotateFromSavedPose(state.pressDirection - kPi, state.pressX, state.pressY, 0);
            m_pTool->m_bStartedAtTrackEnd = 0;
        }
    } else {
        PressHandle(pose, handle);
    }
    Invalidate();
}

void CArcTrack::PressHandle(const CPose* pose, int handle) {
    if (handle == -1) {
        m_fSavedBeginElevation = m_fRadiusX;
        m_fSavedEndElevation = m_fRadiusY;
        m_ptSavedCentre = m_pose.LocalToWorld(CPose(), m_ptCentre.x, m_ptCentre.y);
        SavePose();
        return;
    }
    if (handle == 0) {
        SavePose();
        const CDoublePoint middle = LocalToWorldInFrame(FrameOf(pose), (m_points[1].x + m_points[3].x) / 2.0,
                                                        (m_points[1].y + m_points[3].y) / 2.0);
        m_pTool->m_fPivotX = middle.x;
        m_pTool->m_fPivotY = middle.y;
        m_pTool->m_fReferenceX = m_pTool->m_fCurrentX;
        m_pTool->m_fReferenceY = m_pTool->m_fCurrentY;
        m_pTool->m_fRotationAngle = 0.0;
        m_pTool->m_nDragState = 0;
        return;
    }
    const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
    SetArc(centre.x, centre.y, m_fRadiusX, m_fRadiusY, m_fStartAngle + WorldAngleOffset(), m_fSweep, 1, 1);
    if ((handle != 5 && handle != 6) || !m_pTool->ControlHeld())
        return;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    ChangeEndElevation(handle == 5 ? 1 : 0, handle == 5 ? m_fBeginElevation : m_fEndElevation, 1, 1);
    m_fSavedBeginElevation = m_fBeginElevation;
    m_fSavedEndElevation = m_fEndElevation;
    SetEditState(3);
}

void CArcTrack::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !m_bScaleWithDocument || m_points.GetSize() < kPointCount)
        return;
    Invalidate();
    const CDoublePoint cursor =
        WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const int mode = m_pTool->m_toolMode;
    if (mode == kToolOvalTrack) {
        if (handle >= 1 && handle <= 4)
            DragCreationCorner(cursor, handle);
    } else if ((handle == 5 || handle == 6) && mode != kToolDragHandle) {
        DragEnd(cursor, handle);
    } else if (handle == 5 || handle == 6) {
        const CDoublePoint& dragged = m_points[handle];
        const CDoublePoint& other = m_points[handle == 5 ? 6 : 5];
        FormatGradeLabel(pose, cursor.x, cursor.y, dragged.x, dragged.y, other.x, other.y,
                         handle == 5 ? 1 : 0);
        FinishHandleDrag();
    } else if (handle >= 1 && handle <= 4) {
        DragCorner(cursor, handle);
    }
}

void CArcTrack::DragCreationCorner(const CDoublePoint& cursor, int handle) {
    MoveBoxCorner(handle, cursor.x, cursor.y, nullptr);
    const CDoublePoint p1 = m_points[1], p3 = m_points[3];
    m_fRadiusX = std::fabs(p3.x - p1.x);
    if (m_fRadiusX == 0.0)
        m_fRadiusX = 1.0;
    // A flat drag would leave the polar form 0/0; the y radius is kept as the x one is.
    m_fRadiusY = std::fabs(p1.y - p3.y);
    if (m_fRadiusY == 0.0)
        m_fRadiusY = 1.0;
    m_ptCentre = m_points[2];
    const int orientation = GetOrientation();
    const bool fromThird = orientation == 1 || orientation == 3;
    m_points[5] = fromThird ? p3 : p1;
    m_points[6] = fromThird ? p1 : p3;
    m_fStartAngle = orientation == 1   ? 0.0
                    : orientation == 2 ? kPi * 1.5
                    : orientation == 3 ? kPi
                                       : kPi * 0.5;
    // The ends lie on the arc as every later rebuild puts them, to the last bit, so that what
    // the new piece stores is what it stores once taken out and put back.
    RebuildEnds();
    FinishHandleDrag();
}

void CArcTrack::DragEnd(CDoublePoint cursor, int handle) {
    if (m_pTool->ShiftHeld())
        ConstrainAngle(cursor.x, cursor.y, m_ptCentre.x, m_ptCentre.y);
    const double phi = AcosAngle(cursor.x - m_ptCentre.x, cursor.y - m_ptCentre.y);
    double end = m_fStartAngle + m_fSweep;
    if (end >= kFullTurn)
        end -= kFullTurn;
    if (handle == 5) {
        m_fStartAngle = phi;
        m_fSweep = end >= phi ? end - phi : (kFullTurn - phi) + end;
        if (m_fSweep == 0.0)
            m_fSweep = kFullTurn;
    } else {
        m_fSweep = phi - m_fStartAngle;
        if (m_fSweep <= 0.0)
            m_fSweep += kFullTurn;
    }
    RebuildShape();
    Invalidate();
}

void CArcTrack::DragCorner(const CDoublePoint& cursor, int handle) {
    const int opposite = handle + 2 > 4 ? handle - 2 : handle + 2;
    const CDoublePoint o = m_points[opposite];
    const CDoublePoint old = m_points[handle];
    if (cursor.x == o.x || cursor.y == o.y || old.x == o.x || old.y == o.y)
        return;
    CDoublePoint moved;
    MoveBoxCorner(handle, cursor.x, cursor.y, &moved);
    double sx = (o.x - moved.x) / (o.x - old.x);
    double sy = (o.y - moved.y) / (o.y - old.y);
    MoveBoxCorner(handle, moved.x, moved.y, nullptr);
    CDoublePoint begin = m_points[5], end = m_points[6];
    // A corner dragged past the opposite one flips the arc along that axis: the ends change places.
    auto flipPast = [&](double& scale, double CDoublePoint::*axis) {
        if (!(scale < 0.0))
            return;
        scale = -scale;
        std::swap(begin, end);
        for (CDoublePoint* p : {&m_ptCentre, &begin, &end}) p->*axis = 2.0 * (o.*axis) - p->*axis;
    };
    flipPast(sx, &CDoublePoint::x);
    flipPast(sy, &CDoublePoint::y);
    m_fRadiusX *= sx;
    if (m_fRadiusX == 0.0)
        m_fRadiusX = 1.0;
    m_fRadiusY *= sy;
    if (m_fRadiusY == 0.0)
        m_fRadiusY = 1.0;
    auto scaled = [&o, sx, sy](const CDoublePoint& p) {
        return CDoublePoint{o.x + (p.x - o.x) * sx, o.y + (p.y - o.y) * sy};
    };
    m_ptCentre = scaled(m_ptCentre);
    m_points[5] = scaled(begin);
    m_points[6] = scaled(end);
    m_fStartAngle = AcosAngle(m_points[5].x - m_ptCentre.x, m_points[5].y - m_ptCentre.y);
    const double endAngle = AcosAngle(m_points[6].x - m_ptCentre.x, m_points[6].y - m_ptCentre.y);
    m_fSweep = endAngle < m_fStartAngle ? (kFullTurn - m_fStartAngle) + endAngle : endAngle - m_fStartAngle;
    FinishHandleDrag();
}

void CArcTrack::FinishHandleDrag() {
    m_fCornerX1 = m_points[1].x;
    m_fCornerY1 = m_points[1].y;
    m_fCornerX2 = m_points[3].x;
    m_fCornerY2 = m_points[3].y;
    ComputeExtent(&m_parentPose);
    m_ptBegin = m_points[5];
    m_ptEnd = m_points[6];
    RecomputeLength();
    RebuildMarkers();
    Invalidate();
}
