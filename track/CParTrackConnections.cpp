#include <algorithm>
#include <cmath>
#include <memory>

#include "model/CConnectionPass.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackEndIndex.h"
#include "model/Units.h"
#include "resources/StringTable.h"
#include "track/CParTrack.h"
#include "track/TrackAngles.h"
#include "track/TrackPayloads.h"

// Joints are ends lying on each other; these operations find, test, mark and release them.
// The pieces lying at a joint are looked up in the index of the layout's track ends; the
// engine's probe and the test train start at the root group, which hands them to every piece.

namespace {

constexpr double kHalfPlane = 1.57079632675;
constexpr double kTieTolerance = 1e-5;
// A curve's end stands on its circle through the ten-decimal half turn, a hair off its press.
constexpr double kOnBuiltEnd = 1e-3;

double Distance(const CDoublePoint& a, double x, double y) {
    return VectorLength(a.x - x, a.y - y);
}

// One of the connection pass's questions at a point: put to the pieces with an end near it,
// which the pass holds.
template <class Ask>
bool AskLayout(const CTool& tool, CDoublePoint at, Ask ask) {
    return tool.m_track.passEnds->AskNear(at.x, at.y, ask);
}

}  // namespace

// ---- The engine's snap probe ----

int CParTrack::MatchProbe(const CPose* pose, int keepOrientation) {
    if (m_pTool == nullptr)
        return 0;
    // Both ends placed with one turn. The end end first: an exact tie keeps it.
    const CPlacement placement(m_pose, FrameOf(pose));
    const int endTaken = OfferEnd(pose, placement.ToWorld(GetEndPoint(1)), 1, keepOrientation);
    const int beginTaken = OfferEnd(pose, placement.ToWorld(GetEndPoint(0)), 0, keepOrientation);
    return endTaken || beginTaken ? 1 : 0;
}

int CParTrack::OfferEnd(const CPose* pose, CDoublePoint world, int index, int keepOrientation) {
    TrackConnectionState& state = m_pTool->m_track;
    TrackEndCandidate& candidate = state.candidate;
    const double distance = Distance(world, state.probeX, state.probeY);
    const double limit = candidate.found ? candidate.distance : m_pTool->m_fSnapDistance;
    if (!(distance < limit))
        return 0;
    const double direction = GetEndAngle(pose, index);
    candidate.sameWay = keepOrientation || SameDirection(direction, state.probeDirection, kHalfPlane) ? 1 : 0;
    candidate.x = world.x;
    candidate.y = world.y;
    candidate.distance = distance;
    candidate.end = index;
    candidate.direction = direction;
    candidate.piece = this;
    candidate.pose = FrameOf(pose);
    candidate.elevationOffset = state.probeElevation - EndElevation(index);
    candidate.found = 1;
    return 1;
}

int CParTrack::FindConnection(const CPose* pose) {
    if (m_pTool == nullptr)
        return 0;
    TrackConnectionState& state = m_pTool->m_track;
    int ownEnd = -1;
    for (int index = 0; index < 2; ++index) {
        const CDoublePoint world = EndWorldPoint(pose, index);
        // A piece built onto a track end already lies as its drag drew it there; turning it
        // onto that end again would flip one drawn back along the track.
        if (state.builtOnEnd && Distance(world, state.builtOnX, state.builtOnY) < kOnBuiltEnd)
            continue;
        state.probeX = world.x;
        state.probeY = world.y;
        state.probeEnd = index;
        state.probeElevation = EndElevation(index);
        state.probeDirection = GetEndAngle(pose, index);
        state.candidate = TrackEndCandidate{};
        if (m_pTool->QueryRootGroup(0)) {
            state.snap = state.candidate;
            ownEnd = index;
        }
    }
    if (ownEnd < 0)
        return 0;
    // The turn that sets the own end against the partner's, about the own end, and the
    // shift that then puts it onto the partner's point; the engine applies both at release.
    double turn = state.snap.direction - GetEndAngle(pose, ownEnd) + kPi;
    if (turn >= kFullTurn)
        turn -= kFullTurn;
    const CDoublePoint own = EndWorldPoint(pose, ownEnd);
    const CPose& frame = FrameOf(pose);
    const CDoublePoint from = CPose().WorldToLocal(frame, own.x, own.y);
    const CDoublePoint to = CPose().WorldToLocal(frame, state.snap.x, state.snap.y);
    m_pTool->m_fSnapAngle = turn;
    m_pTool->m_bHalfTurn = 0;
    m_pTool->m_fSnapPivotX = own.x;
    m_pTool->m_fSnapPivotY = own.y;
    m_pTool->m_fSnapOffsetX = to.x - from.x;
    m_pTool->m_fSnapOffsetY = to.y - from.y;
    m_pTool->m_fSnapElevation = state.snap.elevationOffset;
    return 1;
}

