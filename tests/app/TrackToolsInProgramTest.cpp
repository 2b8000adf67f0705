#include <gtest/gtest.h>

#include "model/CCVNDoc.h"
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
    // The two pieces, the hidden band and the two new pieces.
    EXPECT_EQ(PieceCount(), 5u);

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
