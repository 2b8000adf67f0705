#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "resources/Resources.h"
#include "tests/support/TestFolder.h"
#include "tests/track/ClipboardDoc.h"
#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "tools/datagen/DataPictures.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"
#include "track/TrackPieces.h"

// The layers under the plan on layouts of 5,000 and 50,000 connected pieces: Undo, Open,
// Save, the whole-selection commands, a drag of the whole layout and a full repaint of a
// 1920 x 1080 plan window.

namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;
constexpr int kMovedPieces = 100;

std::unique_ptr<QuietDoc> NewLargeLayout(int rows = LargeLayout::kRows) {
    RegisterResources();
    RegisterTrackPieces();
    auto doc = std::make_unique<QuietDoc>();
    doc->OnNewDocument();
    LargeLayout::Build(*doc, rows);
    doc->ResetViewSettings();
    return doc;
}

// The benchmarks' argument is the number of rows of a hundred pieces.
std::unique_ptr<QuietDoc> SizedLayout(benchmark::State& state) {
    auto doc = NewLargeLayout(static_cast<int>(state.range(0)));
    state.counters["pieces"] = static_cast<double>(doc->m_rootGroup.m_members.size());
    return doc;
}

// One Undo of a move of a hundred selected pieces, the move itself not counted. The first Undo
// after the layout was made joins the whole layout, as after opening it; that is not counted.
void UndoMove(benchmark::State& state) {
    auto doc = SizedLayout(state);
    auto member = doc->m_rootGroup.m_members.begin();
    for (int i = 0; i < kMovedPieces; ++i) (*member++)->Select();
    CTool& tool = doc->m_tool;
    tool.MoveSelection(500.0, 300.0, 0, 1, 1);
    tool.Undo();
    for (auto _ : state) {
        state.PauseTiming();
        tool.MoveSelection(500.0, 300.0, 0, 1, 1);
        state.ResumeTiming();
        tool.Undo();
    }
}
BENCHMARK(UndoMove)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// The first Undo of a move of a hundred pieces in a layout just made, as after opening it:
// either straight away, or once the program settled the layout while waiting for the user.
void FirstUndoMove(benchmark::State& state, bool settledWhileIdle) {
    std::unique_ptr<QuietDoc> doc;
    for (auto _ : state) {
        state.PauseTiming();
        // The layout of the round before is freed outside the timing.
        doc = SizedLayout(state);
        CTool& tool = doc->m_tool;
        if (settledWhileIdle)
            tool.SettleTrackEnds();
        auto member = doc->m_rootGroup.m_members.begin();
        for (int i = 0; i < kMovedPieces; ++i) (*member++)->Select();
        tool.MoveSelection(500.0, 300.0, 0, 1, 1);
        state.ResumeTiming();
        tool.Undo();
    }
}
BENCHMARK_CAPTURE(FirstUndoMove, AfterOpen, false)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(FirstUndoMove, SettledWhileIdle, true)
    ->Unit(benchmark::kMillisecond)
    ->Arg(500)
    ->Iterations(3);

