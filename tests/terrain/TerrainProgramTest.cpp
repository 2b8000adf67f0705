#include <gtest/gtest.h>

#include <cstdlib>

#include "model/CToolMode.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowDCs.h"
#include "shell/CCVNView.h"
#include "terrain/CBenchwork.h"
#include "terrain/CMount.h"
#include "terrain/CTerrainEditorDialog.h"
#include "tests/app/RunningProgram.h"
#include "tests/r3d/DifferingPixels.h"
#include "tools/datagen/DataPictures.h"
#include "track/CTrack.h"
#include "view3d/C3DView.h"

namespace {

class TerrainProgram : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        // The textures the program ships, where the profile sends the program for them.
        ASSERT_TRUE(DataPictures::WriteAll(folder / "data"));
        ASSERT_TRUE(Start());
        CProfile::Program().WriteProfileString("Paths", "Textures", (folder / "data" / "TEXTURES").c_str());
        host.AdvanceClock(CSplashWindow::kShowTime);
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
        plan = dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(plan, nullptr);
    }
    // Draws an outline in the plan window with the tool: a click per vertex, a double click on
    // the last.
    void DrawOutline(UINT tool, const std::vector<CPoint>& vertices) {
        Command(tool);
        ClickOutline(plan, vertices);
    }
    void Open3D() {
        Command(ID_SHOW_3D_VIEW);
        view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
    }
    template <class T>
    T* Add(T* object) {
        layout->m_rootGroup.m_members.push_front(object);
        object->SetOwnerGroup(&layout->m_rootGroup);
        const CPose world;
        object->SetParentPose(&world);
        return object;
    }
    // An outline object in the layout, its vertices world points.
    template <class T>
    T* AddOutline(const std::vector<CDoublePoint>& vertices) {
        T* object = Add(new T(0, &layout->m_tool, 0.0, 0.0));
        object->m_points.SetSize(CSketch::kFirstDrawnPoint);
        for (const CDoublePoint& v : vertices) object->m_points.Add(v.x, v.y);
        object->m_fCornerX1 = object->m_fReferenceX1 = vertices[0].x;
        object->m_fCornerY1 = object->m_fReferenceY1 = vertices[2].y;
        object->m_fCornerX2 = object->m_fReferenceX2 = vertices[2].x;
        object->m_fCornerY2 = object->m_fReferenceY2 = vertices[0].y;
        object->Normalize(CPose());
        object->ComputeExtent(nullptr);
        return object;
    }
    CTrack* AddPiece(double bx, double by, double ex, double ey, double elevation, int style) {
        CTrack* piece = Add(new CTrack(0, &layout->m_tool, 0.0, 0.0));
        piece->SetEnds(bx, by, ex, ey, 0, 0);
        piece->m_fBeginElevation = piece->m_fEndElevation = elevation;
        piece->m_nStyle = style;
        piece->m_fTunnelWidth = 250.0;
        piece->m_fTunnelHeight = 500.0;
        return piece;
    }
    r3d::Raster Picture() {
        view->Invalidate(FALSE);
        view->UpdateWindow();
        return view->GetCamera()->Picture();
    }

    CCVNDoc* layout = nullptr;
    CCVNView* plan = nullptr;
    C3DView* view = nullptr;
};

}  // namespace

