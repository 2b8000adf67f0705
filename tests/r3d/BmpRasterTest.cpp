#include "platform/r3d/BmpRaster.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/AssetLibrary.h"
#include "tests/support/TestFolder.h"

using namespace r3d;

TEST(BmpRaster, TexturesAreReadFromBitmapFilesInTheSearchFolders) {
    TestFolder folder;
    PixelSurface picture(3, 2, 0x336699);
    picture.Set(0, 0, 0xFF0000);  // top-left red
    picture.Set(2, 1, 0x00FF00);  // bottom-right green
    std::vector<BYTE> bytes = EncodeBmpFile(picture, 24);
    std::ofstream(folder / "Ballast Gray.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::ofstream(folder / "broken.bmp") << "BM not really";

    AssetLibrary& library = AssetLibrary::Instance();
    library.ClearSearchFolders();
    library.ForgetTextures();
    library.SetImageReader(ReadBmpRaster);
    library.AddSearchFolder(folder.Path());

    auto raster = library.LoadRaster("ballast gray.BMP");
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->Width(), 3);
    EXPECT_EQ(raster->Height(), 2);
    EXPECT_EQ(raster->Pixel(0, 0), (Raster::Rgb{255, 0, 0}));
    EXPECT_EQ(raster->Pixel(2, 1), (Raster::Rgb{0, 255, 0}));
    EXPECT_EQ(raster->Pixel(1, 0), (Raster::Rgb{0x33, 0x66, 0x99}));
    EXPECT_TRUE(library.LoadTexture("Ballast Gray.bmp"));
    EXPECT_FALSE(library.LoadRaster("broken.bmp"));
    library.ClearSearchFolders();
    library.ForgetTextures();
}
