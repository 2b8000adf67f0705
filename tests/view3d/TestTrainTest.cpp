#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "tests/view3d/TrainFixture.h"

namespace {

using TestTrain = TrainFixture;

void ExpectPoint(const CDoublePoint& actual, double x, double y, double tolerance = 1e-6) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
}

// The head of a running train: its path point and offset.
CDoublePoint HeadOf(const CTestTrain& train) {
    const CDoublePoint at = train.GetPathPoint(train.m_nHeadIndex);
    return {at.x + train.m_headOffset.x, at.y + train.m_headOffset.y};
}

}  // namespace

TEST_F(TestTrain, InScaleHoTheDefaultTrainStandsInATwoGaugeSpacedLineOfRectanglesOfFourThirdsOfAGauge) {
    ASSERT_EQ(layout->m_nDefaultScaleIndex, kDefaultScaleIndex);
    CTestTrain* train = NewTrain(0.0, 0.0);
    EXPECT_EQ(train->m_fGauge, 165.0);
    ASSERT_EQ(train->m_vehicles.size(), 6u);
    const double expected[] = {0.0, -1320.0, -1650.0, -2970.0, -3300.0, -4620.0};
    for (int i = 0; i < 6; ++i) ExpectPoint(train->m_vehicles[i], 0.0, expected[i]);
    ASSERT_EQ(train->m_points.GetSize(), 12);
    for (int vehicle = 0; vehicle < 3; ++vehicle) {
        const CDoublePoint* corner = &train->m_points[4 * vehicle];
        EXPECT_DOUBLE_EQ(corner[1].x - corner[0].x, 220.0);
        EXPECT_DOUBLE_EQ(corner[0].y - corner[3].y, 1485.0);
        EXPECT_DOUBLE_EQ(corner[0].y, expected[2 * vehicle] + 82.5);
    }
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_GOOD));
    EXPECT_EQ(train->m_strName, "Train");
    EXPECT_EQ(train->m_crFill, 0x8080FFu);
    EXPECT_EQ(train->m_fSpeed, 40.0);
    EXPECT_TRUE(train->m_strLocoFile.Right(11) == "cvnloco.3ds");
    EXPECT_TRUE(train->m_strCarFile.Right(10) == "cvncar.3ds");
    EXPECT_EQ(train->QueryFlag(0), 1);

    // A locomotive alone; and a vehicle whose points coincide lies along x.
    train->ResizeCars(0);
    EXPECT_EQ(train->m_vehicles.size(), 2u);
    EXPECT_EQ(train->m_points.GetSize(), 4);
    train->m_vehicles[1] = train->m_vehicles[0];
    train->BuildOutline();
    ExpectPoint(train->m_points[0], -82.5, -110.0);
    ExpectPoint(train->m_points[1], -82.5, 110.0);
    ExpectPoint(train->m_points[2], 82.5, 110.0);
    ExpectPoint(train->m_points[3], 82.5, -110.0);
}

TEST_F(TestTrain, ATrainIsHitInsideItsVehiclesOnlyAndNotOnAHiddenLayerAndMovesWithItsOutline) {
    CTestTrain* train = NewTrain(1000.0, -1000.0);
    Tool().m_fCurrentX = 1000.0;
    Tool().m_fCurrentY = -1500.0;
    EXPECT_EQ(train->HitTest(), train);
    // Between the locomotive and the first car.
    Tool().m_fCurrentY = -1000.0 - 1485.0;
    EXPECT_EQ(train->HitTest(), nullptr);
    Tool().m_fCurrentX = 1000.0 + 150.0;
    Tool().m_fCurrentY = -1500.0;
    EXPECT_EQ(train->HitTest(), nullptr);

    train->MoveBy(100.0, 0.0, 1);
    ExpectPoint(train->m_vehicles[5], 1100.0, -1000.0 - 4620.0);
    EXPECT_DOUBLE_EQ(train->m_fMinX, 1100.0 - 110.0);
    EXPECT_EQ(train->HitTest(), train);
    train->SetLayer(3);
    Tool().m_bLayerShown[3] = 0;
    EXPECT_EQ(train->HitTest(), nullptr);
}

