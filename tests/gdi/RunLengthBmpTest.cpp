#include <gtest/gtest.h>

#include <array>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/RunLengthBands.h"
#include "platform/gdi/RunLengthBmp.h"
#include "tests/gdi/LargestAllocation.h"
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

TEST(RunLengthBmp, APictureIsBoundByItsSizeAloneWhateverItsCodes) {
    const std::vector<std::uint32_t> colors = RunLengthColors(256);
    // A 1,080-byte file, the end code alone after its colour table, claiming 8192 by 8192.
    const FileBytes claiming = RunLengthBmpFile(1, 8192, 8192, colors, {0, 1});
    ASSERT_EQ(claiming.size(), 1080u);
    EXPECT_TRUE(ExpandRunLengthBmp(claiming).empty());
    EXPECT_EQ(ReadBmpBytes(claiming).surface, nullptr);
    EXPECT_EQ(ReadCutShortBmpBytes(claiming).surface, nullptr);
    // Up to a megapixel the same code alone is a black picture.
    const BmpImage small = ReadBmpBytes(RunLengthBmpFile(1, 1024, 1024, colors, {0, 1}));
    ASSERT_NE(small.surface, nullptr);
    EXPECT_EQ(small.surface->At(1023, 0), colors[0]);
    // Sixteen megapixels expand whatever the codes; a row more does not.
    EXPECT_FALSE(ExpandRunLengthBmp(RunLengthBmpFile(1, 4096, 4096, colors, {0, 1})).empty());
    EXPECT_TRUE(ExpandRunLengthBmp(RunLengthBmpFile(1, 4096, 4097, colors, {0, 1})).empty());

    // A larger picture whose rows are mostly skipped by end-of-line codes reads pixel for pixel:
    // each row a run of 255 pixels in a colour of its own, the rest of the row left at index 0.
    constexpr int kWidth = 1500, kHeight = 1000;
    FileBytes data;
    for (int row = 0; row < kHeight; ++row)
        data.insert(data.end(), {255, static_cast<BYTE>(1 + row % 255), 0, 0});
    const BmpImage sparse = ReadBmpBytes(RunLengthBmpFile(1, kWidth, kHeight, colors, data));
    ASSERT_NE(sparse.surface, nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int row = kHeight - 1 - y;
            // The table's fourth byte is not part of the colour.
            ASSERT_EQ(sparse.surface->At(x, y), colors[x < 255 ? 1 + row % 255 : 0] & 0xFFFFFF)
                << x << "," << y;
        }

    // Codes that end the picture early, skip rows by deltas or only end lines leave the rest
    // blank: each picture reads at its size, by every reader.
    FileBytes endedEarly(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2));
    endedEarly.insert(endedEarly.end(), {0, 1});
    const FileBytes oneRun = {200, 7, 0, 1};
    FileBytes deltas = {10, 7};
    for (int skip = 0; skip < 3; ++skip) deltas.insert(deltas.end(), {0, 2, 0, 255, 10, 8});
    const FileBytes linesOnly(2 * (kHeight - 1), 0);
    TestFolder folder;
    for (const FileBytes& codes : {endedEarly, oneRun, deltas, linesOnly}) {
        const FileBytes file = RunLengthBmpFile(1, kWidth, kHeight, colors, codes);
        WriteFileBytes(folder / "sparse.bmp", file);
        for (const BmpImage& image :
             {ReadBmpBytes(file), ReadCutShortBmpBytes(file), ReadBmpFile(folder / "sparse.bmp"),
              ReadCutShortBmpFile(folder / "sparse.bmp")}) {
            ASSERT_NE(image.surface, nullptr) << codes.size();
            EXPECT_EQ(image.surface->Width(), kWidth);
            EXPECT_EQ(image.surface->Height(), kHeight);
            EXPECT_EQ(image.surface->At(kWidth - 1, 0), colors[0] & 0xFFFFFF);
        }
    }
    // The deltas move three times 255 rows up, each run 10 pixels on from the last.
    const BmpImage skipped = ReadBmpBytes(RunLengthBmpFile(1, kWidth, kHeight, colors, deltas));
    ASSERT_NE(skipped.surface, nullptr);
    EXPECT_EQ(skipped.surface->At(0, kHeight - 1), colors[7] & 0xFFFFFF);
    EXPECT_EQ(skipped.surface->At(10, kHeight - 1), colors[0] & 0xFFFFFF);
    EXPECT_EQ(skipped.surface->At(39, kHeight - 1 - 3 * 255), colors[8] & 0xFFFFFF);
    EXPECT_EQ(skipped.surface->At(40, kHeight - 1 - 3 * 255), colors[0] & 0xFFFFFF);
}