// Select All with Undo recorded, from nothing selected.
void SelectAll(benchmark::State& state) {
    auto doc = SizedLayout(state);
    CTool& tool = doc->m_tool;
    for (auto _ : state) {
        tool.SelectAll(1);
        state.PauseTiming();
        tool.DeselectAll(0, 0);
        tool.ClearUndoList();
        state.ResumeTiming();
    }
}
BENCHMARK(SelectAll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// One nudge of the whole selection, as the arrow keys move it, and its Undo.
void NudgeAll(benchmark::State& state, bool undo) {
    auto doc = SizedLayout(state);
    CTool& tool = doc->m_tool;
    tool.SelectAll(0);
    for (auto _ : state) {
        if (undo)
            state.PauseTiming();
        tool.MoveSelection(10.0, 0.0, 0, 1, 1);
        tool.UpdateStatus();
        if (undo)
            state.ResumeTiming();
        else
            state.PauseTiming();
        tool.Undo();
        if (!undo)
            state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(NudgeAll, Nudge, false)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);
BENCHMARK_CAPTURE(NudgeAll, Undo, true)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// Select All, a press on a piece, a drag of the whole layout and its release, then the joints
// settled as the program settles them once idle. Taking the drag back is not counted.
void DragWholeLayout(benchmark::State& state) {
    auto doc = SizedLayout(state);
    CTool& tool = doc->m_tool;
    tool.SettleTrackEnds();
    const CParTrack& piece = *AsTrackPiece(doc->m_rootGroup.m_members.back());
    const CDoublePoint a = WorldEnd(piece, 0), b = WorldEnd(piece, 1);
    const double x = (a.x + b.x) / 2.0 * tool.m_fZoomRatio, y = (a.y + b.y) / 2.0 * tool.m_fZoomRatio;
    for (auto _ : state) {
        tool.SelectAll(1);
        tool.OnLButtonDown(0, x, y);
        tool.OnMouseMove(0, x + 40.0, y + 20.0, 1);
        tool.OnMouseMove(0, x + 80.0, y + 40.0, 1);
        tool.OnLButtonUp(0, x + 80.0, y + 40.0);
        tool.SettleTrackEnds();
        state.PauseTiming();
        if (WorldEnd(piece, 0).x == a.x)
            state.SkipWithError("the layout did not move");
        while (tool.GetUndoCount() > 0) tool.Undo();
        tool.DeselectAll(0, 0);
        tool.ClearUndoList();
        tool.SettleTrackEnds();
        state.ResumeTiming();
    }
}
BENCHMARK(DragWholeLayout)->Unit(benchmark::kMillisecond)->Arg(20)->Arg(50)->Arg(500)->Iterations(1);

// Delete of the whole selection with Undo recorded; making the layout is not counted.
void DeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = SizedLayout(state);
        doc->m_tool.SelectAll(0);
        state.ResumeTiming();
        doc->m_tool.DeleteSelection(1);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(DeleteAll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(1000)->Iterations(1);

// The one Undo that puts back every piece of a Delete of the whole selection; the Delete is
// not counted.
void UndoDeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = SizedLayout(state);
        doc->m_tool.SelectAll(0);
        doc->m_tool.DeleteSelection(1);
        state.ResumeTiming();
        doc->m_tool.Undo();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoDeleteAll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(1000)->Iterations(3);

// A new layout of the benchmark's size, all of it selected and copied.
void BuildCopied(ClipboardDoc& doc, const benchmark::State& state) {
    RegisterResources();
    RegisterTrackPieces();
    doc.OnNewDocument();
    LargeLayout::Build(doc, static_cast<int>(state.range(0)), 100);
    doc.m_tool.SelectAll(0);
    doc.m_tool.CopySelection();
}

// The one Undo that takes back a paste of the whole layout; the paste is not counted.
void UndoPasteAll(benchmark::State& state) {
    ClipboardDoc doc;
    BuildCopied(doc, state);
    CTool& tool = doc.m_tool;
    for (auto _ : state) {
        state.PauseTiming();
        tool.Paste();
        state.ResumeTiming();
        tool.Undo();
    }
}
BENCHMARK(UndoPasteAll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Iterations(3);

// A paste of the whole layout copied, with Undo recorded; taking it back is not counted.
void PasteAll(benchmark::State& state) {
    ClipboardDoc doc;
    BuildCopied(doc, state);
    CTool& tool = doc.m_tool;
    for (auto _ : state) {
        tool.Paste();
        state.PauseTiming();
        tool.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(PasteAll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Iterations(3);

// The first, second or third paste of the whole layout copied, each landing where the one
// before it did, with no Undo between them: the pieces of the later ones lie on the ends of
// the earlier ones. The pastes before the counted one, and the joints the program settles
// while waiting for the user after each, are not counted; after the counted one they are
// counted too when `settled` is set, as the user waits for them.
void PasteAgain(benchmark::State& state, int pastesBefore, bool settled) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<ClipboardDoc>();
        BuildCopied(*doc, state);
        doc->m_tool.SettleTrackEnds();
        for (int i = 0; i < pastesBefore; ++i) {
            doc->m_tool.Paste();
            doc->m_tool.SettleTrackEnds();
        }
        state.ResumeTiming();
        doc->m_tool.Paste();
        if (settled)
            doc->m_tool.SettleTrackEnds();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(PasteAgain, First, 0, false)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(PasteAgain, Second, 1, false)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(PasteAgain, Third, 2, false)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(PasteAgain, FirstSettled, 0, true)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(PasteAgain, SecondSettled, 1, true)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);
BENCHMARK_CAPTURE(PasteAgain, ThirdSettled, 2, true)->Unit(benchmark::kMillisecond)->Arg(500)->Iterations(3);

// Closing the layout after Select All, Copy and Paste: its contents and undo steps go.
void CloseAfterPaste(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<ClipboardDoc>();
        BuildCopied(*doc, state);
        doc->m_tool.Paste();
        state.ResumeTiming();
        doc->DeleteContents();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(CloseAfterPaste)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(100)->Arg(500)->Iterations(1);

// Duplicating the whole layout, and the one Undo that takes it back, which is not counted.
void DuplicateAll(benchmark::State& state) {
    auto doc = SizedLayout(state);
    CTool& tool = doc->m_tool;
    for (auto _ : state) {
        state.PauseTiming();
        tool.SelectAll(0);
        state.ResumeTiming();
        tool.DuplicateSelection();
        state.PauseTiming();
        tool.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(DuplicateAll)
    ->Unit(benchmark::kMillisecond)
    ->Arg(50)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Iterations(3);

// The first Duplicate of the whole of a layout just made, as after opening it: the copies take
// memory the program has not used before. Making and dropping the layout are not counted.
void FirstDuplicateAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = SizedLayout(state);
        doc->m_tool.SelectAll(0);
        state.ResumeTiming();
        doc->m_tool.DuplicateSelection();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(FirstDuplicateAll)->Unit(benchmark::kMillisecond)->Arg(500)->Arg(1000)->Arg(2000)->Iterations(3);

// Pasting a hundred copied pieces into the layout: each finds the ends it lies on. When
// `settled`, the joints the program settles after it while waiting for the user are counted
// too, the layout having been settled before.
void PasteHundred(benchmark::State& state, bool settled) {
    RegisterResources();
    RegisterTrackPieces();
    ClipboardDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, static_cast<int>(state.range(0)), 100);
    auto member = doc.m_rootGroup.m_members.begin();
    for (int i = 0; i < kMovedPieces; ++i) (*member++)->Select();
    CTool& tool = doc.m_tool;
    tool.CopySelection();
    for (auto _ : state) {
        state.PauseTiming();
        tool.SettleTrackEnds();
        state.ResumeTiming();
        tool.Paste();
        if (settled)
            tool.SettleTrackEnds();
        state.PauseTiming();
        tool.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(PasteHundred, Pasted, false)
    ->Unit(benchmark::kMillisecond)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Arg(500)
    ->Iterations(3);
BENCHMARK_CAPTURE(PasteHundred, Settled, true)
    ->Unit(benchmark::kMillisecond)
    ->Arg(20)
    ->Arg(500)
    ->Iterations(3);

// Saving, with the file flushed to the disk.
void Save(benchmark::State& state) {
    auto doc = SizedLayout(state);
    TestFolder folder;
    const std::string path = (folder / "large.cvn").string();
    for (auto _ : state) doc->OnSaveDocument(path.c_str());
}
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// Opening into a new document; making and dropping the document are not counted.
void Open(benchmark::State& state) {
    TestFolder folder;
    const std::string path = (folder / "large.cvn").string();
    SizedLayout(state)->OnSaveDocument(path.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<QuietDoc>();
        state.ResumeTiming();
        doc->OnOpenDocument(path.c_str());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(Open)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// Opening the layout with every piece naming one fill pattern, found in the program folder's
// patterns after the name as stored misses: one lookup serves every piece.
void OpenNamingOnePattern(benchmark::State& state) {
    TestFolder folder;
    std::filesystem::create_directory(folder / "PATTERNS");
    std::ofstream(folder / "PATTERNS" / "Bricks.pat", std::ios::binary) << std::string(16, '\x55');
    const CString base = CDataFolders::GetBaseFolder();
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
    const std::string path = (folder / "patterned.cvn").string();
    auto doc = NewLargeLayout();
    for (CPaint* member : doc->m_rootGroup.m_members) member->m_strPatternFile = "C:\\gone\\Bricks.pat";
    doc->OnSaveDocument(path.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        auto opened = std::make_unique<QuietDoc>();
        state.ResumeTiming();
        opened->OnOpenDocument(path.c_str());
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
    CDataFolders::SetBaseFolder(base);
}
BENCHMARK(OpenNamingOnePattern)->Unit(benchmark::kMillisecond);

// The layout of state.range(0) rows of a hundred pieces, fitted into the window. The pieces
// look as the program's default track does, with both rails and their ties.
struct FittedPlan {
    explicit FittedPlan(int rows) : doc(std::make_unique<QuietDoc>()), window(kWindowWidth, kWindowHeight) {
        RegisterResources();
        RegisterTrackPieces();
        doc->OnNewDocument();
        defaults = std::make_unique<CParTrack>(&doc->m_tool);
        doc->m_tool.m_pDefaultTrack = defaults.get();
        LargeLayout::Build(*doc, rows);
        doc->ResetViewSettings();
        zoom = window.FittingZoom(*doc);
        doc->m_tool.SetViewScale(zoom, doc->m_fViewScale);
        doc->m_tool.UpdateDeviceBounds();
        window.Repaint(*doc, zoom);
    }
    ~FittedPlan() { doc->m_tool.m_pDefaultTrack = nullptr; }
    std::unique_ptr<QuietDoc> doc;
    std::unique_ptr<CParTrack> defaults;
    PlanWindow window;
    double zoom = 1.0;
};

void PlanRedraw(benchmark::State& state, bool fit) {
    auto doc = NewLargeLayout();
    PlanWindow window(kWindowWidth, kWindowHeight);
    const double zoom = fit ? window.FittingZoom(*doc) : 1.0;
    doc->m_tool.SetViewScale(zoom, doc->m_fViewScale);
    doc->m_tool.UpdateDeviceBounds();
    for (auto _ : state) window.Repaint(*doc, zoom);
    state.counters["zoom"] = zoom;
}
BENCHMARK_CAPTURE(PlanRedraw, FitToScreen, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanRedraw, NormalZoom, false)->Unit(benchmark::kMillisecond);

// Fit To Screen at 5,000 (50 rows) and 50,000 pieces (500 rows).
void FitToScreenRedraw(benchmark::State& state) {
    FittedPlan plan(static_cast<int>(state.range(0)));
    for (auto _ : state) plan.window.Repaint(*plan.doc, plan.zoom);
    state.counters["pieces"] = static_cast<double>(plan.doc->m_rootGroup.m_members.size());
}
BENCHMARK(FitToScreenRedraw)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// The same with the joint markers where pieces meet, as the connection pass marks them.
void FitToScreenRedrawJoined(benchmark::State& state) {
    FittedPlan plan(static_cast<int>(state.range(0)));
    LargeLayout::MarkMeetingEnds(*plan.doc);
    for (auto _ : state) plan.window.Repaint(*plan.doc, plan.zoom);
}
BENCHMARK(FitToScreenRedrawJoined)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// A scroll of 64 pixels down the fitted plan, halfway down the layout: the strip it uncovers is
// drawn, with the pieces of the rows it crosses.
void RepaintAfterScroll(benchmark::State& state) {
    FittedPlan plan(static_cast<int>(state.range(0)));
    CSize height(0, 64);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    screen.SetMapMode(MM_LOMETRIC);
    screen.DPtoLP(&height);
    // The page lies below the plan's origin.
    const int middle = plan.doc->m_tool.LayoutToDevice(0.0, -std::fabs(plan.doc->m_fPageHeight) / 2.0, 0).y;
    CRect strip = plan.window.Client();
    strip.top = middle + std::abs(height.cy) / 2;
    strip.bottom = middle - std::abs(height.cy) / 2;
    for (auto _ : state) plan.window.RepaintArea(*plan.doc, plan.zoom, strip);
}
BENCHMARK(RepaintAfterScroll)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

// Fit To Screen with every piece selected: the selection is drawn under the layout.
void FitToScreenRedrawAllSelected(benchmark::State& state) {
    FittedPlan plan(static_cast<int>(state.range(0)));
    plan.doc->m_tool.SelectAll(0);
    for (auto _ : state) plan.window.Repaint(*plan.doc, plan.zoom);
}
BENCHMARK(FitToScreenRedrawAllSelected)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Iterations(3);

// One piece moves to and fro; the area it left and the one it took are drawn again.
void RepaintAfterEdit(benchmark::State& state) {
    FittedPlan plan(static_cast<int>(state.range(0)));
    CTool& tool = plan.doc->m_tool;
    CPaint* piece = *std::next(plan.doc->m_rootGroup.m_members.begin(), 2500);
    piece->Select();
    double step = 2000.0;
    for (auto _ : state) {
        state.PauseTiming();
        tool.ForgetDirtyArea();
        tool.MoveSelection(step, 0.0, 0, 0, 0);
        step = -step;
        DeviceRect dirty = tool.DirtyAreaInView();
        dirty.Normalize();
        dirty.Inflate(1);
        state.ResumeTiming();
        plan.window.RepaintArea(*plan.doc, plan.zoom,
                                CRect(dirty.left, dirty.top, dirty.right, dirty.bottom));
    }
}
BENCHMARK(RepaintAfterEdit)->Unit(benchmark::kMicrosecond)->Arg(50)->Arg(500);

// The 3D models of 2,000 pieces with their roadbed, as opening the 3D window builds them, with
// the shipped textures in the program folder.
void BuildTrackModels(benchmark::State& state) {
    RegisterResources();
    RegisterTrackPieces();
    TestFolder folder;
    DataPictures::WriteAll(folder.Path());
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
    QuietDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 20, 100);
    size_t vertices = 0;
    for (auto _ : state) {
        vertices = 0;
        for (CPaint* piece : doc.m_rootGroup.m_members)
            vertices += piece->Build3D(nullptr)->Vertices().size();
    }
    state.counters["vertices"] = static_cast<double>(vertices);
    r3d::AssetLibrary::Instance().ForgetTextures();
}
BENCHMARK(BuildTrackModels)->Unit(benchmark::kMillisecond);

}  // namespace
