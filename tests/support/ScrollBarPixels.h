#pragma once

#include "platform/gdi/CRect.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"

// Reads the look of a scroll bar off the pixels it was drawn into.
namespace ScrollBarPixels {

// Whether rect holds the classic light pattern: white and button face alternating like the
// squares of a chessboard.
inline bool IsDithered(const PixelSurface& pixels, const CRect& rect) {
    const std::uint32_t white = PixelFromColor(GetSysColor(COLOR_3DHIGHLIGHT));
    const std::uint32_t face = PixelFromColor(GetSysColor(COLOR_3DFACE));
    const std::uint32_t first = pixels.At(rect.left, rect.top);
    if (first != white && first != face)
        return false;
    const std::uint32_t second = first == white ? face : white;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (pixels.At(x, y) != (((x - rect.left + y - rect.top) % 2 == 0) ? first : second))
                return false;
    return true;
}

// The smallest rectangle holding every pixel of colour inside rect; empty when there is none.
inline CRect InkBox(const PixelSurface& pixels, const CRect& rect, COLORREF colour) {
    const std::uint32_t ink = PixelFromColor(colour);
    CRect box;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            if (pixels.At(x, y) != ink)
                continue;
            const CRect pixel(x, y, x + 1, y + 1);
            if (box.IsRectEmpty()) {
                box = pixel;
            } else {
                box.UnionRect(&box, &pixel);
            }
        }
    return box;
}

}  // namespace ScrollBarPixels
