#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "model/CGroup.h"
#include "platform/r3d/Clump.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestFolder.h"
#include "tests/terrain/TerrainPlan.h"
#include "view3d/C3D.h"

// A plan of 200 3D shapes in a 20 by 10 grid, each showing the footprint of a model of 5,000
// vertices (a rippled sheet of 50 by 100 vertices in quads): one redraw of the whole plan.

namespace {

constexpr int kShapes = 200;
constexpr int kColumns = 50;
constexpr int kRows = 100;

void WriteSheet(const std::filesystem::path& path) {
    std::ofstream out(path);
    out << "ModelBegin\nClumpBegin\nColor 0.6 0.6 0.6\n";
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) out << "Vertex " << c << ' ' << (r + c) % 3 << ' ' << r << '\n';
    for (int r = 0; r + 1 < kRows; ++r)
        for (int c = 0; c + 1 < kColumns; ++c) {
            const int v = r * kColumns + c + 1;
            out << "Quad " << v << ' ' << v + 1 << ' ' << v + 1 + kColumns << ' ' << v + kColumns << '\n';
        }
    out << "ClumpEnd\nModelEnd\n";
}

struct ShapePlan {
    ShapePlan() : canvas(2000, 1000) {
        WriteSheet(folder / "sheet.rwx");
        plan.host.m_f3DScale = 100.0;
        for (int i = 0; i < kShapes; ++i) {
            const double x = (i % 20) * 1000.0, y = (i / 20) * 1000.0;
            auto* shape = AddToLayout(plan.host, new C3D(0, &plan.tool, x, y));
            shape->MoveBoxCorner(1, 0.0, 900.0, nullptr);
            shape->MoveBoxCorner(3, 900.0, 0.0, nullptr);
            shape->m_strModelFile = (folder / "sheet.rwx").string().c_str();
            shape->m_fHeight = 200.0;
            shape->m_bShowOn2DPlan = 1;
            shape->Update3D(nullptr);
            shape->ComputeExtent(nullptr);
            shape->RecalcDeviceBounds();
        }
    }
    TestFolder folder;
    TerrainPlan plan;
    Canvas canvas;
};

void RedrawFootprints(benchmark::State& state) {
    ShapePlan shapes;
    CTool& tool = shapes.plan.tool;
    tool.SetTargetDC(&shapes.canvas.dc, nullptr);
    tool.m_rcUpdate = DeviceRect{0, 0, 2000, 1000};
    for (auto _ : state)
        for (CPaint* member : shapes.plan.host.CurrentGroup()->m_members) member->Draw(nullptr);
    tool.SetTargetDC(nullptr, nullptr);
    state.counters["vertices"] = static_cast<double>(kShapes * kColumns * kRows);
}

}  // namespace

BENCHMARK(RedrawFootprints)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
