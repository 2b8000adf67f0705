#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/CCVNApp.h"
#include "model/CCVNDoc.h"
#include "model/CPaint.h"
#include "platform/base/CProfile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CSplashWindow.h"
#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"

// The whole program's plan window with its rulers and the main window's status bar, on a
// layout of 5,000 connected pieces: the mouse crossing the plan, scrolling a line, painting
// the plan, and a ruler painted zoomed in as far as the plan goes and scrolled to its far end.

namespace {

// The plan window needs no 3D library; the program is told it opened.
class PlanApp : public CCVNApp {
  protected:
    BOOL Open3DLibrary() override { return TRUE; }
};

struct RunningPlanWindow {
    TestFolder folder;
    HeadlessHost host;
    PlanApp app;
    CChildFrame* child = nullptr;
    CCVNView* view = nullptr;

    explicit RunningPlanWindow(int rows = LargeLayout::kRows) {
        WindowManager::Instance().Reset();
        CProfile::Program().SetPath(folder / "corvane.ini");
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        char* argv[] = {const_cast<char*>("corvane")};
        app.SetCommandLine(1, argv);
        app.InitApplication();
        app.InitInstance();
        host.AdvanceClock(CSplashWindow::kShowTime);
        child = dynamic_cast<CChildFrame*>(app.MainFrame()->MDIGetActive());
        view = dynamic_cast<CCVNView*>(child->GetActiveView());
        LargeLayout::Build(*view->GetDocument(), rows);
        view->OnUpdate(nullptr, 0, nullptr);
        host.RunUntilIdle();
    }
    ~RunningPlanWindow() {
        view->GetDocument()->SetModifiedFlag(FALSE);
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        host.RunUntilIdle();
        CProfile::Program().SetPath(CProfile::DefaultPath());
        unsetenv("XDG_DATA_HOME");
        WindowManager::Instance().Reset();
    }
    CPoint ScreenPoint(CPoint client) const {
        view->ClientToScreen(&client);
        return client;
    }
    void Command(UINT id) {
        app.MainFrame()->SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    void Scroll(UINT message, UINT code) {
        view->SendMessage(message, MAKEWPARAM(code, 0));
        view->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0));
        host.RunUntilIdle();
    }
};

// The mouse goes to and fro between two points of the plan with no button held.
void MouseAcrossThePlan(benchmark::State& state) {
    RunningPlanWindow plan;
    const CPoint points[2] = {plan.ScreenPoint(CPoint(200, 150)), plan.ScreenPoint(CPoint(230, 170))};
    int next = 0;
    for (auto _ : state) {
        plan.host.MouseMove(points[next]);
        next = 1 - next;
    }
}
BENCHMARK(MouseAcrossThePlan)->Unit(benchmark::kMicrosecond);

// The status panes brought up to date as each mouse move does, with a piece selected and its
// texts unchanged, and the window's pending paints done.
void StatusPanesOfAMouseMove(benchmark::State& state) {
    RunningPlanWindow plan;
    plan.view->GetDocument()->m_rootGroup.m_members.front()->Select();
    for (auto _ : state) {
        plan.app.MainFrame()->UpdateStatusPanes();
        plan.host.RunUntilIdle();
    }
}
BENCHMARK(StatusPanesOfAMouseMove)->Unit(benchmark::kMicrosecond);

// One line right and back, each scroll ended as a scroll bar ends it, the window repainted.
void ScrollALine(benchmark::State& state) {
    RunningPlanWindow plan;
    for (auto _ : state) {
        plan.Scroll(WM_HSCROLL, SB_LINERIGHT);
        plan.Scroll(WM_HSCROLL, SB_LINELEFT);
    }
}
BENCHMARK(ScrollALine)->Unit(benchmark::kMillisecond);

// A line right and back as a held scroll-bar arrow gives them, before the scroll ends.
void ScrollALineWhileHeld(benchmark::State& state) {
    RunningPlanWindow plan;
    for (auto _ : state) {
        for (UINT code : {SB_LINERIGHT, SB_LINELEFT}) {
            plan.view->SendMessage(WM_HSCROLL, MAKEWPARAM(code, 0));
            plan.host.RunUntilIdle();
        }
    }
}
BENCHMARK(ScrollALineWhileHeld)->Unit(benchmark::kMicrosecond);

// The plan painted again where it is: its mapping and scroll position stay.
void PaintThePlan(benchmark::State& state) {
    RunningPlanWindow plan;
    for (auto _ : state) {
        plan.view->InvalidateAll();
        plan.host.RunUntilIdle();
    }
}
BENCHMARK(PaintThePlan)->Unit(benchmark::kMillisecond);

// Zoomed in until the plan can grow no further and scrolled to its lower right end; the top
// ruler, then the left one, painted, in inches and in millimetres.
void RulerAtTheFarEndZoomedIn(benchmark::State& state, int unit) {
    RunningPlanWindow plan;
    plan.view->GetDocument()->m_nUnitIndex = unit;
    while (plan.view->GetDocument()->m_tool.CanZoomIn()) plan.view->OnZoomIn();
    plan.host.RunUntilIdle();
    // The far right end: SB_BOTTOM stands for SB_RIGHT too.
    plan.Scroll(WM_HSCROLL, SB_BOTTOM);
    plan.Scroll(WM_VSCROLL, SB_BOTTOM);
    for (auto _ : state) {
        for (CRulerBar* ruler : {&plan.child->TopRuler(), &plan.child->LeftRuler()}) {
            ruler->Invalidate();
            ruler->UpdateWindow();
        }
    }
    state.counters["zoom"] = plan.view->GetZoom();
    state.counters["scrollX"] = plan.view->GetScrollPosition().x;
}
BENCHMARK_CAPTURE(RulerAtTheFarEndZoomedIn, Inches, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RulerAtTheFarEndZoomedIn, Millimetres, 8)->Unit(benchmark::kMillisecond);

// Duplicate of the whole layout as the command runs in the program: the copies made, the
// status bar, the window repainted and the commands' states brought up to date. Selecting
// everything first and the Undo after are not counted.
void DuplicateAllInTheProgram(benchmark::State& state) {
    RunningPlanWindow plan(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        plan.Command(ID_EDIT_SELECT_ALL);
        state.ResumeTiming();
        plan.Command(ID_EDIT_DUPLICATE);
        state.PauseTiming();
        state.counters["objects"] =
            static_cast<double>(plan.view->GetDocument()->m_rootGroup.m_members.size());
        plan.Command(ID_EDIT_UNDO);
        state.ResumeTiming();
    }
}
BENCHMARK(DuplicateAllInTheProgram)
    ->Unit(benchmark::kMillisecond)
    ->Arg(50)
    ->Arg(500)
    ->Arg(1000)
    ->Iterations(2);

}  // namespace
