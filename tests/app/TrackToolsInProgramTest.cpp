#include <gtest/gtest.h>

#include "model/CCVNDoc.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "resources/TrackToolTemplates.h"
#include "shell/CCVNView.h"
#include "shell/CSplashWindow.h"
#include "tests/app/RunningProgram.h"
#include "track/CParTrack.h"

// The track tools in the running program: their commands from the "Track" menu, the mouse in
// the plan window and their dialogs.

namespace {

class TrackToolsInProgram : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        host.AdvanceClock(CSplashWindow::kShowTime);
    }
    CCVNView* View() { return dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Command(UINT id) {
        Main().SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    void Drag(CPoint from, CPoint to) {
        // A press soon after the last one on the same spot would be a double click.
        host.AdvanceClock(1000);
        host.DragClient(View(), from, to, 6);
        host.RunUntilIdle();
    }
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
