#pragma once

#include <functional>

#include "model/CGroup.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/DialogInput.h"
#include "track/CParTrack.h"
#include "wizard/CSheetWizard.h"

// The wizard's pages, in the order of its sheet.
constexpr int kStraightPage = 0;
constexpr int kCurvedPage = 1;
constexpr int kCrossoverPage = 2;
constexpr int kCrossingPage = 3;
constexpr int kSlipSwitchPage = 4;
constexpr int kTurnoutPage = 5;
constexpr int k3WayPage = 6;
constexpr int kCurvedTurnoutPage = 7;
constexpr int kTurntablePage = 8;
constexpr int kHelixPage = 9;
constexpr int kSpiralPage = 10;

// An end of a piece on the plan.
inline CDoublePoint WorldEnd(CParTrack* piece, int end) {
    const CDoublePoint local = piece->GetEndPoint(end);
    return piece->LocalToWorld(local.x, local.y);
}

// A piece group of the wizard, with its members.
inline CGroup& Members(CPaint* piece) {
    return *static_cast<CGroup*>(piece);
}

// The program with a new layout in its plan window; "Track Wizard..." comes from the main
// window's menu and its sheet is driven through its controls.
class WizardInProgram : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
        // Millimetres show every length the tests type exactly.
        layout->m_nUnitIndex = kMillimetres;
    }

    // Runs the wizard; the action must end it with Place or Close.
    void RunWizard(const std::function<void(CSheetWizard&)>& action) {
        bool shown = false;
        host.WhenModal("Track wizard", [&](CWnd& modal) {
            shown = true;
            action(static_cast<CSheetWizard&>(modal));
        });
        Main().SendMessage(WM_COMMAND, ID_TRACK_WIZARD);
        EXPECT_TRUE(shown);
    }
    template <class Page>
    Page& Show(CSheetWizard& sheet, int index) {
        EXPECT_TRUE(sheet.SetActivePage(index));
        auto* page = dynamic_cast<Page*>(sheet.GetActivePage());
        EXPECT_NE(page, nullptr);
        return *page;
    }
    // Types into a field and leaves it with Tab, as a person would.
    void Enter(CWnd& page, UINT id, const CString& text) {
        CWnd* field = page.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(field, nullptr);
        // Apart in time, so that two entries into one field are no double click.
        host.AdvanceClock(kClickPause);
        DialogInput::Retype(host, field, text);
        host.PressKey(VK_TAB);
    }
    // Types into a field without leaving it.
    void Type(CWnd& page, UINT id, const CString& text) {
        CWnd* field = page.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(field, nullptr);
        field->SetWindowText(text);
    }
    // Types into a page's field and presses Place, answering OK to a box; answers how many
    // boxes came up. A refusal leaves the wizard open, and Close ends it.
    size_t BoxesOnPlace(int index, UINT id, const CString& text) {
        const size_t before = host.MessageBoxes().size();
        RunWizard([&](CSheetWizard& sheet) {
            Type(Show<CWnd>(sheet, index), id, text);
            host.AnswerMessageBox(IDOK);
            sheet.PressButton(PSBTN_OK);
            if (sheet.InModalLoop())
                sheet.PressButton(PSBTN_CANCEL);
        });
        return host.MessageBoxes().size() - before;
    }
    CString TextOf(CWnd& page, UINT id) {
        CString text;
        if (CWnd* field = page.GetDlgItem(static_cast<int>(id)))
            field->GetWindowText(text);
        return text;
    }
    void Click(CWnd& page, UINT id) {
        CWnd* control = page.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(control, nullptr);
        host.AdvanceClock(kClickPause);
        host.ClickClient(control, CPoint(3, 3));
    }
    // Picks an entry of the "Editable fields" choice as the drop-down list reports it.
    void ChooseEditable(CWnd& page, int entry) {
        auto* choice = dynamic_cast<CComboBox*>(page.GetDlgItem(IDC_EDITABLE));
        ASSERT_NE(choice, nullptr);
        choice->SetCurSel(entry);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDITABLE, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(choice));
    }
    CString Length(double value) const {
        CString text;
        layout->FormatLength(text, value);
        return text;
    }
    // The client point of the plan window over a layout point.
    CPoint ClientAt(const CDoublePoint& point) {
        CClientDC dc(View());
        View()->OnPrepareDC(&dc);
        CPoint client = layout->m_tool.LayoutToDevice(point.x, point.y, 0);
        dc.LPtoDP(&client);
        return client;
    }
    // The layout's newest object, where Place puts a piece.
    CPaint* Newest() {
        return layout->m_rootGroup.m_members.empty() ? nullptr : layout->m_rootGroup.m_members.front();
    }

    static constexpr int kMillimetres = 8;
    static constexpr UINT IDC_EDITABLE = 1407;
    static constexpr DWORD kClickPause = 1000;
    CCVNDoc* layout = nullptr;
};

#define EXPECT_POINT_NEAR(point, px, py, tolerance) \
    do {                                            \
        EXPECT_NEAR((point).x, px, tolerance);      \
        EXPECT_NEAR((point).y, py, tolerance);      \
    } while (0)
