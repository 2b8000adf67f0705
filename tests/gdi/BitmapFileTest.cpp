#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>

#include <sys/stat.h>

#include "platform/base/FileSystemText.h"
#include "platform/base/WholeFile.h"
#include "platform/gdi/DibFormat.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PlainPictures.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/support/TestFolder.h"

namespace {
std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
unsigned U16(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
unsigned U32(const std::vector<unsigned char>& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// Reads pixel (x, y) of a bottom-up .bmp from its bytes: the colour table entry or the BGR triple.
COLORREF PixelOfFile(const std::vector<unsigned char>& b, int x, int y) {
    const int width = static_cast<int>(U32(b, 18)), height = static_cast<int>(U32(b, 22));
    const int bits = static_cast<int>(U16(b, 28));
    const std::size_t stride = ((width * bits + 31) / 32) * 4;
    const std::size_t row = U32(b, 10) + (height - 1 - y) * stride;
    int index = 0;
    switch (bits) {
        case 1:
            index = (b[row + x / 8] >> (7 - x % 8)) & 1;
            break;
        case 4:
            index = (b[row + x / 2] >> (x % 2 ? 0 : 4)) & 15;
            break;
        case 8:
            index = b[row + x];
            break;
        default:
            return RGB(b[row + x * 3 + 2], b[row + x * 3 + 1], b[row + x * 3]);
    }
    const std::size_t entry = 14 + 40 + index * 4;
    return RGB(b[entry + 2], b[entry + 1], b[entry]);
}
}  // namespace

TEST(BitmapFiles, WrittenFilesReadBackByTheirBytes) {
    TestFolder folder;
    Canvas canvas(13, 5);
    canvas.dc.SetPixel(0, 0, kBlack);
    canvas.dc.SetPixel(12, 4, kBlack);
    canvas.dc.FillSolidRect(3, 1, 2, 2, RGB(255, 0, 0));
    canvas.dc.SetPixel(7, 2, RGB(0, 0, 128));
    for (int bits : {1, 4, 8, 24}) {
        const auto path = folder / ("picture" + std::to_string(bits) + ".bmp");
        ASSERT_TRUE(canvas.bitmap.SaveBmpFile(path.string().c_str(), bits));
        const auto b = ReadAll(path);
        const std::size_t colors = bits <= 8 ? (1u << bits) : 0;
        const std::size_t stride = ((13 * bits + 31) / 32) * 4;
        ASSERT_EQ(b.size(), 14 + 40 + colors * 4 + stride * 5) << bits;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32(b, 2), b.size());
        EXPECT_EQ(U32(b, 10), 14 + 40 + colors * 4);
        EXPECT_EQ(U32(b, 14), 40u);
        EXPECT_EQ(U32(b, 18), 13u);
        EXPECT_EQ(U32(b, 22), 5u);
        EXPECT_EQ(U16(b, 26), 1u);
        EXPECT_EQ(U16(b, 28), static_cast<unsigned>(bits));
        EXPECT_EQ(U32(b, 34), stride * 5);
        EXPECT_EQ(PixelOfFile(b, 0, 0), kBlack) << bits;
        EXPECT_EQ(PixelOfFile(b, 12, 4), kBlack) << bits;
        EXPECT_EQ(PixelOfFile(b, 1, 1), kWhite) << bits;
        if (bits > 1) {
            EXPECT_EQ(PixelOfFile(b, 3, 1), RGB(255, 0, 0)) << bits;
            EXPECT_EQ(PixelOfFile(b, 7, 2), RGB(0, 0, 128)) << bits;
        }
        // Row padding is zero.
        if (bits == 24) {
            EXPECT_EQ(b[U32(b, 10) + 39], 0);
        }

        CBitmap loaded;
        ASSERT_TRUE(loaded.LoadBitmapFile(path.string().c_str()));
        EXPECT_EQ(loaded.GetBitmapDimension(), CSize(13, 5));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&loaded);
        EXPECT_EQ(dc.GetPixel(12, 4), kBlack);
        EXPECT_EQ(dc.GetPixel(1, 1), kWhite);
    }
}

