#include <gtest/gtest.h>

#include "platform/ctl/CComboBox.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CSplashWindow.h"
#include "shell/CToolBarEx.h"
#include "tests/app/PlanInProgram.h"

// The buttons of the main and tools bars, and the layer selector, against the menus: whatever
// windows come and go, a button is enabled exactly when its command's menu entry is.

namespace {

class ToolBarStates : public PlanInProgram {
  protected:
    CCVNView* Plan() { return dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Drag(UINT tool, CPoint from, CPoint to) {
        Command(tool);
        host.AdvanceClock(1000);
        host.DragClient(Plan(), from, to, 6);
        host.RunUntilIdle();
    }
    static bool IsButtonEnabled(const CToolBarEx& bar, UINT id) {
        return (bar.GetButtonStyle(bar.CommandToIndex(id)) & CToolBarEx::kDisabled) == 0;
    }
    // Every button of the bars that show, and the layer selector, as the menus show their commands.
    void ExpectBarsFollowTheMenus(const char* state) {
        SCOPED_TRACE(state);
        for (CToolBarEx* bar : {&Main().GetMainToolBar(), &Main().GetToolsToolBar()}) {
            if (!bar->IsWindowVisible())
                continue;
            for (int slot = 0; slot < bar->GetCount(); ++slot) {
                if (bar->GetButtonStyle(slot) & CToolBarEx::kSeparator)
                    continue;
                const UINT id = bar->GetItemID(slot);
                EXPECT_EQ(IsButtonEnabled(*bar, id), IsEnabled(id)) << "command " << id;
            }
        }
        EXPECT_EQ(Main().GetLayerCombo()->IsWindowEnabled() != FALSE, IsEnabled(ID_CHOOSE_ACTIVE_LAYER));
    }
    // Presses and releases the button of the command on the bar, as the mouse would.
    void ClickButton(CToolBarEx& bar, UINT id) {
        CRect item;
        bar.GetItemRect(bar.CommandToIndex(id), &item);
        host.AdvanceClock(1000);
        host.ClickClient(&bar, item.CenterPoint());
        host.RunUntilIdle();
    }
};

}  // namespace

TEST_F(ToolBarStates, EveryButtonIsEnabledExactlyWhenItsMenuEntryIs) {
    CToolBarEx& mainBar = Main().GetMainToolBar();
    CToolBarEx& toolsBar = Main().GetToolsToolBar();
    ExpectBarsFollowTheMenus("a plan window active");
    EXPECT_TRUE(IsButtonEnabled(mainBar, ID_TRACK_SNAP));
    EXPECT_TRUE(IsButtonEnabled(toolsBar, ID_CREATE_PARALLEL_TRACK));

    CMDIChildWnd* plan = Main().MDIGetActive();
    Command(ID_SHOW_3D_VIEW);
    ASSERT_FALSE(toolsBar.IsWindowVisible());
    ExpectBarsFollowTheMenus("a 3D window active");
    CMDIChildWnd* window3D = Main().MDIGetActive();
    Main().MDIActivate(plan);
    Command(ID_SHOW_3D_VIEW);
    EXPECT_EQ(Main().MDIGetActive(), window3D) << "the open 3D window came forward inactive";
    ExpectBarsFollowTheMenus("the open 3D window shown again");
    window3D->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ExpectBarsFollowTheMenus("the plan window active again after the 3D window");
    for (UINT id : {ID_TRACK_SNAP, ID_SNAP_TO_GRID, ID_SNAP_TO_OBJECT_CORNERS, ID_SHOW_GRID})
        EXPECT_TRUE(IsButtonEnabled(mainBar, id)) << "command " << id;

    // Two lines grouped, and the group entered.
    Drag(ID_TOOL_LINE, CPoint(100, 200), CPoint(250, 260));
    Drag(ID_TOOL_LINE, CPoint(100, 300), CPoint(250, 320));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    Command(ID_EDIT_ENTER_GROUP);
    ASSERT_EQ(ActiveLayout()->m_tool.GetGroupEditDepth(), 2);
    ExpectBarsFollowTheMenus("group edit");
    Command(ID_EDIT_EXIT_GROUP);
    ExpectBarsFollowTheMenus("group edit left");

    ActiveLayout()->SetModifiedFlag(FALSE);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(Main().MDIGetActive(), nullptr);
    ExpectBarsFollowTheMenus("no layout");

    Command(ID_FILE_NEW);
    ASSERT_NE(ActiveLayout(), nullptr);
    ExpectBarsFollowTheMenus("after Close and New");
    for (UINT id : {ID_TRACK_SNAP, ID_SNAP_TO_GRID, ID_SNAP_TO_OBJECT_CORNERS, ID_SHOW_GRID})
        EXPECT_TRUE(IsButtonEnabled(mainBar, id)) << "command " << id;
    for (UINT id : {ID_SELECT_TRACK_CHAIN, ID_CONNECT_USING_SPLINE, ID_CONNECT_USING_CURVE_STRAIGHT,
                    ID_CUT_TRACK, ID_CREATE_PARALLEL_TRACK, ID_CHAIN_TRACK_ELEVATIONS, ID_TOOL_TERRAIN})
        EXPECT_TRUE(IsButtonEnabled(toolsBar, id)) << "command " << id;
    EXPECT_TRUE(Main().GetLayerCombo()->IsWindowEnabled());

    // A click on a snap button takes: the snap mode changes and the button shows it checked.
    CTool& tool = ActiveLayout()->m_tool;
    const int snapBefore = tool.m_nSnapMode;
    ClickButton(mainBar, ID_SNAP_TO_GRID);
    EXPECT_NE(tool.m_nSnapMode, snapBefore);
    EXPECT_EQ(tool.m_nSnapMode, 2);
    EXPECT_NE(mainBar.GetButtonStyle(mainBar.CommandToIndex(ID_SNAP_TO_GRID)) & CToolBarEx::kChecked, 0u);
}

TEST_F(ToolBarStates, CreateParallelTrackIsEnteredOnlyOutsideGroupEdit) {
    Drag(ID_TOOL_STRAIGHT_TRACK, CPoint(100, 200), CPoint(250, 200));
    Drag(ID_TOOL_STRAIGHT_TRACK, CPoint(100, 260), CPoint(250, 260));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    Command(ID_EDIT_ENTER_GROUP);
    CTool& tool = ActiveLayout()->m_tool;
    ASSERT_EQ(tool.GetGroupEditDepth(), 2);
    CToolBarEx& toolsBar = Main().GetToolsToolBar();

    EXPECT_FALSE(IsEnabled(ID_CREATE_PARALLEL_TRACK));
    EXPECT_FALSE(IsButtonEnabled(toolsBar, ID_CREATE_PARALLEL_TRACK));
    const int stepsBefore = tool.GetUndoCount();
    host.KeyDown(VK_CONTROL);
    host.PressKey('B');
    host.KeyUp(VK_CONTROL);
    host.RunUntilIdle();
    EXPECT_FALSE(tool.m_bParallelToolActive);
    // Reached without the key's check, the command still leaves the group's selection alone.
    Command(ID_CREATE_PARALLEL_TRACK);
    EXPECT_FALSE(tool.m_bParallelToolActive);
    EXPECT_EQ(tool.GetUndoCount(), stepsBefore);

    Command(ID_EDIT_EXIT_GROUP);
    EXPECT_TRUE(IsEnabled(ID_CREATE_PARALLEL_TRACK));
    EXPECT_TRUE(IsButtonEnabled(toolsBar, ID_CREATE_PARALLEL_TRACK));
    host.KeyDown(VK_CONTROL);
    host.PressKey('B');
    host.KeyUp(VK_CONTROL);
    host.RunUntilIdle();
    EXPECT_TRUE(tool.m_bParallelToolActive);
}

TEST_F(ToolBarStates, TheToolsBarGoesWithTheLastPlanWindowAndComesBackWithTheNext) {
    CToolBarEx& toolsBar = Main().GetToolsToolBar();
    CToolBarEx& cameraBar = Main().GetCameraToolBar();
    // The bars shown follow the kind of window left active.
    const auto expectBarsOfActiveWindow = [&](const char* state) {
        SCOPED_TRACE(state);
        CMDIChildWnd* active = Main().MDIGetActive();
        CView* view = active != nullptr ? active->GetActiveView() : nullptr;
        EXPECT_EQ(toolsBar.IsWindowVisible() != FALSE, dynamic_cast<CCVNView*>(view) != nullptr);
        EXPECT_EQ(cameraBar.IsWindowVisible() != FALSE,
                  view != nullptr && dynamic_cast<CCVNView*>(view) == nullptr);
    };
    ASSERT_TRUE(toolsBar.IsWindowVisible());

    ActiveLayout()->SetModifiedFlag(FALSE);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(Main().MDIGetActive(), nullptr);
    EXPECT_FALSE(toolsBar.IsWindowVisible());
    expectBarsOfActiveWindow("no layout");

    Command(ID_FILE_NEW);
    EXPECT_TRUE(toolsBar.IsWindowVisible());
    expectBarsOfActiveWindow("a new layout");

    // Closing one of two plan windows leaves the bar to the other.
    Command(ID_FILE_NEW);
    ActiveLayout()->SetModifiedFlag(FALSE);
    Command(ID_FILE_CLOSE);
    ASSERT_NE(ActiveLayout(), nullptr);
    EXPECT_TRUE(toolsBar.IsWindowVisible());
    expectBarsOfActiveWindow("one of two layouts closed");

    // A second layout with its 3D window: closing the first layout's plan window leaves the
    // other layout's window active, and the bars follow it.
    CMDIChildWnd* firstPlan = Main().MDIGetActive();
    Command(ID_FILE_NEW);
    Command(ID_SHOW_3D_VIEW);
    Main().MDIActivate(firstPlan);
    host.RunUntilIdle();
    expectBarsOfActiveWindow("the first plan window active over the 3D window");
    dynamic_cast<CDocument*>(firstPlan->GetActiveDocument())->SetModifiedFlag(FALSE);
    firstPlan->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_NE(Main().MDIGetActive(), nullptr);
    expectBarsOfActiveWindow("the first plan window closed");
}
