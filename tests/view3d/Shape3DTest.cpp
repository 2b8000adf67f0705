#include <gtest/gtest.h>

#include <cmath>

#include "drawing/CGroupPropertyDialog.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "platform/gdi/CDC.h"
#include "platform/r3d/Clump.h"
#include "resources/GroupPropertiesTemplate.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/view3d/Objects3DPlan.h"
#include "view3d/C3D.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"

namespace {

// A shape in the root group with its box from (x1, y1) to (x3, y3), local to its origin.
C3D* Shape(Objects3DPlan& plan, double x1, double y1, double x3, double y3) {
    auto* shape = AddToLayout(plan.host, new C3D(0, &plan.tool, 0.0, 0.0));
    for (int i = 1; i <= 4; ++i) shape->m_points[i] = {x1, y1};
    shape->MoveBoxCorner(3, x3, y3, nullptr);
    shape->ComputeExtent(nullptr);
    return shape;
}

void ExpectBounds(const r3d::Box& box, r3d::Vec3 low, r3d::Vec3 high) {
    EXPECT_NEAR(box.min.x, low.x, 1e-3);
    EXPECT_NEAR(box.min.y, low.y, 1e-3);
    EXPECT_NEAR(box.min.z, low.z, 1e-3);
    EXPECT_NEAR(box.max.x, high.x, 1e-3);
    EXPECT_NEAR(box.max.y, high.y, 1e-3);
    EXPECT_NEAR(box.max.z, high.z, 1e-3);
}

// A ground surface of the benchwork's class whose top and outline the test sets.
class FixedBench : public CBenchwork {
  public:
    FixedBench(CTool* tool, double top, BOOL inside)
        : CBenchwork(0, tool, 0.0, 0.0), m_top(top), m_inside(inside) {}
    CPaint* PtInOutline() override { return m_inside ? this : nullptr; }
    double GetTopAt(double, double) override { return m_top; }

  private:
    double m_top;
    BOOL m_inside;
};

}  // namespace

TEST(Shape3D, TheModelFillsItsBoxAndHeightAtItsElevationTurnedOrFlat) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_strModelFile = plan.WriteBoxModel("crate.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 1.0f, 2.0f);
    shape->m_fHeight = 300.0;
    shape->m_fElevation = 200.0;
    shape->m_bShowOn2DPlan = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    ASSERT_NE(shape->m_hModel, nullptr);
    EXPECT_EQ(shape->m_hModel->Tag(), C3D::kModelTag);
    // 1000 x 500 plan units over 100 per 3D unit, 300 high from 200 up; the box centre (500, 250)
    // lies at (5 - 8, -2.5 - 8).
    ExpectBounds(shape->m_hModel->Bounds(), {-8.0f, 2.0f, -13.0f}, {2.0f, 5.0f, -8.0f});

    // A model turned a quarter about x still fills the box and the height.
    r3d::Matrix turned = r3d::Matrix::Rotation({1.0f, 0.0f, 0.0f}, 90.0f);
    shape->SetOrientation(turned);
    shape->m_bNeedsRebuild = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    ExpectBounds(shape->m_hModel->Bounds(), {-8.0f, 2.0f, -13.0f}, {2.0f, 5.0f, -8.0f});

    // A flat model keeps a finite size across its missing extent.
    shape->SetOrientation(r3d::Matrix());
    shape->m_strModelFile = plan.WriteBoxModel("sheet.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 0.0f, 2.0f);
    shape->m_bNeedsRebuild = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    const r3d::Matrix world = shape->m_hModel->WorldMatrix();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(world.m[r][c])) << r << c;
    EXPECT_NEAR(shape->m_hModel->Bounds().min.y, 2.0f, 1e-4);

    // The shape turned by its pose turns the model about its centre.
    shape->m_strModelFile = "crate.rwx";
    shape->m_bNeedsRebuild = 1;
    shape->m_pose.angle = 3.1415926535 / 2.0;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    const r3d::Box box = shape->m_hModel->Bounds();
    EXPECT_NEAR(box.max.x - box.min.x, 5.0f, 1e-3);
    EXPECT_NEAR(box.max.z - box.min.z, 10.0f, 1e-3);
}

