#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/ProgramName.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/CSpilledPicture.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/RunLengthBands.h"
#include "platform/gdi/RunLengthBmp.h"
#include "tests/support/CacheHomeInFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/PixelDigest.h"
#include "tests/support/PlainPictures.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WithoutPermissionOverride.h"

// Sixteen 4096 by 4096 pictures, held together, stay within the budget: the first is whole, and
// every one shows, kept in the cache folder once past the budget, or as its codes when a run-length
// file sets few of its pixels. A picture reduced holds the average of each block of step by step
// pixels. Once they are let go, a picture is read whole again.
TEST(DecodedPictures, PicturesHeldTogetherShareOneBudget) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    WriteFileBytes(folder / "past.bmp", OneBitPicture(4096));
    held.push_back(CDecodedPictures::Read(folder / "past.bmp"));
    for (int picture = 0; picture < 11; ++picture) {
        const auto path = folder / ("blank" + std::to_string(picture) + ".bmp");
        WriteFileBytes(path, RunLengthBmpFile(1, 4096, 4096, RunLengthColors(2), {0, 1}));
        held.push_back(CDecodedPictures::Read(path));
    }
    for (const auto& picture : held) {
        ASSERT_NE(picture, nullptr);
        EXPECT_GE(CDecodedPictures::Shown(picture)->Width(), kSmallestReducedSide);
    }
    EXPECT_EQ(held.front()->Width(), 4096);
    EXPECT_LE(CDecodedPictures::HeldBytes(), CDecodedPictures::HeldBound());

    PixelSurface known(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) known.Set(x, y, static_cast<std::uint32_t>(x << 8 | y));
    WriteFileBytes(folder / "known.bmp", EncodeBmpFile(known, 24));
    const std::shared_ptr<PixelSurface> reduced = CDecodedPictures::Shown(
        CDecodedPictures::Read(folder / "known.bmp"), kSmallestReducedSide, kSmallestReducedSide);
    ASSERT_NE(reduced, nullptr);
    ASSERT_LT(reduced->Width(), 256);
    // Each channel of the gradient averages, rounded half up, to its value at the block's middle.
    const int step = 256 / reduced->Width();
    for (int y = 0; y < reduced->Height(); ++y)
        for (int x = 0; x < reduced->Width(); ++x)
            ASSERT_EQ(reduced->At(x, y), known.At(x * step + step / 2, y * step + step / 2)) << x << "," << y;

    const auto first = folder / "large0.bmp";
    held.clear();
    EXPECT_EQ(CDecodedPictures::Read(first)->Width(), 4096);
}

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A picture of one colour crossed by a line one pixel wide, down the column given.
FileBytes LinedPicture(int side, int bitCount, std::uint32_t ground, std::uint32_t line, int lineX) {
    PixelSurface picture(side, side, ground);
    for (int y = 0; y < side; ++y) picture.Set(lineX, y, line);
    return EncodeBmpFile(picture, bitCount);
}

std::size_t BytesOf(const std::vector<std::shared_ptr<PixelSurface>>& surfaces) {
    std::size_t bytes = 0;
    for (const auto& surface : surfaces) bytes += std::size_t{4} * surface->Width() * surface->Height();
    return bytes;
}

}  // namespace

