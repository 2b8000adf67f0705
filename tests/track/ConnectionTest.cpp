#include <gtest/gtest.h>

#include "model/Units.h"
#include "resources/StringTable.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackAngles.h"

namespace {

// A query as the test train makes it at the end of a piece: the end's point, elevation and
// direction turned half round.
TrackConnectionQuery TrainAt(CParTrack& piece, int end) {
    TrackConnectionQuery query;
    const CDoublePoint point = piece.LocalToWorld(piece.GetEndPoint(end).x, piece.GetEndPoint(end).y);
    query.x = point.x;
    query.y = point.y;
    query.elevation = end == 0 ? piece.m_fBeginElevation : piece.m_fEndElevation;
    query.direction = piece.GetEndAngle(nullptr, end) + kPi;
    if (query.direction >= kFullTurn)
        query.direction -= kFullTurn;
    query.code = IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED;
    return query;
}

int AskRoot(TrackPlan& plan, TrackConnectionQuery& query) {
    plan.tool.m_track.candidate = TrackEndCandidate{};
    const CPose identity;
    return plan.host.m_pRoot->TestConnection(&identity, &query, 1);
}

}  // namespace

TEST(Connection, EndsJoinWithinToleranceAndTheSameDirection) {
    TrackPlan plan;
    // Two pieces leaving one point the same way, as the through route and the curve of a
    // turnout do.
    CTrack* through = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* branch = plan.Straight(9.99, 0.0, 1000.0, 50.0);
    const CPose identity;
    const double direction = through->GetEndAngle(nullptr, 0);
    EXPECT_EQ(branch->JoinEndAt(&identity, 0.0, 0.0, direction, 1, through->m_fBeginElevation), 1);
    EXPECT_EQ(branch->m_bBeginConnected, 1);
    EXPECT_EQ(branch->JoinEndAt(&identity, -0.01, 0.0, direction, 0, through->m_fBeginElevation),
              0);  // 10.0 apart
    EXPECT_EQ(branch->JoinEndAt(&identity, 9.99, 0.0, direction + kPi, 0, through->m_fBeginElevation), 0);

    // An elevation gap of exactly the limit: the join and the begin end pass, the end end not.
    const double gap = plan.host.m_limits.maxElevationGap;
    int found = 0;
    EXPECT_EQ(branch->JoinEndAt(&identity, 9.99, 0.0, direction, 0, branch->m_fBeginElevation + gap), 1);
    EXPECT_EQ(branch->MatchEndAt(&identity, 9.99, 0.0, direction, branch->m_fBeginElevation + gap, found), 1);
    EXPECT_EQ(found, 1);
    found = 0;
    branch->m_bEndConnected = 1;
    EXPECT_EQ(branch->MatchEndAt(&identity, 1000.0, 50.0, branch->GetEndAngle(nullptr, 1),
                                 branch->m_fEndElevation + gap, found),
              0);
    EXPECT_EQ(found, 0);

    // The connection pass: the piece never answers itself, and the partner's end is marked.
    branch->m_bBeginConnected = 0;
    through->m_bRecheck = 1;
    through->UpdateConnections(nullptr, 1);
    EXPECT_EQ(branch->m_bBeginConnected, 1);
    EXPECT_EQ(through->m_bChanged, 0);
    // Moving the through piece away releases both ends at its begin.
    through->m_bBeginConnected = 1;
    through->UpdateConnections(nullptr, 0);
    EXPECT_EQ(branch->m_bBeginConnected, 0);
    EXPECT_EQ(branch->m_bAttachMark, 1);
    EXPECT_EQ(branch->m_bRecheck, 1);
    branch->SetChanged(0);
    EXPECT_EQ(branch->m_bAttachMark, 0);
    EXPECT_EQ(branch->m_bRecheck, 0);
}

