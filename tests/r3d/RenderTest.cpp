#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/GlContext.h"
#include "platform/r3d/Scene.h"
#include "tests/r3d/PictureFile.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

using namespace r3d;

namespace {

using Rgb = Raster::Rgb;

// A quad facing +z (towards the default camera) of the given size, centred on (cx, cy, z).
std::unique_ptr<Clump> Quad(float cx, float cy, float z, float size, const Material& surface) {
    ClumpBuilder builder;
    builder.SetSurface(surface);
    float h = size / 2;
    builder.AddVertex({cx - h, cy - h, z}, 0, 1);
    builder.AddVertex({cx + h, cy - h, z}, 1, 1);
    builder.AddVertex({cx + h, cy + h, z}, 1, 0);
    builder.AddVertex({cx - h, cy + h, z}, 0, 0);
    builder.AddQuad(1, 2, 3, 4);
    return builder.Finish();
}

Material Flat(float r, float g, float b) {
    Material m;
    m.red = r;
    m.green = g;
    m.blue = b;
    m.ambient = 1.0f;
    m.diffuse = 0.0f;
    m.specular = 0.0f;
    return m;
}

// Looking from (0, 0, 5) at the origin with a 1 x 1 view window: at z = 0 the picture spans 5 x 5 units.
class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(GlContext::Get(), nullptr) << "no OpenGL context: " << GlContext::FailureReason();
        camera.Reset();
        camera.SetViewWindow(1, 1);
        camera.MoveBy({0, 0, 5});
        camera.LookAt({0, 0, 0});
        camera.SetBackgroundColor(0, 0, 0);
        scene.SetAmbientLight(1.0f);
    }

    const Raster& Render() {
        EXPECT_TRUE(camera.BeginUpdate());
        camera.Clear();
        scene.Render(camera);
        camera.EndUpdate();
        return camera.Picture();
    }

    Camera camera{100, 100};
    Scene scene;
};

