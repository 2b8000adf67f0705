#include <sys/stat.h>

#include <string>

#include "catalog/CCatalogItem.h"
#include "catalog/CCataloguePrintout.h"
#include "catalog/CEditPartsListDialog.h"
#include "catalog/CPartsListDialog.h"
#include "catalog/CatalogDialogs.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CComboBox.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "tests/catalog/CatalogDialogFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PdfPages.h"
#include "tests/support/WithoutPermissionOverride.h"

namespace fs = std::filesystem;

namespace {

const std::string kParts =
    "Track;Acme;HO;Straight;Rail 1;S1;2;1.50;;\r\n"
    "Track;Zeta;HO,N;Curve;Rail 2;C1;1;2.50;;\r\n"
    "Track;All;HO, N;Switch;Rail 3;W1;1;9.00;;\r\n"
    "Track;Al;N;Bumper;Rail 4;B1;3;0.75;;\r\n"
    "Scenery;Trees;HO;Oak;Tree;T1;5;1.00;;\r\n";

class PartsListDialogTest : public CatalogDialogFixture {
  protected:
    void SetUp() override {
        CatalogDialogFixture::SetUp();
        WriteFile(folder / "parts.cvp", kParts);
    }
    void ChooseFile(const fs::path& path) {
        host.WhenModal("Open", [this, path](CWnd& modal) {
            Retype(modal, edt1, PathText(path));
            host.PressKey(VK_RETURN);
        });
    }
    // Runs the parts list from the document's command on the file; the action drives it.
    void WithPartsList(const std::function<void(CPartsListDialog&)>& action, bool chooseFile = true) {
        if (chooseFile)
            ChooseFile(folder / "parts.cvp");
        WithDialog(ID_PARTS_LIST, "Manufacturer Parts List", action);
    }
    // The edit dialog takes the texts typed into its fields (control id, text).
    void EditWith(std::vector<std::pair<UINT, CString>> fields, int button = IDOK) {
        host.WhenModal("Edit Parts List", [this, fields, button](CWnd& modal) {
            for (const auto& [id, text] : fields) Retype(modal, id, text);
            Click(modal, static_cast<UINT>(button));
        });
    }
    static std::vector<CString> Column(CPartsListDialog& dialog, int column) {
        return ColumnTexts(dialog.GetList(), column);
    }
    std::string FileText(const fs::path& path) {
        const FileBytes bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

}  // namespace

TEST_F(PartsListDialogTest, TabsAndFiltersNarrowTheRows) {
    WithPartsList([&](CPartsListDialog& dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_FILE_NAME), "parts.cvp");
        EXPECT_EQ(dialog.GetCurrentTab(), 0);
        EXPECT_EQ(Column(dialog, 0), (std::vector<CString>{"Acme", "Al", "All", "Zeta"}));
        EXPECT_EQ(dialog.GetList().GetItemText(0, CPartsListDialog::kTotalColumn), "3.00");
        // "Al" begins "All", so it is not offered; scales are cut at commas as they stand.
        EXPECT_EQ(Choices(dialog, IDC_CATALOG_MANUFACTURER), (std::vector<CString>{"Acme", "All", "Zeta"}));
        EXPECT_EQ(Choices(dialog, IDC_CATALOG_SCALE), (std::vector<CString>{" N", "All", "HO", "N"}));
        Choose(dialog, IDC_CATALOG_SCALE, "N");
        EXPECT_EQ(Column(dialog, 0), (std::vector<CString>{"Al", "Zeta"}));
        Choose(dialog, IDC_CATALOG_SCALE, "All");
        // A price filter of 2.5 shows the part priced "2.50"; a part number narrows further.
        Retype(dialog, IDC_CATALOG_PRICE, "2.5");
        host.PressKey(VK_TAB);
        EXPECT_EQ(Column(dialog, 0), std::vector<CString>{"Zeta"});
        Retype(dialog, IDC_CATALOG_PRICE, "0");
        Retype(dialog, IDC_CATALOG_PART_NO, "S1");
        host.PressKey(VK_TAB);
        EXPECT_EQ(Column(dialog, 0), std::vector<CString>{"Acme"});
        Retype(dialog, IDC_CATALOG_PART_NO, "");
        host.PressKey(VK_DELETE);
        // A price that is not a number is refused and the field keeps the focus.
        Retype(dialog, IDC_CATALOG_PRICE, "cheap");
        host.AnswerMessageBox(IDOK);
        host.PressKey(VK_TAB);
        ASSERT_FALSE(host.MessageBoxes().empty());
        EXPECT_EQ(CWnd::GetFocus(), Item(dialog, IDC_CATALOG_PRICE));
        Retype(dialog, IDC_CATALOG_PRICE, "0");
        host.PressKey(VK_TAB);
        EXPECT_EQ(dialog.GetList().GetItemCount(), 4);

        // The "All" tab lists every part while its filter lists hold only "All".
        ChooseTab(dialog, CPartsListDialog::kTabCount - 1);
        EXPECT_EQ(dialog.GetList().GetItemCount(), 5);
        EXPECT_EQ(Choices(dialog, IDC_CATALOG_MANUFACTURER), std::vector<CString>{"All"});
        ChooseTab(dialog, 1);
        EXPECT_EQ(Column(dialog, 0), std::vector<CString>{"Trees"});
        Click(dialog, IDCANCEL);
    });
}

