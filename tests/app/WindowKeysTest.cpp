#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CView.h"
#include "platform/win/KeyboardWindowTracker.h"
#include "platform/win/NonClientPainter.h"
#include "tests/app/RunningProgram.h"

namespace {

// The program with three layouts open, each in its plan window.
class WindowKeys : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        for (int i = 0; i < 2; ++i) {
            Main().SendMessage(WM_COMMAND, ID_FILE_NEW);
            host.RunUntilIdle();
        }
    }
    void Press(UINT vk, std::initializer_list<UINT> held) {
        for (UINT modifier : held) host.KeyDown(modifier);
        host.PressKey(vk);
        for (UINT modifier : held) host.KeyUp(modifier);
    }
    CString ActiveTitle() { return ActiveLayout() != nullptr ? ActiveLayout()->GetTitle() : CString(); }
    // The titles of the windows the key shows one after another.
    std::vector<CString> Steps(UINT vk, std::initializer_list<UINT> held, int count) {
        std::vector<CString> titles;
        for (int i = 0; i < count; ++i) {
            Press(vk, held);
            titles.push_back(ActiveTitle());
        }
        return titles;
    }
};

using Titles = std::vector<CString>;

}  // namespace

TEST_F(WindowKeys, CtrlF6AndCtrlTabStepThroughTheWindowsAndShiftStepsBack) {
    ASSERT_EQ(ActiveTitle(), "Untitled3");
    const Titles forward{"Untitled2", "Untitled1", "Untitled3", "Untitled2"};
    EXPECT_EQ(Steps(VK_F6, {VK_CONTROL}, 4), forward);
    EXPECT_EQ(Steps(VK_F6, {VK_CONTROL, VK_SHIFT}, 4),
              (Titles{"Untitled3", "Untitled1", "Untitled2", "Untitled3"}));
    EXPECT_EQ(Steps(VK_TAB, {VK_CONTROL}, 4), forward);
    EXPECT_EQ(Steps(VK_TAB, {VK_CONTROL, VK_SHIFT}, 1), Titles{"Untitled3"});
    // The window that comes up is on top, and the keyboard goes to its view.
    CMDIChildWnd* active = Main().MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(Main().MDIChildren().back(), active);
    EXPECT_EQ(GetFocus(), static_cast<CWnd*>(active->GetActiveView()));
    // F6 alone and Alt+Ctrl+F6 leave the windows as they are.
    EXPECT_EQ(Steps(VK_F6, {}, 1), Titles{"Untitled3"});
    EXPECT_EQ(Steps(VK_F6, {VK_CONTROL, VK_MENU}, 1), Titles{"Untitled3"});
}

TEST_F(WindowKeys, TheMaximisedPlacePassesToTheWindowTheKeyBringsUp) {
    Main().MDIMaximize(Main().MDIGetActive());
    host.RunUntilIdle();
    CMDIChildWnd* first = Main().MDIGetActive();
    Press(VK_F6, {VK_CONTROL});
    CMDIChildWnd* second = Main().MDIGetActive();
    ASSERT_NE(second, first);
    EXPECT_TRUE(second->IsZoomed());
    EXPECT_FALSE(first->IsZoomed());
    // A window put away is passed over.
    Main().MDIChildren().front()->ShowWindow(SW_HIDE);
    Press(VK_F6, {VK_CONTROL});
    Press(VK_F6, {VK_CONTROL});
    EXPECT_TRUE(Main().MDIGetActive()->IsWindowVisible());
    EXPECT_EQ(Main().MDIGetActive(), second);
}

TEST_F(WindowKeys, CtrlF4ClosesTheActiveWindowOnly) {
    ASSERT_EQ(Main().MDIChildren().size(), 3u);
    Press(VK_F4, {VK_CONTROL});
    EXPECT_EQ(Main().MDIChildren().size(), 2u);
    EXPECT_EQ(ActiveTitle(), "Untitled2");
    // Alt+Ctrl+F4 is no such key.
    Press(VK_F4, {VK_CONTROL, VK_MENU});
    EXPECT_EQ(Main().MDIChildren().size(), 2u);
}

namespace {

// What a system menu showed: its entries, each with a '-' in front when greyed.
std::vector<std::string> EntriesOf(const CMenuPopupWnd& popup) {
    std::vector<std::string> entries;
    const CMenu& menu = *popup.MenuShown();
    for (int index = 0; index < menu.GetMenuItemCount(); ++index) {
        CString text;
        menu.GetMenuString(index, text, MF_BYPOSITION);
        const bool greyed = (menu.GetMenuState(index, MF_BYPOSITION) & MF_GRAYED) != 0;
        entries.push_back((greyed ? "-" : "") + std::string(text.c_str()));
    }
    return entries;
}

CRect PlaceInParent(CWnd& window) {
    CRect place;
    window.GetWindowRect(&place);
    if (!window.IsTopLevel())
        window.GetParent()->ScreenToClient(&place);
    return place;
}

}  // namespace

