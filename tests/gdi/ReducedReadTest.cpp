#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/ReducedRow.h"
#include "tests/support/RunLengthPictures.h"

namespace {

// Rows of colour indices, bottom row first and padded: mostly the background index, with runs of
// it broken by others, some past the colour table.
FileBytes IndexRows(int bitCount, int width, int height, int background, unsigned& seed) {
    const auto next = [&seed](unsigned below) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % below;
    };
    const int stride = DibStride(width, bitCount);
    FileBytes rows(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned index = next(8) < 6 ? background : next(1u << bitCount);
            const int shift = 8 - bitCount * (x % (8 / bitCount) + 1);
            rows[static_cast<std::size_t>(y) * stride + x * bitCount / 8] |=
                static_cast<BYTE>(index << shift);
        }
    return rows;
}

// The picture read whole, then each block of step by step pixels reduced a pixel at a time.
std::vector<std::uint32_t> DecodedThenReduced(const PixelSurface& whole, int step, bool darkest) {
    const int width = (whole.Width() + step - 1) / step, height = (whole.Height() + step - 1) / step;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    ReducedRow reduced(width, darkest);
    for (int y = 0; y < height; ++y) {
        reduced.Start();
        for (int sourceY = y * step; sourceY < std::min((y + 1) * step, whole.Height()); ++sourceY)
            for (int x = 0; x < whole.Width(); ++x) reduced.Add(x / step, whole.At(x, sourceY));
        reduced.Finish(&pixels[static_cast<std::size_t>(y) * width]);
    }
    return pixels;
}

}  // namespace

// A picture of colour indices read reduced shows, at every step, what reading it whole and reducing
// that shows: 1, 4 and 8 bits, odd sizes, indices past the table, the darkest colour first or last
// in the table, two colours equally light, and an 8-bit picture of many colours, averaged.
TEST(ReducedRead, ShowsThePixelsOfThePictureReadWholeThenReduced) {
    struct Row {
        int bitCount, width, height, background;
        std::vector<std::uint32_t> colors;
    };
    const Row rows[] = {
        {1, 1001, 67, 0, {0xFFFFFF, 0x000000}},
        {1, 837, 71, 1, {0x102030, 0xF0E0D0}},
        {4, 999, 65, 3, RunLengthColors(16)},
        {4, 131, 1003, 2, {0xFFFFFF, 0x808080, 0xC0C0C0}},
        {4, 901, 97, 2, {0x0B0100, 0x000022, 0xFFFFFF}},
        {8, 1003, 97, 4, RunLengthColors(5)},
        {8, 71, 1019, 15, RunLengthColors(16)},
        {8, 1013, 67, 200, RunLengthColors(256)},
    };
    unsigned seed = 11;
    for (const Row& row : rows) {
        const FileBytes file = BmpFile(row.bitCount, 0, row.width, row.height, row.colors,
                                       IndexRows(row.bitCount, row.width, row.height, row.background, seed));
        const BmpImage whole = ReadBmpBytes(file);
        ASSERT_NE(whole.surface, nullptr);
        const bool darkest = row.colors.size() <= 16;
        for (const int side : {520, 333, 200, 127, 77, 64}) {
            const int step = ReductionStep(row.width, row.height, SIZE_MAX, side);
            const BmpImage reduced = ReadBmpBytes(file, SIZE_MAX, side);
            ASSERT_NE(reduced.surface, nullptr);
            const std::vector<std::uint32_t> expected = DecodedThenReduced(*whole.surface, step, darkest);
            ASSERT_EQ(static_cast<std::size_t>(reduced.surface->Width()) * reduced.surface->Height(),
                      expected.size());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reduced.surface->Data()))
                << row.bitCount << " bits, " << row.width << " by " << row.height << ", step " << step;
        }
    }
}
