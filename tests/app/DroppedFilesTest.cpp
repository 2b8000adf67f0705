#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/base/FileSystemText.h"
#include "tests/app/PlanInProgram.h"

// Files dragged from a file manager onto the main window open as File > Open opens them.

namespace {

namespace fs = std::filesystem;

class DroppedFiles : public PlanInProgram {
  protected:
    // A point in the middle of the main window, over the plan window there.
    CPoint MiddleOfMainWindow() {
        CRect rect;
        Main().GetWindowRect(&rect);
        return rect.CenterPoint();
    }
    CCVNDoc* OpenLayoutAt(const fs::path& path) {
        for (CDocTemplate* docTemplate : app.Templates())
            for (CDocument* document : docTemplate->Documents())
                if (document->GetPathName() == PathText(path))
                    return dynamic_cast<CCVNDoc*>(document);
        return nullptr;
    }
};

}  // namespace

TEST_F(DroppedFiles, EachDroppedLayoutOpensInTurnAndAFileThatIsNoLayoutGetsTheUsualMessage) {
    CCVNDoc& untitled = *ActiveLayout();
    const fs::path empty = folder / "Empty yard.cvn";
    const fs::path south = folder / u8"Bahnhof-S\u00FCd.cvn";
    const fs::path notes = folder / "notes.txt";
    ASSERT_TRUE(untitled.OnSaveDocument(PathText(empty)));
    DrawLine();
    ASSERT_TRUE(untitled.OnSaveDocument(PathText(south)));
    untitled.SetModifiedFlag(FALSE);
    std::ofstream(notes) << "Shopping list: ballast, flex track, two turnouts\n";

    // What File > Open says of the notes.
    host.AnswerMessageBox(IDOK);
    EXPECT_EQ(app.OpenDocumentFile(PathText(notes)), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    const CString usual = host.MessageBoxes().back().text;

    // The files open one after another: the message comes after the first and before the last.
    bool firstOpenAtTheMessage = false;
    bool lastOpenAtTheMessage = true;
    host.WhenModal("", [&](CWnd& box) {
        firstOpenAtTheMessage = OpenLayoutAt(empty) != nullptr;
        lastOpenAtTheMessage = OpenLayoutAt(south) != nullptr;
        box.EndModalLoop(IDOK);
    });
    host.DropFiles({PathText(empty), PathText(notes), PathText(south)}, MiddleOfMainWindow());
    host.RunUntilIdle();

    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes().back().text, usual);
    EXPECT_TRUE(firstOpenAtTheMessage);
    EXPECT_FALSE(lastOpenAtTheMessage);
    EXPECT_EQ(Main().MDIChildren().size(), 3u);
    CCVNDoc* emptyLayout = OpenLayoutAt(empty);
    CCVNDoc* southLayout = OpenLayoutAt(south);
    ASSERT_NE(emptyLayout, nullptr);
    ASSERT_NE(southLayout, nullptr);
    EXPECT_TRUE(emptyLayout->m_rootGroup.m_members.empty());
    EXPECT_EQ(southLayout->m_rootGroup.m_members.size(), 1u);
    EXPECT_EQ(ActiveLayout(), southLayout);

    // A layout whose name the program's text cannot hold comes with a '?' in its name, as the
    // desktop host hands it over; it cannot be opened, and says so.
    const fs::path unnamed = folder / u8"Gleisplan-\u4E00.cvn";
    fs::copy_file(empty, unnamed);
    host.AnswerMessageBox(IDOK);
    host.DropFiles({PathText(unnamed)}, MiddleOfMainWindow());
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_NE(host.MessageBoxes().back().text.Find("Gleisplan-?.cvn"), -1) << host.MessageBoxes().back().text;
    EXPECT_EQ(Main().MDIChildren().size(), 3u);
}
