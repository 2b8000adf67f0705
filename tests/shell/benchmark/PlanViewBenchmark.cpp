#include <benchmark/benchmark.h>

#include <memory>

#include "model/CCVNDoc.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"
#include "shell/CCVNView.h"
#include "tests/track/LargeLayout.h"
#include "track/TrackPieces.h"

// The plan view on a layout of 5,000 connected pieces in a 1920 x 1080 window: a full redraw
// through the draw buffer, the partial repaint after one piece moved (in one window and in two
// at different zooms) and Select All, also at 50,000.

namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

struct PlanOnScreen {
    HeadlessHost host;
    QuietDoc doc;
    CFrameWnd* frame = nullptr;
    CCVNView* view = nullptr;

    explicit PlanOnScreen(int rows = LargeLayout::kRows) {
        RegisterResources();
        RegisterTrackPieces();
        WindowManager::Instance().Reset();
        doc.m_bAutoDelete = false;
        doc.OnNewDocument();
        LargeLayout::Build(doc, rows);
        doc.ResetViewSettings();
        view = OpenWindow(frame);
    }
    ~PlanOnScreen() {
        for (CFrameWnd* window : {second, frame})
            if (IsWindow(window))
                window->DestroyWindow();
        WindowManager::Instance().Reset();
    }
    CCVNView* OpenWindow(CFrameWnd*& window) {
        window = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CCVNView);
        context.m_pCurrentDoc = &doc;
        window->LoadFrame(0, WS_OVERLAPPEDWINDOW, nullptr, &context);
        window->InitialUpdateFrame(&doc, TRUE);
        auto* opened = dynamic_cast<CCVNView*>(window->GetActiveView());
        opened->MoveWindow(0, 0, kWindowWidth, kWindowHeight);
        host.RunUntilIdle();
        return opened;
    }

    CFrameWnd* second = nullptr;
};

// At zoom 1 the window shows a corner of the layout; fitted, it shows every piece.
void FullRedraw(benchmark::State& state, bool fitted) {
    PlanOnScreen plan;
    if (fitted)
        plan.view->OnZoomFit();
    for (auto _ : state) {
        plan.view->InvalidateAll();
        plan.view->UpdateWindow();
    }
    state.counters["zoom"] = plan.view->GetZoom();
}
BENCHMARK_CAPTURE(FullRedraw, AtZoomOne, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRedraw, WholeLayout, true)->Unit(benchmark::kMillisecond);

// The last piece moves and moves back, and the plan windows repaint the move.
void MoveLastPieceAndRepaint(benchmark::State& state, PlanOnScreen& plan) {
    CTool& tool = plan.doc.m_tool;
    plan.doc.m_rootGroup.m_members.back()->Select();
    double step = 200.0;
    for (auto _ : state) {
        tool.MoveSelection(step, 0.0, 0, 0, 0);
        tool.m_bRedraw = 1;
        plan.view->RepaintDirty();
        step = -step;
    }
}

// One piece in the window moves and moves back; only its area is drawn again.
void PartialRepaintAfterMove(benchmark::State& state) {
    PlanOnScreen plan(static_cast<int>(state.range(0)));
    MoveLastPieceAndRepaint(state, plan);
}
BENCHMARK(PartialRepaintAfterMove)->Unit(benchmark::kMicrosecond)->Arg(50)->Arg(500);

// The same in a window zoomed out.
void PartialRepaintAfterMoveZoomedOut(benchmark::State& state) {
    PlanOnScreen plan(static_cast<int>(state.range(0)));
    plan.view->OnZoomOut();
    plan.host.RunUntilIdle();
    MoveLastPieceAndRepaint(state, plan);
}
BENCHMARK(PartialRepaintAfterMoveZoomedOut)->Unit(benchmark::kMicrosecond)->Arg(50)->Arg(500);

// The same with a second window on the layout, zoomed out: each window repaints the move, which
// should cost about what the two single windows above cost together.
void PartialRepaintAfterMoveInTwoWindows(benchmark::State& state) {
    PlanOnScreen plan(static_cast<int>(state.range(0)));
    CCVNView* second = plan.OpenWindow(plan.second);
    second->OnZoomOut();
    plan.host.RunUntilIdle();
    MoveLastPieceAndRepaint(state, plan);
}
BENCHMARK(PartialRepaintAfterMoveInTwoWindows)->Unit(benchmark::kMicrosecond)->Arg(50)->Arg(500);

// Select All on the fitted layout, as the command runs it: every piece selected, the window
// repainted with the selection marks. Dropping the selection again is not counted.
void SelectAllFitted(benchmark::State& state) {
    PlanOnScreen plan(static_cast<int>(state.range(0)));
    plan.view->OnZoomFit();
    plan.host.RunUntilIdle();
    CTool& tool = plan.doc.m_tool;
    for (auto _ : state) {
        plan.view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_SELECT_ALL, 0));
        plan.view->UpdateWindow();
        state.PauseTiming();
        state.counters["selected"] = tool.GetSelectedCount();
        tool.DeselectAll(0, 0);
        tool.ClearUndoList();
        plan.view->InvalidateAll();
        plan.view->UpdateWindow();
        state.ResumeTiming();
    }
}
BENCHMARK(SelectAllFitted)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500);

}  // namespace
