#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Scene.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace r3d;

namespace {

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The 3D view's default camera: at (0, 1, 8) looking at (0, 1, 0).
void SetUpDefault(Camera& camera) {
    camera.Reset();
    camera.SetViewWindow(0.8f, 0.8f);
    camera.MoveBy({0, 1, 8});
    camera.LookAt({0, 1, 0});
}

std::unique_ptr<Clump> Square(float size, float z, int tag) {
    ClumpBuilder builder;
    builder.SetTag(tag);
    float h = size / 2;
    builder.AddVertex({-h, -h, z});
    builder.AddVertex({h, -h, z});
    builder.AddVertex({h, h, z});
    builder.AddVertex({-h, h, z});
    builder.AddQuad(1, 2, 3, 4);
    return builder.Finish();
}

}  // namespace

TEST(Camera, ResetMovesAndAims) {
    Camera camera(800, 600);
    EXPECT_EQ(camera.Viewport(), (Rect{0, 0, 800, 600}));
    SetUpDefault(camera);
    ExpectNear(camera.Position(), {0, 1, 8});
    ExpectNear(camera.Forward(), {0, 0, -1});
    ExpectNear(camera.Up(), {0, 1, 0});
    ExpectNear(camera.Right(), {1, 0, 0});

    // Straight down works, with world +x to the right and -z up the picture.
    camera.LookAt({0, -5, 8});
    ExpectNear(camera.Forward(), {0, -1, 0});
    ExpectNear(camera.Right(), {1, 0, 0});
    ExpectNear(camera.Up(), {0, 0, -1});

    SetUpDefault(camera);
    camera.MoveAlongAxes({1, 2, 3});  // right, up, forward
    ExpectNear(camera.Position(), {1, 3, 5});

    camera.Reset();
    ExpectNear(camera.Position(), {0, 0, 0});
    ExpectNear(camera.Forward(), {0, 0, 1});

    camera.SetViewport({0, 0, 0, 0});  // an empty viewport changes nothing
    EXPECT_EQ(camera.Viewport(), (Rect{0, 0, 800, 600}));
    camera.SetViewport({10, 20, 400, 200});
    EXPECT_EQ(camera.Viewport(), (Rect{10, 20, 400, 200}));
}

TEST(Camera, TurnsTiltsAndRollsAccumulate) {
    Camera camera(100, 100);
    SetUpDefault(camera);
    camera.Turn(90);  // left
    ExpectNear(camera.Forward(), {-1, 0, 0});
    camera.Turn(-90);
    camera.Tilt(2);
    camera.Tilt(88);  // down
    ExpectNear(camera.Forward(), {0, -1, 0});
    SetUpDefault(camera);
    camera.Roll(-90);  // the picture's up leans left
    ExpectNear(camera.Up(), {-1, 0, 0});
    ExpectNear(camera.Position(), {0, 1, 8});
}

TEST(Camera, TransformTurnsAboutTheVerticalThroughItsOwnPosition) {
    Camera camera(100, 100);
    SetUpDefault(camera);
    camera.MoveBy({5, 0, 0});
    camera.Transform(Matrix::Rotation({0, 1, 0}, 90));
    ExpectNear(camera.Position(), {5, 1, 8});
    ExpectNear(camera.Forward(), {-1, 0, 0});
    ExpectNear(camera.Up(), {0, 1, 0});
}

TEST(Camera, MatrixAndViewWindowAtDistanceOne) {
    Camera camera(400, 200);
    SetUpDefault(camera);
    camera.SetViewWindow(0.8f, 0.4f);
    // Camera space x points left: a ray built with x to the right is mirrored first.
    Matrix m = camera.CameraMatrix();
    ExpectNear(m.TransformVector({1, 0, 0}), -camera.Right());
    ExpectNear(m.TransformPoint({0, 0, 0}), camera.Position());
    ExpectNear(m.TransformVector({0, 0, 1}), camera.Forward());
    // The view window spans the whole viewport at distance 1 from the eye.
    auto corner =
        camera.Project(camera.Position() + camera.Forward() + camera.Right() * 0.4f + camera.Up() * 0.2f);
    ASSERT_TRUE(corner);
    EXPECT_NEAR(corner->x, 400, 1e-3f);
    EXPECT_NEAR(corner->y, 0, 1e-3f);
    auto centre = camera.Project({0, 1, 0});
    ASSERT_TRUE(centre);
    EXPECT_NEAR(centre->x, 200, 1e-3f);
    EXPECT_NEAR(centre->y, 100, 1e-3f);
    EXPECT_FALSE(camera.Project({0, 1, 20}));  // behind the eye

    auto square = Square(2, 0, 0);
    square->Transform(Matrix::Translation({0, 1, 0}), Combine::Replace);
    auto rect = camera.ScreenRect(*square);
    ASSERT_TRUE(rect);
    // At distance 8, two units are 2 / 8 / 0.8 of the width.
    EXPECT_NEAR(rect->width, 400 * 2 / 8.0 / 0.8, 1.0);
    EXPECT_NEAR(rect->x + rect->width / 2.0, 200, 1.0);
}

TEST(Scene, PickReportsNearestClumpAndVertexOfTheHitPolygon) {
    Camera camera(200, 200);
    SetUpDefault(camera);
    Scene scene;
    auto back = Square(4, -2, 2);
    auto front = Square(1, 0, 1);
    back->Transform(Matrix::Translation({0, 1, 0}), Combine::Replace);
    auto parent = std::make_unique<Clump>();
    parent->SetTag(7);
    parent->Transform(Matrix::Translation({0, 1, 0}), Combine::Replace);
    Clump* child = parent->AddChild(std::move(front));
    scene.Add(*back);
    scene.Add(*parent);

    // Centre: the child in front is hit, and reports itself; its parent is one step away.
    auto hit = scene.Pick(camera, 100, 100);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->clump, child);
    EXPECT_EQ(hit->clump->Parent()->Tag(), 7);
    // Slightly up and right of the centre: the nearest corner is (0.5, 0.5), vertex 3.
    hit = scene.Pick(camera, 103, 97);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->vertex, 3);
    ExpectNear(hit->point, {hit->point.x, hit->point.y, 0});
    // Off the small square, the big one behind; lower left is its vertex 1.
    hit = scene.Pick(camera, 60, 140);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->clump, back.get());
    EXPECT_EQ(hit->vertex, 1);
    EXPECT_FALSE(scene.Pick(camera, 1, 1));
    EXPECT_FALSE(scene.Pick(camera, -1, 5));

    // Moved vertices are picked where they now are.
    EXPECT_FALSE(scene.Pick(camera, 180, 148));
    back->SetVertex(2, {6, -2, -2});
    hit = scene.Pick(camera, 180, 148);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->vertex, 2);
}
