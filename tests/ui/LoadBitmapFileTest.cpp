#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/ui/BitmapFileFixture.h"
#include "ui/LoadBitmapFile.h"
#include "ui/LoadDibFile.h"

namespace {
constexpr COLORREF kRed = RGB(220, 20, 30);
constexpr COLORREF kGreen = RGB(0, 128, 0);

// A bitmap file of width by height pixels, the left half red and the right half green.
std::vector<BYTE> HalvesFile(int width, int height, int bitCount) {
    PixelSurface surface(width, height, PixelFromColor(kRed));
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x) surface.Set(x, y, PixelFromColor(kGreen));
    return EncodeBmpFile(surface, bitCount);
}

void PutDword(std::vector<BYTE>& bytes, std::size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

class LoadBitmapFileTest : public BitmapFileFixture {};
}  // namespace

TEST_F(LoadBitmapFileTest, ReadsTrueColourAndPalettedFilesWithTheirPalettes) {
    for (int bitCount : {24, 8, 4}) {
        CBitmap bitmap;
        CPalette palette;
        ASSERT_EQ(LoadBitmapFile(Write(HalvesFile(10, 6, bitCount), "halves.bmp"), bitmap, &palette), 1)
            << bitCount;
        BITMAP shape{};
        bitmap.GetBitmap(&shape);
        EXPECT_EQ(shape.bmWidth, 10);
        EXPECT_EQ(shape.bmHeight, 6);
        if (bitCount == 24) {
            EXPECT_EQ(PixelOf(bitmap, 0, 0), kRed);
            EXPECT_EQ(PixelOf(bitmap, 9, 5), kGreen);
        } else {
            // The 4-bit file says 0 colours used: its table has 16 entries, the 8-bit one 256.
            EXPECT_EQ(palette.GetEntryCount(), bitCount == 4 ? 16 : 256);
            EXPECT_EQ(PixelOf(bitmap, 9, 5), kGreen);
        }
    }
}

// Pattern previews read through LoadBitmapFile, plan pictures and 3D bitmaps through LoadDibFile.
TEST_F(LoadBitmapFileTest, RunLengthFilesLoadPixelForPixelAsPreviewsAndAsPictures) {
    for (const RunLengthPicture& picture : {KnownRle8Picture(), KnownRle4Picture()}) {
        const CString path = Write(picture.file, "compressed.bmp");
        CBitmap preview;
        CPalette palette;
        ASSERT_EQ(LoadBitmapFile(path, preview, &palette), 1);
        EXPECT_EQ(palette.GetEntryCount(), static_cast<int>(picture.colors.size()));
        const std::unique_ptr<CBitmap> loaded = LoadDibFile(nullptr, path);
        ASSERT_NE(loaded, nullptr);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t p = picture.PixelAt(x, y);
                const COLORREF expected = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
                EXPECT_EQ(PixelOf(preview, x, y), expected) << x << "," << y;
                EXPECT_EQ(PixelOf(*loaded, x, y), expected) << x << "," << y;
            }
    }
}

TEST_F(LoadBitmapFileTest, MoreThanTwoHundredFiftySixTableEntriesGiveNoPaletteButAPicture) {
    std::vector<BYTE> file = HalvesFile(4, 2, 24);
    const std::size_t tableStart = 14 + 40;
    file.insert(file.begin() + tableStart, 300 * 4, 0);
    PutDword(file, 46, 300);                                    // colours used
    PutDword(file, 10, static_cast<DWORD>(tableStart + 1200));  // pixel offset
    CBitmap bitmap;
    CPalette palette;
    ASSERT_EQ(LoadBitmapFile(Write(file, "wide-table.bmp"), bitmap, &palette), 1);
    EXPECT_EQ(palette.GetEntryCount(), 0);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), kRed);
    EXPECT_EQ(PixelOf(bitmap, 3, 1), kGreen);
}

TEST_F(LoadBitmapFileTest, RefusesEveryHeaderThatPromisesMoreThanTheFileHolds) {
    const std::vector<BYTE> good = HalvesFile(8, 8, 8);
    struct Damage {
        const char* what;
        std::function<void(std::vector<BYTE>&)> apply;
    };
    const std::vector<Damage> damages = {
        {"not BM", [](auto& f) { f[0] = 'X'; }},
        {"file header only", [](auto& f) { f.resize(14); }},
        {"shorter than a header", [](auto& f) { f.resize(13); }},
        {"info header cut", [](auto& f) { f.resize(30); }},
        {"pixels cut", [](auto& f) { f.pop_back(); }},
        {"colour table cut", [](auto& f) { f.resize(14 + 40 + 100); }},
        {"more colours than the depth", [](auto& f) { PutDword(f, 46, 257); }},
        {"header larger than the file", [](auto& f) { PutDword(f, 14, 0x7FFFFFFF); }},
        {"header smaller than its fields", [](auto& f) { PutDword(f, 14, 12); }},
        {"pixel offset past the end", [](auto& f) { PutDword(f, 10, static_cast<DWORD>(f.size() + 1)); }},
        {"pixel offset inside the table", [](auto& f) { PutDword(f, 10, 14 + 40 + 4); }},
        {"pixel offset leaves too few rows",
         [](auto& f) { PutDword(f, 10, static_cast<DWORD>(f.size() - 8)); }},
        {"taller than the pixels", [](auto& f) { PutDword(f, 22, 9); }},
        {"negative width", [](auto& f) { PutDword(f, 18, static_cast<DWORD>(-8)); }},
        {"odd depth", [](auto& f) { f[28] = 7; }},
        {"run-length compressed at another depth", [](auto& f) { PutDword(f, 30, 2); }},
    };
    for (const Damage& damage : damages) {
        std::vector<BYTE> file = good;
        damage.apply(file);
        CBitmap bitmap;
        CPalette palette;
        EXPECT_EQ(LoadBitmapFile(Write(file, "damaged.bmp"), bitmap, &palette), 0) << damage.what;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr) << damage.what;
        EXPECT_EQ(palette.GetEntryCount(), 0) << damage.what;
    }
    // A deep bitmap whose colour count runs past the file.
    std::vector<BYTE> deep = HalvesFile(8, 8, 24);
    PutDword(deep, 46, 0xFFFFFFFF);
    CBitmap bitmap;
    EXPECT_EQ(LoadBitmapFile(Write(deep, "deep.bmp"), bitmap, nullptr), 0);
    EXPECT_EQ(LoadBitmapFile(CString((folder / "missing.bmp").string().c_str()), bitmap, nullptr), 0);
}

TEST_F(LoadBitmapFileTest, RandomlyDamagedHeadersAreReadOrRefusedButNeverOverrun) {
    const std::vector<BYTE> good = HalvesFile(16, 16, 4);
    std::mt19937 random(17);
    int refused = 0;
    for (int round = 0; round < 1000; ++round) {
        std::vector<BYTE> file = good;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) file[random() % (14 + 40 + 64)] = static_cast<BYTE>(random());
        if (random() % 3 == 0)
            file.resize(random() % file.size());
        CBitmap bitmap;
        CPalette palette;
        const int loaded = LoadBitmapFile(Write(file, "fuzzed.bmp"), bitmap, &palette);
        refused += loaded ? 0 : 1;
        if (loaded) {
            BITMAP shape{};
            bitmap.GetBitmap(&shape);
            EXPECT_GT(shape.bmWidth, 0);
        }
    }
    EXPECT_GT(refused, 300);
    EXPECT_LT(refused, 1000);
}
