#include <gtest/gtest.h>

#include "platform/cdlg/CPreviewView.h"
#include "resources/CommandIds.h"
#include "shell/CHelpWindow.h"
#include "shell/CToolParametersDialog.h"
#include "tests/app/PlanInProgram.h"

// Help asked for by F1 in the windows a layout brings: a modeless dialog and Print Preview. The
// help opens on the window's topic and, once closed, leaves the keys where they were.

namespace {

class HelpInLayoutWindows : public PlanInProgram {
  protected:
    CHelpWindow* Help() { return Main().GetHelpWindow(); }
    CPreviewView* Preview() {
        for (CWnd* child : Main().Children())
            if (auto* preview = dynamic_cast<CPreviewView*>(child))
                return preview;
        return nullptr;
    }
    // F1 where the keys are, then Escape in the help: the help closes.
    void F1ThenEscapeInTheHelp() {
        host.PressKey(VK_F1);
        host.RunUntilIdle();
        ASSERT_TRUE(Help() && Help()->IsWindowVisible());
        host.PressKey(VK_ESCAPE);
        host.RunUntilIdle();
        EXPECT_FALSE(Help()->IsWindowVisible());
    }
};

}  // namespace

TEST_F(HelpInLayoutWindows, F1InTheModelessToolParametersOpensItsTopicAndItsEscapeStillHidesIt) {
    CToolParametersDialog& dialog = Main().GetToolParametersDialog();
    Main().SendMessage(WM_COMMAND, ID_TOOL_PARAMETERS);
    host.RunUntilIdle();
    ASSERT_TRUE(dialog.IsWindowVisible());
    dialog.SetActiveWindow();
    ASSERT_TRUE(dialog.IsChild(GetFocus()));
    ASSERT_NO_FATAL_FAILURE(F1ThenEscapeInTheHelp());
    EXPECT_EQ(Help()->CurrentTopic(), "tool-parameters");
    EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &dialog);
    EXPECT_TRUE(dialog.IsChild(GetFocus()));
    host.PressKey(VK_ESCAPE);
    host.RunUntilIdle();
    EXPECT_FALSE(dialog.IsWindowVisible());
}

TEST_F(HelpInLayoutWindows, ClosingTheHelpOpenedInPrintPreviewGivesThePreviewItsKeysBack) {
    plan->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    host.RunUntilIdle();
    CPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(GetFocus(), preview);
    ASSERT_NO_FATAL_FAILURE(F1ThenEscapeInTheHelp());
    EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &Main());
    EXPECT_EQ(GetFocus(), preview);
    host.PressKey(VK_ESCAPE);
    host.RunUntilIdle();
    EXPECT_EQ(Preview(), nullptr);
}
