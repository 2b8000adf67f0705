#include <gtest/gtest.h>
#include <memory>

#include "drawing/PropertiesClassSteps.h"
#include "drawing/ShapeSupport.h"
#include "tests/terrain/TerrainPlan.h"

TEST(TerrainCopy, PasteAndDuplicateGiveTheCopyItsKnotsAtOnce) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 3000, 2000));
    terrain->m_newEdits.Append({1500.0f, 1000.0f, 50.0f, 900.0f, 0, 1});
    terrain->m_fTextureScale = 5.0;
    terrain->RebuildGrid();
    // A plain clone copies settings and edits but has no grid yet.
    std::unique_ptr<CPaint> plain(terrain->Clone());
    auto* plainCopy = dynamic_cast<CMount*>(plain.get());
    ASSERT_NE(plainCopy, nullptr);
    EXPECT_EQ(plainCopy->m_nOutlineCount, -1);
    EXPECT_EQ(plainCopy->m_fTextureScale, 5.0);
    EXPECT_EQ(plainCopy->m_newEdits.GetCount(), 1);

    terrain->Select();
    plan.tool.DuplicateSelection();
    auto* duplicate = dynamic_cast<CMount*>(plan.host.CurrentGroup()->m_members.front());
    ASSERT_NE(duplicate, nullptr);
    ASSERT_NE(duplicate, terrain);
    EXPECT_EQ(duplicate->m_nInteriorCount, terrain->m_nInteriorCount);
    EXPECT_EQ(TerrainPlan::Heights(*duplicate), TerrainPlan::Heights(*terrain));
    // The source's flag falls with the copy.
    EXPECT_EQ(terrain->m_bRebuildOnCopy, 0);
}

TEST(TerrainCopy, TheTerrainRegistersItsPointsColourAndCancelWithThePropertiesDialog) {
    TerrainPlan plan;
    const PropertiesClassSteps* steps = FindPropertiesClassSteps("CMount");
    ASSERT_NE(steps, nullptr);
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 3000, 2000));
    ASSERT_TRUE(steps->pointsColor);
    EXPECT_EQ(steps->pointsColor(*terrain), &terrain->m_crGrid);
    // Cancel puts back the knots a page may have reshaped.
    terrain->m_newEdits.Append({1500.0f, 1000.0f, 50.0f, 900.0f, 0, 1});
    terrain->RebuildGrid();
    const std::vector<float> heights = TerrainPlan::Heights(*terrain);
    terrain->m_fGridSpacing = 250.0;
    terrain->RebuildGrid();
    terrain->Grid().RaiseAll(33.0);
    terrain->m_fGridSpacing = 500.0;
    // The dialog's working copy names the terrain it edits.
    std::unique_ptr<CMount> copy(static_cast<CMount*>(terrain->Clone()));
    copy->m_pEditedTerrain = terrain;
    ASSERT_TRUE(steps->onCancel);
    steps->onCancel(*copy);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), heights);
    // Benchwork's status: its outline length and elevation, kind 22.
    auto* bench = plan.Outline<CBenchwork>(Rectangle(0, 0, 3000, 2000));
    bench->m_fElevation = 750.0;
    bench->m_fPerimeter = 10000.0;
    bench->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 22);
    EXPECT_EQ(plan.tool.m_status.m_strName, "Benchwork");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[1], shape::LengthText(&plan.tool, 750.0));
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[0], shape::LengthText(&plan.tool, 10000.0));
}
