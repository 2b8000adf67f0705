#include "track/CSplineTrack.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/LayoutFile.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"
#include "track/TrackAngles.h"
#include "track/TrackPayloads.h"

IMPLEMENT_SERIAL(CSplineTrack, CParTrack, 3)

namespace {

constexpr int kStartPoints = 6;
constexpr double kMarkerHandles = 120.0;
// Sampling takes the control points to whole units of the plan, so a segment placed elsewhere
// measures a few units more or less (under four in every shape and placement we tried); a
// stored length further off than this a segment, beyond the sampling share, is no measure of it.
constexpr double kGridAllowance = 10.0;

bool IsControlCount(int count) {
    return count == kStartPoints ||
           (count >= CSplineTrack::kFirstKnot + 4 && (count - kStartPoints) % 3 == 0);
}

bool IsFinitePoint(const CDoublePoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The unit vector from a toward b, or the fallback when they coincide.
CDoublePoint UnitToward(const CDoublePoint& a, const CDoublePoint& b, const CDoublePoint& fallback) {
    const double d = VectorLength(b.x - a.x, b.y - a.y);
    if (d == 0.0)
        return fallback;
    return {(b.x - a.x) / d, (b.y - a.y) / d};
}

}  // namespace

CSplineTrack::CSplineTrack() = default;

CSplineTrack::CSplineTrack(int selected, CTool* tool, double x, double y) : CParTrack(selected, tool, x, y) {
    m_strType = CStringTable::Text(IDS_OTHER);
    m_strName = CStringTable::Text(IDS_SPLINE_TRACK);
    m_fCornerX1 = m_fCornerY1 = m_fCornerX2 = m_fCornerY2 = 0.0;
    for (int i = 0; i < kStartPoints; ++i) m_points.Add(x, y);
}

// ---- The box mapping ----

CDoublePoint CSplineTrack::MapControlPoint(const CDoublePoint& control) const {
    const double left = m_fCornerX1, top = m_fCornerY1, right = m_fCornerX2, bottom = m_fCornerY2;
    const double width = m_fBoundsMaxX - m_fBoundsMinX;
    const double height = m_fBoundsMaxY - m_fBoundsMinY;
    const double x = width == 0.0 ? left : left + (control.x - m_fBoundsMinX) * (right - left) / width;
    const double y = height == 0.0 ? bottom : bottom + (control.y - m_fBoundsMinY) * (top - bottom) / height;
    return {x, y};
}

CDoublePoint CSplineTrack::UnmapPoint(const CDoublePoint& local, const CDoublePoint& previous) const {
    const double frameWidth = m_fCornerX2 - m_fCornerX1;
    const double frameHeight = m_fCornerY1 - m_fCornerY2;
    const double x = frameWidth == 0.0 ? previous.x
                                       : m_fBoundsMinX + (local.x - m_fCornerX1) *
                                                             (m_fBoundsMaxX - m_fBoundsMinX) / frameWidth;
    const double y = frameHeight == 0.0 ? previous.y
                                        : m_fBoundsMinY + (local.y - m_fCornerY2) *
                                                              (m_fBoundsMaxY - m_fBoundsMinY) / frameHeight;
    return {x, y};
}

CDoublePoint CSplineTrack::WorldPoint(const CPose& frame, const CDoublePoint& control) const {
    const CDoublePoint local = MapControlPoint(control);
    return LocalToWorldInFrame(frame, local.x, local.y);
}

CDoublePoint CSplineTrack::GetControlPointWorld(int index) const {
    if (index < kFirstKnot || index > LastIndex())
        return {};
    return WorldPoint(m_parentPose, m_points[index]);
}

void CSplineTrack::ControlBox(double& minX, double& minY, double& maxX, double& maxY) const {
    minX = maxX = m_points[kFirstKnot].x;
    minY = maxY = m_points[kFirstKnot].y;
    for (int i = kFirstKnot + 1; i <= LastIndex(); ++i) {
        minX = std::min(minX, m_points[i].x), maxX = std::max(maxX, m_points[i].x);
        minY = std::min(minY, m_points[i].y), maxY = std::max(maxY, m_points[i].y);
    }
}

// ---- Sampling ----

void CSplineTrack::SampleSegment(const CPose& frame, int knot, int accumulate) {
    CDoublePoint controls[4];
    for (int k = 0; k < 4; ++k) controls[k] = WorldPoint(frame, m_points[knot + k]);
    SampleCubic(controls, accumulate, m_centreSamples, m_fLength);
}

void CSplineTrack::RecomputeLength() {
    m_fLength = 0.0;
    for (int knot = kFirstKnot; knot + 3 <= LastIndex(); knot += 3) SampleSegment(m_parentPose, knot, 1);
    m_fLength = KeptLength(m_fLength);
    m_measuredPose = m_pose;
    m_measuredParentPose = m_parentPose;
}

// Where the parent placement was not changed the measured poses still tell a moved piece.
void CSplineTrack::SetParentPose(const CPose* pose) {
    CParTrack::SetParentPose(pose);
    MeasureShape();
}

void CSplineTrack::ComputeExtent(const CPose* pose) {
    CParTrack::ComputeExtent(pose);
    MeasureShape();
}

// The length follows the placement: measured again only where the piece lies anew.
void CSplineTrack::MeasureShape() {
    if (!m_pose.SameAs(m_measuredPose) || !m_parentPose.SameAs(m_measuredParentPose))
        RecomputeLength();
}

bool CSplineTrack::KeepsStoredLength(double stored) const {
    return WithinSampling(stored, kGridAllowance * SegmentCount());
}

// ---- Records ----

void CSplineTrack::SerializeShape(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_fBoundsMinX << m_fBoundsMaxY << m_fBoundsMaxX << m_fBoundsMinY;
        return;
    }
    double bounds[4] = {};
    for (double& value : bounds) ar >> value;
    // A record short of control points starts again as a new piece does, with no segment.
    if (m_points.GetSize() < kStartPoints)
        m_points.SetSize(kStartPoints);
    bool sound = IsControlCount(m_points.GetSize());
    for (double value : bounds) sound = sound && std::isfinite(value);
    for (double corner : {m_fCornerX1, m_fCornerY1, m_fCornerX2, m_fCornerY2})
        sound = sound && std::isfinite(corner);
    for (int i = 0; sound && i < m_points.GetSize(); ++i) sound = IsFinitePoint(m_points[i]);
    if (!sound)
        FailRead(ar, CArchiveException::badSchema);
    m_fBoundsMinX = bounds[0];
    m_fBoundsMaxY = bounds[1];
    m_fBoundsMaxX = bounds[2];
    m_fBoundsMinY = bounds[3];
    // Ends, frame and length come with the record as they were stored.
}