TEST_F(TerrainProgram, TheToolsAndCommandsAreThereAndDrawInThePlanWindow) {
    for (UINT id : {ID_TOOL_BENCHWORK, ID_TOOL_TERRAIN, ID_CONFORM_TERRAIN, ID_RESTORE_TERRAIN})
        EXPECT_TRUE(IsEnabled(id)) << id;
    EXPECT_FALSE(IsEnabled(ID_CONFORM_TRACKS_TO_TERRAIN));

    DrawOutline(ID_TOOL_BENCHWORK, {{100, 100}, {300, 100}, {300, 250}, {100, 250}});
    ASSERT_EQ(layout->m_rootGroup.m_members.size(), 1u);
    EXPECT_EQ(layout->m_rootGroup.m_members.front()->GetClassName(), "CBenchwork");
    EXPECT_TRUE(IsEnabled(ID_CONFORM_TRACKS_TO_TERRAIN));

    // The new terrain's properties open at once.
    int dialogs = 0;
    host.WhenModal("Terrain properties", [&](CWnd&) {
        ++dialogs;
        host.PressKey(VK_ESCAPE);
    });
    DrawOutline(ID_TOOL_TERRAIN, {{350, 100}, {600, 100}, {600, 300}, {350, 300}});
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(layout->m_rootGroup.m_members.size(), 2u);
    auto* terrain = dynamic_cast<CMount*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(terrain, nullptr);
    EXPECT_GT(terrain->m_nInteriorCount, 0);
    // Selected, it shows its knots as dots in the plan window.
    terrain->m_crGrid = RGB(255, 0, 255);
    plan->Invalidate(FALSE);
    plan->UpdateWindow();
    int dots = 0;
    CDC& buffer = plan->DrawBuffer();
    const int saved = buffer.SaveDC();
    buffer.SetMapMode(MM_TEXT);
    buffer.SetWindowOrg(0, 0);
    buffer.SetViewportOrg(0, 0);
    // The dots count their steps from the first corner, at (350, 100): the ones on its two edges
    // share them with the outline's dashes, and the knots lie inside.
    for (int y = 102; y < 400; ++y)
        for (int x = 352; x < 700; ++x) dots += buffer.GetPixel(x, y) == RGB(255, 0, 255);
    buffer.RestoreDC(saved);
    EXPECT_EQ(dots, terrain->m_nInteriorCount);
}

TEST_F(TerrainProgram, BenchworkTakesTheGroundPlaneAwayUntilTheLastOneIsDeleted) {
    Open3D();
    ASSERT_NE(layout->GetGroundPlane(), nullptr);
    auto* first = AddOutline<CBenchwork>({{1000, 1000}, {9000, 1000}, {9000, 6000}, {1000, 6000}});
    auto* second = AddOutline<CBenchwork>({{12000, 1000}, {16000, 1000}, {16000, 6000}, {12000, 6000}});
    ASSERT_EQ(first->Update3D(nullptr), 1);
    ASSERT_EQ(second->Update3D(nullptr), 1);
    EXPECT_EQ(layout->GetGroundPlane(), nullptr);
    EXPECT_EQ(first->m_hModel->InScene(), layout->GetScene());
    CTool& tool = layout->m_tool;
    first->Select();
    tool.DeleteSelection(1);
    EXPECT_EQ(layout->GetGroundPlane(), nullptr);
    second->Select();
    tool.DeleteSelection(1);
    ASSERT_NE(layout->GetGroundPlane(), nullptr);
    EXPECT_EQ(layout->GetGroundPlane()->InScene(), layout->GetScene());
    // Undo brings the benchwork back; its model takes the plane away again.
    Command(ID_EDIT_UNDO);
    second->Update3D(nullptr);
    EXPECT_EQ(layout->GetGroundPlane(), nullptr);
}

