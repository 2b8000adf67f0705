#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/CEditStep.h"
#include "terrain/CGrideBenchwork.h"
#include "terrain/CGrideMount.h"
#include "terrain/OutlineGeometry.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

// The index of the interior knot at a grid position, -1 when there is none.
int KnotAt(const CMount& terrain, int column, int row) {
    for (int k = 0; k < terrain.m_nInteriorCount; ++k)
        if (terrain.Grid()[k].x == column && terrain.Grid()[k].y == row)
            return k;
    return -1;
}

}  // namespace

TEST(TerrainOutline, SimpleOutlinesPassAndCrossingOnesAreFound) {
    using outline::IsSimple;
    EXPECT_TRUE(IsSimple({{0, 0}, {1000, 0}, {500, 800}}));
    // A bow tie crosses itself.
    EXPECT_FALSE(IsSimple({{0, 0}, {1000, 1000}, {1000, 0}, {0, 1000}}));
    // Three consecutive vertices on one line count as a crossing.
    EXPECT_FALSE(IsSimple({{0, 0}, {500, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}));
    // Edges that only share a vertex do not cross.
    EXPECT_TRUE(IsSimple(Rectangle(0, 0, 1000, 600)));
    EXPECT_TRUE(outline::SegmentsCross({0, 0}, {10, 10}, {0, 10}, {10, 0}));
    EXPECT_FALSE(outline::SegmentsCross({0, 0}, {10, 0}, {10, 0}, {10, 10}));
    EXPECT_FALSE(outline::SegmentsCross({0, 0}, {0, 0}, {0, 10}, {10, 0}));
}

TEST(TerrainOutline, TheTwoInsideTestsKeepTheirOwnRulesAtTheEdges) {
    TerrainPlan plan;
    auto* bench = plan.Outline<CBenchwork>(Rectangle(0, 0, 2000, 1000));
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 2000, 1000));
    auto probe = [&plan](double x, double y) {
        plan.tool.m_fProbeX = x;
        plan.tool.m_fProbeY = y;
    };
    probe(1000, 500);
    EXPECT_EQ(bench->PtInOutline(), bench);
    probe(2500, 500);
    EXPECT_EQ(bench->PtInOutline(), nullptr);
    // The region leaves out its right and bottom edges; the winding angle takes every edge.
    probe(2000, 500);
    EXPECT_EQ(bench->PtInOutline(), nullptr);
    EXPECT_TRUE(terrain->PtInOutline(2000.0, 500.0));
    EXPECT_TRUE(terrain->PtInOutline(0.0, 0.0));
    EXPECT_TRUE(terrain->PtInOutline(1000.0, 1000.0));
    EXPECT_FALSE(terrain->PtInOutline(2000.5, 500.0));
    // A concave outline: the notch is outside.
    CMount* notched = plan.Terrain({{0, 0}, {3000, 0}, {3000, 3000}, {1500, 1000}, {0, 3000}});
    EXPECT_FALSE(notched->PtInOutline(1500.0, 2000.0));
    EXPECT_TRUE(notched->PtInOutline(1500.0, 500.0));
}

TEST(TerrainGrid, GridRangeKeepsColumnsStrictlyInsideTheExtent) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(-730, -300, 1260, 1000));
    EXPECT_EQ(terrain->m_nMinColumn, -1);
    EXPECT_EQ(terrain->m_nMaxColumn, 2);
    EXPECT_EQ(terrain->m_nMinRow, 0);
    EXPECT_EQ(terrain->m_nMaxRow, 1);
    CMount* whole = plan.Terrain(Rectangle(0, 0, 2000, 1500));
    EXPECT_EQ(whole->m_nMinColumn, 1);
    EXPECT_EQ(whole->m_nMaxColumn, 3);
    EXPECT_EQ(whole->m_nMinRow, 1);
    EXPECT_EQ(whole->m_nMaxRow, 2);
    EXPECT_EQ(whole->IndexTable().Columns(), 5);
    EXPECT_EQ(whole->IndexTable().Rows(), 4);
}

