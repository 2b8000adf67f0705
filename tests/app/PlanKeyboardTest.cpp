#include <gtest/gtest.h>

#include <functional>

#include "shell/CCVNView.h"
#include "terrain/CBenchwork.h"
#include "tests/app/DialogsInProgram.h"
#include "tests/app/LayoutInProgram.h"
#include "tools/datagen/DataPictures.h"

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

// A benchwork selected with the 3D view open: a build of its model stores the path its texture
// was found under, so the texture's name tells whether an arrow's release built it again.
class PlanKeyRelease : public DialogsInProgram {
  protected:
    void SetUp() override {
        DialogsInProgram::SetUp();
        ASSERT_TRUE(DataPictures::WriteAll(CWinPath::Resolve(CDataFolders::GetBaseFolder())));
        DrawOutline(ID_TOOL_BENCHWORK);
        benchwork = static_cast<CBenchwork*>(SelectOnly("CBenchwork"));
        CMDIChildWnd* planFrame = Main().MDIGetActive();
        Command(ID_SHOW_3D_VIEW);
        Main().MDIActivate(planFrame);
    }
    CBenchwork* benchwork = nullptr;
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

TEST_F(PlanKeyRelease, AnArrowReleasedInThePlanBuildsTheSelectionOnlyWhenThePlanSawItsPress) {
    const struct {
        const char* pressedIn;
        std::function<void()> pressDown;
        bool builds;
    } cases[] = {
        {"a menu",
         [&] {
             host.PressKey(VK_MENU);
             host.WhenModal("", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
             host.KeyDown(VK_DOWN);
             host.PressKey(VK_ESCAPE);
         },
         false},
        {"a dialog",
         [&] {
             host.WhenModal("", [&](CWnd&) {
                 host.KeyDown(VK_DOWN);
                 host.PressKey(VK_ESCAPE);
             });
             Command(ID_ROTATE_BY_DEGREES);
         },
         false},
        {"the plan", [&] { host.KeyDown(VK_DOWN); }, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.pressedIn);
        ASSERT_EQ(CWnd::GetFocus(), View());
        benchwork->m_strTexture = "rcgrass.bmp";
        each.pressDown();
        ASSERT_EQ(CWnd::GetFocus(), View());
        host.KeyUp(VK_DOWN);
        EXPECT_EQ(benchwork->m_strTexture != "rcgrass.bmp", each.builds);
    }
}
