#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/CEditStep.h"
#include "platform/r3d/Clump.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

// Whether every face of the model points up (its normal has a positive vertical part).
bool AllFacesUp(const r3d::Clump& model, int firstTunnelVertex) {
    for (const r3d::Polygon& polygon : model.Polygons()) {
        if (polygon.vertices.front() > firstTunnelVertex)
            continue;
        if (!(model.PolygonNormal(polygon).y > 0.0f))
            return false;
    }
    return true;
}

}  // namespace

TEST(BenchworkSlab, ASlabOfNVerticesHasTwoNVerticesAndTwoNPlusFourFaces) {
    TerrainPlan plan;
    plan.Open3D();
    auto* bench = plan.Outline<CBenchwork>({{0, 0}, {40000, 0}, {45000, 6000}, {20000, 9000}, {-3000, 5000}});
    bench->m_fElevation = -50.0;
    bench->m_fThickness = 200.0;
    std::unique_ptr<r3d::Clump> slab = bench->Build3D(nullptr);
    ASSERT_NE(slab, nullptr);
    EXPECT_EQ(slab->Tag(), CBenchwork::kSlabTag);
    EXPECT_EQ(slab->VertexCount(), 10);
    EXPECT_EQ(slab->Polygons().size(), 14u);
    // A negative elevation became 0 in the object itself.
    EXPECT_EQ(bench->m_fElevation, 0.0);
    const std::vector<r3d::Vertex>& v = slab->Vertices();
    EXPECT_FLOAT_EQ(v[0].position.x, -8.0f);
    EXPECT_FLOAT_EQ(v[0].position.y, 0.0f);
    EXPECT_FLOAT_EQ(v[1].position.y, -0.2f);
    EXPECT_FLOAT_EQ(v[2].position.x, 32.0f);
    // Texture coordinates stop at 32 repeats; negative ones pass.
    EXPECT_FLOAT_EQ(v[2].u, 32.0f);
    EXPECT_FLOAT_EQ(v[4].u, 32.0f);
    EXPECT_FLOAT_EQ(v[8].u, -3.0f);
    EXPECT_FLOAT_EQ(v[6].v, -9.0f);
    // Top and bottom both ways, tagged, and a quad pair per side.
    int tops = 0, bottoms = 0;
    for (const r3d::Polygon& p : slab->Polygons()) {
        tops += p.tag == 15;
        bottoms += p.tag == 14;
    }
    EXPECT_EQ(tops, 2);
    EXPECT_EQ(bottoms, 2);
    EXPECT_NE(slab->FindPolygon(std::vector<int>{1, 2, 4, 3}), nullptr);
    EXPECT_NE(slab->FindPolygon(std::vector<int>{9, 10, 2, 1}), nullptr);
}

TEST(TerrainMesh, KnotsBecomeTexturedVerticesAndFacesPointUpWhicheverWayTheOutlineRuns) {
    TerrainPlan plan;
    plan.Open3D();
    for (bool clockwise : {false, true}) {
        std::vector<CDoublePoint> outline = Rectangle(0, 0, 3000, 3000);
        if (clockwise)
            std::reverse(outline.begin(), outline.end());
        CMount* terrain = plan.Terrain(outline);
        terrain->m_fTextureScale = 0.5;
        std::unique_ptr<r3d::Clump> mesh = terrain->Build3D(nullptr);
        ASSERT_NE(mesh, nullptr);
        terrain->UpdateMeshVertices(*mesh, 0);
        EXPECT_EQ(mesh->Tag(), CMount::kMeshTag);
        EXPECT_EQ(terrain->m_fTextureScale, 1.0);
        ASSERT_EQ(mesh->VertexCount(), terrain->Grid().GetSize());
        // Knot 0 at column 1, row 5: a sixth of the extent from its first corner (top left)
        // both ways.
        EXPECT_FLOAT_EQ(mesh->Vertices()[0].u, 500.0f / 3000.0f);
        EXPECT_FLOAT_EQ(mesh->Vertices()[0].v, 500.0f / 3000.0f);
        EXPECT_FLOAT_EQ(mesh->Vertices()[0].position.x, 0.5f - 8.0f);
        EXPECT_FLOAT_EQ(mesh->Vertices()[0].position.y, 0.018f);
        EXPECT_FLOAT_EQ(mesh->Vertices()[0].position.z, -2.5f - 8.0f);
        // Sixteen cells of the grid and the border strip, all facing up.
        EXPECT_GT(mesh->Polygons().size(), 16u);
        EXPECT_TRUE(AllFacesUp(*mesh, mesh->VertexCount())) << clockwise;
        terrain->m_fTextureScale = 40.0;
        terrain->Build3D(nullptr);
        EXPECT_EQ(terrain->m_fTextureScale, 32.0);
    }
    // Smaller than a step: one flat polygon over the outline knots.
    CMount* small = plan.Terrain({{100, 100}, {400, 100}, {400, 380}, {100, 380}});
    std::unique_ptr<r3d::Clump> flat = small->Build3D(nullptr);
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(flat->Polygons().size(), 1u);
    EXPECT_EQ(flat->Polygons()[0].vertices.size(), 4u);
    small->UpdateMeshVertices(*flat, 0);
    EXPECT_TRUE(AllFacesUp(*flat, 4));
    // A degenerate outline has no mesh.
    CMount* thin = plan.Terrain({{0, 0}, {3000, 0}, {3000, 0.05}});
    EXPECT_EQ(thin->Build3D(nullptr), nullptr);
}

