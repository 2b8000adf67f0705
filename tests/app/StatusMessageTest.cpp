#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CView.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "tests/app/PlanInProgram.h"

namespace {

class StatusMessage : public PlanInProgram {
  protected:
    CStatusBar& Bar() { return Main().GetStatusBar(); }
    // The pixels of the first pane as the screen shows it.
    std::vector<COLORREF> FirstPanePixels() {
        host.RunUntilIdle();
        CRect pane;
        Bar().GetItemRect(0, &pane);
        CClientDC dc(&Bar());
        std::vector<COLORREF> pixels;
        for (int y = pane.top; y < pane.bottom; ++y)
            for (int x = pane.left; x < pane.right; ++x) pixels.push_back(dc.GetPixel(x, y));
        return pixels;
    }
    // A box drawn on the active plan: it stays selected, and the status bar describes it.
    void DrawBox() {
        CWnd* plan = Main().MDIGetActive()->GetActiveView();
        Command(ID_TOOL_BOX);
        host.AdvanceClock(1000);
        host.DragClient(plan, CPoint(100, 100), CPoint(300, 200), 6);
        Command(ID_TOOL_SELECTOR);
    }
    void SwitchWindow(bool back) {
        host.KeyDown(VK_CONTROL);
        if (back)
            host.KeyDown(VK_SHIFT);
        host.PressKey(VK_F6);
        if (back)
            host.KeyUp(VK_SHIFT);
        host.KeyUp(VK_CONTROL);
    }
    void CloseActiveWindow() {
        Main().MDIGetActive()->SendMessage(WM_CLOSE);
        host.RunUntilIdle();
    }
};

bool ShowsText(const std::vector<COLORREF>& pixels) {
    return std::any_of(pixels.begin(), pixels.end(),
                       [](COLORREF pixel) { return pixel == GetSysColor(COLOR_BTNTEXT); });
}

}  // namespace

TEST_F(StatusMessage, TheFirstPaneSaysReadyFromTheStartAndAfterTheLastWindowCloses) {
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");
    const std::vector<COLORREF> ready = FirstPanePixels();
    EXPECT_TRUE(ShowsText(ready));

    // A menu item's prompt is shown whole, though the pane was sized to "Ready".
    Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, 0));
    ASSERT_EQ(Bar().GetPaneText(0), "Create a new layout");
    CRect pane;
    Bar().GetItemRect(0, &pane);
    EXPECT_GE(pane.Width(), MenuText::Width("Create a new layout"));
    Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF));
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");

    CloseActiveWindow();
    ASSERT_EQ(Main().MDIGetActive(), nullptr);
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");
    for (int pane = 1; pane < CMainFrame::kStatusPaneCount; ++pane) EXPECT_EQ(Bar().GetPaneText(pane), "  ");
    EXPECT_EQ(FirstPanePixels(), ready);
}

TEST_F(StatusMessage, TheFirstPaneNeverKeepsTheTextOfAWindowThatIsNoLongerActive) {
    const std::vector<COLORREF> ready = FirstPanePixels();
    Command(ID_FILE_NEW);
    DrawBox();
    const CString box = Bar().GetPaneText(0);
    ASSERT_EQ(box.Left(1), CString("("));
    const std::vector<COLORREF> described = FirstPanePixels();
    EXPECT_TRUE(ShowsText(described));
    EXPECT_NE(described, ready);

    // The other layout, with nothing in it, has nothing to say.
    SwitchWindow(false);
    EXPECT_EQ(ActiveLayout()->GetTitle(), "Untitled1");
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");
    EXPECT_EQ(FirstPanePixels(), ready);
    SwitchWindow(true);
    EXPECT_EQ(Bar().GetPaneText(0), box);
    EXPECT_EQ(FirstPanePixels(), described);

    // Closing that window leaves the text of the one that comes up.
    ActiveLayout()->SetModifiedFlag(FALSE);
    CloseActiveWindow();
    ASSERT_EQ(ActiveLayout()->GetTitle(), "Untitled1");
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");
    EXPECT_EQ(FirstPanePixels(), ready);
}

