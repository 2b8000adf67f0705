#include <gtest/gtest.h>

#include "shell/CToolBarEx.h"
#include "tests/app/PlanInProgram.h"

namespace {

// The program with the mouse resting on the main bar's first button.
class ToolTipUnderDialog : public PlanInProgram {
  protected:
    CToolBarEx& Bar() { return Main().GetMainToolBar(); }
    void RestOnFirstButton(DWORD milliseconds) {
        host.MouseMove(CPoint(500, 500));
        host.AdvanceClock(1000);
        CRect item;
        Bar().GetItemRect(0, &item);
        CPoint centre = item.CenterPoint();
        Bar().ClientToScreen(&centre);
        host.MouseMove(centre);
        host.AdvanceClock(milliseconds);
    }
    // Opens the file dialog with Ctrl+O; inside, waits and answers what the tip shows.
    CString TipUnderTheDialog() {
        CString shown = "(no dialog)";
        host.WhenModal("Open", [&](CWnd& dialog) {
            host.AdvanceClock(1000);
            shown = Bar().GetToolTips().ShownText();
            dialog.EndModalLoop(IDCANCEL);
        });
        host.KeyDown(VK_CONTROL);
        host.PressKey('O');
        host.KeyUp(VK_CONTROL);
        return shown;
    }
};

}  // namespace

TEST_F(ToolTipUnderDialog, NoToolTipStaysOrComesUpWhileADialogRuns) {
    // The tip shown when the dialog opens goes.
    RestOnFirstButton(600);
    ASSERT_EQ(Bar().GetToolTips().ShownText(), "New");
    EXPECT_EQ(TipUnderTheDialog(), "");
    // The tip about to come up does not.
    RestOnFirstButton(200);
    ASSERT_EQ(Bar().GetToolTips().ShownText(), "");
    EXPECT_EQ(TipUnderTheDialog(), "");
}
