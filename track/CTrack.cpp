#include "track/CTrack.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "track/TrackAngles.h"
#include "track/TrackPayloads.h"

IMPLEMENT_SERIAL(CTrack, CParTrack, 3)

namespace {

// Bounds the samples of a centre line for the track bed.
constexpr int kMaxSamples = 100000;

}  // namespace

CTrack::CTrack() = default;

CTrack::CTrack(int selected, CTool* tool, double x, double y) : CParTrack(selected, tool, x, y) {
    m_strType = "Other";
    m_strName = "Straight track";
    m_fLength = 0.0;
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

void CTrack::SerializeShape(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_ptFirst.x << m_ptFirst.y << m_ptSecond.x << m_ptSecond.y;
        return;
    }
    ar >> m_ptFirst.x >> m_ptFirst.y >> m_ptSecond.x >> m_ptSecond.y;
    // A record whose outline is short of points gets it rebuilt from the centre line.
    if (m_points.GetSize() < kPointCount) {
        m_points.SetSize(kPointCount);
        RebuildShape();
    }
}

double CTrack::Direction() const {
    return TrackDirection(m_ptSecond.x - m_ptFirst.x, m_ptSecond.y - m_ptFirst.y);
}

// ---- Shape ----

void CTrack::RecomputeLength() {
    m_fLength = KeptLength(VectorLength(m_ptSecond.x - m_ptFirst.x, m_ptSecond.y - m_ptFirst.y));
}

void CTrack::RebuildShape() {
    m_ptBegin = m_ptFirst;
    m_ptEnd = m_ptSecond;
    const double length = VectorLength(m_ptSecond.x - m_ptFirst.x, m_ptSecond.y - m_ptFirst.y);
    RecomputeLength();
    const double theta = Direction();
    const double c = std::cos(theta), s = std::sin(theta);
    const CDoublePoint n{-s, c};
    const CDoublePoint far{m_ptFirst.x + length * c, m_ptFirst.y + length * s};
    auto offset = [&n](const CDoublePoint& p, double by) {
        return CDoublePoint{p.x + by * n.x, p.y + by * n.y};
    };
    if (m_points.GetSize() < kPointCount)
        m_points.SetSize(kPointCount);
    const double half = LargestWidth() / 2.0;
    m_points[1] = offset(m_ptFirst, -half);
    m_points[2] = offset(m_ptFirst, half);
    m_points[3] = offset(far, half);
    m_points[4] = offset(far, -half);
    const double rail = m_fGauge / 2.0;
    m_points[5] = offset(m_ptFirst, -rail);
    m_points[6] = offset(m_ptFirst, rail);
    m_points[7] = offset(far, rail);
    m_points[8] = offset(far, -rail);
    // The marker length is the handle size in pixels taken as a length, whatever the zoom.
    const double handle = m_pTool != nullptr ? m_pTool->m_fHandleSize : 10.0;
    const double marker = std::min(length, 120.0 * handle);
    if (m_bBeginConnected)
        m_ptBeginMarker = {m_ptFirst.x + marker * c, m_ptFirst.y + marker * s};
    if (m_bEndConnected)
        m_ptEndMarker = {m_ptSecond.x - marker * c, m_ptSecond.y - marker * s};
    ComputeExtent(&m_parentPose);
}

void CTrack::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const CDoublePoint a = LocalToWorldInFrame(FrameOf(pose), m_ptFirst.x, m_ptFirst.y);
    const CDoublePoint b = LocalToWorldInFrame(FrameOf(pose), m_ptSecond.x, m_ptSecond.y);
    minX = std::min(a.x, b.x);
    minY = std::min(a.y, b.y);
    maxX = std::max(a.x, b.x);
    maxY = std::max(a.y, b.y);
}

void CTrack::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (m_points.GetSize() < 5)
        return;
    const CDoublePoint corners[4] = {m_points[1], m_points[2], m_points[3], m_points[4]};
    WorldBoundsOf(pose, corners, 4, minX, minY, maxX, maxY);
}

bool CTrack::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points = {m_ptFirst, m_ptSecond};
    return true;
}

void CTrack::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CTrack*>(other)) {
        m_ptFirst = source->m_ptFirst;
        m_ptSecond = source->m_ptSecond;
    }
    CParTrack::CopyFrom(other);
}

CPaint* CTrack::Clone() {
    auto* copy = new CTrack;
    copy->CopyFrom(this);
    return copy;
}

