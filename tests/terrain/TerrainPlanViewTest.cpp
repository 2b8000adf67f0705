#include <gtest/gtest.h>

#include <cmath>

#include "model/CToolMode.h"
#include "platform/win/WinDefs.h"
#include "tests/drawing/PointEntry.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/PrintedPage.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

constexpr COLORREF kDots = RGB(200, 0, 0);

template <class T>
T* Newest(TerrainPlan& plan) {
    const CPaintList& members = plan.host.CurrentGroup()->m_members;
    return members.empty() ? nullptr : dynamic_cast<T*>(members.front());
}

std::vector<CDoublePoint> WorldOutline(const CBenchwork& object) {
    std::vector<CDoublePoint> world;
    for (const CDoublePoint& p : object.OutlineVertices()) world.push_back(object.LocalToWorld(p.x, p.y));
    return world;
}

}  // namespace

TEST(TerrainGestures, BenchworkAndTerrainAreDrawnWithTheirToolsAndCrossingOutlinesAreRefused) {
    TerrainPlan plan;
    PointEntry gestures(plan.tool);
    gestures.DrawOutline(kToolBenchwork, {{1000, 1000}, {5000, 1000}, {5000, 4000}, {1000, 4000}});
    auto* bench = Newest<CBenchwork>(plan);
    ASSERT_NE(bench, nullptr);
    EXPECT_EQ(bench->GetClassName(), "CBenchwork");
    EXPECT_EQ(WorldOutline(*bench),
              (std::vector<CDoublePoint>{{1000, 1000}, {5000, 1000}, {5000, 4000}, {1000, 4000}}));
    EXPECT_TRUE(plan.host.m_messages.empty());

    // A bow tie is refused with the message and the new object goes.
    gestures.DrawOutline(kToolBenchwork, {{7000, 1000}, {9000, 3000}, {9000, 1000}, {7000, 3000}});
    ASSERT_EQ(plan.host.m_messages.size(), 1u);
    EXPECT_EQ(plan.host.m_messages[0], "Error. Self crossing. ");
    EXPECT_EQ(Newest<CBenchwork>(plan), bench);

    gestures.DrawOutline(kToolTerrain, {{10000, 0}, {14000, 0}, {14000, 3000}, {10000, 3000}});
    auto* terrain = Newest<CMount>(plan);
    ASSERT_NE(terrain, nullptr);
    EXPECT_EQ(terrain->GetClassName(), "CMount");
    EXPECT_EQ(terrain->m_strName, "Terrain");
    EXPECT_EQ(terrain->m_nOutlineCount, 9);
    EXPECT_EQ(terrain->m_nInteriorCount, 7 * 5);

    // A self-crossing edit of the terrain is undone: outline and grid as they were.
    const std::vector<CDoublePoint> outline = WorldOutline(*terrain);
    const int knots = terrain->Grid().GetSize();
    const std::vector<float> heights = TerrainPlan::Heights(*terrain);
    terrain->Select();
    gestures.Drag(14000, 0, 12000, 4000);
    ASSERT_EQ(plan.host.m_messages.size(), 2u);
    EXPECT_EQ(plan.host.m_messages[1], "Error. Self crossing. ");
    EXPECT_EQ(WorldOutline(*terrain), outline);
    EXPECT_EQ(terrain->Grid().GetSize(), knots);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), heights);
    // A simple edit is kept and rebuilds the grid.
    gestures.Drag(14000, 0, 15000, 0);
    EXPECT_EQ(plan.host.m_messages.size(), 2u);
    EXPECT_EQ(WorldOutline(*terrain)[1], (CDoublePoint{15000, 0}));
    EXPECT_GT(terrain->m_nInteriorCount, 7 * 5);
}