// A picture read after some 4096-square pictures of 64 MB each: read whole when it fits in what
// they leave of the budget, else reduced with its one-pixel line kept, as the darkest of its
// block or, in true colour, in their average. The bytes held are those of the pictures held, and
// fall back once the pictures are let go.
TEST(DecodedPictures, PictureFitsWhatTheBudgetLeavesAndKeepsItsLines) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    WriteFileBytes(folder / "plan.bmp", LinedPicture(6000, 1, kWhite, kBlack, 1235));
    WriteFileBytes(folder / "true-colour.bmp", LinedPicture(256, 24, kBlack, kWhite, 5));
    WriteFileBytes(folder / "few-colours.bmp", LinedPicture(256, 4, kWhite, kBlack, 5));
    for (int large = 0; large < 4; ++large)
        WriteFileBytes(folder / ("large" + std::to_string(large) + ".bmp"), OneBitPicture(4096));
    struct Case {
        const char* what;
        int largeHeld;
        const char* file;
        int width;
        int lineX;
        std::uint32_t line;
    };
    const Case cases[] = {
        {"a 6000-square plan read alone is whole", 0, "plan.bmp", 6000, 1235, kBlack},
        {"a plan in the 64 MB left is halved, its line kept", 3, "plan.bmp", 3000, 617, kBlack},
        {"a true-colour line past the budget averages", 4, "true-colour.bmp", 64, 1, 0x404040},
        {"a line of few colours past the budget stays dark", 4, "few-colours.bmp", 64, 1, kBlack},
    };
    const std::size_t before = CDecodedPictures::HeldBytes();
    // The large pictures stay held from one case to the next, each case holding as many or more.
    std::vector<std::shared_ptr<PixelSurface>> held;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        while (static_cast<int>(held.size()) < c.largeHeld)
            held.push_back(CDecodedPictures::Read(folder / ("large" + std::to_string(held.size()) + ".bmp")));
        const std::size_t largeBytes = BytesOf(held);
        held.push_back(CDecodedPictures::Read(folder / c.file));
        ASSERT_NE(held.back(), nullptr);
        std::shared_ptr<PixelSurface> shown =
            CDecodedPictures::Shown(held.back(), kSmallestReducedSide, kSmallestReducedSide);
        const PixelSurface& picture = *shown;
        EXPECT_EQ(picture.Width(), c.width);
        EXPECT_EQ(picture.Height(), c.width);
        for (int y = 0; y < picture.Height(); ++y) ASSERT_EQ(picture.At(c.lineX, y), c.line) << y;
        EXPECT_NE(picture.At(c.lineX + 2, 0), c.line);
        EXPECT_EQ(CDecodedPictures::HeldBytes(), before + BytesOf(held));
        shown.reset();
        held.pop_back();
        EXPECT_EQ(CDecodedPictures::HeldBytes(), before + largeBytes);
    }
    held.clear();
    EXPECT_EQ(CDecodedPictures::HeldBytes(), before);
}

// Past the budget a picture is not held: twenty small pictures read then take a stand-in's few
// bytes each, and each still shows whole when drawn.
TEST(DecodedPictures, PicturesPastTheBudgetHoldOnlyAStandIn) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    const std::size_t full = CDecodedPictures::HeldBytes();
    for (int small = 0; small < 20; ++small) {
        const auto path = folder / ("small" + std::to_string(small) + ".bmp");
        WriteFileBytes(path, LinedPicture(127, 24, kBlack, kWhite, 5));
        held.push_back(CDecodedPictures::Read(path));
        EXPECT_EQ(CDecodedPictures::Shown(held.back())->Width(), 127);
    }
    EXPECT_LE(CDecodedPictures::HeldBytes(), full + 20 * CDecodedPictures::kStandInBytes);
    EXPECT_LE(CDecodedPictures::HeldBytes(), CDecodedPictures::HeldBound());

    // A long thin picture is kept no longer than the screen shows it: its load decodes it once,
    // working on what its codes set and the one block of each row of that copy they reach, never
    // on the area its declared size would allow.
    constexpr int kWide = 32768, kRows = 512, kKeptRows = kRows * CDecodedPictures::kSpilledSide / kWide;
    const auto wide = folder / "wide.bmp";
    WriteFileBytes(wide, RunLengthBmpFile(1, kWide, kRows, RunLengthColors(2), OnePixelARow(kRows)));
    const unsigned long long before = RunLengthBands::PixelsWorked();
    held.push_back(CDecodedPictures::Read(wide));
    EXPECT_EQ(RunLengthBands::PixelsWorked() - before, static_cast<unsigned long long>(kRows + kKeptRows));
    const std::shared_ptr<PixelSurface> shown = CDecodedPictures::Shown(held.back());
    EXPECT_EQ(std::pair(shown->Width(), shown->Height()),
              std::pair(CDecodedPictures::kSpilledSide, kKeptRows));
    // Stretched across more rows than its shape gives them, it shows more of its rows.
    EXPECT_EQ(CDecodedPictures::Shown(held.back(), 256, 100)->Height(), kKeptRows);
}

