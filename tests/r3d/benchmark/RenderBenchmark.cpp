#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/GlContext.h"
#include "platform/r3d/Scene.h"
#include "tests/r3d/PointClumps.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace r3d;

namespace {

// A rolling terrain of 2 x 316 x 317 = 200,344 triangles seen from above at an angle.
std::unique_ptr<Clump> Terrain() {
    constexpr int kColumns = 317, kRows = 316;
    ClumpBuilder builder;
    builder.SetColor(0.3f, 0.6f, 0.2f);
    builder.SetSurfaceFactors(0.6f, 0.2f, 0.0f);
    for (int row = 0; row <= kRows; ++row) {
        for (int column = 0; column <= kColumns; ++column) {
            float x = column * 0.05f - 8, z = row * 0.05f - 8;
            builder.AddVertex({x, 0.3f * std::sin(x) * std::cos(z), z}, column * 0.1f, row * 0.1f);
        }
    }
    auto at = [](int row, int column) { return row * (kColumns + 1) + column + 1; };
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            builder.AddTriangle(at(row, column), at(row + 1, column), at(row + 1, column + 1));
            builder.AddTriangle(at(row, column), at(row + 1, column + 1), at(row, column + 1));
        }
    }
    return builder.Finish();
}

void RenderFrame(Camera& camera, const Scene& scene) {
    camera.BeginUpdate();
    camera.Clear();
    scene.Render(camera);
    camera.EndUpdate();
}

// Frames of an unchanged scene: drawing and reading the picture back.
void RenderTerrain(benchmark::State& state) {
    if (!GlContext::Get()) {
        state.SkipWithError(GlContext::FailureReason().c_str());
        return;
    }
    Scene scene;
    scene.AddLight(std::make_unique<Light>(Vec3{1, -1, -1}, 1.0f));
    auto terrain = Terrain();
    scene.Add(*terrain);
    Camera camera(1280, 800);
    camera.SetViewWindow(0.8f, 0.5f);
    camera.MoveBy({0, 6, 10});
    camera.LookAt({0, 0, 0});
    RenderFrame(camera, scene);
    for (auto _ : state) {
        RenderFrame(camera, scene);
        benchmark::DoNotOptimize(camera.Picture().Bytes());
    }
    state.counters["triangles"] = static_cast<double>(terrain->Polygons().size());
}
BENCHMARK(RenderTerrain)->Unit(benchmark::kMillisecond);

// The same after a vertex moved, as in a terrain edit: what moved is sent to the device again.
void RenderTerrainAfterEdit(benchmark::State& state) {
    if (!GlContext::Get()) {
        state.SkipWithError(GlContext::FailureReason().c_str());
        return;
    }
    Scene scene;
    scene.AddLight(std::make_unique<Light>(Vec3{1, -1, -1}, 1.0f));
    auto terrain = Terrain();
    scene.Add(*terrain);
    Camera camera(1280, 800);
    camera.SetViewWindow(0.8f, 0.5f);
    camera.MoveBy({0, 6, 10});
    camera.LookAt({0, 0, 0});
    Vec3 p;
    terrain->GetVertex(1, p);
    for (auto _ : state) {
        p.y += 0.01f;
        terrain->SetVertex(1, p);
        RenderFrame(camera, scene);
    }
}
BENCHMARK(RenderTerrainAfterEdit)->Unit(benchmark::kMillisecond);

// Taking 200,000 clumps out of a scene, first added first, as closing a large layout does.
void TakeOutClumps(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Scene scene;
        auto clumps = AddPointClumps(scene, 200000);
        state.ResumeTiming();
        for (auto& clump : clumps) clump->RemoveFromScene();
        benchmark::DoNotOptimize(scene.Clumps().size());
        state.PauseTiming();
        clumps.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(TakeOutClumps)->Unit(benchmark::kMillisecond);

}  // namespace
