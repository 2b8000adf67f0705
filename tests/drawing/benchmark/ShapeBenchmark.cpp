#include <benchmark/benchmark.h>

#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

// Drawing and hit-testing 5,000 mixed shapes spread over a plan, at the starting zoom.

namespace {

constexpr int kShapes = 5000;

struct MixedPlan {
    MixedPlan() : canvas(1000, 800) {
        plan.tool.SetTargetDC(&canvas.dc, nullptr);
        plan.tool.m_rcUpdate = DeviceRect{0, 0, 1000, 800};
        for (int i = 0; i < kShapes; ++i) {
            const double x = (i % 100) * 100.0;
            const double y = (i / 100) * 150.0;
            CPaint* shape = i % 2 == 0 ? static_cast<CPaint*>(new CBox(0, &plan.tool, x, y))
                                       : static_cast<CPaint*>(new CLine(0, &plan.tool, x, y));
            AddToLayout(plan.host, shape);
            Shape(shape, i);
            shape->ComputeExtent(nullptr);
            shape->RecalcDeviceBounds();
        }
    }
    ~MixedPlan() { plan.tool.SetTargetDC(nullptr, nullptr); }
    static void Shape(CPaint* shape, int i) {
        if (auto* box = dynamic_cast<CBox*>(shape)) {
            box->m_bFillOn = i % 4 == 0;
            box->MoveBoxCorner(3, 80.0, 120.0, nullptr);
        } else if (auto* line = dynamic_cast<CLine*>(shape)) {
            line->m_ptEnd = {80.0, 120.0};
        }
    }
    DrawingPlan plan;
    Canvas canvas;
};

void DrawMixedShapes(benchmark::State& state) {
    MixedPlan mixed;
    for (auto _ : state) mixed.plan.tool.DrawLayout();
    state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(DrawMixedShapes)->Unit(benchmark::kMillisecond);

void HitTestMixedShapes(benchmark::State& state) {
    MixedPlan mixed;
    int hits = 0;
    for (auto _ : state) {
        for (CPaint* member : mixed.plan.host.CurrentGroup()->m_members) {
            mixed.plan.tool.m_fCurrentX = member->m_fMinX + 40.0;
            mixed.plan.tool.m_fCurrentY = member->m_fMinY + 60.0;
            hits += member->HitTest() != nullptr;
        }
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(HitTestMixedShapes)->Unit(benchmark::kMillisecond);

}  // namespace