// An unselected piece on a shown layer is asked too, and its own end, met at no distance
// under the same placement, is taken unless the snap reaches no distance at all.
bool CParTrack::ProbeMeetsOwnEnd(const CPose& frame) {
    if (m_pTool == nullptr || m_pTool->m_track.builtOnEnd || !(m_pTool->m_fSnapDistance > 0.0) ||
        !frame.SameAs(m_parentPose) || !m_pTool->IsLayerVisible(m_nLayer) || IsSelected())
        return false;
    const CPlacement placement(m_pose, m_parentPose);
    const CDoublePoint begin = placement.ToWorld(GetEndPoint(0)), end = placement.ToWorld(GetEndPoint(1));
    return std::isfinite(begin.x) && std::isfinite(begin.y) && std::isfinite(end.x) && std::isfinite(end.y);
}

// ---- The connection pass ----

void CParTrack::UpdateConnections(const CPose* pose, int join) {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr || m_pTool->m_pHost->GetRootGroup() == nullptr)
        return;
    if (m_pTool->m_track.passEnds != nullptr) {
        UpdateConnectionsInPass(pose, join);
        return;
    }
    // Asked outside a pass: the layout's ends as they lie now answer.
    const CConnectionPass pass = m_pTool->PassOverPresentEnds();
    UpdateConnectionsInPass(pose, join);
}

void CParTrack::UpdateConnectionsInPass(const CPose* pose, int join) {
    if (join == 0) {
        const CPlacement placement(m_pose, FrameOf(pose));
        for (int index = 0; index < 2; ++index) {
            const CDoublePoint world = placement.ToWorld(GetEndPoint(index));
            AskLayout(*m_pTool, world, [&world](CPaint* object, const CPose&) {
                object->ReleaseEndAt(world.x, world.y, 0);
                return false;
            });
        }
        return;
    }
    if (!m_bRecheck)
        return;
    m_bChanged = 1;
    const CPlacement placement(m_pose, FrameOf(pose));
    for (int index = 0; index < 2; ++index) JoinEnd(pose, placement, index);
    m_bChanged = 0;
}

void CParTrack::JoinEnd(const CPose* pose, const CPlacement& placement, int index) {
    // Read now: joining the other end may have rebuilt the shape.
    const CDoublePoint world = placement.ToWorld(GetEndPoint(index));
    const double direction = GetEndAngle(pose, index);
    const double elevation = EndElevation(index);
    int found = 0;
    const bool matched = AskLayout(*m_pTool, world, [&](CPaint* object, const CPose& frame) {
        return object->MatchEndAt(&frame, world.x, world.y, direction, elevation, found) != 0;
    });
    if (matched || !found)
        return;
    // A marked piece joins its own end; any other joins the partner's.
    const bool marked = m_bAttachMark != 0;
    m_bMarkRead = true;
    const bool joined = AskLayout(*m_pTool, world, [&](CPaint* object, const CPose& frame) {
        return object->JoinEndAt(&frame, world.x, world.y, direction, marked ? 0 : 1, elevation) != 0;
    });
    if (joined && marked)
        ConnectEnd(index);
}

void CParTrack::ConnectEnd(int index) {
    const CDoublePoint beginMarker = m_ptBeginMarker;
    const CDoublePoint endMarker = m_ptEndMarker;
    EndConnected(index) = 1;
    RebuildJoinedShape();
    if (m_pTool == nullptr || !m_pTool->m_track.recordJoins)
        return;
    if (m_ptBeginMarker == beginMarker && m_ptEndMarker == endMarker)
        return;
    auto step = std::make_unique<CEditStep>(kStepRestoreJointMarkers, this, m_pTool->GestureGroupStart());
    auto former = std::make_unique<JointMarkersPayload>();
    former->begin = beginMarker;
    former->end = endMarker;
    step->SetPayload(std::move(former));
    m_pTool->PushUndo(step.release());
}

void CParTrack::RebuildJoinedShape() {
    const CDoublePoint begin = GetEndPoint(0);
    const CDoublePoint end = GetEndPoint(1);
    RebuildShape();
    CTrackEndIndex* ends = m_pTool != nullptr ? m_pTool->m_track.passEnds : nullptr;
    if (ends != nullptr && !(GetEndPoint(0) == begin && GetEndPoint(1) == end))
        ends->Refresh(this);
}

bool CParTrack::AwaitsConnectionPass() const {
    return m_bRecheck != 0 || m_bAttachMark != 0 || m_bChanged != 0;
}

