#include <gtest/gtest.h>

#include "tests/gdi/Canvas.h"

namespace {
constexpr COLORREF kPen = RGB(0xC0, 0x35, 0x0F);
constexpr COLORREF kDest = RGB(0x5A, 0xF0, 0x33);

COLORREF Invert(COLORREF c) {
    return ~c & 0xFFFFFF;
}

// Draws a pen line over the destination colour with one binary raster operation.
COLORREF DrawWithRop2(int rop2) {
    Canvas canvas(4, 1, kDest);
    CPen pen(PS_SOLID, 1, kPen);
    canvas.dc.SelectObject(&pen);
    canvas.dc.SetROP2(rop2);
    canvas.dc.MoveTo(0, 0);
    canvas.dc.LineTo(3, 0);
    return canvas.At(1, 0);
}
}  // namespace

TEST(Raster, EveryBinaryOperation) {
    const COLORREF p = kPen, d = kDest;
    const COLORREF expected[17] = {0,
                                   0,              // R2_BLACK
                                   Invert(p | d),  // R2_NOTMERGEPEN
                                   Invert(p) & d,  // R2_MASKNOTPEN
                                   Invert(p),      // R2_NOTCOPYPEN
                                   p & Invert(d),  // R2_MASKPENNOT
                                   Invert(d),      // R2_NOT
                                   p ^ d,          // R2_XORPEN
                                   Invert(p & d),  // R2_NOTMASKPEN
                                   p & d,          // R2_MASKPEN
                                   Invert(p ^ d),  // R2_NOTXORPEN
                                   d,              // R2_NOP
                                   Invert(p) | d,  // R2_MERGENOTPEN
                                   p,              // R2_COPYPEN
                                   p | Invert(d),  // R2_MERGEPENNOT
                                   p | d,          // R2_MERGEPEN
                                   0xFFFFFF};      // R2_WHITE
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) EXPECT_EQ(DrawWithRop2(rop), expected[rop]) << rop;
}

TEST(Raster, XorDrawnTwiceRestores) {
    Canvas canvas(60, 60);
    CDC& dc = canvas.dc;
    dc.FillSolidRect(10, 10, 30, 30, kRed);
    std::vector<COLORREF> before;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) before.push_back(canvas.At(x, y));
    for (int rop : {R2_NOTXORPEN, R2_XORPEN, R2_NOT}) {
        CPen dotted(PS_DOT, 1, RGB(0x0E, 0xAD, 0xC9));
        dc.SelectObject(&dotted);
        dc.SelectStockObject(NULL_BRUSH);
        dc.SetROP2(rop);
        for (int pass = 0; pass < 2; ++pass) {
            dc.Rectangle(5, 5, 50, 45);
            dc.MoveTo(0, 0);
            dc.LineTo(59, 37);
        }
        int differing = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) differing += canvas.At(x, y) != before[y * 60 + x];
        EXPECT_EQ(differing, 0) << rop;
        dc.SelectStockObject(BLACK_PEN);
    }
}

TEST(Raster, BlitOperations) {
    const COLORREF s = RGB(0xF0, 0x0F, 0x55), d = RGB(0x3C, 0xA5, 0x0F), p = RGB(0x99, 0x66, 0xF0);
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const Case cases[] = {
        {SRCCOPY, s},
        {SRCPAINT, s | d},
        {SRCAND, s & d},
        {SRCINVERT, s ^ d},
        {NOTSRCERASE, Invert(s | d)},
        {DSTINVERT, Invert(d)},
        {PATCOPY, p},
        {0x00E20746, (s & p) | (Invert(s) & d)},
        {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},
    };
    Canvas source(4, 4, s);
    for (const Case& c : cases) {
        Canvas dest(4, 4, d);
        CBrush brush(p);
        dest.dc.SelectObject(&brush);
        dest.dc.BitBlt(0, 0, 2, 2, &source.dc, 0, 0, c.rop);
        EXPECT_EQ(dest.At(1, 1), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dest.At(2, 2), d);
    }
}

TEST(Raster, MonochromeConversions) {
    // Colour to monochrome: the source's background colour becomes white, the rest black.
    Canvas picture(4, 1, kRed);
    picture.dc.SetPixel(1, 0, kBlue);
    picture.dc.SetBkColor(kRed);
    CDC maskDC;
    maskDC.CreateCompatibleDC(&picture.dc);
    CBitmap mask;
    mask.CreateBitmap(4, 1, 1, 1, nullptr);
    maskDC.SelectObject(&mask);
    EXPECT_TRUE(maskDC.IsMonochrome());
    maskDC.BitBlt(0, 0, 4, 1, &picture.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(maskDC.GetPixel(0, 0), kWhite);
    EXPECT_EQ(maskDC.GetPixel(1, 0), kBlack);

    // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
    Canvas target(4, 1);
    target.dc.SetTextColor(kBlue);
    target.dc.SetBkColor(RGB(0, 255, 0));
    target.dc.BitBlt(0, 0, 4, 1, &maskDC, 0, 0, SRCCOPY);
    EXPECT_EQ(target.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(target.At(1, 0), kBlue);

    // Monochrome bits are word-aligned rows and come back as they went in.
    const BYTE bits[4] = {0xA5, 0x00, 0x5A, 0x00};
    CBitmap small;
    ASSERT_TRUE(small.CreateBitmap(8, 2, 1, 1, bits));
    BYTE back[4] = {};
    EXPECT_EQ(small.GetBitmapBits(4, back), 4u);
    EXPECT_EQ(back[0], 0xA5);
    EXPECT_EQ(back[2], 0x5A);
    BITMAP info;
    small.GetBitmap(&info);
    EXPECT_EQ(info.bmWidthBytes, 2);
    EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST(Raster, StretchAndMirror) {
    Canvas source(2, 1);
    source.dc.SetPixel(0, 0, kRed);
    source.dc.SetPixel(1, 0, kBlue);
    Canvas dest(8, 2);
    dest.dc.StretchBlt(0, 0, 8, 2, &source.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dest.At(3, 1), kRed);
    EXPECT_EQ(dest.At(4, 0), kBlue);
    dest.dc.StretchBlt(7, 0, -8, 1, &source.dc, 0, 0, 2, 1, SRCCOPY);  // mirrored over pixels 0..7
    EXPECT_EQ(dest.At(0, 0), kBlue);
    EXPECT_EQ(dest.At(7, 0), kRed);
}
