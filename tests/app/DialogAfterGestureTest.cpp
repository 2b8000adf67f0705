#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CToolMode.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CToolBarEx.h"
#include "tests/app/PlanInProgram.h"

// The dialog that the end of a drawing gesture opens, in the running program: the plan under
// it shows what the gesture made and nothing of its rubber band or label, and the press that
// ended a point entry outside the plan chooses what it was aimed at.

namespace {

struct AskingTool {
    UINT command;
    const char* caption;
};

constexpr AskingTool kDraggedTools[] = {{ID_TOOL_3D_OBJECT, "3D Objects properties"},
                                        {ID_TOOL_3D_BITMAP, "3D Bitmap properties"},
                                        {ID_TOOL_TEXT, "Text properties"},
                                        {ID_TOOL_BITMAP_PICTURE, "Picture properties"}};

// Three vertices of a terrain, and the part of the plan above them where only the rubber band
// passes when the mouse goes up to the toolbars or the menu bar.
const std::vector<CPoint> kTerrainClicks = {{200, 220}, {400, 220}, {400, 350}};
// A benchwork outline that crosses itself, which its end reports in a message.
const std::vector<CPoint> kCrossedBenchworkClicks = {{200, 230}, {450, 420}, {450, 230}, {200, 420}};
const CRect kAboveTerrain(30, 10, 600, 200);

class DialogAfterGesture : public PlanInProgram {
  protected:
    CCVNDoc& Layout() { return *ActiveLayout(); }
    CPoint Screen(CPoint client) {
        plan->ClientToScreen(&client);
        return client;
    }
    COLORREF ShownAt(CPoint client) {
        const CPoint screen = Screen(client);
        CRect frame;
        Main().GetWindowRect(&frame);
        return ColorFromPixel(Main().Surface()->At(screen.x - frame.left, screen.y - frame.top));
    }
    int PixelsOf(COLORREF colour, const CRect& area) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += ShownAt(CPoint(x, y)) == colour;
        return count;
    }
    int HintPixels() {
        CRect client;
        plan->GetClientRect(&client);
        return PixelsOf(GetSysColor(COLOR_INFOBK), client);
    }
    int BlankPixels(const CRect& area) { return PixelsOf(ShownAt(CPoint(5, 5)), area); }
    CPoint ToolBarButton(UINT command) {
        CToolBarEx& tools = Main().GetToolsToolBar();
        CRect button;
        tools.GetItemRect(tools.CommandToIndex(command), &button);
        CPoint centre = button.CenterPoint();
        tools.ClientToScreen(&centre);
        return centre;
    }
    CPoint MenuTitle(const char* text) {
        CMenu* bar = Main().GetMenu();
        CRect window;
        Main().GetWindowRect(&window);
        for (int i = 0; i < bar->GetMenuItemCount(); ++i)
            if (bar->ItemAt(i)->text == text)
                return NonClientPainter::MenuBarItemRect(Main(), i).CenterPoint() + window.TopLeft();
        ADD_FAILURE() << "no title " << text;
        return CPoint();
    }
    // Three terrain vertices clicked, too far apart for a double click; the rubber band then
    // follows the mouse on to `toward` on the screen.
    void StartTerrain(CPoint toward) { StartOutline(ID_TOOL_TERRAIN, kTerrainClicks, toward); }
    void StartOutline(UINT tool, const std::vector<CPoint>& clicks, CPoint toward) {
        m_blankAbove = BlankPixels(kAboveTerrain);
        Command(tool);
        for (const CPoint& vertex : clicks) {
            host.AdvanceClock(1000);
            host.ClickClient(plan, vertex);
        }
        host.MouseMove(Screen(CPoint(300, 420)));
        ASSERT_GT(HintPixels(), 50) << "the label follows the rubber band";
        host.MouseMove(toward);
        ASSERT_LT(BlankPixels(kAboveTerrain), m_blankAbove) << "the rubber band runs up out of the plan";
        host.AdvanceClock(1000);
    }
    // What the plan shows while the dialog at the end of the entry is up; then it is confirmed.
    struct UnderDialog {
        int blank = -1;
        int hint = -1;
        CWnd* capture = nullptr;
    };
    void Confirm(CWnd& dialog, UnderDialog& seen) {
        seen.blank = BlankPixels(kAboveTerrain);
        seen.hint = HintPixels();
        seen.capture = CWnd::GetCapture();
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
    }
    void ExpectClearPlanUnder(const UnderDialog& seen) {
        EXPECT_EQ(seen.blank, m_blankAbove) << "the rubber band stayed";
        EXPECT_EQ(seen.hint, 0) << "the label stayed";
        EXPECT_EQ(seen.capture, nullptr);
    }

    int m_blankAbove = 0;
};

}  // namespace

