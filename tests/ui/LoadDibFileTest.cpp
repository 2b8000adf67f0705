#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/ProgramName.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"
#include "tests/support/CacheHomeInFolder.h"
#include "tests/support/PlainPictures.h"
#include "tests/ui/BitmapFileFixture.h"
#include "ui/LoadDibFile.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kWidth = 8;
constexpr int kHeight = 6;
// The file header and the 40-byte information header.
constexpr std::size_t kHeaders = 54;

// The top half blue, the bottom half yellow: colours every depth has.
std::vector<BYTE> TwoBandsFile(int bitCount) {
    PixelSurface surface(kWidth, kHeight, PixelFromColor(kBlue));
    for (int y = kHeight / 2; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) surface.Set(x, y, PixelFromColor(kYellow));
    return EncodeBmpFile(surface, bitCount);
}

class LoadDibFileTest : public BitmapFileFixture {};

}  // namespace

TEST_F(LoadDibFileTest, TrueColourAndPalettedFilesLoadAndAMissingOneLeavesTheArrow) {
    for (int bitCount : {24, 8}) {
        std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, Write(TwoBandsFile(bitCount)).c_str());
        ASSERT_NE(bitmap, nullptr) << bitCount;
        EXPECT_EQ(bitmap->GetBitmapDimension(), CSize(kWidth, kHeight));
        EXPECT_EQ(PixelOf(*bitmap, 3, 0), kBlue) << bitCount;
        EXPECT_EQ(PixelOf(*bitmap, 3, kHeight - 1), kYellow) << bitCount;
    }
    EXPECT_EQ(LoadDibFile(nullptr, (folder / "missing.bmp").c_str()), nullptr);
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_ARROW));
}

TEST_F(LoadDibFileTest, AFileCutShortInsideItsPixelsLoadsTheRestBlack) {
    std::vector<BYTE> bytes = TwoBandsFile(24);
    // The rows are stored bottom up: keep the three yellow rows and one pixel more.
    const std::size_t row = DibStride(kWidth, 24);
    bytes.resize(kHeaders + 3 * row + 3);
    std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, Write(bytes).c_str());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelOf(*bitmap, 5, kHeight - 1), kYellow);
    EXPECT_EQ(PixelOf(*bitmap, 0, 2), kBlue);
    EXPECT_EQ(PixelOf(*bitmap, 1, 2), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(*bitmap, 4, 0), RGB(0, 0, 0));
}

TEST_F(LoadDibFileTest, HeadersThatDoNotHoldAreRefused) {
    const std::vector<BYTE> good = TwoBandsFile(24);
    auto withDword = [&good](std::size_t at, DWORD value) {
        std::vector<BYTE> bytes = good;
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
        return bytes;
    };
    // Pixel offsets inside the headers, beyond the file and far beyond it.
    for (DWORD offset : {0u, 13u, 53u, static_cast<DWORD>(good.size() + 1), 0xFFFFFFF0u})
        EXPECT_EQ(LoadDibFile(nullptr, Write(withDword(10, offset)).c_str()), nullptr) << offset;
    // An information header larger than the file, no width, a height beyond every picture.
    EXPECT_EQ(LoadDibFile(nullptr, Write(withDword(14, 0x7FFFFFFF)).c_str()), nullptr);
    EXPECT_EQ(LoadDibFile(nullptr, Write(withDword(18, 0)).c_str()), nullptr);
    EXPECT_EQ(LoadDibFile(nullptr, Write(withDword(22, 0x40000000)).c_str()), nullptr);
    // A colour count larger than the depth has colours.
    std::vector<BYTE> paletted = TwoBandsFile(8);
    paletted[46] = 0xFF;
    paletted[47] = 0x01;
    EXPECT_EQ(LoadDibFile(nullptr, Write(paletted).c_str()), nullptr);
    // The file-size field is not trusted: a wrong one changes nothing.
    ASSERT_NE(LoadDibFile(nullptr, Write(withDword(2, 7)).c_str()), nullptr);
}

TEST_F(LoadDibFileTest, EveryPrefixAndEveryCorruptedHeaderByteGivesABitmapOrNothing) {
    for (int bitCount : {24, 8}) {
        const std::vector<BYTE> good = TwoBandsFile(bitCount);
        int loaded = 0;
        for (std::size_t length = 0; length <= good.size(); ++length) {
            const std::vector<BYTE> prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
            std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, Write(prefix).c_str());
            if (bitmap != nullptr) {
                ++loaded;
                EXPECT_EQ(bitmap->GetBitmapDimension(), CSize(kWidth, kHeight));
            }
        }
        // Every prefix that reaches the pixels loads; none before them does.
        const std::size_t pixels =
            good.size() - static_cast<std::size_t>(DibStride(kWidth, bitCount)) * kHeight;
        EXPECT_EQ(loaded, static_cast<int>(good.size() - pixels + 1)) << bitCount;
        for (std::size_t at = 0; at < kHeaders; ++at)
            for (BYTE value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                std::vector<BYTE> bytes = good;
                bytes[at] = value;
                std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, Write(bytes).c_str());
                if (bitmap != nullptr) {
                    const CSize size = bitmap->GetBitmapDimension();
                    EXPECT_LE(static_cast<long long>(size.cx) * size.cy, kLargestBmpPixels);
                }
            }
    }
}

TEST_F(LoadDibFileTest, AFileReplacedByRenameWithTheSameSizeAndTimeIsReadAgain) {
    const CString path = Write(TwoBandsFile(24));
    std::unique_ptr<CBitmap> first = LoadDibFile(nullptr, path.c_str());
    ASSERT_NE(first, nullptr);
    // Another picture of the same size, stamped with the first file's time, renamed over it
    // while the first bitmap still holds the picture read before.
    const std::vector<BYTE> yellow =
        EncodeBmpFile(PixelSurface(kWidth, kHeight, PixelFromColor(kYellow)), 24);
    const std::filesystem::path replacement = folder / "replacement.bmp";
    WriteFileBytes(replacement, yellow);
    std::filesystem::last_write_time(replacement, std::filesystem::last_write_time(path.c_str()));
    ASSERT_EQ(std::filesystem::file_size(replacement), std::filesystem::file_size(path.c_str()));
    std::filesystem::rename(replacement, path.c_str());

    std::unique_ptr<CBitmap> second = LoadDibFile(nullptr, path.c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(PixelOf(*second, 3, 0), kYellow);
    EXPECT_EQ(PixelOf(*first, 3, 0), kBlue);
}

// Pictures past the memory budget that the cache folder refuses still load and show; the user
// hears once which folder refused them and why.
TEST_F(LoadDibFileTest, ACacheFolderThatRefusesPicturesIsToldOnce) {
    HeadlessHost host;
    const CacheHomeInFolder cache;
    const auto held = SpendThePictureBudget(folder.Path());
    const std::filesystem::path plainFile = cache.Folder() / "file";
    WriteFileBytes(plainFile, FileBytes{1});
    setenv("XDG_CACHE_HOME", plainFile.c_str(), 1);
    for (const char* name : {"first.bmp", "second.bmp", "third.bmp"}) {
        const std::unique_ptr<CBitmap> bitmap = LoadDibFile(nullptr, Write(TwoBandsFile(24), name).c_str());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(CDecodedPictures::Shown(bitmap->Surface())->Width(), kWidth);
    }
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    const std::string text = host.MessageBoxes().front().text.c_str();
    EXPECT_NE(text.find((plainFile / ProgramFolderName() / "pictures").string()), std::string::npos) << text;
    EXPECT_NE(text.find("Not a directory"), std::string::npos) << text;
}
