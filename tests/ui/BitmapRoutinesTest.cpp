#include "ui/BitmapRoutines.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/gdi/CDC.h"
#include "tests/support/TestFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WithoutPermissionOverride.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
unsigned U16(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
unsigned U32(const std::vector<unsigned char>& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// A bitmap of the given depth: white, a red pixel at (0, 0), a black one at (width - 1, height - 1).
void MakePicture(CBitmap& bitmap, int bits, int width, int height) {
    ASSERT_TRUE(bitmap.CreateBitmap(width, height, 1, bits, nullptr));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    dc.SetPixel(0, 0, RGB(255, 0, 0));
    dc.SetPixel(width - 1, height - 1, RGB(0, 0, 0));
}

// While it lasts, this process is held to file permissions even when it runs as root.
}  // namespace

TEST(BitmapRoutines, ColourTableSizes) {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 4, 4, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(DibColorCount(&header), 256);
    EXPECT_EQ(DibPaletteSize(&header), 1024);
    header.biClrUsed = 20;
    EXPECT_EQ(DibColorCount(&header), 20);
    header.biClrUsed = 0;
    header.biBitCount = 4;
    EXPECT_EQ(DibColorCount(&header), 16);
    header.biBitCount = 1;
    EXPECT_EQ(DibPaletteSize(&header), 8);
    header.biBitCount = 24;
    EXPECT_EQ(DibColorCount(&header), 0);
    BITMAPCOREHEADER core{sizeof(BITMAPCOREHEADER), 4, 4, 1, 8};
    EXPECT_EQ(DibColorCount(&core), 256);
    EXPECT_EQ(DibPaletteSize(&core), 768);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    EXPECT_EQ(DeviceColorCount(&screen), 1ULL << 32);
    CPalette* system = CopySystemPalette();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetEntryCount(), 256);
}

TEST(BitmapRoutines, SavedFilesReadBackByTheirBytes) {
    TestFolder folder;
    for (int bits : {1, 4, 8, 24}) {
        CBitmap bitmap;
        MakePicture(bitmap, bits == 24 ? 32 : bits, 3, 2);
        HDIB dib = MakePackedDib(&bitmap, nullptr);
        ASSERT_NE(dib, nullptr) << bits;
        const fs::path path = folder / ("view" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(SaveDIB(dib, path.c_str()), kDibSaved);
        EXPECT_EQ(DestroyDIB(dib), 0);

        const auto b = ReadAll(path);
        const unsigned colors = bits <= 8 ? 1u << bits : 0;
        const unsigned stride = bits == 24 ? 12 : 4;  // 3 pixels: 9 bytes rounded up to 12
        ASSERT_EQ(b.size(), 14 + 40 + colors * 4 + stride * 2) << bits;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32(b, 2), b.size());
        EXPECT_EQ(U16(b, 6), 0u);
        EXPECT_EQ(U16(b, 8), 0u);
        EXPECT_EQ(U32(b, 10), 14 + 40 + colors * 4);  // 1078 at 8 bits, 54 at 24
        EXPECT_EQ(U32(b, 14), 40u);
        EXPECT_EQ(U32(b, 18), 3u);
        EXPECT_EQ(U32(b, 22), 2u);
        EXPECT_EQ(U16(b, 28), static_cast<unsigned>(bits));
        EXPECT_EQ(U32(b, 30), 0u);
        EXPECT_EQ(U32(b, 34), stride * 2);

        // Bottom-up rows: the black pixel (2, 1) is in the first row, the red (0, 0) in the second.
        const std::size_t pixels = U32(b, 10);
        const auto colorAt = [&](unsigned index) {
            const std::size_t entry = 54 + index * 4;
            return RGB(b[entry + 2], b[entry + 1], b[entry]);
        };
        switch (bits) {
            case 1:
                EXPECT_EQ(b[pixels], 0xC0);  // white, white, black
                EXPECT_EQ(colorAt(0), RGB(0, 0, 0));
                EXPECT_EQ(b[pixels + 4] & 0x80, 0);  // red is nearer black
                break;
            case 4:
                EXPECT_EQ(colorAt(b[pixels + 1] & 0x0F), RGB(0, 0, 0));
                EXPECT_EQ(colorAt(b[pixels + 4] >> 4), RGB(255, 0, 0));
                break;
            case 8:
                EXPECT_EQ(colorAt(b[pixels + 2]), RGB(0, 0, 0));
                EXPECT_EQ(colorAt(b[pixels + 4]), RGB(255, 0, 0));
                EXPECT_EQ(colorAt(b[pixels + 5]), RGB(255, 255, 255));
                break;
            default:
                EXPECT_EQ(b[pixels + 6], 0);
                EXPECT_EQ(b[pixels + 12 + 2], 255);  // red, stored blue-green-red
                EXPECT_EQ(b[pixels + 12], 0);
                for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(b[pixels + pad], 0);
                break;
        }
        if (bits <= 4) {
            for (unsigned pad = bits == 1 ? 1 : 2; pad < 4; ++pad) EXPECT_EQ(b[pixels + pad], 0) << bits;
        }
    }
}

