#pragma once

#include "platform/r3d/Raster.h"

// How many pixels of two pictures of the same size differ.
inline int DifferingPixels(const r3d::Raster& a, const r3d::Raster& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) == b.Pixel(x, y) ? 0 : 1;
    return count;
}