TEST_F(TerrainProgram, TracksCutFillAndTunnelThroughTerrainAndRestoreGivesThePictureBack) {
    Open3D();
    CMount* terrain = AddOutline<CMount>({{500, 500}, {20000, 500}, {20000, 20000}, {500, 20000}});
    terrain->m_fGridSpacing = 400.0;
    terrain->m_newEdits.Append({10000.0f, 14000.0f, 2500.0f, 6000.0f, 1, 1});
    terrain->m_newEdits.Append({10000.0f, 4000.0f, 300.0f, 3000.0f, 0, 1});
    terrain->RebuildGrid();
    AddPiece(1000.0, 14000.0, 19000.0, 14000.0, 300.0, 2);
    AddPiece(1000.0, 4000.0, 19000.0, 4000.0, 150.0, 0);
    AddPiece(1000.0, 9000.0, 19000.0, 9000.0, 400.0, 0);
    Command(ID_RESTORE_TERRAIN);
    for (CPaint* member : layout->m_rootGroup.m_members) member->Update3D(nullptr);
    // Above the terrain's south edge, looking north over it.
    r3d::Camera& camera = *view->GetCamera();
    camera.Reset();
    camera.MoveBy({-0.4f, 4.0f, -1.0f});
    camera.LookAt({-0.4f, 0.0f, -12.0f});
    const r3d::Raster ground = Picture();
    const std::vector<r3d::Vertex> groundMesh = terrain->m_hModel->Vertices();
    EXPECT_TRUE(host.DumpWindow(view, (folder / "ground.png").c_str()));

    Command(ID_CONFORM_TERRAIN);
    EXPECT_EQ(layout->m_tool.m_bTerrainConformed, 1);
    EXPECT_EQ(terrain->m_trackCuts.size(), 3u);
    const r3d::Raster conformed = Picture();
    EXPECT_TRUE(host.DumpWindow(view, (folder / "conformed.png").c_str()));
    EXPECT_GT(DifferingPixels(ground, conformed), 100);

    Command(ID_RESTORE_TERRAIN);
    const std::vector<r3d::Vertex>& restored = terrain->m_hModel->Vertices();
    ASSERT_EQ(restored.size(), groundMesh.size());
    for (size_t i = 0; i < restored.size(); ++i) EXPECT_EQ(restored[i].position, groundMesh[i].position);
    // The pieces' models come back in another order: faces on one plane may swap a pixel.
    EXPECT_LT(DifferingPixels(ground, Picture()), 20);
}

TEST_F(TerrainProgram, TheTerrainEditorOpensFromTheMenuAndFromAKnotDragOnThePlan) {
    EXPECT_FALSE(IsEnabled(ID_TERRAIN_EDITOR));
    host.WhenModal("Terrain properties", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    DrawOutline(ID_TOOL_TERRAIN, {{350, 100}, {650, 100}, {650, 350}, {350, 350}});
    auto* terrain = dynamic_cast<CMount*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(terrain, nullptr);
    ASSERT_TRUE(terrain->IsSelected());
    EXPECT_TRUE(IsEnabled(ID_TERRAIN_EDITOR));
    const std::vector<float> heights = [&] {
        std::vector<float> z;
        for (int k = 0; k < terrain->Grid().GetSize(); ++k) z.push_back(terrain->Grid()[k].z);
        return z;
    }();

    // From the menu: on the centre knot, without a first edit, the trains paused meanwhile.
    int editors = 0;
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        ++editors;
        auto& editor = *dynamic_cast<CTerrainEditorDialog*>(&window);
        EXPECT_EQ(editor.GetSelectedKnot(), terrain->m_nCentreKnot);
        EXPECT_EQ(editor.EditList().GetCount(), 0);
        EXPECT_TRUE(Main().IsTrainPaused());
        host.PressKey(VK_ESCAPE);
    });
    Command(ID_TERRAIN_EDITOR);
    EXPECT_EQ(editors, 1);
    EXPECT_FALSE(Main().IsTrainPaused());

    // A Ctrl-drag on a knot of the plan proposes a height; its release opens the editor with
    // that height as its first edit, which OK keeps as one undoable step.
    const int knot = terrain->m_nCentreKnot;
    const double s = terrain->m_fGridSpacing;
    const CDoublePoint world =
        terrain->LocalToWorld(terrain->Grid()[knot].x * s, terrain->Grid()[knot].y * s);
    CPoint at = layout->m_tool.LayoutToDevice(world.x, world.y, 0);
    {
        CClientDC dc(plan);
        plan->OnPrepareDC(&dc);
        dc.LPtoDP(&at);
    }
    Command(ID_TOOL_SELECTOR);
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        ++editors;
        auto& editor = *dynamic_cast<CTerrainEditorDialog*>(&window);
        EXPECT_EQ(editor.GetSelectedKnot(), knot);
        ASSERT_EQ(editor.EditList().GetCount(), 1);
        EXPECT_NE(editor.EditList()[0].dz, 0.0f);
        // The preview shows the proposed height already.
        EXPECT_NEAR(terrain->Grid()[knot].z, terrain->m_fDragHeight, 0.01);
        host.ClickClient(window.GetDlgItem(IDOK), CPoint(5, 5));
    });
    host.KeyDown(VK_CONTROL);
    host.DragClient(plan, at, CPoint(at.x + 20, at.y - 30), 4);
    host.KeyUp(VK_CONTROL);
    host.RunUntilIdle();
    EXPECT_EQ(editors, 2);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 1);
    // The last step is the editor's.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 0);
    for (int k = 0; k < terrain->Grid().GetSize(); ++k)
        EXPECT_EQ(terrain->Grid()[k].z, heights[static_cast<size_t>(k)]) << k;
}