TEST(TerrainGrid, RebuildMakesInteriorKnotsInScanOrderThenStitchedOutlineKnots) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 3000, 3000));
    EXPECT_EQ(terrain->m_nOutlineCount, 9);
    ASSERT_EQ(terrain->m_nInteriorCount, 25);
    // Rows from the top down, columns from the left.
    EXPECT_EQ(terrain->Grid()[0].x, 1.0f);
    EXPECT_EQ(terrain->Grid()[0].y, 5.0f);
    EXPECT_EQ(terrain->Grid()[24].x, 5.0f);
    EXPECT_EQ(terrain->Grid()[24].y, 1.0f);
    for (int k = 0; k < terrain->m_nInteriorCount; ++k) EXPECT_EQ(terrain->Grid()[k].z, 18.0f);
    // A knot with eight neighbours inside: eight links, the first left, upper left and up.
    const int middle = KnotAt(*terrain, 3, 3);
    const CGrideKnot& knot = terrain->Grid()[middle];
    ASSERT_EQ(knot.LinkCount(), 8);
    EXPECT_EQ(knot.links[0], KnotAt(*terrain, 2, 3));
    EXPECT_EQ(knot.links[1], KnotAt(*terrain, 2, 4));
    EXPECT_EQ(knot.links[2], KnotAt(*terrain, 3, 4));
    EXPECT_EQ(terrain->m_nCentreKnot, middle);
    EXPECT_EQ(terrain->m_bRebuild3D, 1);
    // Outline knots: each attached to an interior edge knot, then linked to the one before.
    ASSERT_GT(terrain->Grid().GetSize(), terrain->m_nInteriorCount + 4);
    for (int k = terrain->m_nInteriorCount; k < terrain->Grid().GetSize(); ++k) {
        const CGrideKnot& outlineKnot = terrain->Grid()[k];
        ASSERT_GE(outlineKnot.LinkCount(), 1);
        EXPECT_LT(outlineKnot.links[0], terrain->m_nInteriorCount);
        if (k > terrain->m_nInteriorCount) {
            ASSERT_GE(outlineKnot.LinkCount(), 2);
            EXPECT_EQ(outlineKnot.links[1], k - 1);
            // Consecutive outline knots hang on the same knot or on two linked ones.
            const int a = outlineKnot.links[0], b = terrain->Grid()[k - 1].links[0];
            EXPECT_TRUE(a == b || terrain->Grid()[a].IsLinkedTo(b)) << k;
        }
    }
    // A whole grid coordinate of an outline vertex moves off the grid line.
    EXPECT_LT(terrain->Grid()[terrain->m_nInteriorCount].x, 0.0f + 1e-5f);
}

TEST(TerrainGrid, AnOutlineSmallerThanAStepIsARingOfItsVertices) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain({{100, 100}, {400, 100}, {400, 380}, {100, 380}});
    EXPECT_EQ(terrain->m_nInteriorCount, 0);
    EXPECT_EQ(terrain->m_nCentreKnot, 0);
    ASSERT_EQ(terrain->Grid().GetSize(), 4);
    EXPECT_FLOAT_EQ(terrain->Grid()[1].x, 0.8f);
    EXPECT_TRUE(terrain->Grid()[3].IsLinkedTo(0));
    EXPECT_TRUE(terrain->Grid()[2].IsLinkedTo(1));
    // Two vertices closer than a tenth of a step make one knot.
    CMount* close = plan.Terrain({{100, 100}, {120, 110}, {400, 100}, {400, 380}, {100, 380}});
    EXPECT_EQ(close->Grid().GetSize(), 4);
}

