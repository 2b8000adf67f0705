#include <gtest/gtest.h>

#include "tests/app/PlanInProgram.h"

// The desktop's close request for the main window or the plan window, arriving while a menu
// opened from it is open: the menu ends first, with the window still there, and the window closes
// once the menu's loop has unwound.

namespace {

class CloseUnderMenu : public PlanInProgram {
  public:
    using Opening = void (CloseUnderMenu::*)();

    void OpenMenuBar() {
        CRect frame;
        Main().GetWindowRect(&frame);
        host.Click(NonClientPainter::MenuBarItemRect(Main(), 0).CenterPoint() + frame.TopLeft());
    }
    void OpenContextMenu() { host.ClickClient(plan, CPoint(300, 300), true); }

    // While the menu is open, closing is asked to close: the menu's loop has ended by the time
    // the request was handled, and closing still stands.
    void RequestCloseUnderMenu(CWnd* closing, Opening open) {
        bool menuShown = false;
        host.WhenModal("", [&](CWnd& menu) {
            menuShown = dynamic_cast<CMenuPopupWnd*>(&menu) != nullptr;
            closing->PostMessage(WM_CLOSE);
            host.RunUntilIdle();
            EXPECT_FALSE(menu.InModalLoop());
            EXPECT_TRUE(IsWindow(closing));
        });
        (this->*open)();
        host.RunUntilIdle();
        EXPECT_TRUE(menuShown);
        EXPECT_FALSE(IsWindow(closing));
    }
};

}  // namespace

TEST_F(CloseUnderMenu, APlanWindowClosesAfterItsMenusEnd) {
    for (Opening open : {&CloseUnderMenu::OpenContextMenu, &CloseUnderMenu::OpenMenuBar}) {
        RequestCloseUnderMenu(Main().MDIGetActive(), open);
        EXPECT_EQ(ActiveLayout(), nullptr);
        EXPECT_TRUE(MainMenuOpens());
        Command(ID_FILE_NEW);
        plan = View();
        ASSERT_NE(plan, nullptr);
    }
}

TEST_F(CloseUnderMenu, TheMainWindowClosesAfterTheMenuBarEnds) {
    RequestCloseUnderMenu(&Main(), &CloseUnderMenu::OpenMenuBar);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(WindowManager::Instance().QuitPosted());
}

TEST_F(CloseUnderMenu, TheMainWindowClosesAfterTheContextMenuEnds) {
    RequestCloseUnderMenu(&Main(), &CloseUnderMenu::OpenContextMenu);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(WindowManager::Instance().QuitPosted());
}
