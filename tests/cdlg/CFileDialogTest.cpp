#include <filesystem>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/SystemColors.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"
#include "tests/support/WorkingFolderKept.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kBitmaps = "Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";
constexpr UINT IDD_PREVIEW = 306;
constexpr UINT IDC_SHOW_PREVIEW = 1259;
constexpr UINT IDC_PREVIEW_AREA = 1111;

const DialogTemplate& PreviewTemplate() {
    static const DialogTemplate dialog{
        IDD_PREVIEW,
        "",
        WS_CHILD | WS_VISIBLE | DS_CONTROL,
        CRect(0, 0, 280, 70),
        {
            {stc32, WC_STATIC, "", WS_CHILD, CRect(0, 0, 280, 4)},
            {IDC_PREVIEW_AREA, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_SUNKEN, CRect(7, 2, 107, 52)},
            {IDC_SHOW_PREVIEW, WC_BUTTON, "Show preview",
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(7, 56, 107, 66)},
        }};
    return dialog;
}

// A file dialog extended by the preview template that notes every selection change.
class PreviewFileDialog : public CFileDialog {
  public:
    PreviewFileDialog(const CString& folder)
        : CFileDialog(TRUE, "bmp", "*.bmp", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kBitmaps),
          m_folder(folder) {
        RegisterDialogTemplate(PreviewTemplate());
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_PREVIEW);
        m_ofn.lpstrInitialDir = m_folder.c_str();
    }
    std::vector<CString> selections;
    bool checkedAtInit = false;

  protected:
    BOOL OnInitDialog() override {
        CFileDialog::OnInitDialog();
        CheckDlgButton(IDC_SHOW_PREVIEW, BST_CHECKED);
        checkedAtInit = IsDlgButtonChecked(IDC_SHOW_PREVIEW) == BST_CHECKED;
        return TRUE;
    }
    void OnFileNameChange() override { selections.push_back(GetPathName()); }

  private:
    CString m_folder;
};

class FileDialogTest : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        fs::create_directory(folder / "Textures");
        fs::create_directory(folder / "backdrops");
        WriteFile(folder / "brick.bmp", std::string(3000, 'x'));
        WriteFile(folder / "Alpha.BMP", "BM");
        WriteFile(folder / "notes.txt", "text");
        WriteFile(folder / ".hidden.bmp", "BM");
    }
    CString FolderText() const { return CString(folder.Path().string().c_str()); }
    static std::vector<CString> Names(CWnd& dialog) {
        auto* list = static_cast<CListCtrl*>(Item(dialog, lst1));
        std::vector<CString> names;
        for (int i = 0; i < list->GetItemCount(); ++i) names.push_back(list->GetItemText(i, 0));
        return names;
    }
    // The leftmost pixel of a list row that is not the list's background.
    int FirstInkInRow(CListBox& list, int index) {
        CRect row;
        list.GetItemRect(index, &row);
        for (int x = row.left; x < row.right; ++x)
            if (ColorAt(list, CPoint(x, row.CenterPoint().y)) != GetSysColor(COLOR_WINDOW))
                return x;
        return row.right;
    }
    void ClickItem(CWnd& dialog, int index) {
        auto* list = static_cast<CListCtrl*>(Item(dialog, lst1));
        CRect rect;
        list->GetItemRect(index, &rect, LVIR_LABEL);
        host.ClickClient(list, rect.CenterPoint());
    }

    TestFolder folder;
};
}  // namespace