// A run-length picture whose codes set few of the many pixels it declares is held as its codes, at
// their size, and shows at the size asked what its plain twin shows reduced, whatever became of
// its file since, working on the pixels its codes set and the blocks shown that they reach. One
// whose codes set more, or that declares no more pixels than a spilled copy keeps, is held whole.
TEST(DecodedPictures, ARunLengthPictureSettingFewOfItsPixelsIsHeldAsItsCodes) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    // One pixel more than a picture held as its codes may set.
    FileBytes fullRuns;
    for (int row = 0; row < 258; ++row) fullRuns.insert(fullRuns.end(), {255, 1, 0, 0});
    const struct {
        const char* what;
        int width, height;
        FileBytes codes;
        bool asCodes;
    } cases[] = {
        {"one pixel a row of 32,768", 32768, 512, OnePixelARow(512), true},
        {"258 runs of 255 in 2,048 by 1,024", 2048, 1024, fullRuns, false},
        {"one pixel a row of 1,024 by 1,024", 1024, 1024, OnePixelARow(1024), false},
    };
    constexpr int kShownSide = 256;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto path = folder / "sparse.bmp";
        const FileBytes file = RunLengthBmpFile(1, c.width, c.height, RunLengthColors(2), c.codes);
        WriteFileBytes(path, file);
        const std::size_t before = CDecodedPictures::HeldBytes();
        const std::shared_ptr<PixelSurface> picture = CDecodedPictures::Read(path);
        EXPECT_EQ(CDecodedPictures::HeldBytes() - before, c.asCodes
                                                              ? file.size() + CDecodedPictures::kStandInBytes
                                                              : std::size_t{4} * c.width * c.height);
        std::filesystem::remove(path);
        const unsigned long long worked = RunLengthBands::PixelsWorked();
        const std::shared_ptr<PixelSurface> shown =
            CDecodedPictures::Shown(picture, kShownSide, kShownSide * c.height / c.width);
        if (!c.asCodes) {
            EXPECT_EQ(shown->Width(), c.width);
            continue;
        }
        // The pixels the codes set and the one block of each row shown that they reach.
        EXPECT_EQ(RunLengthBands::PixelsWorked() - worked,
                  static_cast<unsigned long long>(c.height + shown->Height()));
        const BmpImage twin =
            ReadBmpBytes(ExpandRunLengthBmp(file), CDecodedPictures::kSpilledPixels, kShownSide);
        EXPECT_EQ(PixelDigest(*shown), PixelDigest(*twin.surface));
        // Stretched across more rows than its shape gives them, it shows about as many rows.
        EXPECT_GE(CDecodedPictures::Shown(picture, kShownSide, 100)->Height(), 80);
    }
}

namespace {

enum class CacheFolder { kReadOnly, kUnderAPlainFile, kFillsHalfWay };

// The cache folder made to refuse what a picture past the budget writes into it, while the case
// lasts; false when this process may write it all the same.
bool Refuses(CacheFolder how, const CacheHomeInFolder& cache,
             std::optional<WithoutPermissionOverride>& plainUser, std::optional<FileSizeLimit>& full,
             std::size_t pictureBytes) {
    const std::filesystem::path home = cache.Folder().Path();
    std::error_code error;
    switch (how) {
        case CacheFolder::kReadOnly:
            chmod(home.c_str(), 0500);
            plainUser.emplace();
            return !std::filesystem::create_directory(home / "probe", error);
        case CacheFolder::kUnderAPlainFile:
            WriteFileBytes(home / "file", FileBytes{});
            setenv("XDG_CACHE_HOME", (home / "file" / "cache").c_str(), 1);
            return true;
        case CacheFolder::kFillsHalfWay:
            full.emplace(pictureBytes / 2);
            return true;
    }
    return false;
}

std::uintmax_t BytesUnder(const std::filesystem::path& folder) {
    std::uintmax_t bytes = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    return bytes;
}

}  // namespace