TEST_F(TestTrain, AStartedTrainHangsBehindTheTrackStartThenMovesBySpeedTimesTicksAlongIt) {
    Straight(0.0, 0.0, 20000.0, 0.0);
    // Released 300 from the begin: within twice the snap distance.
    CTestTrain* train = RunningTrain(-300.0, 0.0);
    ASSERT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_GOOD));
    ASSERT_EQ(train->m_segments.size(), 1u);
    EXPECT_EQ(train->m_segments[0].forward, 1);

    // The first step only lays the train out behind the path's start.
    train->StepTrain(1);
    ExpectPoint(train->m_vehicles[0], -165.0, 0.0, 1e-3);
    ExpectPoint(train->m_vehicles[1], -165.0 - 1320.0, 0.0, 1e-3);
    ExpectPoint(train->m_vehicles[5], -165.0 - 4620.0, 0.0, 1e-3);

    train->StepTrain(3);
    ExpectPoint(HeadOf(*train), 120.0, 0.0, 1e-3);
    ExpectPoint(train->m_vehicles[0], -45.0, 0.0, 1e-3);
    // A speed of 0 stands still, placing the vehicles again.
    train->m_fSpeed = 0.0;
    train->StepTrain(5);
    ExpectPoint(train->m_vehicles[0], -45.0, 0.0, 1e-3);
    EXPECT_EQ(train->m_bRunning, 1);
    EXPECT_FALSE(std::isnan(train->m_headOffset.x));
}

TEST_F(TestTrain, AStepOverSeveralPiecesCarriesTheWholeRestOnAndNeverGoesBack) {
    Straight(0.0, 0.0, 1000.0, 0.0);
    Straight(1000.0, 0.0, 1100.0, 0.0);
    Straight(1100.0, 0.0, 1200.0, 0.0);
    Straight(1200.0, 0.0, 9000.0, 0.0);
    JoinAll();
    CTestTrain* train = RunningTrain(0.0, 0.0);
    train->ResizeCars(0);
    train->AdvanceAlongTrack(1, 0.0);
    train->AdvanceAlongTrack(1, 900.0);
    ExpectPoint(HeadOf(*train), 900.0, 0.0, 1e-3);
    // Three times 200 passes two short pieces in one step: 600 further on.
    const CDoublePoint head = train->AdvanceAlongTrack(3, 200.0);
    ExpectPoint(head, 1500.0, 0.0, 1e-3);
    ExpectPoint(train->m_vehicles[0], 1335.0, 0.0, 1e-3);
    EXPECT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_segments.size(), 4u);
    // Once the locomotive's back is on the last piece, the first two pieces leave the path.
    train->AdvanceAlongTrack(1, 1500.0);
    ExpectPoint(train->m_vehicles[1], 1515.0, 0.0, 1e-3);
    ASSERT_EQ(train->m_segments.size(), 2u);
    EXPECT_EQ(train->m_segments.back().piece, layout->m_rootGroup.m_members.back());
    EXPECT_EQ(train->m_path.size(), 4u);
    ExpectPoint(train->GetPathPoint(0), 1100.0, 0.0);
}

