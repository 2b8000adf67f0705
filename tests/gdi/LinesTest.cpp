#include <gtest/gtest.h>

#include "tests/gdi/Canvas.h"

TEST(Lines, EndPixelIsExcludedAndPositionMoves) {
    Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    dc.MoveTo(2, 5);
    dc.LineTo(12, 5);
    for (int x = 2; x < 12; ++x) EXPECT_EQ(canvas.At(x, 5), kBlack) << x;
    EXPECT_EQ(canvas.At(12, 5), kWhite);
    EXPECT_EQ(canvas.At(1, 5), kWhite);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(12, 5));
    dc.LineTo(12, 15);  // continues: the corner pixel now drawn, the new end not
    EXPECT_EQ(canvas.At(12, 5), kBlack);
    EXPECT_EQ(canvas.At(12, 14), kBlack);
    EXPECT_EQ(canvas.At(12, 15), kWhite);
    // A diagonal takes one pixel per step.
    dc.MoveTo(20, 20);
    dc.LineTo(30, 30);
    EXPECT_EQ(canvas.At(25, 25), kBlack);
    EXPECT_EQ(canvas.At(26, 25), kWhite);
    EXPECT_EQ(canvas.At(30, 30), kWhite);
}

TEST(Lines, PenWidthsAndDashes) {
    Canvas canvas(80, 60);
    CDC& dc = canvas.dc;
    CPen wide(PS_SOLID, 5, kRed);
    CPen* old = dc.SelectObject(&wide);
    dc.MoveTo(10, 10);
    dc.LineTo(60, 10);
    EXPECT_EQ(canvas.At(30, 8), kRed);
    EXPECT_EQ(canvas.At(30, 12), kRed);
    EXPECT_EQ(canvas.At(30, 7), kWhite);
    EXPECT_EQ(canvas.At(30, 13), kWhite);

    // One-pixel dashes: 18 on, 6 off; gaps take the background colour only when opaque.
    CPen dash(PS_DASH, 1, kBlue);
    dc.SelectObject(&dash);
    dc.SetBkColor(kRed);
    dc.SetBkMode(OPAQUE);
    dc.MoveTo(0, 20);
    dc.LineTo(60, 20);
    for (int x = 0; x < 18; ++x) EXPECT_EQ(canvas.At(x, 20), kBlue) << x;
    for (int x = 18; x < 24; ++x) EXPECT_EQ(canvas.At(x, 20), kRed) << x;
    EXPECT_EQ(canvas.At(24, 20), kBlue);
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(0, 22);
    dc.LineTo(60, 22);
    EXPECT_EQ(canvas.At(20, 22), kWhite);
    EXPECT_EQ(canvas.At(30, 22), kBlue);

    CPen dot(PS_DOT, 0, kBlack);
    dc.SelectObject(&dot);
    dc.MoveTo(0, 24);
    dc.LineTo(12, 24);
    const COLORREF expected[] = {kBlack, kBlack, kBlack, kWhite, kWhite, kWhite};
    for (int x = 0; x < 12; ++x) EXPECT_EQ(canvas.At(x, 24), expected[x % 6]) << x;

    // A wider styled pen draws solid.
    CPen wideDash(PS_DASH, 3, kBlack);
    dc.SelectObject(&wideDash);
    dc.MoveTo(0, 40);
    dc.LineTo(70, 40);
    for (int x = 1; x < 68; ++x) EXPECT_EQ(canvas.At(x, 40), kBlack) << x;

    CPen none(PS_NULL, 1, kBlack);
    dc.SelectObject(&none);
    dc.MoveTo(0, 50);
    dc.LineTo(70, 50);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 49, 80, 52)), 0);
    dc.SelectObject(old);
}

TEST(Lines, WidthsFollowTheMapping) {
    Canvas canvas(100, 100);
    CDC& dc = canvas.dc;
    dc.SetMapMode(MM_LOMETRIC);
    CPen pen(PS_SOLID, 3 * 5, kBlack);  // 15 tenths of a millimetre: about 6 pixels
    dc.SelectObject(&pen);
    dc.MoveTo(0, -127);
    dc.LineTo(254, -127);
    int rows = 0;
    for (int y = 40; y < 60; ++y) rows += canvas.At(48, y) == kBlack;
    EXPECT_EQ(rows, 6);
}
