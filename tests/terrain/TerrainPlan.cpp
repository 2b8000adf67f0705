#include "tests/terrain/TerrainPlan.h"

#include <cstring>

#include "terrain/TerrainObjects.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/drawing/PolygonOutline.h"

TerrainPlan::TerrainPlan() {
    tool.SetViewScale(1.0, 10.0);
    RegisterTerrainObjects();
}

void TerrainPlan::ShapeOutline(CBenchwork& object, const std::vector<CDoublePoint>& vertices) {
    ::ShapeOutline(object, vertices);
    object.ComputeExtent(nullptr);
}

CMount* TerrainPlan::Terrain(const std::vector<CDoublePoint>& vertices, double spacing) {
    auto* terrain = Outline<CMount>(vertices);
    terrain->m_fGridSpacing = spacing;
    terrain->RebuildGrid();
    return terrain;
}

void TerrainPlan::Open3D() {
    host.m_pScene = &scene;
    host.m_b3DWindow = TRUE;
    host.m_f3DScale = 1000.0;
}

std::vector<float> TerrainPlan::Heights(const CMount& terrain) {
    std::vector<float> heights;
    for (int k = 0; k < terrain.Grid().GetSize(); ++k) heights.push_back(terrain.Grid()[k].z);
    return heights;
}

std::vector<BYTE> RecordWithSpacing(CMount& terrain, double spacing) {
    // The spacing follows the benchwork part of the record.
    CBenchwork bench;
    bench.CopyFrom(&terrain);
    bench.m_bUncheckedOutline = terrain.m_bUncheckedOutline;
    const size_t spacingAt = StoreRecord(bench).size();
    std::vector<BYTE> bytes = StoreRecord(terrain);
    std::memcpy(bytes.data() + spacingAt, &spacing, sizeof spacing);
    return bytes;
}

std::vector<CDoublePoint> Rectangle(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}
