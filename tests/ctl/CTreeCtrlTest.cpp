#include <memory>

#include "platform/ctl/CTreeCtrl.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kTreeId = 1169;

class CTreeCtrlTest : public ListControlTest {
  protected:
    void Make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS) {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | style, CRect(10, 10, 250, 250), &parent,
                                kTreeId));
    }
    // The sort-order chain: each key under the one before, every item expanded.
    std::vector<HTREEITEM> MakeChain() {
        std::vector<HTREEITEM> items;
        HTREEITEM parentItem = TVI_ROOT;
        for (const char* key : {"Manufacturer", "Scale", "Type", "Name", "Part No.", "Price", "Note"}) {
            parentItem = tree.InsertItem(key, parentItem);
            items.push_back(parentItem);
        }
        for (HTREEITEM item : items) tree.Expand(item, TVE_EXPAND);
        return items;
    }
    CPoint LabelPoint(HTREEITEM item) {
        CRect label;
        tree.GetItemRect(item, &label, TRUE);
        return label.CenterPoint();
    }
    // A point of the label's background, clear of its text.
    CPoint LabelCorner(HTREEITEM item) {
        CRect label;
        tree.GetItemRect(item, &label, TRUE);
        return CPoint(label.left + 1, label.top + 1);
    }
    CTreeCtrl tree;
};

TEST_F(CTreeCtrlTest, InsertNavigateAndIndent) {
    Make();
    HTREEITEM track = tree.InsertItem("Track");
    HTREEITEM scenery = tree.InsertItem("Scenery");
    HTREEITEM first = tree.InsertItem("Benchwork", TVI_ROOT, TVI_FIRST);
    HTREEITEM between = tree.InsertItem("Signals", TVI_ROOT, track);
    HTREEITEM sorted = tree.InsertItem("Roads", TVI_ROOT, TVI_SORT);
    HTREEITEM child = tree.InsertItem("Points", track);
    tree.SetItemData(child, 42);
    EXPECT_EQ(tree.GetRootItem(), first);
    std::vector<CString> order;
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
        order.push_back(tree.GetItemText(item));
    EXPECT_EQ(order, (std::vector<CString>{"Benchwork", "Roads", "Track", "Signals", "Scenery"}));
    EXPECT_EQ(tree.GetPrevSiblingItem(between), track);
    EXPECT_EQ(tree.GetNextItem(sorted, TVGN_PREVIOUS), first);
    EXPECT_EQ(tree.GetParentItem(child), track);
    EXPECT_EQ(tree.GetParentItem(track), nullptr);
    EXPECT_EQ(tree.GetChildItem(track), child);
    EXPECT_EQ(tree.GetItemData(child), 42u);
    EXPECT_TRUE(tree.ItemHasChildren(track));
    EXPECT_FALSE(tree.ItemHasChildren(scenery));
    EXPECT_EQ(tree.GetCount(), 6u);
    // A collapsed parent hides its child from the visible order.
    EXPECT_EQ(tree.GetNextVisibleItem(track), between);
    tree.Expand(track, TVE_EXPAND);
    EXPECT_EQ(tree.GetNextVisibleItem(track), child);
    EXPECT_EQ(tree.GetPrevVisibleItem(child), track);
    tree.SetIndent(15);
    CRect parentLabel, childLabel;
    tree.GetItemRect(track, &parentLabel, TRUE);
    tree.GetItemRect(child, &childLabel, TRUE);
    EXPECT_EQ(childLabel.left - parentLabel.left, 15);
    EXPECT_EQ(childLabel.top - parentLabel.top, tree.RowHeight());
    EXPECT_EQ(parent.Count(TVN_ITEMEXPANDING), 0);  // the program's own expansion is not reported
    tree.DeleteItem(track);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(parent.Count(TVN_DELETEITEM), 2);
}

