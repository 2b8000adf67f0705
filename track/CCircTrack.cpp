#include "track/CCircTrack.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"
#include "track/TrackAngles.h"
#include "track/TrackPayloads.h"

IMPLEMENT_SERIAL(CCircTrack, CParTrack, 3)

namespace {

constexpr int kStoredExtraPoint = 7;

}  // namespace

CCircTrack::CCircTrack() : CSweptTrack(0.0) {
    InitCreationState();
}

CCircTrack::CCircTrack(int selected, CTool* tool, double x, double y)
    : CSweptTrack(0.0, selected, tool, x, y) {
    m_strType = CStringTable::Text(IDS_OTHER);
    m_strName = CStringTable::Text(IDS_CURVED_TRACK);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(kFarAway, kFarAway);
    m_points[5] = {0.0, 0.0};
    m_points[6] = {0.0, 0.0};
    InitCreationState();
}

void CCircTrack::InitCreationState() {
    m_fCreationTangent = kPi;
    m_nBendLock = 0;
    m_bTangentPending = 1;
}

void CCircTrack::EnsurePoints() {
    const int had = m_points.GetSize();
    if (had >= kPointCount)
        return;
    m_points.SetSize(kPointCount);
    for (int i = std::max(had, 1); i <= 4; ++i) m_points[i] = {kFarAway, kFarAway};
}

bool CCircTrack::TakeMissingRadiusAsOne() {
    if (m_fRadius != 0.0)
        return false;
    m_fRadius = 1.0;
    return true;
}

CDoublePoint CCircTrack::OnCircle(double radius, double angle) const {
    return {m_ptCentre.x + radius * std::cos(angle), m_ptCentre.y + radius * std::sin(angle)};
}

double CCircTrack::ChordStep(double chord) const {
    const double q = chord / m_fRadius * 0.5;
    if (!std::isfinite(q))
        return 0.0;
    return 2.0 * std::asin(std::clamp(q, -1.0, 1.0));
}

// ---- Records ----

void CCircTrack::SerializeShape(CArchive& ar) {
    if (ar.IsStoring()) {
        // Storing leaves the piece as it is; stray points past the seventh go when it is read.
        ar << m_ptCentre.x << m_ptCentre.y << m_fRadius << m_fSweep << m_fStartAngle;
        return;
    }
    // All of them at once: dropping one a reading would change the file at every save.
    if (m_points.GetSize() > kStoredExtraPoint)
        m_points.SetSize(kStoredExtraPoint);
    ar >> m_ptCentre.x >> m_ptCentre.y >> m_fRadius >> m_fSweep >> m_fStartAngle;
    // Taken with the shape it gives as it is read, a missing radius leaves no drawing anything to
    // change in what is stored.
    if (TakeMissingRadiusAsOne() || m_points.GetSize() < kPointCount) {
        EnsurePoints();
        RebuildShape();
    }
}

// ---- Shape ----

void CCircTrack::RecomputeLength() {
    m_fLength = KeptLength(m_fRadius * m_fSweep);
}

void CCircTrack::RebuildShape() {
    EnsurePoints();
    const double s = m_fStartAngle;
    const double e = EndAngleLocal();
    m_points[5] = OnCircle(m_fRadius, s);
    m_points[6] = OnCircle(m_fRadius, e);
    m_ptBegin = m_points[5];
    m_ptEnd = m_points[6];
    const double margin = Margin();
    m_points[0] = HandlePoint();
    TakeMissingRadiusAsOne();
    const double delta = MarkerAngle(m_fRadius);
    m_ptBeginMarker = OnCircle(m_fRadius, s + delta);
    m_ptEndMarker = OnCircle(m_fRadius, e - delta);
    RecomputeLength();
    double minX = std::min(m_points[5].x, m_points[6].x), maxX = std::max(m_points[5].x, m_points[6].x);
    double minY = std::min(m_points[5].y, m_points[6].y), maxY = std::max(m_points[5].y, m_points[6].y);
    if (std::isfinite(s) && std::isfinite(e) && std::fabs(s) < 1e3 && std::fabs(e) < 1e3) {
        const int first = static_cast<int>(s / kPi * 2.0) + 1;
        const int last = std::min(static_cast<int>(e / kPi * 2.0), first + 7);
        for (int k = first; k <= last; ++k) {
            int axis = k;
            while (axis > 4) axis -= 4;
            const double cx = m_ptCentre.x, cy = m_ptCentre.y, r = m_fRadius;
            const CDoublePoint p = axis == 1   ? CDoublePoint{cx, cy + r}
                                   : axis == 2 ? CDoublePoint{cx - r, cy}
                                   : axis == 3 ? CDoublePoint{cx, cy - r}
                                               : CDoublePoint{cx + r, cy};
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    }
    m_fCornerX1 = minX - margin;
    m_fCornerY1 = maxY + margin;
    m_fCornerX2 = maxX + margin;
    m_fCornerY2 = minY - margin;
    ComputeExtent(&m_parentPose);
}

CDoublePoint CCircTrack::HandlePoint() const {
    return OnCircle(m_fRadius + Margin() + 2.0 * HandleTolerance(), m_fStartAngle + m_fSweep / 2.0);
}

// The handle stays where the rebuild puts it: the box corners the base class would place it
// beside are unused here, far outside any plan.
void CCircTrack::UpdateAnchorPoint() {
    EnsurePoints();
    m_points[0] = HandlePoint();
}

void CCircTrack::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const double margin = Margin();
    const double x1 = m_fCornerX1 + margin, y1 = m_fCornerY1 - margin;
    const double x2 = m_fCornerX2 - margin, y2 = m_fCornerY2 + margin;
    WorldBoundsOfBox(pose, {x1, y1}, {x2, y2}, minX, minY, maxX, maxY);
}

