#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/r3d/BmpRaster.h"
#include "tests/support/TestFolder.h"
#include "tools/datagen/DataPictures.h"

namespace {

int Difference(const r3d::Raster::Rgb& a, const r3d::Raster::Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The first row from the top whose pixel is no sky (blue well above red).
int RidgeRow(const r3d::Raster& panorama, int x) {
    for (int y = 0; y < panorama.Height(); ++y) {
        const r3d::Raster::Rgb pixel = panorama.Pixel(x, y);
        if (pixel.b - pixel.r < 60)
            return y;
    }
    return panorama.Height();
}

}  // namespace

TEST(DataPictures, TheShippedFilesAreWrittenAndReadBack) {
    TestFolder folder;
    ASSERT_TRUE(DataPictures::WriteAll(folder.Path()));
    for (const char* name : {"track1.bmp", "agragate.bmp", "Ballast Gray.bmp", "rcgrass.bmp"}) {
        const std::optional<r3d::Raster> texture = r3d::ReadBmpRaster(folder / "TEXTURES" / name);
        ASSERT_TRUE(texture) << name;
        EXPECT_EQ(texture->Width(), 64) << name;
    }

    // The track top: rails down both side edges, ties across, ballast between them.
    const std::optional<r3d::Raster> track = r3d::ReadBmpRaster(folder / "TEXTURES" / "track1.bmp");
    for (int y : {0, 10, 30, 63}) {
        EXPECT_EQ(track->Pixel(0, y), track->Pixel(63, y));
        EXPECT_EQ(track->Pixel(2, y), track->Pixel(61, y));
    }
    const r3d::Raster::Rgb tie = track->Pixel(32, 10);
    const r3d::Raster::Rgb ballast = track->Pixel(32, 28);
    EXPECT_GT(tie.r - tie.b, 40);
    EXPECT_LT(ballast.r - ballast.b, 40);

    // The panorama wraps: its ridge and colours run on from the right edge into the left.
    const std::optional<r3d::Raster> panorama = r3d::ReadBmpRaster(folder / "BACKDROPS" / "summits.bmp");
    ASSERT_TRUE(panorama);
    const int last = panorama->Width() - 1;
    EXPECT_EQ(panorama->Width(), 1024);
    EXPECT_LE(std::abs(RidgeRow(*panorama, 0) - RidgeRow(*panorama, last)), 2);
    EXPECT_GT(std::abs(RidgeRow(*panorama, 0) - RidgeRow(*panorama, last / 3)), 10);
    EXPECT_LE(Difference(panorama->Pixel(0, 10), panorama->Pixel(last, 10)), 3);

    // Fill patterns: sixteen bytes, each pattern row followed by a zero.
    for (const DataPictures::Pattern& pattern : DataPictures::Patterns()) {
        std::ifstream in(folder / "PATTERNS" / pattern.name, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_EQ(bytes.size(), 16u) << pattern.name;
        for (int row = 0; row < 8; ++row) {
            EXPECT_EQ(static_cast<unsigned char>(bytes[2 * row]), pattern.rows[row]);
            EXPECT_EQ(bytes[2 * row + 1], 0);
        }
    }
}