bool Near(Rgb actual, Rgb expected, int tolerance = 3) {
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

::testing::AssertionResult PixelIs(const Raster& picture, int x, int y, Rgb expected) {
    Rgb actual = picture.Pixel(x, y);
    if (Near(actual, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << int(actual.r) << "," << int(actual.g) << ","
           << int(actual.b) << " not " << int(expected.r) << "," << int(expected.g) << "," << int(expected.b);
}

}  // namespace

TEST_F(RenderTest, NearerSurfaceHidesFartherOneWhateverTheOrder) {
    camera.SetBackgroundColor(0, 1, 0);
    auto red = Quad(0, 0, 1, 1, Flat(1, 0, 0));
    auto blue = Quad(0, 0, -1, 3, Flat(0, 0, 1));
    scene.Add(*red);
    scene.Add(*blue);  // drawn after the red one, yet behind it
    const Raster& picture = Render();
    ASSERT_EQ(picture.Width(), 100);
    ASSERT_EQ(picture.Height(), 100);
    EXPECT_TRUE(PixelIs(picture, 50, 50, {255, 0, 0}));
    EXPECT_TRUE(PixelIs(picture, 30, 50, {0, 0, 255}));
    EXPECT_TRUE(PixelIs(picture, 2, 2, {0, 255, 0}));
}

TEST_F(RenderTest, WireframeLeavesTheInsideToTheBackground) {
    camera.SetBackgroundColor(0, 0, 1);
    Material wire = Flat(1, 1, 1);
    wire.style = DrawStyle::Wireframe;
    auto quad = Quad(0, 0, 0, 4, wire);
    scene.Add(*quad);
    const Raster& picture = Render();
    EXPECT_TRUE(PixelIs(picture, 50, 50, {0, 0, 255}));
    // The outline runs 40 pixels either side of the centre.
    int outline = 0;
    for (int x = 5; x < 15; ++x) {
        outline += Near(picture.Pixel(x, 50), {255, 255, 255}) ? 1 : 0;
    }
    EXPECT_GE(outline, 1);
}

TEST_F(RenderTest, LightFacingSurfaceIsBrighterAndDarkensWithTheLight) {
    Light* light = scene.AddLight(std::make_unique<Light>(Vec3{0, 0, -1}, 1.0f));  // shines along -z
    Material grey = Flat(1, 1, 1);
    grey.ambient = 0.2f;
    grey.diffuse = 0.6f;
    auto facing = Quad(-1, 0, 0, 1.5f, grey);
    // The same quad turned edge-on to the light, but still seen by the camera.
    auto turned = Quad(0, 0, 0, 1.5f, grey);
    turned->Transform(Matrix::Rotation({0, 1, 0}, 80), Combine::After);
    turned->Transform(Matrix::Translation({1.2f, 0, 0}), Combine::After);
    scene.Add(*facing);
    scene.Add(*turned);
    Rgb lit = Render().Pixel(30, 50);
    Rgb grazing = camera.Picture().Pixel(74, 50);
    EXPECT_TRUE(Near(lit, {204, 204, 204}, 4));  // 0.2 ambient + 0.6 diffuse
    // Turned 80 degrees, the side the camera sees faces away from the light: ambient alone,
    // 0.2 x 255 = 51.
    EXPECT_TRUE(Near(grazing, {51, 51, 51}, 1));
    light->SetBrightness(0.5f);
    EXPECT_TRUE(Near(Render().Pixel(30, 50), {128, 128, 128}, 4));  // 0.2 + 0.3
}

TEST_F(RenderTest, HalfTransparentSurfaceBlendsOverWhatIsBehind) {
    auto blue = Quad(0, 0, -1, 3, Flat(0, 0, 1));
    Material glass = Flat(1, 0, 0);
    glass.opacity = 0.5f;
    auto red = Quad(0, 0, 1, 1, glass);
    scene.Add(*red);
    scene.Add(*blue);
    const Raster& picture = Render();
    EXPECT_TRUE(PixelIs(picture, 50, 50, {128, 0, 128}));
}

TEST_F(RenderTest, TexturesWithMasksLetTheBackgroundThrough) {
    camera.SetBackgroundColor(0, 0, 0);
    // Left half yellow, right half cyan; the mask hides the top half.
    Raster image(8, 8), mask(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            image.SetPixel(x, y, x < 4 ? Rgb{255, 255, 0} : Rgb{0, 255, 255});
            mask.SetPixel(x, y, y < 4 ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
        }
    }
    auto texture = std::make_shared<Texture>(image);
    Material textured = Flat(1, 1, 1);
    textured.texture = texture;
    auto quad = Quad(0, 0, 0, 4, textured);
    scene.Add(*quad);
    const Raster& picture = Render();
    EXPECT_TRUE(PixelIs(picture, 25, 30, {255, 255, 0}));
    EXPECT_TRUE(PixelIs(picture, 75, 30, {0, 255, 255}));
    texture->SetMask(mask);
    const Raster& masked = Render();
    EXPECT_TRUE(PixelIs(masked, 25, 30, {0, 0, 0}));
    EXPECT_TRUE(PixelIs(masked, 25, 70, {255, 255, 0}));
    EXPECT_TRUE(PixelIs(masked, 75, 70, {0, 255, 255}));
}

// The offset names the texel at the rectangle's top left: a camera turned right raises it, and
// the panorama slides left with the scene.
TEST_F(RenderTest, BackdropWrapsSidewaysForAnyOffsetAndTheViewportIsRead) {
    // A 40-pixel-wide panorama: a red column at x = 0, a blue row at y = 0, the rest grey.
    auto backdrop = std::make_shared<Raster>(40, 20);
    backdrop->Fill({90, 90, 90});
    for (int y = 0; y < 20; ++y) {
        backdrop->SetPixel(0, y, {255, 0, 0});
    }
    for (int x = 1; x < 40; ++x) {
        backdrop->SetPixel(x, 0, {0, 0, 255});
    }
    camera.SetViewport({0, 0, 100, 50});
    camera.SetBackdrop(backdrop);
    camera.SetBackdropRect({0, 10, 100, 20});
    for (int offset : {0, -10, -39, -40, -75, 13}) {
        camera.SetBackdropOffset(offset, 0);
        const Raster& picture = Render();
        ASSERT_EQ(picture.Height(), 50);
        for (int x = 0; x < 100; ++x) {
            int column = ((x + offset) % 40 + 40) % 40;
            Rgb expected = column == 0 ? Rgb{255, 0, 0} : Rgb{90, 90, 90};
            ASSERT_TRUE(PixelIs(picture, x, 15, expected)) << "offset " << offset;
        }
        EXPECT_TRUE(PixelIs(picture, 5, 5, {0, 0, 0}));  // above the backdrop rectangle
    }
    // From row 5 on, the blue first row is cut off; from row -5 on, it shows 5 rows down.
    camera.SetBackdropOffset(1, 5);
    const Raster& raised = Render();
    EXPECT_TRUE(PixelIs(raised, 20, 10, {90, 90, 90}));
    camera.SetBackdropOffset(1, -5);
    const Raster& lowered = Render();
    EXPECT_TRUE(PixelIs(lowered, 20, 15, {0, 0, 255}));
    EXPECT_TRUE(PixelIs(lowered, 20, 16, {90, 90, 90}));
}

TEST_F(RenderTest, SpriteFacesTheCameraAndMovedVerticesAreDrawnWhereTheyAre) {
    Raster image(4, 4);
    image.Fill({255, 0, 255});
    auto sprite = Clump::MakeSprite(std::make_shared<Texture>(image));
    sprite->Transform(Matrix::Rotation({0, 1, 0}, 70), Combine::After);  // turned away: still faces us
    scene.Add(*sprite);
    EXPECT_TRUE(PixelIs(Render(), 43, 40, {255, 0, 255}));  // its full width

    sprite->RemoveFromScene();
    auto quad = Quad(0, 0, 0, 1, Flat(0, 1, 0));
    scene.Add(*quad);
    EXPECT_TRUE(PixelIs(Render(), 80, 50, {0, 0, 0}));
    quad->SetVertex(2, {2, -0.5f, 0});
    quad->SetVertex(3, {2, 0.5f, 0});
    EXPECT_TRUE(PixelIs(Render(), 80, 50, {0, 255, 0}));
}

TEST_F(RenderTest, SceneWithEveryFeature) {
    auto backdrop = std::make_shared<Raster>(64, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 64; ++x) {
            backdrop->SetPixel(
                x, y, {static_cast<std::uint8_t>(120 + x * 2), 160, static_cast<std::uint8_t>(200 - y)});
        }
    }
    camera.SetBackgroundColor(0.1f, 0.1f, 0.3f);
    camera.SetBackdrop(backdrop);
    camera.SetBackdropRect({0, 0, 100, 30});
    camera.SetBackdropOffset(-20, 0);
    scene.AddLight(std::make_unique<Light>(Vec3{1, -1, -1}, 1.0f));
    Raster checks(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            checks.SetPixel(x, y, (x + y) % 2 ? Rgb{240, 240, 240} : Rgb{200, 60, 20});
        }
    }
    Material textured = Flat(1, 1, 1);
    textured.texture = std::make_shared<Texture>(checks);
    auto floor = Quad(0, 0, 0, 3, textured);
    floor->Transform(Matrix::Rotation({1, 0, 0}, -70), Combine::After);
    floor->Transform(Matrix::Translation({0, -1, 0}), Combine::After);
    ClumpBuilder builder;
    builder.SetColor(0.2f, 0.5f, 1.0f);
    builder.SetSurfaceFactors(0.3f, 0.7f, 0.5f);
    builder.SetOpacity(0.5f);
    builder.AddBlock({1, 1, 1});
    builder.SetOpacity(1.0f);
    builder.SetDrawStyle(DrawStyle::Wireframe);
    builder.SetColor(1, 1, 0);
    builder.AddSphere(1.2f, 4);
    auto things = builder.Finish();
    things->Transform(Matrix::Rotation({0, 1, 0}, 30), Combine::After);
    scene.Add(*floor);
    scene.Add(*things);
    const Raster& picture = Render();
    const TestFolder folder;
    EXPECT_TRUE(WritePpm(picture, folder / "r3d-scene.ppm"));
    EXPECT_FALSE(Near(picture.Pixel(50, 50), {25, 25, 77}));  // something covers the centre
}

