#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/GlContext.h"
#include "platform/r3d/Scene.h"
#include "tests/r3d/DifferingPixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace r3d;

namespace {

std::shared_ptr<Texture> Checker(Raster::Rgb one, Raster::Rgb other) {
    Raster image(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) image.SetPixel(x, y, (x + y) % 2 ? one : other);
    return std::make_shared<Texture>(image);
}

// A yard of models on a ground, seen from above at a slant: blocks of three colours and two
// textures, turned at odd angles, a wireframe shed, a block with a child block, a two-sided
// sheet, and two that cannot be merged: a see-through block and a sprite.
class SharedMeshes : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(GlContext::Get(), nullptr) << "no OpenGL context: " << GlContext::FailureReason();
        for (Scene* scene : {&batched, &single}) {
            scene->AddLight(std::make_unique<Light>(Vec3{1, -2, -1}, 0.8f));
            scene->SetAmbientLight(0.5f);
        }
        camera.SetViewWindow(1.0f, 0.625f);
        camera.MoveBy({0, 9, 9});
        camera.LookAt({0, 0, 0});
        camera.SetBackgroundColor(0.2f, 0.3f, 0.6f);
        BuildYard();
    }

    ClumpBuilder Builder(int kind) {
        ClumpBuilder builder;
        builder.SetBatched(true);
        const float colours[3][3] = {{0.8f, 0.2f, 0.1f}, {0.1f, 0.7f, 0.2f}, {0.9f, 0.9f, 0.3f}};
        builder.SetColor(colours[kind % 3][0], colours[kind % 3][1], colours[kind % 3][2]);
        builder.SetSurfaceFactors(0.4f, 0.6f, kind % 2 ? 0.3f : 0.0f);
        if (kind % 5 == 3)
            builder.SetTexture(bricks);
        if (kind % 5 == 4)
            builder.SetTexture(slates);
        return builder;
    }

    void Place(std::unique_ptr<Clump> model, float x, float z, float turn) {
        model->Transform(Matrix::Rotation({0, 1, 0}, turn), Combine::After);
        model->Transform(Matrix::Translation({x, 0.3f, z}), Combine::After);
        Keep(std::move(model));
    }

    // The model goes into the batched scene, and an unbatched copy of it into the other.
    void Keep(std::unique_ptr<Clump> model) {
        std::unique_ptr<Clump> copy = model->Clone();
        copy->SetBatched(false);
        batched.Add(*model);
        single.Add(*copy);
        models.push_back(std::move(model));
        copies.push_back(std::move(copy));
    }

    void BuildYard() {
        ClumpBuilder ground;
        ground.SetBatched(true);
        ground.SetColor(0.4f, 0.35f, 0.3f);
        ground.AddVertex({-6, 0, -6}, 0, 0);
        ground.AddVertex({6, 0, -6}, 4, 0);
        ground.AddVertex({6, 0, 6}, 4, 4);
        ground.AddVertex({-6, 0, 6}, 0, 4);
        ground.AddQuad(1, 2, 3, 4);
        ground.AddQuad(4, 3, 2, 1);
        Keep(ground.Finish());
        for (int i = 0; i < 30; ++i) {
            ClumpBuilder block = Builder(i);
            block.AddBlock({0.9f, 0.5f + 0.05f * (i % 4), 0.4f});
            Place(block.Finish(), (i % 6) * 1.8f - 4.5f, (i / 6) * 1.9f - 4.0f, 17.0f * i);
        }
        ClumpBuilder shed = Builder(1);
        shed.SetDrawStyle(DrawStyle::Wireframe);
        shed.AddBlock({1.0f, 1.0f, 1.0f});
        Place(shed.Finish(), 5.0f, 4.5f, 30.0f);
        ClumpBuilder parent = Builder(2);
        parent.AddBlock({0.6f, 0.6f, 0.6f});
        std::unique_ptr<Clump> withChild = parent.Finish();
        ClumpBuilder child = Builder(3);
        child.AddBlock({0.3f, 0.3f, 0.3f});
        withChild->AddChild(child.Finish())->Transform(Matrix::Translation({0, 0.45f, 0}), Combine::After);
        Place(std::move(withChild), -5.0f, 4.5f, 10.0f);
        ClumpBuilder glass = Builder(0);
        glass.SetOpacity(0.5f);
        glass.AddBlock({1.2f, 1.2f, 1.2f});
        Place(glass.Finish(), 0.5f, 0.5f, 0.0f);
        std::unique_ptr<Clump> sprite = Clump::MakeSprite(bricks);
        sprite->SetBatched(true);
        Place(std::move(sprite), -2.0f, 5.0f, 0.0f);
    }

    // 600 small blocks in rows across the yard: more than two groups hold.
    void AddSmallBlocksAcrossTheYard() {
        for (int i = 0; i < 600; ++i) {
            ClumpBuilder block = Builder(i);
            block.AddBlock({0.1f, 0.1f, 0.1f});
            Place(block.Finish(), (i % 30) * 0.3f - 4.5f, (i / 30) * 0.3f - 3.0f, 7.0f * i);
        }
    }

    Raster Render(const Scene& scene) {
        EXPECT_TRUE(camera.BeginUpdate());
        camera.Clear();
        scene.Render(camera);
        camera.EndUpdate();
        return camera.Picture();
    }

    // Exactly the same: the shared meshes hold each vertex already moved by its model's
    // transforms, which comes to the same floats as the device's own product, and no two faces
    // of different models here lie at the same depth, so the order of drawing cannot show.
    void ExpectSamePicture(const char* when) {
        const Raster merged = Render(batched);
        const Raster alone = Render(single);
        EXPECT_EQ(DifferingPixels(merged, alone), 0) << when;
    }

    std::shared_ptr<Texture> bricks = Checker({180, 60, 40}, {220, 200, 180});
    std::shared_ptr<Texture> slates = Checker({60, 60, 80}, {120, 120, 150});
    Camera camera{640, 400};
    Scene batched;
    Scene single;
    std::vector<std::unique_ptr<Clump>> models;
    std::vector<std::unique_ptr<Clump>> copies;
};

}  // namespace

