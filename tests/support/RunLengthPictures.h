#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/FileBytes.h"

// Run-length-compressed .bmp files whose pixels the test knows.
struct RunLengthPicture {
    FileBytes file;
    int width = 0;
    int height = 0;
    // The colour index of every pixel, top row first, as the compressed data sets them.
    std::vector<std::vector<int>> indices;
    // The colour table as 0xRRGGBB, the pixel values a surface holds.
    std::vector<std::uint32_t> colors;

    std::uint32_t PixelAt(int x, int y) const { return colors[indices[y][x]]; }
};

// A bottom-up .bmp of the depth and compression (0 = none, 1 = RLE8, 2 = RLE4) with the colour
// table and data.
FileBytes BmpFile(int bitCount, int compression, int width, int height,
                  const std::vector<std::uint32_t>& colors, const FileBytes& data);
// A bottom-up .bmp of the compression (1 = RLE8, 2 = RLE4) with the colour table and data.
FileBytes RunLengthBmpFile(int compression, int width, int height, const std::vector<std::uint32_t>& colors,
                           const FileBytes& data);

// 4 by 3 at RLE8: runs, an absolute stretch with its pad byte, a delta up a row and both end codes.
RunLengthPicture KnownRle8Picture();
// 5 by 3 at RLE4: a run of two alternating colours, an odd absolute stretch, a delta along a row.
RunLengthPicture KnownRle4Picture();
// Codes setting the first pixel of every row of a picture of the rows, and no other.
FileBytes OnePixelARow(int rows);
// The colours both pictures use: index i is a colour of its own.
std::vector<std::uint32_t> RunLengthColors(int count);
