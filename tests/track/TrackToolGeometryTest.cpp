#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/Units.h"
#include "resources/StringTable.h"
#include "tests/track/TrackPlan.h"
#include "track/CElevationDistribution.h"
#include "track/ConnectingSpline.h"
#include "model/EllipsePolarForm.h"
#include "track/ParallelGeometry.h"
#include "track/TransitionBuilder.h"

// The numbers of the track tools: the curve-and-straight transition, the connecting spline,
// the elevation plane and chain, and the offsets of the parallel track.

namespace {

constexpr double kHoGauge = 165.0;

// An end given the way the new track leaves it; the pick holds the direction into its piece.
TrackPickedEnd Leaving(double x, double y, double heading, double elevation = 0.0) {
    return TrackPickedEnd{x, y, elevation, NormalizeAngle(heading + kPi), kHoGauge};
}

void ExpectPoint(const CDoublePoint& point, double x, double y) {
    EXPECT_NEAR(point.x, x, 1e-6);
    EXPECT_NEAR(point.y, y, 1e-6);
}

}  // namespace

TEST(TransitionBuilder, ARightAngleBendGetsItsTangentPointsAtTheShorterDistance) {
    const Transition t =
        BuildTransition(Leaving(0.0, -800.0, kPi / 2.0), Leaving(1200.0, 0.0, kPi), kHoGauge);
    EXPECT_EQ(t.refusal, 0u);
    ExpectPoint(t.tangent1, 0.0, -800.0);
    ExpectPoint(t.tangent2, 800.0, 0.0);
    EXPECT_NEAR(t.radius, 800.0, 1e-6);
    ExpectPoint(t.centre, 800.0, -800.0);
    EXPECT_NEAR(t.sweep, kPi / 2.0, 1e-9);
    EXPECT_NEAR(NormalizeAngle(t.startAngle), kPi / 2.0, 1e-9);
    EXPECT_EQ(t.beginsAtFirst, 0);
    // The straight on the longer side runs 400 from the second end.
    EXPECT_NEAR(std::hypot(t.tangent2.x - 1200.0, t.tangent2.y), 400.0, 1e-6);
}

TEST(TransitionBuilder, ParallelEndsTurnByAHalfCircleOrAreRefused) {
    const Transition tooClose = BuildTransition(Leaving(0.0, 0.0, 0.0), Leaving(0.0, 1500.0, 0.0), kHoGauge);
    EXPECT_EQ(tooClose.refusal, static_cast<UINT>(IDS_TRANSITION_RADIUS_TOO_SMALL));
    EXPECT_EQ(tooClose.radius, 0.0);
    ExpectPoint(tooClose.tangent1, 0.0, 0.0);
    ExpectPoint(tooClose.tangent2, 0.0, 1500.0);

    const Transition turn = BuildTransition(Leaving(0.0, 0.0, 0.0), Leaving(0.0, 1501.0, 0.0), kHoGauge);
    EXPECT_EQ(turn.refusal, 0u);
    EXPECT_NEAR(turn.radius, 750.5, 1e-9);
    EXPECT_NEAR(turn.sweep, kPi, 1e-12);
    ExpectPoint(turn.centre, 0.0, 750.5);

    // The end lying further back gets a straight up to the point across from the other.
    const Transition behind = BuildTransition(Leaving(-600.0, 0.0, 0.0), Leaving(0.0, 2000.0, 0.0), kHoGauge);
    EXPECT_NEAR(behind.radius, 1000.0, 1e-9);
    ExpectPoint(behind.tangent1, 0.0, 0.0);
    ExpectPoint(behind.tangent2, 0.0, 2000.0);

    // Ends facing each other on one line are joined by one straight; off the line, refused.
    const Transition facing =
        BuildTransition(Leaving(0.0, 0.0, 0.0, 0.0), Leaving(1000.0, 0.0, kPi, 100.0), kHoGauge);
    EXPECT_EQ(facing.refusal, 0u);
    EXPECT_EQ(facing.radius, 0.0);
    ExpectPoint(facing.tangent2, 0.0, 0.0);
    const Transition offLine = BuildTransition(Leaving(0.0, 0.0, 0.0), Leaving(1000.0, 50.0, kPi), kHoGauge);
    EXPECT_EQ(offLine.refusal, static_cast<UINT>(IDS_TRANSITION_RADIUS_TOO_LARGE));
}

