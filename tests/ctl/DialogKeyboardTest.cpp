#include <gtest/gtest.h>

#include "platform/ctl/CDialog.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowManager.h"
#include "tests/ctl/GalleryDialog.h"

using namespace gallery;

namespace {
constexpr UINT IDC_COPIES = 5001;
constexpr UINT IDC_COPIES_SPIN = 5002;
constexpr UINT IDC_PAGES = 5003;
constexpr UINT IDC_PAGES_SPIN = 5004;
constexpr DWORD kSpin = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY;

class DialogKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override { WindowManager::Instance().Reset(); }

    void Chord(UINT modifier, UINT key) {
        host.KeyDown(modifier);
        host.PressKey(key);
        host.KeyUp(modifier);
    }
    void Alt(UINT key) { Chord(VK_MENU, key); }
    int FocusId() { return CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : -1; }
    CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        dialog.GetDlgItem(static_cast<int>(id))->GetWindowText(text);
        return text;
    }

    HeadlessHost host;
};

// Two numbers with spins: the copies spin takes the edit's arrow keys, the pages spin does not.
const DialogTemplate& SpinTemplate() {
    static const DialogTemplate dialog{
        0,
        "Spins",
        WS_POPUP | WS_CAPTION | WS_VISIBLE,
        CRect(0, 0, 160, 60),
        {
            {0, WC_STATIC, "&Copies:", WS_CHILD | WS_VISIBLE, CRect(7, 9, 50, 17)},
            {IDC_COPIES, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER,
             CRect(55, 7, 100, 19)},
            {IDC_COPIES_SPIN, UPDOWN_CLASS, "", kSpin | UDS_ARROWKEYS, CRect(90, 7, 100, 19)},
            {0, WC_STATIC, "&Pages:", WS_CHILD | WS_VISIBLE, CRect(7, 29, 50, 37)},
            {IDC_PAGES, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER,
             CRect(55, 27, 100, 39)},
            {IDC_PAGES_SPIN, UPDOWN_CLASS, "", kSpin, CRect(90, 27, 100, 39)},
        }};
    return dialog;
}
}  // namespace