TEST_F(DialogAfterGesture, TheLabelOfADraggedObjectLeavesThePlanBeforeItsDialogShows) {
    for (const AskingTool& tool : kDraggedTools) {
        SCOPED_TRACE(tool.caption);
        Command(tool.command);
        host.AdvanceClock(1000);
        host.MouseDown(Screen(CPoint(150, 150)));
        for (int step = 1; step <= 6; ++step)
            host.MouseMove(Screen(CPoint(150 + 35 * step, 150 + 25 * step)));
        ASSERT_GT(HintPixels(), 50) << "the label follows the drag";
        int hint = -1;
        CWnd* capture = plan;
        host.WhenModal(tool.caption, [&](CWnd& dialog) {
            hint = HintPixels();
            capture = CWnd::GetCapture();
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        host.MouseUp(Screen(CPoint(360, 300)));
        host.RunUntilIdle();
        EXPECT_EQ(hint, 0);
        EXPECT_EQ(capture, nullptr);
        EXPECT_EQ(HintPixels(), 0);
        Command(ID_EDIT_UNDO);
    }
}

TEST_F(DialogAfterGesture, AnOutlineEndedByAToolButtonGivesThatToolAndFreesTheNextClick) {
    struct Outline {
        UINT tool;
        const std::vector<CPoint>& clicks;
        size_t kept;
    };
    // The terrain asks for its properties, the crossed benchwork says why it goes.
    const Outline outlines[] = {{ID_TOOL_TERRAIN, kTerrainClicks, 1},
                                {ID_TOOL_BENCHWORK, kCrossedBenchworkClicks, 0}};
    const CPoint line = ToolBarButton(ID_TOOL_LINE);
    for (const Outline& outline : outlines) {
        SCOPED_TRACE(outline.tool);
        const size_t objects = Layout().m_rootGroup.m_members.size();
        StartOutline(outline.tool, outline.clicks, line);
        // The person presses the Line button and lets go, whenever the dialog comes.
        bool held = false;
        UnderDialog seen;
        int dialogs = 0;
        host.WhenModal("", [&](CWnd& dialog) {
            ++dialogs;
            if (held) {
                held = false;
                host.MouseUp(line);
            }
            Confirm(dialog, seen);
        });
        held = true;
        host.MouseDown(line);
        if (held) {
            held = false;
            host.MouseUp(line);
        }
        host.RunUntilIdle();
        EXPECT_EQ(dialogs, 1);
        ExpectClearPlanUnder(seen);
        EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
        EXPECT_EQ(Layout().m_rootGroup.m_members.size(), objects + outline.kept);
        EXPECT_EQ(Layout().m_tool.m_toolMode, kToolLine);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_GE(GetKeyState(VK_LBUTTON), 0) << "the button is up";
        // The next click on the menu bar opens its menu.
        EXPECT_TRUE(MainMenuOpens());
    }
}

TEST_F(DialogAfterGesture, ATerrainEndedByAMenuOpensTheMenuOnceAndGivesTheToolChosenThere) {
    const CPoint draw = MenuTitle("&Draw");
    StartTerrain(draw);
    // Whatever comes up in turn: the menu gets Box chosen, the dialog its OK.
    std::vector<std::string> shown;
    UnderDialog seen;
    const auto person = [&](CWnd& window) {
        if (auto* menu = dynamic_cast<CMenuPopupWnd*>(&window)) {
            shown.push_back("menu");
            const int box = menu->FindItem("Box");
            ASSERT_GE(box, 0);
            CPoint item = menu->ItemRect(box).CenterPoint();
            menu->ClientToScreen(&item);
            host.Click(item);
            return;
        }
        shown.push_back("dialog");
        Confirm(window, seen);
    };
    host.WhenModal("", person);
    host.WhenModal("", person);
    host.Click(draw);
    host.RunUntilIdle();
    EXPECT_EQ(shown, (std::vector<std::string>{"menu", "dialog"}));
    ExpectClearPlanUnder(seen);
    EXPECT_EQ(CMenuPopupWnd::Current(), nullptr);
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(Layout().m_rootGroup.m_members.size(), 1u);
    EXPECT_EQ(Layout().m_tool.m_toolMode, kToolBox);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(DialogAfterGesture, APressOnNoCommandEndsTheTerrainOnceItIsDone) {
    // The ruler chooses nothing: the entry ends as the press is let go, and the tool stays.
    auto* frame = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(frame, nullptr);
    CRect ruler;
    frame->TopRuler().GetWindowRect(&ruler);
    const CPoint press(ruler.left + 300, ruler.CenterPoint().y);
    StartTerrain(press);
    UnderDialog seen;
    host.WhenModal("properties", [&](CWnd& dialog) { Confirm(dialog, seen); });
    host.Click(press);
    host.RunUntilIdle();
    ExpectClearPlanUnder(seen);
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(Layout().m_rootGroup.m_members.size(), 1u);
    EXPECT_EQ(Layout().m_tool.m_toolMode, kToolTerrain);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(DialogAfterGesture, AToolChosenWhileTheTerrainDialogIsUpTakesOverOnceTheTerrainIsDone) {
    // A command already on its way when Escape ends the entry arrives under the dialog.
    StartTerrain(Screen(CPoint(300, 150)));
    UnderDialog seen;
    host.WhenModal("properties", [&](CWnd& dialog) {
        Main().PostMessage(WM_COMMAND, ID_TOOL_BOX, 0);
        host.RunUntilIdle();
        EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 2) << "the terrain is still being finished";
        Confirm(dialog, seen);
    });
    host.PressKey(VK_ESCAPE);
    host.RunUntilIdle();
    ExpectClearPlanUnder(seen);
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    ASSERT_EQ(Layout().m_rootGroup.m_members.size(), 1u);
    EXPECT_EQ(Layout().m_rootGroup.m_members.front()->GetEditState(), -1);
    EXPECT_EQ(Layout().m_tool.m_toolMode, kToolBox);
}
