#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/ModelReaders.h"
#include "tests/support/TestFolder.h"
#include "tools/datagen/TrainModels.h"

namespace {

struct Part {
    r3d::Box box;
    int polygons = 0;
};

// The model's polygons by their colour, each with the box its corners span.
std::map<std::string, Part> PartsByColour(const r3d::Clump& model) {
    std::map<std::string, Part> parts;
    for (const r3d::Polygon& polygon : model.Polygons()) {
        const std::string key = std::to_string(static_cast<int>(polygon.material.red * 255.0f + 0.5f)) + "," +
                                std::to_string(static_cast<int>(polygon.material.green * 255.0f + 0.5f)) +
                                "," + std::to_string(static_cast<int>(polygon.material.blue * 255.0f + 0.5f));
        Part& part = parts[key];
        ++part.polygons;
        for (int number : polygon.vertices) {
            r3d::Vec3 p;
            model.GetVertex(number, p);
            part.box.Extend(p);
        }
    }
    return parts;
}

}  // namespace

TEST(TrainModels, TheGeneratedLocomotiveAndCarLoadThroughTheStudioReaderWithTheirColours) {
    TestFolder folder;
    ASSERT_TRUE(TrainModels::WriteAll(folder.Path()));
    r3d::AssetLibrary::Instance().ClearSearchFolders();
    const auto loco = r3d::Read3dsModel((folder / "TRAINS" / "cvnloco.3ds").string());
    const auto car = r3d::Read3dsModel((folder / "TRAINS" / "cvncar.3ds").string());
    ASSERT_NE(loco, nullptr);
    ASSERT_NE(car, nullptr);
    // The reader stands the modeller's z-up frame upright: the length runs along z, the front
    // (where the boiler is) towards -z, which the train's placement turns to lead along the
    // track.
    std::map<std::string, Part> parts = PartsByColour(*loco);
    ASSERT_EQ(parts.size(), 4u);
    const Part& cab = parts["170,30,25"];
    const Part& boiler = parts["20,110,50"];
    EXPECT_GT(cab.polygons, 0);
    EXPECT_GT(boiler.polygons, 0);
    EXPECT_GT(parts["30,30,30"].polygons, 0);
    EXPECT_GT(parts["70,70,75"].polygons, 0);
    EXPECT_FLOAT_EQ(boiler.box.min.z, -4.8f);
    EXPECT_FLOAT_EQ(cab.box.max.z, 4.8f);
    EXPECT_LT(boiler.box.max.z, cab.box.min.z + 1e-4f);
    const r3d::Box whole = loco->Bounds();
    EXPECT_FLOAT_EQ(whole.max.z - whole.min.z, 10.0f);
    EXPECT_FLOAT_EQ(whole.min.y, 0.0f);
    EXPECT_FLOAT_EQ(whole.max.y, 2.6f);

    parts = PartsByColour(*car);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts["40,80,160"].polygons, 12);
    EXPECT_EQ(parts["150,150,150"].polygons, 12);
    EXPECT_EQ(parts["30,30,30"].polygons, 12);
    EXPECT_FLOAT_EQ(car->Bounds().max.z - car->Bounds().min.z, 10.0f);
}