TEST(Shape3D, ANegativeHeightIsStoredAsNothingOnceTheModelIsFitted) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_strModelFile = plan.WriteBoxModel("crate.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 1.0f, 2.0f);
    shape->m_fHeight = 300.0;
    shape->m_bShowOn2DPlan = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    const std::vector<BYTE> flat = [&] {
        shape->m_fHeight = 0.0;
        return StoreRecord(*shape);
    }();
    shape->m_fHeight = -5.0;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    EXPECT_EQ(shape->m_fHeight, 0.0);
    const r3d::Box box = shape->m_hModel->Bounds();
    EXPECT_NEAR(box.max.y - box.min.y, 0.0f, 1e-4);
    EXPECT_EQ(StoreRecord(*shape), flat);
}

TEST(Shape3D, TheFootprintIsTheModelSeenFromAboveAndItsDrawingStaysInTheBox) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 1000.0, 3000.0, 3000.0, 2000.0);
    // A wedge: its top edge lies over the box's back edge only.
    shape->m_strModelFile = plan.WriteBoxModel("crate.rwx", 0.0f, 0.0f, 0.0f, 4.0f, 1.0f, 2.0f);
    shape->m_fHeight = 100.0;
    shape->m_bShowOn2DPlan = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    ASSERT_EQ(shape->m_footprint.size(), 8u);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const CDoublePoint& p : shape->m_footprint) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    EXPECT_NEAR(minX, 1000.0, 1e-3);
    EXPECT_NEAR(maxX, 3000.0, 1e-3);
    EXPECT_NEAR(minY, 2000.0, 1e-3);
    EXPECT_NEAR(maxY, 3000.0, 1e-3);

    // Drawn on a white page: the outline pixels lie on the box's edges, none outside it.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap page;
    ASSERT_TRUE(page.CreateBitmap(400, 400, 1, 32, nullptr));
    CBitmap* previous = dc.SelectObject(&page);
    dc.FillSolidRect(0, 0, 400, 400, RGB(255, 255, 255));
    plan.tool.SetTargetDC(&dc, &dc);
    plan.tool.SetViewScale(1.0, 10.0);
    shape->RecalcDeviceBounds();
    plan.tool.m_rcUpdate = {0, 0, 400, 400};
    ASSERT_EQ(shape->Draw(nullptr), 1);
    int inside = 0, outside = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            if (dc.GetPixel(x, y) == RGB(255, 255, 255))
                continue;
            const bool inBox = x >= 100 && x <= 300 && y >= 200 && y <= 300;
            (inBox ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 400);
    EXPECT_EQ(outside, 0);
    // A polygon naming a vertex that has no footprint point ends there, without reading past.
    r3d::Polygon broken;
    broken.vertices = {1, 2, 99, 3};
    shape->DrawFootprintPolygon(broken);
    plan.tool.SetTargetDC(nullptr, nullptr);
    dc.SelectObject(previous);
}

TEST(Shape3D, PlaceOnBaseTakesTheHighestTopUnderTheCentreWithOneUndoStep) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 1000.0, 1000.0, 0.0);
    shape->m_fElevation = 55.0;
    AddToLayout(plan.host, new FixedBench(&plan.tool, 120.0, TRUE));
    AddToLayout(plan.host, new FixedBench(&plan.tool, 80.0, TRUE));
    AddToLayout(plan.host, new FixedBench(&plan.tool, 500.0, FALSE));
    const int steps = plan.tool.GetUndoCount();
    shape->PlaceOnBase();
    EXPECT_EQ(shape->m_fElevation, 120.0);
    EXPECT_EQ(plan.tool.m_fCurrentX, 500.0);
    EXPECT_EQ(plan.tool.m_fCurrentY, 500.0);
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(shape->m_fElevation, 55.0);

    // A terrain answering below zero sets the shape on the ground.
    Objects3DPlan low;
    C3D* other = Shape(low, 0.0, 1000.0, 1000.0, 0.0);
    other->m_fElevation = 40.0;
    AddToLayout(low.host, new FixedBench(&low.tool, -10.0, TRUE));
    other->PlaceOnBase();
    EXPECT_EQ(other->m_fElevation, 0.0);
}

