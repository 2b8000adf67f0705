#include <benchmark/benchmark.h>

#include "drawing/CArc.h"
#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "drawing/CRoundBox.h"
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
            CPaint* shape = MakeShape(i, x, y);
            AddToLayout(plan.host, shape);
            Shape(shape, i);
            shape->ComputeExtent(nullptr);
            shape->RecalcDeviceBounds();
        }
    }
    ~MixedPlan() { plan.tool.SetTargetDC(nullptr, nullptr); }
    CPaint* MakeShape(int i, double x, double y) {
        switch (i % 4) {
            case 0:
                return new CBox(0, &plan.tool, x, y);
            case 1:
                return new CLine(0, &plan.tool, x, y);
            case 2:
                return new CRoundBox(0, &plan.tool, x, y);
            default:
                return new CArc(0, &plan.tool, x, y, 0);
        }
    }
    static void Shape(CPaint* shape, int i) {
        shape->m_bFillOn = i % 3 == 0;
        if (auto* arc = dynamic_cast<CArc*>(shape)) {
            arc->SetArc(arc->m_pose.x, arc->m_pose.y, 60.0, 40.0, 0.3, 4.0, 0, 0, 0);
        } else if (auto* round = dynamic_cast<CRoundBox*>(shape)) {
            round->MoveBoxCorner(3, 80.0, 120.0, nullptr);
            round->m_fRadius = 15.0;
            round->m_fReferenceX3 = 80.0;
            round->m_fReferenceY3 = 120.0;
        } else if (auto* box = dynamic_cast<CBox*>(shape)) {
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
