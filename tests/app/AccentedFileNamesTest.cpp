#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/base/FileSystemText.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/win/AfxIds.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/FileBytes.h"

// Layouts whose names have letters beyond ASCII: the disk spells them in UTF-8, the program in
// Windows-1252. File > Open, Save As, the recent-file list and the command line all reach the
// same file.

namespace {

namespace fs = std::filesystem;

class AccentedFileNames : public RunningProgram {
  protected:
    // A layout saved by the program under an ASCII name, then renamed on disk to name.
    fs::path LayoutOnDisk(const fs::path& name) {
        fs::create_directories(layouts);
        const fs::path ascii = layouts / "plain.cvn";
        EXPECT_TRUE(ActiveLayout()->OnSaveDocument(ascii.c_str()));
        ActiveLayout()->SetModifiedFlag(FALSE);
        fs::rename(ascii, layouts / name);
        return layouts / name;
    }
    static std::vector<CString> ListedNames(CWnd& dialog) {
        auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(lst1));
        std::vector<CString> names;
        for (int i = 0; i < list->GetItemCount(); ++i) names.push_back(list->GetItemText(i, 0));
        return names;
    }
    static int ListedIndex(CWnd& dialog, const CString& name) {
        const std::vector<CString> names = ListedNames(dialog);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name)
                return static_cast<int>(i);
        return -1;
    }
    void ClickListed(CWnd& dialog, const CString& name) {
        auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(lst1));
        CRect rect;
        ASSERT_TRUE(list->GetItemRect(ListedIndex(dialog, name), &rect, LVIR_LABEL));
        host.ClickClient(list, rect.CenterPoint());
    }
    void TypeName(CWnd& dialog, const CString& text) {
        dialog.GetDlgItem(edt1)->SetWindowText("");
        dialog.GetDlgItem(edt1)->SetFocus();
        host.Type(text);
    }
    // Enters the folder of the layouts in an open file dialog.
    void GoToLayouts(CWnd& dialog) {
        TypeName(dialog, PathText(layouts));
        host.PressKey(VK_RETURN);
    }
    const fs::path layouts = folder / "Layouts";
    const CString southText =
        "Bahnhof-S\xFC"
        "d.cvn";
    const CString streetText =
        "Stra\xDF"
        "e-\xE9t\xE9.cvn";
    const fs::path southName = u8"Bahnhof-S\u00FCd.cvn";
    const fs::path streetName = u8"Stra\u00DFe-\u00E9t\u00E9.cvn";
};

}  // namespace

TEST_F(AccentedFileNames, OpenAndSaveAsThroughTheFileDialogReachTheUtf8Names) {
    ASSERT_TRUE(Start());
    host.AdvanceClock(CSplashWindow::kShowTime);
    const fs::path south = LayoutOnDisk(southName);

    host.WhenModal("Open", [&](CWnd& dialog) {
        GoToLayouts(dialog);
        EXPECT_EQ(ListedNames(dialog), std::vector<CString>{southText});
        ClickListed(dialog, southText);
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_FILE_OPEN);
    host.RunUntilIdle();
    EXPECT_TRUE(host.MessageBoxes().empty());
    ASSERT_NE(ActiveLayout(), nullptr);
    EXPECT_EQ(ActiveLayout()->GetPathName(), PathText(south));
    EXPECT_EQ(ActiveLayout()->GetTitle(), southText);
    ASSERT_FALSE(app.RecentFiles().empty());
    EXPECT_EQ(app.RecentFiles().front(), PathText(south));

    // The file on disk holds exactly what the opened layout stores.
    const FileBytes opened = Stored(*ActiveLayout());
    ASSERT_FALSE(opened.empty());
    host.WhenModal("Save As", [&](CWnd& dialog) {
        TypeName(dialog, streetText);
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    host.RunUntilIdle();
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(ReadFileBytes(layouts / streetName), opened);
    EXPECT_EQ(ActiveLayout()->GetTitle(), streetText);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(layouts), fs::directory_iterator()).size(), 2u);

    // The recent-file list, kept in the profile, opens the first name again.
    ActiveLayout()->OnCloseDocument();
    host.RunUntilIdle();
    ASSERT_EQ(app.RecentFiles().size(), 2u);
    EXPECT_EQ(app.RecentFiles()[1], PathText(south));
    Main().SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
    host.RunUntilIdle();
    ASSERT_NE(ActiveLayout(), nullptr);
    EXPECT_EQ(ActiveLayout()->GetTitle(), southText);
}

TEST_F(AccentedFileNames, ALayoutNamedInUtf8OnTheCommandLineOpensWithItsNameReadable) {
    ASSERT_TRUE(Start());
    const fs::path south = LayoutOnDisk(southName);
    Quit(app);
    WindowManager::Instance().Reset();

    TestApp second;
    ASSERT_TRUE(StartProgram(second, {south.string()}));
    auto* opened = dynamic_cast<CCVNDoc*>(second.MainFrame()->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetPathName(), PathText(south));
    EXPECT_EQ(opened->GetTitle(), southText);
    Quit(second);
}

// A name with a letter the code page lacks is listed with '?' for it. It is never opened in
// place of another file: not from the dialog, where the '?' makes a pattern, nor from the
// command line, even when a file whose name has a real '?' is there.
TEST_F(AccentedFileNames, ANameBeyondTheCodePageIsListedButNeverOpensAnotherFile) {
    ASSERT_TRUE(Start());
    host.AdvanceClock(CSplashWindow::kShowTime);
    const fs::path omega = LayoutOnDisk(u8"Gleis-\u03A9.cvn");
    const fs::path question = LayoutOnDisk("Gleis-?.cvn");

    host.WhenModal("Open", [&](CWnd& dialog) {
        GoToLayouts(dialog);
        EXPECT_EQ(ListedNames(dialog), (std::vector<CString>{"Gleis-?.cvn", "Gleis-?.cvn"}));
        ClickListed(dialog, "Gleis-?.cvn");
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(dialog.InModalLoop());
        EXPECT_EQ(ListedNames(dialog).size(), 2u);
        host.PressKey(VK_ESCAPE);
    });
    CDocument* before = ActiveLayout();
    Main().SendMessage(WM_COMMAND, ID_FILE_OPEN);
    host.RunUntilIdle();
    EXPECT_EQ(ActiveLayout(), before);
    EXPECT_TRUE(host.MessageBoxes().empty());

    host.AnswerMessageBox(IDOK);
    EXPECT_EQ(app.OpenDocumentFile(PathText(omega)), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(ActiveLayout(), before);
    EXPECT_TRUE(fs::exists(question));
}
