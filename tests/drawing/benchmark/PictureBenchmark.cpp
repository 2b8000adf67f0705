#include <benchmark/benchmark.h>

#include <memory>

#include "drawing/CBMP.h"
#include "model/Units.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestFolder.h"

// A 1024 by 768 picture turned by 30 degrees, drawn over a 1920 by 1080 view at the starting
// zoom, where it shows at its own size.

namespace {

struct TurnedPicture {
    TurnedPicture() : view(1920, 1080), picture(0, &plan.tool, 6000.0, 1500.0) {
        Canvas source(1024, 768, RGB(40, 120, 200));
        source.dc.FillSolidRect(0, 0, 512, 384, RGB(200, 60, 30));
        const auto path = (folder / "picture.bmp").string();
        source.bitmap.SaveBmpFile(path.c_str(), 24);
        plan.tool.SetTargetDC(&view.dc, nullptr);
        plan.tool.m_rcUpdate = DeviceRect{0, 0, 1920, 1080};
        picture.m_pose.angle = kPi / 6.0;
        picture.MoveBoxCorner(3, 10240.0, 7680.0, nullptr);
        picture.m_strFile = path.c_str();
        picture.LoadPicture();
        picture.ComputeExtent(nullptr);
        picture.RecalcDeviceBounds();
    }
    ~TurnedPicture() { plan.tool.SetTargetDC(nullptr, nullptr); }
    TestFolder folder;
    DrawingPlan plan;
    Canvas view;
    CBMP picture;
};

void DrawTurnedPicture(benchmark::State& state) {
    TurnedPicture turned;
    int drawn = 0;
    for (auto _ : state) drawn += turned.picture.Draw(nullptr);
    benchmark::DoNotOptimize(drawn);
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(DrawTurnedPicture)->Unit(benchmark::kMillisecond);

}  // namespace