TEST_F(TestTrain, TheNextPieceMustKeepTheGradeTheGapAndTheAngleOrTheTrainStopsWithTheLimitBroken) {
    struct Case {
        double endElevation;
        double turnDegrees;
        double beginElevation;
        UINT status;
        int running;
    };
    const Case cases[] = {
        // 11 % rises too steeply, even though the ends meet exactly.
        {110.0, 0.0, 0.0, IDS_MAXIMUM_GRADE_EXCEEDED, 0},
        {100.0, 0.0, 0.0, IDS_GOOD, 1},
        {40.0, 0.0, 40.0, IDS_MAXIMUM_ELEVATION_GAP_EXCEEDED, 0},
        {0.0, -15.0, 0.0, IDS_MAXIMUM_ANGLE_EXCEEDED, 0},
        // Half a degree to the right is 359.5 degrees from straight on: within the limit.
        {0.0, -0.5, 0.0, IDS_GOOD, 1},
    };
    for (const Case& c : cases) {
        while (!layout->m_testTrains.empty()) layout->DeleteTestTrain(layout->m_testTrains.front());
        for (CPaint* member : layout->m_rootGroup.m_members) {
            member->ReleaseData();
            delete member;
        }
        layout->m_rootGroup.m_members.clear();
        Straight(-10000.0, 0.0, 0.0, 0.0);
        const double turn = c.turnDegrees * kPi / 180.0;
        Straight(0.0, 0.0, 1000.0 * std::cos(turn), 1000.0 * std::sin(turn), c.beginElevation,
                 c.endElevation);
        CTestTrain* train = RunningTrain(-10000.0, 0.0);
        train->AdvanceAlongTrack(1, 0.0);
        train->AdvanceAlongTrack(1, 9990.0);
        train->AdvanceAlongTrack(1, 20.0);
        EXPECT_EQ(train->m_nStatus, static_cast<int>(c.status)) << c.endElevation << " " << c.turnDegrees;
        EXPECT_EQ(train->m_bRunning, c.running);
    }
}

TEST_F(TestTrain, ATrainFarFromEveryTrackEndOrAtADeadEndStopsForTheConnectionDistance) {
    Straight(0.0, 0.0, 2000.0, 0.0);
    CTestTrain* far = RunningTrain(-1001.0, 0.0);
    EXPECT_EQ(far->m_bRunning, 0);
    EXPECT_TRUE(far->m_segments.empty());
    EXPECT_EQ(far->m_nStatus, static_cast<int>(IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED));

    CTestTrain* train = RunningTrain(-999.0, 0.0);
    EXPECT_EQ(train->m_bRunning, 1);
    for (int i = 0; i < 60; ++i) train->StepTrain(1);
    EXPECT_EQ(train->m_bRunning, 0);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED));
    const CDoublePoint stoppedAt = train->m_vehicles[0];
    train->StepTrain(1);
    ExpectPoint(train->m_vehicles[0], stoppedAt.x, stoppedAt.y);
}

TEST_F(TestTrain, AtATurnoutTheFirstRouteWithAConnectedEndWins) {
    Straight(-5000.0, 0.0, 0.0, 0.0);
    CTrack* through = Straight(0.0, 0.0, 3000.0, 0.0);
    CTrack* branch = Straight(0.0, 0.0, 3000.0, 50.0);
    // Only the branch is joined to the approach.
    branch->m_bBeginConnected = 1;
    CTestTrain* train = RunningTrain(-5000.0, 0.0);
    train->AdvanceAlongTrack(1, 0.0);
    train->AdvanceAlongTrack(1, 5010.0);
    ASSERT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_pCurrentPiece, branch);
    // Both routes joined: the one laid first takes the train.
    through->m_bBeginConnected = 1;
    train->ResetRun();
    train->MoveBy(0.0, 0.0, 0);
    CTestTrain* second = RunningTrain(-5000.0, 0.0);
    second->AdvanceAlongTrack(1, 0.0);
    second->AdvanceAlongTrack(1, 5010.0);
    EXPECT_EQ(second->m_pCurrentPiece, through);
}

TEST_F(TestTrain, OnAGradeTheVehiclesTakeTheirHeightsFromTheirPiecesEnds) {
    Straight(0.0, 0.0, 10000.0, 0.0, 0.0, 500.0);
    CTestTrain* train = RunningTrain(0.0, 0.0);
    train->AdvanceAlongTrack(1, 0.0);
    train->AdvanceAlongTrack(1, 8000.0);
    // 5 % up: 50 per 1000.
    EXPECT_NEAR(train->m_elevations[0], 0.05 * train->m_vehicles[0].x, 1e-6);
    EXPECT_NEAR(train->m_elevations[5], 0.05 * train->m_vehicles[5].x, 1e-6);
    EXPECT_GT(train->m_elevations[0], train->m_elevations[1]);
    // Behind the path's start the grade carries on downwards.
    CTestTrain* behind = RunningTrain(0.0, 0.0);
    behind->AdvanceAlongTrack(1, 0.0);
    behind->AdvanceAlongTrack(1, 1000.0);
    EXPECT_LT(behind->m_vehicles[5].x, 0.0);
    EXPECT_NEAR(behind->m_elevations[5], 0.05 * behind->m_vehicles[5].x, 1e-6);
}

