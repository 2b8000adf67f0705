#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "tests/gdi/Canvas.h"

TEST(SurfaceDC, WindowDCsDrawAtTheirOriginInsideTheirClip) {
    // A child window at (20, 10) of a 100x60 backing surface, 30x20 large.
    auto backing = std::make_shared<PixelSurface>(100, 60, 0xFFFFFF);
    CDC window;
    window.AttachSurface(backing, CPoint(20, 10), CRect(0, 0, 30, 20));
    window.FillSolidRect(-5, -5, 100, 100, kBlue);
    EXPECT_EQ(ColorFromPixel(backing->At(20, 10)), kBlue);
    EXPECT_EQ(ColorFromPixel(backing->At(49, 29)), kBlue);
    EXPECT_EQ(ColorFromPixel(backing->At(50, 29)), kWhite);
    EXPECT_EQ(ColorFromPixel(backing->At(19, 10)), kWhite);
    EXPECT_EQ(window.GetPixel(0, 0), kBlue);
    CRect box;
    window.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 30, 20));

    // Scrolling inside the window: a blit from the same surface onto itself.
    window.FillSolidRect(0, 0, 5, 5, kRed);
    window.BitBlt(2, 2, 10, 10, &window, 0, 0, SRCCOPY);
    EXPECT_EQ(window.GetPixel(2, 2), kRed);
    EXPECT_EQ(window.GetPixel(6, 6), kRed);
    EXPECT_EQ(window.GetPixel(7, 7), kBlue);
}

TEST(SurfaceDC, PathsFillAndStroke) {
    Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    CBrush red(kRed);
    dc.SelectObject(&red);
    dc.BeginPath();
    dc.MoveTo(5, 5);
    dc.LineTo(35, 5);
    dc.LineTo(35, 35);
    dc.LineTo(5, 35);
    dc.CloseFigure();
    dc.EndPath();
    EXPECT_EQ(canvas.At(20, 5), kWhite);  // nothing drawn while the path is recorded
    dc.StrokeAndFillPath();
    EXPECT_EQ(canvas.At(20, 20), kRed);
    EXPECT_EQ(canvas.At(20, 5), kBlack);
    EXPECT_EQ(canvas.At(35, 20), kBlack);
    EXPECT_FALSE(dc.FillPath());  // the path is used up
}

TEST(SurfaceDC, MemoryBitmapsSwapAndRestore) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_TRUE(dc.IsMonochrome());  // the 1x1 monochrome bitmap it starts with
    CBitmap first, second;
    first.CreateBitmap(4, 4, 1, 32, nullptr);
    second.CreateBitmap(4, 4, 1, 32, nullptr);
    CBitmap* original = dc.SelectObject(&first);
    EXPECT_NE(original, nullptr);
    EXPECT_FALSE(dc.IsMonochrome());
    dc.SetPixel(1, 1, kRed);
    const int saved = dc.SaveDC();
    EXPECT_EQ(dc.SelectObject(&second), &first);
    dc.SetPixel(1, 1, kBlue);
    dc.RestoreDC(saved);
    EXPECT_EQ(dc.GetCurrentBitmap(), &first);
    EXPECT_EQ(dc.GetPixel(1, 1), kRed);
    dc.SelectObject(original);
}