TEST_F(CTreeCtrlTest, ClicksAndKeysSelectAndExpand) {
    Make();
    HTREEITEM track = tree.InsertItem("Track");
    HTREEITEM points = tree.InsertItem("Points", track);
    HTREEITEM scenery = tree.InsertItem("Scenery");
    Click(tree, LabelPoint(scenery));
    EXPECT_EQ(tree.GetSelectedItem(), scenery);
    const auto changed =
        std::find_if(parent.notes.begin(), parent.notes.end(),
                     [](const NotifyRecorder::Note& note) { return note.code == TVN_SELCHANGED; });
    ASSERT_NE(changed, parent.notes.end());
    EXPECT_EQ(changed->treeItem, scenery);
    EXPECT_EQ(changed->action, TVC_BYMOUSE);
    EXPECT_EQ(changed->id, kTreeId);
    EXPECT_EQ(ColorAt(tree, LabelCorner(scenery)), GetSysColor(COLOR_HIGHLIGHT));
    // The button left of "Track" opens it.
    CRect label;
    tree.GetItemRect(track, &label, TRUE);
    UINT flags = 0;
    const CPoint button(label.left - static_cast<int>(tree.GetIndent()) / 2 - 2, label.CenterPoint().y);
    EXPECT_EQ(tree.HitTest(button, &flags), track);
    EXPECT_EQ(flags, TVHT_ONITEMBUTTON);
    Click(tree, button);
    EXPECT_NE(tree.GetItemState(track, TVIS_EXPANDED), 0u);
    EXPECT_EQ(parent.Count(TVN_ITEMEXPANDING), 1);
    EXPECT_EQ(parent.Count(TVN_ITEMEXPANDED), 1);
    Press(VK_UP);
    EXPECT_EQ(tree.GetSelectedItem(), points);
    EXPECT_EQ(parent.notes.back().action, TVC_BYKEYBOARD);
    Press(VK_LEFT);
    EXPECT_EQ(tree.GetSelectedItem(), track);
    Press(VK_LEFT);
    EXPECT_EQ(tree.GetItemState(track, TVIS_EXPANDED), 0u);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    EXPECT_EQ(tree.GetSelectedItem(), points);
    // Double click on an item toggles it unless the owner handles the double click.
    DoubleClick(tree, LabelPoint(track));
    EXPECT_EQ(tree.GetItemState(track, TVIS_EXPANDED), 0u);
    EXPECT_EQ(parent.Count(NM_DBLCLK), 1);
    parent.onNotify = [](NMHDR* header, LRESULT* result) {
        if (header->code == NM_DBLCLK)
            *result = 1;
    };
    DoubleClick(tree, LabelPoint(track));
    EXPECT_EQ(tree.GetItemState(track, TVIS_EXPANDED), 0u);
    // A refused change keeps the caret.
    parent.onNotify = [](NMHDR* header, LRESULT* result) {
        if (header->code == TVN_SELCHANGING)
            *result = 1;
    };
    EXPECT_FALSE(tree.SelectItem(scenery));
    EXPECT_EQ(tree.GetSelectedItem(), track);
}

TEST_F(CTreeCtrlTest, HitTestsDropTargetAndDragging) {
    Make();
    const std::vector<HTREEITEM> chain = MakeChain();
    tree.SetIndent(15);
    CRect label;
    tree.GetItemRect(chain[3], &label, TRUE);
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(label.left + 2, label.CenterPoint().y), &flags), chain[3]);
    EXPECT_EQ(flags, TVHT_ONITEMLABEL);
    EXPECT_EQ(tree.HitTest(CPoint(label.right + 20, label.CenterPoint().y), &flags), chain[3]);
    EXPECT_EQ(flags, TVHT_ONITEMRIGHT);
    EXPECT_EQ(tree.HitTest(CPoint(5, label.CenterPoint().y), &flags), chain[3]);
    EXPECT_EQ(flags, TVHT_ONITEMINDENT);
    EXPECT_EQ(tree.HitTest(CPoint(5, 200), &flags), nullptr);
    EXPECT_EQ(flags, TVHT_NOWHERE);

    parent.notes.clear();
    Drag(tree, LabelPoint(chain[5]), LabelPoint(chain[1]));
    const auto begin =
        std::find_if(parent.notes.begin(), parent.notes.end(),
                     [](const NotifyRecorder::Note& note) { return note.code == TVN_BEGINDRAG; });
    ASSERT_NE(begin, parent.notes.end());
    EXPECT_EQ(begin->treeItem, chain[5]);
    tree.SelectDropTarget(chain[1]);
    EXPECT_EQ(tree.GetDropHilightItem(), chain[1]);
    EXPECT_NE(tree.GetItemState(chain[1], TVIS_DROPHILITED), 0u);
    EXPECT_EQ(ColorAt(tree, LabelCorner(chain[1])), GetSysColor(COLOR_HIGHLIGHT));
    tree.SelectDropTarget(nullptr);
    EXPECT_EQ(tree.GetItemState(chain[1], TVIS_DROPHILITED), 0u);
    std::unique_ptr<CImageList> image(tree.CreateDragImage(chain[5]));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetImageCount(), 1);
    EXPECT_EQ(image->GetImageSize().cy, tree.RowHeight());
    // Collapsing an item above the caret moves the caret to it.
    tree.SelectItem(chain[6]);
    tree.Expand(chain[2], TVE_COLLAPSE);
    EXPECT_EQ(tree.GetSelectedItem(), chain[2]);
}

TEST_F(CTreeCtrlTest, ManyItemsScroll) {
    Make();
    for (int i = 0; i < 40; ++i) tree.InsertItem("Item");
    EXPECT_NE(tree.GetStyle() & WS_VSCROLL, 0u);
    HTREEITEM last = tree.GetNextItem(nullptr, TVGN_LASTVISIBLE);
    tree.EnsureVisible(last);
    EXPECT_NE(tree.GetFirstVisibleItem(), tree.GetRootItem());
    CRect row;
    EXPECT_TRUE(tree.GetItemRect(last, &row, FALSE));
    CRect client;
    tree.GetClientRect(&client);
    EXPECT_LE(row.bottom, client.bottom);
}
}  // namespace
