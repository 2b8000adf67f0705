#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "platform/cdlg/CFontDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DialogNavigation.h"
#include "resources/CatalogTemplates.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/Objects3DTemplates.h"
#include "resources/PicturePropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/TrackPropertiesTemplates.h"
#include "resources/WizardPageTemplates.h"
#include "tests/app/EveryClassLayout.h"
#include "tests/support/DialogInput.h"

// An open drop-down list takes its own Escape, Return and Tab: Escape closes only the list and
// keeps the earlier choice, Return takes the highlighted row and closes only the list, Tab takes
// it and moves the focus on. The dialog stays
// open either way; Escape with the list closed still cancels the dialog.

namespace {

enum class Route { F4, AltDown, ArrowClick };

struct DroppedList {
    const char* dialog;
    UINT combo;
    Route route;
};

class DroppedListKeys : public EveryClassLayout {
  protected:
    static CComboBox* FindCombo(CWnd& top, UINT id) {
        for (CWnd* control : DialogNavigation::Descendants(&top))
            if (control->GetDlgCtrlID() == static_cast<int>(id) && control->IsWindowVisible())
                return dynamic_cast<CComboBox*>(control);
        return nullptr;
    }
    // Tab walks the dialog to the list, as a person with the keyboard gets there.
    void TabTo(CWnd& combo) {
        for (int press = 0; press < 80 && CWnd::GetFocus() != &combo; ++press) host.PressKey(VK_TAB);
        ASSERT_EQ(CWnd::GetFocus(), &combo);
    }
    void Drop(CComboBox& combo, Route route) {
        switch (route) {
            case Route::F4:
                TabTo(combo);
                host.PressKey(VK_F4);
                break;
            case Route::AltDown:
                TabTo(combo);
                host.KeyDown(VK_MENU);
                host.PressKey(VK_DOWN);
                host.KeyUp(VK_MENU);
                break;
            case Route::ArrowClick: {
                CRect field;
                combo.GetClientRect(&field);
                host.AdvanceClock(1000);
                host.ClickClient(&combo, CPoint(field.right - 6, field.CenterPoint().y));
                break;
            }
        }
        ASSERT_TRUE(combo.GetDroppedState());
    }
    static CString TextOf(CWnd& combo) {
        CString text;
        combo.GetWindowText(text);
        return text;
    }
    static bool StillUp(CWnd& top, bool modal) {
        return top.IsWindowVisible() && (!modal || top.InModalLoop());
    }

    void ExpectTheListTakesItsKeys(CWnd& top, UINT id, Route route) {
        ExpectTheListTakesItsKeys(top, FindCombo(top, id), route);
    }
    // Escape, Return, then Tab, on the dropped list of the combo in the window top, each after a
    // step of the highlight: Escape keeps the earlier choice, Return takes the row, Tab takes the
    // row it steps back to and moves the focus on.
    void ExpectTheListTakesItsKeys(CWnd& top, CComboBox* combo, Route route) {
        ASSERT_NE(combo, nullptr);
        ASSERT_GE(combo->GetCount(), 2);
        const bool modal = top.InModalLoop();
        const int before = combo->GetCurSel();
        const CString textBefore = TextOf(*combo);
        const bool down = before + 1 < combo->GetCount();
        const struct {
            UINT key, step;
            int chosen;
        } presses[] = {{VK_ESCAPE, down ? VK_DOWN : VK_UP, before},
                       {VK_RETURN, down ? VK_DOWN : VK_UP, before + (down ? 1 : -1)},
                       {VK_TAB, down ? VK_UP : VK_DOWN, before}};
        for (const auto& press : presses) {
            SCOPED_TRACE(press.key);
            const int shown = combo->GetCurSel();
            Drop(*combo, route);
            host.PressKey(press.step);
            ASSERT_NE(combo->GetCurSel(), shown);
            host.PressKey(press.key);
            EXPECT_FALSE(combo->GetDroppedState());
            ASSERT_TRUE(StillUp(top, modal)) << "the key closed the dialog";
            EXPECT_EQ(combo->GetCurSel(), press.chosen);
            CString row;
            combo->GetLBText(press.chosen, row);
            EXPECT_EQ(TextOf(*combo), press.key == VK_ESCAPE ? textBefore : row);
        }
        EXPECT_NE(CWnd::GetFocus(), combo);

        // With the list closed, Escape is the dialog's again.
        if (modal) {
            host.PressKey(VK_ESCAPE);
            EXPECT_FALSE(top.InModalLoop());
        }
    }
    // Opens a dialog with open and tries the list in the one with the caption, once prepare has
    // turned it to the list's page.
    void Try(const DroppedList& list, const std::function<void()>& open, const char* caption = "",
             const std::function<void()>& prepare = {}) {
        SCOPED_TRACE(list.dialog);
        bool tried = false;
        host.WhenModal(caption, [&](CWnd& modal) {
            tried = true;
            if (prepare)
                prepare();
            ExpectTheListTakesItsKeys(modal, list.combo, list.route);
            // Only when a check failed: the next dialog must not open over this one.
            if (modal.InModalLoop())
                modal.EndModalLoop(IDCANCEL);
        });
        open();
        EXPECT_TRUE(tried);
    }
    void Select(const char* className) {
        Layout().m_tool.DeselectAll(0, 0);
        for (CPaint* member : Members())
            if (member->GetClassName() == className) {
                member->SelectWithUndo(0, 0);
                return;
            }
    }
    void TryProperties(const DroppedList& list, const char* className) {
        Select(className);
        Try(list, [this] { Command(ID_EDIT_PROPERTIES); });
    }
};

}  // namespace