// The program names files in Windows-1252; the disk holds them under their UTF-8 names.
TEST(BitmapFiles, AnAccentedNameIsWrittenAndReadUnderItsUtf8Name) {
    TestFolder folder;
    Canvas canvas(3, 2);
    canvas.dc.SetPixel(2, 1, RGB(255, 0, 0));
    const CString name = PathText(folder.Path()) +
                         "/Br\xFC"
                         "cke.bmp";
    ASSERT_TRUE(canvas.bitmap.SaveBmpFile(name, 24));
    const auto bytes = ReadAll(folder / u8"Br\u00FCcke.bmp");
    ASSERT_EQ(bytes.size(), 14u + 40u + 12u * 2u);
    EXPECT_EQ(PixelOfFile(bytes, 2, 1), RGB(255, 0, 0));
    CBitmap loaded;
    ASSERT_TRUE(loaded.LoadBitmapFile(name));
    EXPECT_EQ(loaded.GetBitmapDimension(), CSize(3, 2));
}

TEST(BitmapFiles, AFailedSaveKeepsTheOldFile) {
    TestFolder folder;
    const auto path = folder / "picture.bmp";
    std::ofstream(path) << "old";
    Canvas canvas(4, 4);
    EXPECT_FALSE(canvas.bitmap.SaveBmpFile(path.string().c_str(), 7));  // no such depth
    EXPECT_FALSE(canvas.bitmap.SaveBmpFile((folder / "none" / "x.bmp").string().c_str(), 24));
    EXPECT_EQ(ReadAll(path).size(), 3u);
    EXPECT_TRUE(canvas.bitmap.SaveBmpFile(path.string().c_str(), 24));
    EXPECT_EQ(ReadAll(path).size(), 14u + 40u + 4u * 12u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(BitmapFiles, DamagedFilesAreRefused) {
    Canvas canvas(4, 4);
    const std::vector<BYTE> good = EncodeBmpFile(*canvas.bitmap.Surface(), 8);
    ASSERT_TRUE(ReadBmpBytes(good).surface);
    std::vector<BYTE> shortFile(good.begin(), good.end() - 1);
    EXPECT_FALSE(ReadBmpBytes(shortFile).surface);
    std::vector<BYTE> hugeWidth = good;
    hugeWidth[21] = 0x7F;
    EXPECT_FALSE(ReadBmpBytes(hugeWidth).surface);
    std::vector<BYTE> tooManyColors = good;
    tooManyColors[47] = 0x10;  // 4096 colours used
    EXPECT_FALSE(ReadBmpBytes(tooManyColors).surface);
    EXPECT_FALSE(ReadBmpBytes({'B', 'M'}).surface);
}

TEST(BitmapFiles, DibSectionsAndDeviceIndependentBits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    CBitmap section;
    void* raw = nullptr;
    ASSERT_TRUE(section.CreateDIBSection(&info, DIB_RGB_COLORS, &raw));
    auto* bits = static_cast<BYTE*>(raw);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&section);
    dc.SetPixel(1, 0, RGB(10, 20, 30));
    EXPECT_EQ(bits[3], 30);  // blue first
    EXPECT_EQ(bits[5], 10);
    bits[12 + 6] = 0xFF;  // second row (rows of 12 bytes), third pixel: blue
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(0, 0, 255));

    // GetDIBits at 8 bits gives the colour table and indexes into it, bottom-up.
    Canvas canvas(3, 2);
    canvas.dc.SetPixel(0, 0, RGB(255, 0, 0));
    std::vector<BYTE> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* asked = reinterpret_cast<BITMAPINFO*>(buffer.data());
    asked->bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(CDC::GetDIBits(&canvas.bitmap, 0, 2, nullptr, asked, DIB_RGB_COLORS), 2);
    EXPECT_EQ(asked->bmiHeader.biSizeImage, 8u);
    BYTE pixels[8];
    EXPECT_EQ(CDC::GetDIBits(&canvas.bitmap, 0, 2, pixels, asked, DIB_RGB_COLORS), 2);
    const RGBQUAD& top = asked->bmiColors[pixels[4]];
    EXPECT_EQ(top.rgbRed, 255);
    EXPECT_EQ(top.rgbGreen, 0);

    // And StretchDIBits puts such a DIB back on a device.
    Canvas target(3, 2, kBlack);
    EXPECT_EQ(target.dc.StretchDIBits(0, 0, 3, 2, 0, 0, 3, 2, pixels, asked, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(target.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(target.At(2, 1), kWhite);
    Canvas again(3, 2, kBlack);
    EXPECT_EQ(again.dc.SetDIBitsToDevice(0, 0, 3, 2, 0, 0, 0, 2, pixels, asked, DIB_RGB_COLORS), 2);
    EXPECT_EQ(again.At(0, 0), RGB(255, 0, 0));
}

namespace {

void Put32(std::vector<BYTE>& bytes, std::size_t at, DWORD value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

// A 32-bit .bmp of two pixels whose header of the given size holds its colour masks.
std::vector<BYTE> MaskedBmp(DWORD headerSize) {
    std::vector<BYTE> bytes(14 + headerSize + 8, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<DWORD>(bytes.size()));
    Put32(bytes, 10, 14 + headerSize);
    const DWORD header[] = {headerSize, 2, 1, 1 | (32 << 16), BI_BITFIELDS, 8,          0,
                            0,          0, 0, 0x0000FF00,     0x00FF0000,   0xFF000000, 0x000000FF};
    std::memcpy(bytes.data() + 14, header, sizeof header);
    Put32(bytes, 14 + headerSize, 0xFF00FF00);  // red and blue
    Put32(bytes, 18 + headerSize, 0x00FF00FF);  // green
    return bytes;
}

}  // namespace

TEST(BitmapFiles, LargerHeadersKeepTheirColourMasksInside) {
    for (const DWORD headerSize : {108u, 124u}) {
        const BmpImage image = ReadBmpBytes(MaskedBmp(headerSize));
        ASSERT_TRUE(image.surface) << headerSize;
        EXPECT_EQ(image.bitCount, 32);
        EXPECT_EQ(image.surface->At(0, 0), 0xFF00FFu) << headerSize;
        EXPECT_EQ(image.surface->At(1, 0), 0x00FF00u) << headerSize;
    }
}

TEST(BitmapFiles, PicturesOfMorePixelsThanTheLimitAreRefused) {
    // A monochrome picture one row beyond the limit: small as a file, large as pixels.
    const int width = 8192;
    const int height = kLargestBmpPixels / width + 1;
    const DWORD stride = width / 8;
    std::vector<BYTE> bytes(14 + 40 + 8 + static_cast<std::size_t>(stride) * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 10, 14 + 40 + 8);
    const DWORD header[] = {40, width, static_cast<DWORD>(height), 1 | (1 << 16), BI_RGB, 0, 0, 0, 2, 0};
    std::memcpy(bytes.data() + 14, header, sizeof header);
    EXPECT_FALSE(ReadBmpBytes(bytes).surface);
    Put32(bytes, 22, static_cast<DWORD>(height - 1));  // at the limit
    const BmpImage image = ReadBmpBytes(bytes);
    ASSERT_TRUE(image.surface);
    EXPECT_EQ(image.surface->Height(), height - 1);
}

TEST(BitmapFiles, OnlyRegularFilesAreRead) {
    TestFolder folder;
    const std::filesystem::path fifo = folder / "pipe.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A pipe nobody writes to would block the reader for ever.
    EXPECT_FALSE(ReadBmpFile(fifo.c_str()).surface);
    EXPECT_FALSE(ReadBmpFile("/dev/zero").surface);
    EXPECT_FALSE(ReadBmpFile(folder.Path().c_str()).surface);
    const std::filesystem::path file = folder / "two.bmp";
    std::ofstream(file, std::ios::binary)
        << std::string(reinterpret_cast<const char*>(MaskedBmp(108).data()), 130);
    EXPECT_TRUE(ReadBmpFile(file.c_str()).surface);

    // Only the bytes the picture needs are read: what follows it, however long, is left alone.
    std::filesystem::resize_file(file, std::uintmax_t{3} << 30);
    const BmpImage image = ReadBmpFile(file.c_str());
    ASSERT_TRUE(image.surface);
    EXPECT_EQ(image.surface->At(1, 0), 0x00FF00u);
}

// A small picture's file, plain or run-length, is read in one opening, what follows its picture
// left out; a larger one's headers come first, then the bytes its picture needs.
TEST(BitmapFiles, ASmallPictureFileIsOpenedOnce) {
    TestFolder folder;
    const FileBytes small = EncodeBmpFile(PixelSurface(5, 3, 0x808080), 8);
    FileBytes trailed = small;
    trailed.resize(small.size() + 1000, 0xAB);
    const FileBytes runLength = KnownRle8Picture().file, large = OneBitPicture(1024);
    for (const auto& [bytes, read, openings] :
         {std::tuple(small, small, 1u), std::tuple(trailed, small, 1u), std::tuple(runLength, runLength, 1u),
          std::tuple(large, large, 2u)}) {
        WriteFileBytes(folder / "picture.bmp", bytes);
        const std::size_t before = RegularFileOpenings();
        EXPECT_EQ(ReadBmpFileBytes(folder / "picture.bmp"), read);
        EXPECT_EQ(RegularFileOpenings() - before, openings);
    }
}
