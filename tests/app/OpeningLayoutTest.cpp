#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CMissingFileReport.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"

// Opening a layout as File > Open does, while another layout is open: what the user is told
// of the files it names, what a failed read leaves and what the window shows meanwhile.

namespace {

class OpeningLayout : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        host.AdvanceClock(CSplashWindow::kShowTime);
    }
    CCVNView* View() { return dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Command(UINT id) {
        Main().SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    // Lines drawn with the line tool, one under the other.
    void DrawLines(int count) {
        for (int line = 0; line < count; ++line) {
            Command(ID_TOOL_LINE);
            host.AdvanceClock(1000);
            host.DragClient(View(), CPoint(100, 150 + 40 * line), CPoint(250, 170 + 40 * line), 6);
            host.RunUntilIdle();
        }
        Command(ID_TOOL_SELECTOR);
    }
    std::filesystem::path Saved(CCVNDoc& layout, const char* name) {
        const std::filesystem::path path = folder / name;
        EXPECT_TRUE(layout.OnSaveDocument(path.c_str()));
        layout.SetModifiedFlag(FALSE);
        return path;
    }
};

CString Numbered(const char* format, int number) {
    CString text;
    text.Format(format, number);
    return text;
}

}  // namespace

TEST_F(OpeningLayout, ManyMissingPatternFilesAreToldTenTimesAndThenCounted) {
    // Two lines inside fourteen groups, each group inside the next; every group names a
    // pattern file of its own that is not there, and the lines name two of the groups' files.
    constexpr int kGroups = 14;
    CCVNDoc& open = *ActiveLayout();
    DrawLines(2);
    for (int group = 0; group < kGroups; ++group) {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_GROUP);
    }
    ASSERT_EQ(open.m_rootGroup.m_members.size(), 1u);
    CPaint* group = open.m_rootGroup.m_members.front();
    for (int level = kGroups; level > 1; --level) {
        group->m_strPatternFile = Numbered("C:\\gone\\Gone%02d.pat", level);
        ASSERT_EQ(open.GetGroupMembers(group).size(), 1u);
        group = open.GetGroupMembers(group).front();
    }
    group->m_strPatternFile = "Gone01.pat";
    ASSERT_EQ(open.GetGroupMembers(group).size(), 2u);
    int file = 1;
    for (CPaint* line : open.GetGroupMembers(group))
        line->m_strPatternFile = Numbered("Gone%02d.pat", file++);
    const std::filesystem::path path = Saved(open, "gone.cvn");

    const std::size_t before = host.MessageBoxes().size();
    for (int box = 0; box <= CMissingFileReport::kShownLimit; ++box) host.AnswerMessageBox(IDOK);
    CDocument* opened = app.OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    std::vector<CString> texts;
    for (std::size_t box = before; box < host.MessageBoxes().size(); ++box)
        texts.push_back(host.MessageBoxes()[box].text);
    // The outer groups are read first; the files of the four innermost are left unsaid.
    std::vector<CString> expected;
    for (int level = kGroups; level > kGroups - CMissingFileReport::kShownLimit; --level)
        expected.push_back(Numbered("Could not read file Gone%02d.pat", level));
    expected.push_back("4 more files could not be read.");
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(host.UnansweredModals().empty());
    // The names stay, so that the layout keeps its patterns when saved.
    EXPECT_EQ(dynamic_cast<CCVNDoc*>(opened)->m_rootGroup.m_members.front()->m_strPatternFile,
              "C:\\gone\\Gone14.pat");
}
