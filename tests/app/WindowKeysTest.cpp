#include <gtest/gtest.h>

#include "platform/win/CView.h"
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