TEST(TerrainGrid, KnotsAndGridsAreMadeByTheirClassRecords) {
    const CRuntimeClass* benchwork = CRuntimeClass::FromName(RUNTIME_CLASS(CGrideBenchwork)->m_lpszClassName);
    ASSERT_NE(benchwork, nullptr);
    EXPECT_EQ(benchwork->m_wSchema, 4u);
    EXPECT_TRUE(benchwork->IsDerivedFrom(RUNTIME_CLASS(CWalkerGride)));
    std::unique_ptr<CObject> grid(benchwork->CreateObject());
    auto* made = dynamic_cast<CGrideBenchwork*>(grid.get());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetSize(), 0);
    for (const char* name : {"CGrideKnot", "CWalkerGride"}) {
        const CRuntimeClass* record = CRuntimeClass::FromName(name);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(record->m_wSchema, 1u) << name;
    }
    // A copied knot keeps its place, height and links; the terrain's own grid has no record
    // of its own.
    CGrideKnot knot(1.5f, -2.0f, 30.0f);
    knot.links.Add(4);
    knot.links.Add(7);
    const CGrideKnot copy = knot;
    EXPECT_STREQ(copy.GetClassName(), "CGrideKnot");
    EXPECT_EQ(std::vector<int>(copy.links.begin(), copy.links.end()), (std::vector<int>{4, 7}));
    EXPECT_EQ(copy.z, 30.0f);
    EXPECT_STREQ(CGrideMount().GetClassName(), "CWalkerGride");
}

TEST(TerrainEdits, EditsFallOffLinearlyOrByTheSquareRoot) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(-600, -1600, 3100, 1600));
    const int k2 = KnotAt(*terrain, 2, 0), k3 = KnotAt(*terrain, 3, 0), k4 = KnotAt(*terrain, 4, 0);
    const int k1 = KnotAt(*terrain, 1, 0);
    ASSERT_GE(std::min({k1, k2, k3, k4}), 0);
    CTerrainEditList edits;
    edits.Append({1000.0f, 0.0f, 10.0f, 1000.0f, CTerrainEdit::kLinear, 1});
    terrain->ApplyTerrainEdits(edits, 1);
    EXPECT_FLOAT_EQ(terrain->Grid()[k2].z, 28.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[k3].z, 23.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[k4].z, 18.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[k1].z, 23.0f);
    CTerrainEditList root;
    root.Append({1000.0f, 0.0f, 10.0f, 1000.0f, CTerrainEdit::kSquareRoot, 1});
    terrain->ApplyTerrainEdits(root, 1);
    EXPECT_NEAR(terrain->Grid()[k3].z - 18.0f, 7.0711f, 1e-4f);
    EXPECT_FLOAT_EQ(terrain->Grid()[k2].z, 28.0f);
    // A radius below a thousandth of a step moves exactly one knot.
    CTerrainEditList single;
    single.Append({1500.0f, 0.0f, 4.0f, 0.0f, CTerrainEdit::kLinear, 1});
    terrain->ApplyTerrainEdits(single, 1);
    EXPECT_FLOAT_EQ(terrain->Grid()[k3].z, 22.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[k2].z, 18.0f);
    // Fixed border: the outline knots keep the base elevation; without it they move.
    CTerrainEditList wide;
    wide.Append({1000.0f, 0.0f, 10.0f, 100000.0f, CTerrainEdit::kLinear, 1});
    terrain->ApplyTerrainEdits(wide, 1);
    EXPECT_FLOAT_EQ(terrain->Grid()[terrain->m_nInteriorCount].z, 18.0f);
    terrain->m_bFixedBorder = 0;
    terrain->ApplyTerrainEdits(wide, 1);
    EXPECT_GT(terrain->Grid()[terrain->m_nInteriorCount].z, 27.0f);
    // An edit whose square lies outside the extent is skipped.
    terrain->m_bFixedBorder = 1;
    CTerrainEditList outside;
    outside.Append({20000.0f, 0.0f, 10.0f, 1000.0f, CTerrainEdit::kLinear, 1});
    terrain->ApplyTerrainEdits(outside, 1);
    for (float z : TerrainPlan::Heights(*terrain)) EXPECT_EQ(z, 18.0f);
}

