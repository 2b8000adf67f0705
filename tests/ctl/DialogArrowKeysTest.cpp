#include <gtest/gtest.h>

#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CTreeCtrl.h"
#include "platform/ctl/DialogTemplate.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr UINT IDC_LIST = 4001;
constexpr UINT IDC_COMBO = 4002;
constexpr UINT IDC_REPORT = 4003;
constexpr UINT IDC_TREE = 4004;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;

// A dialog whose template holds only buttons; its lists are made by code afterwards, in one
// group with the buttons, so a dialog that took the arrows would move the focus between them.
class DialogArrowKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        const DialogTemplate buttons(
            0, "Lists", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 300, 200),
            {{IDOK, WC_BUTTON, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
              CRect(240, 10, 290, 24)},
             {IDCANCEL, WC_BUTTON, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(240, 30, 290, 44)}});
        ASSERT_TRUE(dialog.CreateIndirect(buttons));
        ASSERT_TRUE(list.Create(kChild | LBS_NOTIFY, CRect(10, 10, 110, 90), &dialog, IDC_LIST));
        ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST, CRect(120, 10, 220, 110), &dialog, IDC_COMBO));
        ASSERT_TRUE(report.Create(kChild | LVS_REPORT, CRect(10, 100, 110, 190), &dialog, IDC_REPORT));
        ASSERT_TRUE(tree.Create(kChild, CRect(120, 100, 220, 190), &dialog, IDC_TREE));
        for (const char* name : {"Track", "Scenery", "Trains"}) {
            list.AddString(name);
            combo.AddString(name);
        }
        report.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
        for (int i = 0; i < 3; ++i) report.InsertItem(i, "Row");
        first = tree.InsertItem("First");
        second = tree.InsertItem("Second");
        list.SetCurSel(0);
        combo.SetCurSel(0);
        report.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        tree.SelectItem(first);
        host.RunUntilIdle();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        WindowManager::Instance().Reset();
    }
    // Gives the control the focus and presses the down arrow; answers who has the focus after.
    CWnd* PressDownIn(CWnd& control) {
        dialog.GotoDlgCtrl(&control);
        host.PressKey(VK_DOWN);
        return CWnd::GetFocus();
    }

    HeadlessHost host;
    CDialog dialog;
    CListBox list;
    CComboBox combo;
    CListCtrl report;
    CTreeCtrl tree;
    HTREEITEM first = nullptr;
    HTREEITEM second = nullptr;
};
}  // namespace

TEST_F(DialogArrowKeysTest, ListsMadeByCodeKeepTheArrowKeys) {
    for (CWnd* control : {static_cast<CWnd*>(&list), static_cast<CWnd*>(&combo), static_cast<CWnd*>(&report),
                          static_cast<CWnd*>(&tree)})
        EXPECT_EQ(control->SendMessage(WM_GETDLGCODE) & DLGC_WANTARROWS, DLGC_WANTARROWS);

    EXPECT_EQ(PressDownIn(list), &list);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(PressDownIn(combo), &combo);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(PressDownIn(report), &report);
    EXPECT_EQ(report.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(PressDownIn(tree), &tree);
    EXPECT_EQ(tree.GetSelectedItem(), second);
}

TEST_F(DialogArrowKeysTest, ButtonsStillLeaveTheArrowsToTheDialog) {
    CWnd* ok = dialog.GetDlgItem(IDOK);
    EXPECT_EQ(ok->SendMessage(WM_GETDLGCODE) & DLGC_WANTARROWS, 0u);
    EXPECT_EQ(PressDownIn(*ok), dialog.GetDlgItem(IDCANCEL));
}