// ---- Shape ----

void CSplineTrack::RebuildShape() {
    if (m_points.GetSize() <= kFirstKnot)
        return;
    const double oldMinX = m_fBoundsMinX, oldMaxX = m_fBoundsMaxX;
    const double oldMinY = m_fBoundsMinY, oldMaxY = m_fBoundsMaxY;
    ControlBox(m_fBoundsMinX, m_fBoundsMinY, m_fBoundsMaxX, m_fBoundsMaxY);
    if (m_fCornerX1 == 0.0 && m_fCornerY1 == 0.0 && m_fCornerX2 == 0.0 && m_fCornerY2 == 0.0) {
        SetFrameFromBounds();
    } else {
        const double fx = oldMaxX != oldMinX ? (m_fCornerX2 - m_fCornerX1) / (oldMaxX - oldMinX) : 0.0;
        const double fy = oldMaxY != oldMinY ? (m_fCornerY1 - m_fCornerY2) / (oldMaxY - oldMinY) : 0.0;
        m_fCornerX1 += (m_fBoundsMinX - oldMinX) * fx;
        m_fCornerY2 += (m_fBoundsMinY - oldMinY) * fy;
        m_fCornerX2 += (m_fBoundsMaxX - oldMaxX) * fx;
        m_fCornerY1 += (m_fBoundsMaxY - oldMaxY) * fy;
    }
    ComputeExtent(&m_parentPose);
    RebuildMarkers();
    RebuildEnds();
    RefreshFrameHandles();
    RecomputeLength();
}

