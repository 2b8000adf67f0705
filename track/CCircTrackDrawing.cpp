#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "track/CCircTrack.h"
#include "track/CPieceMapping.h"
#include "track/TrackAngles.h"
#include "track/TrackPlanInput.h"

// The circular piece in the plan: drawing, hit tests and the mouse.

namespace {

constexpr int kShiftMask = 0xA4;
// How far, in pixels, a drawn chord may stray from the curve.
constexpr double kChordError = 0.25;

CDoublePoint Direction(double angle) {
    return {std::cos(angle), std::sin(angle)};
}

}  // namespace

int CCircTrack::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent))
        return 0;
    if (m_fStartAngle < 0.0 || m_fStartAngle > kFullTurn || !(m_fSweep > 0.0) || m_fSweep > kFullTurn)
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr || m_points.GetSize() < kPointCount)
        return 0;
    const CPlacement placement(m_pose, FrameOf(parent));
    const CPieceMapping device(*m_pTool, placement, *dc);
    CPen railPen;
    const int previousMode = BeginPlanDrawing(*dc, railPen);
    CPen axisPen(PS_DOT, 1, kAxisColor);
    CPen* previousPen = dc->SelectObject(&axisPen);
    const CDoublePoint first = Direction(m_fStartAngle), last = Direction(EndAngleLocal());
    DrawCentreLineAndRails(*dc, device, railPen, axisPen, first, last);
    if (m_pTool->m_track.endLabels) {
        const CPlacement own(m_pose, m_parentPose);
        DrawEndLabels(ToDevice(own, m_points[5]), ToDevice(own, m_points[6]), 3);
    }
    dc->SelectObject(&railPen);
    DrawRadial(*dc, device, first, m_fTrackSeparation);
    DrawRadial(*dc, device, last, m_fTrackSeparation);
    if (m_bShowTies)
        DrawTies(*dc, device, first);
    DrawJointMarkers(*dc, m_points[5], m_points[6], placement);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc->SelectObject(&black);
    if (ShowsSelectionMarkers()) {
        for (int index : {6, 5}) {
            const CPoint end = device(m_points[index]);
            DrawCircleMarker(end.x, end.y);
        }
        const CPoint handle = device(m_points[0]);
        DrawCrossMarker(handle.x, handle.y);
    }
    dc->SelectObject(previousPen);
    dc->SetBkMode(previousMode);
    return 1;
}

void CCircTrack::DrawCentreLineAndRails(CDC& dc, const CPieceMapping& device, CPen& railPen, CPen& axisPen,
                                        const CDoublePoint& first, const CDoublePoint& last) {
    const double half = m_fGauge / 2.0;
    const bool centre = DrawsCentreLine();
    const bool centreLine = m_bShowAxis || centre;
    const bool rails = DrawsRails();
    const double e = EndAngleLocal();
    // Each step's centre line and rails, the lines drawn in the same order as ever; the
    // direction is turned once per step and a pen is selected only when it changes.
    CPen* selected = &axisPen;
    auto use = [&dc, &selected](CPen& pen) {
        if (selected != &pen)
            dc.SelectObject(&pen);
        selected = &pen;
    };
    // The shortcut maps each point to pixels once, though it ends one line and starts the next.
    const bool premapped = dc.FastPathsEnabled();
    CPoint previous[3];
    POINT previousPixels[3]{};
    auto pointsAt = [&](const CDoublePoint& direction, CPoint(&points)[3], POINT(&pixels)[3]) {
        const double c = direction.x, s = direction.y;
        if (centreLine)
            points[0] = DevicePointOnCircle(device, m_fRadius, c, s);
        if (rails) {
            points[1] = DevicePointOnCircle(device, m_fRadius + half, c, s);
            points[2] = DevicePointOnCircle(device, m_fRadius - half, c, s);
        }
        if (!premapped)
            return;
        if (centreLine)
            pixels[0] = device.Pixel(points[0]);
        if (rails) {
            pixels[1] = device.Pixel(points[1]);
            pixels[2] = device.Pixel(points[2]);
        }
    };
    auto line = [&](int i, const CPoint(&now)[3], const POINT(&nowPixels)[3]) {
        if (premapped) {
            dc.LineBetween(previous[i], now[i], previousPixels[i], nowPixels[i]);
            return;
        }
        dc.MoveTo(previous[i]);
        dc.LineTo(now[i]);
    };
    pointsAt(first, previous, previousPixels);
    auto step = [&](const CDoublePoint& direction) {
        CPoint now[3];
        POINT nowPixels[3]{};
        pointsAt(direction, now, nowPixels);
        if (centreLine) {
            use(centre ? railPen : axisPen);
            line(0, now, nowPixels);
        }
        if (rails) {
            use(railPen);
            for (int i = 1; i < 3; ++i) line(i, now, nowPixels);
        }
        for (int i = 0; i < 3; ++i) {
            previous[i] = now[i];
            previousPixels[i] = nowPixels[i];
        }
    };
    // The sweep is at most a full turn here, so at most 361 steps. A dotted axis keeps every
    // degree: its dots start again at each corner.
    const double angle = centreLine && !centre ? kDegree : DrawingStep(dc);
    for (int i = 1; m_fStartAngle + i * angle < e; ++i) step(Direction(m_fStartAngle + i * angle));
    step(last);
}