bool CParTrack::MarkedByPass() const {
    return m_bAttachMark != 0 || m_bBeginConnected != 0 || m_bEndConnected != 0;
}

void CParTrack::MarkForPass() {
    // The mark stays read: a joint this pass does not join again may have read it, and still
    // changes when the mark does.
    m_bRecheck = 1;
    // The whole pass lets go of every end; a piece with one connected is marked then.
    if (m_bBeginConnected || m_bEndConnected)
        m_bAttachMark = 1;
}

void CParTrack::ReleaseOwnEnds() {
    for (int index = 0; index < 2; ++index) ReleaseEndsNear(GetEndPoint(index));
}

void CParTrack::JoinEndsIn(const CPose& frame, const std::function<bool(CDoublePoint)>& taken) {
    if (!m_bRecheck)
        return;
    m_bChanged = 1;
    const CPlacement placement(m_pose, FrameOf(&frame));
    for (int index = 0; index < 2; ++index)
        if (taken(placement.ToWorld(GetEndPoint(index))))
            JoinEnd(&frame, placement, index);
    m_bChanged = 0;
}

void CParTrack::AddEndsTo(CTrackEndIndex& index, const CPose& frame) {
    AddEndsUnder(index, frame);
    // The release asks in the piece's own parent placement.
    if (!frame.SameAs(m_parentPose))
        AddEndsUnder(index, m_parentPose);
}

void CParTrack::AddEndsUnder(CTrackEndIndex& index, const CPose& frame) {
    const CPlacement placement(m_pose, frame);
    const double origin = std::max(std::fabs(placement.World().x), std::fabs(placement.World().y));
    for (int end = 0; end < 2; ++end) {
        const CDoublePoint local = GetEndPoint(end);
        const double scale = std::max({origin, std::fabs(local.x), std::fabs(local.y)});
        index.AddEnd(placement.ToWorld(local), scale, kEndTolerance);
    }
}

int CParTrack::ReleaseEndAt(double x, double y, int) {
    // Released already: every piece at a joint is asked once for each end lying there.
    if (m_bRecheck && !m_bBeginConnected && !m_bEndConnected)
        return 1;
    ReleaseEndsNear(WorldToLocal(x, y));
    return 1;
}

void CParTrack::ReleaseEndsNear(const CDoublePoint& local) {
    for (int index = 0; index < 2; ++index) {
        if (!(Distance(GetEndPoint(index), local.x, local.y) < kEndTolerance))
            continue;
        m_bRecheck = 1;
        if (EndConnected(index))
            m_bAttachMark = 1;
        EndConnected(index) = 0;
    }
}

int CParTrack::MatchEndAt(const CPose* pose, double x, double y, double direction, double elevation,
                          int& found) {
    // Only a connected end could still change the answer.
    if (found && !m_bBeginConnected && !m_bEndConnected)
        return 0;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const double gap = Limits().maxElevationGap;
    for (int index = 0; index < 2; ++index) {
        const double rise = std::fabs(elevation - EndElevation(index));
        // The begin end passes at the gap itself, the end end only below it.
        const bool withinGap = index == 0 ? rise <= gap : rise < gap;
        if (!(Distance(GetEndPoint(index), local.x, local.y) < kEndTolerance) || !withinGap)
            continue;
        found = 1;
        if (EndConnected(index) && SameDirection(direction, GetEndAngle(pose, index), kDirectionTolerance))
            return 1;
    }
    return 0;
}

int CParTrack::JoinEndAt(const CPose* pose, double x, double y, double direction, int connect,
                         double elevation) {
    if (m_bChanged)
        return 0;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const double gap = Limits().maxElevationGap;
    for (int index = 0; index < 2; ++index) {
        if (!(Distance(GetEndPoint(index), local.x, local.y) < kEndTolerance))
            continue;
        if (std::fabs(elevation - EndElevation(index)) > gap)
            continue;
        if (!SameDirection(direction, GetEndAngle(pose, index), kDirectionTolerance))
            continue;
        if (connect)
            ConnectEnd(index);
        return 1;
    }
    return 0;
}

int CParTrack::SnapEndAt(const CPose* pose, double x, double y, double& direction, int& passFlag, int end) {
    if (passFlag == 0) {
        if (m_bAttachMark) {
            passFlag = 1;
            direction = GetEndAngle(pose, end != 0 ? 1 : 0);
        }
        return 0;
    }
    // The marked piece is never its own partner.
    if (m_bAttachMark)
        return 0;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    for (int index = 0; index < 2; ++index) {
        if (Distance(GetEndPoint(index), local.x, local.y) < kEndTolerance &&
            SameDirection(direction, GetEndAngle(pose, index), kDirectionTolerance)) {
            EndConnected(index) = 1;
            RebuildShape();
            return 1;
        }
    }
    return 0;
}