void CSplineTrack::SetFrameFromBounds() {
    m_fCornerX1 = m_fBoundsMinX;
    m_fCornerY1 = m_fBoundsMaxY;
    m_fCornerX2 = m_fBoundsMaxX;
    m_fCornerY2 = m_fBoundsMinY;
}

void CSplineTrack::FitBoundsToControlPoints() {
    ControlBox(m_fBoundsMinX, m_fBoundsMinY, m_fBoundsMaxX, m_fBoundsMaxY);
    SetFrameFromBounds();
    ComputeExtent(&m_parentPose);
    RecomputeLength();
}

void CSplineTrack::RefreshFrameHandles() {
    PlaceFrameCorners();
    UpdateAnchorPoint();
}

void CSplineTrack::PlaceFrameCorners() {
    m_points[1] = {m_fCornerX1, m_fCornerY1};
    m_points[2] = {m_fCornerX1, m_fCornerY2};
    m_points[3] = {m_fCornerX2, m_fCornerY2};
    m_points[4] = {m_fCornerX2, m_fCornerY1};
}

CDoublePoint CSplineTrack::MarkerFrom(int from, int toward) const {
    const CDoublePoint& a = m_points[from];
    const CDoublePoint& b = m_points[toward];
    const double direction = ReduceAngle(TrackDirection(b.x - a.x, b.y - a.y));
    const double handle = m_pTool != nullptr ? m_pTool->m_fHandleSize : 10.0;
    const double reach = kMarkerHandles * handle;
    // Kept mapped, so the drawing and the re-attaching press use it as a local point.
    return MapControlPoint({a.x + reach * std::cos(direction), a.y + reach * std::sin(direction)});
}

void CSplineTrack::RebuildMarkers() {
    if (SegmentCount() == 0)
        return;
    if (m_bBeginConnected)
        m_ptBeginMarker = MarkerFrom(kFirstKnot, kFirstKnot + 3);
    if (m_bEndConnected)
        m_ptEndMarker = MarkerFrom(LastIndex(), LastIndex() - 3);
}

void CSplineTrack::RebuildEnds() {
    if (m_points.GetSize() <= kFirstKnot)
        return;
    m_ptBegin = MapControlPoint(m_points[kFirstKnot]);
    m_ptEnd = MapControlPoint(m_points[LastIndex()]);
}

void CSplineTrack::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (m_points.GetSize() <= kFirstKnot) {
        minX = minY = maxX = maxY = 0.0;
        return;
    }
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ControlBox(x0, y0, x1, y1);
    const CDoublePoint a = MapControlPoint({x0, y0}), b = MapControlPoint({x1, y1});
    WorldBoundsOfBox(pose, a, b, minX, minY, maxX, maxY);
}

void CSplineTrack::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const double m = LargestWidth() / 2.0;
    const double left = std::min(m_fCornerX1, m_fCornerX2) - m,
                 right = std::max(m_fCornerX1, m_fCornerX2) + m;
    const double bottom = std::min(m_fCornerY1, m_fCornerY2) - m,
                 top = std::max(m_fCornerY1, m_fCornerY2) + m;
    WorldBoundsOfBox(pose, {left, top}, {right, bottom}, minX, minY, maxX, maxY);
}

// Without knots its box is the origin of the frame it is asked in.
bool CSplineTrack::GetFrameOutline(std::vector<CDoublePoint>& points) {
    if (m_points.GetSize() <= kFirstKnot)
        return false;
    return CParTrack::GetFrameOutline(points);
}

void CSplineTrack::WorldExtentOfControlBox() {
    GetFrameBounds(&m_parentPose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    const double m = LargestWidth() / 2.0;
    m_fMinX -= m, m_fMinY -= m, m_fMaxX += m, m_fMaxY += m;
}

void CSplineTrack::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CSplineTrack*>(other)) {
        m_fBoundsMinX = source->m_fBoundsMinX;
        m_fBoundsMaxY = source->m_fBoundsMaxY;
        m_fBoundsMaxX = source->m_fBoundsMaxX;
        m_fBoundsMinY = source->m_fBoundsMinY;
        // A former state put back keeps its length exactly, as read or as measured.
        m_measuredPose = source->m_measuredPose;
        m_measuredParentPose = source->m_measuredParentPose;
    }
    CParTrack::CopyFrom(other);
}

