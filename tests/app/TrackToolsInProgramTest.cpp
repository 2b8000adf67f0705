#include <gtest/gtest.h>

#include <memory>

#include "drawing/CSizeLine.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "resources/TrackToolTemplates.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "tests/model/LayoutBytes.h"
#include "track/CParTrack.h"
#include "track/CTrack.h"
#include "track/TrackAngles.h"

// The track tools in the running program: their commands from the "Track" menu, the mouse in
// the plan window and their dialogs.

namespace {

class TrackToolsInProgram : public PlanInProgram {
  protected:
    // Two straights joined end to begin, drawn with the straight track tool.
    void DrawTwoStraights() {
        Command(ID_TOOL_STRAIGHT_TRACK);
        Drag(CPoint(100, 200), CPoint(250, 200));
        Command(ID_TOOL_STRAIGHT_TRACK);
        Drag(CPoint(250, 200), CPoint(400, 200));
        Command(ID_TOOL_SELECTOR);
    }
    size_t PieceCount() { return ActiveLayout()->m_rootGroup.m_members.size(); }
    // Create Parallel Track over both straights, the band pulled up to the point.
    void PullBand(CPoint to) {
        Command(ID_CREATE_PARALLEL_TRACK);
        Drag(CPoint(170, 200), CPoint(330, 200));
        View()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
        host.RunUntilIdle();
    }
    void Answer(CPoint at, int button) {
        host.WhenModal("Parallel track", [&, button](CWnd& dialog) {
            host.ClickClient(dialog.GetDlgItem(button), CPoint(3, 3));
        });
        host.AdvanceClock(1000);
        host.ClickClient(View(), at);
        host.RunUntilIdle();
    }
    static std::vector<BYTE> Reopened(const std::vector<BYTE>& bytes, size_t& members) {
        auto layout = std::make_unique<CCVNDoc>();
        LoadLayoutBytes(*layout, bytes);
        members = layout->m_rootGroup.m_members.size();
        for (CPaint* member : layout->m_rootGroup.m_members)
            EXPECT_EQ(dynamic_cast<CSizeLine*>(member), nullptr);
        return SaveLayoutBytes(*layout);
    }
};

}  // namespace

TEST_F(TrackToolsInProgram, TheTrackMenusToolsWorkInThePlanWindow) {
    for (UINT id : {ID_SELECT_TRACK_CHAIN, ID_CONNECT_USING_SPLINE, ID_CONNECT_USING_CURVE_STRAIGHT,
                    ID_CREATE_PARALLEL_TRACK, ID_CHAIN_TRACK_ELEVATIONS})
        EXPECT_TRUE(IsEnabled(id)) << id;
    // Nothing selected: no track to set elevations of.
    EXPECT_FALSE(IsEnabled(ID_SET_SELECTED_TRACK_ELEVATIONS));
    DrawTwoStraights();
    ASSERT_EQ(PieceCount(), 2u);

    Command(ID_SELECT_TRACK_CHAIN);
    Drag(CPoint(170, 200), CPoint(330, 200));
    EXPECT_EQ(ActiveLayout()->m_tool.GetSelectedCount(), 2);
    EXPECT_TRUE(IsEnabled(ID_SET_SELECTED_TRACK_ELEVATIONS));

    // A parallel track above the chain.
    Command(ID_CREATE_PARALLEL_TRACK);
    Drag(CPoint(170, 200), CPoint(330, 200));
    View()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(380, 150));
    host.RunUntilIdle();
    bool asked = false;
    host.WhenModal("Parallel track", [&](CWnd& dialog) {
        asked = true;
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
    });
    host.AdvanceClock(1000);
    host.ClickClient(View(), CPoint(380, 150));
    host.RunUntilIdle();
    EXPECT_TRUE(asked);
    // The two pieces and the two new pieces.
    EXPECT_EQ(PieceCount(), 4u);

    // Chain elevations over the first two pieces, cancelled: nothing changes.
    Command(ID_CHAIN_TRACK_ELEVATIONS);
    bool elevations = false;
    host.WhenModal("Elevations", [&](CWnd& dialog) {
        elevations = true;
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
    });
    Drag(CPoint(170, 200), CPoint(330, 200));
    EXPECT_TRUE(elevations);
}
TEST_F(TrackToolsInProgram, OneUndoTakesBackADragTogetherWithTheTurnOfItsTrackSnap) {
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 200), CPoint(250, 200));
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(300, 300), CPoint(400, 250));
    Command(ID_TOOL_SELECTOR);
    ASSERT_EQ(PieceCount(), 2u);
    CCVNDoc& layout = *ActiveLayout();
    auto* fixed = dynamic_cast<CTrack*>(layout.m_rootGroup.m_members.back());
    auto* moved = dynamic_cast<CTrack*>(layout.m_rootGroup.m_members.front());
    ASSERT_NE(fixed, nullptr);
    ASSERT_NE(moved, nullptr);
    // Heights that no sum of the snap's offsets gives back exactly.
    fixed->m_fEndElevation = 33.3;
    moved->m_fBeginElevation = 10.1;
    moved->m_fEndElevation = 17.7;
    const std::vector<BYTE> before = SaveLayoutBytes(layout);
    const int steps = layout.m_tool.GetUndoCount();
    const CPose placed = moved->m_pose;

    // Its begin end dropped near the fixed piece's end: it turns to go on from there.
    Drag(CPoint(350, 275), CPoint(305, 180));
    const CDoublePoint joint = fixed->LocalToWorld(fixed->GetEndPoint(1).x, fixed->GetEndPoint(1).y);
    const CDoublePoint begin = moved->LocalToWorld(moved->GetEndPoint(0).x, moved->GetEndPoint(0).y);
    EXPECT_NEAR(begin.x, joint.x, 1e-6);
    EXPECT_NEAR(begin.y, joint.y, 1e-6);
    EXPECT_NE(moved->m_pose.angle, placed.angle);
    EXPECT_NEAR(moved->m_fBeginElevation, 33.3, 1e-9);
    EXPECT_TRUE(SameDirection(moved->GetEndAngle(nullptr, 0),
                              ReduceAngle(fixed->GetEndAngle(nullptr, 1) + kPi), 1e-9));
    const std::vector<BYTE> snapped = SaveLayoutBytes(layout);

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(SaveLayoutBytes(layout), before);
    EXPECT_EQ(layout.m_tool.GetUndoCount(), steps);
    // The same drag again gives the same snapped layout.
    Drag(CPoint(350, 275), CPoint(305, 180));
    EXPECT_EQ(SaveLayoutBytes(layout), snapped);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(SaveLayoutBytes(layout), before);
    // The next Undo takes back the second piece's drawing, as it would have without the drag.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(PieceCount(), 1u);
}