int CTrack::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return m_ptFirst == m_ptSecond || m_fLength <= 0.0 ? 1 : 0;
}

// ---- Ends ----

double CTrack::GetEndAngle(const CPose* pose, int index) {
    const CPlacement placement(m_pose, FrameOf(pose));
    const CDoublePoint begin = placement.ToWorld(GetEndPoint(0));
    const CDoublePoint end = placement.ToWorld(GetEndPoint(1));
    double angle = TrackDirection(end.x - begin.x, end.y - begin.y);
    if (index != 0)
        angle += kPi;
    return ReduceAngle(angle);
}

void CTrack::SetLength(const CPose*, double length) {
    m_fLength = length;
    const double theta = Direction();
    m_ptSecond = {m_ptFirst.x + length * std::cos(theta), m_ptFirst.y + length * std::sin(theta)};
}

int CTrack::AppendCentreLine(CPointArray& points, int reversed) {
    points.Add(reversed ? m_ptSecond : m_ptFirst);
    points.Add(reversed ? m_ptFirst : m_ptSecond);
    return 2;
}

int CTrack::SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                             double& step) {
    const double length = m_fLength;
    const double wanted = step > 0.0 && std::isfinite(step) ? length / step : 0.0;
    const int count =
        wanted >= 1.0 ? static_cast<int>(std::min(wanted, static_cast<double>(kMaxSamples))) : 0;
    step = count > 0 ? length / count : length;
    const double bed = m_pTool != nullptr && m_pTool->m_pDefaultTrack != nullptr
                           ? m_pTool->m_pDefaultTrack->m_fRoadbedHeight
                           : m_fRoadbedHeight;
    const double rise = length != 0.0 ? (m_fEndElevation - m_fBeginElevation) / length * step : 0.0;
    const double theta = Direction();
    // A step longer than the piece still gives both ends, one step apart.
    const int segments = std::max(count, 1);
    for (int i = 0; i <= segments; ++i) {
        const double along = step * i;
        const CDoublePoint local{m_ptFirst.x + along * std::cos(theta),
                                 m_ptFirst.y + along * std::sin(theta)};
        points.push_back(LocalToWorld(local.x, local.y));
        elevations.push_back(m_fBeginElevation - bed + rise * i);
    }
    return static_cast<int>(points.size());
}

// ---- Edit steps ----

int CTrack::SetEnds(double bx, double by, double ex, double ey, int record, int groupStart) {
    const CDoublePoint first = WorldToLocal(bx, by);
    const CDoublePoint second = WorldToLocal(ex, ey);
    auto step = std::make_unique<CEditStep>(40, this, groupStart);
    auto payload = std::make_unique<TrackEndsPayload>();
    payload->firstX = first.x;
    payload->firstY = first.y;
    payload->secondX = second.x;
    payload->secondY = second.y;
    step->SetPayload(std::move(payload));
    return RecordOrApply(std::move(step), record != 0);
}

int CTrack::ApplyShapeStep(CEditStep* step) {
    const TrackEndsPayload* ends = step->GetPayload<TrackEndsPayload>();
    if (ends == nullptr)
        return 0;
    Invalidate();
    m_ptFirst = {ends->firstX, ends->firstY};
    m_ptSecond = {ends->secondX, ends->secondY};
    RebuildShape();
    Invalidate();
    return 1;
}

int CTrack::UpdateGeometry(CEditStep* step) {
    const GeometryPayload* geometry = step->GetPayload<GeometryPayload>();
    if (geometry == nullptr)
        return 0;
    Invalidate();
    const CDoublePoint local = WorldToLocal(geometry->x, geometry->y);
    if (geometry->handle == 1)
        m_ptFirst = local;
    else if (geometry->handle == 2)
        m_ptSecond = local;
    RebuildShape();
    Invalidate();
    return 1;
}

int CTrack::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr)
        return 0;
    m_ptSecond = shape::RescaledFrom(*rescale, m_ptFirst);
    shape::MoveOriginForRescale(*this, *rescale);
    RebuildShape();
    return 1;
}

int CTrack::MirrorX(double c) {
    return MirrorAlong(c, &CDoublePoint::x);
}

int CTrack::MirrorY(double c) {
    return MirrorAlong(c, &CDoublePoint::y);
}

int CTrack::MirrorAlong(double c, double CDoublePoint::*axis) {
    MirrorPoseAndPoints(c, axis);
    m_ptFirst.*axis = -(m_ptFirst.*axis);
    m_ptSecond.*axis = -(m_ptSecond.*axis);
    m_ptBegin = m_ptFirst;
    m_ptEnd = m_ptSecond;
    return 1;
}

