#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kTabsId = 701;

class CTabCtrlTest : public ListControlTest {
  protected:
    void SetUp() override {
        ListControlTest::SetUp();
        ASSERT_TRUE(
            tabs.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 170, 110), &parent, kTabsId));
        for (const char* name :
             {"Geometry", "Ballast", "Sleepers", "Rails", "Terrain", "Trains", "Signals", "Notes"})
            tabs.InsertItem(tabs.GetItemCount(), name);
        manager.RunUntilIdle();
    }
    // The small up-down control the tab row scrolls with, when it shows.
    CSpinButtonCtrl* Scroller() {
        for (CWnd* child : tabs.Children())
            if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(child); spin && spin->IsWindowVisible())
                return spin;
        return nullptr;
    }
    CRect ScrollerRect() {
        CRect rect;
        Scroller()->GetWindowRect(&rect);
        tabs.ScreenToClient(&rect);
        return rect;
    }
    CRect ItemRect(int index) {
        CRect rect;
        tabs.GetItemRect(index, &rect);
        return rect;
    }
    // Clicks the scroller's left (false) or right (true) arrow.
    void ClickArrow(bool right) {
        CRect client;
        Scroller()->GetClientRect(&client);
        Click(*Scroller(), CPoint(right ? client.right - 3 : 3, client.CenterPoint().y));
    }

    CTabCtrl tabs;
};
}  // namespace

TEST_F(CTabCtrlTest, TabsThatDoNotFitScrollWithTheArrowsAndTheKeysBringTheSelectionIntoView) {
    ASSERT_NE(Scroller(), nullptr);
    const CRect arrows = ScrollerRect();
    CRect client;
    tabs.GetClientRect(&client);
    // At the right end of the tab row, above the page.
    EXPECT_EQ(arrows.right, client.right);
    EXPECT_LE(arrows.bottom, ItemRect(0).bottom);
    EXPECT_GT(arrows.Width(), arrows.Height());
    const int firstLeft = ItemRect(0).left;

    ClickArrow(true);
    ClickArrow(true);
    EXPECT_EQ(ItemRect(2).left, firstLeft);
    EXPECT_LT(ItemRect(0).right, 0);
    // A click where a scrolled-away tab would be selects the tab shown there.
    Click(tabs, ItemRect(2).CenterPoint());
    EXPECT_EQ(tabs.GetCurSel(), 2);
    ClickArrow(false);
    EXPECT_EQ(ItemRect(1).left, firstLeft);

    // The arrow keys walk to the last tab, which comes into view raised.
    tabs.SetFocus();
    for (int i = 0; i < 8; ++i) Press(VK_RIGHT);
    EXPECT_EQ(tabs.GetCurSel(), 7);
    const CRect last = ItemRect(7);
    EXPECT_GT(last.left, 0);
    EXPECT_LE(last.right, arrows.left);
    EXPECT_EQ(ColorAt(tabs, CPoint(last.CenterPoint().x, 0)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ColorAt(tabs, CPoint(ItemRect(6).CenterPoint().x, 0)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorAt(tabs, CPoint(ItemRect(6).CenterPoint().x, ItemRect(6).top)),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    for (int i = 0; i < 7; ++i) Press(VK_LEFT);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(ItemRect(0).left, firstLeft);

    // Once every tab fits the arrows go.
    while (tabs.GetItemCount() > 2) tabs.DeleteItem(tabs.GetItemCount() - 1);
    manager.RunUntilIdle();
    EXPECT_EQ(Scroller(), nullptr);
    EXPECT_EQ(ItemRect(0).left, firstLeft);
}
