#include <gtest/gtest.h>

#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/MenuText.h"
#include "platform/win/NonClientPainter.h"
#include "tests/app/RunningProgram.h"

namespace {

// The program with its Edit menu opened by a click on the title.
class MenuUnderDialog : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
    }
    void ClickEditTitle() {
        CMenu* bar = Main().GetMenu();
        int edit = 0;
        while (edit < bar->GetMenuItemCount() && MenuText::Plain(bar->ItemAt(edit)->text) != "Edit") ++edit;
        ASSERT_LT(edit, bar->GetMenuItemCount());
        CRect window;
        Main().GetWindowRect(&window);
        host.Click(NonClientPainter::MenuBarItemRect(Main(), edit).CenterPoint() + window.TopLeft());
    }
};

}  // namespace

TEST_F(MenuUnderDialog, ADialogOpeningUnderAMenuClosesItAndGetsTheKeys) {
    CMenuPopupWnd* menu = nullptr;
    bool dialogShown = false;
    host.WhenModal("Rotate by degrees", [&](CWnd& dialog) {
        dialogShown = true;
        // The menu is gone from the screen and holds neither the keyboard nor the mouse.
        EXPECT_EQ(CMenuPopupWnd::Current(), nullptr);
        EXPECT_FALSE(menu->IsWindowVisible());
        EXPECT_EQ(WindowManager::Instance().KeyboardGrab(), nullptr);
        EXPECT_NE(WindowManager::Instance().GetCapture(), static_cast<CWnd*>(menu));
        EXPECT_EQ(CMenuPopupWnd::OpenBarItem(&Main()), -1);
        host.PressKey(VK_ESCAPE);
        EXPECT_FALSE(dialog.InModalLoop());
    });
    // A command chosen earlier is still waiting when the menu opens, and runs inside its loop.
    host.WhenModal("", [&](CWnd& popup) {
        menu = dynamic_cast<CMenuPopupWnd*>(&popup);
        ASSERT_NE(menu, nullptr);
        Main().PostMessage(WM_COMMAND, ID_ROTATE_BY_DEGREES);
        host.RunUntilIdle();
    });
    ClickEditTitle();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(CMenuPopupWnd::Current(), nullptr);

    // The menus open and take the keys as before.
    bool reopened = false;
    host.WhenModal("", [&](CWnd& popup) {
        reopened = CMenuPopupWnd::Current() == &popup && popup.IsWindowVisible() &&
                   WindowManager::Instance().KeyboardGrab() == &popup;
        host.PressKey(VK_ESCAPE);
        EXPECT_FALSE(popup.InModalLoop());
    });
    ClickEditTitle();
    EXPECT_TRUE(reopened);
    EXPECT_EQ(CMenuPopupWnd::Current(), nullptr);
}