TEST(Shape3D, TerrainCutsAreDroppedOnDetachAndWithTheShape) {
    Objects3DPlan plan;
    plan.Open3D();
    plan.host.m_f3DScale = 100.0;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 4000, 3000));
    C3D* shape = Shape(plan, 1000.0, 2000.0, 2000.0, 1000.0);
    shape->m_fElevation = 0.0;
    const std::vector<float> before = TerrainPlan::Heights(*terrain);
    terrain->CutUnderObject(shape);
    ASSERT_EQ(shape->GetCutTerrains().size(), 1u);
    shape->AddMount(terrain);
    EXPECT_EQ(shape->GetCutTerrains().size(), 1u);
    shape->DetachFromTerrain();
    EXPECT_TRUE(shape->GetCutTerrains().empty());
    EXPECT_EQ(terrain->RemoveObjectCut(shape), 0);

    terrain->CutUnderObject(shape);
    ASSERT_EQ(shape->GetCutTerrains().size(), 1u);
    plan.host.CurrentGroup()->m_members.remove(shape);
    delete shape;
    // The terrain kept no record of the shape gone.
    EXPECT_EQ(terrain->RemoveObjectCut(shape), 0);
    EXPECT_EQ(TerrainPlan::Heights(*terrain).size(), before.size());
}

TEST(Shape3D, RecordsRoundTripThroughTheirVersionGates) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 100.0, 700.0, 900.0, 200.0);
    shape->m_strModelFile = "SCRIPTS\\house.3ds";
    shape->m_strTexture = "brick.bmp";
    shape->m_fHeight = 450.5;
    shape->m_fElevation = 12.25;
    shape->m_bShowOn2DPlan = 1;
    shape->m_bGrouped = 1;
    shape->m_bExcludeFromConforming = 1;
    shape->SetOrientation(r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, 30.0f));
    const std::vector<BYTE> record = StoreRecord(*shape);
    ASSERT_EQ(record.size(), CommonPartSize(*shape) + 1 + 17 + 1 + 9 + 8 + 8 + 4 * 3 + 16 * 4 + 4);
    C3D loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, record);
    EXPECT_EQ(StoreRecord(loaded), record);
    EXPECT_EQ(loaded.m_strModelFile, "SCRIPTS\\house.3ds");
    EXPECT_EQ(loaded.m_bExcludeFromConforming, 1);
    EXPECT_EQ(loaded.GetOrientation().m[0][2], shape->GetOrientation().m[0][2]);
    // Before version 17 there is no exclude switch.
    plan.host.m_nFileVersion = 16;
    C3D older;
    older.SetTool(&plan.tool);
    LoadRecord(older, std::vector<BYTE>(record.begin(), record.end() - 4));
    EXPECT_EQ(older.m_bExcludeFromConforming, 0);
    EXPECT_EQ(older.m_fHeight, 450.5);
    // Before version 7 the corners stood at points 5 to 8.
    plan.host.m_nFileVersion = 6;
    C3D oldest;
    oldest.SetTool(&plan.tool);
    LoadRecord(oldest, AsVersion6Record(*shape, std::vector<BYTE>(record.begin(), record.end() - 4)));
    EXPECT_EQ(oldest.m_fElevation, 12.25);
}

TEST(Shape3D, AMissingModelKeepsItsNameAndIsReportedOnce) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_strModelFile = "SCRIPTS\\gone.3ds";
    shape->m_bShowOn2DPlan = 1;
    plan.screen.AnswerMessageBox(IDOK);
    EXPECT_EQ(shape->Update3D(nullptr), 0);
    plan.screen.AnswerMessageBox(IDOK);
    EXPECT_EQ(shape->Update3D(nullptr), 0);
    ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
    EXPECT_EQ(plan.screen.MessageBoxes()[0].text, "Could not read the 3D model gone.3ds");
    EXPECT_EQ(shape->m_strModelFile, "SCRIPTS\\gone.3ds");
}

TEST(Shape3D, AFlipOfAShapeWithAModelIsRefusedAndTheStatusNamesItsMeasures) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_fHeight = 300.0;
    shape->m_fElevation = 20.0;
    EXPECT_EQ(shape->IsInvalid(0), 0);
    shape->MirrorX(0.0);
    EXPECT_EQ(plan.tool.m_bFlipRefused, 0);
    shape->m_strModelFile = "house.3ds";
    shape->MirrorY(0.0);
    EXPECT_EQ(plan.tool.m_bFlipRefused, 1);
    shape->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 1);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[4], CString("7.75"));
    C3D empty(0, &plan.tool, 0.0, 0.0);
    EXPECT_EQ(empty.IsInvalid(0), 1);
    EXPECT_EQ(empty.m_points[3].x, 2.0 * plan.tool.m_fHandleSize);
    EXPECT_EQ(empty.m_strName, "3D Shape");
}

