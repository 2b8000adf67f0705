#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/ColorSpace.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/support/TestPictures.h"

namespace {
class ColorDialogTest : public CommonDialogTest {
  protected:
    void ClickSwatch(CWnd& dialog, UINT gridId, int index) {
        auto* grid = static_cast<ColorSwatchGrid*>(Item(dialog, gridId));
        host.ClickClient(grid, grid->SwatchRect(index).CenterPoint());
    }
};
}  // namespace

TEST(ColorSpace, HueSaturationLuminosityOnTheDialogsScales) {
    const HlsColor red = RgbToHls(RGB(255, 0, 0));
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.saturation, 240);
    EXPECT_EQ(red.luminosity, 120);
    const HlsColor blue = RgbToHls(RGB(0, 0, 255));
    EXPECT_EQ(blue.hue, 160);
    EXPECT_EQ(RgbToHls(RGB(128, 128, 128)).saturation, 0);
    for (COLORREF color :
         {RGB(255, 0, 0), RGB(0, 128, 64), RGB(10, 20, 30), RGB(255, 255, 255), RGB(192, 192, 192)}) {
        const COLORREF back = HlsToRgb(RgbToHls(color));
        EXPECT_NEAR(GetRValue(back), GetRValue(color), 2);
        EXPECT_NEAR(GetGValue(back), GetGValue(color), 2);
        EXPECT_NEAR(GetBValue(back), GetBValue(color), 2);
    }
}

TEST_F(ColorDialogTest, BasicColoursAndTheCustomColourEditor) {
    CColorDialog dialog(RGB(255, 0, 0));
    host.WhenModal("Color", [&](CWnd& modal) {
        auto* basic = static_cast<ColorSwatchGrid*>(Item(modal, COLOR_BOX1));
        EXPECT_EQ(basic->GetSelected(), 8);
        EXPECT_FALSE(dialog.IsFullOpen());
        EXPECT_FALSE(Item(modal, COLOR_RED)->IsWindowVisible());
        ClickSwatch(modal, COLOR_BOX1, 26);
        EXPECT_EQ(basic->GetSelected(), 26);

        Click(modal, COLOR_MIX);
        EXPECT_TRUE(dialog.IsFullOpen());
        EXPECT_EQ(TextOf(modal, COLOR_GREEN), "128");
        EXPECT_EQ(TextOf(modal, COLOR_LUM), "60");
        Retype(modal, COLOR_RED, "10");
        Retype(modal, COLOR_GREEN, "20");
        Retype(modal, COLOR_BLUE, "30");
        EXPECT_EQ(TextOf(modal, COLOR_HUE), "140");
        EXPECT_EQ(basic->GetSelected(), -1);
        Click(modal, COLOR_ADD);
        auto* custom = static_cast<ColorSwatchGrid*>(Item(modal, COLOR_CUSTOM1));
        EXPECT_EQ(custom->GetColor(0), RGB(10, 20, 30));
        if (const CString png = TestPicturePath("cdlg-color.png"); !png.IsEmpty())
            host.DumpWindow(&modal, png);
        Click(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(CColorDialog::GetSavedCustomColors()[0], RGB(10, 20, 30));

    // A custom colour is there for the next dialog, which opens on it.
    CColorDialog next(RGB(10, 20, 30), CC_FULLOPEN);
    host.WhenModal("Color", [&](CWnd& modal) {
        EXPECT_TRUE(next.IsFullOpen());
        EXPECT_EQ(static_cast<ColorSwatchGrid*>(Item(modal, COLOR_CUSTOM1))->GetSelected(), 0);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(next.DoModal(), IDCANCEL);
    EXPECT_EQ(next.GetColor(), RGB(10, 20, 30));
}
