#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kListId = 1154;

class CListCtrlTest : public ListControlTest {
  protected:
    void Make(DWORD style = 0) {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | style, CRect(10, 10, 410, 210), &parent,
                                kListId));
        list.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        list.InsertColumn(0, "Manufacturer", LVCFMT_LEFT, 130);
        list.InsertColumn(1, "Scale", LVCFMT_LEFT, 62);
        list.InsertColumn(2, "Price", LVCFMT_RIGHT, 62);
    }
    void AddRows() {
        const char* rows[][3] = {{"Peco", "OO", "4.50"}, {"Hornby", "OO", "12.00"}, {"Atlas", "N", "2.50"}};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, rows[i][0], 0, 0, 0, 100 + i);
            list.SetItemText(i, 1, rows[i][1]);
            list.SetItemText(i, 2, rows[i][2]);
        }
    }
    CPoint RowPoint(int index, int x = 40) {
        CRect row;
        list.GetItemRect(index, &row, LVIR_BOUNDS);
        return CPoint(x, row.CenterPoint().y);
    }
    CListCtrl list;
};

TEST_F(CListCtrlTest, ColumnsCanBeInsertedReadAndDeleted) {
    Make();
    AddRows();
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
    char heading[32] = "";
    LVCOLUMN column{LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, 0, 0, heading, 32, 0};
    ASSERT_TRUE(list.GetColumn(2, &column));
    EXPECT_STREQ(heading, "Price");
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(column.cx, 62);
    EXPECT_FALSE(list.GetColumn(3, &column));
    // A column inserted in the middle moves the cells after it along.
    list.InsertColumn(1, "Quantity", LVCFMT_RIGHT, 50);
    EXPECT_EQ(list.GetItemText(0, 2), "OO");
    list.SetItemText(0, 1, "3");
    EXPECT_EQ(list.GetItemText(0, 1), "3");
    list.DeleteColumn(1);
    EXPECT_EQ(list.GetItemText(0, 1), "OO");
    EXPECT_EQ(list.GetItemText(0, 2), "4.50");
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(0, 2, LVIR_BOUNDS, &cell));
    EXPECT_EQ(cell.left, 192);
    EXPECT_EQ(cell.Width(), 62);
}

TEST_F(CListCtrlTest, ClicksSelectAndNotifyItemChanges) {
    Make();
    AddRows();
    Click(list, RowPoint(1));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 1);
    ASSERT_GE(parent.Count(LVN_ITEMCHANGED), 2);
    const auto changed =
        std::find_if(parent.notes.begin(), parent.notes.end(), [](const NotifyRecorder::Note& note) {
            return note.code == LVN_ITEMCHANGED && (note.newState & LVIS_SELECTED);
        });
    ASSERT_NE(changed, parent.notes.end());
    EXPECT_EQ(changed->item, 1);
    EXPECT_EQ(changed->id, kListId);
    EXPECT_EQ(parent.notes.back().code, NM_CLICK);
    EXPECT_EQ(ColorAt(list, RowPoint(1, 8)), GetSysColor(COLOR_HIGHLIGHT));
    Click(list, RowPoint(2), MK_CONTROL);
    EXPECT_EQ(list.GetSelectedCount(), 2);
    POSITION position = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(list.GetNextSelectedItem(position), 1);
    EXPECT_EQ(list.GetNextSelectedItem(position), 2);
    EXPECT_EQ(position, nullptr);
    Click(list, RowPoint(0), MK_SHIFT);
    EXPECT_EQ(list.GetSelectedCount(), 3);
    parent.notes.clear();
    Press(VK_UP);  // the focus is on row 0 already: Up stays there, and selects only it
    EXPECT_EQ(list.GetSelectedCount(), 1);
    Press(VK_DOWN);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(parent.Count(LVN_KEYDOWN), 2);
    Click(list, CPoint(40, 150));  // below the rows
    EXPECT_EQ(list.GetSelectedCount(), 0);
}

TEST_F(CListCtrlTest, SingleSelectionKeepsOneItem) {
    Make(LVS_SINGLESEL);
    AddRows();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 1);
    Click(list, RowPoint(1), MK_CONTROL);
    EXPECT_EQ(list.GetSelectedCount(), 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    // A refusing owner keeps the state.
    parent.onNotify = [](NMHDR* header, LRESULT* result) {
        if (header->code == LVN_ITEMCHANGING)
            *result = TRUE;
    };
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
}

