#pragma once

#include "platform/gdi/CDC.h"

// A white memory DC of the given size, for drawing tests.
class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
        dc.SetBkColor(RGB(255, 255, 255));
    }
    // The pixel at device point (x, y), whatever the mapping and clipping.
    COLORREF At(int x, int y) {
        const int saved = dc.SaveDC();
        dc.SetMapMode(MM_TEXT);
        dc.SetWindowOrg(0, 0);
        dc.SetViewportOrg(0, 0);
        dc.SelectClipRgn(nullptr);
        const COLORREF c = dc.GetPixel(x, y);
        dc.RestoreDC(saved);
        return c;
    }
    int CountColor(COLORREF color, const CRect& area) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == color;
        return n;
    }
    CDC dc;
    CBitmap bitmap;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