TEST(RunLengthBmp, A32768By2048FileOfEndOfLineCodesIsRefusedBeforeItsPixelsAreAllocated) {
    // 2,047 end-of-line codes and the end code: every row of it is ended.
    FileBytes codes(2 * 2047, 0);
    codes.insert(codes.end(), {0, 1});
    const FileBytes file = RunLengthBmpFile(1, 32768, 2048, RunLengthColors(256), codes);
    ASSERT_LT(file.size(), 5200u);
    TestFolder folder;
    WriteFileBytes(folder / "tall.bmp", file);
    const LargestAllocation largest;
    EXPECT_TRUE(ExpandRunLengthBmp(file).empty());
    EXPECT_EQ(ReadBmpBytes(file).surface, nullptr);
    EXPECT_EQ(ReadCutShortBmpBytes(file).surface, nullptr);
    EXPECT_EQ(ReadBmpFile(folder / "tall.bmp").surface, nullptr);
    EXPECT_EQ(ReadCutShortBmpFile(folder / "tall.bmp").surface, nullptr);
    // Nothing near the 64 MB of its rows, let alone a surface of 256 MB.
    EXPECT_LT(largest.Bytes(), 64u * 1024);
    EXPECT_GE(largest.Bytes(), file.size());
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

// Reading follows the codes: each run is handed on alone, and a read works on the pixels the
// codes set and, reduced, on the blocks of the bands they reach, never on the declared width,
// and shows what the plain picture shows.
TEST(RunLengthBmp, ReadingWorksOnThePixelsTheCodesSetNotOnTheDeclaredWidth) {
    const FileBytes spread =
        RunLengthBmpFile(1, 4096, 4096, RunLengthColors(3), {0, 2, 9, 200, 5, 1, 0, 0, 7, 2, 0, 1});
    const RunLengthLayout layout = *RunLengthLayoutOf(spread);
    std::vector<std::array<int, 3>> spans;
    DecodeRunLengthSpans(spread.data() + layout.dataAt, spread.size() - layout.dataAt, 8, 4096, 4096,
                         [&](int y, int x, const BYTE*, int count) {
                             spans.push_back({y, x, count});
                         });
    EXPECT_EQ(spans, (std::vector<std::array<int, 3>>{{200, 9, 5}, {201, 0, 7}}));

    constexpr int kWidth = 32768, kRows = 512;
    const FileBytes onePixelARow = RunLengthBmpFile(1, kWidth, kRows, RunLengthColors(2), OnePixelARow(kRows));
    const std::vector<BYTE> plain = ExpandRunLengthBmp(onePixelARow);
    for (const std::size_t shown : {std::size_t{SIZE_MAX}, std::size_t{1} << 20, std::size_t{4096}}) {
        const unsigned long long before = RunLengthBands::PixelsWorked();
        const BmpImage read = ReadBmpBytes(onePixelARow, shown);
        const unsigned long long worked = RunLengthBands::PixelsWorked() - before;
        ASSERT_NE(read.surface, nullptr);
        const int step = kWidth / read.surface->Width();
        // Each band's one block the codes reach, never the width of the band.
        EXPECT_EQ(worked, kRows + (step == 1 ? 0u : read.surface->Height())) << shown;
        const BmpImage expected = ReadBmpBytes(plain, shown);
        ASSERT_EQ(read.surface->Width(), expected.surface->Width());
        EXPECT_TRUE(std::equal(read.surface->Data(),
                               read.surface->Data() + read.surface->Width() * read.surface->Height(),
                               expected.surface->Data()))
            << shown;
    }
}

// Reading straight from the codes shows what reading the plain picture they widen to shows, whole
// and reduced: mixed runs, stretches, deltas and line ends, in drawings whose darkest pixel
// stands for a block (two colours alike in lightness among them) and in pictures averaged.
TEST(RunLengthBmp, ReadingShowsThePixelsOfThePlainPicture) {
    struct Row {
        int compression, width, height;
        std::vector<std::uint32_t> colors;
    };
    const Row rows[] = {
        {1, 301, 203, {0x0B0100, 0x000022, 0x808080, 0x102030}},
        {1, 517, 131, RunLengthColors(256)},
        {2, 255, 260, RunLengthColors(16)},
        {2, 130, 97, {0x000022, 0x0B0100, 0xFFFFFF}},
    };
    unsigned seed = 7;
    const auto next = [&seed](unsigned below) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % below;
    };
    for (const Row& row : rows) {
        FileBytes codes;
        for (int x = 0, y = 0; y < row.height;) {
            const unsigned kind = next(8), room = static_cast<unsigned>(row.width - x);
            if (kind < 3 && room > 0) {
                const unsigned count = 1 + next(std::min(60u, room));
                codes.insert(codes.end(), {static_cast<BYTE>(count), static_cast<BYTE>(next(256))});
                x += static_cast<int>(count);
            } else if (kind < 5 && room >= 3) {
                const unsigned count = 3 + next(std::min(40u, room - 2));
                const unsigned bytes = row.compression == 1 ? count : (count + 1) / 2;
                codes.insert(codes.end(), {0, static_cast<BYTE>(count)});
                for (unsigned at = 0; at < bytes + bytes % 2; ++at)
                    codes.push_back(static_cast<BYTE>(next(256)));
                x += static_cast<int>(count);
            } else if (kind < 7 && y + 2 < row.height) {
                const unsigned dx = next(std::min(20u, room + 1)), dy = next(2);
                codes.insert(codes.end(), {0, 2, static_cast<BYTE>(dx), static_cast<BYTE>(dy)});
                x += static_cast<int>(dx);
                y += static_cast<int>(dy);
            } else {
                codes.insert(codes.end(), {0, 0});
                x = 0;
                ++y;
            }
        }
        const FileBytes file = RunLengthBmpFile(row.compression, row.width, row.height, row.colors, codes);
        const std::vector<BYTE> plain = ExpandRunLengthBmp(file);
        const std::size_t pixels = static_cast<std::size_t>(row.width) * row.height;
        for (const std::size_t shown : {pixels, pixels / 5, pixels / 37, std::size_t{1}}) {
            const BmpImage read = ReadBmpBytes(file, shown);
            const BmpImage expected = ReadBmpBytes(plain, shown);
            ASSERT_NE(read.surface, nullptr);
            ASSERT_EQ(read.surface->Width(), expected.surface->Width());
            ASSERT_EQ(read.surface->Height(), expected.surface->Height());
            EXPECT_TRUE(std::equal(read.surface->Data(),
                                   read.surface->Data() + read.surface->Width() * read.surface->Height(),
                                   expected.surface->Data()))
                << row.width << " shown " << shown;
        }
    }
}
