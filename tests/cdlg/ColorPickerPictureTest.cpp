#include <cstdint>
#include <vector>

#include "platform/cdlg/HueSaturationField.h"
#include "platform/cdlg/LuminanceBar.h"
#include "tests/ctl/ListControlFixture.h"
#include "tests/support/PixelDigest.h"

// The colour dialog's field and bar dragged over, pixel for pixel: held to the pictures they
// drew while they worked out every colour of their picture for each step of a drag.

namespace {

constexpr UINT kFieldId = 1;
constexpr UINT kBarId = 2;

class ColorPickerPicture : public ListControlTest {
  protected:
    void SetUp() override {
        ListControlTest::SetUp();
        field.Create(CRect(10, 10, 210, 160), &parent, kFieldId);
        bar.Create(CRect(220, 10, 250, 160), &parent, kBarId);
        field.SetHls({160, 240, 120});
        bar.SetHls({160, 240, 120});
    }
    // Presses at from, moves through each point and lets go at the last; the bar takes the hue
    // and saturation the field holds, as the dialog gives them to it.
    void Drag(HlsPicker& picker, CPoint from, const std::vector<CPoint>& through) {
        MouseAt(WM_LBUTTONDOWN, picker, from);
        for (const CPoint& point : through) {
            MouseAt(WM_MOUSEMOVE, picker, point);
            if (&picker == &field)
                bar.SetHls(field.GetHls());
        }
        MouseAt(WM_LBUTTONUP, picker, through.back());
    }
    std::uint64_t Digest() {
        manager.RunUntilIdle();
        return PixelDigest(*parent.Surface());
    }

    HueSaturationField field;
    LuminanceBar bar;
};

}  // namespace

TEST_F(ColorPickerPicture, DragsOverTheFieldAndTheBarLookAsBefore) {
    std::vector<std::uint64_t> digests{Digest()};
    Drag(field, CPoint(30, 40), {CPoint(60, 50), CPoint(120, 90), CPoint(-30, 300)});
    digests.push_back(Digest());
    Drag(bar, CPoint(10, 70), {CPoint(10, 20), CPoint(10, 130)});
    digests.push_back(Digest());
    Drag(field, CPoint(100, 70), {CPoint(150, 30), CPoint(400, -10)});
    digests.push_back(Digest());
    EXPECT_EQ(field.GetHls().hue, 239);
    EXPECT_EQ(field.GetHls().saturation, 240);

    field.MoveWindow(10, 10, 150, 220);
    bar.SetHls({40, 100, 200});
    digests.push_back(Digest());

    EXPECT_EQ(digests, (std::vector<std::uint64_t>{15753277375112600592ull, 8767503233928012597ull,
                                                   11343780314350878517ull, 12605390490116180069ull,
                                                   6470547930638410318ull}));
}
