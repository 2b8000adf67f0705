#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CMissingFileReport.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/ByteDigest.h"
#include "tests/support/FileBytes.h"

// Opening a layout as File > Open does, while another layout is open: what the
// user is told of the files it names, what a failed read leaves and what the
// window shows meanwhile.

namespace {

class OpeningLayout : public PlanInProgram {
  protected:
    // Lines drawn with the line tool, one under the other.
    void DrawLines(int count) {
        for (int line = 0; line < count; ++line)
            DrawLine(CPoint(100, 150 + 40 * line), CPoint(250, 170 + 40 * line));
        Command(ID_TOOL_SELECTOR);
    }
    std::filesystem::path Saved(CCVNDoc& layout, const char* name) {
        const std::filesystem::path path = folder / name;
        EXPECT_TRUE(layout.OnSaveDocument(path.c_str()));
        layout.SetModifiedFlag(FALSE);
        return path;
    }
    // The layout being read: the one document that is not the open layout.
    CCVNDoc* LayoutBeingRead(const CCVNDoc& open) {
        for (CDocTemplate* docTemplate : app.Templates())
            for (CDocument* document : docTemplate->Documents())
                if (auto* layout = dynamic_cast<CCVNDoc*>(document); layout != nullptr && layout != &open)
                    return layout;
        return nullptr;
    }
    // Every pixel of the view's draw buffer over its client area.
    static std::uint64_t DrawBufferDigest(CCVNView& view) {
        CRect client;
        view.GetClientRect(&client);
        view.OnPrepareDC(&view.DrawBuffer());
        view.DrawBuffer().DPtoLP(&client);
        client.NormalizeRect();
        std::vector<BYTE> bytes;
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x) {
                const COLORREF pixel = view.DrawBuffer().GetPixel(x, y);
                bytes.insert(bytes.end(),
                             {static_cast<BYTE>(GetRValue(pixel)), static_cast<BYTE>(GetGValue(pixel)),
                              static_cast<BYTE>(GetBValue(pixel))});
            }
        return ByteDigest(bytes);
    }
    static std::uint64_t DrawnDigest(CCVNView& view) {
        CClientDC dc(&view);
        view.OnDraw(&dc);
        return DrawBufferDigest(view);
    }
};

CString Numbered(const char* format, int number) {
    CString text;
    text.Format(format, number);
    return text;
}

}  // namespace

TEST_F(OpeningLayout, ManyMissingPatternFilesAreToldTenTimesAndThenCounted) {
    // Two lines inside fourteen groups, each group inside the next; every group
    // names a pattern file of its own that is not there, and the lines name two
    // of the groups' files.
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
    // The outer groups are read first; the files of the four innermost are left
    // unsaid.
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

TEST_F(OpeningLayout, AFailedReadLeavesNothingHalfReadAndAnEmptiedLayoutWorksOn) {
    CCVNDoc& open = *ActiveLayout();
    DrawLines(3);
    const FileBytes whole = ReadFileBytes(Saved(open, "whole.cvn"));
    // The last line's record is cut short: the two before it have been read when
    // it fails.
    const std::filesystem::path cut = folder / "cut.cvn";
    WriteFileBytes(cut, FileBytes(whole.begin(), whole.end() - 8));
    std::size_t membersAtTheError = 99;
    int undoStepsAtTheError = -1;
    int groupDepthAtTheError = -1;
    host.WhenModal("", [&](CWnd& box) {
        if (CCVNDoc* read = LayoutBeingRead(open)) {
            membersAtTheError = read->m_rootGroup.m_members.size();
            undoStepsAtTheError = read->m_tool.GetUndoCount();
            groupDepthAtTheError = read->m_tool.GetGroupEditDepth();
        }
        box.EndModalLoop(IDOK);
    });
    EXPECT_EQ(app.OpenDocumentFile(cut.c_str()), nullptr);
    EXPECT_EQ(membersAtTheError, 0u);
    EXPECT_EQ(undoStepsAtTheError, 0);
    EXPECT_EQ(groupDepthAtTheError, 1);
    EXPECT_EQ(ActiveLayout(), &open);

    // Emptied inside a group with edits to undo, the open layout is a new one and
    // works on.
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    Command(ID_EDIT_ENTER_GROUP);
    ASSERT_EQ(open.m_tool.GetGroupEditDepth(), 2);
    ASSERT_GT(open.m_tool.GetUndoCount(), 0);
    open.DeleteContents();
    EXPECT_TRUE(open.m_rootGroup.m_members.empty());
    EXPECT_TRUE(open.GetSelection().empty());
    EXPECT_EQ(open.m_tool.GetUndoCount(), 0);
    EXPECT_EQ(open.m_tool.GetGroupEditDepth(), 1);
    DrawLines(1);
    ASSERT_EQ(open.m_rootGroup.m_members.size(), 1u);
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(open.m_rootGroup.m_members.empty());
}

TEST_F(OpeningLayout, WhileALayoutIsReadItsViewDrawsNothingOfIt) {
    CCVNDoc& open = *ActiveLayout();
    DrawLines(3);
    // The last line read names a pattern that is not there: its message comes up
    // mid-read.
    open.m_rootGroup.m_members.back()->m_strPatternFile = "Absent.pat";
    const std::filesystem::path path = Saved(open, "absent.cvn");
    CCVNView* view = nullptr;
    std::size_t membersDuringTheRead = 0;
    bool paintableDuringTheRead = true;
    std::uint64_t bufferBefore = 0;
    std::uint64_t bufferAfter = 1;
    host.WhenModal("", [&](CWnd& box) {
        if (CCVNDoc* read = LayoutBeingRead(open); read != nullptr && !read->Views().empty()) {
            view = dynamic_cast<CCVNView*>(read->Views().front());
            membersDuringTheRead = read->m_rootGroup.m_members.size();
            paintableDuringTheRead = read->IsPaintable() != FALSE;
            bufferBefore = DrawBufferDigest(*view);
            bufferAfter = DrawnDigest(*view);
            view->RepaintDirty();
            EXPECT_EQ(DrawBufferDigest(*view), bufferBefore);
        }
        box.EndModalLoop(IDOK);
    });
    CDocument* opened = app.OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(membersDuringTheRead, 2u);
    EXPECT_FALSE(paintableDuringTheRead);
    EXPECT_EQ(bufferAfter, bufferBefore);
    // Once read, the same drawing shows the layout.
    EXPECT_NE(DrawnDigest(*view), bufferBefore);
}
