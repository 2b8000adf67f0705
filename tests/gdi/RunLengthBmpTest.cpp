#include <gtest/gtest.h>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/RunLengthBmp.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/support/TestFolder.h"

namespace {

void ExpectPixels(const RunLengthPicture& picture, const BmpImage& image, const char* how) {
    ASSERT_NE(image.surface, nullptr) << how;
    ASSERT_EQ(image.surface->Width(), picture.width) << how;
    ASSERT_EQ(image.surface->Height(), picture.height) << how;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            EXPECT_EQ(image.surface->At(x, y), picture.PixelAt(x, y)) << how << " at " << x << "," << y;
}

// Pixels as colour indices, top row first, decoded from data into a zeroed picture.
std::vector<std::vector<int>> Decode(int bitCount, int width, int height, const FileBytes& data) {
    const int stride = DibStride(width, bitCount);
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * height, 0);
    DecodeRunLength(data.data(), data.size(), bitCount, width, height, stride, rows.data());
    std::vector<std::vector<int>> indices(height, std::vector<int>(width));
    for (int y = 0; y < height; ++y) {
        const BYTE* row = rows.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x)
            indices[y][x] = bitCount == 8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    }
    return indices;
}

}  // namespace

TEST(RunLengthBmp, EightAndFourBitPicturesReadPixelForPixelByEveryReader) {
    TestFolder folder;
    for (const RunLengthPicture& picture : {KnownRle8Picture(), KnownRle4Picture()}) {
        ASSERT_TRUE(IsRunLengthBmp(picture.file));
        ExpectPixels(picture, ReadBmpBytes(picture.file), "bytes");
        ExpectPixels(picture, ReadCutShortBmpBytes(picture.file), "cut-short bytes");
        const auto path = folder / "picture.bmp";
        WriteFileBytes(path, picture.file);
        ExpectPixels(picture, ReadBmpFile(path), "file");
        ExpectPixels(picture, ReadCutShortBmpFile(path), "cut-short file");

        // The plain file it widens to holds the indices themselves, and saves back alike.
        const std::vector<BYTE> plain = ExpandRunLengthBmp(picture.file);
        ASSERT_FALSE(IsRunLengthBmp(plain));
        const BmpImage image = ReadBmpBytes(plain);
        ExpectPixels(picture, image, "plain");
        ExpectPixels(picture, ReadBmpBytes(EncodeBmpFile(*image.surface, 24)), "saved again");
    }
}

TEST(RunLengthBmp, RunsAndDeltasPastTheRowOrPictureEndTheDecode) {
    const std::vector<std::vector<int>> blank(2, std::vector<int>(4, 0));
    // A run longer than its row fills the row, then nothing after it is read.
    EXPECT_EQ(Decode(8, 4, 2, {6, 1, 0, 0, 4, 2}),
              (std::vector<std::vector<int>>{{0, 0, 0, 0}, {1, 1, 1, 1}}));
    // An absolute stretch past the row, likewise.
    EXPECT_EQ(Decode(8, 4, 2, {1, 3, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 4, 2}),
              (std::vector<std::vector<int>>{{0, 0, 0, 0}, {3, 1, 2, 3}}));
    // A delta past the top or the right edge.
    EXPECT_EQ(Decode(8, 4, 2, {1, 3, 0, 2, 0, 2, 1, 4}),
              (std::vector<std::vector<int>>{{0, 0, 0, 0}, {3, 0, 0, 0}}));
    EXPECT_EQ(Decode(8, 4, 2, {0, 2, 5, 0, 1, 4}), blank);
    // An end of line on the top row ends the picture; a stretch cut short is not read.
    EXPECT_EQ(Decode(4, 4, 2, {0, 0, 0, 0, 4, 0x11}), blank);
    EXPECT_EQ(Decode(4, 4, 2, {2, 0x77, 0, 4, 0x12}),
              (std::vector<std::vector<int>>{{0, 0, 0, 0}, {7, 7, 0, 0}}));
    // A delta to the very end of a row is allowed; a pixel there is not.
    EXPECT_EQ(Decode(8, 4, 2, {0, 2, 4, 0, 0, 0, 1, 5, 0, 2, 3, 0, 1, 6, 1, 7}),
              (std::vector<std::vector<int>>{{5, 0, 0, 0}, {0, 0, 0, 0}}));

    // Headers that do not fit the compression, or a top-down picture, are refused.
    RunLengthPicture picture = KnownRle8Picture();
    FileBytes wrongDepth = picture.file;
    wrongDepth[28] = 4;
    FileBytes topDown = picture.file;
    for (int i = 22; i < 26; ++i) topDown[i] = 0xFF;
    topDown[22] = 0xFD;
    FileBytes tableMissing(picture.file.begin(), picture.file.begin() + 60);
    for (const FileBytes& refused : {wrongDepth, topDown, tableMissing}) {
        EXPECT_TRUE(ExpandRunLengthBmp(refused).empty());
        EXPECT_EQ(ReadBmpBytes(refused).surface, nullptr);
        EXPECT_EQ(ReadCutShortBmpBytes(refused).surface, nullptr);
    }
}