TEST_F(TestTrain, APieceThatLeavesTheLayoutIsForgottenByEveryTrainAndStopsTheOneOnIt) {
    CTrack* first = Straight(0.0, 0.0, 1000.0, 0.0);
    CTrack* second = Straight(1000.0, 0.0, 30000.0, 0.0);
    JoinAll();
    CTestTrain* train = RunningTrain(0.0, 0.0);
    train->AdvanceAlongTrack(1, 0.0);
    train->AdvanceAlongTrack(1, 1200.0);
    ASSERT_EQ(train->m_segments.size(), 2u);
    ASSERT_EQ(train->m_pCurrentPiece, second);

    // The piece under the cars goes: its segment names no piece and gives (0, 0).
    layout->m_rootGroup.m_members.remove(first);
    first->ReleaseData();
    delete first;
    EXPECT_EQ(train->m_segments[0].piece, nullptr);
    EXPECT_EQ(train->m_bRunning, 1);
    ExpectPoint(train->GetPathPoint(0), 0.0, 0.0);
    train->StepTrain(1);
    ExpectPoint(train->AdvanceAlongTrack(1, 10.0), 0.0, 0.0);

    // A piece taken out of the layout by the engine is forgotten too.
    Tool().DetachObject(second);
    EXPECT_EQ(train->m_segments[1].piece, nullptr);
    EXPECT_EQ(train->m_bRunning, 0);
    layout->m_rootGroup.m_members.push_back(second);
    train->m_bRunning = 1;
    train->m_pCurrentPiece = second;
    train->m_segments[1].piece = second;

    // The current piece goes: the train stops and steps on safely.
    Tool().SelectAll(0);
    Tool().DeleteSelection(0);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
    EXPECT_EQ(train->m_pCurrentPiece, nullptr);
    EXPECT_EQ(train->m_bRunning, 0);
    for (int i = 0; i < 5; ++i) layout->StepTrains(3);
}

TEST_F(TestTrain, ABendTooSharpForAVehicleStopsTheTrainAfterPlacingIt) {
    // A hairpin of radius 600 under a body of 1320.
    Straight(-3000.0, 0.0, 0.0, 0.0);
    Curve(0.0, 600.0, 600.0, 1.5 * kPi, kPi);
    Straight(0.0, 1200.0, -3000.0, 1200.0);
    JoinAll();
    CTestTrain* train = RunningTrain(-3000.0, 0.0);
    train->AdvanceAlongTrack(1, 0.0);
    for (int i = 0; i < 200 && train->m_bRunning; ++i) train->StepTrain(1);
    EXPECT_EQ(train->m_bRunning, 0);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_MAXIMUM_BEND_DEFORMATION_EXCEEDED));
}

TEST_F(TestTrain, APieceOfNoLengthOnTheWayGivesNoHeightThatIsNotANumber) {
    Straight(0.0, 0.0, 3000.0, 0.0);
    Straight(3000.0, 0.0, 3000.0, 0.0);
    Straight(3000.0, 0.0, 12000.0, 0.0);
    JoinAll();
    CTestTrain* train = RunningTrain(0.0, 0.0);
    train->AdvanceAlongTrack(1, 0.0);
    for (int step = 0; step < 12; ++step) {
        train->AdvanceAlongTrack(1, 500.0);
        for (double elevation : train->m_elevations) ASSERT_FALSE(std::isnan(elevation)) << step;
        ASSERT_FALSE(std::isnan(train->m_headOffset.x));
    }
    EXPECT_EQ(train->m_bRunning, 1);
    ExpectPoint(train->m_vehicles[0], 6000.0 - 165.0, 0.0, 1e-3);
}
