#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/DibFormat.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/support/TestFolder.h"

// Sixteen 4096 by 4096 pictures from small run-length files, held together, stay within the
// budget: the first is whole, every one shows, and a picture reduced holds every step-th pixel
// of every step-th row. Once they are let go, a picture is read whole again.
TEST(DecodedPictures, PicturesHeldTogetherShareOneBudget) {
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held;
    for (int picture = 0; picture < 16; ++picture) {
        const auto path = folder / ("large" + std::to_string(picture) + ".bmp");
        WriteFileBytes(path, RunLengthBmpFile(1, 4096, 4096, RunLengthColors(2), {0, 1}));
        held.push_back(CDecodedPictures::Read(path));
        ASSERT_NE(held.back(), nullptr);
        EXPECT_GE(held.back()->Width(), kSmallestReducedSide);
    }
    EXPECT_EQ(held.front()->Width(), 4096);
    EXPECT_LE(CDecodedPictures::HeldBytes(), CDecodedPictures::kBudgetBytes);

    PixelSurface known(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) known.Set(x, y, static_cast<std::uint32_t>(x << 8 | y));
    WriteFileBytes(folder / "known.bmp", EncodeBmpFile(known, 24));
    const std::shared_ptr<PixelSurface> reduced = CDecodedPictures::Read(folder / "known.bmp");
    ASSERT_NE(reduced, nullptr);
    ASSERT_LT(reduced->Width(), 256);
    const int step = (256 + reduced->Width() - 1) / reduced->Width();
    for (int y = 0; y < reduced->Height(); ++y)
        for (int x = 0; x < reduced->Width(); ++x)
            ASSERT_EQ(reduced->At(x, y), known.At(x * step, y * step)) << x << "," << y;

    const auto first = folder / "large0.bmp";
    held.clear();
    EXPECT_EQ(CDecodedPictures::Read(first)->Width(), 4096);
}
