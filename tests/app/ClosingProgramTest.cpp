#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/FileBytes.h"
#include "track/CParTrack.h"

// Closing the program from the desktop while a layout has unsaved changes: the desktop may send
// its close request again while the save question is up.

namespace {

class ClosingProgram : public PlanInProgram {
  protected:
    // The save question is answered only after a second close request has been delivered.
    void AnswerAfterAnotherCloseRequest(int answer) {
        host.WhenModal("", [this, answer](CWnd& question) {
            Main().PostMessage(WM_CLOSE);
            host.RunUntilIdle();
            question.EndModalLoop(answer);
        });
    }
    // Pixels of the colour in the plan window's client area.
    int PlanPixels(COLORREF colour) {
        CRect client;
        plan->GetClientRect(&client);
        plan->ClientToScreen(&client);
        CRect frame;
        Main().GetWindowRect(&frame);
        client.OffsetRect(-frame.left, -frame.top);
        const PixelSurface& pixels = *Main().Surface();
        int count = 0;
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x)
                count += pixels.Contains(x, y) && pixels.At(x, y) == PixelFromColor(colour);
        return count;
    }
    void ExpectOneQuestionAndTheEnd(const char* question) {
        ASSERT_EQ(host.MessageBoxes().size(), 1u);
        EXPECT_EQ(host.MessageBoxes()[0].text, question);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_TRUE(WindowManager::Instance().QuitPosted());
    }
};

}  // namespace

TEST_F(ClosingProgram, ASecondCloseRequestWhileTheQuestionIsUpIsIgnored) {
    DrawLine();
    ASSERT_TRUE(ActiveLayout()->IsModified());
    AnswerAfterAnotherCloseRequest(IDNO);
    Main().PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    ExpectOneQuestionAndTheEnd("Save changes to Untitled1?");
}

TEST_F(ClosingProgram, YesSavesANamedLayoutOnceAndThenEnds) {
    const std::filesystem::path path = folder / "Yard.cvn";
    ASSERT_TRUE(ActiveLayout()->OnSaveDocument(path.c_str()));
    ActiveLayout()->SetPathName(path.c_str());
    const FileBytes empty = ReadFileBytes(path);
    DrawLine();
    ASSERT_TRUE(ActiveLayout()->IsModified());
    const FileBytes drawn = Stored(*ActiveLayout());
    ASSERT_NE(drawn, empty);
    AnswerAfterAnotherCloseRequest(IDYES);
    Main().PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    ExpectOneQuestionAndTheEnd("Save changes to Yard.cvn?");
    EXPECT_EQ(ReadFileBytes(path), drawn);
}

TEST_F(ClosingProgram, TheProgramsCloseWaitsForAPlanWindowsQuestion) {
    DrawLine();
    ASSERT_TRUE(ActiveLayout()->IsModified());
    CMDIChildWnd* plan = Main().MDIGetActive();
    AnswerAfterAnotherCloseRequest(IDNO);
    plan->PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_FALSE(IsWindow(plan));
    EXPECT_EQ(ActiveLayout(), nullptr);
    EXPECT_TRUE(IsWindow(app.m_pMainWnd));
}

// A close request during a drag ends the drag before it asks: once the question is cancelled,
// the plan shows neither the band's dotted frame nor the new straight in its drag colour.
TEST_F(ClosingProgram, ACloseRequestEndsADragFirstAndLeavesNoMarksWhenCancelled) {
    constexpr COLORREF kBand = 0xC9AD0E;
    for (const UINT tool : {ID_TOOL_SELECTOR, ID_TOOL_STRAIGHT_TRACK}) {
        Command(tool);
        ActiveLayout()->SetModifiedFlag(TRUE);
        host.WhenModal("", [](CWnd& question) { question.EndModalLoop(IDCANCEL); });
        CPoint from(200, 200), to(420, 330);
        plan->ClientToScreen(&from);
        plan->ClientToScreen(&to);
        host.AdvanceClock(1000);
        host.MouseDown(from);
        host.MouseMove(from + CSize(60, 40));
        host.MouseMove(to);
        host.RunUntilIdle();
        ASSERT_GT(PlanPixels(tool == ID_TOOL_SELECTOR ? kBand : CParTrack::kDragColor), 0);
        Main().PostMessage(WM_CLOSE);
        host.RunUntilIdle();
        ASSERT_EQ(host.MessageBoxes().size(), tool == ID_TOOL_SELECTOR ? 1u : 2u);
        EXPECT_EQ(PlanPixels(kBand), 0) << tool;
        EXPECT_EQ(PlanPixels(CParTrack::kDragColor), 0) << tool;
        host.MouseUp(to);
    }
}
