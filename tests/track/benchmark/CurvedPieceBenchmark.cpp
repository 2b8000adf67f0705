#include <benchmark/benchmark.h>

#include <memory>

#include "model/Units.h"
#include "resources/Resources.h"
#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "track/CArcTrack.h"
#include "track/CSplineTrack.h"
#include "track/TrackPieces.h"

// A full repaint of a 1920 x 1080 plan window over 2,000 elliptic arcs and 2,000 splines
// of four segments each.

namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;
constexpr int kPiecesPerKind = 2000;
constexpr int kColumns = 50;
constexpr double kCell = 2000.0;

template <class Piece>
Piece* Place(CCVNDoc& doc, Piece* piece) {
    CGroup& root = doc.m_rootGroup;
    root.m_members.push_front(piece);
    piece->SetOwnerGroup(&root);
    const CPose world = root.WorldPose(nullptr);
    piece->SetParentPose(&world);
    return piece;
}

std::unique_ptr<QuietDoc> NewCurvedLayout() {
    RegisterResources();
    RegisterTrackPieces();
    auto doc = std::make_unique<QuietDoc>();
    doc->OnNewDocument();
    for (int i = 0; i < kPiecesPerKind; ++i) {
        const double x = 1000.0 + (i % kColumns) * kCell;
        const double y = -1000.0 - (i / kColumns) * 2.0 * kCell;
        auto* arc = Place(*doc, new CArcTrack(0, &doc->m_tool, x, y));
        arc->SetArc(x, y, 900.0, 500.0, 0.25, kPi * 1.5, 0, 0);
        auto* spline = Place(*doc, new CSplineTrack(0, &doc->m_tool, x, y - kCell));
        CPointArray control;
        for (int k = 0; k <= 12; ++k)
            control.Add(x - 800.0 + k * 130.0, y - kCell + (k % 2 == 0 ? 0.0 : 400.0));
        spline->SetControlPoints(&control, 0, 0);
    }
    doc->ResetViewSettings();
    return doc;
}

// At the whole layout's zoom every piece is in the window; at the starting zoom a corner.
void CurvedPieceRedraw(benchmark::State& state, double zoom) {
    auto doc = NewCurvedLayout();
    PlanWindow window(kWindowWidth, kWindowHeight);
    doc->m_tool.SetViewScale(zoom, doc->m_fViewScale);
    doc->m_tool.UpdateDeviceBounds();
    for (auto _ : state) window.Repaint(*doc, zoom);
    state.counters["zoom"] = zoom;
}
BENCHMARK_CAPTURE(CurvedPieceRedraw, WholeLayout, 1.0 / 16.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CurvedPieceRedraw, NormalZoom, 1.0)->Unit(benchmark::kMillisecond);

}  // namespace
