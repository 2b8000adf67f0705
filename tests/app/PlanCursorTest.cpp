#include <gtest/gtest.h>

#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/Cursors.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "view3d/C3DView.h"

namespace {

constexpr UINT kArrow = 308;
constexpr UINT kMove = 373;
constexpr UINT kHandle = 374;
constexpr UINT kRotate = 335;
constexpr UINT kLine = 515;

class PlanCursor : public PlanInProgram {
  protected:
    CView* ActiveView() { return Main().MDIGetActive()->GetActiveView(); }
    CCVNView* View() { return dynamic_cast<CCVNView*>(ActiveView()); }
    // The cursor on the screen with the mouse over the client point of the view.
    HCURSOR ShownOver(CWnd* view, CPoint client) {
        view->ClientToScreen(&client);
        host.MouseMove(client);
        host.RunUntilIdle();
        return host.ShownCursor();
    }
    // A box from (100, 100) to (300, 200) on the window, selected.
    void DrawSelectedBox() {
        Command(ID_TOOL_BOX);
        host.AdvanceClock(1000);
        host.DragClient(plan, CPoint(100, 100), CPoint(300, 200), 6);
        host.RunUntilIdle();
        Command(ID_TOOL_SELECTOR);
        Command(ID_EDIT_SELECT_ALL);
    }
};

}  // namespace

TEST_F(PlanCursor, TheSelectorShowsWhatAPressWouldDoAndADrawingToolItsCrossHair) {
    DrawSelectedBox();
    EXPECT_EQ(ShownOver(plan, CPoint(200, 100)), LoadResourceCursor(kMove));
    EXPECT_EQ(plan->GetCursorId(), kMove);
    // Just outside the corner the corner handle is under the mouse but the outline is not.
    EXPECT_EQ(ShownOver(plan, CPoint(97, 97)), LoadResourceCursor(kHandle));
    EXPECT_EQ(ShownOver(plan, CPoint(307, 207)), LoadResourceCursor(kRotate));
    EXPECT_EQ(ShownOver(plan, CPoint(200, 150)), LoadResourceCursor(kArrow));

    Command(ID_TOOL_LINE);
    const HCURSOR line = ShownOver(plan, CPoint(150, 150));
    ASSERT_EQ(line, LoadResourceCursor(kLine));
    ASSERT_NE(line->picture, nullptr);
    EXPECT_EQ(line->picture->HotSpot(), CPoint(9, 9));
    EXPECT_EQ(line->picture->At(9, 9), CursorPicture::Pixel::Black);
}

TEST_F(PlanCursor, TheThreeDViewShowsItsArrowAndThePlanViewTakesItsOwnCursorBack) {
    Command(ID_TOOL_LINE);
    EXPECT_EQ(ShownOver(plan, CPoint(150, 150)), LoadResourceCursor(kLine));

    Command(ID_SHOW_3D_VIEW);
    auto* view3d = dynamic_cast<C3DView*>(ActiveView());
    ASSERT_NE(view3d, nullptr);
    EXPECT_EQ(ShownOver(view3d, CPoint(40, 40)), LoadResourceCursor(kArrow));

    Main().MDIActivate(plan->GetParentFrame());
    host.RunUntilIdle();
    ASSERT_EQ(ActiveView(), plan);
    // Two moves: the first may still find the 3D view's arrow in the shared class.
    ShownOver(plan, CPoint(150, 150));
    EXPECT_EQ(ShownOver(plan, CPoint(151, 150)), LoadResourceCursor(kLine));
}

TEST_F(PlanCursor, WithTheParallelToolTheSelectorStillTestsWhatLiesUnderTheMouse) {
    Command(ID_TOOL_STRAIGHT_TRACK);
    host.AdvanceClock(1000);
    host.DragClient(plan, CPoint(100, 122), CPoint(300, 160), 6);
    host.RunUntilIdle();
    Command(ID_TOOL_SELECTOR);
    EXPECT_EQ(ShownOver(plan, CPoint(200, 141)), LoadResourceCursor(kMove));

    ActiveLayout()->m_tool.m_bParallelToolActive = 1;
    EXPECT_EQ(ShownOver(plan, CPoint(200, 142)), LoadResourceCursor(451));
    EXPECT_EQ(ShownOver(plan, CPoint(200, 300)), LoadResourceCursor(464));
    ActiveLayout()->m_tool.m_bParallelToolActive = 0;
    EXPECT_EQ(ShownOver(plan, CPoint(200, 301)), LoadResourceCursor(kArrow));
}

// Two layouts' plan windows share one window class: each shows its own tool's cursor as the
// mouse goes from one to the other and back, the second layout's tool having installed the
// first one's cursor in between.
TEST_F(PlanCursor, TwoPlanWindowsEachShowTheirOwnToolsCursor) {
    Command(ID_TOOL_LINE);
    EXPECT_EQ(ShownOver(plan, CPoint(150, 150)), LoadResourceCursor(kLine));
    Command(ID_FILE_NEW);
    CCVNView* second = View();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, plan);
    EXPECT_EQ(ShownOver(second, CPoint(150, 150)), LoadResourceCursor(kArrow));
    Command(ID_TOOL_LINE);
    EXPECT_EQ(ShownOver(second, CPoint(151, 150)), LoadResourceCursor(kLine));
    Command(ID_TOOL_SELECTOR);
    EXPECT_EQ(ShownOver(second, CPoint(152, 150)), LoadResourceCursor(kArrow));

    Main().MDIActivate(plan->GetParentFrame());
    host.RunUntilIdle();
    EXPECT_EQ(ShownOver(plan, CPoint(150, 151)), LoadResourceCursor(kLine));
    Command(ID_TOOL_SELECTOR);
    EXPECT_EQ(ShownOver(plan, CPoint(150, 152)), LoadResourceCursor(kArrow));
    EXPECT_EQ(plan->GetCursorId(), kArrow);
}
