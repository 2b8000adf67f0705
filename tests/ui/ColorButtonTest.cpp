#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ui/ControlParentTest.h"
#include "ui/CColorButton.h"
#include "ui/CColorSwatch.h"

namespace {
void MakePattern(CBitmap& bitmap, CBrush& brush, BYTE row) {
    const WORD rows[8] = {row, row, row, row, row, row, row, row};
    bitmap.CreateBitmap(8, 8, 1, 1, rows);
    brush.CreatePatternBrush(&bitmap);
}
}  // namespace

TEST_F(ControlParentTest, TheColourButtonShowsItsColourInAFramedField) {
    CColorButton button;
    ASSERT_TRUE(button.Create("Line color", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 34),
                              &parent, 1109));
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(button.GetColor(), black);
    EXPECT_EQ(PixelOf(button, CPoint(25, 12)), black);
    // The field's frame sits 4 pixels in, its colour inside it.
    EXPECT_EQ(PixelOf(button, CPoint(4, 12)), black);
    EXPECT_EQ(PixelOf(button, CPoint(3, 12)), GetSysColor(COLOR_BTNFACE));

    // A new colour shows only once the button is repainted.
    EXPECT_EQ(button.SetColor(RGB(200, 10, 20)), RGB(200, 10, 20));
    EXPECT_EQ(PixelOf(button, CPoint(25, 12)), black);
    button.Invalidate();
    EXPECT_EQ(PixelOf(button, CPoint(25, 12)), RGB(200, 10, 20));
    EXPECT_EQ(PixelOf(button, CPoint(5, 5)), RGB(200, 10, 20));
    EXPECT_NE(PixelOf(button, CPoint(0, 0)), black);

    // Held down, the field moves one pixel right and down.
    button.SetState(TRUE);
    EXPECT_EQ(PixelOf(button, CPoint(5, 12)), black);
    EXPECT_EQ(PixelOf(button, CPoint(4, 12)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelOf(button, CPoint(44, 12)), RGB(200, 10, 20));
    button.SetState(FALSE);
    EXPECT_EQ(PixelOf(button, CPoint(44, 12)), black);

    // With the focus a black frame runs round the whole face.
    button.SetFocus();
    EXPECT_EQ(PixelOf(button, CPoint(0, 0)), black);
    EXPECT_EQ(PixelOf(button, CPoint(49, 23)), black);
}

TEST_F(ControlParentTest, TheSwatchTilesTheBrushItIsHanded) {
    CColorSwatch swatch;
    ASSERT_TRUE(swatch.Create("", WS_CHILD | WS_VISIBLE, CRect(100, 10, 140, 50), &parent, 1300));
    const COLORREF erased = PixelOf(swatch, CPoint(20, 20));
    CBitmap blankBits, inkBits, stripeBits;
    CBrush blank, ink, stripes;
    MakePattern(blankBits, blank, 0xFF);
    MakePattern(inkBits, ink, 0x00);
    MakePattern(stripeBits, stripes, 0x0F);

    swatch.SetBrush(&blank);
    EXPECT_EQ(PixelOf(swatch, CPoint(20, 20)), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(erased, GetSysColor(COLOR_WINDOW));
    swatch.SetBrush(&ink);
    EXPECT_EQ(PixelOf(swatch, CPoint(20, 20)), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(PixelOf(swatch, CPoint(39, 39)), GetSysColor(COLOR_WINDOWTEXT));
    // Four 0 bits then four 1 bits: ink and window colour alternate every four columns.
    swatch.SetBrush(&stripes);
    int inkColumns = 0;
    for (int x = 0; x < 40; ++x)
        inkColumns += PixelOf(swatch, CPoint(x, 5)) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
    EXPECT_EQ(inkColumns, 20);
    swatch.SetBrush(nullptr);
    EXPECT_EQ(PixelOf(swatch, CPoint(20, 20)), erased);
}

namespace {
// The button's face painted for one state into a fresh 40 by 20 picture.
class ButtonPicture {
  public:
    ButtonPicture(CColorButton& button, UINT state) {
        m_bitmap.CreateBitmap(40, 20, 1, 32, nullptr);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
        DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(button.GetDlgCtrlID()),
                            0,          ODA_DRAWENTIRE,
                            state,      &button,
                            &m_dc,      CRect(0, 0, 40, 20),
                            0};
        button.DrawItem(&item);
    }
    COLORREF At(int x, int y) const { return ColorFromPixel(m_bitmap.Surface()->At(x, y)); }
    // The smallest rectangle holding every pixel of the colour, right and bottom exclusive.
    CRect Bounds(COLORREF colour) const {
        CRect bounds(40, 20, -1, -1);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (At(x, y) == colour)
                    bounds = CRect(std::min<int>(bounds.left, x), std::min<int>(bounds.top, y),
                                   std::max<int>(bounds.right, x + 1), std::max<int>(bounds.bottom, y + 1));
        return bounds;
    }

  private:
    CBitmap m_bitmap;
    CDC m_dc;
};
}  // namespace

TEST_F(ControlParentTest, TheColourFieldIsFramedFourPixelsInAndMovesWhenPressed) {
    CColorButton button;
    ASSERT_TRUE(button.Create("Fill color", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30),
                              &parent, 1135));
    const COLORREF colour = RGB(20, 160, 90), black = RGB(0, 0, 0);
    button.SetColor(colour);

    const ButtonPicture up(button, 0);
    EXPECT_EQ(up.Bounds(colour), CRect(5, 5, 34, 14));
    // The frame runs round the field: (4,4)-(35,15).
    for (CPoint corner : {CPoint(4, 4), CPoint(34, 4), CPoint(4, 14), CPoint(34, 14)})
        EXPECT_EQ(up.At(corner.x, corner.y), black) << corner.x << "," << corner.y;
    // Round it, inside the button's two-pixel edge, the face shows.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(up.At(35, 9), face);
    EXPECT_EQ(up.At(20, 15), face);
    EXPECT_EQ(up.At(3, 9), face);

    const ButtonPicture pressed(button, ODS_SELECTED);
    EXPECT_EQ(pressed.Bounds(colour), CRect(6, 6, 35, 15));
    for (CPoint corner : {CPoint(5, 5), CPoint(35, 5), CPoint(5, 15), CPoint(35, 15)})
        EXPECT_EQ(pressed.At(corner.x, corner.y), black) << corner.x << "," << corner.y;
    EXPECT_EQ(pressed.At(4, 9), face);
    EXPECT_EQ(pressed.At(20, 4), face);
}
