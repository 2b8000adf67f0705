#include "track/CArcTrack.h"

#include <algorithm>
#include <cmath>

#include "drawing/ShapeSupport.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/EllipsePolarForm.h"
#include "model/LayoutFile.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"
#include "track/TrackAngles.h"
#include "track/TrackPayloads.h"

IMPLEMENT_SERIAL(CArcTrack, CParTrack, 3)

namespace {

CDoublePoint AxisPoint(int axis, const CDoublePoint& c, double rx, double ry) {
    switch (axis) {
        case 1:
            return {c.x, c.y + ry};
        case 2:
            return {c.x - rx, c.y};
        case 3:
            return {c.x, c.y - ry};
        default:
            return {c.x + rx, c.y};
    }
}

}  // namespace

CArcTrack::CArcTrack() : CSweptTrack(kPi * 0.5) {}

CArcTrack::CArcTrack(int selected, CTool* tool, double x, double y)
    : CSweptTrack(kPi * 0.5, selected, tool, x, y) {
    m_strType = CStringTable::Text(IDS_OTHER);
    m_strName = CStringTable::Text(IDS_CURVED_TRACK);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

void CArcTrack::EnsurePoints() {
    if (m_points.GetSize() < kPointCount)
        m_points.SetSize(kPointCount);
}

// ---- The ellipse in polar form ----

double CArcTrack::PolarRadius(double angle) const {
    return EllipsePolarRadius(angle, m_fRadiusX, m_fRadiusY);
}

CDoublePoint CArcTrack::PointAt(double angle) const {
    const CDoublePoint point = EllipsePolarPoint(angle, m_fRadiusX, m_fRadiusY);
    return {point.x + m_ptCentre.x, point.y + m_ptCentre.y};
}

double CArcTrack::NormalAt(double dx, double dy) const {
    const double across = m_fRadiusX * m_fRadiusX * dy;
    const double along = m_fRadiusY * m_fRadiusY * dx;
    if (along == 0.0)
        return across > 0.0 ? kPi * 0.5 : kPi * -0.5;
    return std::atan2(across, along);
}

CDoublePoint CArcTrack::AlongNormal(const Sample& sample, double offset) const {
    const double psi = NormalAt(sample.point.x - m_ptCentre.x, sample.point.y - m_ptCentre.y);
    return {sample.point.x + offset * std::cos(psi), sample.point.y + offset * std::sin(psi)};
}

bool CArcTrack::AnglesDrawable() const {
    return m_fStartAngle >= 0.0 && m_fStartAngle <= kFullTurn && m_fSweep >= 0.0 && m_fSweep <= kFullTurn;
}

int CArcTrack::Walk(bool reversed, Sample (&samples)[kMaxSamples], double spacing) const {
    const double from = reversed ? EndAngleLocal() : m_fStartAngle;
    const double to = reversed ? m_fStartAngle : EndAngleLocal();
    const double span = std::fabs(to - from);
    if (!(span > 0.0) || !std::isfinite(span))
        return 0;
    const double direction = to > from ? 1.0 : -1.0;
    // Whole degrees, then the far end; a sweep beyond a full turn still fits the samples.
    const int steps = static_cast<int>(std::min(std::ceil(span / kDegree), kMaxSamples - 1.0));
    int kept = 0;
    for (int i = 0; i <= steps; ++i) {
        const double angle = i == steps ? to : from + direction * i * kDegree;
        const CDoublePoint point = PointAt(angle);
        const bool keep =
            kept == 0 || i == steps ||
            VectorLength(point.x - samples[kept - 1].point.x, point.y - samples[kept - 1].point.y) >= spacing;
        if (keep)
            samples[kept++] = {angle, point};
    }
    return kept;
}

// ---- Records ----

void CArcTrack::SerializeShape(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_ptCentre.x << m_ptCentre.y << m_fRadiusX << m_fRadiusY << m_fSweep << m_fStartAngle;
        return;
    }
    double values[6] = {};
    for (double& value : values) ar >> value;
    for (double value : values)
        if (!std::isfinite(value))
            FailRead(ar, CArchiveException::badSchema);
    m_ptCentre = {values[0], values[1]};
    m_fRadiusX = values[2];
    m_fRadiusY = values[3];
    m_fSweep = values[4];
    m_fStartAngle = values[5];
    if (m_points.GetSize() < kPointCount) {
        EnsurePoints();
        RebuildShape();
    }
}

// ---- Shape ----

void CArcTrack::RebuildShape() {
    EnsurePoints();
    RebuildEnds();
    RebuildBox();
    ComputeExtent(&m_parentPose);
    RebuildMarkers();
}

void CArcTrack::RebuildEnds() {
    m_points[5] = PointAt(m_fStartAngle);
    m_points[6] = PointAt(EndAngleLocal());
    m_ptBegin = m_points[5];
    m_ptEnd = m_points[6];
    RecomputeLength();
}