TEST_F(PartsListDialogTest, AddDuplicateEditDeleteAndOkSaveTheFile) {
    WithPartsList([&](CPartsListDialog& dialog) {
        // Add on the first tab: the part takes the tab's category.
        EditWith({{IDC_EDIT_MANUFACTURER, "Beta"},
                  {IDC_EDIT_SCALE, "TT"},
                  {IDC_EDIT_QUANTITY, "4"},
                  {IDC_CATALOG_PRICE, "1.25"}});
        Click(dialog, IDC_PARTS_ADD);
        ASSERT_EQ(dialog.GetList().GetItemCount(), 5);
        EXPECT_TRUE(dialog.IsModified());
        EXPECT_EQ(dialog.GetList().GetItemText(0, 0), "Beta");
        EXPECT_EQ(dialog.GetList().GetItemText(0, CPartsListDialog::kTotalColumn), "5.00");
        // Added parts are not offered by the filter lists until saved.
        EXPECT_EQ(Choices(dialog, IDC_CATALOG_MANUFACTURER), (std::vector<CString>{"Acme", "All", "Zeta"}));

        // Duplicate the row of "Zeta", then edit the copy.
        ClickRow(dialog.GetList(), 4);
        Click(dialog, IDC_PARTS_DUPLICATE);
        ASSERT_EQ(dialog.GetList().GetItemCount(), 6);
        EXPECT_EQ(dialog.GetList().GetItemText(5, 0), "Zeta");
        ClickRow(dialog.GetList(), 5);
        EditWith({{IDC_EDIT_DESCRIPTION, "Rail 2b"}});
        Click(dialog, IDC_PARTS_EDIT);
        EXPECT_EQ(dialog.GetList().GetItemText(5, CPartsListDialog::kDescriptionColumn), "Rail 2b");
        // A quantity that is not a whole number is refused; the field keeps the focus.
        host.WhenModal("Edit Parts List", [this](CWnd& modal) {
            Retype(modal, IDC_EDIT_QUANTITY, "two");
            host.AnswerMessageBox(IDOK);
            Click(modal, IDOK);
            EXPECT_TRUE(modal.InModalLoop());
            EXPECT_EQ(CWnd::GetFocus(), Item(modal, IDC_EDIT_QUANTITY));
            Click(modal, IDCANCEL);
        });
        Click(dialog, IDC_PARTS_EDIT);
        ASSERT_EQ(host.MessageBoxes().size(), 1U);
        EXPECT_EQ(host.MessageBoxes()[0].text, "Please enter an integer.");

        // Delete "Acme" (row 1): the row now at its place is selected.
        ClickRow(dialog.GetList(), 1);
        Click(dialog, IDC_PARTS_DELETE);
        ASSERT_EQ(dialog.GetList().GetItemCount(), 5);
        EXPECT_EQ(dialog.GetList().GetItemText(1, 0), "Al");
        EXPECT_EQ(dialog.GetList().GetSelectedCount(), 1U);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(FileText(folder / "parts.cvp"),
              "Track;Zeta;HO,N;Curve;Rail 2;C1;1;2.50; ;\r\n"
              "Track;All;HO, N;Switch;Rail 3;W1;1;9.00; ;\r\n"
              "Track;Al;N;Bumper;Rail 4;B1;3;0.75; ;\r\n"
              "Scenery;Trees;HO;Oak;Tree;T1;5;1.00; ;\r\n"
              "Track;Beta;TT;;;;4;1.25;;\r\n"
              "Track;Zeta;HO,N;Curve;Rail 2b;C1;1;2.50; ;\r\n");
}

TEST_F(PartsListDialogTest, OpenNewAsksToSaveAndDiscardingUndoesEveryChange) {
    WithPartsList([&](CPartsListDialog& dialog) {
        // Edit a saved part, add one; then open a new file and keep the changes.
        ClickRow(dialog.GetList(), 0);
        EditWith({{IDC_EDIT_DESCRIPTION, "Edited"}});
        Click(dialog, IDC_PARTS_EDIT);
        EditWith({{IDC_EDIT_MANUFACTURER, "Beta"}});
        Click(dialog, IDC_PARTS_ADD);
        ChooseFile(folder / "fresh.cvp");
        host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDOK); });
        Click(dialog, IDC_PARTS_OPEN_NEW);
        EXPECT_EQ(host.MessageBoxes().back().text, "Save changes ?");
        EXPECT_TRUE(fs::exists(folder / "fresh.cvp"));
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_FILE_NAME), "fresh.cvp");
        EXPECT_EQ(dialog.GetList().GetItemCount(), 0);
        EXPECT_FALSE(dialog.IsModified());
        // With an empty list each refill flips the "Check all" text.
        const CString before = TextOf(dialog, IDC_PARTS_CHECK_ALL);
        dialog.FillList();
        EXPECT_NE(TextOf(dialog, IDC_PARTS_CHECK_ALL), before);
        EXPECT_FALSE(Item(dialog, IDC_PARTS_PRINT)->IsWindowEnabled());

        // Back to the first file, change it and throw the changes away.
        ChooseFile(folder / "parts.cvp");
        Click(dialog, IDC_PARTS_OPEN_NEW);
        ClickRow(dialog.GetList(), 1);
        EditWith({{IDC_EDIT_DESCRIPTION, "Thrown away"}});
        Click(dialog, IDC_PARTS_EDIT);
        Click(dialog, IDC_PARTS_DELETE);
        ChooseFile(folder / "fresh.cvp");
        host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDCANCEL); });
        Click(dialog, IDC_PARTS_OPEN_NEW);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(FileText(folder / "parts.cvp"),
              "Track;Acme;HO;Straight;Edited;S1;2;1.50; ;\r\n"
              "Track;Zeta;HO,N;Curve;Rail 2;C1;1;2.50; ;\r\n"
              "Track;All;HO, N;Switch;Rail 3;W1;1;9.00; ;\r\n"
              "Track;Al;N;Bumper;Rail 4;B1;3;0.75; ;\r\n"
              "Scenery;Trees;HO;Oak;Tree;T1;5;1.00; ;\r\n"
              "Track;Beta;;;;;0;0.00;;\r\n");
    // What was thrown away is gone from the document too.
    for (const auto& entry : doc->m_partsCatalogue) EXPECT_NE((*CatalogItemOf(entry))[4], "Thrown away");
}

