#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

// Draws a picture the program ships into a fresh true-colour bitmap of the given size through
// a memory DC; FALSE when the bitmap cannot be made.
template <class Draw>
BOOL PaintPicture(CBitmap& bitmap, int width, int height, Draw draw) {
    constexpr UINT kColourBits = 32;
    if (!bitmap.CreateBitmap(width, height, 1, kColourBits, nullptr))
        return FALSE;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    draw(dc);
    dc.SelectObject(old);
    return TRUE;
}