TEST(TerrainEdits, MergeCancelsAddsAndResets) {
    CTerrainEditList loaded;
    loaded.Append({0.0f, 0.0f, 3.0f, 500.0f, 0, 1});
    CTerrainEditList source;
    source.Append({100.0f, 0.0f, 5.0f, 500.0f, 0, 1});
    source.Append({100.0f, 0.0f, -5.0f, 500.0f, 0, 1});
    CTerrainEditList target;
    CTerrainEditList::Merge(loaded, target, source);
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target[0].dz, 3.0f);
    // The same spot with another mode is a record of its own; a reset drops everything before.
    CTerrainEditList more;
    more.Append({0.0f, 0.0f, 2.0f, 500.0f, 0, 0});
    more.Append({0.0f, 0.0f, 2.0f, 500.0f, 1, 0});
    CTerrainEditList merged;
    CTerrainEditList::Merge(loaded, merged, more);
    ASSERT_EQ(merged.GetCount(), 2);
    EXPECT_EQ(merged[0].dz, 5.0f);
    more.Append({0.0f, 0.0f, 0.0f, 0.0f, CTerrainEdit::kReset, 0});
    more.Append({7.0f, 0.0f, 1.0f, 500.0f, 0, 0});
    CTerrainEditList reset;
    CTerrainEditList::Merge(loaded, reset, more);
    ASSERT_EQ(reset.GetCount(), 1);
    EXPECT_EQ(reset[0].x, 7.0f);
    // Undo pops back to the start of the last group.
    CTerrainEditList groups;
    groups.Append({0, 0, 1, 1, 0, 1});
    groups.Append({1, 0, 1, 1, 0, 1});
    groups.Append({2, 0, 1, 1, 0, 0});
    groups.PopGroup();
    EXPECT_EQ(groups.GetCount(), 1);
    groups.PopGroup();
    groups.PopGroup();
    EXPECT_EQ(groups.GetCount(), 0);
}

TEST(TerrainEdits, UndoOfAnEditGroupPutsEveryKnotBackExactly) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 3000, 3000));
    terrain->m_newEdits.Append({1500.0f, 1500.0f, 40.0f, 1200.0f, CTerrainEdit::kSquareRoot, 1});
    terrain->ApplyTerrainEdits(terrain->m_newEdits, 1);
    const std::vector<float> before = TerrainPlan::Heights(*terrain);
    terrain->m_newEdits.Append({1000.0f, 1000.0f, -25.0f, 900.0f, CTerrainEdit::kLinear, 1});
    terrain->m_newEdits.Append({2000.0f, 1000.0f, 12.0f, 700.0f, CTerrainEdit::kLinear, 0});
    terrain->ApplyTerrainEdits(terrain->m_newEdits, 1);
    EXPECT_NE(TerrainPlan::Heights(*terrain), before);
    plan.tool.PushUndo(new CEditStep(kStepTerrainEditGroup, terrain, 1));
    plan.tool.Undo();
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 1);
}

TEST(TerrainEdits, MirroringCarriesTheHillsAlong) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(-3000, -1000, 3000, 1000));
    terrain->m_newEdits.Append({2000.0f, 0.0f, 30.0f, 600.0f, CTerrainEdit::kLinear, 1});
    terrain->RebuildGrid();
    const int east = KnotAt(*terrain, 4, 0), west = KnotAt(*terrain, -4, 0);
    EXPECT_FLOAT_EQ(terrain->Grid()[east].z, 48.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[west].z, 18.0f);
    terrain->MirrorX(0.0);
    const int eastAfter = KnotAt(*terrain, 4, 0), westAfter = KnotAt(*terrain, -4, 0);
    EXPECT_FLOAT_EQ(terrain->Grid()[westAfter].z, 48.0f);
    EXPECT_FLOAT_EQ(terrain->Grid()[eastAfter].z, 18.0f);
    EXPECT_EQ(terrain->m_newEdits[0].x, -2000.0f);
}
