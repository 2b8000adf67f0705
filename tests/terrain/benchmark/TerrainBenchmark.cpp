#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/host/HeadlessHost.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CTerrainEditorDialog.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/terrain/TerrainPlan.h"

// A terrain of 3 m by 1.5 m at a grid spacing of 150 (about 20,000 knots) with a 100-vertex
// outline and 500 edits: its grid rebuild, its mesh, one vertex drag of the terrain editor, a
// Conform Terrain with 200 track pieces over it, one plan redraw of its knot dots, and in the
// terrain editor one drag step (the elastic edit, the 3D model's vertices and the preview's
// picture) and one tick of a held rotate button.

namespace {

constexpr double kPi = 3.1415926535;
constexpr int kOutlineVertices = 100;
constexpr int kEdits = 500;
constexpr int kPieces = 200;

// A rounded rectangle of 30000 by 15000 plan units about the origin.
std::vector<CDoublePoint> RoundedOutline() {
    std::vector<CDoublePoint> outline;
    for (int i = 0; i < kOutlineVertices; ++i) {
        const double a = 2.0 * kPi * i / kOutlineVertices;
        const double c = std::cos(a), s = std::sin(a);
        outline.push_back({15000.0 * std::copysign(std::pow(std::fabs(c), 0.3), c) + 15000.0,
                           7500.0 * std::copysign(std::pow(std::fabs(s), 0.3), s) + 7500.0});
    }
    return outline;
}

struct LargeTerrain {
    LargeTerrain() : canvas(3100, 1600) {
        terrainDots = RGB(255, 0, 255);
        plan.Open3D();
        terrain = plan.Outline<CMount>(RoundedOutline());
        terrain->m_fGridSpacing = 150.0;
        terrain->m_crGrid = terrainDots;
        for (int i = 0; i < kEdits; ++i)
            terrain->m_newEdits.Append({static_cast<float>(1000 + (i * 577) % 28000),
                                        static_cast<float>(1000 + (i * 331) % 13000),
                                        static_cast<float>((i % 7) * 10 - 30), 1500.0f, i % 2, i == 0});
        terrain->RebuildGrid();
    }
    void AddPieces() {
        for (int i = 0; i < kPieces; ++i) {
            const double y = 700.0 + (i % 20) * 700.0;
            const double x = 500.0 + (i / 20) * 2900.0;
            CTrack* piece = plan.Straight(x, y, x + 2500.0, y + 300.0);
            piece->m_nStyle = i % 3 == 2 ? 2 : 0;
            piece->m_fBeginElevation = 40.0;
            piece->m_fEndElevation = 60.0;
        }
    }
    TerrainPlan plan;
    CMount* terrain = nullptr;
    COLORREF terrainDots;
    Canvas canvas;
};

void RebuildGrid(benchmark::State& state) {
    LargeTerrain large;
    for (auto _ : state) large.terrain->RebuildGrid();
    state.counters["knots"] = large.terrain->Grid().GetSize();
}

void BuildMesh(benchmark::State& state) {
    LargeTerrain large;
    for (auto _ : state) {
        std::unique_ptr<r3d::Clump> mesh = large.terrain->Build3D(nullptr);
        large.terrain->UpdateMeshVertices(*mesh, 0);
        benchmark::DoNotOptimize(mesh);
    }
}

void DragOneVertex(benchmark::State& state) {
    LargeTerrain large;
    std::unique_ptr<r3d::Clump> mesh = large.terrain->Build3D(nullptr);
    large.terrain->UpdateMeshVertices(*mesh, 0);
    const int vertex = large.terrain->m_nCentreKnot + 1;
    CTerrainEditList edits;
    float lift = 0.1f;
    for (auto _ : state) {
        r3d::Vec3 p;
        mesh->GetVertex(vertex, p);
        large.terrain->DeformElastic(*mesh, vertex, p.x, p.y + lift, p.z, 0, 0.25, 0, edits, 0, 1);
        large.terrain->UpdateMeshVertices(*mesh, 0);
        lift = -lift;
    }
}

void ConformTerrain(benchmark::State& state) {
    LargeTerrain large;
    large.AddPieces();
    for (auto _ : state) large.plan.tool.ConformTerrain();
    state.counters["cuts"] = static_cast<double>(large.terrain->m_trackCuts.size());
}

void RedrawGridDots(benchmark::State& state) {
    LargeTerrain large;
    large.plan.tool.SetTargetDC(&large.canvas.dc, nullptr);
    large.plan.tool.m_rcUpdate = DeviceRect{0, 0, 3100, 1600};
    large.terrain->Select();
    large.terrain->RecalcDeviceBounds();
    for (auto _ : state) large.terrain->Draw(nullptr);
    state.counters["dots"] = large.canvas.CountColor(large.terrain->m_crGrid, CRect(0, 0, 3100, 1600));
    large.plan.tool.SetTargetDC(nullptr, nullptr);
}

// The record of a terrain over the rectangle of the given size in plan units at the spacing,
// with edits of the radius spread over it, read as a layout file reads it.
struct TerrainRecord {
    TerrainRecord(double width, double height, double spacing, int edits, float radius) {
        CMount* made = plan.Terrain(Rectangle(0.0, 0.0, width, height), spacing);
        for (int i = 0; i < edits; ++i)
            made->m_newEdits.Append({static_cast<float>(width * ((i * 37) % 100) / 100.0),
                                     static_cast<float>(height * ((i * 61) % 100) / 100.0), 25.0f, radius,
                                     i % 2, 1});
        bytes = StoreRecord(*made);
    }
    // A terrain made at a spacing the page allows, its record holding another one, as a file
    // from elsewhere may.
    TerrainRecord(const std::vector<CDoublePoint>& outline, double spacing, double storedSpacing) {
        bytes = RecordWithSpacing(*plan.Terrain(outline, spacing), storedSpacing);
    }
    void Open(benchmark::State& state) {
        for (auto _ : state) {
            CMount opened;
            opened.SetTool(&plan.tool);
            LoadRecord(opened, bytes);
            state.counters["knots"] = opened.Grid().GetSize();
            state.counters["searched cells"] = opened.BorderSearchCells();
        }
    }
    TerrainPlan plan;
    std::vector<BYTE> bytes;
};

// A terrain as the properties page makes it: 3 m by 2 m at the least spacing, 100 edits.
void OpenPageTerrain(benchmark::State& state) {
    TerrainRecord(30000.0, 20000.0, CMount::kSmallestSpacing, 100, 3000.0f).Open(state);
}

// The most work one record may take: 30 m by 20 m at the least spacing, its grid coarsened to
// what an open may build, with 19 edits over all of it, just within what an open may replay.
void OpenLargestTerrain(benchmark::State& state) {
    TerrainRecord(300000.0, 200000.0, CMount::kSmallestSpacing, 19, 400000.0f).Open(state);
}

// A terrain 10 km long and 40 cm wide stored at the least spacing: the open widens the
// spacing until its border strip fits what an open may stitch.
void OpenLongNarrowTerrain(benchmark::State& state) {
    TerrainRecord(Rectangle(0.0, -2000.0, 1e8, 2000.0), 5000.0, CMount::kSmallestSpacing).Open(state);
}

// Narrower than a tenth of the spacing: the outline's sides fold into one, far from the knots.
void OpenSliverTerrain(benchmark::State& state) {
    TerrainRecord(Rectangle(0.0, -100.0, 1e8, 100.0), 7500.0, CMount::kSmallestSpacing).Open(state);
}

// The editor open on the terrain's centre knot, as a window of the headless host.
struct OpenEditor {
    explicit OpenEditor(LargeTerrain& large)
        : dialog(large.terrain->m_nCentreKnot, large.terrain, nullptr, FALSE) {
        dialog.CreateIndirect(TerrainEditorTemplate(), nullptr);
        dialog.ShowWindow(SW_SHOW);
        host.RunUntilIdle();
    }
    ~OpenEditor() { dialog.DestroyWindow(); }
    HeadlessHost host;
    CTerrainEditorDialog dialog;
};

void EditorDragStep(benchmark::State& state) {
    LargeTerrain large;
    OpenEditor editor(large);
    std::unique_ptr<r3d::Clump> model = large.terrain->Build3D(nullptr);
    const r3d::Clump& mesh = *editor.dialog.Preview().GetTerrainClump();
    r3d::Vec3 p;
    mesh.GetVertex(large.terrain->m_nCentreKnot + 1, p);
    float lift = 0.1f;
    for (auto _ : state) {
        editor.dialog.ApplyKnotHeight(p.y + lift);
        large.terrain->UpdateMeshVertices(*model, 0);
        lift = -lift;
    }
    state.counters["knots"] = large.terrain->Grid().GetSize();
    state.counters["edits"] = editor.dialog.EditList().GetCount();
}

void EditorRotateTick(benchmark::State& state) {
    LargeTerrain large;
    OpenEditor editor(large);
    for (auto _ : state) editor.dialog.RotateView(-CTerrainEditorDialog::kRotateStep, TRUE, TRUE);
    state.counters["pixels"] = editor.dialog.Preview().GetCamera()->Picture().Width() *
                               editor.dialog.Preview().GetCamera()->Picture().Height();
}

}  // namespace

BENCHMARK(OpenPageTerrain)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenLargestTerrain)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenLongNarrowTerrain)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenSliverTerrain)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorDragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorRotateTick)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(DragOneVertex)->Unit(benchmark::kMillisecond);
BENCHMARK(ConformTerrain)->Unit(benchmark::kMillisecond);
BENCHMARK(RedrawGridDots)->Unit(benchmark::kMillisecond);
