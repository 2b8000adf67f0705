#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/gdi/DragImage.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/TopLevelPicture.h"
#include "platform/win/WindowManager.h"

// A drag image of 32 x 32 pixels moved over a 1280 x 1024 window, the window's picture made
// for the screen after each move, as a host presents it.

namespace {

void DragImageMovedOverAWindow(benchmark::State& state) {
    WindowManager& manager = WindowManager::Instance();
    manager.Reset();
    CWnd window;
    window.CreateEx(0, nullptr, "Drop here", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 1280, 1024), nullptr, 0);
    manager.RunUntilIdle();
    auto picture = std::make_shared<PixelSurface>(32, 32, 0xFF0000u);
    std::vector<bool> transparent(32 * 32, false);
    for (int i = 0; i < 32; ++i) transparent[static_cast<std::size_t>(i) * 32 + i] = true;
    DragImage& drag = DragImage::Instance();
    drag.Begin(picture, transparent, CPoint(4, 4));
    drag.Enter(&window, CPoint(100, 100));
    int step = 0;
    for (auto _ : state) {
        drag.Move(CPoint(100 + step % 500, 100 + step % 300));
        benchmark::DoNotOptimize(TopLevelPicture(&window));
        ++step;
    }
    drag.End();
    window.DestroyWindow();
    manager.Reset();
}
BENCHMARK(DragImageMovedOverAWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
