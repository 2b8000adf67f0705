#include <gtest/gtest.h>

#include <map>

#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/ModelReaders.h"
#include "tests/support/TestFolder.h"
#include "tools/datagen/SceneryModels.h"

TEST(SceneryModels, TheHouseLoadsClosedAndTheTreesMaskCoversExactlyItsPicture) {
    TestFolder folder;
    ASSERT_TRUE(SceneryModels::WriteAll(folder.Path()));
    std::unique_ptr<r3d::Clump> house = r3d::ReadRwxModel((folder / "SCRIPTS" / "cvnhouse.rwx").string());
    ASSERT_NE(house, nullptr);
    EXPECT_EQ(house->VertexCount(), 10);
    ASSERT_EQ(house->Polygons().size(), 9u);
    // Every edge of a closed surface is shared by exactly two faces.
    std::map<std::pair<int, int>, int> edges;
    for (const r3d::Polygon& polygon : house->Polygons())
        for (size_t i = 0; i < polygon.vertices.size(); ++i) {
            const int a = polygon.vertices[i], b = polygon.vertices[(i + 1) % polygon.vertices.size()];
            ++edges[{std::min(a, b), std::max(a, b)}];
        }
    for (const auto& [edge, count] : edges) EXPECT_EQ(count, 2) << edge.first << "-" << edge.second;
    const r3d::Box box = house->Bounds();
    EXPECT_FLOAT_EQ(box.max.x - box.min.x, 2.0f);
    EXPECT_FLOAT_EQ(box.max.y - box.min.y, 1.5f);

    std::shared_ptr<r3d::Raster> tree =
        r3d::AssetLibrary::Instance().LoadRaster((folder / "3DBITMAPS" / "cvntree.bmp").string());
    std::shared_ptr<r3d::Raster> mask =
        r3d::AssetLibrary::Instance().LoadRaster((folder / "3DBITMAPS" / "cvntree.msk").string());
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(mask, nullptr);
    ASSERT_EQ(tree->Width(), mask->Width());
    int treePixels = 0;
    for (int y = 0; y < tree->Height(); ++y)
        for (int x = 0; x < tree->Width(); ++x) {
            const bool inTree = !(tree->Pixel(x, y) == r3d::Raster::Rgb{0, 0, 0});
            const bool masked = mask->Pixel(x, y) == r3d::Raster::Rgb{255, 255, 255};
            EXPECT_EQ(inTree, masked) << x << "," << y;
            treePixels += inTree ? 1 : 0;
        }
    EXPECT_GT(treePixels, tree->Width() * tree->Height() / 5);
    EXPECT_LT(treePixels, tree->Width() * tree->Height() / 2);
}
