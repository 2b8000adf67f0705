#include <gtest/gtest.h>

#include "tests/gdi/Canvas.h"

TEST(Figures, RectangleOutlineAndInterior) {
    Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    CBrush red(kRed);
    dc.SelectObject(&red);
    dc.Rectangle(5, 5, 15, 12);
    EXPECT_EQ(canvas.At(5, 5), kBlack);
    EXPECT_EQ(canvas.At(14, 11), kBlack);
    EXPECT_EQ(canvas.At(15, 11), kWhite);  // right and bottom edges outside
    EXPECT_EQ(canvas.At(14, 12), kWhite);
    EXPECT_EQ(canvas.At(6, 6), kRed);
    EXPECT_EQ(canvas.At(13, 10), kRed);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 40, 40)), 8 * 5);

    // Without a pen the interior is one pixel smaller than the rectangle.
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(20, 20, 30, 30);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(20, 20, 30, 30)), 9 * 9);
}

TEST(Figures, EllipsePieAndArc) {
    Canvas canvas(60, 60);
    CDC& dc = canvas.dc;
    CBrush blue(kBlue);
    dc.SelectObject(&blue);
    dc.Ellipse(10, 10, 31, 31);
    EXPECT_EQ(canvas.At(20, 20), kBlue);
    EXPECT_EQ(canvas.At(20, 10), kBlack);  // top of the outline
    EXPECT_EQ(canvas.At(10, 20), kBlack);
    EXPECT_EQ(canvas.At(30, 20), kBlack);
    EXPECT_EQ(canvas.At(11, 11), kWhite);  // corners stay outside

    // A pie from 3 o'clock counterclockwise to 12 o'clock: the upper right quarter.
    Canvas pie(60, 60);
    pie.dc.SelectObject(&blue);
    pie.dc.Pie(10, 10, 51, 51, 50, 30, 30, 10);
    EXPECT_EQ(pie.At(38, 22), kBlue);
    EXPECT_EQ(pie.At(22, 38), kWhite);
    EXPECT_EQ(pie.At(22, 22), kWhite);

    Canvas arc(60, 60);
    arc.dc.Arc(10, 10, 51, 51, 50, 30, 30, 10);
    EXPECT_GT(arc.CountColor(kBlack, CRect(30, 10, 52, 31)), 20);
    EXPECT_EQ(arc.CountColor(kBlack, CRect(10, 32, 30, 52)), 0);
}

TEST(Figures, WindingAndAlternateFill) {
    // A five-pointed star drawn in one stroke: its centre is inside by winding, outside by parity.
    const POINT star[] = {{50, 5}, {79, 95}, {2, 39}, {98, 39}, {21, 95}};
    Canvas canvas(100, 100);
    CDC& dc = canvas.dc;
    CBrush red(kRed);
    dc.SelectObject(&red);
    dc.SelectStockObject(NULL_PEN);
    dc.SetPolyFillMode(ALTERNATE);
    dc.Polygon(star, 5);
    EXPECT_EQ(canvas.At(50, 55), kWhite);
    EXPECT_EQ(canvas.At(50, 20), kRed);
    dc.SetPolyFillMode(WINDING);
    dc.Polygon(star, 5);
    EXPECT_EQ(canvas.At(50, 55), kRed);
}

TEST(Figures, HatchAndPatternBrushes) {
    Canvas canvas(32, 32);
    CDC& dc = canvas.dc;
    CBrush cross(HS_CROSS, kBlue);
    dc.SetBkColor(kRed);
    dc.SetBkMode(OPAQUE);
    dc.FillRect(CRect(0, 0, 16, 16), &cross);
    EXPECT_EQ(canvas.At(0, 3), kBlue);
    EXPECT_EQ(canvas.At(3, 8), kBlue);
    EXPECT_EQ(canvas.At(3, 3), kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.FillRect(CRect(16, 0, 32, 16), &cross);
    EXPECT_EQ(canvas.At(16, 3), kBlue);
    EXPECT_EQ(canvas.At(19, 3), kWhite);

    // 8x8 monochrome pattern: 0 bits take the text colour, 1 bits the background colour.
    const WORD rows[8] = {0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x0000, 0x0000, 0x0000, 0x0000};
    CBitmap bits;
    ASSERT_TRUE(bits.CreateBitmap(8, 8, 1, 1, rows));
    CBrush pattern;
    ASSERT_TRUE(pattern.CreatePatternBrush(&bits));
    dc.SetTextColor(kBlue);
    dc.SetBkColor(kRed);
    dc.FillRect(CRect(0, 16, 16, 32), &pattern);
    EXPECT_EQ(canvas.At(2, 17), kRed);   // bytes 0xFF: ones
    EXPECT_EQ(canvas.At(2, 21), kBlue);  // zeros
    EXPECT_EQ(canvas.At(10, 25), kRed);  // the pattern repeats every 8 pixels
}

TEST(Figures, ClippingSaveAndRestore) {
    Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(10, 10, 20, 20);
    dc.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 40, 40)), 100);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    dc.ExcludeClipRect(12, 12, 14, 14);
    dc.FillSolidRect(0, 0, 40, 40, kBlue);
    EXPECT_EQ(canvas.At(13, 13), kRed);
    EXPECT_EQ(canvas.At(15, 15), kBlue);
    dc.SetROP2(R2_NOT);
    dc.RestoreDC(saved);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    dc.FillSolidRect(0, 0, 5, 5, kBlue);
    EXPECT_EQ(canvas.At(0, 0), kBlue);

    CRgn region;
    region.CreateRectRgn(30, 30, 35, 35);
    dc.SelectClipRgn(&region);
    dc.FillSolidRect(0, 0, 40, 40, kBlack);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 0, 40, 40)), 25);
}

TEST(Figures, ThreeDimensionalRectangles) {
    Canvas canvas(20, 20);
    CDC& dc = canvas.dc;
    dc.Draw3dRect(2, 2, 10, 8, kRed, kBlue);
    EXPECT_EQ(canvas.At(2, 2), kRed);
    EXPECT_EQ(canvas.At(10, 2), kRed);
    EXPECT_EQ(canvas.At(11, 2), kBlue);  // top right corner belongs to the right side
    EXPECT_EQ(canvas.At(2, 9), kBlue);
    EXPECT_EQ(canvas.At(11, 9), kBlue);
    EXPECT_EQ(canvas.At(12, 9), kWhite);
    EXPECT_EQ(canvas.At(5, 5), kWhite);

    CRect button(0, 12, 20, 20);
    dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(canvas.At(0, 12), RGB(223, 223, 223));
    EXPECT_EQ(canvas.At(19, 19), kBlack);
    EXPECT_EQ(canvas.At(10, 16), RGB(192, 192, 192));
}
