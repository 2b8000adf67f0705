#include <benchmark/benchmark.h>

#include "platform/cdlg/HueSaturationField.h"
#include "platform/cdlg/LuminanceBar.h"
#include "platform/win/WindowManager.h"

// A drag over the colour dialog's field of hues and saturations, as large as the dialog shows
// it, each step painted with the luminosity bar beside it taking the new colour.

namespace {

void DragOverTheField(benchmark::State& state) {
    WindowManager& manager = WindowManager::Instance();
    manager.Reset();
    CWnd parent;
    parent.CreateEx(0, nullptr, "Colours", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 300, 200),
                    nullptr, 0);
    HueSaturationField field;
    LuminanceBar bar;
    field.Create(CRect(10, 10, 208, 160), &parent, 1);
    bar.Create(CRect(218, 10, 251, 160), &parent, 2);
    CPoint point(40, 40);
    field.ClientToScreen(&point);
    manager.MouseInput(WM_LBUTTONDOWN, point);
    int step = 0;
    for (auto _ : state) {
        manager.MouseInput(WM_MOUSEMOVE, CPoint(point.x + step % 100, point.y + step % 70));
        bar.SetHls(field.GetHls());
        manager.RunUntilIdle();
        ++step;
    }
    manager.MouseInput(WM_LBUTTONUP, point);
    parent.DestroyWindow();
    manager.Reset();
}
BENCHMARK(DragOverTheField)->Unit(benchmark::kMicrosecond);

}  // namespace