CPaint* CSplineTrack::Clone() {
    auto* copy = new CSplineTrack;
    copy->CopyFrom(this);
    return copy;
}

int CSplineTrack::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return m_fLength > 0.0 ? 0 : 1;
}

// ---- Ends and centre line ----

double CSplineTrack::GetEndAngle(const CPose* pose, int index) {
    if (SegmentCount() == 0)
        return 0.0;
    const CPose& frame = FrameOf(pose);
    const int from = index == 0 ? kFirstKnot : LastIndex();
    const int to = index == 0 ? kFirstKnot + 1 : LastIndex() - 1;
    const CDoublePoint a = WorldPoint(frame, m_points[from]);
    const CDoublePoint b = WorldPoint(frame, m_points[to]);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double d = VectorLength(dx, dy);
    if (d == 0.0)
        return 0.0;
    const double phi = std::acos(std::clamp(dx / d, -1.0, 1.0));
    return ReduceAngle(dy < 0.0 ? kFullTurn - phi : phi);
}

int CSplineTrack::AppendCentreLine(CPointArray& points, int reversed) {
    if (SegmentCount() == 0)
        return 0;
    const double h = HandleTolerance();
    int added = 0;
    points.Add(MapControlPoint(m_points[reversed ? LastIndex() : kFirstKnot]));
    ++added;
    for (int s = 0; s < SegmentCount(); ++s) {
        const int knot = reversed ? LastIndex() - 3 * (s + 1) : kFirstKnot + 3 * s;
        CDoublePoint controls[4];
        for (int k = 0; k < 4; ++k)
            controls[k] = MapControlPoint(m_points[reversed ? knot + 3 - k : knot + k]);
        BezierSamples samples;
        double unused = 0.0;
        SampleCubic(controls, 0, samples, unused);
        CDoublePoint last = SamplePoint(samples, 0);
        for (int i = 1; i <= kBezierSteps; ++i) {
            const CDoublePoint p = SamplePoint(samples, i);
            if (VectorLength(p.x - last.x, p.y - last.y) >= h || i == 1 || i == kBezierSteps) {
                points.Add(p);
                ++added;
                last = p;
            }
        }
    }
    return added;
}

int CSplineTrack::SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                                   double& step) {
    CPointArray line;
    AppendCentreLine(line, 0);
    return SampleAlong(line, points, elevations, step);
}

// ---- Edit steps ----

int CSplineTrack::SetControlPoints(CPointArray* points, int pushOnly, int groupStart) {
    if (points == nullptr)
        return 0;
    // Back through the frame box into control space, so that each point lands on its world
    // place however the frame was stretched; a new piece's empty frame keeps them as they are.
    for (int i = 0; i < points->GetSize(); ++i) {
        const CDoublePoint local = WorldToLocal((*points)[i].x, (*points)[i].y);
        (*points)[i] = UnmapPoint(local, local);
    }
    auto step = std::make_unique<CEditStep>(kStepSetControlPoints, this, groupStart);
    auto payload = std::make_unique<ControlPointsPayload>();
    payload->points = std::move(*points);
    step->SetPayload(std::move(payload));
    return RecordOrApply(std::move(step), pushOnly != 0);
}

void CSplineTrack::PushControlPointsForUndo() {
    // The control points as they stand, so that undo gives them back bit for bit.
    auto step = std::make_unique<CEditStep>(kStepSetControlPoints, this, 1);
    auto payload = std::make_unique<ControlPointsPayload>();
    for (int i = kFirstKnot; i <= LastIndex(); ++i) payload->points.Add(m_points[i]);
    step->SetPayload(std::move(payload));
    RecordOrApply(std::move(step), true);
}

int CSplineTrack::ApplyShapeStep(CEditStep* step) {
    const ControlPointsPayload* control = step->GetPayload<ControlPointsPayload>();
    if (control == nullptr || control->points.GetSize() == 0)
        return 0;
    Invalidate();
    const int n = control->points.GetSize();
    m_points.SetSize(0);
    m_points.SetSize(kFirstKnot + n);
    for (int i = 0; i < kFirstKnot; ++i) m_points[i] = {0.0, 0.0};
    for (int i = 0; i < n; ++i) m_points[kFirstKnot + i] = control->points[i];
    RebuildShape();
    Invalidate();
    return 1;
}