void CArcTrack::RecomputeLength() {
    // Every whole degree, whatever the zoom: the length is the shape's, not the drawing's.
    Sample samples[kMaxSamples];
    const int count = Walk(false, samples, 0.0);
    double length = 0.0;
    for (int i = 1; i < count; ++i)
        length += VectorLength(samples[i].point.x - samples[i - 1].point.x,
                               samples[i].point.y - samples[i - 1].point.y);
    m_fLength = KeptLength(length);
}

bool CArcTrack::KeepsStoredLength(double stored) const {
    return WithinSampling(stored, 0.0);
}

void CArcTrack::RebuildBox() {
    const CDoublePoint& a = m_points[5];
    const CDoublePoint& b = m_points[6];
    double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
    double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
    const double s = m_fStartAngle, e = EndAngleLocal();
    if (std::isfinite(s) && std::isfinite(e) && std::fabs(s) < 1e3 && std::fabs(e) < 1e3) {
        const int first = static_cast<int>(s / kPi * 2.0) + 1;
        int last = static_cast<int>(e / kPi * 2.0);
        if (s > e)
            last += 4;
        // Past four axis points every further one repeats.
        last = std::min(last, first + 7);
        for (int k = first; k <= last; ++k) {
            const CDoublePoint p = AxisPoint(k > 4 ? k - 4 : k, m_ptCentre, m_fRadiusX, m_fRadiusY);
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    }
    m_points[1] = {minX, maxY};
    m_points[2] = {minX, minY};
    m_points[3] = {maxX, minY};
    m_points[4] = {maxX, maxY};
    m_fCornerX1 = minX;
    m_fCornerY1 = maxY;
    m_fCornerX2 = maxX;
    m_fCornerY2 = minY;
    UpdateAnchorPoint();
}

void CArcTrack::RebuildMarkers() {
    if (m_bBeginConnected)
        m_ptBeginMarker = PointAt(m_fStartAngle + MarkerAngle(PolarRadius(m_fStartAngle)));
    if (m_bEndConnected)
        m_ptEndMarker = PointAt(EndAngleLocal() - MarkerAngle(PolarRadius(EndAngleLocal())));
}

void CArcTrack::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    WorldBoundsOfBox(pose, {m_fCornerX1, m_fCornerY1}, {m_fCornerX2, m_fCornerY2}, minX, minY, maxX, maxY);
}

void CArcTrack::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const double m = Margin();
    WorldBoundsOfBox(pose, {m_fCornerX1 - m, m_fCornerY1 + m}, {m_fCornerX2 + m, m_fCornerY2 - m}, minX, minY,
                     maxX, maxY);
}

void CArcTrack::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CArcTrack*>(other)) {
        m_fRadiusX = source->m_fRadiusX;
        m_fRadiusY = source->m_fRadiusY;
        m_fSweep = source->m_fSweep;
        m_fStartAngle = source->m_fStartAngle;
        m_ptCentre = source->m_ptCentre;
    }
    CParTrack::CopyFrom(other);
}

CPaint* CArcTrack::Clone() {
    auto* copy = new CArcTrack;
    copy->CopyFrom(this);
    return copy;
}

int CArcTrack::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    const double half = m_fGauge / 2.0;
    if (!(m_fRadiusX > half) || !(m_fRadiusY > half))
        return 1;
    if (!(m_fStartAngle >= 0.0) || m_fStartAngle > kFullTurn)
        return 1;
    return m_fSweep > 0.0 && m_fSweep <= kFullTurn ? 0 : 1;
}

// ---- Ends and centre line ----

double CArcTrack::GetEndAngle(const CPose* pose, int index) {
    const CDoublePoint& end = index == 1 ? m_ptEnd : m_ptBegin;
    const double psi = NormalAt(end.x - m_ptCentre.x, end.y - m_ptCentre.y);
    const double turn = index == 0 ? kPi * 0.5 : kPi * -0.5;
    return ReduceAngle(m_pose.angle + FrameOf(pose).angle + psi + turn);
}

int CArcTrack::AppendCentreLine(CPointArray& points, int reversed) {
    Sample samples[kMaxSamples];
    const int count = Walk(reversed != 0, samples, HandleTolerance());
    for (int i = 0; i < count; ++i) points.Add(samples[i].point);
    return count;
}

int CArcTrack::SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                                double& step) {
    CPointArray line;
    AppendCentreLine(line, 0);
    return SampleAlong(line, points, elevations, step);
}

// ---- Edit steps ----