// The rubber band of Create Parallel Track is drawn while it is pulled and never reaches the
// layout: saved while pulled, after a Cancel or after OK, the file holds the pieces alone.
TEST_F(TrackToolsInProgram, TheParallelTracksBandNeverReachesTheFile) {
    CCVNDoc& layout = *ActiveLayout();
    DrawTwoStraights();
    const std::vector<BYTE> before = SaveLayoutBytes(layout);

    // Saved while pulled: the chain shows in its picking colours, the band is not there.
    PullBand(CPoint(380, 150));
    EXPECT_EQ(PieceCount(), 2u);
    size_t members = 0;
    Reopened(SaveLayoutBytes(layout), members);
    EXPECT_EQ(members, 2u);
    Answer(CPoint(380, 150), IDCANCEL);
    EXPECT_EQ(PieceCount(), 2u);
    EXPECT_EQ(SaveLayoutBytes(layout), before);

    PullBand(CPoint(380, 150));
    Answer(CPoint(380, 150), IDOK);
    ASSERT_EQ(PieceCount(), 4u);
    const std::vector<BYTE> withParallel = SaveLayoutBytes(layout);
    const std::vector<BYTE> reopened = Reopened(withParallel, members);
    EXPECT_EQ(members, 4u);
    EXPECT_EQ(Reopened(reopened, members), reopened);

    // Another tool chosen while the band is out takes the band away.
    PullBand(CPoint(380, 250));
    Command(ID_TOOL_TEXT);
    Command(ID_TOOL_SELECTOR);
    EXPECT_EQ(SaveLayoutBytes(layout), withParallel);
}

// A layout saved with the band an earlier parallel track left hidden on layer -1 opens
// without it, and saves as the layout without it.
TEST_F(TrackToolsInProgram, ALayoutWithALeftOverBandOpensWithoutIt) {
    CCVNDoc& layout = *ActiveLayout();
    DrawTwoStraights();
    const std::vector<BYTE> without = SaveLayoutBytes(layout);
    CTool& tool = layout.m_tool;
    // The band as that tool left it: a dimension line placed in the layout, then hidden.
    const auto leaveBand = [&](CGroup* group) {
        auto* band = dynamic_cast<CSizeLine*>(tool.CreateObjectForTool(kToolDimensionLine));
        EXPECT_NE(band, nullptr);
        band->m_bExtraHandles = 0;
        tool.PlaceNewObject(band, 4000.0, 2000.0, group, 1);
        band->SetPoints(4000.0, 2000.0, 4000.0, 2520.0, 4000.0, 2260.0, band->m_bLabel, 0, 0);
        band->SetLayer(-1);
    };
    leaveBand(&layout.m_rootGroup);
    const std::vector<BYTE> withBand = SaveLayoutBytes(layout);
    ASSERT_EQ(PieceCount(), 3u);
    size_t members = 0;
    const std::vector<BYTE> reopenedWithout = Reopened(without, members);
    EXPECT_EQ(Reopened(withBand, members), reopenedWithout);
    EXPECT_EQ(members, 2u);
}

// The connect tools' rubber line is painted while the mouse pulls it from a track end.
TEST_F(TrackToolsInProgram, TheConnectToolsRubberLineIsPaintedWhileItIsPulled) {
    DrawTwoStraights();
    for (UINT id : {ID_CONNECT_USING_SPLINE, ID_CONNECT_USING_CURVE_STRAIGHT}) {
        Command(id);
        host.AdvanceClock(1000);
        CPoint from(100, 200), to(160, 320);
        View()->ClientToScreen(&from);
        View()->ClientToScreen(&to);
        host.MouseDown(from);
        host.MouseMove(to);
        CRect frame;
        Main().GetWindowRect(&frame);
        int green = 0;
        for (int y = from.y + 10; y < to.y; ++y)
            for (int x = from.x; x <= to.x; ++x)
                green +=
                    Main().Surface()->At(x - frame.left, y - frame.top) == PixelFromColor(RGB(0, 128, 0));
        EXPECT_GT(green, 20) << id;
        host.MouseUp(to);
    }
}