TEST(Connection, ProbeTakesTheNearestEndAndTheEndEndOnATie) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    TrackConnectionState& state = plan.tool.m_track;
    state.probeX = 600.0;
    state.probeY = 0.0;
    state.probeElevation = 100.0;
    state.probeDirection = 0.0;
    state.candidate = TrackEndCandidate{};
    EXPECT_EQ(plan.tool.QueryRootGroup(0), 1);
    EXPECT_EQ(state.candidate.end, 1);
    EXPECT_EQ(state.candidate.piece, piece);
    EXPECT_DOUBLE_EQ(state.candidate.elevationOffset, 100.0 - piece->m_fEndElevation);
    EXPECT_EQ(state.candidate.sameWay, 0);  // the end end points back along -x
    state.probeX = 400.0;
    state.candidate = TrackEndCandidate{};
    plan.tool.QueryRootGroup(0);
    EXPECT_EQ(state.candidate.end, 0);
    EXPECT_EQ(state.candidate.sameWay, 1);
    // An exact tie keeps the end end.
    plan.tool.m_fSnapDistance = 1000.0;
    state.probeX = 500.0;
    state.candidate = TrackEndCandidate{};
    plan.tool.QueryRootGroup(0);
    EXPECT_EQ(state.candidate.end, 1);
    plan.tool.m_fSnapDistance = 500.0;
    // Beyond the snap distance nothing is offered; a selected piece is never its own partner.
    state.probeX = 1600.0;
    state.candidate = TrackEndCandidate{};
    EXPECT_EQ(plan.tool.QueryRootGroup(0), 0);
    state.probeX = 1100.0;
    plan.host.m_selection.push_back(piece);
    EXPECT_EQ(plan.tool.QueryRootGroup(0), 0);
}

TEST(Connection, ANewStraightSnapsOntoAFreeEnd) {
    TrackPlan plan;
    CTrack* fixed = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    fixed->m_fEndElevation = 80.0;
    // A new piece dropped near the free end at an angle.
    CTrack* piece = plan.Straight(1100.0, 150.0, 1800.0, 700.0);
    plan.host.m_selection.push_back(piece);
    ASSERT_EQ(piece->FindConnection(nullptr), 1);
    EXPECT_EQ(plan.tool.m_track.snap.piece, fixed);
    EXPECT_EQ(plan.tool.m_track.snap.end, 1);
    piece->RotateWithPivot(nullptr);
    piece->RebuildShape();
    const CDoublePoint begin = piece->LocalToWorld(piece->m_ptFirst.x, piece->m_ptFirst.y);
    EXPECT_NEAR(begin.x, 1000.0, 1e-6);
    EXPECT_NEAR(begin.y, 0.0, 1e-6);
    EXPECT_TRUE(SameDirection(piece->GetEndAngle(nullptr, 0), 0.0, 1e-6));  // continues the fixed piece
    EXPECT_NEAR(piece->m_fLength, VectorLength(700.0, 550.0), 1e-9);
    // It takes the height of the end it was snapped to.
    EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 80.0);
}

TEST(Connection, TheTrainsNextPieceAnswersWithTheLimitsMessages) {
    TrackPlan plan;
    CTrack* first = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* next = plan.Straight(1000.0, 0.0, 2000.0, 0.0);
    first->m_bChanged = 1;  // the train's own piece does not answer
    TrackConnectionQuery query = TrainAt(*first, 1);
    EXPECT_EQ(AskRoot(plan, query), 1);
    EXPECT_EQ(plan.tool.m_track.candidate.piece, next);
    EXPECT_EQ(plan.tool.m_track.candidate.end, 0);
    EXPECT_EQ(query.code, IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED);

    // 12 over 100 is a 12 % grade.
    next->m_fBeginElevation = 0.0;
    next->m_fEndElevation = 12.0;
    next->SetEnds(1000.0, 0.0, 1100.0, 0.0, 0, 0);
    first->m_fEndElevation = 0.0;
    query = TrainAt(*first, 1);
    EXPECT_EQ(AskRoot(plan, query), 0);
    EXPECT_EQ(query.code, IDS_MAXIMUM_GRADE_EXCEEDED);

    next->m_fEndElevation = 0.0;
    next->m_fBeginElevation = 40.0;
    next->SetEnds(1000.0, 0.0, 2000.0, 0.0, 0, 0);
    next->m_fEndElevation = 40.0;
    query = TrainAt(*first, 1);
    EXPECT_EQ(AskRoot(plan, query), 0);
    EXPECT_EQ(query.code, IDS_MAXIMUM_ELEVATION_GAP_EXCEEDED);

    next->m_fBeginElevation = first->m_fEndElevation + plan.host.m_limits.maxElevationGap;
    next->m_fEndElevation = next->m_fBeginElevation;
    query = TrainAt(*first, 1);
    EXPECT_EQ(AskRoot(plan, query), 1);  // a gap of exactly the limit passes

    next->SetEnds(1000.0, 0.0, 1700.0, 700.0, 0, 0);  // turned by 45 degrees
    query = TrainAt(*first, 1);
    EXPECT_EQ(AskRoot(plan, query), 0);
    EXPECT_EQ(query.code, IDS_MAXIMUM_ANGLE_EXCEEDED);

    // A piece of length 0 skips the grade test.
    CTrack* point = plan.Straight(5000.0, 0.0, 5000.0, 0.0);
    point->m_fBeginElevation = 0.0;
    point->m_fEndElevation = 50.0;
    query.x = 5000.0;
    query.y = 0.0;
    query.elevation = 25.0;
    query.direction = point->GetEndAngle(nullptr, 1);
    query.code = 0;
    plan.tool.m_track.candidate = TrackEndCandidate{};
    const CPose identity;
    EXPECT_EQ(point->TestConnection(&identity, &query, 1), 1);
    EXPECT_NE(query.code, IDS_MAXIMUM_GRADE_EXCEEDED);
    EXPECT_EQ(plan.tool.m_track.candidate.end, 1);
}