TEST(Shape3D, TheGroupElevationRaisesShapesBitmapsAndCamerasTogether) {
    Objects3DPlan plan;
    auto* group = AddToLayout(plan.host, new CGroup);
    auto* shape = new C3D(0, &plan.tool, 0.0, 0.0);
    shape->m_fElevation = 100.0;
    auto* sprite = new CSprite(0, &plan.tool, 0.0, 0.0);
    sprite->m_fElevation = 50.0;
    auto* camera = new CCamera(0, &plan.tool, 0.0, 0.0);
    camera->m_fHeight = 200.0;
    for (CPaint* member :
         {static_cast<CPaint*>(shape), static_cast<CPaint*>(sprite), static_cast<CPaint*>(camera)}) {
        group->m_members.push_back(member);
        member->SetOwnerGroup(group);
    }
    CGroupPropertyDialog dialog;
    dialog.SetObject(group, nullptr, FALSE);
    dialog.FindElevation();
    EXPECT_EQ(dialog.GetGroupElevation(), 50.0);
    CString raised;
    CLengthFormat(plan.host.m_nUnitIndex).FormatLength(raised, 80.0);
    plan.screen.WhenModal("Group properties", [&](CWnd& modal) {
        CWnd* edit = modal.GetDlgItem(IDC_GROUP_ELEVATION);
        edit->SetWindowText("");
        plan.screen.ClickClient(edit, CPoint(3, 3));
        plan.screen.Type(raised);
        plan.screen.ClickClient(modal.GetDlgItem(IDC_GROUP_NAME), CPoint(3, 3));
        plan.screen.ClickClient(modal.GetDlgItem(IDOK), CPoint(3, 3));
    });
    dialog.DoModal();
    dialog.ApplyElevation(group);
    EXPECT_NEAR(shape->m_fElevation, 130.0, 0.3);
    EXPECT_NEAR(sprite->m_fElevation, 80.0, 0.3);
    EXPECT_NEAR(camera->m_fHeight, 230.0, 0.3);
}

TEST(Shape3D, AMissingTextureKeepsItsNameAndTheModelItsOwnSurfacesReportedOnce) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_strModelFile = plan.WriteBoxModel("crate.rwx", 0.0f, 0.0f, 0.0f, 2.0f, 1.0f, 2.0f);
    shape->m_strTexture = "TEXTURES\\gone.bmp";
    shape->m_bShowOn2DPlan = 1;
    plan.screen.AnswerMessageBox(IDOK);
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    shape->m_bNeedsRebuild = 1;
    ASSERT_EQ(shape->Update3D(nullptr), 1);
    ASSERT_EQ(plan.screen.MessageBoxes().size(), 1u);
    EXPECT_EQ(shape->m_strTexture, "TEXTURES\\gone.bmp");
    EXPECT_EQ(shape->m_hModel->Polygons()[0].material.texture, nullptr);
    // The layout saved meanwhile keeps the name.
    const std::vector<BYTE> record = StoreRecord(*shape);
    EXPECT_NE(std::string(record.begin(), record.end()).find("TEXTURES\\gone.bmp"), std::string::npos);
}

TEST(Shape3D, ARescaleFromThePressGrowsTheBoxFromCornerOneAndTheHeight) {
    Objects3DPlan plan;
    C3D* shape = Shape(plan, 0.0, 500.0, 1000.0, 0.0);
    shape->m_pose = CPose(100.0, 100.0, 0.0);
    shape->m_fHeight = 300.0;
    shape->TrackCreate(nullptr, -1);
    shape->RescaleWithUndo(nullptr, 2.0, 1);
    EXPECT_EQ(shape->m_points[1].x, 0.0);
    EXPECT_EQ(shape->m_points[1].y, 500.0);
    EXPECT_EQ(shape->m_points[3].x, 2000.0);
    EXPECT_EQ(shape->m_points[3].y, -500.0);
    EXPECT_EQ(shape->m_fHeight, 600.0);
    EXPECT_EQ(shape->m_pose.x, 200.0);
    // The origin moves with corner 1's place in the parent's frame: (100, 100) + (0, 500).
    EXPECT_EQ(shape->m_pose.y, 700.0);
    // Without Resizeable the box keeps its size.
    shape->m_bScaleWithDocument = 0;
    shape->TrackCreate(nullptr, -1);
    shape->RescaleWithUndo(nullptr, 2.0, 1);
    EXPECT_EQ(shape->m_points[3].x, 2000.0);
    EXPECT_EQ(shape->m_fHeight, 600.0);
}