double CCircTrack::DrawingStep(const CDC& dc) const {
    const double pixels = PixelsPerLayoutUnit(dc);
    const double outer = (std::fabs(m_fRadius) + std::fabs(m_fGauge) / 2.0) * pixels;
    if (!(pixels > 0.0) || !std::isfinite(outer))
        return kDegree;
    // A chord of angle a strays r (1 - cos(a / 2)) from a circle of radius r.
    const double fit = outer > kChordError ? 2.0 * std::acos(1.0 - kChordError / outer) : kFullTurn;
    return std::max(kDegree, fit);
}

void CCircTrack::DrawRadial(CDC& dc, const CPieceMapping& device, const CDoublePoint& direction,
                            double length) {
    const double c = direction.x, s = direction.y;
    dc.MoveTo(DevicePointOnCircle(device, m_fRadius - length / 2.0, c, s));
    dc.LineTo(DevicePointOnCircle(device, m_fRadius + length / 2.0, c, s));
}

CPoint CCircTrack::DevicePointOnCircle(const CPieceMapping& device, double radius, double c, double s) const {
    // As OnCircle computes it, with the direction turned once for several radii.
    return device({m_ptCentre.x + radius * c, m_ptCentre.y + radius * s});
}

void CCircTrack::DrawTies(CDC& dc, const CPieceMapping& device, const CDoublePoint& first) {
    TakeMissingRadiusAsOne();
    const double step = ChordStep(m_fTieSpacing);
    // Ties only for a positive step, and never more than the bound.
    if (!(step > 0.0) || !(m_fSweep / step <= kMaxSteps))
        return;
    CPen tiePen;
    CreateTrackPen(dc, tiePen, m_nTieLineWidth, m_crTie);
    CPen* previous = dc.SelectObject(&tiePen);
    // A tie drawn twice over itself looks as once only where the pen covers what lies beneath.
    if (dc.FastPathsEnabled() && dc.GetROP2() == R2_COPYPEN)
        DrawTiesQuickly(dc, device, step, first);
    else
        DrawTiesExactly(dc, device, step);
    dc.SelectObject(previous);
}

void CCircTrack::DrawTiesExactly(CDC& dc, const CPieceMapping& device, double step) {
    const double e = EndAngleLocal();
    for (int i = 0; m_fStartAngle + i * step < e; ++i)
        DrawRadial(dc, device, Direction(m_fStartAngle + i * step), m_fTieLength);
}

// The same ties, the direction turned from tie to tie instead of computed afresh (it strays far
// less than a pixel over the bounded count), each end mapped to pixels once, and a tie that
// falls on the pixels of the one before it is not drawn again. Ends at the same logical point
// map to the same pixels, so from afar most ties are left before they are mapped.
void CCircTrack::DrawTiesQuickly(CDC& dc, const CPieceMapping& device, double step,
                                 const CDoublePoint& first) {
    const double e = EndAngleLocal();
    const double turnC = std::cos(step), turnS = std::sin(step);
    double c = first.x, s = first.y;
    const double inner = m_fRadius - m_fTieLength / 2.0, outer = m_fRadius + m_fTieLength / 2.0;
    // Only ties less than a pixel apart on the target are worth comparing.
    const bool dense =
        step * (std::fabs(m_fRadius) + std::fabs(m_fTieLength) / 2.0) * PixelsPerLayoutUnit(dc) < 1.0;
    TieEnds lastTie{}, lastPixels{};
    for (int i = 0; m_fStartAngle + i * step < e; ++i) {
        const TieEnds tie{DevicePointOnCircle(device, inner, c, s), DevicePointOnCircle(device, outer, c, s)};
        if (!dense || i == 0 || tie != lastTie) {
            const TieEnds pixels{device.Pixel(tie[0]), device.Pixel(tie[1])};
            if (!dense || i == 0 || pixels != lastPixels)
                dc.LineBetween(tie[0], tie[1], pixels[0], pixels[1]);
            lastTie = tie;
            lastPixels = pixels;
        }
        const double turned = c * turnC - s * turnS;
        s = s * turnC + c * turnS;
        c = turned;
    }
}

