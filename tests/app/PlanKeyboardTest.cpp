#include <gtest/gtest.h>

#include "shell/CCVNView.h"
#include "tests/app/LayoutInProgram.h"

namespace {

// The keyboard of the running program: it belongs to the plan window of the active layout
// whenever no dialog has it, so that Escape and the arrow keys reach the drawing.
class PlanKeyboard : public LayoutInProgram {
  protected:
    // Three corners of an outline, one click each, too far apart in time for a double click.
    void StartOutline() {
        Command(ID_TOOL_BENCHWORK);
        for (const CPoint point : {CPoint(300, 300), CPoint(600, 300), CPoint(600, 550)}) {
            host.AdvanceClock(1000);
            host.ClickClient(plan, point);
        }
        ASSERT_NE(layout->m_tool.m_nMultiPoint, 0);
    }
};

}  // namespace

TEST_F(PlanKeyboard, TheKeyboardComesBackToThePlanWhenTheToolParametersGoAndEscapeThenEndsADrawing) {
    ASSERT_EQ(CWnd::GetFocus(), plan);
    // The modeless dialog takes the keyboard while it is shown, and Escape hides it.
    Command(ID_TOOL_PARAMETERS);
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_NE(focus->GetTopLevelParent(), static_cast<CWnd*>(&Main()));
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(CWnd::GetFocus(), plan);

    StartOutline();
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // The main frame given the keyboard hands it on to the plan of its active layout, as the frame
    // does when it becomes active again with nothing focused in it.
    Main().SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), plan);
    StartOutline();
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);

    // A click in the plan takes the keyboard back from wherever it was in the main window.
    Main().GetMDIClient()->SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), Main().GetMDIClient());
    StartOutline();
    EXPECT_EQ(CWnd::GetFocus(), plan);
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);
}