TEST_F(PartsListDialogTest, AFailedSaveKeepsTheDialogOpenAndTheChanges) {
    WithPartsList([&](CPartsListDialog& dialog) {
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_PARTS_DELETE);
        chmod(folder.Path().c_str(), 0555);
        {
            WithoutPermissionOverride plainUser;
            host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDOK); });
            Click(dialog, IDOK);
            // The messages name the file as this system writes it.
            EXPECT_EQ(host.MessageBoxes().back().text,
                      "Can't create catalog. " + CString((folder / "parts.cvp").c_str()));
            // A new file cannot be made there either: the list stays with its changes.
            ChooseFile(folder / "fresh.cvp");
            host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDOK); });
            Click(dialog, IDC_PARTS_OPEN_NEW);
            EXPECT_EQ(host.MessageBoxes().back().text,
                      "Can't open catalog " + CString((folder / "fresh.cvp").c_str()));
        }
        chmod(folder.Path().c_str(), 0755);
        EXPECT_TRUE(dialog.InModalLoop());
        EXPECT_TRUE(dialog.IsModified());
        Click(dialog, IDOK);
        EXPECT_FALSE(dialog.InModalLoop());
    });
    EXPECT_EQ(FileText(folder / "parts.cvp").find("Acme"), std::string::npos);
}