namespace {

bool SamePicture(const Raster& a, const Raster& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bytes(), a.Bytes() + a.RowBytes() * a.Height(), b.Bytes());
}

// How a face with this normal is lit by one light: ambient and diffuse parts, no highlight.
std::uint8_t LitLevel(Vec3 normal, const Vec3& eye, const Vec3& lightDirection, float ambient,
                      float diffuse) {
    if (Dot(normal, eye) < 0) {
        normal = -normal;
    }
    float level = ambient + diffuse * std::max(Dot(normal, -Normalize(lightDirection)), 0.0f);
    return static_cast<std::uint8_t>(std::lround(255 * std::min(level, 1.0f)));
}

// The lowest and highest red of the pixels in [x0, x1) x [y0, y1).
std::pair<int, int> RedRange(const Raster& picture, int x0, int x1, int y0, int y1) {
    int low = 255, high = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            low = std::min<int>(low, picture.Pixel(x, y).r);
            high = std::max<int>(high, picture.Pixel(x, y).r);
        }
    }
    return {low, high};
}

}  // namespace

TEST_F(RenderTest, FacesSharingCornersStayFlatEachLitByItsOwnNormal) {
    // A folded sheet: two faces meeting in a ridge that comes towards the eye, sharing its corners.
    ClumpBuilder builder;
    builder.SetSurfaceFactors(0.2f, 0.7f, 0.0f);
    const Vec3 corners[] = {{-1.5f, -1, 0}, {0, -1, 0.8f}, {0, 1, 0.8f},
                            {-1.5f, 1, 0},  {1.5f, -1, 0}, {1.5f, 1, 0}};
    for (const Vec3& corner : corners) {
        builder.AddVertex(corner);
    }
    builder.AddQuad(1, 2, 3, 4);
    builder.AddQuad(2, 5, 6, 3);
    auto sheet = builder.Finish();
    const Vec3 light{1, -0.3f, -1};
    scene.AddLight(std::make_unique<Light>(light, 1.0f));
    scene.Add(*sheet);
    const Raster& picture = Render();

    const Vec3 eye{0, 0, 5};
    const Vec3 left = Normalize(Cross(corners[1] - corners[0], corners[3] - corners[0]));
    const Vec3 right = Normalize(Cross(corners[4] - corners[1], corners[2] - corners[1]));
    const int leftLevel = LitLevel(left, eye, light, 0.2f, 0.7f);
    const int rightLevel = LitLevel(right, eye, light, 0.2f, 0.7f);
    ASSERT_GT(leftLevel, rightLevel + 40);  // the light comes from the left
    const auto [leftLow, leftHigh] = RedRange(picture, 24, 45, 34, 66);
    const auto [rightLow, rightHigh] = RedRange(picture, 55, 76, 34, 66);
    EXPECT_LE(leftHigh - leftLow, 1);
    EXPECT_LE(rightHigh - rightLow, 1);
    EXPECT_LE(std::abs(leftLow - leftLevel), 1) << leftLow << " not " << leftLevel;
    EXPECT_LE(std::abs(rightLow - rightLevel), 1) << rightLow << " not " << rightLevel;
}