TEST(BitmapRoutines, FailuresAnswerTheirCodes) {
    TestFolder folder;
    const fs::path path = folder / "none.bmp";
    EXPECT_EQ(SaveDIB(nullptr, path.c_str()), kDibMissing);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(MakePackedDib(nullptr, nullptr), nullptr);

    // A header that claims more pixels than the block holds is refused, not read past.
    HGLOBAL lying = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + 8);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(lying));
    *header = {sizeof(BITMAPINFOHEADER), 100, 100, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(lying);
    EXPECT_EQ(SaveDIB(lying, path.c_str()), kDibNotLocked);
    EXPECT_FALSE(fs::exists(path));
    DestroyDIB(lying);

    HGLOBAL empty = GlobalAlloc(GHND, 64);
    EXPECT_EQ(SaveDIB(empty, (folder / "missing-folder" / "x.bmp").c_str()), kDibNotWritten);
    DestroyDIB(empty);
}

TEST(BitmapRoutines, AFullDiskKeepsTheOldFile) {
    TestFolder folder;
    const fs::path path = folder / "view.bmp";
    WriteFile(path, "old picture");
    CBitmap bitmap;
    MakePicture(bitmap, 32, 200, 200);  // 120,000 bytes of pixels
    HDIB dib = MakePackedDib(&bitmap, nullptr);
    ASSERT_NE(dib, nullptr);
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(SaveDIB(dib, path.c_str()), kDibNotWritten);
    }
    std::ifstream in(path);
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contents, "old picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    EXPECT_EQ(SaveDIB(dib, path.c_str()), kDibSaved);
    EXPECT_EQ(fs::file_size(path), 14u + 40u + 200u * 600u);
    DestroyDIB(dib);
}

TEST(BitmapRoutines, AReadOnlyFolderKeepsTheOldFile) {
    TestFolder folder;
    const fs::path path = folder / "view.bmp";
    WriteFile(path, "old picture");
    CBitmap bitmap;
    MakePicture(bitmap, 32, 4, 4);
    HDIB dib = MakePackedDib(&bitmap, nullptr);
    chmod(folder.Path().c_str(), 0555);
    {
        WithoutPermissionOverride ordinaryUser;
        const fs::path probe = folder / "probe";
        const int descriptor = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (descriptor >= 0) {
            close(descriptor);
            unlink(probe.c_str());
            chmod(folder.Path().c_str(), 0755);
            DestroyDIB(dib);
            GTEST_SKIP() << "this process may write into read-only folders";
        }
        EXPECT_EQ(SaveDIB(dib, path.c_str()), kDibNotWritten);
    }
    chmod(folder.Path().c_str(), 0755);
    std::ifstream in(path);
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contents, "old picture");
    DestroyDIB(dib);
}
