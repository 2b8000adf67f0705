#include <gtest/gtest.h>

#include <set>

#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"
#include "resources/TrainPropertiesTemplate.h"
#include "tests/support/PixelDigest.h"
#include "tests/view3d/TrainFixture.h"
#include "view3d/CTrainPropertyDialog.h"

namespace {

// The program's plan view, used as a person would: the Run Test Train tool, the mouse, the
// properties dialog, the menus and the timer on the virtual clock.
class TrainRun : public TrainFixture {
  protected:
    // Places a train with the tool at a client point, confirming its properties dialog.
    CTestTrain* PlaceWithTool(CPoint client) {
        Command(ID_TOOL_RUN_TEST_TRAIN);
        host.WhenModal("Train properties", [](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK); });
        // A press soon after another on the same spot would be a double click.
        host.AdvanceClock(1000);
        host.ClickClient(View(), client);
        host.RunUntilIdle();
        return layout->m_testTrains.empty() ? nullptr
                                            : dynamic_cast<CTestTrain*>(layout->m_testTrains.front());
    }
    void RunFor(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) host.AdvanceClock(20);
    }
    // Pixels of the plan window in the train's colour: trains are drawn over the layout,
    // straight onto the window.
    int TrainPixels() {
        CRect client;
        View()->GetClientRect(&client);
        CClientDC dc(View());
        int count = 0;
        for (int y = client.top; y < client.bottom; y += 2)
            for (int x = client.left; x < client.right; x += 2)
                if (dc.GetPixel(x, y) == CTestTrain::kDefaultColor)
                    ++count;
        return count;
    }
    // A dimension line whose lines lie left of the point, its label's corner at the point.
    CSizeLine* DimensionLeftOf(const CDoublePoint& at) {
        auto* dimension = Place(new CSizeLine(0, &Tool(), at.x, at.y));
        dimension->m_points[1] = {-600.0, 200.0};
        dimension->m_points[2] = {-600.0, -200.0};
        dimension->m_points[3] = {0.0, 0.0};
        dimension->RebuildShape();
        return dimension;
    }
    // Lays a straight down through x, from above the point to far below it, and runs a train
    // along it until the train is well past the point.
    void RunTrainDownPast(const CDoublePoint& at, double trackX) {
        Straight(trackX, at.y + 1500.0, trackX, at.y - 30000.0);
        View()->InvalidateAll();
        host.RunUntilIdle();
        CTestTrain* train = RunningTrain(trackX, at.y + 1500.0);
        ASSERT_EQ(train->m_bRunning, 1);
        Main().StartTrainTimer();
        RunFor(5000);
        Main().StopTrainTimer();
        host.RunUntilIdle();
        EXPECT_LT(train->m_vehicles[0].y, at.y - 3000.0);
    }
    // What the window shows stays the same when the whole plan is painted afresh.
    void ExpectPaintedAfresh() {
        const std::uint64_t shown = PixelDigest(*Main().Surface());
        View()->InvalidateAll();
        host.RunUntilIdle();
        EXPECT_EQ(shown, PixelDigest(*Main().Surface()));
    }
};

}  // namespace

TEST_F(TrainRun, ATrainPlacedWithTheToolGoesRoundALoopOfStraightsAndCurvesOnTheVirtualClock) {
    ASSERT_TRUE(IsEnabled(ID_TOOL_RUN_TEST_TRAIN));
    const CPoint press(150, 300);
    const CDoublePoint at = LayoutAt(press);
    Loop(at.x + 50.0, at.y, 8000.0, 2000.0);
    ASSERT_EQ(TrainPixels(), 0);

    CTestTrain* train = PlaceWithTool(press);
    ASSERT_NE(train, nullptr);
    EXPECT_EQ(Main().GetTrainTimerId(), CMainFrame::kTrainTimerId);
    EXPECT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_bSelected, 0);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_GOOD));
    EXPECT_GT(TrainPixels(), 100);

    // Round the loop of 2 x 8000 + 2 x pi x 2000 at 40 per 20 ms: 26.3 s, and on a little.
    std::set<CPaint*> visited;
    double furthest = 0.0;
    for (int t = 0; t < 28000; t += 20) {
        host.AdvanceClock(20);
        visited.insert(train->m_pCurrentPiece);
        furthest = std::max(furthest, Distance(train->m_vehicles[0], at));
    }
    EXPECT_EQ(visited.size(), 4u);
    EXPECT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_GOOD));
    EXPECT_GT(furthest, 8000.0);
    EXPECT_LT(Distance(train->m_vehicles[0], at), 2000.0);
    EXPECT_GT(TrainPixels(), 100);

    Command(ID_STOP_TEST_TRAIN);
    EXPECT_EQ(Main().GetTrainTimerId(), 0u);
    EXPECT_EQ(train->m_bRunning, 0);
}