void CCircTrack::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    WorldBoundsOfBox(pose, {m_fCornerX1, m_fCornerY1}, {m_fCornerX2, m_fCornerY2}, minX, minY, maxX, maxY);
}

void CCircTrack::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CCircTrack*>(other)) {
        m_fRadius = source->m_fRadius;
        m_fSweep = source->m_fSweep;
        m_fStartAngle = source->m_fStartAngle;
        m_ptCentre = source->m_ptCentre;
    }
    CParTrack::CopyFrom(other);
}

CPaint* CCircTrack::Clone() {
    auto* copy = new CCircTrack;
    copy->CopyFrom(this);
    return copy;
}

int CCircTrack::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    if (!(m_fRadius > m_fGauge / 2.0))
        return 1;
    if (m_fStartAngle < 0.0 || m_fStartAngle > kFullTurn || m_fSweep < 0.0 || m_fSweep > kFullTurn)
        return 1;
    return m_fLength > 0.0 ? 0 : 1;
}

// ---- Ends and centre line ----

double CCircTrack::GetEndAngle(const CPose* pose, int index) {
    double angle = m_fStartAngle + m_pose.angle + FrameOf(pose).angle;
    angle += index == 0 ? kPi * 0.5 : m_fSweep + kPi * 1.5;
    return ReduceAngle(angle);
}

int CCircTrack::AppendCentreLine(CPointArray& points, int reversed) {
    TakeMissingRadiusAsOne();
    const double s = m_fStartAngle, e = EndAngleLocal();
    double step = ChordStep(HandleTolerance());
    // A chord wider than the circle leaves only the ends; a step too fine for the bound is
    // widened to it.
    if (!(step > 0.0) || !(std::fabs(HandleTolerance() / m_fRadius * 0.5) < 1.0))
        step = std::fabs(e - s) + 1.0;
    step = std::max(step, std::fabs(e - s) / kMaxSteps);
    int added = 0;
    for (int i = 0; i < kMaxSteps; ++i) {
        const double a = reversed ? e - i * step : s + i * step;
        if (reversed ? !(a > s) : !(a < e))
            break;
        points.Add(OnCircle(m_fRadius, a));
        ++added;
    }
    points.Add(OnCircle(m_fRadius, reversed ? s : e));
    return added + 1;
}

int CCircTrack::SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                                 double& step) {
    const double length = m_fLength;
    const double wanted = step > 0.0 && std::isfinite(step) ? length / step : 0.0;
    const int count = wanted >= 1.0 ? static_cast<int>(std::min(wanted, static_cast<double>(kMaxSteps))) : 0;
    step = count > 0 ? length / count : length;
    const double bed = m_pTool != nullptr && m_pTool->m_pDefaultTrack != nullptr
                           ? m_pTool->m_pDefaultTrack->m_fRoadbedHeight
                           : m_fRoadbedHeight;
    const double rise = length != 0.0 ? (m_fEndElevation - m_fBeginElevation) / length * step : 0.0;
    auto add = [&](double angle, double elevation) {
        const CDoublePoint local = OnCircle(m_fRadius, angle);
        points.push_back(LocalToWorld(local.x, local.y));
        elevations.push_back(elevation);
    };
    add(m_fStartAngle, m_fBeginElevation - bed);
    for (int i = 1; i < count; ++i)
        add(m_fStartAngle + i * step / m_fRadius, m_fBeginElevation - bed + rise * i);
    add(EndAngleLocal(), m_fEndElevation - bed);
    return static_cast<int>(points.size());
}