TEST(TerrainMesh, AHiddenCellStaysOpenWhileItsVertexMovesToTheCutHeight) {
    TerrainPlan plan;
    plan.Open3D();
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 3000, 3000));
    const size_t faces = terrain->Build3D(nullptr)->Polygons().size();
    const int knot = terrain->m_nCentreKnot;
    CTrackBedCut cut;
    cut.changes.push_back({knot, 3.0f, 3.0f, 500.0f});
    cut.hidden.push_back(knot);
    terrain->m_trackCuts.push_back(cut);
    std::unique_ptr<r3d::Clump> mesh = terrain->Build3D(nullptr);
    terrain->UpdateMeshVertices(*mesh, 0);
    EXPECT_EQ(mesh->Polygons().size(), faces - 1);
    EXPECT_FLOAT_EQ(mesh->Vertices()[static_cast<size_t>(knot)].position.y, 0.5f);
    EXPECT_FLOAT_EQ(terrain->Grid()[knot].z, 18.0f);
    terrain->m_trackCuts.clear();
}

TEST(TerrainMesh, AnElasticDragMovesTheMeshAndTheKnotsAndUndoTakesItBack) {
    TerrainPlan plan;
    plan.Open3D();
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 5000, 5000));
    terrain->SetTool(&plan.tool);
    ASSERT_EQ(terrain->Update3D(nullptr), 1);
    r3d::Clump& mesh = *terrain->m_hModel;
    const std::vector<float> before = TerrainPlan::Heights(*terrain);
    const int vertex = terrain->m_nCentreKnot + 1;
    r3d::Vec3 p;
    ASSERT_TRUE(mesh.GetVertex(vertex, p));
    // Too small a lift changes nothing.
    EXPECT_EQ(
        terrain->DeformElastic(mesh, vertex, p.x, p.y + 0.005f, p.z, 1, 0.25, 0, terrain->m_newEdits, 1, 1),
        0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
    ASSERT_EQ(
        terrain->DeformElastic(mesh, vertex, p.x, p.y + 0.1f, p.z, 1, 0.5, 0, terrain->m_newEdits, 1, 1), 1);
    EXPECT_FLOAT_EQ(terrain->Grid()[vertex - 1].z, 118.0f);
    r3d::Vec3 moved;
    mesh.GetVertex(vertex, moved);
    EXPECT_FLOAT_EQ(moved.y, p.y + 0.1f);
    ASSERT_EQ(terrain->m_newEdits.GetCount(), 1);
    const CTerrainEdit& edit = terrain->m_newEdits[0];
    EXPECT_NEAR(edit.dz, 100.0f, 1e-3f);
    EXPECT_NEAR(edit.x, 2500.0f, 1e-2f);
    EXPECT_NEAR(edit.y, 2500.0f, 1e-2f);
    // The record replays to the same heights the drag gave.
    const std::vector<float> dragged = TerrainPlan::Heights(*terrain);
    terrain->ApplyTerrainEdits(terrain->m_newEdits, 1);
    for (size_t i = 0; i < dragged.size(); ++i)
        EXPECT_NEAR(TerrainPlan::Heights(*terrain)[i], dragged[i], 0.05f);
    ASSERT_EQ(plan.tool.GetUndoCount(), 1);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepTerrainEditGroup);
    plan.tool.Undo();
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 0);
    terrain->m_hModel->GetVertex(vertex, moved);
    EXPECT_FLOAT_EQ(moved.y, p.y);
}