TEST(TerrainGestures, ACtrlDragOnAKnotProposesAHeightAndItsReleaseOpensTheEditor) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 6000, 6000), 1000.0);
    terrain->Select();
    PointEntry gestures(plan.tool);
    int editedKnot = -1;
    double proposed = 0.0;
    CMount::InstallKnotEditor([&](CMount&, int knot, double height, const CPose*) {
        editedKnot = knot;
        proposed = height;
    });
    // Without Ctrl a click inside the outline grabs nothing.
    EXPECT_EQ(terrain->HitTestHandle(nullptr, 3000.0, 3000.0), -1);
    plan.tool.m_nMouseFlags = MK_CONTROL;
    const int handle = terrain->HitTestHandle(nullptr, 3040.0, 2950.0);
    ASSERT_GE(handle, terrain->m_points.GetSize());
    const int knot = handle - terrain->m_points.GetSize();
    EXPECT_EQ(terrain->Grid()[knot].x, 3.0f);
    EXPECT_EQ(terrain->Grid()[knot].y, 3.0f);
    // More than 15 screen units off every grid position: no knot (one unit is ten here).
    EXPECT_FALSE(terrain->IsNearKnot(nullptr, 3200.0, 3000.0));
    EXPECT_TRUE(terrain->IsNearKnot(nullptr, 3140.0, 2870.0));
    EXPECT_EQ(terrain->HitTestHandle(nullptr, 3200.0, 3000.0), -1);

    // The drag: the height follows the pointer along the line from the first vertex.
    plan.tool.OnLButtonDown(MK_CONTROL, 300.0, 300.0);
    EXPECT_EQ(plan.tool.m_toolMode, kToolDragHandle);
    EXPECT_EQ(terrain->GetEditState(), 3);
    plan.tool.OnMouseMove(MK_CONTROL, 301.0, 301.0, 1);
    EXPECT_EQ(terrain->m_fDragHeight, 18.0);
    plan.tool.OnMouseMove(MK_CONTROL, 330.0, 340.0, 1);
    EXPECT_NEAR(terrain->m_fDragHeight, 18.0 + (300.0 + 400.0) / std::sqrt(2.0), 1e-9);
    // The rubber line runs from the knot along the drag's direction (here the diagonal).
    const DeviceRect line = plan.tool.m_rcConnectLine;
    EXPECT_EQ(line.left, 300);
    EXPECT_EQ(line.top, 300);
    EXPECT_EQ(line.right, 335);
    EXPECT_EQ(line.bottom, 335);
    EXPECT_EQ(plan.tool.m_strStatusText.Left(2), "h=");
    plan.tool.OnLButtonUp(MK_CONTROL, 330.0, 340.0);
    EXPECT_EQ(editedKnot, knot);
    EXPECT_EQ(plan.tool.m_rcConnectLine.right, 0);
    EXPECT_EQ(plan.tool.m_rcConnectLine.left, 0);
    EXPECT_DOUBLE_EQ(proposed, terrain->m_fDragHeight);
    EXPECT_EQ(plan.tool.m_toolMode, kToolSelector);
    EXPECT_EQ(terrain->Grid()[knot].z, 18.0f);
    CMount::InstallKnotEditor(nullptr);
}

TEST(TerrainDrawing, KnotDotsShowOnASelectedTerrainInsideItsOutline) {
    TerrainPlan plan;
    Canvas canvas(800, 600);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{0, 0, 800, 600};
    CMount* terrain = plan.Terrain({{0, 0}, {6000, 0}, {6000, 4000}, {3000, 1000}, {0, 4000}});
    terrain->m_crGrid = kDots;
    terrain->RecalcDeviceBounds();
    terrain->Draw(nullptr);
    EXPECT_EQ(canvas.CountColor(kDots, CRect(0, 0, 800, 600)), 0);
    terrain->Select();
    terrain->Draw(nullptr);
    // One dot per grid position inside, every 50 pixels at this zoom.
    EXPECT_EQ(canvas.At(100, 50), kDots);
    EXPECT_EQ(canvas.At(500, 200), kDots);
    EXPECT_NE(canvas.At(300, 300), kDots);
    EXPECT_NE(canvas.At(101, 50), kDots);
    int dots = 0;
    for (int y = 0; y <= 400; y += 50)
        for (int x = 0; x <= 600; x += 50) {
            // The outline and the vertex markers are drawn over the dots on them.
            if (canvas.At(x, y) != kWhite && canvas.At(x, y) != kDots)
                continue;
            const bool inside = terrain->PtInOutline(x * 10.0, y * 10.0);
            dots += inside;
            EXPECT_EQ(canvas.At(x, y) == kDots, inside) << x << "," << y;
        }
    EXPECT_GT(dots, 40);
    // Printed, the dots come every tenth of a step on the page, selected or not.
    PrintedPage page;
    ASSERT_TRUE(page.Start(plan.tool, plan.host, 20000, 20000));
    plan.host.m_fPrintScale = 2.0;
    plan.tool.m_fPrintOffsetX = -100.0;
    terrain->Deselect();
    ASSERT_EQ(terrain->Draw(nullptr), 1);
    // Page point (650, 300) is layout point (1100, 600), inside; (1600, 1250) lies in the notch.
    EXPECT_EQ(page.printer.GetPixel(650, 300), kDots);
    EXPECT_NE(page.printer.GetPixel(651, 300), kDots);
    EXPECT_NE(page.printer.GetPixel(1600, 1250), kDots);
    EXPECT_EQ(page.printer.GetPixel(2400, 1000), kDots);
    // A terrain whose grid was never built shows none.
    Canvas fresh(800, 600);
    plan.tool.SetTargetDC(&fresh.dc, nullptr);
    CMount unbuilt(0, &plan.tool, 0.0, 0.0);
    unbuilt.m_bSelected = 1;
    EXPECT_EQ(unbuilt.m_nOutlineCount, -1);
    EXPECT_EQ(unbuilt.HitTest(), nullptr);
    plan.tool.SetTargetDC(nullptr, nullptr);
}
