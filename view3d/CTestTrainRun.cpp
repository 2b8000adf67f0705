#include <cmath>

#include "model/CPointArray.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "resources/StringTable.h"
#include "track/CParTrack.h"
#include "view3d/CTestTrain.h"

// Running along the track: the path of the pieces entered, the head moving along it, and
// the vehicles placed behind the head.

namespace {

// Marks the first step after a start, so that the next step is not taken for one.
constexpr double kStartedOffset = 1.7e-06;
// How near the exit point must lie to a piece's begin, in x and in y, to leave by the begin.
constexpr double kBeginTolerance = 10.0;
// Pieces of no length could hand the train on to each other for ever within one step.
constexpr int kMaxPiecesPerStep = 10000;

double Distance(const CDoublePoint& a, const CDoublePoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The unit vector from a to b; (0, 0) when they coincide.
CDoublePoint UnitFrom(const CDoublePoint& a, const CDoublePoint& b) {
    const double length = Distance(a, b);
    return length > 0.0 ? CDoublePoint{(b.x - a.x) / length, (b.y - a.y) / length} : CDoublePoint{0.0, 0.0};
}

CDoublePoint Along(const CDoublePoint& from, const CDoublePoint& unit, double length) {
    return {from.x + unit.x * length, from.y + unit.y * length};
}

}  // namespace

// ---- The path ----

const CTestTrain::PathSegment* CTestTrain::SegmentAt(int index, int& first) const {
    first = 0;
    for (const PathSegment& segment : m_segments) {
        if (index >= first && index < first + segment.count)
            return &segment;
        first += segment.count;
    }
    return nullptr;
}

CDoublePoint CTestTrain::GetPathPoint(int index) const {
    int first = 0;
    const PathSegment* segment = SegmentAt(index, first);
    if (segment == nullptr || segment->piece == nullptr || index >= static_cast<int>(m_path.size()))
        return {0.0, 0.0};
    const CDoublePoint& local = m_path[index];
    return segment->piece->LocalToWorldInFrame(segment->pose, local.x, local.y);
}

CDoublePoint CTestTrain::StartDirection() const {
    return m_path.size() < 2 ? CDoublePoint{0.0, 0.0} : UnitFrom(GetPathPoint(1), GetPathPoint(0));
}

CParTrack* CTestTrain::CurrentTrack() const {
    return dynamic_cast<CParTrack*>(m_pCurrentPiece);
}

// ---- Finding the next piece ----

int CTestTrain::FindConnection(const CPose*) {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return 0;
    m_pTool->m_track.candidate = TrackEndCandidate{};
    m_pTool->m_track.connectedEndFound = 0;
    const bool found = m_segments.empty() ? StartSearch() : NextPieceSearch();
    if (!found || !AppendCandidate()) {
        m_bRunning = 0;
        return 0;
    }
    return 1;
}

// The nearest track end to the front of the locomotive, within twice the snap distance.
bool CTestTrain::StartSearch() {
    TrackConnectionQuery query;
    query.x = m_vehicles[0].x;
    query.y = m_vehicles[0].y;
    query.code = IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED;
    const CPose identity;
    m_pTool->m_pHost->GetRootGroup()->TestConnection(&identity, &query, 0);
    m_nStatus = query.code;
    const TrackEndCandidate& candidate = m_pTool->m_track.candidate;
    if (candidate.found && candidate.distance < 2.0 * m_pTool->m_fSnapDistance)
        return true;
    m_pTool->m_track.candidate.found = 0;
    return false;
}

// A piece that continues the current one at its exit end within the layout's limits.
bool CTestTrain::NextPieceSearch() {
    CParTrack* track = CurrentTrack();
    const PathSegment& last = m_segments.back();
    if (track == nullptr || last.piece == nullptr)
        return false;
    const CDoublePoint exit = GetPathPoint(static_cast<int>(m_path.size()) - 1);
    const CDoublePoint begin = track->LocalToWorldInFrame(last.pose, track->m_ptBegin.x, track->m_ptBegin.y);
    const int end =
        std::fabs(exit.x - begin.x) < kBeginTolerance && std::fabs(exit.y - begin.y) < kBeginTolerance ? 0
                                                                                                       : 1;
    TrackConnectionQuery query;
    query.x = exit.x;
    query.y = exit.y;
    query.elevation = end == 0 ? track->m_fBeginElevation : track->m_fEndElevation;
    query.direction = track->GetEndAngle(&last.pose, end) + kPi;
    if (query.direction >= kFullTurn)
        query.direction -= kFullTurn;
    query.code = IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED;
    const CPose identity;
    m_pTool->m_pHost->GetRootGroup()->TestConnection(&identity, &query, 1);
    m_nStatus = query.code;
    return m_pTool->m_track.candidate.found != 0;
}

// The accepted piece's centre line joins the path, from the end it was entered by.
bool CTestTrain::AppendCandidate() {
    const TrackEndCandidate& candidate = m_pTool->m_track.candidate;
    auto* track = dynamic_cast<CParTrack*>(candidate.piece);
    if (track == nullptr)
        return false;
    m_nStatus = IDS_GOOD;
    const int forward = candidate.end == 0 ? 1 : 0;
    CPointArray line;
    const int count = track->AppendCentreLine(line, forward ? 0 : 1);
    if (count < 2 || count > line.GetSize())
        return false;
    for (int i = 0; i < count; ++i) m_path.push_back(line[i]);
    m_segments.push_back(PathSegment{count, candidate.pose, track, forward});
    m_pCurrentPiece = track;
    m_bRunning = 1;
    return true;
}

// At the end of the path: the current piece stays out of the search while the next is looked
// for. FALSE when the train stopped.
bool CTestTrain::ExtendPath() {
    CPaint* current = m_pCurrentPiece;
    if (current != nullptr)
        current->m_bChanged = 1;
    m_headOffset = {0.0, 0.0};
    FindConnection(nullptr);
    if (current != nullptr)
        current->m_bChanged = 0;
    return m_bRunning != 0;
}

// ---- Moving the head ----

CDoublePoint CTestTrain::AdvanceAlongTrack(int multiplier, double distance) {
    if (m_path.empty())
        return {0.0, 0.0};
    if (m_nHeadIndex == 0 && m_headOffset.x == 0.0 && m_headOffset.y == 0.0) {
        m_headOffset = {kStartedOffset, 0.0};
        const CDoublePoint head = GetPathPoint(0);
        return PlaceVehicles(head) ? head : CDoublePoint{0.0, 0.0};
    }
    // The whole way of this step; pieces reached on the way are appended as the head passes
    // their ends, and each carries on with what is left of the same total.
    const double total = multiplier * distance;
    double covered = 0.0;
    int pieces = 0;
    CDoublePoint head;
    for (;;) {
        const int last = static_cast<int>(m_path.size()) - 1;
        if (m_nHeadIndex >= last) {
            m_nHeadIndex = last;
            if (++pieces > kMaxPiecesPerStep)
                m_bRunning = 0;
            if (!m_bRunning || !ExtendPath())
                return GetPathPoint(last);
            ++m_nHeadIndex;
            continue;
        }
        const CDoublePoint at = GetPathPoint(m_nHeadIndex);
        head = {at.x + m_headOffset.x, at.y + m_headOffset.y};
        const double step = Distance(head, GetPathPoint(m_nHeadIndex + 1));
        if (covered + step >= total)
            break;
        covered += step;
        ++m_nHeadIndex;
        m_headOffset = {0.0, 0.0};
    }
    const CDoublePoint p = GetPathPoint(m_nHeadIndex + 1);
    const CDoublePoint q = GetPathPoint(m_nHeadIndex);
    const double kept = std::hypot(m_headOffset.x, m_headOffset.y);
    const CDoublePoint along = UnitFrom(q, p);
    const CDoublePoint toward = UnitFrom(head, p);
    const double rest = total - covered;
    m_headOffset = {kept * along.x + rest * toward.x, kept * along.y + rest * toward.y};
    head = {q.x + m_headOffset.x, q.y + m_headOffset.y};
    return PlaceVehicles(head) ? head : CDoublePoint{0.0, 0.0};
}

// ---- The vehicles behind the head ----

CDoublePoint CTestTrain::PointBehindOnPath(const CDoublePoint& point, double length) {
    CDoublePoint from = point;
    double left = length;
    while (m_nWalkIndex >= 1) {
        const CDoublePoint passed = GetPathPoint(m_nWalkIndex);
        const double span = Distance(from, passed);
        if (span >= left) {
            from = Along(from, UnitFrom(from, passed), left);
            left = 0.0;
            break;
        }
        left -= span;
        from = passed;
        --m_nWalkIndex;
    }
    // Beyond the start of the path the train hangs on in the first segment's direction.
    if (left > 0.0)
        from = Along(from, StartDirection(), left);
    if (length > 0.0 && Distance(point, from) / length < m_pTool->m_pHost->GetTrackLimits().bendLimit) {
        m_nStatus = IDS_MAXIMUM_BEND_DEFORMATION_EXCEEDED;
        m_bRunning = 0;
    }
    return from;
}

// The height of the track under a point of the path at the walk index: along the segment's
// piece from the end it was entered by. Before the start of the path the first piece's grade
// carries on.
bool CTestTrain::ElevationAt(const CDoublePoint& point, double& elevation) const {
    const int index = std::max(m_nWalkIndex, 0);
    int first = 0;
    const PathSegment* segment = SegmentAt(index, first);
    auto* track = segment != nullptr ? dynamic_cast<CParTrack*>(segment->piece) : nullptr;
    if (track == nullptr)
        return false;
    const double from = segment->forward ? track->m_fBeginElevation : track->m_fEndElevation;
    const double to = segment->forward ? track->m_fEndElevation : track->m_fBeginElevation;
    const double length = track->m_fLength;
    const CDoublePoint base = GetPathPoint(index);
    double along = Distance(base, point);
    if (m_nWalkIndex < 1) {
        const CDoublePoint back = StartDirection();
        const CDoublePoint ahead{-back.x, -back.y};
        along = (point.x - base.x) * ahead.x + (point.y - base.y) * ahead.y;
    }
    const int k = index - first;
    const double share = (segment->count > 1 ? static_cast<double>(k) / (segment->count - 1) : 0.0) +
                         (length != 0.0 ? along / length : 0.0);
    elevation = from + (to - from) * share;
    return true;
}

bool CTestTrain::PlaceVehicles(const CDoublePoint& head) {
    m_nWalkIndex = m_nHeadIndex;
    CDoublePoint previous = head;
    for (int vehicle = 0; vehicle < VehicleCount(); ++vehicle) {
        const double gap = vehicle == 0 ? m_fCouplerGap * m_fGauge : BodyGap();
        const CDoublePoint front = PointBehindOnPath(previous, gap);
        if (!ElevationAt(front, m_elevations[2 * vehicle]))
            return false;
        const CDoublePoint back = PointBehindOnPath(front, BodyLength());
        if (!ElevationAt(back, m_elevations[2 * vehicle + 1]))
            return false;
        m_vehicles[2 * vehicle] = front;
        m_vehicles[2 * vehicle + 1] = back;
        previous = back;
    }
    DropPassedTrack();
    return true;
}

// The pieces wholly behind the last vehicle leave the path.
void CTestTrain::DropPassedTrack() {
    while (m_segments.size() > 1 && m_segments.front().count < m_nWalkIndex) {
        const int count = m_segments.front().count;
        m_path.erase(m_path.begin(), m_path.begin() + count);
        m_nHeadIndex -= count;
        m_nWalkIndex -= count;
        m_segments.erase(m_segments.begin());
    }
}