TEST_F(SharedMeshes, MergedModelsDrawTheSamePictureAsSingleDrawsBeforeAndAfterEdits) {
    ExpectSamePicture("as built");
    // All but the see-through block and the sprite go into one shared mesh.
    EXPECT_EQ(batched.Batches().MeshCount(), 1u);
    EXPECT_EQ(batched.Batches().LeftOut().size(), 2u);
    for (const auto& model : models) EXPECT_TRUE(model->InBatch());
    for (const auto& copy : copies) EXPECT_FALSE(copy->InBatch());

    // A frame with nothing changed builds nothing again.
    const int builds = batched.Batches().Builds();
    const Raster before = Render(batched);
    EXPECT_EQ(batched.Batches().Builds(), builds);

    // Moved.
    for (auto* model : {models[5].get(), copies[5].get()})
        model->Transform(Matrix::Translation({0.7f, 0, 0.4f}), Combine::After);
    ExpectSamePicture("after a move");
    EXPECT_GT(DifferingPixels(Render(batched), before), 100);
    EXPECT_EQ(batched.Batches().Builds(), builds + 1);

    // A corner moved, and a surface changed.
    for (auto* model : {models[8].get(), copies[8].get()}) {
        model->SetVertex(1, {-0.45f, 1.2f, -0.2f});
        model->SetTexture(slates);
    }
    ExpectSamePicture("after a vertex moved and a texture changed");

    // A child turned.
    for (auto* model : {models[32].get(), copies[32].get()})
        model->Children()[0]->Transform(Matrix::Rotation({0, 1, 0}, 45), Combine::Before);
    ExpectSamePicture("after a child turned");

    // Deleted: the model leaves its scene when destroyed.
    const Raster withBlock = Render(batched);
    models[12].reset();
    copies[12].reset();
    ExpectSamePicture("after a delete");
    EXPECT_GT(DifferingPixels(Render(batched), withBlock), 100);

    // Added again, as Undo brings a model back.
    ClumpBuilder block = Builder(12);
    block.AddBlock({0.9f, 0.6f, 0.4f});
    Place(block.Finish(), -1.0f, -1.0f, 33.0f);
    ExpectSamePicture("after an add");
    EXPECT_EQ(batched.Batches().MeshCount(), 1u);

    // Taken out of the scene, a model is drawn no more.
    batched.Remove(*models.back());
    single.Remove(*copies.back());
    EXPECT_FALSE(models.back()->InBatch());
    ExpectSamePicture("after a removal");
}