TEST_F(DialogKeyboardTest, AltAndALetterGoesToTheLabelledControlOrPressesTheButton) {
    GalleryDialog dialog;
    host.WhenModal("Control Gallery", [&](CWnd&) {
        ASSERT_EQ(FocusId(), static_cast<int>(IDC_NAME));
        // A label's letter moves to the control after it, its text selected as Tab would.
        Alt('R');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_RADIUS));
        EXPECT_EQ(dialog.SendDlgItemMessage(IDC_RADIUS, EM_GETSEL), MAKELONG(0, 3));
        Alt('G');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GRADE));
        Alt('K');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_KIND));

        // A check box's own letter toggles it; a radio button's checks it.
        dialog.log.clear();
        Alt('B');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_BALLAST));
        EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_BALLAST), 0U);
        EXPECT_EQ(dialog.log, std::vector<CString>{"clicked ballast"});
        Alt('S');
        EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_SLEEPERS), 1U);
        Alt('Z');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_Z));
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_GAUGE_H0, IDC_GAUGE_Z), static_cast<int>(IDC_GAUGE_Z));
        Alt('0');
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_GAUGE_H0, IDC_GAUGE_Z), static_cast<int>(IDC_GAUGE_H0));

        // A push button is pressed where the focus is.
        dialog.log.clear();
        Alt('A');
        Alt('M');
        EXPECT_EQ(dialog.log, (std::vector<CString>{"clicked apply", "clicked repeat"}));
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_H0));

        // "&Name:" and "&N gauge" share their letter: each press only moves to the next one.
        Alt('N');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_N));
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_GAUGE_H0, IDC_GAUGE_Z), static_cast<int>(IDC_GAUGE_H0));
        Alt('N');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_NAME));
        Alt('N');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_N));

        // The desktop host also reports an Alt chord's letter as typed text: it is not typed,
        // while a character typed with AltGr (also Alt here) is.
        host.KeyDown(VK_MENU);
        host.KeyDown('R');
        host.Type("r");
        host.KeyUp('R');
        host.Type("@");
        host.KeyUp(VK_MENU);
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_RADIUS));
        EXPECT_EQ(TextOf(dialog, IDC_RADIUS), "@");

        // A label whose control is disabled, and a letter nobody has, leave the focus alone.
        dialog.GetDlgItem(IDC_GRADE)->EnableWindow(FALSE);
        Alt('N');
        Alt('G');
        Alt('Q');
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_N));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(DialogKeyboardTest, UpAndDownInASpinsBuddyStepItWhenTheSpinTakesTheArrowKeys) {
    CDialog dialog(SpinTemplate());
    ASSERT_TRUE(dialog.CreateIndirect(SpinTemplate()));
    auto* copies = static_cast<CSpinButtonCtrl*>(dialog.GetDlgItem(IDC_COPIES_SPIN));
    auto* pages = static_cast<CSpinButtonCtrl*>(dialog.GetDlgItem(IDC_PAGES_SPIN));
    copies->SetRange(1, 5);
    copies->SetPos(1);
    pages->SetRange(1, 5);
    pages->SetPos(1);
    host.RunUntilIdle();

    dialog.GotoDlgCtrl(dialog.GetDlgItem(IDC_COPIES));
    host.PressKey(VK_UP);
    EXPECT_EQ(TextOf(dialog, IDC_COPIES), "2");
    // A held key repeats its key-down, each one a step, up to the end of the range.
    host.KeyDown(VK_UP);
    host.KeyDown(VK_UP);
    host.KeyDown(VK_UP);
    host.KeyDown(VK_UP);
    host.KeyUp(VK_UP);
    EXPECT_EQ(TextOf(dialog, IDC_COPIES), "5");
    EXPECT_EQ(copies->GetPos(), 5);
    host.PressKey(VK_DOWN);
    host.PressKey(VK_DOWN);
    EXPECT_EQ(TextOf(dialog, IDC_COPIES), "3");
    // What was typed is where the step starts.
    dialog.SetDlgItemText(IDC_COPIES, "1");
    host.PressKey(VK_UP);
    EXPECT_EQ(TextOf(dialog, IDC_COPIES), "2");
    EXPECT_EQ(FocusId(), static_cast<int>(IDC_COPIES));

    dialog.GotoDlgCtrl(dialog.GetDlgItem(IDC_PAGES));
    host.PressKey(VK_UP);
    EXPECT_EQ(TextOf(dialog, IDC_PAGES), "1");
    EXPECT_EQ(FocusId(), static_cast<int>(IDC_PAGES));
    dialog.DestroyWindow();
}

// F1 in a dialog made straight from its template asks for that template's help; a child dialog
// made so (a page) asks for none of its own and leaves F1 to the dialog it sits in.
TEST_F(DialogKeyboardTest, AModelessDialogMadeFromItsTemplateHasThatTemplatesHelp) {
    constexpr UINT kModelessId = 7101;
    constexpr UINT kPageId = 7102;
    const DialogTemplate modelessTemplate(kModelessId, "Modeless", WS_POPUP | WS_CAPTION,
                                          CRect(0, 0, 120, 60), {});
    const DialogTemplate pageTemplate(kPageId, "", WS_CHILD, CRect(0, 0, 100, 40), {});
    CDialog modeless;
    ASSERT_TRUE(modeless.CreateIndirect(modelessTemplate));
    EXPECT_EQ(modeless.HelpContextId(), kModelessId);
    EXPECT_EQ(modeless.HelpContext(), HID_BASE_RESOURCE + kModelessId);
    CDialog page;
    ASSERT_TRUE(page.CreateIndirect(pageTemplate, &modeless));
    EXPECT_EQ(page.HelpContextId(), 0U);
}
