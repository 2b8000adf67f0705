#include <cmath>

#include <gtest/gtest.h>

#include "platform/gdi/LogicalPixelSize.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestFolder.h"

TEST(Mapping, LometricIsTenthsOfAMillimetreWithYUp) {
    Canvas canvas(100, 100);
    CDC& dc = canvas.dc;
    dc.SetMapMode(MM_LOMETRIC);
    POINT p[2] = {{254, -254}, {0, 0}};
    dc.LPtoDP(p, 2);
    EXPECT_EQ(p[0].x, 96);
    EXPECT_EQ(p[0].y, 96);
    EXPECT_EQ(p[1].x, 0);
    EXPECT_EQ(LogicalPixelSize(&dc), 3);  // 254 / 96 rounded
    POINT back{96, 96};
    dc.DPtoLP(&back);
    EXPECT_EQ(back.x, 254);
    EXPECT_EQ(back.y, -254);

    // Back to MM_TEXT: unit extents, origins kept.
    dc.SetWindowOrg(10, 20);
    dc.SetViewportOrg(5, 6);
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    EXPECT_EQ(dc.GetViewportExt(), CSize(1, 1));
    EXPECT_EQ(dc.GetWindowOrg(), CPoint(10, 20));
    POINT q{10, 20};
    dc.LPtoDP(&q);
    EXPECT_EQ(q.x, 5);
    EXPECT_EQ(q.y, 6);
    EXPECT_EQ(LogicalPixelSize(&dc), 1);
    // Device points at the ends of the range: moved by the origins without wrapping, held at the ends.
    POINT far[2] = {{-2147483647, 2147483647}, {2147483647, -2147483647}};
    dc.DPtoLP(far, 2);
    EXPECT_EQ(far[0].x, -2147483647 + 5);
    EXPECT_EQ(far[0].y, 2147483647);
    EXPECT_EQ(far[1].x, 2147483647);
    EXPECT_EQ(far[1].y, -2147483647 + 14);
}

// The size is kept between asks, yet follows every change of the mapping's x parts.
TEST(Mapping, LogicalPixelSizeFollowsEveryChangeOfTheMapping) {
    Canvas canvas(10, 10);
    CDC& dc = canvas.dc;
    CDC other;
    other.CreateCompatibleDC(nullptr);
    auto measured = [](const CDC& on) {
        POINT p[2] = {{1, 1}, {0, 0}};
        on.DPtoLP(p, 2);
        return static_cast<int>(p[0].x - p[1].x);
    };
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(LogicalPixelSize(&dc), 3);
    EXPECT_EQ(LogicalPixelSize(&other), 1);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(70, 13);
    dc.SetViewportExt(9, 5);
    for (int origin : {0, 3, 4, -5}) {
        dc.SetWindowOrg(origin, 0);
        EXPECT_EQ(LogicalPixelSize(&dc), measured(dc)) << "window origin " << origin;
        dc.SetViewportOrg(origin, 0);
        EXPECT_EQ(LogicalPixelSize(&dc), measured(dc)) << "viewport origin " << origin;
    }
    dc.SetViewportExt(23, 5);
    EXPECT_EQ(LogicalPixelSize(&dc), measured(dc));
    dc.SetWindowExt(700, 13);
    EXPECT_EQ(LogicalPixelSize(&dc), measured(dc));
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(LogicalPixelSize(&dc), 1);
}

TEST(Mapping, IsotropicShrinksTheLargerViewportExtent) {
    Canvas canvas(10, 10);
    CDC& dc = canvas.dc;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(400, -200);
    EXPECT_EQ(dc.GetViewportExt(), CSize(200, -200));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(400, -200);
    EXPECT_EQ(dc.GetViewportExt(), CSize(400, -200));
    POINT p{50, 50};
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, -100);
    // Extents are ignored outside the two scalable modes.
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowExt(7, 7);
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
}

// Device points are rounded half up, negatives too, and held at the ends of the range; pen
// widths are rounded half up.
TEST(Mapping, PointsAndPenWidthsRoundHalfUp) {
    Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(4, 4);
    dc.SetViewportExt(2, -2);
    for (int x = -9; x <= 9; ++x) {
        POINT p{x, x};
        dc.LPtoDP(&p);
        EXPECT_EQ(p.x, static_cast<LONG>(std::floor(x / 2.0 + 0.5))) << x;
        EXPECT_EQ(p.y, static_cast<LONG>(std::floor(-x / 2.0 + 0.5))) << x;
    }
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(4, 4);
    POINT far[2] = {{2147483647, -2147483647}, {600000000, -600000000}};
    dc.LPtoDP(far, 2);
    EXPECT_EQ(far[0].x, 2147483647);
    EXPECT_EQ(far[0].y, -2147483647 - 1);
    EXPECT_EQ(far[1].x, 2147483647);
    EXPECT_EQ(far[1].y, -2147483647 - 1);

    // A pen 5 units wide at 3 pixels to 10 units is 1.5 pixels: two rows; 8 units, 2.4: two rows.
    auto rowsOfAPen = [&](int width, int viewport) {
        canvas.dc.FillSolidRect(-100, -100, 400, 400, kWhite);
        dc.SetWindowExt(10, 10);
        dc.SetViewportExt(viewport, viewport);
        CPen pen(PS_SOLID, width, kBlack);
        CPen* previous = dc.SelectObject(&pen);
        dc.MoveTo(0, 40);
        dc.LineTo(100, 40);
        dc.SelectObject(previous);
        int rows = 0;
        for (int y = 0; y < 40; ++y) rows += canvas.At(15, y) == kBlack;
        return rows;
    };
    EXPECT_EQ(rowsOfAPen(5, 3), 2);
    EXPECT_EQ(rowsOfAPen(8, 3), 2);
    EXPECT_EQ(rowsOfAPen(5, 5), 3);
}

TEST(Mapping, PrinterReportsItsResolutionAndPaper) {
    TestFolder folder;
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC((folder / "out.pdf").string().c_str(), 300, 2100, 2970));
    EXPECT_TRUE(printer.IsPrinting());
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(printer.GetDeviceCaps(HORZRES), 2480);
    EXPECT_EQ(printer.GetDeviceCaps(VERTRES), 3508);
    EXPECT_EQ(printer.GetDeviceCaps(HORZSIZE), 210);
    printer.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(LogicalPixelSize(&printer), 1);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_FALSE(screen.IsPrinting());
}
