#include <gtest/gtest.h>

#include "platform/gdi/CRgn.h"
#include "tests/gdi/Canvas.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

void FillAll(Canvas& canvas, COLORREF color) {
    canvas.dc.FillSolidRect(0, 0, 40, 40, color);
}

}  // namespace

// A DC keeps the visible part of its surface while its clip stays; however the clip changes
// (a new region of as many pieces, a saved state brought back, text clipped to its box, a
// move), the next drawing goes where the new clip lets it.
TEST(ClipChanges, EveryWayTheClipChangesIsSeenByTheNextDrawing) {
    Canvas canvas(40, 40);
    CRgn first, second, third;
    first.CreateRectRgn(0, 0, 10, 10);
    second.CreateRectRgn(20, 20, 30, 30);
    third.CreateRectRgn(0, 20, 10, 30);

    canvas.dc.SelectClipRgn(&first);
    FillAll(canvas, kRed);
    EXPECT_EQ(canvas.At(5, 5), kRed);
    EXPECT_EQ(canvas.At(25, 25), kWhite);

    canvas.dc.SelectClipRgn(&second);
    FillAll(canvas, kBlue);
    EXPECT_EQ(canvas.At(5, 5), kRed);
    EXPECT_EQ(canvas.At(25, 25), kBlue);

    const int saved = canvas.dc.SaveDC();
    canvas.dc.SelectClipRgn(&third);
    FillAll(canvas, kBlack);
    EXPECT_EQ(canvas.At(5, 25), kBlack);
    canvas.dc.RestoreDC(saved);
    FillAll(canvas, kGreen);
    EXPECT_EQ(canvas.At(25, 25), kGreen);
    EXPECT_EQ(canvas.At(5, 25), kBlack);

    CRect box(22, 22, 28, 28);
    canvas.dc.DrawText("Wide text", &box, DT_SINGLELINE);
    FillAll(canvas, kGrey);
    EXPECT_EQ(canvas.At(21, 21), kGrey);
    EXPECT_EQ(canvas.At(35, 35), kWhite);

    canvas.dc.OffsetClipRgn(-20, 0);
    FillAll(canvas, kRed);
    EXPECT_EQ(canvas.At(5, 25), kRed);
    EXPECT_EQ(canvas.At(25, 25), kGrey);

    canvas.dc.ExcludeClipRect(0, 20, 5, 30);
    FillAll(canvas, kBlue);
    EXPECT_EQ(canvas.At(2, 25), kRed);
    EXPECT_EQ(canvas.At(7, 25), kBlue);

    canvas.dc.SelectClipRgn(nullptr);
    FillAll(canvas, kWhite);
    EXPECT_EQ(canvas.CountColor(kWhite, CRect(0, 0, 40, 40)), 1600);
}
