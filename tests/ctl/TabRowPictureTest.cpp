#include <cstdint>
#include <vector>

#include "platform/ctl/CTabCtrl.h"
#include "platform/gdi/CFont.h"
#include "tests/ctl/ListControlFixture.h"
#include "tests/support/PixelDigest.h"

// A tab row's pictures as tabs come, go, change their text and font, scroll and are chosen,
// pixel for pixel: held to the pictures the row drew while it measured every tab before each
// one it placed.

namespace {

class TabRowPicture : public ListControlTest {
  protected:
    std::uint64_t Digest() {
        manager.RunUntilIdle();
        return PixelDigest(*parent.Surface());
    }
    void Choose(int index) {
        CRect rect;
        tabs.GetItemRect(index, &rect);
        Click(tabs, rect.CenterPoint());
    }

    CTabCtrl tabs;
};

}  // namespace

TEST_F(TabRowPicture, TabsComingGoingRenamedScrolledAndChosenLookAsBefore) {
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 330, 200), &parent, 1));
    for (int i = 0; i < 30; ++i) {
        CString name;
        name.Format(i % 3 == 0 ? "&Page %d" : "Pg %d", i);
        tabs.InsertItem(i, name);
    }
    std::vector<std::uint64_t> digests{Digest()};

    Choose(3);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    digests.push_back(Digest());

    tabs.SetCurSel(25);
    digests.push_back(Digest());

    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>("A much longer name");
    tabs.SetItem(24, &item);
    tabs.DeleteItem(2);
    tabs.InsertItem(0, "First");
    digests.push_back(Digest());

    CFont larger;
    larger.CreatePointFont(120, "Arial");
    tabs.SetFont(&larger);
    digests.push_back(Digest());
    Press(VK_LEFT);
    Choose(tabs.GetCurSel() - 1);
    digests.push_back(Digest());
    EXPECT_EQ(tabs.GetCurSel(), 23);

    tabs.DeleteAllItems();
    tabs.InsertItem(0, "Only");
    digests.push_back(Digest());
    tabs.SetFont(nullptr);
    tabs.DestroyWindow();

    EXPECT_EQ(digests, (std::vector<std::uint64_t>{5237830416360991916ull, 7781211808440397244ull,
                                                   13638836628576717941ull, 5787813456315938517ull,
                                                   11597840109874798876ull, 1176164182844629237ull,
                                                   12287769633497859964ull}));
}