// A picture past the budget shows as it was read whatever the cache folder does: one the user may
// not write, one under a plain file, one whose disk fills half-way through the picture. It is held
// in memory beyond the budget, no part of it is left on the disk, and the refusal, naming the
// folder and the reason, is told once however many pictures it refuses.
TEST(DecodedPictures, APicturePastTheBudgetShowsWhateverTheCacheFolderDoes) {
    TestFolder folder;
    PixelSurface known(300, 200);
    for (int y = 0; y < known.Height(); ++y)
        for (int x = 0; x < known.Width(); ++x) known.Set(x, y, static_cast<std::uint32_t>(x << 8 | y));
    const struct {
        const char* what;
        CacheFolder how;
        const char* reason;
    } cases[] = {
        {"a cache home under a plain file", CacheFolder::kUnderAPlainFile, "Not a directory"},
        {"a disk full half-way through", CacheFolder::kFillsHalfWay, "File too large"},
        {"a folder of mode 500", CacheFolder::kReadOnly, "Permission denied"},
    };
    int file = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CacheHomeInFolder cache;
        std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
        std::vector<std::filesystem::path> pictures;
        for (int picture = 0; picture < 3; ++picture) {
            pictures.push_back(folder / ("known" + std::to_string(++file) + ".bmp"));
            WriteFileBytes(pictures.back(), EncodeBmpFile(known, 24));
        }
        std::optional<WithoutPermissionOverride> plainUser;
        std::optional<FileSizeLimit> full;
        if (!Refuses(c.how, cache, plainUser, full, std::size_t{4} * known.Width() * known.Height())) {
            plainUser.reset();
            chmod(cache.Folder().Path().c_str(), 0700);
            GTEST_SKIP() << "this process may write into read-only folders";
        }
        for (const auto& path : pictures) {
            held.push_back(CDecodedPictures::Read(path));
            ASSERT_NE(held.back(), nullptr);
            EXPECT_EQ(PixelDigest(*CDecodedPictures::Shown(held.back())), PixelDigest(known));
        }
        EXPECT_LE(CDecodedPictures::HeldBytes(), CDecodedPictures::HeldBound());
        const std::optional<CSpilledPicture::Refusal> refusal = CSpilledPicture::TakeRefusal();
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->folder, CSpilledPicture::CacheHome() / ProgramFolderName() / "pictures");
        EXPECT_EQ(refusal->reason, c.reason);
        EXPECT_FALSE(CSpilledPicture::TakeRefusal().has_value());
        plainUser.reset();
        full.reset();
        chmod(cache.Folder().Path().c_str(), 0700);
        EXPECT_EQ(BytesUnder(cache.Folder().Path()), 0u);
    }
}

namespace {

// The picture halved as plainly as can be: each pixel the rounded average of each channel over the
// block of up to two by two it stands for, or the block's colour when it has one.
std::unique_ptr<PixelSurface> PlainlyHalved(const PixelSurface& picture) {
    auto halved = std::make_unique<PixelSurface>((picture.Width() + 1) / 2, (picture.Height() + 1) / 2);
    for (int y = 0; y < halved->Height(); ++y)
        for (int x = 0; x < halved->Width(); ++x) {
            std::vector<std::uint32_t> block;
            for (int row = 2 * y; row < std::min(2 * y + 2, picture.Height()); ++row)
                for (int column = 2 * x; column < std::min(2 * x + 2, picture.Width()); ++column)
                    block.push_back(picture.At(column, row));
            std::uint32_t average = 0;
            for (const int shift : {0, 8, 16}) {
                std::uint32_t sum = 0;
                for (const std::uint32_t pixel : block) sum += (pixel >> shift) & 0xFF;
                average |= ((sum + static_cast<std::uint32_t>(block.size()) / 2) / block.size()) << shift;
            }
            const bool oneColour = std::count(block.begin(), block.end(), block[0]) == std::ssize(block);
            halved->Set(x, y, oneColour ? block[0] : average);
        }
    return halved;
}

}  // namespace

// A picture past the budget shown small is its halvings, pixel for pixel, whatever its sides, and
// the same again when drawn from the halving kept.
TEST(DecodedPictures, APictureShownSmallIsItsHalvings) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    PixelSurface odd(203, 77);
    for (int y = 0; y < odd.Height(); ++y)
        for (int x = 0; x < odd.Width(); ++x)
            odd.Set(x, y,
                    (x * 7919u + y * 104729u) % 3 == 0
                        ? 0x102030u
                        : static_cast<std::uint32_t>(x * y * 2654435761u) & 0xFFFFFF);
    WriteFileBytes(folder / "odd.bmp", EncodeBmpFile(odd, 24));
    const std::shared_ptr<PixelSurface> picture = CDecodedPictures::Read(folder / "odd.bmp");
    std::unique_ptr<PixelSurface> halved;
    const PixelSurface* expected = &odd;
    // Shown across one row, its longer side is the columns it is shown across.
    for (const int side : {102, 26, 7, 3}) {
        while (std::max(expected->Width(), expected->Height()) > 1 &&
               (std::max(expected->Width(), expected->Height()) + 1) / 2 >= side) {
            halved = PlainlyHalved(*expected);
            expected = halved.get();
        }
        ASSERT_LT(expected->Width(), odd.Width());
        for (int draw = 0; draw < 2; ++draw)
            EXPECT_EQ(PixelDigest(*CDecodedPictures::Shown(picture, side, 1)), PixelDigest(*expected))
                << side;
    }
}

