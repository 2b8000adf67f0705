#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/ctl/CEdit.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/win/WindowManager.h"

// Controls on a window of their own: a row of 200 tabs painted and chosen, and Up pressed in
// an edit field whose spin button is the last of 200 controls on its dialog.

namespace {

constexpr int kTabs = 200;
constexpr int kSiblings = 200;

struct Window {
    WindowManager& manager = WindowManager::Instance();
    CWnd parent;

    Window() {
        manager.Reset();
        parent.CreateEx(0, nullptr, "Controls", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                        CRect(0, 0, 640, 480), nullptr, 0);
    }
    ~Window() {
        parent.DestroyWindow();
        manager.Reset();
    }
};

struct TabRow : Window {
    CTabCtrl tabs;
    TabRow() {
        tabs.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 610, 400), &parent, 1);
        for (int i = 0; i < kTabs; ++i) {
            CString name;
            name.Format("Page %d", i);
            tabs.InsertItem(i, name);
        }
        manager.RunUntilIdle();
    }
};

void TabRowPainted(benchmark::State& state) {
    TabRow row;
    row.tabs.SetCurSel(kTabs / 2);
    for (auto _ : state) {
        row.tabs.Invalidate();
        row.manager.RunUntilIdle();
    }
}
BENCHMARK(TabRowPainted)->Unit(benchmark::kMicrosecond);

// Each tab chosen in turn, the row scrolled to show it and painted.
void TabsChosenInTurn(benchmark::State& state) {
    TabRow row;
    int next = 0;
    for (auto _ : state) {
        row.tabs.SetCurSel(next);
        row.manager.RunUntilIdle();
        next = (next + 37) % kTabs;
    }
}
BENCHMARK(TabsChosenInTurn)->Unit(benchmark::kMicrosecond);

void TabRowFilled(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        CTabCtrl tabs;
        tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 610, 400), &window.parent, 1);
        for (int i = 0; i < kTabs; ++i) tabs.InsertItem(i, "Page");
        tabs.DestroyWindow();
    }
}
BENCHMARK(TabRowFilled)->Unit(benchmark::kMillisecond);

// Up and Down in the field step its spin button, which finds itself among the siblings.
void SpinStepFromItsField(benchmark::State& state) {
    Window window;
    std::vector<std::unique_ptr<CStatic>> labels;
    for (int i = 0; i < kSiblings; ++i) {
        labels.push_back(std::make_unique<CStatic>());
        labels.back()->Create("Label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &window.parent, 100 + i);
    }
    CEdit field;
    field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 20, 120, 40), &window.parent, 10);
    CSpinButtonCtrl spin;
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(0, 0, 0, 0),
                &window.parent, 11);
    spin.SetBuddy(&field);
    spin.SetRange(0, 1000);
    spin.SetPos(500);
    field.SetFocus();
    window.manager.RunUntilIdle();
    for (auto _ : state) {
        for (UINT key : {VK_UP, VK_DOWN}) {
            window.manager.KeyInput(key, true);
            window.manager.KeyInput(key, false);
            window.manager.RunUntilIdle();
        }
    }
}
BENCHMARK(SpinStepFromItsField)->Unit(benchmark::kMicrosecond);

}  // namespace
