#include "platform/r3d/RasterDib.h"

#include <gtest/gtest.h>

#include "tests/gdi/Canvas.h"

using namespace r3d;

TEST(RasterDib, RenderedPicturesReachDeviceContextsUprightAndStretched) {
    Raster picture(3, 2);
    picture.Fill({0, 0, 255});
    picture.SetPixel(0, 0, {255, 0, 0});  // top-left red
    picture.SetPixel(2, 1, {0, 255, 0});  // bottom-right green

    RasterDib dib(picture);
    EXPECT_EQ(dib.Info()->bmiHeader.biHeight, -2);
    EXPECT_EQ(dib.Info()->bmiHeader.biSizeImage, 2u * 12u);  // rows padded to 4 bytes

    Canvas canvas(10, 8);
    dib.Draw(canvas.dc, 1, 1, 3, 2);
    EXPECT_EQ(canvas.At(1, 1), kRed);
    EXPECT_EQ(canvas.At(3, 2), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(2, 1), kBlue);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(canvas.At(4, 1), kWhite);

    Canvas doubled(10, 8);
    dib.Draw(doubled.dc, 0, 0, 6, 4);
    EXPECT_EQ(doubled.CountColor(kRed, CRect(0, 0, 6, 4)), 4);
    EXPECT_EQ(doubled.CountColor(RGB(0, 255, 0), CRect(0, 0, 6, 4)), 4);
    EXPECT_EQ(doubled.At(5, 3), RGB(0, 255, 0));
}