// ---- Hit tests ----

CPaint* CCircTrack::HitTest() {
    if (m_pTool == nullptr || m_points.GetSize() < kPointCount)
        return nullptr;
    if (!IsEmptyBand(m_pTool->m_rcRubberBand))
        return HitTestBand();
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const CDoublePoint local = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const double dx = local.x - m_ptCentre.x, dy = local.y - m_ptCentre.y;
    const double d = VectorLength(dx, dy);
    double phi = d > 0.0 ? std::acos(std::clamp(dx / d, -1.0, 1.0)) : 0.0;
    if (dy < 0.0)
        phi = kFullTurn - phi;
    const double s = m_fStartAngle, e = EndAngleLocal();
    const bool inArc = e < kFullTurn ? s <= phi && phi <= e
                                     : (phi >= 0.0 && phi <= e - kFullTurn) || (s <= phi && phi <= kFullTurn);
    if (!inArc)
        return nullptr;
    const double hL = HandleTolerance();
    const double half = m_fGauge / 2.0;
    const bool onCentre = DrawsCentreLine() && std::fabs(d - m_fRadius) <= hL;
    const bool onRail =
        DrawsRails() && (std::fabs(d - (m_fRadius - half)) <= hL || std::fabs(d - (m_fRadius + half)) <= hL);
    return onCentre || onRail ? this : nullptr;
}

CPaint* CCircTrack::HitTestBand() {
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const DeviceRect band = BandInLayout(*m_pTool);
    auto holds = [&band](double x, double y) {
        return BandHolds(band, CPoint(TruncateCoordinate(x), TruncateCoordinate(y)));
    };
    for (int index : {5, 6}) {
        const CDoublePoint world = LocalToWorld(m_points[index].x, m_points[index].y);
        if (holds(world.x, world.y))
            return this;
    }
    const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
    const double low = m_fStartAngle + WorldAngleOffset();
    const double high = low + m_fSweep;
    const double r2 = m_fRadius * m_fRadius;
    auto meets = [&](double x, double y) {
        return holds(x, y) && AngleInArc(std::atan2(y - centre.y, x - centre.x), low, high);
    };
    // The left and top lines first, then the right and bottom ones.
    const double vertical[2] = {static_cast<double>(band.left), static_cast<double>(band.right)};
    const double horizontal[2] = {static_cast<double>(band.top), static_cast<double>(band.bottom)};
    for (int side = 0; side < 2; ++side) {
        const double across = r2 - (centre.x - vertical[side]) * (centre.x - vertical[side]);
        if (across >= 0.0) {
            const double root = std::sqrt(across);
            if (meets(vertical[side], centre.y + root) || meets(vertical[side], centre.y - root))
                return this;
        }
        const double along = r2 - (centre.y - horizontal[side]) * (centre.y - horizontal[side]);
        if (along >= 0.0) {
            const double root = std::sqrt(along);
            if (meets(centre.x + root, horizontal[side]) || meets(centre.x - root, horizontal[side]))
                return this;
        }
    }
    return nullptr;
}

// ---- The mouse ----

void CCircTrack::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr)
        return;
    if (handle == -1) {
        m_fSavedRadius = m_fRadius;
        m_ptAnchor = m_pose.LocalToWorld(CPose(), m_ptCentre.x, m_ptCentre.y);
        SavePose();
    } else if (handle == 0) {
        shape::BeginRotationBetween(*this, FrameOf(pose), {m_fCornerX1, m_fCornerY1},
                                    {m_fCornerX2, m_fCornerY2});
    } else if (handle == 5 || handle == 6) {
        PressEnd(handle);
    }
    Invalidate();
}

void CCircTrack::PressEnd(int handle) {
    const bool creating = m_pTool->m_toolMode == kToolCurveTrack;
    TrackConnectionState& state = m_pTool->m_track;
    if (handle == 6 && creating && m_pTool->m_bStartedAtTrackEnd) {
        m_fBeginElevation = state.pressElevation;
        m_fEndElevation = state.pressElevation;
        RotateFromSavedPose(state.pressDirection - kPi, state.pressX, state.pressY, 0);
    }
    if (!creating) {
        const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
        SetArc(centre.x, centre.y, m_fRadius, m_fStartAngle + WorldAngleOffset(), m_fSweep, 1, 1);
    }
    if (handle == 5) {
        m_ptAnchor = m_points[6];
        m_fCreationTangent = ReduceAngle(m_fStartAngle + m_fSweep - kPi * 0.5);
    } else {
        m_ptAnchor = m_points[5];
        m_fCreationTangent = m_fStartAngle + kPi * 0.5;
        if (m_fCreationTangent >= kFullTurn)
            m_fCreationTangent -= kFullTurn;
    }
    if (!m_pTool->ControlHeld())
        return;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    const double elevation = handle == 5 ? m_fBeginElevation : m_fEndElevation;
    ChangeEndElevation(handle == 5 ? 1 : 0, elevation, 1, 1);
    m_fSavedBeginElevation = m_fBeginElevation;
    m_fSavedEndElevation = m_fEndElevation;
    SetEditState(3);
}

