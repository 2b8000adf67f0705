#include <gtest/gtest.h>

#include "tests/app/PlanInProgram.h"
#include "tests/support/FileBytes.h"

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
