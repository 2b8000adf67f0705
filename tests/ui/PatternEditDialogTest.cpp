#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/FilePreviewTemplate.h"
#include "resources/PatternEditTemplate.h"
#include "resources/Resources.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"
#include "ui/CFileDialogPatternPreview.h"
#include "ui/CPatternEditDialog.h"
#include "ui/CPatternPreviewCheckBox.h"

namespace {

using Bytes = FileBytes;

Bytes GridBytes(const CPatternEditDialog& dialog) {
    const auto bytes = dialog.Grid().Bytes();
    return Bytes(bytes.begin(), bytes.end());
}

// The pixel bytes of a pattern: the odd bytes only pad each row to a word.
Bytes Rows(const Bytes& bytes) {
    Bytes rows;
    for (size_t i = 0; i < bytes.size(); i += 2) rows.push_back(bytes[i]);
    return rows;
}

class PatternEditDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousWorkingFolder = std::filesystem::current_path();
        CDataFolders::SetBaseFolder(Stored(folder.Path()) + "\\");
    }
    void TearDown() override {
        std::filesystem::current_path(m_previousWorkingFolder);
        CDataFolders::SetBaseFolder(m_previousBase);
        WindowManager::Instance().Reset();
    }

    CString Real(const std::filesystem::path& path) const { return CString(path.string().c_str()); }
    CString Stored(const std::filesystem::path& path) const { return CWinPath::FromReal(path); }
    void Press(CWnd& dialog, int id) { host.ClickClient(dialog.GetDlgItem(id), CPoint(3, 3)); }
    // Types a full path into a file dialog's name field and accepts it.
    void ChooseFile(const CString& caption, const CString& path) {
        host.WhenModal(caption, [this, path](CWnd& modal) {
            modal.GetDlgItem(edt1)->SetWindowText(path);
            host.PressKey(VK_RETURN);
        });
    }
    COLORREF GridPixel(CWnd& dialog, CPoint point) { return Pixel(dialog, IDC_PATTERN_BITS, point); }
    COLORREF Pixel(CWnd& dialog, int id, CPoint point) {
        host.RunUntilIdle();
        dialog.GetDlgItem(id)->ClientToScreen(&point);
        CRect frame;
        dialog.GetWindowRect(&frame);
        return ColorFromPixel(dialog.Surface()->At(point.x - frame.left, point.y - frame.top));
    }

    HeadlessHost host;
    TestFolder folder;
    CString m_previousBase;
    std::filesystem::path m_previousWorkingFolder;
};

}  // namespace