TEST_F(CListCtrlTest, HeaderClicksSortingAndFinding) {
    Make();
    AddRows();
    CRect header;
    list.GetHeaderCtrl()->GetItemRect(1, &header);
    Click(*list.GetHeaderCtrl(), header.CenterPoint());
    ASSERT_EQ(parent.notes.back().code, LVN_COLUMNCLICK);
    EXPECT_EQ(parent.notes.back().subItem, 1);
    EXPECT_EQ(parent.notes.back().item, -1);
    EXPECT_EQ(parent.notes.back().id, kListId);
    struct Sort {
        static int ByData(LPARAM a, LPARAM b, LPARAM descending) {
            return descending ? int(b - a) : int(a - b);
        }
    };
    list.SortItems(&Sort::ByData, 1);
    EXPECT_EQ(list.GetItemText(0, 0), "Atlas");
    EXPECT_EQ(list.GetItemData(0), 102u);
    EXPECT_EQ(list.GetItemText(0, 2), "2.50");
    LVFINDINFO find{LVFI_PARAM, nullptr, 100};
    EXPECT_EQ(list.FindItem(&find), 2);
    find = {LVFI_STRING | LVFI_PARTIAL, "hor", 0};
    EXPECT_EQ(list.FindItem(&find), 1);
    find = {LVFI_STRING, "hor", 0};
    EXPECT_EQ(list.FindItem(&find), -1);
    // Dragging the divider resizes the column.
    list.GetHeaderCtrl()->GetItemRect(0, &header);
    Drag(*list.GetHeaderCtrl(), CPoint(header.right, 5), CPoint(header.right + 40, 5));
    EXPECT_EQ(list.GetColumnWidth(0), 170);
}

TEST_F(CListCtrlTest, TextCallbacksAndRedrawFreeze) {
    Make(LVS_OWNERDRAWFIXED);
    parent.onNotify = [](NMHDR* header, LRESULT*) {
        if (header->code != LVN_GETDISPINFO)
            return;
        auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
        static CString answer;
        answer.Format("Layer %d", static_cast<int>(info->item.lParam));
        info->item.pszText = const_cast<char*>(answer.c_str());
    };
    for (int i = 0; i < 8; ++i) list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, LPSTR_TEXTCALLBACK, 0, 0, 0, i);
    EXPECT_EQ(list.GetItemText(3, 0), "Layer 3");
    char buffer[4] = "";
    EXPECT_EQ(list.GetItemText(5, 0, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Lay");
    manager.RunUntilIdle();
    list.SetRedraw(FALSE);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list.DeleteItem(7);
    EXPECT_TRUE(list.UpdateRegion().IsEmpty());
    list.SetRedraw(TRUE);
    EXPECT_FALSE(list.UpdateRegion().IsEmpty());
}

// Rows drawn by the control's own class, as the program's report lists are.
class StripedList : public CListCtrl {
  public:
    std::vector<DRAWITEMSTRUCT> drawn;
    void DrawItem(DRAWITEMSTRUCT* item) override {
        drawn.push_back(*item);
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        item->hDC->FillSolidRect(&item->rcItem, selected ? RGB(0, 0, 255) : RGB(255, 255, 0));
    }
};

TEST_F(CListCtrlTest, OwnerDrawnRowsAreDrawnByTheControlClass) {
    StripedList striped;
    ASSERT_TRUE(striped.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED,
                               CRect(10, 220, 410, 400), &parent, 478));
    striped.InsertColumn(0, "Layer Name", LVCFMT_LEFT, 150);
    striped.InsertColumn(1, "Active", LVCFMT_LEFT, 60);
    for (int i = 0; i < 3; ++i) striped.InsertItem(i, "row");
    striped.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    manager.RunUntilIdle();
    ASSERT_GE(striped.drawn.size(), 3u);
    EXPECT_EQ(striped.drawn[0].CtlType, ODT_LISTVIEW);
    EXPECT_EQ(striped.drawn[0].CtlID, 478u);
    CRect row;
    striped.GetItemRect(1, &row, LVIR_BOUNDS);
    EXPECT_EQ(ColorAt(striped, row.CenterPoint()), RGB(0, 0, 255));
    striped.GetItemRect(2, &row, LVIR_BOUNDS);
    EXPECT_EQ(ColorAt(striped, row.CenterPoint()), RGB(255, 255, 0));
    EXPECT_EQ(striped.RowHeight(), row.Height());
}

TEST_F(CListCtrlTest, DraggingAnItemBeginsADragAndScrollingFollowsTheRows) {
    Make();
    for (int i = 0; i < 30; ++i) list.InsertItem(i, "part");
    EXPECT_NE(list.GetStyle() & WS_VSCROLL, 0u);
    Drag(list, RowPoint(2), RowPoint(5));
    EXPECT_EQ(parent.Count(LVN_BEGINDRAG), 1);
    EXPECT_EQ(parent.Count(NM_CLICK), 0);
    list.EnsureVisible(29, FALSE);
    EXPECT_EQ(list.GetTopIndex() + list.GetCountPerPage(), 30);
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(RowPoint(29), &flags), 29);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    list.DeleteItem(29);
    EXPECT_EQ(parent.notes.back().code, LVN_DELETEITEM);
    EXPECT_EQ(parent.notes.back().item, 29);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(parent.Count(LVN_DELETEALLITEMS), 1);
    EXPECT_EQ(parent.Count(LVN_DELETEITEM), 30);
}
}  // namespace
