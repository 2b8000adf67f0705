#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CTreeCtrl.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"
#include "tests/support/TestPictures.h"

namespace {
// All four list-type controls in one window, as a dialog shows them. The picture is written
// when pictures are asked for, for a look by eye.
TEST_F(ListControlTest, GalleryOfListControlsDrawsTheClassicLook) {
    parent.SetWindowText("Create Materials Report");
    CWnd face;  // a dialog's grey face
    CRect client;
    parent.GetClientRect(&client);
    ASSERT_TRUE(face.Create(AfxRegisterWndClass(CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_BTNFACE)), "",
                            WS_CHILD | WS_VISIBLE, client, &parent, 1));
    CListBox box;
    CComboBox combo;
    CListCtrl report;
    CTreeCtrl tree;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(10, 10, 180, 120),
                             &face, 1148));
    ASSERT_TRUE(
        box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, CRect(10, 40, 180, 160), &face, 1150));
    box.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    ASSERT_TRUE(tree.Create(
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        CRect(10, 170, 180, 400), &face, 1169));
    tree.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    ASSERT_TRUE(report.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                              CRect(190, 10, 620, 400), &face, 1154));
    report.ModifyStyleEx(0, WS_EX_CLIENTEDGE);

    for (const char* name : {"Peco", "Hornby", "Atlas", "All"}) combo.AddString(name);
    combo.SelectString(-1, "All");
    for (const char* name : {"Track", "Scenery", "Structures", "Rolling stock", "Electrical", "Miscellaneous",
                             "All", "Signals", "Roads", "Water"})
        box.AddString(name);
    box.SetCurSel(2);
    HTREEITEM key = TVI_ROOT;
    for (const char* name : {"Manufacturer", "Scale", "Type", "Name", "Part No.", "Price", "Note"}) {
        key = tree.InsertItem(name, key);
        tree.Expand(tree.GetParentItem(key), TVE_EXPAND);
    }
    tree.SetIndent(15);
    tree.InsertItem("Groups", TVI_ROOT);
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));
    const char* columns[] = {"Manufacturer", "Scale", "Type", "Name", "Part No.", "Price", "Note"};
    const int widths[] = {85, 50, 74, 85, 55, 60, 60};
    for (int i = 0; i < 7; ++i)
        report.InsertColumn(i, columns[i], i == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[i]);
    const char* rows[][6] = {
        {"Peco", "OO", "Track", "Setrack straight", "ST-201", "4.50"},
        {"Hornby", "OO", "Rolling stock", "Class 08 shunter", "R3064", "89.99"},
        {"Atlas", "N", "Structures", "Signal tower with a very long name", "2850", "12.00"}};
    for (int row = 0; row < 24; ++row) {
        const int index = report.InsertItem(row, rows[row % 3][0]);
        for (int column = 1; column < 6; ++column) report.SetItemText(index, column, rows[row % 3][column]);
    }
    report.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    report.SetFocus();
    manager.RunUntilIdle();

    // Grey face around white wells with sunken edges; the selected row in the selection colour.
    EXPECT_EQ(ColorAt(face, CPoint(185, 5)), GetSysColor(COLOR_BTNFACE));
    CRect row;
    report.GetItemRect(1, &row, LVIR_LABEL);
    EXPECT_EQ(ColorAt(report, CPoint(row.left + 1, row.top + 1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorAt(report, CPoint(5, 3)), GetSysColor(COLOR_BTNFACE));  // the header
    EXPECT_NE(report.GetStyle() & WS_VSCROLL, 0u);
    EXPECT_NE(report.GetStyle() & WS_HSCROLL, 0u);
    if (const CString path = TestPicturePath("ctl-list-controls.png"); !path.IsEmpty()) {
        combo.ShowDropDown(TRUE);
        manager.RunUntilIdle();
        EXPECT_TRUE(parent.Surface()->WritePng(path));
        EXPECT_TRUE(combo.DropList().Surface()->WritePng(path + ".drop.png"));
    }
}
}  // namespace
