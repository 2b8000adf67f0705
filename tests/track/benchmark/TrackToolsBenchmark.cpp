#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CTrackTools.h"
#include "resources/Resources.h"
#include "tests/track/LargeLayout.h"
#include "track/CElevationDistribution.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"
#include "track/TrackPieces.h"

// The track tools on layouts of 5,000 connected pieces: picking a chain with the mouse, one
// move per piece, and the elevations along a chain.

namespace {

std::unique_ptr<QuietDoc> NewLayout(int rows, int piecesPerRow) {
    RegisterResources();
    RegisterTrackPieces();
    auto doc = std::make_unique<QuietDoc>();
    doc->OnNewDocument();
    LargeLayout::Build(*doc, rows, piecesPerRow);
    doc->ResetViewSettings();
    return doc;
}

// The first row's pieces in the order they were laid (the newest member is the front).
std::vector<CParTrack*> FirstRow(CCVNDoc& doc, int piecesPerRow) {
    std::vector<CParTrack*> row;
    auto member = doc.m_rootGroup.m_members.rbegin();
    for (int i = 0; i < piecesPerRow; ++i) row.push_back(AsTrackPiece(*member++));
    return row;
}

// The middle of each piece's chord, in device units: on the piece within the hit tolerance.
std::vector<CDoublePoint> DevicePoints(CTool& tool, const std::vector<CParTrack*>& pieces) {
    std::vector<CDoublePoint> points;
    for (CParTrack* piece : pieces) {
        const CDoublePoint a = WorldEnd(*piece, 0), b = WorldEnd(*piece, 1);
        points.push_back(
            CDoublePoint{(a.x + b.x) / 2.0 * tool.m_fZoomRatio, (a.y + b.y) / 2.0 * tool.m_fZoomRatio});
    }
    return points;
}

// The press on a row's first piece and a move over each following one; ending the chain (the
// colours given back) is not counted.
void PickChain(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int perRow = 5000 / rows;
    auto doc = NewLayout(rows, perRow);
    CTool& tool = doc->m_tool;
    const std::vector<CDoublePoint> path = DevicePoints(tool, FirstRow(*doc, perRow));
    for (auto _ : state) {
        tool.m_toolMode.Set(kToolSelectTrackChain);
        tool.OnLButtonDown(CTool::kShiftFlag, path.front().x, path.front().y);
        for (size_t i = 1; i < path.size(); ++i) tool.OnMouseMove(CTool::kShiftFlag, path[i].x, path[i].y, 1);
        state.PauseTiming();
        if (tool.TrackTools() == nullptr || tool.TrackTools()->GetChainLength() != perRow)
            state.SkipWithError("the chain did not follow the row");
        tool.m_toolMode.Set(kToolSelector);
        state.ResumeTiming();
    }
    state.counters["pieces"] = perRow;
}
// 50 rows of 100: a chain of 100; one row of 5,000: a chain of 5,000.
BENCHMARK(PickChain)->Arg(50)->Arg(1)->Unit(benchmark::kMillisecond);

void ElevationsAlongAChain(benchmark::State& state) {
    auto doc = NewLayout(1, 5000);
    CElevationDistribution chain(&doc->m_tool);
    for (CParTrack* piece : FirstRow(*doc, 5000)) chain.m_objects.push_back(ElevationRecord{piece, 0.0, 0.0});
    for (auto _ : state) {
        chain.DistributeOnChain(0.0, 5000.0);
        benchmark::DoNotOptimize(chain.m_results.data());
    }
}
BENCHMARK(ElevationsAlongAChain)->Unit(benchmark::kMillisecond);

}  // namespace