TEST_F(RenderTest, MovedVerticesDrawAsAFreshBuildOfTheClumpDoes) {
    // A textured, lit field of 12 x 12 corners, leaning back so that heights show.
    Raster checks(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            checks.SetPixel(x, y, (x + y) % 2 ? Rgb{250, 250, 250} : Rgb{40, 90, 200});
        }
    }
    ClumpBuilder builder;
    builder.SetSurfaceFactors(0.3f, 0.7f, 0.4f);
    builder.SetTexture(std::make_shared<Texture>(checks));
    constexpr int kSide = 12;
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            builder.AddVertex(
                {column * 0.3f - 1.65f, row * 0.3f - 1.65f, 0.1f * ((row * 7 + column * 3) % 5)},
                column / 4.0f, row / 4.0f);
        }
    }
    auto at = [](int row, int column) { return row * kSide + column + 1; };
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int column = 0; column + 1 < kSide; ++column) {
            builder.AddQuad(at(row, column), at(row, column + 1), at(row + 1, column + 1),
                            at(row + 1, column));
        }
    }
    auto field = builder.Finish();
    field->Transform(Matrix::Rotation({1, 0, 0}, -35), Combine::After);
    scene.AddLight(std::make_unique<Light>(Vec3{0.5f, -1, -1}, 0.8f));
    scene.Add(*field);
    const Raster before = Render();

    // A copy of the clump has never been drawn, so it is built whole.
    auto freshPicture = [&] {
        auto copy = field->Clone();
        field->RemoveFromScene();
        scene.Add(*copy);
        Raster picture = Render();
        copy->RemoveFromScene();
        scene.Add(*field);
        return picture;
    };
    // The first, a middle and the last corner move: only they are sent again.
    field->SetVertex(1, {-1.9f, -1.9f, 0.6f});
    field->SetVertex(at(5, 6), {0.2f, -0.1f, 0.9f});
    field->SetVertex(kSide * kSide, {1.8f, 1.7f, -0.4f});
    const Raster moved = Render();
    EXPECT_FALSE(SamePicture(moved, before));
    EXPECT_TRUE(SamePicture(moved, freshPicture()));

    // One corner moved back and forth between frames, then a new face: built again whole.
    Vec3 corner;
    field->GetVertex(at(8, 2), corner);
    field->SetVertex(at(8, 2), corner + Vec3{0, 0, 0.7f});
    Render();
    field->SetVertex(at(8, 2), corner + Vec3{0.1f, 0, -0.5f});
    const Raster again = Render();
    EXPECT_TRUE(SamePicture(again, freshPicture()));
    const int face[] = {at(0, 0), at(0, kSide - 1), at(kSide - 1, kSide - 1)};
    field->AddPolygon(face, Flat(1, 0, 0));
    const Raster withFace = Render();
    EXPECT_FALSE(SamePicture(withFace, again));
    EXPECT_TRUE(SamePicture(withFace, freshPicture()));
}