TEST_F(WindowKeys, ArrangeIconsLinesTheMinimisedWindowsUpAlongTheBottom) {
    std::vector<CMDIChildWnd*> windows = Main().MDIChildren();
    ASSERT_EQ(windows.size(), 3u);
    std::sort(windows.begin(), windows.end(), [](CMDIChildWnd* a, CMDIChildWnd* b) {
        return a->GetActiveDocument()->GetTitle() < b->GetActiveDocument()->GetTitle();
    });
    for (int i = 0; i < 3; ++i) {
        windows[i]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        windows[i]->MoveWindow(40 * i + 30, 50 + 20 * i, 160, 24);
    }
    host.RunUntilIdle();
    ASSERT_TRUE(IsEnabled(ID_WINDOW_ARRANGE));
    Main().SendMessage(WM_COMMAND, ID_WINDOW_ARRANGE);
    host.RunUntilIdle();
    CRect area;
    Main().GetMDIClient()->GetClientRect(&area);
    // In the order they opened, side by side from the bottom left corner.
    for (int i = 0; i < 3; ++i) {
        const CRect place = PlaceInParent(*windows[i]);
        EXPECT_EQ(place.bottom, area.bottom) << i;
        EXPECT_EQ(place.left, i * place.Width()) << i;
        EXPECT_TRUE(windows[i]->IsIconic());
    }
    // A window that is not minimised stays where it is.
    windows[1]->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    const CRect restored = PlaceInParent(*windows[1]);
    Main().SendMessage(WM_COMMAND, ID_WINDOW_ARRANGE);
    EXPECT_EQ(PlaceInParent(*windows[1]), restored);
    EXPECT_EQ(PlaceInParent(*windows[2]).left, PlaceInParent(*windows[2]).Width());
}

TEST_F(WindowKeys, AltMinusAndAltSpaceOpenTheSystemMenusWhoseMoveAndSizeFollowTheArrows) {
    CMDIChildWnd* child = Main().MDIGetActive();
    child->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    host.RunUntilIdle();
    const CRect start = PlaceInParent(*child);
    std::vector<std::string> shown;
    // Opens a system menu by key and chooses the entry by its access key.
    auto choose = [&](UINT key, const char* entry) {
        host.WhenModal("", [&, entry](CWnd& popup) {
            shown = EntriesOf(dynamic_cast<CMenuPopupWnd&>(popup));
            host.Type(entry);
        });
        Press(key, {VK_MENU});
    };
    auto arrows = [&](std::initializer_list<UINT> keys, UINT last) {
        for (UINT key : keys) host.PressKey(key);
        host.PressKey(last);
        host.RunUntilIdle();
    };

    choose(VK_OEM_MINUS, "m");
    EXPECT_EQ(shown, (std::vector<std::string>{"-&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "",
                                               "&Close"}));
    arrows({VK_RIGHT, VK_RIGHT, VK_DOWN}, VK_RETURN);
    CRect expected = start;
    expected.OffsetRect(2 * KeyboardWindowTracker::kStep, KeyboardWindowTracker::kStep);
    EXPECT_EQ(PlaceInParent(*child), expected);
    // The keys went to the move, not to the plan.
    EXPECT_EQ(Main().MDIGetActive(), child);

    // Size: the first arrow picks the right edge, the next ones move it.
    choose(VK_SUBTRACT, "s");
    arrows({VK_RIGHT, VK_RIGHT, VK_RIGHT}, VK_RETURN);
    expected.right += 2 * KeyboardWindowTracker::kStep;
    EXPECT_EQ(PlaceInParent(*child), expected);

    // Esc puts the window back.
    choose(VK_OEM_MINUS, "m");
    arrows({VK_LEFT, VK_UP}, VK_ESCAPE);
    EXPECT_EQ(PlaceInParent(*child), expected);

    // Alt+Space is the main window's menu.
    Main().SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    const CRect mainStart = PlaceInParent(Main());
    choose(VK_SPACE, "m");
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[1], "&Move");
    arrows({VK_LEFT}, VK_RETURN);
    CRect mainExpected = mainStart;
    mainExpected.OffsetRect(-KeyboardWindowTracker::kStep, 0);
    EXPECT_EQ(PlaceInParent(Main()), mainExpected);
    EXPECT_EQ(PlaceInParent(*child), expected);

    // Minimize from the menu.
    choose(VK_OEM_MINUS, "n");
    EXPECT_TRUE(child->IsIconic());
}