int CArcTrack::SetArc(double centreX, double centreY, double radiusX, double radiusY, double startAngle,
                      double sweep, int queue, int groupStart) {
    const CDoublePoint centre = WorldToLocal(centreX, centreY);
    auto step = std::make_unique<CEditStep>(kStepSetEllipticArc, this, groupStart);
    auto payload = std::make_unique<EllipticArcPayload>();
    payload->radiusX = radiusX;
    payload->radiusY = radiusY;
    payload->startAngle = ReduceAngle(startAngle - WorldAngleOffset());
    payload->sweep = sweep;
    payload->centreX = centre.x;
    payload->centreY = centre.y;
    step->SetPayload(std::move(payload));
    return RecordOrApply(std::move(step), queue != 0);
}

int CArcTrack::ApplyShapeStep(CEditStep* step) {
    const EllipticArcPayload* arc = step->GetPayload<EllipticArcPayload>();
    if (arc == nullptr)
        return 0;
    Invalidate();
    m_ptCentre = {arc->centreX, arc->centreY};
    m_fRadiusX = arc->radiusX;
    m_fRadiusY = arc->radiusY;
    m_fStartAngle = arc->startAngle;
    m_fSweep = arc->sweep;
    RebuildShape();
    Invalidate();
    return 1;
}

int CArcTrack::ApplyEditStep(CEditStep* step) {
    if (step->m_nKind == kStepSetEllipticArc) {
        ApplyShapeStep(step);
        return 1;
    }
    return CParTrack::ApplyEditStep(step);
}

void CArcTrack::RescaleWithUndo(const CPose*, double factor, int) {
    ExecuteRescale(factor, {m_fSavedBeginElevation, m_fSavedEndElevation}, m_ptSavedCentre);
}

int CArcTrack::Rescale(CEditStep* step) {
    const RescalePayload* rescale = shape::RescaleOf(*this, step);
    if (rescale == nullptr)
        return 0;
    const double f = rescale->factor;
    m_fRadiusX = rescale->ax * f;
    m_fRadiusY = rescale->ay * f;
    shape::MoveOriginForRescale(*this, *rescale);
    EnsurePoints();
    RebuildEnds();
    RebuildBox();
    return 1;
}

// ---- Cut ----

void CArcTrack::CutAtToolPoint() {
    double delta = 0.0;
    if (!CutAngleAtToolPoint(m_ptCentre, m_fStartAngle, delta))
        return;
    CutWithUndo(m_fSweep, 1, 1);
    // Undo gives the end its elevation back with the sweep.
    ChangeEndElevation(0, m_fEndElevation, 1, 0);
    CutWithUndo(delta, 0, 0);
}

int CArcTrack::CutWithUndo(double value, int record, int groupStart) {
    if (record) {
        const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
        return SetArc(centre.x, centre.y, m_fRadiusX, m_fRadiusY, m_fStartAngle + WorldAngleOffset(), value,
                      1, 1);
    }
    return ApplyCutNow(value, groupStart);
}

int CArcTrack::ApplyCutStep(CEditStep* step) {
    const CutTrackPayload* cut = step->GetPayload<CutTrackPayload>();
    if (cut == nullptr || m_fSweep == 0.0)
        return 0;
    const double delta = ReadCutData(*cut, 0);
    const double z = m_fBeginElevation + (m_fEndElevation - m_fBeginElevation) * delta / m_fSweep;
    const double newStart = StartAfterCut(delta);
    const double rest = m_fSweep - delta;
    const CDoublePoint centre = LocalToWorld(m_ptCentre.x, m_ptCentre.y);
    const double offset = WorldAngleOffset();
    SetArc(centre.x, centre.y, m_fRadiusX, m_fRadiusY, m_fStartAngle + offset, delta, 0, 0);
    m_fEndElevation = z;
    auto* copy = dynamic_cast<CArcTrack*>(Clone());
    if (!PlaceCutCopy(copy))
        return 0;
    copy->SetArc(centre.x, centre.y, m_fRadiusX, m_fRadiusY, newStart + offset, rest, 0, 0);
    copy->m_fBeginElevation = z;
    FinishCut(copy);
    return 1;
}

// ---- Status ----

void CArcTrack::UpdateSizeInfo(const CPose* pose) {
    CParTrack::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    DescribeArc(pose, 18, m_ptCentre, m_fStartAngle, m_fSweep);
    m_pTool->m_status.m_strMeasure[6] = LengthText(m_fRadiusX);
    m_pTool->m_status.m_strMeasure[7] = LengthText(m_fRadiusY);
}

// An end slides along the ellipse, changing the length and sweep; a corner changes the radii.
CString CArcTrack::HandleMeasures() {
    const int handle = m_pTool->m_nDraggedHandle;
    if (handle != 5 && handle != 6)
        return LengthText(m_fRadiusX) + "; " + LengthText(m_fRadiusY);
    CString sweep;
    sweep.Format("%.2f", m_fSweep * 180.0 / kPi);
    return LengthText(m_fLength) + "; " + sweep;
}