TEST_F(RenderTest, TwoFacesBackToBackAreEachSeenFromTheirOwnSide) {
    ClumpBuilder builder;
    builder.AddVertex({-1, -1, 0}, 0, 1);
    builder.AddVertex({1, -1, 0}, 1, 1);
    builder.AddVertex({1, 1, 0}, 1, 0);
    builder.AddVertex({-1, 1, 0}, 0, 0);
    builder.SetSurface(Flat(1, 0, 0));
    builder.AddQuad(1, 2, 3, 4);
    builder.SetSurface(Flat(0, 0, 1));
    builder.AddQuad(2, 1, 4, 3);  // the same corners the other way round, from another corner
    auto sheet = builder.Finish();
    auto single = Quad(2, 0, 0, 1, Flat(0, 1, 0));
    scene.Add(*sheet);
    scene.Add(*single);
    EXPECT_TRUE(PixelIs(Render(), 50, 50, {255, 0, 0}));

    camera.Reset();
    camera.SetViewWindow(1, 1);
    camera.MoveBy({0, 0, -5});
    camera.LookAt({0, 0, 0});
    const Raster& fromBehind = Render();
    EXPECT_TRUE(PixelIs(fromBehind, 50, 50, {0, 0, 255}));
    // A face without a twin is still seen from behind: at x = 2, which is left on the picture now.
    EXPECT_TRUE(PixelIs(fromBehind, 10, 50, {0, 255, 0}));
}