// Every kind of dialog the program shows a drop-down list in, and the main window's layer selector.
TEST_F(DroppedListKeys, EscapeReturnAndTabOnAnOpenListCloseOnlyTheList) {
    for (const auto& [list, command] : {
             std::pair<DroppedList, UINT>{{"Preferences", IDC_METRIC_UNITS, Route::F4}, ID_PREFERENCES},
             {{"Document setup", IDC_SETUP_VIEW_SCALE, Route::ArrowClick}, ID_DOCUMENT_SETUP},
             {{"Open", cmb1, Route::F4}, ID_FILE_OPEN},
             {{"Print setup", cmb2, Route::ArrowClick}, ID_FILE_PRINT_SETUP},
         })
        Try(list, [&] { Command(command); });
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;S1;1;1.00;;\r\n"
                                                             "Track;Zeta;HO;C;D;C1;1;2.00;;\r\n";
    Try(
        {"Parts list", IDC_CATALOG_MANUFACTURER, Route::AltDown},
        [&] {
            host.WhenModal("Open", [&](CWnd& open) {
                DialogInput::Retype(host, open.GetDlgItem(edt1), CString((folder / "parts.cvp").c_str()));
                host.PressKey(VK_RETURN);
            });
            Command(ID_PARTS_LIST);
        },
        "Parts List");
    // Ctrl+PgDn turns the wizard to its turnout page.
    Try(
        {"Track wizard", IDC_WIZARD_EDITABLE, Route::AltDown}, [&] { Command(ID_TRACK_WIZARD); }, "",
        [&] {
            host.KeyDown(VK_CONTROL);
            for (int page = 0; page < 5; ++page) host.PressKey(VK_NEXT);
            host.KeyUp(VK_CONTROL);
        });
    Try({"Font", cmb4, Route::ArrowClick},
        [&] { CFontDialog(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, &Main()).DoModal(); });

    {
        // Outside any dialog, the main window's own keys wait too.
        SCOPED_TRACE("Layer selector");
        ExpectTheListTakesItsKeys(Main(), Main().GetLayerCombo(), Route::ArrowClick);
    }
    {
        // The tool parameters stay open beside the plan.
        SCOPED_TRACE("Tool parameters");
        Command(ID_TOOL_PARAMETERS);
        ExpectTheListTakesItsKeys(Main().GetToolParametersDialog(), IDC_LINE_STYLE, Route::ArrowClick);
        Command(ID_TOOL_PARAMETERS);
    }

    BuildEveryClass();
    TryProperties({"Track properties", IDC_TRACK_SCALE, Route::AltDown}, "CTrack");
    TryProperties({"Line properties", IDC_PROPERTIES_SCALE, Route::F4}, "CLine");
    TryProperties({"Group properties", IDC_GROUP_SCALE, Route::ArrowClick}, "CGroup");
    TryProperties({"Picture properties", IDC_PICTURE_SCALE, Route::AltDown}, "CBMP");
    TryProperties({"3D object properties", IDC_3D_SCALE, Route::F4}, "C3D");
    Select("CTrack");
    Try(
        {"More properties", IDC_MORE_RAIL_WIDTH, Route::ArrowClick},
        [&] {
            host.WhenModal("Track properties", [&](CWnd& track) {
                host.ClickClient(track.GetDlgItem(IDC_TRACK_MORE), CPoint(3, 3));
                host.PressKey(VK_ESCAPE);
            });
            Command(ID_EDIT_PROPERTIES);
        },
        "More properties");
}