TEST_F(StatusMessage, ThePlanOfALayoutShowsItsOwnTextAgainWhenItComesUpOverThe3DView) {
    DrawBox();
    const CString box = Bar().GetPaneText(0);
    Command(ID_SHOW_3D_VIEW);
    CWnd* view3D = Main().MDIGetActive()->GetActiveView();
    CRect client;
    view3D->GetClientRect(&client);
    CPoint centre = client.CenterPoint();
    view3D->ClientToScreen(&centre);
    host.MouseMove(centre);
    host.RunUntilIdle();
    ASSERT_EQ(Bar().GetPaneText(0), "3D View");

    SwitchWindow(false);
    EXPECT_EQ(Bar().GetPaneText(0), box);
}

// Fly-by status text: the mouse resting on a tool bar button shows the button's prompt in the
// first pane, and off the buttons the pane gives back what it said before: the layout's own
// text, or "Ready" when the layout has nothing to say.
TEST_F(StatusMessage, RestingOnAToolBarButtonShowsItsPromptUntilTheMouseMovesOff) {
    const auto buttonCentre = [](CToolBarEx& bar, UINT command) {
        CRect item;
        bar.GetItemRect(bar.CommandToIndex(command), &item);
        CPoint centre = item.CenterPoint();
        bar.ClientToScreen(&centre);
        return centre;
    };
    const auto promptOf = [this](UINT command) {
        CString prompt;
        Main().GetMessageString(command, prompt);
        EXPECT_FALSE(prompt.IsEmpty());
        return prompt;
    };
    CRect statusBar;
    Bar().GetWindowRect(&statusBar);
    const CPoint offTheBars = statusBar.CenterPoint();
    const std::vector<COLORREF> ready = FirstPanePixels();

    host.MouseMove(buttonCentre(Main().GetMainToolBar(), ID_TOOL_ZOOM_IN));
    host.RunUntilIdle();
    EXPECT_EQ(Bar().GetPaneText(0), promptOf(ID_TOOL_ZOOM_IN));
    EXPECT_NE(FirstPanePixels(), ready);
    host.MouseMove(buttonCentre(Main().GetToolsToolBar(), ID_TOOL_ARC));
    host.RunUntilIdle();
    EXPECT_EQ(Bar().GetPaneText(0), promptOf(ID_TOOL_ARC));
    host.MouseMove(offTheBars);
    host.RunUntilIdle();
    EXPECT_EQ(Bar().GetPaneText(0), "Ready");
    EXPECT_EQ(FirstPanePixels(), ready);

    DrawBox();
    const CString box = Bar().GetPaneText(0);
    ASSERT_EQ(box.Left(1), CString("("));
    const std::vector<COLORREF> described = FirstPanePixels();
    host.MouseMove(buttonCentre(Main().GetMainToolBar(), ID_SHOW_3D_VIEW));
    host.RunUntilIdle();
    EXPECT_EQ(Bar().GetPaneText(0), promptOf(ID_SHOW_3D_VIEW));
    host.MouseMove(offTheBars);
    host.RunUntilIdle();
    EXPECT_EQ(Bar().GetPaneText(0), box);
    EXPECT_EQ(FirstPanePixels(), described);
}

// A menu closed without a command gives the first pane back as a tool bar does: the layout's
// own text, at the width that text needs.
TEST_F(StatusMessage, AMenuClosedWithoutACommandGivesTheFirstPaneBackToTheLayout) {
    DrawBox();
    const CString box = Bar().GetPaneText(0);
    ASSERT_EQ(box.Left(1), CString("("));
    const std::vector<COLORREF> described = FirstPanePixels();
    Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, 0));
    ASSERT_EQ(Bar().GetPaneText(0), "Create a new layout");
    Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF));
    EXPECT_EQ(Bar().GetPaneText(0), box);
    EXPECT_EQ(FirstPanePixels(), described);
}
