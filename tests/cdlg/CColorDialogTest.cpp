#include <cstdlib>

#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/ColorSpace.h"
#include "platform/gdi/SystemColors.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/support/TestPictures.h"

namespace {
class ColorDialogTest : public CommonDialogTest {
  protected:
    void ClickSwatch(CWnd& dialog, UINT gridId, int index) {
        auto* grid = static_cast<ColorSwatchGrid*>(Item(dialog, gridId));
        host.ClickClient(grid, grid->SwatchRect(index).CenterPoint());
    }
    static int Number(CWnd& dialog, UINT id) { return std::atoi(TextOf(dialog, id).c_str()); }
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

TEST_F(ColorDialogTest, TheFieldPicksHueAndSaturationAndTheBarPicksLuminosity) {
    CColorDialog dialog(RGB(255, 0, 0), CC_FULLOPEN);
    COLORREF shown = 0;
    host.WhenModal("Color", [&](CWnd& modal) {
        // The labels of the six fields, the field and the bar sit side by side.
        ExpectNoOverlaps(modal);
        auto* field = static_cast<HueSaturationField*>(Item(modal, COLOR_RAINBOW));
        auto* bar = static_cast<LuminanceBar*>(Item(modal, COLOR_LUMSCROLL));
        ASSERT_NE(field, nullptr);
        ASSERT_NE(bar, nullptr);
        const CRect rainbow = field->PictureRect();
        ASSERT_GT(rainbow.Width(), 150);
        ASSERT_GT(rainbow.Height(), 100);
        // Hues left to right at full saturation along the top, grey along the bottom.
        EXPECT_EQ(ColorAt(*field, rainbow.TopLeft()), RGB(255, 0, 0));
        const COLORREF middle = ColorAt(*field, CPoint(rainbow.CenterPoint().x, rainbow.top + 1));
        EXPECT_LT(GetRValue(middle), 3);
        EXPECT_GT(GetGValue(middle), 240);
        EXPECT_GT(GetBValue(middle), 240);
        EXPECT_EQ(ColorAt(*field, CPoint(rainbow.left + 20, rainbow.bottom - 1)), RGB(128, 128, 128));
        EXPECT_EQ(ColorAt(*field, CPoint(rainbow.right - 20, rainbow.bottom - 1)), RGB(128, 128, 128));
        // The cross-hair on red, in the top left corner: black arms round a hole of red.
        EXPECT_EQ(ColorAt(*field, CPoint(rainbow.left + 6, rainbow.top)), RGB(0, 0, 0));
        EXPECT_EQ(ColorAt(*field, CPoint(rainbow.left, rainbow.top + 6)), RGB(0, 0, 0));
        // The bar runs from white to black through the colour; its arrow points at the colour.
        const CRect shades = bar->PictureRect();
        const CPoint level(shades.CenterPoint().x, shades.top + (shades.Height() - 1) / 2);
        EXPECT_EQ(ColorAt(*bar, CPoint(level.x, shades.top)), RGB(255, 255, 255));
        EXPECT_EQ(ColorAt(*bar, CPoint(level.x, shades.bottom - 1)), RGB(0, 0, 0));
        EXPECT_EQ(ColorAt(*bar, level), RGB(255, 0, 0));
        EXPECT_EQ(ColorAt(*bar, CPoint(shades.right + 3, level.y)), RGB(0, 0, 0));
        EXPECT_EQ(ColorAt(*bar, CPoint(shades.right + 3, level.y - 10)), GetSysColor(COLOR_BTNFACE));

        // A click in the middle of the field: cyan at half saturation, the luminosity kept.
        host.ClickClient(field, rainbow.CenterPoint());
        EXPECT_EQ(TextOf(modal, COLOR_HUE), "120");
        EXPECT_NEAR(Number(modal, COLOR_SAT), 120, 1);
        EXPECT_EQ(TextOf(modal, COLOR_LUM), "120");
        EXPECT_EQ(TextOf(modal, COLOR_GREEN), TextOf(modal, COLOR_BLUE));
        EXPECT_LT(Number(modal, COLOR_RED), Number(modal, COLOR_GREEN));
        EXPECT_EQ(ColorAt(*field, rainbow.CenterPoint() + CPoint(6, 0)), RGB(0, 0, 0));
        EXPECT_NE(ColorAt(*field, CPoint(rainbow.left + 6, rainbow.top)), RGB(0, 0, 0));
        EXPECT_NE(ColorAt(*field, CPoint(rainbow.left, rainbow.top + 6)), RGB(0, 0, 0));

        // Dragging up the bar to white, then a click at its foot: black; the hue and saturation
        // stay, so that the middle of the bar gives the cyan back.
        host.DragClient(bar, level, CPoint(level.x, -20), 4);
        EXPECT_EQ(TextOf(modal, COLOR_LUM), "240");
        EXPECT_EQ(TextOf(modal, COLOR_RED), "255");
        host.ClickClient(bar, CPoint(level.x, shades.bottom + 1));
        EXPECT_EQ(TextOf(modal, COLOR_LUM), "0");
        EXPECT_EQ(TextOf(modal, COLOR_BLUE), "0");
        EXPECT_EQ(TextOf(modal, COLOR_HUE), "120");
        host.ClickClient(bar, level);
        EXPECT_EQ(TextOf(modal, COLOR_LUM), "120");
        shown = RGB(Number(modal, COLOR_RED), Number(modal, COLOR_GREEN), Number(modal, COLOR_BLUE));
        if (const CString png = TestPicturePath("cdlg-color-full.png"); !png.IsEmpty())
            host.DumpWindow(&modal, png);
        Click(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), shown);
    EXPECT_LT(GetRValue(shown), GetGValue(shown));
    EXPECT_EQ(GetGValue(shown), GetBValue(shown));
}