TEST_F(TrainRun, ATrainStopsAtADeadEndAndRunsAgainWhenPickedUpAndSetDownElsewhere) {
    const CPoint press(150, 300);
    const CDoublePoint at = LayoutAt(press);
    Straight(at.x, at.y, at.x + 3000.0, at.y);
    Straight(at.x, at.y - 2000.0, at.x + 30000.0, at.y - 2000.0);
    CTestTrain* train = PlaceWithTool(press);
    ASSERT_NE(train, nullptr);
    RunFor(3000);
    EXPECT_EQ(train->m_bRunning, 0);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED));
    EXPECT_EQ(Main().GetStatusBar().GetPaneText(0), "Maximum distance between track connections exceeded.");
    // The head stopped within one step of the end, a coupler gap ahead of the locomotive.
    EXPECT_NEAR(train->m_vehicles[0].x, at.x + 3000.0 - 165.0 - 20.0, 20.0);

    // Picked up in the selector by its locomotive and set down by the long straight's begin.
    Command(ID_TOOL_SELECTOR);
    CClientDC dc(View());
    View()->OnPrepareDC(&dc);
    const CPoint onLoco = Tool().LayoutToDevice(train->m_vehicles[0].x - 600.0, train->m_vehicles[0].y, 0);
    CPoint from = onLoco;
    dc.LPtoDP(&from);
    const CDoublePoint grabbed = LayoutAt(from);
    const CDoublePoint target{at.x + (grabbed.x - train->m_vehicles[0].x), at.y - 2000.0};
    CPoint drop = Tool().LayoutToDevice(target.x, target.y, 0);
    dc.LPtoDP(&drop);
    host.AdvanceClock(1000);
    host.DragClient(View(), from, drop, 5);
    host.RunUntilIdle();
    EXPECT_EQ(train->m_bSelected, 0);
    EXPECT_NEAR(train->m_vehicles[0].y, at.y - 2000.0, 60.0);
    EXPECT_EQ(train->m_bRunning, 1);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_GOOD));
    // Under way, fifty ticks of 20 ms take it 40 a tick along the straight.
    RunFor(200);
    const double before = train->m_vehicles[0].x;
    RunFor(1000);
    EXPECT_NEAR(train->m_vehicles[0].x, before + 50 * 40.0, 1e-6);
    EXPECT_NEAR(train->m_vehicles[0].y, at.y - 2000.0, 1e-6);
}

TEST_F(TrainRun, DeleteTakesAHeldTrainAwayAndStopsTheTimer) {
    const CPoint press(150, 300);
    const CDoublePoint at = LayoutAt(press);
    Straight(at.x, at.y, at.x + 30000.0, at.y);
    CTestTrain* train = PlaceWithTool(press);
    ASSERT_NE(train, nullptr);
    RunFor(200);
    Command(ID_TOOL_SELECTOR);
    CClientDC dc(View());
    View()->OnPrepareDC(&dc);
    CPoint onLoco = Tool().LayoutToDevice(train->m_vehicles[0].x - 600.0, train->m_vehicles[0].y, 0);
    dc.LPtoDP(&onLoco);
    CPoint screen = onLoco;
    View()->ClientToScreen(&screen);
    host.AdvanceClock(1000);
    host.MouseDown(screen);
    EXPECT_EQ(train->m_bSelected, 1);
    EXPECT_TRUE(IsEnabled(ID_EDIT_DELETE));
    View()->SendMessage(WM_COMMAND, ID_EDIT_DELETE);
    host.MouseUp(screen);
    host.RunUntilIdle();
    EXPECT_TRUE(layout->m_testTrains.empty());
    EXPECT_EQ(Main().GetTrainTimerId(), 0u);
}