TEST(Connection, PickedEndsAndReattachment) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    EXPECT_EQ(piece->HitTestEnd(nullptr, 1040.0, 30.0, 1), 1);
    EXPECT_EQ(plan.tool.m_track.picked[0].gauge, 165.0);
    EXPECT_DOUBLE_EQ(plan.tool.m_track.picked[0].x, 1000.0);
    EXPECT_DOUBLE_EQ(plan.tool.m_track.pressDirection, kPi);
    plan.tool.m_track.pickCount = 1;
    EXPECT_EQ(piece->HitTestEnd(nullptr, 1010.0, 0.0, 1), -1);  // the same end twice
    EXPECT_EQ(piece->HitTestEnd(nullptr, 0.0, 0.0, 1), 0);
    EXPECT_EQ(piece->HitTestEnd(nullptr, 500.0, 0.0, 0), -1);

    // Two straights continuing each other, the second's begin marked connected.
    CTrack* second = plan.Straight(1000.0, 0.0, 3000.0, 0.0);
    second->m_bBeginConnected = 1;
    second->RebuildShape();
    CTrack* turnout = plan.Straight(1000.0, 0.0, 2000.0, 50.0);
    turnout->m_bBeginConnected = 0;
    plan.tool.m_fCurrentX = 1300.0;
    plan.tool.m_fCurrentY = 0.0;
    EXPECT_EQ(second->HitTestEndMarker(nullptr), 1);
    EXPECT_EQ(second->m_bBeginConnected, 0);
    EXPECT_EQ(second->m_bAttachMark, 0);
    EXPECT_EQ(turnout->m_bBeginConnected, 1);  // the end leaving that point the same way
}

TEST(Connection, ReleasingAPieceStopsItsTrains) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->ReleaseData();
    ASSERT_EQ(plan.host.m_stopped.size(), 1u);
    EXPECT_EQ(plan.host.m_stopped.front(), piece);
}

TEST(Connection, ArcsAndSplinesJoinStraightsAndEachOther) {
    TrackPlan plan;
    CTrack* straight = plan.Straight(0.0, 500.0, 1000.0, 500.0);
    CArcTrack* arc = plan.Oval(1000.0, 1000.0, 1000.0, 500.0, kPi * 1.5, kPi * 0.5);
    CSplineTrack* spline = plan.Spline({{2000, 1000}, {2000, 1300}, {2500, 1800}, {3000, 1800}});
    for (CParTrack* piece : std::initializer_list<CParTrack*>{straight, arc, spline})
        piece->m_fBeginElevation = piece->m_fEndElevation = 0.0;
    // Along the arc into the piece at both ends, the program's 2 pi just short of 0.
    EXPECT_TRUE(SameDirection(arc->GetEndAngle(nullptr, 0), 0.0, 1e-9));
    EXPECT_NEAR(arc->GetEndAngle(nullptr, 1), kPi * 1.5, 1e-9);
    EXPECT_NEAR(spline->GetEndAngle(nullptr, 0), kPi * 0.5, 1e-9);
    // The test train goes on from the straight into the arc and from the arc into the spline.
    TrackConnectionQuery intoArc = TrainAt(*straight, 1);
    EXPECT_EQ(AskRoot(plan, intoArc), 1);
    EXPECT_EQ(plan.tool.m_track.candidate.piece, arc);
    TrackConnectionQuery intoSpline = TrainAt(*arc, 1);
    EXPECT_EQ(AskRoot(plan, intoSpline), 1);
    EXPECT_EQ(plan.tool.m_track.candidate.piece, spline);
    // Coming back the other way the spline leads into the arc's end end.
    TrackConnectionQuery back = TrainAt(*spline, 0);
    EXPECT_EQ(AskRoot(plan, back), 1);
    EXPECT_EQ(plan.tool.m_track.candidate.piece, arc);
    EXPECT_EQ(plan.tool.m_track.candidate.end, 1);
}