TEST(TransitionBuilder, LimitsAndElevations) {
    // Two ends whose lines meet far behind them need a radius beyond the largest.
    const Transition huge =
        BuildTransition(Leaving(0.0, 0.0, kPi / 2.0), Leaving(-100000.0, -100000.0, kPi), kHoGauge);
    EXPECT_EQ(huge.refusal, static_cast<UINT>(IDS_TRANSITION_RADIUS_BEYOND_LIMIT));
    EXPECT_EQ(huge.radius, 0.0);
    // A bend without straights runs from one end's elevation to the other's.
    const Transition bend =
        BuildTransition(Leaving(0.0, -1000.0, kPi / 2.0, 0.0), Leaving(1000.0, 0.0, kPi, 100.0), kHoGauge);
    EXPECT_NEAR(bend.radius, 1000.0, 1e-6);
    EXPECT_NEAR(bend.firstElevation, 0.0, 1e-9);
    EXPECT_NEAR(bend.secondElevation, 100.0, 1e-9);
    EXPECT_EQ(IntersectLines(1.0, 0.0, 0.0, 1.0, 0.0, 5.0, CDoublePoint{0.0, 0.0}, CDoublePoint{10.0, 20.0}),
              (CDoublePoint{5.0, 10.0}));
}

TEST(ConnectingSpline, CollinearEndsGiveAStraightSplineOfTheGapsLength) {
    TrackPlan plan;
    CSplineTrack* spline = plan.Spline({{0.0, 0.0}, {1.0, 0.0}, {2.0, 0.0}, {3.0, 0.0}});
    BuildConnectingSpline(*spline, TrackPickedEnd{0.0, 0.0, 10.0, kPi, kHoGauge},
                          TrackPickedEnd{1000.0, 0.0, 40.0, 0.0, kHoGauge});
    ASSERT_EQ(spline->LastIndex(), CSplineTrack::kFirstKnot + 3);
    ExpectPoint(spline->GetControlPointWorld(5), 0.0, 0.0);
    ExpectPoint(spline->GetControlPointWorld(6), 500.0, 0.0);
    ExpectPoint(spline->GetControlPointWorld(7), 500.0, 0.0);
    ExpectPoint(spline->GetControlPointWorld(8), 1000.0, 0.0);
    EXPECT_NEAR(spline->m_fLength, 1000.0, 1e-9);
    EXPECT_EQ(spline->m_fBeginElevation, 10.0);
    EXPECT_EQ(spline->m_fEndElevation, 40.0);
}

TEST(ElevationDistribution, ThePlaneTakesOnlyThePositionAlongTheSpan) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(500.0, 250.0, -300.0, 750.0);
    CElevationDistribution plane;
    plane.m_objects.push_back(ElevationRecord{piece, 0.0, 0.0});
    plane.SetPlane(0.0, 0.0, 100.0, 0.0, 1000.0, 200.0);
    EXPECT_EQ(plane.DistributeOnPlane(plane.m_objects, 1), 0);
    ASSERT_EQ(plane.m_results.size(), 1u);
    EXPECT_NEAR(plane.m_results[0].begin, 125.0, 1e-9);
    EXPECT_NEAR(plane.m_results[0].end, 175.0, 1e-9);
    // A level span gives every end the same elevation.
    plane.SetPlane(0.0, 0.0, 100.0, 1000.0, 0.0, 100.0);
    plane.DistributeOnPlane(plane.m_objects, 1);
    EXPECT_EQ(plane.m_results[0].begin, 100.0);
    EXPECT_EQ(plane.m_results[0].end, 100.0);
    // From 20 down to -10 the far end sinks beneath the benchwork; the values stay.
    plane.SetPlane(0.0, 0.0, 20.0, 0.0, 1000.0, -10.0);
    EXPECT_EQ(plane.DistributeOnPlane(plane.m_objects, 1), 1);
    EXPECT_LT(plane.m_results[0].end, 0.0);
}

TEST(ElevationDistribution, AChainRisesEvenlyWhicheverWayItsPiecesWereDrawn) {
    TrackPlan plan;
    CTrack* first = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    // The middle piece is drawn from its far end back to its near end.
    CTrack* middle = plan.Straight(1500.0, 0.0, 1000.0, 0.0);
    CTrack* last = plan.Straight(1500.0, 0.0, 2000.0, 0.0);
    CElevationDistribution chain(&plan.tool);
    for (CPaint* piece :
         {static_cast<CPaint*>(first), static_cast<CPaint*>(middle), static_cast<CPaint*>(last)})
        chain.m_objects.push_back(ElevationRecord{piece, 0.0, 0.0});
    EXPECT_EQ(chain.DistributeOnChain(0.0, 200.0), 0);
    ASSERT_EQ(chain.m_results.size(), 3u);
    EXPECT_NEAR(chain.m_results[0].begin, 0.0, 1e-9);
    EXPECT_NEAR(chain.m_results[0].end, 100.0, 1e-9);
    EXPECT_NEAR(chain.m_results[1].begin, 150.0, 1e-9);
    EXPECT_NEAR(chain.m_results[1].end, 100.0, 1e-9);
    EXPECT_NEAR(chain.m_results[2].begin, 150.0, 1e-9);
    EXPECT_NEAR(chain.m_results[2].end, 200.0, 1e-9);
}