void CParTrack::SetChanged(int changed) {
    if (changed) {
        m_bRecheck = 1;
        m_bMarkRead = false;
        return;
    }
    m_bRecheck = 0;
    m_bAttachMark = 0;
    m_bChanged = 0;
}

// ---- The test train's question and the nearest-end search ----

int CParTrack::TestConnection(const CPose* pose, void* query, int mode) {
    if (m_bChanged || query == nullptr || m_pTool == nullptr)
        return 0;
    auto& asked = *static_cast<TrackConnectionQuery*>(query);
    TrackEndCandidate& candidate = m_pTool->m_track.candidate;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), asked.x, asked.y);
    const double distances[2] = {Distance(m_ptBegin, local.x, local.y), Distance(m_ptEnd, local.x, local.y)};
    int taken = 0;
    auto take = [&](int index) {
        candidate.end = index;
        candidate.distance = distances[index];
        candidate.found = 1;
        candidate.piece = this;
        candidate.pose = FrameOf(pose);
        taken = 1;
    };
    if (mode == 0) {
        const double d0 = distances[0];
        if (!(candidate.found && candidate.distance <= d0 &&
              (d0 - candidate.distance >= kTieTolerance || !m_bBeginConnected)))
            take(0);
        const double d1 = distances[1];
        if (!candidate.found || d1 < candidate.distance ||
            (d1 - candidate.distance < kTieTolerance && m_bEndConnected))
            take(1);
        return taken;
    }
    const TrackLimits limits = Limits();
    for (int index = 0; index < 2; ++index) {
        if (!(distances[index] < limits.maxConnectionDistance))
            continue;
        const int verdict = TestEndForTrain(pose, asked, index, distances[index]);
        if (verdict < 0)
            return 0;
        if (verdict > 0)
            take(index);
    }
    return taken;
}

// 1 when the train may go on at the end, 0 when the end is passed over, -1 when the piece
// refuses the train; the refusal's message id goes into the query.
int CParTrack::TestEndForTrain(const CPose* pose, TrackConnectionQuery& query, int index, double distance) {
    const TrackLimits limits = Limits();
    if (m_fLength != 0.0) {
        const double grade = std::fabs((m_fBeginElevation - m_fEndElevation) / m_fLength) * 100.0;
        if (grade > limits.maxGrade) {
            query.code = IDS_MAXIMUM_GRADE_EXCEEDED;
            return -1;
        }
    }
    if (std::fabs(query.elevation - EndElevation(index)) > limits.maxElevationGap) {
        query.code = IDS_MAXIMUM_ELEVATION_GAP_EXCEEDED;
        return -1;
    }
    if (!SameDirection(query.direction, GetEndAngle(pose, index), limits.maxAngle)) {
        query.code = IDS_MAXIMUM_ANGLE_EXCEEDED;
        return 0;
    }
    TrackConnectionState& state = m_pTool->m_track;
    if (EndConnected(index)) {
        state.connectedEndFound = 1;
        return 1;
    }
    return !state.candidate.found || distance < state.candidate.distance ? 1 : 0;
}

int CParTrack::HitTestEnd(const CPose* pose, double x, double y, int record) {
    if (m_pTool == nullptr)
        return -1;
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), x, y);
    const int cx = static_cast<int>(local.x);
    const int cy = static_cast<int>(local.y);
    auto holds = [this, cx, cy](const CDoublePoint& p) { return HoldsHandle(p, cx, cy); };
    const int index = holds(m_ptEnd) ? 1 : holds(m_ptBegin) ? 0 : -1;
    if (index < 0)
        return -1;
    TrackConnectionState& state = m_pTool->m_track;
    const CDoublePoint world = EndWorldPoint(pose, index);
    m_pTool->m_probe.firstX = world.x;
    m_pTool->m_probe.firstY = world.y;
    m_pTool->m_probe.firstElevation = EndElevation(index);
    state.pressX = world.x;
    state.pressY = world.y;
    state.pressElevation = EndElevation(index);
    state.pressDirection = GetEndAngle(pose, index);
    if (!record)
        return index;
    TrackPickedEnd& pick = state.picked[state.pickCount == 0 ? 0 : 1];
    pick = TrackPickedEnd{world.x, world.y, state.pressElevation, state.pressDirection, m_fGauge};
    const TrackPickedEnd& first = state.picked[0];
    if (state.pickCount != 0 && pick.x == first.x && pick.y == first.y && pick.elevation == first.elevation &&
        pick.direction == first.direction)
        return -1;
    return index;
}