TEST_F(SharedMeshes, ManyModelsFillSeveralGroupsAndAnEditRebuildsOnlyItsOwn) {
    AddSmallBlocksAcrossTheYard();
    ExpectSamePicture("with 600 more");
    const std::size_t groups = batched.Batches().MeshCount();
    EXPECT_EQ(groups, (models.size() + r3d::SceneBatches::kGroupSize - 1) / r3d::SceneBatches::kGroupSize);
    const int builds = batched.Batches().Builds();
    for (auto* model : {models[400].get(), copies[400].get()})
        model->Transform(Matrix::Translation({0, 0.5f, 0}), Combine::After);
    ExpectSamePicture("after a move");
    EXPECT_EQ(batched.Batches().Builds(), builds + 1);
}

TEST_F(SharedMeshes, FramesLeavingOutUnseenMeshesDrawTheSamePixelsFromEveryStandpoint) {
    AddSmallBlocksAcrossTheYard();
    struct Standpoint {
        const char* name;
        Vec3 eye, target;
    };
    const Standpoint standpoints[] = {
        {"above at a slant", {0, 9, 9}, {0, 0, 0}},
        {"inside the yard looking along it", {-5.5f, 0.5f, 0.1f}, {5, 0.4f, 0.3f}},
        {"inside the yard looking back across it", {3.0f, 0.6f, 2.0f}, {-4, 0.2f, -3}},
        {"close over one corner", {-4.6f, 1.2f, -3.2f}, {-4.2f, 0.3f, -2.8f}},
        {"at the edge looking out", {6.5f, 0.5f, 0}, {12, 0.5f, 0}},
    };
    auto expectSameFromEverywhere = [&](const char* when) {
        for (const Standpoint& standpoint : standpoints) {
            camera.Reset();
            camera.SetViewWindow(1.0f, 0.625f);
            camera.MoveBy(standpoint.eye);
            camera.LookAt(standpoint.target);
            batched.SetCulling(false);
            const Raster whole = Render(batched);
            batched.SetCulling(true);
            const Raster culled = Render(batched);
            EXPECT_EQ(DifferingPixels(culled, whole), 0) << standpoint.name << ", " << when;
            EXPECT_EQ(DifferingPixels(culled, Render(single)), 0) << standpoint.name << ", " << when;
        }
    };
    expectSameFromEverywhere("as built");

    // Moved across the yard into other cells, one far out of the rest.
    for (auto* model : {models[40].get(), copies[40].get()})
        model->Transform(Matrix::Translation({5.0f, 0, 3.0f}), Combine::After);
    for (auto* model : {models[300].get(), copies[300].get()})
        model->Transform(Matrix::Translation({9.0f, 0, 0.2f}), Combine::After);
    expectSameFromEverywhere("after two moves");
    const std::size_t meshes = batched.Batches().MeshCount();

    // Taken out and put back, as Undo of a delete does.
    batched.Remove(*models[300]);
    single.Remove(*copies[300]);
    expectSameFromEverywhere("after a removal");
    batched.Add(*models[300]);
    single.Add(*copies[300]);
    expectSameFromEverywhere("after it came back");
    EXPECT_EQ(batched.Batches().MeshCount(), meshes);
}
