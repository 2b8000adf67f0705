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
