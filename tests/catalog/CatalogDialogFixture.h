#pragma once

#include <filesystem>
#include <functional>

#include "catalog/CatalogDialogs.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/CommonDialogPrompts.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CTabCtrl.h"
#include "resources/CatalogTemplates.h"
#include "tests/catalog/CatalogFixture.h"

// The catalogue dialogs installed in the document's commands, on a machine without printer
// queues: the print dialog's printer is "Save as PDF", whose file the test names.
class CatalogDialogFixture : public CatalogFixture {
  protected:
    void SetUp() override {
        CatalogFixture::SetUp();
        PrinterQueue::SetCommands("/nonexistent/lpstat", "/nonexistent/lp");
        CPrintDialog::ResetSessionPrinter();
        AfxInstallCommonDialogs();
        CCVNDoc::DocumentDialogs dialogs;
        AddCatalogDialogs(dialogs);
        CCVNDoc::InstallDialogs(std::move(dialogs));
    }
    void TearDown() override {
        CCVNDoc::InstallDialogs({});
        PrinterQueue::SetCommands("lpstat", "lp");
        CatalogFixture::TearDown();
    }

    // Runs the document's command; the action drives the dialog of the caption when it shows.
    template <class Dialog>
    void WithDialog(UINT command, const CString& caption, const std::function<void(Dialog&)>& action) {
        bool shown = false;
        host.WhenModal(caption, [&](CWnd& modal) {
            shown = true;
            action(static_cast<Dialog&>(modal));
        });
        doc->OnCmdMsg(command, CN_COMMAND, nullptr, nullptr);
        EXPECT_TRUE(shown) << caption.c_str();
    }
    // The next print dialog prints into the file.
    void PrintInto(const std::filesystem::path& pdf) {
        host.WhenModal("Print", [this, pdf](CWnd& dialog) {
            Retype(dialog, edt4, PathText(pdf));
            host.PressKey(VK_RETURN);
        });
    }
    void ChooseTab(CWnd& dialog, int tab) {
        auto* tabs = static_cast<CTabCtrl*>(Item(dialog, IDC_CATALOG_TABS));
        CRect rect;
        tabs->GetItemRect(tab, &rect);
        host.ClickClient(tabs, rect.CenterPoint());
    }
    // Picks an entry of a filter list as the user would.
    static void Choose(CWnd& dialog, UINT id, const CString& text) {
        auto* list = static_cast<CComboBox*>(Item(dialog, id));
        list->SetCurSel(list->FindStringExact(-1, text));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    static std::vector<CString> Choices(CWnd& dialog, UINT id) {
        auto* list = static_cast<CComboBox*>(Item(dialog, id));
        std::vector<CString> texts;
        for (int index = 0; index < list->GetCount(); ++index) {
            CString text;
            list->GetLBText(index, text);
            texts.push_back(text);
        }
        return texts;
    }
    // One column's texts, row by row.
    static std::vector<CString> ColumnTexts(const CListCtrl& list, int column) {
        std::vector<CString> texts;
        for (int row = 0; row < list.GetItemCount(); ++row) texts.push_back(list.GetItemText(row, column));
        return texts;
    }
};