TEST_F(FileDialogTest, ListsTheFolderWithFoldersFirstAndFiltersByType) {
    const CString path = FolderText();
    CFileDialog dialog(TRUE, "bmp", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kBitmaps);
    dialog.m_ofn.lpstrInitialDir = path.c_str();
    host.WhenModal("Open", [&](CWnd& modal) {
        EXPECT_EQ(Item(modal, chx1), nullptr);
        EXPECT_EQ(TextOf(modal, stc4), "Look &in:");
        EXPECT_EQ(Names(modal), (std::vector<CString>{"backdrops", "Textures", "Alpha.BMP", "brick.bmp"}));
        auto* list = static_cast<CListCtrl*>(Item(modal, lst1));
        EXPECT_EQ(list->GetItemText(0, 2), "File Folder");
        EXPECT_EQ(list->GetItemText(3, 1), "3 KB");
        EXPECT_EQ(list->GetItemText(3, 2), "BMP File");
        auto* types = static_cast<CComboBox*>(Item(modal, cmb1));
        ASSERT_EQ(types->GetCount(), 2);
        types->SetCurSel(1);
        modal.SendMessage(WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        EXPECT_EQ(Names(modal),
                  (std::vector<CString>{"backdrops", "Textures", "Alpha.BMP", "brick.bmp", "notes.txt"}));
        // A wildcard typed as the name filters the list.
        Retype(modal, edt1, "*.txt");
        host.PressKey(VK_RETURN);
        EXPECT_EQ(Names(modal), (std::vector<CString>{"backdrops", "Textures", "notes.txt"}));
        // A folder typed as the name is entered; a missing file is refused with a message.
        Retype(modal, edt1, "Textures");
        host.PressKey(VK_RETURN);
        EXPECT_EQ(dialog.GetFolderPath(), path + "/Textures");
        Click(modal, psh1);
        EXPECT_EQ(dialog.GetFolderPath(), path);
        host.AnswerMessageBox(IDOK);
        Retype(modal, edt1, "missing");
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(modal.InModalLoop());
        Retype(modal, edt1, "brick");
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(host.MessageBoxes()[0].text,
              path + "/missing.bmp\nFile not found.\nCheck the file name and try again.");
    // The default extension completes the typed name.
    EXPECT_EQ(dialog.GetPathName(), path + "/brick.bmp");
    EXPECT_EQ(dialog.GetFileName(), "brick.bmp");
    EXPECT_EQ(dialog.GetFileExt(), "bmp");
    EXPECT_EQ(dialog.GetFileTitle(), "brick");
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2U);
}

TEST_F(FileDialogTest, TheCustomTemplateHearsEachSelectionWithTheFullPath) {
    PreviewFileDialog dialog(FolderText());
    host.WhenModal("Open", [&](CWnd& modal) {
        EXPECT_TRUE(dialog.checkedAtInit);
        EXPECT_EQ(TextOf(modal, edt1), "*.bmp");
        // The extension's controls lie below the standard ones and its placeholder stays hidden.
        CRect list, area;
        Item(modal, lst1)->GetWindowRect(&list);
        Item(modal, IDC_PREVIEW_AREA)->GetWindowRect(&area);
        EXPECT_GT(area.top, list.bottom);
        EXPECT_FALSE(Item(modal, stc32)->IsWindowVisible());
        ClickItem(modal, 3);
        ClickItem(modal, 2);
        // A folder is no selection of a file.
        ClickItem(modal, 0);
        EXPECT_EQ(TextOf(modal, edt1), "Alpha.BMP");
        EXPECT_EQ(dialog.GetPathName(), FolderText() + "/Alpha.BMP");
        if (const CString png = TestPicturePath("cdlg-file-dialog.png"); !png.IsEmpty())
            host.DumpWindow(&modal, png);
        ClickItem(modal, 3);
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.selections,
              (std::vector<CString>{FolderText() + "/brick.bmp", FolderText() + "/Alpha.BMP",
                                    FolderText() + "/brick.bmp"}));
    EXPECT_EQ(dialog.GetPathName(), FolderText() + "/brick.bmp");
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
    const CString path = FolderText();
    CFileDialog dialog(FALSE, "txt", "notes", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Text (*.txt)|*.txt||");
    dialog.m_ofn.lpstrInitialDir = path.c_str();
    host.WhenModal("Save As", [&](CWnd& modal) {
        EXPECT_EQ(TextOf(modal, IDOK), "&Save");
        EXPECT_EQ(TextOf(modal, stc4), "Save &in:");
        host.AnswerMessageBox(IDNO);
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(modal.InModalLoop());
        host.AnswerMessageBox(IDYES);
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(host.MessageBoxes().size(), 2U);
    EXPECT_EQ(host.MessageBoxes()[0].text, path + "/notes.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(dialog.GetPathName(), path + "/notes.txt");

    // A new name is taken without asking; Escape cancels and leaves no answer.
    CFileDialog fresh(FALSE, "txt", "fresh", OFN_OVERWRITEPROMPT, "Text (*.txt)|*.txt||");
    fresh.m_ofn.lpstrInitialDir = path.c_str();
    host.WhenModal("Save As", [&](CWnd&) { host.PressKey(VK_RETURN); });
    ASSERT_EQ(fresh.DoModal(), IDOK);
    EXPECT_EQ(fresh.GetPathName(), path + "/fresh.txt");
    EXPECT_EQ(host.MessageBoxes().size(), 2U);
    CFileDialog cancelled(TRUE);
    host.WhenModal("Open", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), "");
}

TEST_F(FileDialogTest, TheFolderLineListsTheFoldersFromTheRootAndGoesUp) {
    const fs::path textures = folder / "Textures";
    const CString texturesText = CString(textures.string().c_str());
    CFileDialog dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kBitmaps);
    dialog.m_ofn.lpstrInitialDir = texturesText.c_str();
    std::vector<CString> expected{"/"};
    for (const fs::path& part : textures.relative_path()) expected.push_back(part.string().c_str());
    host.WhenModal("Save As", [&](CWnd& modal) {
        EXPECT_EQ(TextOf(modal, stc4), "Save &in:");
        auto* combo = static_cast<CComboBox*>(Item(modal, cmb2));
        ASSERT_EQ(combo->GetCount(), static_cast<int>(expected.size()));
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString name;
            combo->GetLBText(i, name);
            EXPECT_EQ(name, expected[i]);
        }
        EXPECT_EQ(combo->GetCurSel(), combo->GetCount() - 1);
        EXPECT_EQ(TextOf(modal, cmb2), "Textures");

        // Dropped, each folder sits one step right of the folder that holds it.
        CRect field;
        combo->GetClientRect(&field);
        host.ClickClient(combo, CPoint(field.right - 5, field.CenterPoint().y));
        ASSERT_TRUE(combo->GetDroppedState());
        CListBox& list = combo->DropList();
        std::vector<int> iconLefts;
        for (int i = 0; i < list.GetCount(); ++i) iconLefts.push_back(FirstInkInRow(list, i));
        for (std::size_t i = 1; i < iconLefts.size(); ++i) EXPECT_EQ(iconLefts[i] - iconLefts[i - 1], 10);
        if (const CString png = TestPicturePath("cdlg-save-folders.png"); !png.IsEmpty())
            host.DumpScreen(png);

        // Choosing the test's folder goes there; Up goes one more level up.
        CRect row;
        list.GetItemRect(list.GetCount() - 2, &row);
        host.ClickClient(&list, row.CenterPoint());
        EXPECT_FALSE(combo->GetDroppedState());
        EXPECT_EQ(dialog.GetFolderPath(), FolderText());
        EXPECT_EQ(Names(modal), (std::vector<CString>{"backdrops", "Textures", "Alpha.BMP", "brick.bmp"}));
        EXPECT_EQ(combo->GetCount(), static_cast<int>(expected.size()) - 1);
        Click(modal, psh1);
        EXPECT_EQ(dialog.GetFolderPath(), CString(folder.Path().parent_path().string().c_str()));

        // At the root there is no level up.
        combo->SetCurSel(0);
        modal.SendMessage(WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        EXPECT_EQ(dialog.GetFolderPath(), "/");
        EXPECT_FALSE(Item(modal, psh1)->IsWindowEnabled());
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FileDialogTest, OpensInTheGivenFolderInEitherFormElseInTheUsersLastFolderNeverTheWorkingOne) {
    // A stored-form folder and name, spelled in another case, open the real folder and file.
    const CString stored = CWinPath::FromReal(folder.Path());
    const CString storedFolder = stored + "\\TEXTURES\\";
    CFileDialog dialog(TRUE, "bmp", stored + "\\BRICK.BMP", OFN_HIDEREADONLY, kBitmaps);
    dialog.m_ofn.lpstrInitialDir = storedFolder.c_str();
    host.WhenModal("Open", [&](CWnd& modal) {
        EXPECT_EQ(dialog.GetFolderPath(), FolderText());
        EXPECT_EQ(TextOf(modal, edt1), "brick.bmp");
        EXPECT_EQ(modal.GetFocus(), Item(modal, edt1));
        Retype(modal, edt1, "Textures");
        host.PressKey(VK_RETURN);
        Retype(modal, edt1, "wall.bmp");
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), FolderText() + "/Textures/wall.bmp");

    // A stored-form folder alone, in another case, opens the real folder.
    const CString storedBackdrops = stored + "\\BACKDROPS\\";
    CFileDialog inFolder(TRUE, "bmp", "*.bmp", OFN_HIDEREADONLY, kBitmaps);
    inFolder.m_ofn.lpstrInitialDir = storedBackdrops.c_str();
    CString shownInFolder;
    host.WhenModal("Open", [&](CWnd& modal) {
        shownInFolder = inFolder.GetFolderPath();
        Click(modal, IDCANCEL);
    });
    inFolder.DoModal();
    EXPECT_EQ(shownInFolder, FolderText() + "/backdrops");

    // Without a folder of its own (or with one that is gone) the next dialog opens where the
    // user chose last, wherever the working folder is.
    const WorkingFolderKept workingFolder;
    std::filesystem::current_path(folder / "backdrops");
    CString shownAfterChoice;
    CFileDialog next(TRUE, "bmp", "*.bmp", OFN_HIDEREADONLY, kBitmaps);
    next.m_ofn.lpstrInitialDir = "C:\\GONE\\";
    host.WhenModal("Open", [&](CWnd& modal) {
        shownAfterChoice = next.GetFolderPath();
        Click(modal, IDCANCEL);
    });
    next.DoModal();
    EXPECT_EQ(shownAfterChoice, FolderText() + "/Textures");
}