TEST_F(WindowKeys, DoubleClickingTheSystemIconClosesTheWindow) {
    CMDIChildWnd* child = Main().MDIGetActive();
    child->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    host.RunUntilIdle();
    CRect icon = NonClientPainter::CaptionButtonRect(*child, HTSYSMENU);
    CRect window;
    child->GetWindowRect(&window);
    const CPoint centre(window.left + icon.CenterPoint().x, window.top + icon.CenterPoint().y);
    // One click opens the menu, and Esc leaves the window open.
    host.WhenModal("", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    host.Click(centre);
    host.RunUntilIdle();
    ASSERT_EQ(Main().MDIChildren().size(), 3u);
    // A second press on the icon too late only closes the menu.
    host.WhenModal("", [&](CWnd&) {
        host.AdvanceClock(GetDoubleClickTime() + 1);
        host.Click(centre);
    });
    host.Click(centre);
    host.RunUntilIdle();
    ASSERT_EQ(Main().MDIChildren().size(), 3u);
    host.WhenModal("", [&](CWnd&) { host.Click(centre); });
    host.Click(centre);
    host.RunUntilIdle();
    EXPECT_EQ(Main().MDIChildren().size(), 2u);

    // A minimised window lies at the foot of the screen: its menu opens above the icon, which the
    // second click still finds.
    CMDIChildWnd* minimised = Main().MDIChildren().front();
    minimised->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    host.RunUntilIdle();
    icon = NonClientPainter::CaptionButtonRect(*minimised, HTSYSMENU);
    minimised->GetWindowRect(&window);
    icon.OffsetRect(window.TopLeft());
    CRect menu;
    host.WhenModal("", [&](CWnd& popup) {
        popup.GetWindowRect(&menu);
        host.Click(icon.CenterPoint());
    });
    host.Click(icon.CenterPoint());
    host.RunUntilIdle();
    EXPECT_LE(menu.bottom, icon.top);
    EXPECT_EQ(Main().MDIChildren().size(), 1u);
}

TEST_F(WindowKeys, AMaximisedWindowPutsItsNameInBracketsInTheMainTitle) {
    CMDIChildWnd* child = Main().MDIGetActive();
    Main().MDIMaximize(child);
    host.RunUntilIdle();
    CString title;
    Main().GetWindowText(title);
    EXPECT_EQ(title, "Corvane - [Untitled3]");
    child->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    Main().GetWindowText(title);
    EXPECT_EQ(title, "Corvane - Untitled3");
    Main().MDIMaximize(child);
    Main().GetWindowText(title);
    EXPECT_EQ(title, "Corvane - [Untitled3]");
}

TEST_F(WindowKeys, MinimisingTheActiveWindowActivatesTheNextOneThatIsNotMinimised) {
    std::vector<CMDIChildWnd*> windows = Main().MDIChildren();
    ASSERT_EQ(windows.size(), 3u);
    for (CMDIChildWnd* window : windows) {
        window->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
        Main().MDIActivate(window);
    }
    host.RunUntilIdle();
    // The system menu's Minimize: the window under it takes over, keyboard and all.
    windows[2]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    host.RunUntilIdle();
    EXPECT_EQ(Main().MDIGetActive(), windows[1]);
    EXPECT_EQ(GetFocus(), windows[1]->GetActiveView());
    // The caption's minimise button.
    CRect button = NonClientPainter::CaptionButtonRect(*windows[1], HTMINBUTTON);
    CRect window;
    windows[1]->GetWindowRect(&window);
    button.OffsetRect(window.TopLeft());
    host.Click(button.CenterPoint());
    host.RunUntilIdle();
    ASSERT_TRUE(windows[1]->IsIconic());
    EXPECT_EQ(Main().MDIGetActive(), windows[0]);
    // A window restored is active again; minimised once more, it passes back to the last one
    // left open, which stays active when it is minimised itself.
    windows[2]->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    Main().MDIActivate(windows[2]);
    windows[2]->ShowWindow(SW_MINIMIZE);
    host.RunUntilIdle();
    EXPECT_EQ(Main().MDIGetActive(), windows[0]);
    windows[0]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    host.RunUntilIdle();
    EXPECT_EQ(Main().MDIGetActive(), windows[0]);
    EXPECT_TRUE(windows[0]->IsIconic());
}