TEST_F(PartsListDialogTest, MarksFollowDoubleClicksAndCheckAllAndOnlyMarkedPartsPrint) {
    WithPartsList([&](CPartsListDialog& dialog) {
        EXPECT_FALSE(Item(dialog, IDC_PARTS_PRINT)->IsWindowEnabled());
        ClickRow(dialog.GetList(), 2, 2);
        EXPECT_EQ(ImageOf(dialog.GetList(), 2), 1);
        EXPECT_TRUE(Item(dialog, IDC_PARTS_PRINT)->IsWindowEnabled());
        PrintInto(folder / "parts.pdf");
        Click(dialog, IDC_PARTS_PRINT);
        EXPECT_EQ(CountPdfPages(folder / "parts.pdf"), 1);

        Click(dialog, IDC_PARTS_CHECK_ALL);
        EXPECT_EQ(TextOf(dialog, IDC_PARTS_CHECK_ALL), "Uncheck all");
        for (int row = 0; row < dialog.GetList().GetItemCount(); ++row)
            EXPECT_EQ(ImageOf(dialog.GetList(), row), 1);
        Click(dialog, IDC_PARTS_CHECK_ALL);
        EXPECT_EQ(TextOf(dialog, IDC_PARTS_CHECK_ALL), "Check all");
        EXPECT_FALSE(Item(dialog, IDC_PARTS_PRINT)->IsWindowEnabled());
        // Marks stay in the document from one showing to the next, and are never saved.
        ClickRow(dialog.GetList(), 0, 2);
        Click(dialog, IDCANCEL);
    });
    WithPartsList(
        [&](CPartsListDialog& dialog) {
            EXPECT_EQ(ImageOf(dialog.GetList(), 0), 1);
            Click(dialog, IDOK);
        },
        false);
    EXPECT_EQ(FileText(folder / "parts.cvp").substr(0, 44), "Track;Acme;HO;Straight;Rail 1;S1;2;1.50; ;\r\n");
}

TEST_F(PartsListDialogTest, WithoutAChosenFileTheDialogClosesAtOnce) {
    host.WhenModal("Open", [this](CWnd& picker) { Click(picker, IDCANCEL); });
    EXPECT_FALSE(RunPartsList(*doc));
    EXPECT_TRUE(doc->m_strPartsPath.IsEmpty());
    EXPECT_TRUE(host.UnansweredModals().empty());
    // A name that does not exist yet makes a new, empty parts file in the databases folder.
    ChooseFile(folder / "new.cvp");
    host.WhenModal("Manufacturer Parts List", [this](CWnd& dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_FILE_NAME), "new.cvp");
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(RunPartsList(*doc));
    EXPECT_TRUE(fs::exists(folder / "new.cvp"));
    EXPECT_EQ(fs::file_size(folder / "new.cvp"), 0U);
}

TEST_F(PartsListDialogTest, TheListsKeysAndFocusTurnTheItemButtonsOnAndOff) {
    WithPartsList([&](CPartsListDialog& dialog) {
        CPartsListCtrl& list = dialog.GetList();
        // Nothing selected: leaving the list turns the item buttons off.
        list.SetFocus();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        Click(dialog, IDC_CATALOG_PART_NO);
        EXPECT_FALSE(Item(dialog, IDC_PARTS_EDIT)->IsWindowEnabled());
        // Coming back selects the first row; a key moves the selection and keeps them on.
        list.SetFocus();
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
        EXPECT_TRUE(Item(dialog, IDC_PARTS_EDIT)->IsWindowEnabled());
        host.PressKey(VK_DOWN);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_TRUE(Item(dialog, IDC_PARTS_DUPLICATE)->IsWindowEnabled());
        // A click beside the rows deselects them all and turns the buttons off.
        CRect client;
        list.GetClientRect(&client);
        host.ClickClient(&list, CPoint(client.CenterPoint().x, client.bottom - 5));
        EXPECT_EQ(list.GetSelectedCount(), 0U);
        EXPECT_FALSE(Item(dialog, IDC_PARTS_DELETE)->IsWindowEnabled());
        Click(dialog, IDCANCEL);
    });
}

// A price with more places than shown stays exact left or typed back; one out of range is
// refused naming the range, the dialog open.
TEST_F(PartsListDialogTest, EditPartsListKeepsThePriceAsShownAndRefusesOneOutOfRange) {
    for (const char* typed : {"", "=", "-1"}) {
        CCatalogItem item;
        item[CCatalogItem::kPrice] = "12.345678";
        CEditPartsListDialog editor;
        editor.LoadFrom(item);
        host.WhenModal("Edit Parts List", [&](CWnd& dialog) {
            if (CString(typed) == "=")
                Retype(dialog, IDC_CATALOG_PRICE, TextOf(dialog, IDC_CATALOG_PRICE));
            if (CString(typed) == "-1") {
                Retype(dialog, IDC_CATALOG_PRICE, typed);
                host.AnswerMessageBox(IDOK);
                Click(dialog, IDOK);
                EXPECT_EQ(host.MessageBoxes().back().text,
                          "Please enter a price between 0.00 and 1000000000.00.");
            }
            Click(dialog, CString(typed) == "-1" ? IDCANCEL : IDOK);
        });
        editor.DoModal();
        EXPECT_EQ(editor.m_fPrice, 12.345678) << typed;
    }
}
