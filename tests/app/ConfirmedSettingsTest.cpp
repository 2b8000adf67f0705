#include <functional>

#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/LayerPropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/DialogInput.h"

// The settings a layout file keeps, changed through the dialogs and commands that change them:
// confirmed untouched they leave the layout as it was, changed they mark it modified.

namespace {

class ConfirmedSettings : public PlanInProgram {
  protected:
    void SetUp() override {
        PlanInProgram::SetUp();
        DrawLine();
        Layout().SetModifiedFlag(FALSE);
    }

  public:
    CCVNDoc& Layout() { return *ActiveLayout(); }
    // The page of the dialog a row works in: a sheet's page turned to with a click on its tab.
    CWnd& Page(CWnd& dialog, int page) {
        auto* sheet = dynamic_cast<CPropertySheet*>(&dialog);
        if (sheet == nullptr)
            return dialog;
        DialogInput::ClickTab(host, sheet->GetTabControl(), page);
        return *sheet->GetActivePage();
    }
    void Retype(CWnd& dialog, UINT id, const char* text) {
        host.AdvanceClock(1000);
        DialogInput::Retype(host, dialog.GetDlgItem(static_cast<int>(id)), text);
    }
    void ClickControl(CWnd& dialog, UINT id) {
        host.AdvanceClock(1000);
        host.ClickClient(dialog.GetDlgItem(static_cast<int>(id)), CPoint(3, 3));
    }
    void ClickLayerCell(CWnd& dialog, int row, int column) {
        auto& list = *static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_LAYER_LIST));
        CRect cell;
        ASSERT_TRUE(list.GetSubItemRect(row, column, LVIR_BOUNDS, &cell));
        host.ClickClient(&list, cell.CenterPoint());
    }
};

}  // namespace

// Every dialog and command that changes a setting the layout file keeps.
TEST_F(ConfirmedSettings, UntouchedDialogsLeaveTheLayoutAndEveryChangeMarksIt) {
    struct Use {
        const char* name;
        UINT command;
        const char* caption;  // none for a command that changes the setting itself
        int page;
        std::function<void(ConfirmedSettings&, CWnd&)> change;
    };
    const Use uses[] = {
        {"Document setup, width", ID_DOCUMENT_SETUP, "Document setup", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.Retype(page, IDC_SETUP_WIDTH, "100"); }},
        {"Document setup, page markers", ID_DOCUMENT_SETUP, "Document setup", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_SETUP_PAGE_MARKERS); }},
        {"Preferences, grid shown", ID_PREFERENCES, "Preferences", 0,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_METRIC_GRID_SHOWN); }},
        {"Preferences, 3D backdrop", ID_PREFERENCES, "Preferences", 1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_3D_USE_BACKDROP); }},
        {"Preferences, elevation gap", ID_PREFERENCES, "Preferences", 2,
         [](ConfirmedSettings& t, CWnd& page) { t.Retype(page, IDC_TRAIN_ELEVATION_GAP, "3"); }},
        {"Preferences, snap range", ID_PREFERENCES, "Preferences", 3,
         [](ConfirmedSettings& t, CWnd& page) { t.Retype(page, IDC_OTHER_SNAP_RANGE, "2"); }},
        {"Layers, a layer hidden", ID_LAYERS, "Layer properties", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickLayerCell(page, 4, 2); }},
        {"Show grid", ID_SHOW_GRID, nullptr, -1, nullptr},
        {"Show or hide layer 3", ID_LAYER_SHOW_HIDE_0 + 3, nullptr, -1, nullptr},
    };
    for (const Use& use : uses) {
        SCOPED_TRACE(use.name);
        const std::vector<BYTE> before = Stored(Layout());
        if (use.caption != nullptr) {
            host.WhenModal(use.caption, [&](CWnd&) { host.PressKey(VK_RETURN); });
            Command(use.command);
            EXPECT_EQ(Stored(Layout()), before);
            EXPECT_FALSE(Layout().IsModified());
            host.WhenModal(use.caption, [&](CWnd& dialog) {
                use.change(*this, Page(dialog, use.page));
                ClickControl(dialog, IDOK);
            });
        }
        Command(use.command);
        EXPECT_NE(Stored(Layout()), before);
        EXPECT_TRUE(Layout().IsModified());
        Layout().SetModifiedFlag(FALSE);
    }
}

// Undo takes back no setting: undoing every drawing after a new page size leaves the layout
// modified, and closing it asks to save the page.
TEST_F(ConfirmedSettings, ASettingChangedSurvivesUndoAndClosingAsksToSaveIt) {
    host.WhenModal("Document setup", [&](CWnd& dialog) {
        Retype(dialog, IDC_SETUP_HEIGHT, "50");
        host.PressKey(VK_RETURN);
    });
    Command(ID_DOCUMENT_SETUP);
    EXPECT_EQ(Layout().m_fPageHeight, 50 * 254.0);
    DrawLine(CPoint(120, 220), CPoint(200, 300));
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(Layout().IsModified());
    host.AnswerMessageBox(IDCANCEL);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_NE(host.MessageBoxes().back().text.Find("Save changes"), -1);
    EXPECT_NE(ActiveLayout(), nullptr);
}