TEST_F(TrainRun, ATrainReleasedFarFromTheTrackDoesNotStartAndTheDialogPausesTheTrains) {
    const CPoint press(150, 300);
    const CDoublePoint at = LayoutAt(press);
    Straight(at.x + 1500.0, at.y, at.x + 9000.0, at.y);
    Command(ID_TOOL_RUN_TEST_TRAIN);
    bool paused = false;
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        paused = Main().IsTrainPaused() != FALSE;
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    host.AdvanceClock(1000);
    host.ClickClient(View(), press);
    host.RunUntilIdle();
    ASSERT_EQ(layout->m_testTrains.size(), 1u);
    auto* train = dynamic_cast<CTestTrain*>(layout->m_testTrains.front());
    EXPECT_TRUE(paused);
    EXPECT_FALSE(Main().IsTrainPaused());
    EXPECT_EQ(train->m_bRunning, 0);
    EXPECT_EQ(train->m_nStatus, static_cast<int>(IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED));
}

TEST_F(TrainRun, ATrainDroppedInTheMiddleOfATrackTellsInItsDialogAndTheStatusBarWhyItStandsStill) {
    const CString tooFar = "Maximum distance between track connections exceeded.";
    struct Drop {
        CPoint press;
        double trackStart;  // where the track under the press begins, from the press along x
        const char* status;
    };
    // Five metres from either end, and on the begin end of a track.
    const Drop drops[] = {{CPoint(150, 250), -50000.0, tooFar}, {CPoint(150, 400), 0.0, "Good!!!"}};
    for (const Drop& drop : drops) {
        SCOPED_TRACE(drop.status);
        const CDoublePoint at = LayoutAt(drop.press);
        Straight(at.x + drop.trackStart, at.y, at.x + drop.trackStart + 100000.0, at.y);
        Command(ID_TOOL_RUN_TEST_TRAIN);
        CString shown;
        host.WhenModal("Train properties", [&](CWnd& dialog) {
            dialog.GetDlgItem(IDC_TRAIN_STATUS)->GetWindowText(shown);
            dialog.SendMessage(WM_COMMAND, IDOK);
        });
        host.AdvanceClock(1000);
        host.ClickClient(View(), drop.press);
        host.RunUntilIdle();
        ASSERT_FALSE(layout->m_testTrains.empty());
        auto* train = dynamic_cast<CTestTrain*>(layout->m_testTrains.front());
        EXPECT_EQ(shown, drop.status);
        EXPECT_EQ(Main().GetStatusBar().GetPaneText(0), drop.status);
        EXPECT_EQ(train->m_bRunning, drop.trackStart == 0.0 ? 1 : 0);
    }
}

TEST_F(TrainRun, TheTimerMovesATrainBySpeedTimesWholeStepsKeepingTheRestAndNotThePausedTime) {
    Straight(0.0, -5000.0, 60000.0, -5000.0);
    CTestTrain* train = RunningTrain(0.0, -5000.0);
    // The step after the start only lays the train out.
    train->StepTrain(1);
    const double start = train->m_vehicles[0].x;
    // The ticks come from the test alone.
    Main().StartTrainTimer();
    Main().StopTrainTimer();
    Tick();
    EXPECT_EQ(train->m_vehicles[0].x, start);
    host.AdvanceClock(45);
    Tick();
    EXPECT_NEAR(train->m_vehicles[0].x, start + 80.0, 1e-5);
    host.AdvanceClock(15);
    Tick();
    EXPECT_NEAR(train->m_vehicles[0].x, start + 120.0, 1e-5);

    // A minute under a modal dialog: the first tick after it moves one step's worth.
    Main().SetTrainPause(TRUE);
    host.AdvanceClock(60000);
    Tick();
    EXPECT_NEAR(train->m_vehicles[0].x, start + 120.0, 1e-5);
    Main().SetTrainPause(FALSE);
    host.AdvanceClock(20);
    Tick();
    EXPECT_NEAR(train->m_vehicles[0].x, start + 160.0, 1e-5);
}