// Pictures the cache folder refuses stay drawn in bounded memory: each held as a reduced copy
// while those copies have room, the rest read from their files at each draw, as long as the files
// stay as they were.
TEST(DecodedPictures, PicturesTheCacheFolderRefusesTakeBoundedMemory) {
    TestFolder folder;
    const CacheHomeInFolder cache;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    WriteFileBytes(cache.Folder().Path() / "file", FileBytes{});
    setenv("XDG_CACHE_HOME", (cache.Folder().Path() / "file" / "cache").c_str(), 1);
    constexpr int kSide = 512;
    const std::size_t copies = CDecodedPictures::kRefusedBytes / (4 * CDecodedPictures::kRefusedPixels);
    const std::size_t before = CDecodedPictures::HeldBytes();
    std::vector<std::filesystem::path> files;
    for (std::size_t picture = 0; picture < copies + 2; ++picture) {
        files.push_back(folder / ("refused" + std::to_string(picture) + ".bmp"));
        WriteFileBytes(files.back(), RunLengthBmpFile(1, kSide, kSide, RunLengthColors(2), {0, 1}));
        held.push_back(CDecodedPictures::Read(files.back()));
    }
    EXPECT_LE(CDecodedPictures::HeldBytes() - before,
              CDecodedPictures::kRefusedBytes + files.size() * CDecodedPictures::kStandInBytes);
    EXPECT_EQ(CDecodedPictures::Shown(held[held.size() - files.size()])->Width(), 256);
    const std::uint64_t reads = CDecodedPictures::FileReads();
    EXPECT_EQ(CDecodedPictures::Shown(held.back())->Width(), kSide);
    const int shownSmall = CDecodedPictures::Shown(held.back(), 100, 100)->Width();
    EXPECT_TRUE(shownSmall > 50 && shownSmall <= 100) << shownSmall;
    EXPECT_EQ(CDecodedPictures::FileReads() - reads, 2u);
    WriteFileBytes(files.back(), RunLengthBmpFile(1, kSide / 2, kSide, RunLengthColors(2), {0, 1}));
    EXPECT_EQ(CDecodedPictures::Shown(held.back()), nullptr);
    CSpilledPicture::TakeRefusal();
}