// ---- Edit steps ----

int CCircTrack::SetArc(double centreX, double centreY, double radius, double startAngle, double sweep,
                       int queue, int groupStart) {
    const CDoublePoint centre = WorldToLocal(centreX, centreY);
    auto step = std::make_unique<CEditStep>(41, this, groupStart);
    auto payload = std::make_unique<CircularArcPayload>();
    payload->centreX = centre.x;
    payload->centreY = centre.y;
    payload->radius = radius;
    payload->startAngle = ReduceAngle(startAngle - WorldAngleOffset());
    payload->sweep = sweep;
    step->SetPayload(std::move(payload));
    return RecordOrApply(std::move(step), queue != 0);
}

int CCircTrack::ApplyShapeStep(CEditStep* step) {
    const CircularArcPayload* arc = step->GetPayload<CircularArcPayload>();
    if (arc == nullptr)
        return 0;
    Invalidate();
    m_ptCentre = {arc->centreX, arc->centreY};
    m_fRadius = arc->radius;
    m_fStartAngle = arc->startAngle;
    m_fSweep = arc->sweep;
    RebuildShape();
    Invalidate();
    return 1;
}

void CCircTrack::RescaleWithUndo(const CPose*, double factor, int) {
    ExecuteRescale(factor, {m_fSavedRadius, 0.0}, m_ptAnchor);
}

int CCircTrack::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr)
        return 0;
    const double f = rescale->factor;
    m_fRadius = rescale->ax * f;
    shape::MoveOriginForRescale(*this, *rescale);
    RebuildShape();
    return 1;
}

// ---- Cut ----

void CCircTrack::CutAtToolPoint() {
    double delta = 0.0;
    if (!CutAngleAtToolPoint(m_ptCentre, m_fStartAngle, delta))
        return;
    CutWithUndo(m_fSweep, 0, 1, 1);
    CutWithUndo(delta, 0, 0, 0);
}

int CCircTrack::CutWithUndo(double value, int, int record, int groupStart) {
    if (record) {
        const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
        return SetArc(centre.x, centre.y, m_fRadius, m_fStartAngle + WorldAngleOffset(), value, 1, 1);
    }
    return ApplyCutNow(value, groupStart);
}

int CCircTrack::ApplyCutStep(CEditStep* step) {
    const CutTrackPayload* cut = step->GetPayload<CutTrackPayload>();
    if (cut == nullptr)
        return 0;
    const double delta = ReadCutData(*cut, 0);
    const double z = m_fLength != 0.0 ? m_fBeginElevation + (m_fEndElevation - m_fBeginElevation) *
                                                                (m_fRadius * delta) / m_fLength
                                      : m_fBeginElevation;
    const double rest = m_fSweep - delta;
    const double newStart = StartAfterCut(delta);
    const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
    const double worldStart = m_fStartAngle + WorldAngleOffset();
    const double worldNewStart = newStart + WorldAngleOffset();
    if (!SetArc(centre.x, centre.y, m_fRadius, worldStart, delta, 0, 0))
        return 0;
    UpdateConnections(&m_parentPose, 0);
    auto* copy = dynamic_cast<CCircTrack*>(Clone());
    m_fEndElevation = z;
    if (!PlaceCutCopy(copy))
        return 0;
    if (!copy->SetArc(centre.x, centre.y, m_fRadius, worldNewStart, rest, 0, 0))
        return 0;
    copy->m_fBeginElevation = z;
    FinishCut(copy);
    return 1;
}

// ---- Status ----

void CCircTrack::UpdateSizeInfo(const CPose* pose) {
    CParTrack::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    DescribeArc(pose, 19, m_ptCentre, m_fStartAngle, m_fSweep);
    m_pTool->m_status.m_strMeasure[6] = LengthText(m_fRadius);
}

CString CCircTrack::HandleMeasures() {
    CString sweep;
    sweep.Format("%.2f", m_fSweep * 180.0 / kPi);
    return LengthText(m_fRadius) + "; " + LengthText(m_fLength) + "; " + sweep;
}
