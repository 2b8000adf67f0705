#include <gtest/gtest.h>

#include <vector>

#include "model/CCVNDoc.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "tests/model/LayoutBytes.h"

// Creation tools whose dialog opens once the object is drawn, in the running program: a
// cancelled dialog keeps the drawn object as it came, one Undo takes it back, and every tool
// asks again at its next drag.

namespace {

struct AskingTool {
    UINT command;
    const char* caption;
};

constexpr AskingTool kAskingTools[] = {{ID_TOOL_3D_OBJECT, "3D Objects properties"},
                                       {ID_TOOL_3D_BITMAP, "3D Bitmap properties"},
                                       {ID_TOOL_TEXT, "Text properties"},
                                       {ID_TOOL_BITMAP_PICTURE, "Picture properties"}};

class CancelledCreation : public PlanInProgram {
  protected:
    // Chooses the tool, drags a box and cancels the dialog that asks for the new object,
    // the way a person would: with the Cancel button. Answers whether the dialog came.
    bool DrawCancelled(const AskingTool& tool, CPoint from, CPoint to) {
        Command(tool.command);
        bool asked = false;
        host.WhenModal(tool.caption, [&](CWnd& dialog) {
            asked = true;
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        Drag(from, to);
        return asked;
    }
    size_t ObjectCount() { return ActiveLayout()->m_rootGroup.m_members.size(); }
};

}  // namespace

TEST_F(CancelledCreation, EveryToolAsksAgainAfterACancelAndOneUndoTakesTheObjectBack) {
    CCVNDoc& layout = *ActiveLayout();
    for (const AskingTool& cancelled : kAskingTools) {
        SCOPED_TRACE(cancelled.caption);
        // The file keeps the chosen tool.
        Command(cancelled.command);
        const std::vector<BYTE> before = SaveLayoutBytes(layout);
        const size_t objects = ObjectCount();
        const int steps = layout.m_tool.GetUndoCount();
        ASSERT_TRUE(DrawCancelled(cancelled, CPoint(100, 200), CPoint(250, 260)));
        // The drawn object stays as it came, and goes with one Undo.
        EXPECT_EQ(ObjectCount(), objects + 1);
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(ObjectCount(), objects);
        EXPECT_EQ(SaveLayoutBytes(layout), before);

        // The same tool, then each other one, over the same place and elsewhere.
        for (const AskingTool& next : kAskingTools) {
            SCOPED_TRACE(next.caption);
            EXPECT_TRUE(DrawCancelled(next, CPoint(120, 210), CPoint(240, 250)));
            EXPECT_TRUE(DrawCancelled(next, CPoint(300, 100), CPoint(420, 180)));
        }
        // The camera tool places its camera after a cancelled dialog too, and the tool asks
        // again after it.
        const size_t drawn = ObjectCount();
        Command(ID_TOOL_CAMERA);
        Drag(CPoint(150, 300), CPoint(250, 330));
        EXPECT_EQ(ObjectCount(), drawn + 1);
        EXPECT_TRUE(DrawCancelled(cancelled, CPoint(150, 300), CPoint(280, 380)));

        // Undoing all of it gives the layout back.
        while (layout.m_tool.GetUndoCount() > steps) Command(ID_EDIT_UNDO);
        Command(cancelled.command);
        EXPECT_EQ(SaveLayoutBytes(layout), before);
    }
}

// The tools that ask in the middle of their gesture: a cancelled test train leaves the layout
// as it was, a cancelled terrain stays with its defaults, a cancelled parallel track builds
// nothing, not even its rubber band; each asks again the next time.
TEST_F(CancelledCreation, TrainTerrainAndParallelTrackAskAgainAfterACancel) {
    CCVNDoc& layout = *ActiveLayout();
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 400), CPoint(400, 400));
    int asked = 0;
    const auto cancelNext = [&](const char* caption) {
        host.WhenModal(caption, [&](CWnd& dialog) {
            ++asked;
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
    };
    const auto click = [&](CPoint point) {
        host.AdvanceClock(1000);
        host.ClickClient(View(), point);
        host.RunUntilIdle();
    };
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        Command(ID_TOOL_RUN_TEST_TRAIN);
        const std::vector<BYTE> beforeTrain = SaveLayoutBytes(layout);
        cancelNext("Train properties");
        Drag(CPoint(200, 400), CPoint(210, 400));
        EXPECT_EQ(asked, 3 * round - 2);
        EXPECT_EQ(SaveLayoutBytes(layout), beforeTrain);
        Command(ID_STOP_TEST_TRAIN);

        Command(ID_TOOL_TERRAIN);
        const size_t beforeTerrain = ObjectCount();
        cancelNext("properties");
        for (CPoint corner : {CPoint(500, 100), CPoint(800, 100), CPoint(800, 300), CPoint(500, 300)})
            click(corner);
        host.ClickClient(View(), CPoint(500, 300));
        host.RunUntilIdle();
        EXPECT_EQ(asked, 3 * round - 1);
        EXPECT_EQ(ObjectCount(), beforeTerrain + 1);
        EXPECT_EQ(layout.m_tool.m_nMultiPoint, 0);

        Command(ID_TOOL_SELECTOR);
        Command(ID_CREATE_PARALLEL_TRACK);
        const size_t beforeParallel = ObjectCount();
        Drag(CPoint(150, 400), CPoint(350, 400));
        View()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 350));
        host.RunUntilIdle();
        cancelNext("Parallel track");
        click(CPoint(300, 350));
        EXPECT_EQ(asked, 3 * round);
        EXPECT_EQ(ObjectCount(), beforeParallel);
        Command(ID_TOOL_SELECTOR);
    }
}
