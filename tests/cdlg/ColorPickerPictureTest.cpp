#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/cdlg/HueSaturationField.h"
#include "platform/cdlg/LuminanceBar.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/WindowManager.h"
#include "tests/support/ByteDigest.h"

// The colour dialog's field and bar dragged over, pixel for pixel: held to the pictures they
// drew while they worked out every colour of their picture for each step of a drag.

namespace {

constexpr UINT kFieldId = 1;
constexpr UINT kBarId = 2;

class ColorPickerPicture : public testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        parent.CreateEx(0, nullptr, "Colours", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 300, 200),
                        nullptr, 0);
        field.Create(CRect(10, 10, 210, 160), &parent, kFieldId);
        bar.Create(CRect(220, 10, 250, 160), &parent, kBarId);
        field.SetHls({160, 240, 120});
        bar.SetHls({160, 240, 120});
    }
    void TearDown() override {
        parent.DestroyWindow();
        manager.Reset();
    }
    void Mouse(UINT message, CWnd& window, CPoint client) {
        window.ClientToScreen(&client);
        manager.MouseInput(message, client);
        manager.RunUntilIdle();
    }
    // Presses at from, moves through each point and lets go at the last; the bar takes the hue
    // and saturation the field holds, as the dialog gives them to it.
    void Drag(HlsPicker& picker, CPoint from, const std::vector<CPoint>& through) {
        Mouse(WM_LBUTTONDOWN, picker, from);
        for (const CPoint& point : through) {
            Mouse(WM_MOUSEMOVE, picker, point);
            if (&picker == &field)
                bar.SetHls(field.GetHls());
        }
        Mouse(WM_LBUTTONUP, picker, through.back());
        manager.RunUntilIdle();
    }
    std::uint64_t Digest() {
        manager.RunUntilIdle();
        const PixelSurface& pixels = *parent.Surface();
        std::vector<BYTE> bytes(static_cast<std::size_t>(pixels.Width()) * pixels.Height() * 4);
        std::memcpy(bytes.data(), pixels.Row(0), bytes.size());
        return ByteDigest(bytes);
    }

    WindowManager& manager = WindowManager::Instance();
    CWnd parent;
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

    parent.MoveWindow(0, 0, 300, 250);
    field.MoveWindow(10, 10, 150, 220);
    bar.SetHls({40, 100, 200});
    digests.push_back(Digest());

    EXPECT_EQ(digests, (std::vector<std::uint64_t>{14318516278038309824ull, 2903845716257191845ull,
                                                   16419353761531392037ull, 7324739488032420821ull,
                                                   10415524475041419120ull}));
}
