#include "platform/gdi/CImageList.h"

#include <gtest/gtest.h>

#include "tests/gdi/Canvas.h"

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

// A strip of three 4x4 cells: red, green and blue squares with a magenta corner pixel.
void MakeStrip(Canvas& strip) {
    strip.dc.FillSolidRect(0, 0, 4, 4, kRed);
    strip.dc.FillSolidRect(4, 0, 4, 4, kGreen);
    strip.dc.FillSolidRect(8, 0, 4, 4, kBlue);
    for (int cell = 0; cell < 3; ++cell) strip.dc.SetPixel(cell * 4, 0, kKey);
}
}  // namespace

TEST(ImageList, CellsMaskTransparencyAndBlending) {
    Canvas strip(12, 4);
    MakeStrip(strip);
    CImageList list;
    ASSERT_TRUE(list.Create(&strip.bitmap, 4, 1, kKey));
    EXPECT_EQ(list.GetImageCount(), 3);

    Canvas target(20, 10, kWhite);
    ASSERT_TRUE(list.Draw(&target.dc, 1, CPoint(2, 2), ILD_TRANSPARENT));
    EXPECT_EQ(target.At(2, 2), kWhite);  // the masked corner shows what was there
    EXPECT_EQ(target.At(3, 2), kGreen);
    EXPECT_EQ(target.At(5, 5), kGreen);
    EXPECT_EQ(target.At(6, 6), kWhite);

    // With a background colour the masked pixels take it in a normal draw.
    list.SetBkColor(kBlack);
    list.Draw(&target.dc, 0, CPoint(10, 2), ILD_NORMAL);
    EXPECT_EQ(target.At(10, 2), kBlack);
    EXPECT_EQ(target.At(11, 2), kRed);

    // Half blended with the selection colour (0, 0, 128).
    list.Draw(&target.dc, 0, CPoint(10, 6), ILD_BLEND50 | ILD_TRANSPARENT);
    EXPECT_EQ(target.At(11, 6), RGB(127, 0, 64));

    // Replacing keeps the count and changes the picture.
    Canvas other(4, 4, kBlue);
    ASSERT_TRUE(list.Replace(0, &other.bitmap, nullptr));
    EXPECT_EQ(list.GetImageCount(), 3);
    list.Draw(&target.dc, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(target.At(0, 0), kBlue);
    EXPECT_FALSE(list.Replace(5, &other.bitmap, nullptr));
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(list.GetImageCount(), 2);
}

TEST(ImageList, DisabledLookThroughTheEmbossOperation) {
    // The emboss operation 0xE20746 paints the brush where the mask is black and keeps the
    // destination where it is white.
    Canvas target(4, 1, kRed);
    CDC maskDC;
    maskDC.CreateCompatibleDC(&target.dc);
    CBitmap mask;
    const BYTE bits[2] = {0x50, 0x00};  // 0 1 0 1
    mask.CreateBitmap(4, 1, 1, 1, bits);
    maskDC.SelectObject(&mask);
    CBrush highlight(kWhite);
    target.dc.SelectObject(&highlight);
    target.dc.SetTextColor(kBlack);
    target.dc.SetBkColor(kWhite);
    target.dc.BitBlt(0, 0, 4, 1, &maskDC, 0, 0, 0x00E20746);
    EXPECT_EQ(target.At(0, 0), kRed);
    EXPECT_EQ(target.At(1, 0), kWhite);
    EXPECT_EQ(target.At(2, 0), kRed);
}

TEST(ImageList, OverlayImagesAreLaidOverThePicture) {
    Canvas strip(12, 4);
    MakeStrip(strip);
    CImageList list;
    ASSERT_TRUE(list.Create(&strip.bitmap, 4, 1, kKey));
    EXPECT_FALSE(list.SetOverlayImage(1, 0));   // overlays count from 1
    EXPECT_FALSE(list.SetOverlayImage(7, 1));   // no such image
    ASSERT_TRUE(list.SetOverlayImage(1, 1));    // the green square is overlay 1

    Canvas target(10, 10, kWhite);
    list.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(target.At(1, 1), kRed);
    list.Draw(&target.dc, 0, CPoint(5, 5), ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(target.At(6, 6), kGreen);     // the overlay covers the picture
    EXPECT_EQ(target.At(5, 5), kWhite);     // both keep their transparent corner
    list.Draw(&target.dc, 2, CPoint(0, 5), ILD_TRANSPARENT | INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(target.At(1, 6), kBlue);      // an overlay never set draws nothing more
}