void CCircTrack::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr)
        return;
    const bool shift = (m_pTool->m_nMouseFlags & kShiftMask) != 0;
    if (!shift)
        m_nBendLock = 0;
    if (!m_bScaleWithDocument || (handle != 5 && handle != 6) || m_points.GetSize() < kPointCount)
        return;
    const CPose& frame = FrameOf(pose);
    const CDoublePoint cursor = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const CDoublePoint press = WorldToLocalInFrame(frame, m_pTool->m_fPressX, m_pTool->m_fPressY);
    const int mode = m_pTool->m_toolMode;
    if (mode == kToolDragHandle) {
        const CDoublePoint& dragged = m_points[handle];
        const CDoublePoint& other = m_points[handle == 5 ? 6 : 5];
        FormatGradeLabel(pose, cursor.x, cursor.y, dragged.x, dragged.y, other.x, other.y,
                         handle == 5 ? 1 : 0);
        return;
    }
    if (mode == kToolCurveTrack) {
        const double hL = HandleTolerance();
        if (std::fabs(cursor.x - press.x) < hL && std::fabs(cursor.y - press.y) < hL)
            return;
        if (m_bTangentPending) {
            if (m_pTool->m_bStartedAtTrackEnd) {
                m_fCreationTangent = RunsBackAlongEnd(press, cursor) ? kPi : 0.0;
                m_pTool->m_bStartedAtTrackEnd = 0;
            } else {
                m_fCreationTangent = PolarAngle(cursor.x - press.x, cursor.y - press.y);
            }
            m_bTangentPending = 0;
        }
    }
    DragArc(cursor);
}

// The piece was turned so that its x axis leaves the matched end; x is the move's part along
// it. Turning by the ten-decimal half turn leaves a move square to the end a hair to either
// side, so only a move that clearly runs back into the end's piece counts as going back.
bool CCircTrack::RunsBackAlongEnd(const CDoublePoint& press, const CDoublePoint& cursor) {
    const double along = cursor.x - press.x;
    const double moved = VectorLength(cursor.x - press.x, cursor.y - press.y);
    return along < -moved * kSquareMoveTolerance;
}

void CCircTrack::DragArc(const CDoublePoint& cursor) {
    const double tau = m_fCreationTangent;
    double rho = PolarAngle(cursor.x - m_ptAnchor.x, cursor.y - m_ptAnchor.y) - tau;
    if (rho < 0.0)
        rho += kFullTurn;
    if (rho < kDegree || kFullTurn - rho < kDegree || std::fabs(rho - kPi) < kDegree)
        return;
    if ((m_nBendLock == 1 && rho >= kPi) || (m_nBendLock == 2 && rho < kPi))
        return;
    const bool shift = (m_pTool->m_nMouseFlags & kShiftMask) != 0;
    if (shift)
        m_nBendLock = rho < kPi ? 1 : 2;
    Invalidate();
    const double chord = VectorLength(cursor.x - m_ptAnchor.x, cursor.y - m_ptAnchor.y);
    const double signedRadius = chord / std::sin(rho) * 0.5;
    if (!shift || m_fRadius == 0.0) {
        m_fRadius = std::fabs(signedRadius);
        m_ptCentre = {m_ptAnchor.x - signedRadius * std::sin(tau),
                      m_ptAnchor.y + signedRadius * std::cos(tau)};
    }
    const double phi = PolarAngle(cursor.x - m_ptCentre.x, cursor.y - m_ptCentre.y);
    if (rho < kPi) {
        double start = tau + kPi * 1.5;
        if (start > kFullTurn)
            start -= kFullTurn;
        m_fStartAngle = start;
        m_fSweep = phi - start;
    } else {
        double end = tau + kPi * 0.5;
        if (end > kFullTurn)
            end -= kFullTurn;
        m_fStartAngle = phi;
        m_fSweep = end - phi;
    }
    if (m_fSweep < 0.0)
        m_fSweep += kFullTurn;
    RebuildShape();
    Invalidate();
}