// The sinks flag covers every chain piece and every group step, and a one-piece chain is
// tested too: a sinking piece keeps its elevations.
TEST(ElevationDistribution, SinkingTrackIsNeverMaskedByALaterStep) {
    TrackPlan plan;
    CTrack* only = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    only->m_fBeginElevation = 5.0;
    only->m_fEndElevation = 6.0;
    CElevationDistribution single(&plan.tool);
    single.m_objects.push_back(ElevationRecord{only, 0.0, 0.0});
    EXPECT_EQ(single.DistributeOnChain(10.0, -20.0), 1);
    EXPECT_EQ(single.m_results[0].begin, 5.0);
    EXPECT_EQ(single.m_results[0].end, 6.0);

    // A chain whose first piece sinks, followed by a piece in a group whose other member
    // stays above the benchwork: the group step must not clear the flag.
    CTrack* low = plan.Straight(-1000.0, 0.0, 0.0, 0.0);
    CGroup* group = NewGroup(&plan.tool);
    AddToLayout(plan.host, group);
    CTrack* grouped = new CTrack(0, &plan.tool, 0.0, 0.0);
    grouped->SetEnds(0.0, 0.0, 1000.0, 0.0, 0, 0);
    CTrack* branch = new CTrack(0, &plan.tool, 0.0, 0.0);
    branch->SetEnds(0.0, 0.0, 900.0, 300.0, 0, 0);
    for (CTrack* member : {grouped, branch}) {
        group->m_members.push_back(member);
        member->SetOwnerGroup(group);
    }
    CElevationDistribution chain(&plan.tool);
    chain.m_objects.push_back(ElevationRecord{low, 0.0, 0.0});
    chain.m_objects.push_back(ElevationRecord{grouped, 0.0, 0.0});
    EXPECT_EQ(chain.DistributeOnChain(-50.0, 100.0), 1);
    // The branch rode along on its chain piece's plane.
    ASSERT_EQ(chain.m_results.size(), 3u);
    EXPECT_EQ(chain.m_results[2].object, branch);
    EXPECT_NEAR(chain.m_results[2].begin, chain.m_results[1].begin, 1e-9);
}

TEST(ParallelGeometry, ArcDivisionsAndOffsets) {
    const std::vector<double> quarter = DivideArcAngles(0.0, kPi * 0.5, 1000.0, 800.0);
    // Sixteen divisions over a quarter: the step is the sweep over fifteen.
    ASSERT_EQ(quarter.size(), 16u);
    for (size_t i = 1; i < quarter.size(); ++i)
        EXPECT_NEAR(quarter[i] - quarter[i - 1], kPi * 0.5 / 15.0, 1e-12);
    EXPECT_NEAR(quarter.back(), kPi * 0.5, 1e-12);
    const std::vector<double> small = DivideArcAngles(1.0, kPi / 32.0, 1000.0, 800.0);
    EXPECT_EQ(small, (std::vector<double>{1.0, 1.0 + kPi / 32.0}));
    // An elongated ellipse gets its axis angle between neighbours that pass it.
    const std::vector<double> flat = DivideArcAngles(kPi * 0.75, kPi * 0.5, 3000.0, 1000.0);
    EXPECT_NE(std::find(flat.begin(), flat.end(), kPi), flat.end());

    // On an ellipse of radii 400 and 300, the point seen at 45 degrees from the centre lies at
    // 240 along both axes (x = y and x^2/400^2 + y^2/300^2 = 1); moved out by 50 along the
    // normal there, (x / 400^2, y / 300^2), which runs as (9, 16).
    const CDoublePoint seen = EllipsePolarPoint(kPi / 4.0, 400.0, 300.0);
    ExpectPoint(seen, 240.0, 240.0);
    const CDoublePoint out = OffsetEllipsePoint(kPi / 4.0, 400.0, 300.0, 50.0);
    ExpectPoint(out, 240.0 + 50.0 * 9.0 / std::sqrt(337.0), 240.0 + 50.0 * 16.0 / std::sqrt(337.0));

    // A circle offset outward by 100 keeps its knots on the larger circle.
    const std::vector<CDoublePoint> ring = OffsetEllipseControlPoints({0.0, kPi * 0.5}, 500.0, 500.0, 100.0);
    ASSERT_EQ(ring.size(), 4u);
    ExpectPoint(ring[0], 600.0, 0.0);
    ExpectPoint(ring[3], 0.0, 600.0);

    // A straight control polygon along +x moves to its right by a positive distance.
    const std::vector<CDoublePoint> moved =
        OffsetControlPolygon({{0.0, 0.0}, {100.0, 0.0}, {200.0, 0.0}, {300.0, 0.0}}, 50.0);
    for (const CDoublePoint& p : moved) EXPECT_NEAR(p.y, -50.0, 1e-9);
}