// Past the budget, a picture is kept in the cache folder once, as its file's bytes when they are
// fewer than its pixels, read whole or reduced alike. A draw of it shown small halves it, each
// pixel the average of its block, and keeps that halving while the cache holds no more than the
// picture decoded, so that the next such draw reads back only the halving. Nothing stays once the
// pictures are let go.
TEST(DecodedPictures, TheCacheHoldsNoMoreThanThePicturesItKeepsDecoded) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    constexpr int kWhole = 256, kReduced = 2048;
    PixelSurface gradient(kWhole, kWhole);
    for (int y = 0; y < kWhole; ++y)
        for (int x = 0; x < kWhole; ++x) gradient.Set(x, y, static_cast<std::uint32_t>(x << 8 | y));
    WriteFileBytes(folder / "whole.bmp", EncodeBmpFile(gradient, 24));
    WriteFileBytes(folder / "reduced.bmp", EncodeBmpFile(PixelSurface(kReduced, kReduced, 0x123456), 24));
    const std::uintmax_t wholeBytes = std::uintmax_t{4} * kWhole * kWhole;

    std::shared_ptr<PixelSurface> whole = CDecodedPictures::Read(folder / "whole.bmp");
    const std::uintmax_t wholeKept = BytesUnder(cache.Folder().Path());
    EXPECT_EQ(wholeKept, std::filesystem::file_size(folder / "whole.bmp"));
    held.push_back(CDecodedPictures::Read(folder / "reduced.bmp"));
    EXPECT_EQ(BytesUnder(cache.Folder().Path()) - wholeKept, CDecodedPictures::kSpilledPixels * 4);

    for (const int side : {kWhole / 4, kWhole / 16}) {
        const std::uintmax_t keptBefore = BytesUnder(cache.Folder().Path());
        const std::shared_ptr<PixelSurface> shown = CDecodedPictures::Shown(whole, side, side);
        ASSERT_EQ(std::pair(shown->Width(), shown->Height()), std::pair(side, side));
        const int step = kWhole / side;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_EQ(shown->At(x, y), gradient.At(x * step + step / 2, y * step + step / 2))
                    << x << "," << y;
        EXPECT_EQ(BytesUnder(cache.Folder().Path()) - keptBefore, std::uintmax_t{4} * side * side);
        const std::uint64_t readBack = CSpilledPicture::PixelsReadBack();
        EXPECT_EQ(PixelDigest(*CDecodedPictures::Shown(whole, side, side)), PixelDigest(*shown));
        EXPECT_EQ(CSpilledPicture::PixelsReadBack() - readBack, static_cast<std::uint64_t>(side) * side);
    }
    // The 24-bit file's bytes leave no room for the halving of a quarter its pixels.
    const std::uintmax_t keptBefore = BytesUnder(cache.Folder().Path());
    CDecodedPictures::Shown(whole, kWhole / 2, kWhole / 2);
    EXPECT_EQ(BytesUnder(cache.Folder().Path()), keptBefore);
    EXPECT_LE(keptBefore - CDecodedPictures::kSpilledPixels * 4, wholeBytes);
    whole.reset();
    held.clear();
    EXPECT_EQ(BytesUnder(cache.Folder().Path()), 0u);
}

// A picture past the budget kept as its file's bytes is not decoded until it is drawn, and then
// shows what reading its file shows.
TEST(DecodedPictures, APictureKeptAsItsFileIsDecodedOnlyWhenDrawn) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    const FileBytes file = RunLengthBmpFile(1, 127, 127, RunLengthColors(2), OnePixelARow(127));
    WriteFileBytes(folder / "small.bmp", file);
    const unsigned long long before = RunLengthBands::PixelsWorked();
    held.push_back(CDecodedPictures::Read(folder / "small.bmp"));
    EXPECT_EQ(RunLengthBands::PixelsWorked(), before);
    EXPECT_EQ(PixelDigest(*CDecodedPictures::Shown(held.back())), PixelDigest(*ReadBmpBytes(file).surface));
}

// A picture of colour indices past the budget, read reduced, is kept in the cache as colour
// indices, in a fraction of its pixels' bytes, and read back as the same pixels.
TEST(DecodedPictures, AReducedPictureOfColourIndicesIsKeptAsIndices) {
    const CacheHomeInFolder cache;
    TestFolder folder;
    std::vector<std::shared_ptr<PixelSurface>> held = SpendThePictureBudget(folder.Path());
    constexpr int kWidth = 2999, kHeight = 1001;
    FileBytes data(static_cast<std::size_t>(DibStride(kWidth, 4)) * kHeight);
    for (std::size_t at = 0; at < data.size(); ++at)
        data[at] = static_cast<BYTE>((at / 7 % 5) << 4 | at / 3 % 5);
    const FileBytes file = BmpFile(4, 0, kWidth, kHeight, RunLengthColors(5), data);
    WriteFileBytes(folder / "indexed.bmp", file);
    held.push_back(CDecodedPictures::Read(folder / "indexed.bmp"));
    const BmpImage reduced =
        ReadBmpBytes(file, CDecodedPictures::kSpilledPixels, CDecodedPictures::kSpilledSide);
    const std::size_t pixels = static_cast<std::size_t>(reduced.surface->Width()) * reduced.surface->Height();
    ASSERT_LT(pixels, std::size_t{kWidth} * kHeight);
    EXPECT_LT(BytesUnder(cache.Folder().Path()), pixels);
    EXPECT_EQ(PixelDigest(*CDecodedPictures::Shown(held.back())), PixelDigest(*reduced.surface));
}
