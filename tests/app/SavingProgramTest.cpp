#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/win/AfxIds.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/FileBytes.h"

// Saving a layout whose file is read-only: the file stays as it was, and another name is offered.
// The tests run as the superuser, whom the permissions would not stop.

namespace {

class SavingProgram : public PlanInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlanInProgram::SetUp());
        ASSERT_TRUE(ActiveLayout()->OnSaveDocument(path.c_str()));
        ActiveLayout()->SetPathName(path.c_str());
        chmod(path.c_str(), 0444);
        saved = ReadFileBytes(path);
    }
    void TearDown() override {
        AfxSetFilePrompt(nullptr);
        RunningProgram::TearDown();
    }
    void PressCtrlS() {
        host.KeyDown(VK_CONTROL);
        host.PressKey('S');
        host.KeyUp(VK_CONTROL);
    }
    // The file prompt answers name, or cancels when it is empty; it counts its showings.
    void PromptAnswers(const std::filesystem::path& name) {
        AfxSetFilePrompt([this, name](CString& fileName, BOOL, CDocTemplate*) {
            ++prompts;
            fileName = name.c_str();
            return name.empty() ? FALSE : TRUE;
        });
    }
    CString ReadOnlyText() const { return "The file \"" + CString(path.c_str()) + "\" is read-only."; }

    const std::filesystem::path path = folder / "Yard.cvn";
    FileBytes saved;
    int prompts = 0;
};

}  // namespace

TEST_F(SavingProgram, CtrlSOnAReadOnlyFileKeepsItAndOffersAnotherName) {
    DrawLine();
    const FileBytes drawn = Stored(*ActiveLayout());
    PromptAnswers({});

    host.AnswerMessageBox(IDNO);
    PressCtrlS();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, ReadOnlyText() + "\nSave it under another name?");
    EXPECT_EQ(host.MessageBoxes()[0].type, UINT{MB_YESNO | MB_ICONEXCLAMATION});
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(ActiveLayout()->IsModified());

    const std::filesystem::path other = folder / "Yard2.cvn";
    PromptAnswers(other);
    host.AnswerMessageBox(IDYES);
    PressCtrlS();
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_EQ(ReadFileBytes(other), drawn);
    EXPECT_EQ(ActiveLayout()->GetPathName(), other.c_str());
    EXPECT_FALSE(ActiveLayout()->IsModified());
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
}

TEST_F(SavingProgram, SaveAsOverAReadOnlyFileAndTheSaveQuestionOnClosingKeepItToo) {
    DrawLine();
    PromptAnswers(path);
    host.AnswerMessageBox(IDOK);
    Main().SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, ReadOnlyText());
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(ActiveLayout()->IsModified());

    // Yes to "Save changes?" meets the read-only file; declining another name keeps the program
    // and the changes.
    host.AnswerMessageBox(IDYES);
    host.AnswerMessageBox(IDNO);
    Main().SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(host.MessageBoxes()[1].text, "Save changes to Yard.cvn?");
    EXPECT_EQ(host.MessageBoxes()[2].text.Find(ReadOnlyText()), 0);
    EXPECT_EQ(ReadFileBytes(path), saved);
    ASSERT_TRUE(IsWindow(app.m_pMainWnd));
    EXPECT_TRUE(ActiveLayout()->IsModified());
}

TEST_F(SavingProgram, AFolderOpenedAsALayoutIsNamedAsAFolder) {
    const std::filesystem::path layouts = folder / "Layouts";
    std::filesystem::create_directory(layouts);
    host.AnswerMessageBox(IDOK);
    EXPECT_EQ(app.OpenDocumentFile(layouts.c_str()), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "\"" + CString(layouts.c_str()) + "\" is a folder, not a file.");
}
