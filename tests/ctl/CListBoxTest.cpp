#include "platform/ctl/CListBox.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kListId = 301;

class CListBoxTest : public ListControlTest {
  protected:
    void Make(DWORD style) {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | style,
                                CRect(10, 10, 160, 110), &parent, kListId));
    }
    CPoint ItemPoint(int index) {
        CRect rect;
        list.GetItemRect(index, &rect);
        return rect.CenterPoint();
    }
    CListBox list;
};

TEST_F(CListBoxTest, SortedItemsFindSelectAndData) {
    Make(LBS_SORT);
    for (const char* name : {"Scenery", "track", "Rolling stock", "Electrical", "Structures"})
        list.AddString(name);
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, "Electrical");
    list.GetText(4, text);
    EXPECT_EQ(text, "track");
    EXPECT_EQ(list.FindString(-1, "s"), 2);
    EXPECT_EQ(list.FindString(2, "s"), 3);
    EXPECT_EQ(list.FindString(3, "s"), 2);  // wraps round
    EXPECT_EQ(list.FindStringExact(-1, "TRACK"), 4);
    EXPECT_EQ(list.FindStringExact(-1, "trac"), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "roll"), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    list.SetItemData(1, 77);
    EXPECT_EQ(list.GetItemData(1), 77u);
    EXPECT_EQ(list.SetCurSel(9), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.DeleteString(0), 4);
    EXPECT_EQ(list.GetItemData(0), 77u);
}

TEST_F(CListBoxTest, ClicksKeysAndDoubleClicksNotifyTheParent) {
    Make(0);
    for (const char* name : {"One", "Two", "Three"}) list.AddString(name);
    Click(list, ItemPoint(1));
    EXPECT_EQ(list.GetCurSel(), 1);
    ASSERT_EQ(parent.Count(LBN_SELCHANGE), 1);
    EXPECT_EQ(parent.notes.back().id, kListId);
    Click(list, ItemPoint(1));
    EXPECT_EQ(parent.Count(LBN_SELCHANGE), 1);  // no change, no notification
    Press(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 2);
    Type('o');
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(parent.Count(LBN_SELCHANGE), 3);
    DoubleClick(list, ItemPoint(2));
    EXPECT_EQ(parent.Count(LBN_DBLCLK), 1);
    EXPECT_EQ(ColorAt(list, ItemPoint(2)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorAt(list, ItemPoint(1)), GetSysColor(COLOR_WINDOW));
}

TEST_F(CListBoxTest, ExtendedSelectionWithControlAndShift) {
    Make(LBS_EXTENDEDSEL);
    for (int i = 0; i < 6; ++i) list.AddString(CString("Item ") + CString(static_cast<char>('A' + i)));
    Click(list, ItemPoint(1));
    Click(list, ItemPoint(3), MK_CONTROL);
    EXPECT_EQ(list.GetSelCount(), 2);
    // The range runs from the last item clicked with Ctrl.
    Click(list, ItemPoint(5), MK_SHIFT);
    int selected[6] = {};
    ASSERT_EQ(list.GetSelItems(6, selected), 3);
    EXPECT_EQ(selected[0], 3);
    EXPECT_EQ(selected[2], 5);
    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);
}

TEST_F(CListBoxTest, ScrollBarShowsWhenItemsDoNotFit) {
    Make(0);
    list.AddString("only");
    EXPECT_EQ(list.GetStyle() & WS_VSCROLL, 0u);
    for (int i = 0; i < 20; ++i) list.AddString("more");
    EXPECT_NE(list.GetStyle() & WS_VSCROLL, 0u);
    list.SetCurSel(20);
    EXPECT_GT(list.GetTopIndex(), 0);
    SCROLLINFO info{};
    list.GetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(info.nPos, list.GetTopIndex());
    EXPECT_EQ(info.nMax, 20);
}

// An owner-drawn list without strings: each item is its data, drawn by the owner.
class SwatchList : public CListBox {
  public:
    std::vector<UINT> drawn;
    void DrawItem(DRAWITEMSTRUCT* item) override {
        drawn.push_back(item->itemID);
        item->hDC->FillSolidRect(&item->rcItem, static_cast<COLORREF>(item->itemData));
    }
    void MeasureItem(MEASUREITEMSTRUCT* item) override { item->itemHeight = 24; }
};

TEST_F(CListBoxTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirOwner) {
    SwatchList swatches;
    ASSERT_TRUE(
        swatches.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED, CRect(200, 10, 300, 110), &parent, 302));
    swatches.AddString(reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(RGB(255, 0, 0))));
    swatches.AddString(reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(RGB(0, 128, 0))));
    EXPECT_EQ(swatches.GetItemHeight(0), 24);
    EXPECT_EQ(swatches.GetItemData(1), RGB(0, 128, 0));
    EXPECT_EQ(ColorAt(swatches, CPoint(50, 30)), RGB(0, 128, 0));
    EXPECT_EQ(swatches.drawn.size(), 2u);
}
}  // namespace
