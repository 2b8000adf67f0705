#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/GlContext.h"
#include "platform/r3d/Scene.h"
#include "tests/r3d/PointClumps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace r3d;

namespace {

// A flat square facing the camera; the see-through ones are drawn one by one, in the scene's order.
std::unique_ptr<Clump> Square(int index) {
    ClumpBuilder builder;
    Material surface;
    surface.red = (index % 3) / 2.0f;
    surface.green = (index % 5) / 4.0f;
    surface.blue = (index % 7) / 6.0f;
    surface.ambient = 1.0f;
    surface.diffuse = 0.0f;
    surface.specular = 0.0f;
    surface.opacity = index % 2 ? 0.5f : 1.0f;
    builder.SetSurface(surface);
    const float x = (index % 6) * 0.5f - 1.5f, y = (index / 6) * 0.5f - 1.5f;
    builder.AddVertex({x, y, 0}, 0, 1);
    builder.AddVertex({x + 1.2f, y, 0}, 1, 1);
    builder.AddVertex({x + 1.2f, y + 1.2f, 0}, 1, 0);
    builder.AddVertex({x, y + 1.2f, 0}, 0, 0);
    builder.AddQuad(1, 2, 3, 4);
    return builder.Finish();
}

bool SamePicture(const Raster& a, const Raster& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bytes(), a.Bytes() + a.RowBytes() * a.Height(), b.Bytes());
}

Raster Picture(const Scene& scene) {
    Camera camera(120, 120);
    camera.SetViewWindow(1, 1);
    camera.MoveBy({0, 0, 5});
    camera.LookAt({0, 0, 0});
    camera.SetBackgroundColor(0, 0, 0);
    EXPECT_TRUE(camera.BeginUpdate());
    camera.Clear();
    scene.Render(camera);
    camera.EndUpdate();
    return camera.Picture();
}

}  // namespace

// Clumps taken out leave the others in their order: the picture is that of a scene made with
// only those that stay, and clumps added afterwards come last.
TEST(Scene, RemovalsKeepTheDrawingOrderOfTheClumpsLeft) {
    ASSERT_NE(GlContext::Get(), nullptr) << "no OpenGL context: " << GlContext::FailureReason();
    std::vector<std::unique_ptr<Clump>> squares;
    Scene scene;
    for (int i = 0; i < 36; ++i) scene.Add(*squares.emplace_back(Square(i)));
    const Raster whole = Picture(scene);
    for (int i = 0; i < 36; i += 3) squares[i]->RemoveFromScene();
    squares[35]->RemoveFromScene();
    auto late = Square(40);
    scene.Add(*late);

    std::vector<std::unique_ptr<Clump>> copies;
    std::vector<Clump*> expected;
    Scene fresh;
    for (Clump* clump : scene.Clumps()) fresh.Add(*copies.emplace_back(clump->Clone()));
    for (int i = 0; i < 35; ++i)
        if (i % 3 != 0)
            expected.push_back(squares[i].get());
    expected.push_back(late.get());
    EXPECT_EQ(scene.Clumps(), expected);
    const Raster left = Picture(scene);
    EXPECT_FALSE(SamePicture(left, whole));
    EXPECT_TRUE(SamePicture(left, Picture(fresh)));
}

// Taking every clump out of a large scene, first added first, costs a look-up each, not a
// search of the whole list (which takes seconds at this size): the list is passed over a few
// times in all, not once per clump.
TEST(Scene, TakingOutTwoHundredThousandClumpsIsQuick) {
    Scene scene;
    const auto clumps = AddPointClumps(scene, 200000);
    for (auto& clump : clumps) clump->RemoveFromScene();
    EXPECT_TRUE(scene.Clumps().empty());
    EXPECT_LE(scene.CompactedPlaces(), 3 * clumps.size());
}