// A train running past a dimension line's label, and not its lines, erases the label as it
// goes: the plan redraws what the train's place touches, the label among it.
TEST_F(TrainRun, ATrainRunningPastADimensionsLabelLeavesTheLabelWhole) {
    const CPoint labelCorner(300, 250);
    const CDoublePoint at = LayoutAt(labelCorner);
    // The dimension's lines lie left of its label's corner, the label's text right of it.
    DimensionLeftOf(at);
    // The track crosses the label half a centimetre of the screen right of its corner.
    const double trackX = at.x + 500.0;
    ASSERT_NO_FATAL_FAILURE(RunTrainDownPast(at, trackX));
    ExpectPaintedAfresh();
}

// The same for a dimension angle, whose label stands beyond the arc's end, across its radius.
TEST_F(TrainRun, ATrainRunningPastAnAngleDimensionsLabelLeavesTheLabelWhole) {
    const CDoublePoint at = LayoutAt(CPoint(300, 200));
    const double pixel = LayoutAt(CPoint(301, 200)).x - at.x;
    // A small angle whose arms lie left of its vertex; the label's text starts below the vertex
    // and runs right, much longer on the screen than the figure.
    auto* angle = Place(new CSizeAngle(0, &Tool(), at.x, at.y));
    const double turn = 260.0 / 180.0 * kPi;
    angle->m_points[1] = {-8.0 * pixel, 0.0};
    angle->m_points[2] = {8.0 * pixel * std::cos(turn), 8.0 * pixel * std::sin(turn)};
    angle->m_points[3] = {0.0, 0.0};
    angle->m_points[4] = {0.0, -5.0 * pixel};
    angle->RebuildShape();
    // The track crosses the label's text, clear of the figure.
    const double trackX = at.x + 15.0 * pixel;
    ASSERT_NO_FATAL_FAILURE(RunTrainDownPast(at, trackX));
    ExpectPaintedAfresh();
}

// A dimension grouped with the Group command keeps its label whole too: the group's paint
// bounds take in what its members paint, the label beyond their extent among it, so a train
// passing the label redraws it, and a drag of the group takes all of the label along.
TEST_F(TrainRun, AGroupedDimensionsLabelIsRedrawnWithItsGroup) {
    const CDoublePoint at = LayoutAt(CPoint(300, 250));
    CSizeLine* dimension = DimensionLeftOf(at);
    dimension->Select();
    Main().SendMessage(WM_COMMAND, ID_GROUP);
    auto* group = dynamic_cast<CGroup*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(group, nullptr);
    const double trackX = at.x + 500.0;
    ASSERT_NO_FATAL_FAILURE(RunTrainDownPast(at, trackX));
    {
        SCOPED_TRACE("the train passed");
        ExpectPaintedAfresh();
    }

    // Dragged away, the group leaves nothing of its label behind.
    const CPose before = group->m_pose;
    Main().SendMessage(WM_COMMAND, ID_TOOL_SELECTOR);
    Drag(CPoint(290, 242), CPoint(140, 142));
    ASSERT_NE(group->m_pose.x, before.x);
    SCOPED_TRACE("the group moved");
    ExpectPaintedAfresh();
}

TEST_F(TrainRun, TheSpeedAndCarCountBarsGoToTheirEndsByHomeAndEnd) {
    struct Bar {
        int id;
        int label;
        const char* end;
    };
    for (const Bar bar : {Bar{IDC_TRAIN_SPEED, IDC_TRAIN_SPEED_LABEL, "100"},
                          Bar{IDC_TRAIN_CAR_COUNT, IDC_TRAIN_CAR_COUNT_LABEL, "50"}}) {
        CString atEnd, atHome;
        host.WhenModal("Train properties", [&](CWnd& dialog) {
            dialog.GetDlgItem(bar.id)->SetFocus();
            host.PressKey(VK_END);
            dialog.GetDlgItem(bar.label)->GetWindowText(atEnd);
            host.PressKey(VK_HOME);
            dialog.GetDlgItem(bar.label)->GetWindowText(atHome);
            dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        CTrainPropertyDialog(&Main()).DoModal();
        EXPECT_EQ(atEnd, bar.end);
        EXPECT_EQ(atHome, "0");
    }
}