TEST_F(PatternEditDialogTest, CellsDrawnByClicksAreSavedByteForByte) {
    CPatternEditDialog dialog;
    dialog.SetPatternName("");
    const std::filesystem::path saved = folder / "Drawn.pat";
    Bytes beforeOk;
    COLORREF firstCell = 0, lastCellBefore = 0;
    host.WhenModal("Edit pattern", [&](CWnd& modal) {
        CWnd* grid = modal.GetDlgItem(IDC_PATTERN_BITS);
        host.ClickClient(grid, CPoint(1, 1));
        host.ClickClient(grid, CPoint(104, 104));
        // The frame and what lies beyond it are no cells.
        host.ClickClient(grid, CPoint(0, 50));
        host.ClickClient(grid, CPoint(105, 50));
        beforeOk = GridBytes(dialog);
        firstCell = GridPixel(modal, CPoint(7, 7));
        lastCellBefore = GridPixel(modal, CPoint(92, 7));
        if (const CString png = TestPicturePath("pattern-editor.png"); !png.IsEmpty()) {
            EXPECT_TRUE(modal.Surface()->WritePng(png));
        }
        ChooseFile("Save As", Real(saved));
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);

    Bytes expected(16, 0xFF);
    expected[0] = 0x7F;
    expected[14] = 0xFE;
    EXPECT_EQ(beforeOk, expected);
    EXPECT_EQ(firstCell, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(lastCellBefore, GetSysColor(COLOR_WINDOW));
    const Bytes file = ReadFileBytes(saved);
    ASSERT_EQ(file.size(), 16u);
    EXPECT_EQ(file, expected);
    EXPECT_EQ(dialog.GetPatternName(), Stored(saved));
    CPatternEditDialog reopened;
    reopened.SetPatternName(Stored(saved));
    EXPECT_EQ(Rows(GridBytes(reopened)), Rows(expected));
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(PatternEditDialogTest, APatternSavedFromTheEditorKeepsTheFilesRowPaddingByteForByte) {
    const Bytes original = {0x3C, 0xFF, 0x42, 0x00, 0x81, 0x5A, 0x00, 0xA5,
                            0xFF, 0xFF, 0x81, 0x01, 0x42, 0x80, 0x3C, 0xFF};
    const std::filesystem::path path = folder / "Padded.pat";
    WriteFileBytes(path, original);
    CPatternEditDialog dialog;
    dialog.SetPatternName(Stored(path));
    host.WhenModal("Edit pattern", [&](CWnd& modal) {
        // Two clicks on each of two cells give the same pattern back, still counted as changed.
        for (const CPoint cell : {CPoint(50, 50), CPoint(80, 20), CPoint(50, 50), CPoint(80, 20)})
            host.ClickClient(modal.GetDlgItem(IDC_PATTERN_BITS), cell);
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(PatternEditDialogTest, NewBlanksThePatternAndBrowseLoadsAChosenFileUnchanged) {
    const Bytes stripes = {0xAA, 0x00, 0x55, 0x00, 0xAA, 0x00, 0x55, 0x00,
                           0xAA, 0x00, 0x55, 0x00, 0xAA, 0x00, 0x55, 0x00};
    const std::filesystem::path stripesPath = folder / "Stripes.pat";
    WriteFileBytes(stripesPath, stripes);
    CPatternEditDialog dialog;
    dialog.SetPatternName(Real(stripesPath));
    EXPECT_EQ(GridBytes(dialog), stripes);
    EXPECT_FALSE(dialog.Grid().IsNewPattern());

    CString shownAfterNew, shownAfterBrowse;
    Bytes afterNew, afterBrowse;
    host.WhenModal("Edit pattern", [&](CWnd& modal) {
        Press(modal, IDC_PATTERN_EDIT_NEW);
        modal.GetDlgItem(IDC_PATTERN_FILE_NAME)->GetWindowText(shownAfterNew);
        afterNew = GridBytes(dialog);
        EXPECT_TRUE(dialog.Grid().IsModified());
        EXPECT_TRUE(dialog.Grid().IsNewPattern());

        ChooseFile("Open", Real(stripesPath));
        Press(modal, IDC_PATTERN_EDIT_BROWSE);
        modal.GetDlgItem(IDC_PATTERN_FILE_NAME)->GetWindowText(shownAfterBrowse);
        afterBrowse = GridBytes(dialog);
        // Unchanged after loading: "Ok" writes nothing and asks nothing.
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownAfterNew, "");
    EXPECT_EQ(afterNew, Bytes(16, 0xFF));
    EXPECT_EQ(shownAfterBrowse, Real(stripesPath));
    EXPECT_EQ(afterBrowse, stripes);
    EXPECT_EQ(dialog.GetPatternName(), Stored(stripesPath));
    EXPECT_EQ(ReadFileBytes(stripesPath), stripes);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(PatternEditDialogTest, AFileThatCannotBeWrittenKeepsTheEditorOpenWithTheDrawnBits) {
    const std::filesystem::path gone = folder / "gone";
    std::filesystem::create_directory(gone);
    WriteFileBytes(gone / "Dots.pat", Bytes(16, 0xFF));
    CPatternEditDialog dialog;
    dialog.SetPatternName(Real(gone / "Dots.pat"));
    std::filesystem::remove_all(gone);

    bool openAfterFailedSave = false;
    Bytes keptBits;
    host.WhenModal("Edit pattern", [&](CWnd& modal) {
        host.ClickClient(modal.GetDlgItem(IDC_PATTERN_BITS), CPoint(20, 1));
        Press(modal, IDOK);
        openAfterFailedSave = modal.InModalLoop();
        keptBits = GridBytes(dialog);
        Press(modal, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(openAfterFailedSave);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].text.Find("Dots.pat"), -1);
    ASSERT_EQ(keptBits.size(), 16u);
    EXPECT_EQ(keptBits[0], 0xBF);
}

TEST_F(PatternEditDialogTest, TheFileDialogTilesTheSelectedPatternAndKeepsItForAFileThatIsNoPattern) {
    WriteFileBytes(folder / "a-ink.pat", Bytes(16, 0x00));
    WriteFileBytes(folder / "b-short.pat", Bytes(3, 0x00));
    const CString initial = Real(folder.Path());
    CFileDialogPatternPreview dialog(TRUE, "pat", "*.pat", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                                     CFileDialogPatternPreview::kFilter);
    dialog.m_ofn.lpstrInitialDir = initial.c_str();
    std::vector<COLORREF> shown;
    bool nameFocusedAtOpen = false;
    host.WhenModal("Open", [&](CWnd& modal) {
        nameFocusedAtOpen = CWnd::GetFocus() == modal.GetDlgItem(edt1);
        const CPoint centre(20, 20);
        shown.push_back(Pixel(modal, IDC_FILE_PREVIEW_AREA, centre));
        auto* list = static_cast<CListCtrl*>(modal.GetDlgItem(lst1));
        for (int index : {0, 1}) {
            CRect rect;
            list->GetItemRect(index, &rect, LVIR_LABEL);
            host.ClickClient(list, rect.CenterPoint());
            shown.push_back(Pixel(modal, IDC_FILE_PREVIEW_AREA, centre));
        }
        if (const CString png = TestPicturePath("pattern-file-dialog.png"); !png.IsEmpty()) {
            EXPECT_TRUE(modal.Surface()->WritePng(png));
        }
        // The check box takes its own clicks: off blanks the pane, and a pattern chosen
        // meanwhile shows once it is on again.
        EXPECT_NE(dynamic_cast<CPatternPreviewCheckBox*>(modal.GetDlgItem(IDC_FILE_SHOW_PREVIEW)), nullptr);
        host.ClickClient(modal.GetDlgItem(IDC_FILE_SHOW_PREVIEW), CPoint(3, 3));
        shown.push_back(Pixel(modal, IDC_FILE_PREVIEW_AREA, centre));
        CRect first;
        list->GetItemRect(0, &first, LVIR_LABEL);
        host.ClickClient(list, first.CenterPoint());
        shown.push_back(Pixel(modal, IDC_FILE_PREVIEW_AREA, centre));
        host.ClickClient(modal.GetDlgItem(IDC_FILE_SHOW_PREVIEW), CPoint(3, 3));
        shown.push_back(Pixel(modal, IDC_FILE_PREVIEW_AREA, centre));
        host.PressKey(VK_ESCAPE);
    });
    dialog.DoModal();
    const COLORREF blank = GetSysColor(COLOR_WINDOW), ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(shown, (std::vector<COLORREF>{blank, ink, ink, blank, blank, ink}));
    // It opens with the focus in the file name, ready for typing.
    EXPECT_TRUE(nameFocusedAtOpen);
}

TEST_F(PatternEditDialogTest,
       BothFileDialogsStartInThePatternsFolderAndLeaveTheProgramFolderAsWorkingFolder) {
    const std::filesystem::path patterns = folder / "PATTERNS";
    std::filesystem::create_directory(patterns);
    std::filesystem::create_directory(folder / "elsewhere");
    std::filesystem::current_path(folder / "elsewhere");
    CPatternEditDialog dialog;
    dialog.SetPatternName("");
    std::vector<CString> startFolders;
    std::vector<std::filesystem::path> workingFolders;
    const auto cancelIn = [&](const CString& caption) {
        host.WhenModal(caption, [&](CWnd& modal) {
            startFolders.push_back(dynamic_cast<CFileDialog&>(modal).GetFolderPath());
            host.PressKey(VK_ESCAPE);
        });
    };
    host.WhenModal("Edit pattern", [&](CWnd& modal) {
        cancelIn("Open");
        Press(modal, IDC_PATTERN_EDIT_BROWSE);
        workingFolders.push_back(std::filesystem::current_path());
        std::filesystem::current_path(folder / "elsewhere");
        host.ClickClient(modal.GetDlgItem(IDC_PATTERN_BITS), CPoint(50, 50));
        // A new pattern asks for its name; without one nothing is written, and the editor closes.
        cancelIn("Save As");
        Press(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    workingFolders.push_back(std::filesystem::current_path());
    EXPECT_EQ(dialog.GetPatternName(), "");
    ASSERT_EQ(startFolders.size(), 2u);
    for (const CString& start : startFolders)
        EXPECT_TRUE(std::filesystem::equivalent(start.c_str(), patterns)) << start;
    ASSERT_EQ(workingFolders.size(), 2u);
    for (const std::filesystem::path& working : workingFolders)
        EXPECT_TRUE(std::filesystem::equivalent(working, folder.Path())) << working;
    EXPECT_TRUE(std::filesystem::is_empty(patterns));
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(PatternEditDialogTest, AMissingPatternIsReportedOnceAndLeavesABlankNewPatternUnderItsName) {
    const CString typed = "C:\\nowhere\\Bricks.pat";
    CPatternEditDialog dialog;
    dialog.SetPatternName(typed);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not read file Bricks.pat");
    EXPECT_EQ(GridBytes(dialog), Bytes(16, 0xFF));
    EXPECT_TRUE(dialog.Grid().IsNewPattern());
    EXPECT_FALSE(dialog.Grid().IsModified());
    EXPECT_EQ(dialog.GetPatternName(), typed);

    // A file shorter than a pattern is no pattern either.
    WriteFileBytes(folder / "Short.pat", Bytes(15, 0x00));
    dialog.SetPatternName(Stored(folder / "Short.pat"));
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[1].text, "Could not read file Short.pat");
    EXPECT_EQ(GridBytes(dialog), Bytes(16, 0xFF));
    EXPECT_TRUE(dialog.Grid().IsNewPattern());
}