TEST_F(TerrainProgram, CtrlOnAKnotOfTheSelectedTerrainShowsTheKnotCursor) {
    constexpr UINT kArrowCursor = 308, kKnotCursor = 374;
    host.WhenModal("Terrain properties", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    DrawOutline(ID_TOOL_TERRAIN, {{350, 100}, {650, 100}, {650, 350}, {350, 350}});
    auto* terrain = dynamic_cast<CMount*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(terrain, nullptr);
    ASSERT_TRUE(terrain->IsSelected());
    Command(ID_TOOL_SELECTOR);
    // The window point of a local terrain point.
    auto windowPoint = [&](double x, double y) {
        const CDoublePoint world = terrain->LocalToWorld(x, y);
        CPoint at = layout->m_tool.LayoutToDevice(world.x, world.y, 0);
        CClientDC dc(plan);
        plan->OnPrepareDC(&dc);
        dc.LPtoDP(&at);
        return at;
    };
    // The cursor chosen when the mouse moves onto a window point, and the one on the screen.
    auto cursorOver = [&](CPoint client) {
        plan->ClientToScreen(&client);
        host.MouseMove(client);
        host.RunUntilIdle();
        EXPECT_EQ(host.ShownCursor(), LoadResourceCursor(plan->GetCursorId()));
        return plan->GetCursorId();
    };
    const double s = terrain->m_fGridSpacing;
    const CDoublePoint knot{terrain->Grid()[terrain->m_nCentreKnot].x * s,
                            terrain->Grid()[terrain->m_nCentreKnot].y * s};
    const CPoint onKnot = windowPoint(knot.x, knot.y);
    const CPoint between = windowPoint(knot.x + s / 2.0, knot.y + s / 2.0);
    ASSERT_GT(std::abs(between.x - onKnot.x), 4);
    // The knot's dot is drawn where the knot cursor shows.
    terrain->m_crGrid = RGB(255, 0, 255);
    plan->Invalidate(FALSE);
    plan->UpdateWindow();
    CDC& buffer = plan->DrawBuffer();
    const int saved = buffer.SaveDC();
    buffer.SetMapMode(MM_TEXT);
    buffer.SetWindowOrg(0, 0);
    buffer.SetViewportOrg(0, 0);
    EXPECT_EQ(buffer.GetPixel(onKnot), RGB(255, 0, 255));
    buffer.RestoreDC(saved);
    EXPECT_EQ(cursorOver(onKnot), kArrowCursor);
    // With Ctrl held the knot is under the mouse, though the selected terrain counts as hit
    // there too; between the knots nothing is.
    host.KeyDown(VK_CONTROL);
    EXPECT_EQ(cursorOver(between), kArrowCursor);
    EXPECT_EQ(cursorOver(onKnot), kKnotCursor);
    host.KeyUp(VK_CONTROL);
    EXPECT_EQ(cursorOver(between), kArrowCursor);
    EXPECT_EQ(cursorOver(onKnot), kArrowCursor);
    // A terrain that is not selected shows no knot.
    terrain->Deselect();
    host.KeyDown(VK_CONTROL);
    EXPECT_EQ(cursorOver(between), kArrowCursor);
    EXPECT_EQ(cursorOver(onKnot), kArrowCursor);
    host.KeyUp(VK_CONTROL);
}