int CSplineTrack::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr)
        return 0;
    Invalidate();
    const CDoublePoint local = WorldToLocal(geometry->x, geometry->y);
    const int handle = geometry->handle;
    if (handle >= 1 && handle <= 4 && m_points.GetSize() > 4) {
        MoveBoxCorner(handle, local.x, local.y, nullptr);
        m_fCornerX1 = m_points[1].x;
        m_fCornerY1 = m_points[1].y;
        m_fCornerX2 = m_points[3].x;
        m_fCornerY2 = m_points[3].y;
    } else if (handle >= kFirstKnot && handle <= LastIndex()) {
        const CDoublePoint old = m_points[handle];
        const CDoublePoint moved = UnmapPoint(local, old);
        m_points[handle] = moved;
        if (IsKnot(handle)) {
            for (int neighbour : {handle - 1, handle + 1})
                if (neighbour > kFirstKnot && neighbour < LastIndex())
                    m_points[neighbour] = {m_points[neighbour].x + moved.x - old.x,
                                           m_points[neighbour].y + moved.y - old.y};
        } else {
            const int partner = handle % 3 == 1 ? handle + 2 : handle - 2;
            if (partner > kFirstKnot && partner < LastIndex()) {
                const CDoublePoint& knot = m_points[handle % 3 == 1 ? handle + 1 : handle - 1];
                MovePartners(handle, PointDistance(m_points[partner], knot));
            }
        }
    }
    RebuildShape();
    Invalidate();
    return 1;
}

void CSplineTrack::RescaleWithUndo(const CPose*, double factor, int) {
    ExecuteRescale(factor, m_ptSaved, m_ptDragA);
}

int CSplineTrack::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr || m_points.GetSize() <= kFirstKnot)
        return 0;
    const CDoublePoint corner = shape::RescaledFrom(*rescale, {m_fCornerX1, m_fCornerY1});
    m_fCornerX2 = corner.x;
    m_fCornerY2 = corner.y;
    shape::MoveOriginForRescale(*this, *rescale);
    FinishDrag();
    return 1;
}

int CSplineTrack::MirrorX(double c) {
    MirrorPoseAndPoints(c, &CDoublePoint::x);
    m_fCornerX1 = m_points[1].x;
    m_fCornerX2 = m_points[3].x;
    m_fBoundsMinX = -m_fBoundsMinX;
    m_fBoundsMaxX = -m_fBoundsMaxX;
    FinishDrag();
    return 1;
}

int CSplineTrack::MirrorY(double c) {
    MirrorPoseAndPoints(c, &CDoublePoint::y);
    m_fCornerY1 = m_points[1].y;
    m_fCornerY2 = m_points[3].y;
    m_fBoundsMaxY = -m_fBoundsMaxY;
    m_fBoundsMinY = -m_fBoundsMinY;
    FinishDrag();
    return 1;
}

void CSplineTrack::FinishDrag() {
    if (m_points.GetSize() <= kFirstKnot)
        return;
    RefreshFrameHandles();
    ComputeExtent(&m_parentPose);
    RebuildMarkers();
    RebuildEnds();
    RecomputeLength();
}

// ---- Cut ----

void CSplineTrack::CutAtToolPoint() {
    if (m_pTool == nullptr || SegmentCount() == 0)
        return;
    const CDoublePoint a = WorldToLocal(m_ptHitA.x, m_ptHitA.y);
    const CDoublePoint b = WorldToLocal(m_ptHitB.x, m_ptHitB.y);
    if (!IsAwayFromEnds(a.x, a.y) || !IsAwayFromEnds(b.x, b.y))
        return;
    CPointArray before;
    for (int i = kFirstKnot; i <= LastIndex(); ++i) before.Add(GetControlPointWorld(i));
    RecordCut(&before, 0, 1, 1);
    // Undo gives the end its elevation back with the control points.
    ChangeEndElevation(0, m_fEndElevation, 1, 0);
    RecordCut(nullptr, 0, 0, 0);
}

