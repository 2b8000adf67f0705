#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/CCVNApp.h"
#include "model/CCVNDoc.h"
#include "platform/base/CProfile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/RenderTarget.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CMainFrame.h"
#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"
#include "tools/datagen/DataPictures.h"
#include "tools/datagen/TrainModels.h"
#include "view3d/C3DView.h"
#include "view3d/CTestTrain.h"

// Frames of the 3D window at 1280 x 800 over 2,000 roadbed-sized track models and a
// terrain-sized mesh of 20,000 vertices, and the time "3D View" takes to open on them; the
// time it takes to open on layouts of 5,000 and 50,000 pieces; and one tick of the train timer
// for 20 test trains of 10 cars on a 2,000-piece layout; one frame of layouts of 5,000 and
// 50,000 pieces, seen from above and from inside.

namespace {

constexpr int kPieces = 2000;
constexpr int kMeshSide = 142;  // 142 x 142 = 20,164 vertices
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// A straight piece's model: the track top and the two sides of its roadbed, 12 vertices.
std::unique_ptr<r3d::Clump> TrackModel(float x, float z, float angle) {
    r3d::ClumpBuilder builder;
    builder.SetTag(103);
    builder.SetBatched(true);
    const float c = std::cos(angle), s = std::sin(angle);
    auto at = [&](float along, float across, float y) {
        return r3d::Vec3{x + along * c - across * s, y, z + along * s + across * c};
    };
    const float length = 0.6f, half = 0.08f, top = 0.05f;
    builder.SetColor(0.5f, 0.4f, 0.3f);
    for (float side : {-half, half}) {
        builder.AddVertex(at(0, side, 0), 0, 0);
        builder.AddVertex(at(length, side, 0), 1, 0);
        builder.AddVertex(at(length, side, top), 1, 1);
        builder.AddVertex(at(0, side, top), 0, 1);
    }
    builder.AddVertex(at(0, -half, top), 0, 0);
    builder.AddVertex(at(0, half, top), 1, 0);
    builder.AddVertex(at(length, half, top), 1, 6);
    builder.AddVertex(at(length, -half, top), 0, 6);
    builder.AddQuad(1, 2, 3, 4);
    builder.AddQuad(8, 7, 6, 5);
    builder.AddQuad(12, 11, 10, 9);
    return builder.Finish();
}

std::unique_ptr<r3d::Clump> TerrainMesh() {
    r3d::ClumpBuilder builder;
    builder.SetTag(32002);
    builder.SetColor(0.3f, 0.6f, 0.2f);
    for (int row = 0; row < kMeshSide; ++row)
        for (int column = 0; column < kMeshSide; ++column) {
            const float x = column * 0.11f - 8, z = row * 0.11f - 8;
            builder.AddVertex({x, 0.2f * std::sin(x) * std::cos(z), z}, column * 0.1f, row * 0.1f);
        }
    auto at = [](int row, int column) { return row * kMeshSide + column + 1; };
    for (int row = 0; row + 1 < kMeshSide; ++row)
        for (int column = 0; column + 1 < kMeshSide; ++column)
            builder.AddQuad(at(row, column), at(row + 1, column), at(row + 1, column + 1),
                            at(row, column + 1));
    return builder.Finish();
}

class Program {
  public:
    Program() {
        WindowManager::Instance().Reset();
        CProfile::Program().SetPath(folder / "corvane.ini");
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        std::vector<char*> argv{const_cast<char*>("corvane")};
        app.SetCommandLine(1, argv.data());
        started = app.InitApplication() && app.InitInstance();
        host.RunUntilIdle();
    }
    ~Program() {
        if (IsWindow(app.m_pMainWnd)) {
            Layout()->SetModifiedFlag(FALSE);
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        host.RunUntilIdle();
    }
    CCVNDoc* Layout() {
        CMDIChildWnd* child = app.MainFrame()->MDIGetActive();
        return child != nullptr ? dynamic_cast<CCVNDoc*>(child->GetActiveDocument()) : nullptr;
    }
    void FillScene() {
        r3d::Scene* scene = Layout()->GetScene();
        for (int i = 0; i < kPieces; ++i) {
            models.push_back(TrackModel((i % 50) * 0.3f - 7.5f, (i / 50) * 0.3f - 7.5f, 0.1f * i));
            scene->Add(*models.back());
        }
        models.push_back(TerrainMesh());
        scene->Add(*models.back());
    }
    C3DView* Open3DView() {
        app.MainFrame()->SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
        host.RunUntilIdle();
        auto* view = dynamic_cast<C3DView*>(app.MainFrame()->MDIGetActive()->GetActiveView());
        if (view == nullptr)
            return nullptr;
        CRect window, client;
        view->GetWindowRect(&window);
        view->GetClientRect(&client);
        view->MoveWindow(0, 0, kWidth + window.Width() - client.Width(),
                         kHeight + window.Height() - client.Height());
        host.RunUntilIdle();
        return view;
    }

    TestFolder folder;
    HeadlessHost host;
    CCVNApp app;
    bool started = false;
    std::vector<std::unique_ptr<r3d::Clump>> models;
};

void Render3DWindow(benchmark::State& state) {
    Program program;
    if (!program.started) {
        state.SkipWithError("the program did not start");
        return;
    }
    program.FillScene();
    const auto opening = std::chrono::steady_clock::now();
    C3DView* view = program.Open3DView();
    const std::chrono::duration<double, std::milli> opened = std::chrono::steady_clock::now() - opening;
    if (view == nullptr) {
        state.SkipWithError("no 3D window");
        return;
    }
    view->SendMessage(WM_COMMAND, ID_VIEW_BIRDS_EYE);
    CClientDC dc(view);
    for (auto _ : state) {
        view->Render(&dc);
        benchmark::DoNotOptimize(view->GetCamera());
    }
    state.counters["open_ms"] = opened.count();
    program.models.clear();
}
BENCHMARK(Render3DWindow)->Unit(benchmark::kMillisecond);

// "3D View" opened once on a layout of rows of a hundred pieces, which builds every piece's
// model; without textures no texture file is present, as on a machine without the shipped data.
void Open3DViewOnce(benchmark::State& state, bool withTextures) {
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>();
        if (!program->started || (withTextures && !DataPictures::WriteAll(program->folder.Path()))) {
            state.SkipWithError("the program did not start");
            return;
        }
        if (withTextures)
            CProfile::Program().WriteProfileString("Paths", "Textures",
                                                   (program->folder / "TEXTURES").c_str());
        LargeLayout::Build(*program->Layout(), static_cast<int>(state.range(0)));
        state.ResumeTiming();
        if (program->Open3DView() == nullptr) {
            state.SkipWithError("no 3D window");
            return;
        }
        state.PauseTiming();
        state.counters["messages"] = static_cast<double>(program->host.MessageBoxes().size());
        program.reset();
        state.ResumeTiming();
    }
}
void Open3DView(benchmark::State& state) {
    Open3DViewOnce(state, false);
}
BENCHMARK(Open3DView)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Iterations(1);

// The same with the shipped textures in the textures folder the profile names.
void Open3DViewWithTextures(benchmark::State& state) {
    Open3DViewOnce(state, true);
}
BENCHMARK(Open3DViewWithTextures)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Iterations(1);

// The whole layout in the 3D window at 1280 x 800: every piece's model with its roadbed, over a
// terrain-sized mesh of 20,000 vertices.
// Null, with the benchmark skipped, when the program or the window does not come up.
C3DView* OpenOnLayout(benchmark::State& state, Program& program) {
    if (!program.started) {
        state.SkipWithError("the program did not start");
        return nullptr;
    }
    LargeLayout::Build(*program.Layout(), static_cast<int>(state.range(0)));
    C3DView* view = program.Open3DView();
    if (view == nullptr) {
        state.SkipWithError("no 3D window");
        return nullptr;
    }
    program.models.push_back(TerrainMesh());
    program.Layout()->GetScene()->Add(*program.models.back());
    view->SendMessage(WM_COMMAND, ID_VIEW_BIRDS_EYE);
    return view;
}

void RenderFrames(benchmark::State& state, Program& program, C3DView& view) {
    CClientDC dc(&view);
    view.Render(&dc);
    for (auto _ : state) {
        view.Render(&dc);
        benchmark::DoNotOptimize(view.GetCamera());
    }
    const r3d::Scene& scene = *program.Layout()->GetScene();
    state.counters["clumps"] = static_cast<double>(scene.Clumps().size());
    state.counters["shared_meshes"] = static_cast<double>(scene.Batches().MeshCount());
    state.counters["meshes_drawn"] = view.GetCamera()->Target()->SharedMeshesDrawn();
    program.models.clear();
}

// One frame of the whole layout seen from above.
void RenderLayout3D(benchmark::State& state) {
    Program program;
    C3DView* view = OpenOnLayout(state, program);
    if (view == nullptr)
        return;
    RenderFrames(state, program, *view);
}
BENCHMARK(RenderLayout3D)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// One frame from a point inside the layout, just above its track, looking across it.
void RenderLayout3DFromInside(benchmark::State& state) {
    Program program;
    C3DView* view = OpenOnLayout(state, program);
    if (view == nullptr)
        return;
    r3d::Box track;
    program.Layout()->GetScene()->Batches().Refresh();
    program.Layout()->GetScene()->Batches().ForEachMesh(
        [&](const r3d::GpuMesh&, const r3d::Box& bounds) { track.Extend(bounds); });
    const r3d::Vec3 middle = track.Centre();
    r3d::Camera& camera = *view->GetCamera();
    camera.MoveBy(r3d::Vec3{middle.x, track.max.y + 0.2f, middle.z} - camera.Position());
    camera.LookAt({track.max.x, track.max.y, track.max.z});
    RenderFrames(state, program, *view);
}
BENCHMARK(RenderLayout3DFromInside)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

constexpr int kTrains = 20;
constexpr int kCarsPerTrain = 10;
constexpr int kTrainTicks = 1000;

// Every train steps one 20 ms tick, then the 3D window draws the frame once.
void StepTrainsAndRender(benchmark::State& state) {
    Program program;
    if (!program.started || !TrainModels::WriteAll(program.folder.Path())) {
        state.SkipWithError("the program did not start");
        return;
    }
    CProfile::Program().WriteProfileString("Paths", "Trains", (program.folder / "TRAINS").c_str());
    CCVNDoc& layout = *program.Layout();
    LargeLayout::Build(layout, kTrains, kPieces / kTrains);
    C3DView* view = program.Open3DView();
    if (view == nullptr) {
        state.SkipWithError("no 3D window");
        return;
    }
    const CPose identity;
    for (int row = 0; row < kTrains; ++row) {
        auto* train = new CTestTrain(&layout.m_tool, 900.0, -(1000.0 + row * LargeLayout::kRowSpacing));
        layout.AddTestTrain(train);
        train->ResizeCars(kCarsPerTrain);
        train->m_bRebuild3D = 1;
        train->MarkDeselected();
        train->FindConnection(&identity);
    }
    CClientDC dc(view);
    std::chrono::duration<double, std::milli> stepping{0.0};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        layout.StepTrains(1);
        stepping += std::chrono::steady_clock::now() - start;
        view->Render(&dc);
    }
    int running = 0;
    for (CPaint* train : layout.m_testTrains) running += dynamic_cast<CTestTrain*>(train)->m_bRunning;
    state.counters["running"] = running;
    // The trains' own share of the tick, without the frame.
    state.counters["step_ms"] = stepping.count() / static_cast<double>(state.iterations());
}
BENCHMARK(StepTrainsAndRender)->Unit(benchmark::kMillisecond)->Iterations(kTrainTicks);

}  // namespace

BENCHMARK_MAIN();