TEST(RunLengthBmp, APictureLargerThanItsDataCanReachIsRefusedBeforeItIsExpanded) {
    // Each run or stretch counts its pixels; an end of line, a delta and the end one row each.
    EXPECT_EQ(RunLengthReach(KnownRle8Picture().file.data() + 70, 20, 8, 4), 2u + 2 + 4 + 3 + 4 + 1 + 4);
    EXPECT_EQ(RunLengthReach(KnownRle4Picture().file.data() + 118, 24, 4, 5), 5u + 5 + 5 + 5 + 5 + 2 + 5);

    // A 1,080-byte file, the end code alone after its colour table, claiming 8192 by 8192.
    const FileBytes claiming = RunLengthBmpFile(1, 8192, 8192, RunLengthColors(256), {0, 1});
    ASSERT_EQ(claiming.size(), 1080u);
    EXPECT_EQ(RunLengthReach(claiming.data() + 1078, 2, 8, 8192), 8192u);
    EXPECT_TRUE(ExpandRunLengthBmp(claiming).empty());
    EXPECT_EQ(ReadBmpBytes(claiming).surface, nullptr);
    EXPECT_EQ(ReadCutShortBmpBytes(claiming).surface, nullptr);
    // Up to a megapixel the same code alone is a black picture.
    const BmpImage small = ReadBmpBytes(RunLengthBmpFile(1, 1024, 1024, RunLengthColors(256), {0, 1}));
    ASSERT_NE(small.surface, nullptr);
    EXPECT_EQ(small.surface->At(1023, 0), RunLengthColors(256)[0]);

    // A larger picture whose rows are mostly skipped by end-of-line codes reads pixel for pixel:
    // each row a run of 255 pixels in a colour of its own, the rest of the row left at index 0.
    constexpr int kWidth = 1500, kHeight = 1000;
    FileBytes data;
    for (int row = 0; row < kHeight; ++row)
        data.insert(data.end(), {255, static_cast<BYTE>(1 + row % 255), 0, 0});
    const std::vector<std::uint32_t> colors = RunLengthColors(256);
    const BmpImage sparse = ReadBmpBytes(RunLengthBmpFile(1, kWidth, kHeight, colors, data));
    ASSERT_NE(sparse.surface, nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int row = kHeight - 1 - y;
            // The table's fourth byte is not part of the colour.
            ASSERT_EQ(sparse.surface->At(x, y), colors[x < 255 ? 1 + row % 255 : 0] & 0xFFFFFF)
                << x << "," << y;
        }
    // Codes that end the picture after half its rows reach too little of it.
    FileBytes endedEarly(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2));
    endedEarly.insert(endedEarly.end(), {0, 1});
    EXPECT_EQ(ReadBmpBytes(RunLengthBmpFile(1, kWidth, kHeight, colors, endedEarly)).surface, nullptr);
}

TEST(RunLengthBmp, ALargePlainFileCutShortLoadsOnlyWhileItHoldsAtLeastHalfItsPixels) {
    constexpr int kWidth = 1200, kHeight = 1000;
    PixelSurface surface(kWidth, kHeight, 0x336699);
    const std::vector<BYTE> whole = EncodeBmpFile(surface, 24);
    const std::size_t pixelsAt = whole.size() - static_cast<std::size_t>(DibStride(kWidth, 24)) * kHeight;
    // Cut inside its last rows, the top rows of a bottom-up file: the rest reads black.
    std::vector<BYTE> cut(whole.begin(), whole.end() - 5 * DibStride(kWidth, 24) - 6);
    const BmpImage read = ReadCutShortBmpBytes(cut);
    ASSERT_NE(read.surface, nullptr);
    EXPECT_EQ(read.surface->At(0, kHeight - 1), 0x336699u);
    EXPECT_EQ(read.surface->At(kWidth - 3, 5), 0x336699u);
    EXPECT_EQ(read.surface->At(kWidth - 2, 5), 0u);
    EXPECT_EQ(read.surface->At(0, 0), 0u);
    // Half the pixels held still loads; a byte less, or the headers alone, do not.
    const std::size_t half = (whole.size() - pixelsAt) / 2;
    EXPECT_NE(ReadCutShortBmpBytes(std::vector<BYTE>(whole.begin(), whole.begin() + pixelsAt + half)).surface,
              nullptr);
    EXPECT_EQ(
        ReadCutShortBmpBytes(std::vector<BYTE>(whole.begin(), whole.begin() + pixelsAt + half - 1)).surface,
        nullptr);
    EXPECT_EQ(ReadCutShortBmpBytes(std::vector<BYTE>(whole.begin(), whole.begin() + pixelsAt)).surface,
              nullptr);
}