int CSplineTrack::RecordCut(CPointArray* points, int, int pushOnly, int groupStart) {
    if (pushOnly)
        return SetControlPoints(points, 1, 1);
    CEditStep step(kStepCutTrack, this, groupStart);
    step.SetPayload(std::make_unique<CutTrackPayload>());
    return ApplyEditStep(&step);
}

int CSplineTrack::ApplyCutStep(CEditStep*) {
    const int segments = SegmentCount();
    if (segments == 0 || m_nHitSegment < kFirstKnot || m_nHitSegment + 3 > LastIndex() || m_pTool == nullptr)
        return 0;
    const CDoublePoint m{(m_ptHitA.x + m_ptHitB.x) / 2.0, (m_ptHitA.y + m_ptHitB.y) / 2.0};
    const double a = ReduceAngle(TrackDirection(m_ptHitB.x - m_ptHitA.x, m_ptHitB.y - m_ptHitA.y));
    const CDoublePoint along{std::cos(a), std::sin(a)};
    const int k = m_nHitSegment;
    CPointArray world;
    for (int i = kFirstKnot; i <= LastIndex(); ++i) world.Add(GetControlPointWorld(i));
    const int at = k - kFirstKnot;
    const CDoublePoint p0 = world[at], p3 = world[at + 3];
    // A handle lying on its knot has no direction of its own: the chord's stands in.
    const CDoublePoint w = UnitToward(p0, world[at + 1], UnitToward(p0, m, along));
    const CDoublePoint w2 = UnitToward(world[at + 2], p3, UnitToward(m, p3, along));
    const double z = m_fBeginElevation + (m_fEndElevation - m_fBeginElevation) *
                                             (m_nHitStep - 0.5 * m_nHitSpan) /
                                             (kBezierSteps * std::max(segments, 1));

    CPointArray first;
    for (int i = 0; i <= at + 3; ++i) first.Add(world[i]);
    const double s1 = PointDistance(m, p0) / 3.0;
    first[at + 3] = m;
    first[at + 2] = {m.x - s1 * along.x, m.y - s1 * along.y};
    first[at + 1] = {p0.x + s1 * w.x, p0.y + s1 * w.y};

    CPointArray second;
    for (int i = at; i < world.GetSize(); ++i) second.Add(world[i]);
    const double s2 = PointDistance(m, p3) / 3.0;
    second[0] = m;
    second[1] = {m.x + s2 * along.x, m.y + s2 * along.y};
    second[2] = {p3.x - s2 * w2.x, p3.y - s2 * w2.y};

    auto* copy = dynamic_cast<CSplineTrack*>(Clone());
    if (!SetControlPoints(&first, 0, 1) || copy == nullptr) {
        delete copy;
        return 0;
    }
    if (!PlaceCutCopy(copy))
        return 0;
    copy->SetControlPoints(&second, 0, 1);
    m_fEndElevation = z;
    copy->m_fBeginElevation = z;
    FinishCut(copy);
    return 1;
}

// ---- Status ----

void CSplineTrack::UpdateSizeInfo(const CPose* pose) {
    CParTrack::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    CPieceStatusText& status = m_pTool->m_status;
    status.m_nKind = 20;
    status.m_strMeasure[2] = LengthText(m_fLength);
    double angle = m_pose.angle + FrameOf(pose).angle;
    if (!(angle > 0.0))
        angle += kFullTurn;
    status.m_fRotation = angle * 180.0 / kPi;
}

// The length, then the direction of the line the dragged control point sets.
CString CSplineTrack::HandleMeasures() {
    const CString length = LengthText(m_fLength);
    const int i = m_pTool->m_nDraggedHandle;
    if (i < kFirstKnot || i > LastIndex())
        return length;
    int from = i, to = i;
    if (i == kFirstKnot) {
        to = std::min(kFirstKnot + 3, LastIndex());
    } else if (IsKnot(i)) {
        from = i - 3;
    } else if (i % 3 == 1) {
        to = i + 1;
    } else {
        from = i - 1;
    }
    const CDoublePoint a = GetControlPointWorld(from), b = GetControlPointWorld(to);
    double degrees = TrackDirection(b.x - a.x, b.y - a.y) * 180.0 / kPi;
    if (degrees < 0.0)
        degrees += 360.0;
    CString direction;
    direction.Format("; %.2f", degrees);
    return length + direction;
}