// ---- Cut ----

void CTrack::CutAtToolPoint() {
    if (m_pTool == nullptr)
        return;
    const double x = m_pTool->m_fCurrentX, y = m_pTool->m_fCurrentY;
    const CDoublePoint local = WorldToLocal(x, y);
    if (!IsAwayFromEnds(local.x, local.y))
        return;
    const CDoublePoint second = LocalToWorld(m_ptSecond.x, m_ptSecond.y);
    CutAt(second.x, second.y, 1, 1);
    CutAt(x, y, 0, 0);
}

int CTrack::CutAt(double x, double y, int record, int groupStart) {
    if (record)
        return ChangeGeometry(x, y, 2, 0, 1, groupStart);
    CEditStep step(kStepCutTrack, this, 1);
    auto payload = std::make_unique<CutTrackPayload>();
    WriteCutData(*payload, x, y);
    step.SetPayload(std::move(payload));
    return ApplyEditStep(&step);
}

int CTrack::ApplyCutStep(CEditStep* step) {
    const CutTrackPayload* cut = step->GetPayload<CutTrackPayload>();
    if (cut == nullptr)
        return 0;
    m_bBeginConnected = 0;
    m_bEndConnected = 0;
    const CDoublePoint c = WorldToLocal(ReadCutData(*cut, 0), ReadCutData(*cut, 1));
    const double dx = m_ptSecond.x - m_ptFirst.x, dy = m_ptSecond.y - m_ptFirst.y;
    const double span = VectorLength(dx, dy);
    if (span == 0.0)
        return 0;
    const double toCut = VectorLength(c.x - m_ptFirst.x, c.y - m_ptFirst.y);
    const double along =
        toCut * std::cos(TrackDirection(c.x - m_ptFirst.x, c.y - m_ptFirst.y) - TrackDirection(dx, dy));
    const CDoublePoint q{m_ptFirst.x + along / span * dx, m_ptFirst.y + along / span * dy};
    const double rise = m_fLength != 0.0 ? (m_fEndElevation - m_fBeginElevation) / m_fLength : 0.0;
    const double zq = m_fBeginElevation + VectorLength(q.x - m_ptFirst.x, q.y - m_ptFirst.y) * rise;
    const CDoublePoint cutWorld = LocalToWorld(q.x, q.y);
    const CDoublePoint secondWorld = LocalToWorld(m_ptSecond.x, m_ptSecond.y);
    const CDoublePoint firstWorld = LocalToWorld(m_ptFirst.x, m_ptFirst.y);
    SetEnds(firstWorld.x, firstWorld.y, cutWorld.x, cutWorld.y, 0, 0);
    auto* copy = dynamic_cast<CTrack*>(Clone());
    m_fEndElevation = zq;
    if (copy == nullptr)
        return 0;
    if (m_pTool == nullptr || !m_pTool->PlaceNewObject(copy, cutWorld.x, cutWorld.y, m_pOwnerGroup, 0)) {
        delete copy;
        return 0;
    }
    copy->SetEnds(cutWorld.x, cutWorld.y, secondWorld.x, secondWorld.y, 0, 0);
    copy->m_fBeginElevation = zq;
    copy->Deselect();
    if (ReturnsToSelector(m_pTool))
        m_pTool->m_toolMode.Set(kToolSelector);
    copy->Update3D(&copy->m_parentPose);
    Update3D(&m_parentPose);
    return 1;
}

// ---- Status ----

void CTrack::UpdateSizeInfo(const CPose* pose) {
    CParTrack::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    const int unit = m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetUnitIndex() : kDefaultUnitIndex;
    const double size = SizeOfUnit(unit);
    const CDoublePoint begin = EndWorldPoint(pose, 0);
    const CDoublePoint end = EndWorldPoint(pose, 1);
    const double dx =
        CLengthFormat::RoundToThousandths(end.x / size) - CLengthFormat::RoundToThousandths(begin.x / size);
    const double dy =
        CLengthFormat::RoundToThousandths(end.y / size) - CLengthFormat::RoundToThousandths(begin.y / size);
    double angle = TrackDirection(dx, dy);
    if (angle < 0.0)
        angle += kFullTurn;
    m_pTool->m_status.m_fRotation = angle * 180.0 / kPi;
    m_pTool->m_status.m_nKind = 17;
}
