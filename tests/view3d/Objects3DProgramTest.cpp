#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "model/CGroup.h"
#include "platform/base/CStringTable.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Raster.h"
#include "platform/win/CView.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/Objects3DTemplates.h"
#include "resources/StringTable.h"
#include "shell/CCVNView.h"
#include "shell/CMainFrame.h"
#include "tests/app/CountingView.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestPictures.h"
#include "tools/datagen/SceneryModels.h"
#include "view3d/C3D.h"
#include "view3d/C3DView.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"

namespace {

// The running program with its new layout and its 3D view open.
class Objects3DProgram : public LayoutInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LayoutInProgram::SetUp());
        Command(ID_SHOW_3D_VIEW);
        view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        std::filesystem::create_directories(folder / "models");
    }
    CTool& Tool() { return layout->m_tool; }
    // A press, two moves and a release between layout points, through the engine.
    void Drag(CDoublePoint from, CDoublePoint to, UINT flags = 0) {
        const double zoom = Tool().m_fZoomRatio;
        Tool().OnLButtonDown(flags, from.x * zoom, from.y * zoom);
        Tool().OnMouseMove(flags, (from.x + to.x) / 2.0 * zoom, (from.y + to.y) / 2.0 * zoom, 1);
        Tool().OnMouseMove(flags, to.x * zoom, to.y * zoom, 1);
        Tool().OnLButtonUp(flags, to.x * zoom, to.y * zoom);
        host.RunUntilIdle();
    }
    CString WriteModel() {
        const std::filesystem::path path = folder / "models" / "shed.rwx";
        std::ofstream(path) << "ModelBegin\nClumpBegin\nColor 1 0 0\n"
                               "Vertex 0 0 0\nVertex 2 0 0\nVertex 0 1 0\nVertex 2 1 0\n"
                               "Vertex 0 0 2\nVertex 2 0 2\nVertex 0 1 2\nVertex 2 1 2\n"
                               "Quad 1 2 4 3\nQuad 5 7 8 6\nQuad 1 5 6 2\nQuad 3 4 8 7\nQuad 1 3 7 5\n"
                               "Quad 2 6 8 4\nClumpEnd\nModelEnd\n";
        return CString(path.string().c_str());
    }
    // Puts a new object into the layout as the engine does, with its undo step.
    void AddToLayout(CPaint* object) {
        object->ComputeExtent(nullptr);
        object->SetOwnerGroup(&layout->m_rootGroup);
        Tool().AddObjectWithUndo(object, 1, 1);
        host.RunUntilIdle();
    }
    // A green 3D bitmap added to the layout, its picture in the test's folder; null when the
    // picture could not be written.
    CSprite* AddFir() {
        Canvas picture(16, 32, RGB(0, 200, 0));
        const std::filesystem::path path = folder / "models" / "fir.bmp";
        if (!picture.bitmap.SaveBmpFile(path.string().c_str(), 24))
            return nullptr;
        auto* sprite = new CSprite(0, &Tool(), 0.0, 0.0);
        sprite->MoveBoxCorner(1, 10000.0, 12000.0, nullptr);
        sprite->MoveBoxCorner(3, 12000.0, 8000.0, nullptr);
        sprite->SetImage(CString(path.string().c_str()));
        sprite->LoadBitmaps();
        AddToLayout(sprite);
        return sprite;
    }
    // The red test model as a 3D object added to the layout at the elevation.
    C3D* AddShed(double elevation) {
        auto* shape = new C3D(0, &Tool(), 24000.0, 22000.0);
        shape->MoveBoxCorner(3, 2000.0, 1000.0, nullptr);
        shape->m_strModelFile = WriteModel();
        shape->m_fHeight = 500.0;
        shape->m_fElevation = elevation;
        AddToLayout(shape);
        return shape;
    }
    template <class T>
    T* Newest() {
        return dynamic_cast<T*>(layout->m_rootGroup.m_members.front());
    }
    // Pixels of the 3D view where red stands out: the lit faces of the red test model.
    int CountRedPixels() {
        CClientDC dc(view);
        view->Render(&dc);
        const r3d::Raster& picture = view->GetCamera()->Picture();
        int count = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const r3d::Raster::Rgb pixel = picture.Pixel(x, y);
                count += pixel.r > 80 && pixel.g < pixel.r / 3 && pixel.b < pixel.r / 3 ? 1 : 0;
            }
        return count;
    }
    // The first pixel of the 3D view where the red test model stands out, from the top.
    CPoint FirstRedPixel() {
        return FirstPixelWhere([](r3d::Raster::Rgb pixel) {
            return pixel.r > 80 && pixel.g < pixel.r / 3 && pixel.b < pixel.r / 3;
        });
    }
    // The same for the green test picture.
    CPoint FirstGreenPixel() {
        return FirstPixelWhere([](r3d::Raster::Rgb pixel) {
            return pixel.g > 120 && pixel.r < pixel.g / 3 && pixel.b < pixel.g / 3;
        });
    }
    CPoint FirstPixelWhere(const std::function<bool(r3d::Raster::Rgb)>& standsOut) {
        CClientDC dc(view);
        view->Render(&dc);
        const r3d::Raster& picture = view->GetCamera()->Picture();
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (standsOut(picture.Pixel(x, y)))
                    return {x, y};
        return {-1, -1};
    }
    std::string SavedBytes(const char* name) {
        const std::filesystem::path path = folder / name;
        EXPECT_TRUE(layout->OnSaveDocument(path.string().c_str()));
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The 3D view looks from a camera object west of the point along +x at the height.
    void LookEastAt(CDoublePoint target, double height) {
        auto* camera = new CCamera(0, &Tool(), target.x - 8000.0, target.y);
        camera->m_fHeight = height;
        AddToLayout(camera);
    }
    void Keep(const char* name, CWnd* window) {
        if (const CString path = TestPicturePath(name); !path.IsEmpty())
            host.DumpWindow(window, path);
    }

    C3DView* view = nullptr;
};

}  // namespace

// Over each view its own cursor, already on the first move after the other view had the mouse.
TEST_F(Objects3DProgram, ThePlanAndThe3DViewShowTheirOwnCursorsFromTheFirstMove) {
    constexpr UINT kLineCursor = 515;
    const auto shownOver = [this](CWnd* window, CPoint point) {
        window->ClientToScreen(&point);
        host.MouseMove(point);
        host.RunUntilIdle();
        return host.ShownCursor();
    };
    const auto activate = [this](CView* shown) {
        Main().MDIActivate(shown->GetParentFrame());
        host.RunUntilIdle();
    };
    activate(plan);
    Command(ID_TOOL_LINE);
    EXPECT_EQ(shownOver(plan, CPoint(150, 150)), LoadResourceCursor(kLineCursor));
    activate(view);
    EXPECT_EQ(shownOver(view, CPoint(40, 40)), LoadResourceCursor(C3DView::kViewCursor));
    activate(plan);
    EXPECT_EQ(shownOver(plan, CPoint(150, 150)), LoadResourceCursor(kLineCursor));
}

TEST_F(Objects3DProgram, AShapeIsInsertedWithItsDialogResizedTurnedRaisedAndItsFlipRefused) {
    const CString model = WriteModel();
    host.WhenModal("3D Objects properties", [&](CWnd& modal) {
        host.WhenModal("Open", [&](CWnd& open) {
            open.GetDlgItem(edt1)->SetWindowText(model);
            host.PressKey(VK_RETURN);
        });
        host.ClickClient(modal.GetDlgItem(IDC_3D_MODEL_BROWSE), CPoint(3, 3));
        modal.GetDlgItem(IDC_3D_HEIGHT)->SetWindowText("0.5");
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_TOOL_3D_OBJECT);
    EXPECT_EQ(Tool().m_toolMode, kTool3DObject);
    Drag({20000.0, 20000.0}, {30000.0, 25000.0});
    auto* shape = Newest<C3D>();
    ASSERT_NE(shape, nullptr);
    ASSERT_NE(shape->m_hModel, nullptr);
    EXPECT_EQ(shape->m_hModel->InScene(), layout->GetScene());
    const int before3D = CountRedPixels();
    LookEastAt({25000.0, 22500.0}, 200.0);
    EXPECT_GT(CountRedPixels(), before3D + 500);
    Keep("objects3d-view-shape.png", view);

    // Ctrl on a corner raises the height along the diagonal.
    Command(ID_TOOL_SELECTOR);
    Tool().DeselectAll(0, 0);
    shape->Select();
    const double before = shape->m_fHeight;
    const CDoublePoint corner = shape->LocalToWorld(shape->m_points[3].x, shape->m_points[3].y);
    const CDoublePoint centre = shape->LocalToWorld((shape->m_points[1].x + shape->m_points[3].x) / 2.0,
                                                    (shape->m_points[1].y + shape->m_points[3].y) / 2.0);
    const CDoublePoint outward{corner.x + (corner.x - centre.x) * 0.2,
                               corner.y + (corner.y - centre.y) * 0.2};
    const double zoom = Tool().m_fZoomRatio;
    Tool().OnLButtonDown(MK_CONTROL, corner.x * zoom, corner.y * zoom);
    Tool().OnMouseMove(MK_CONTROL, outward.x * zoom, outward.y * zoom, 1);
    EXPECT_EQ(Tool().m_hint.m_strText.Left(2), "h=");
    Tool().OnLButtonUp(MK_CONTROL, outward.x * zoom, outward.y * zoom);
    EXPECT_GT(shape->m_fHeight, before);
    Tool().OnKeyUp(VK_CONTROL);

    // A corner dragged out widens the box; the model refits.
    const CDoublePoint far = shape->LocalToWorld(shape->m_points[3].x, shape->m_points[3].y);
    Drag(far, {far.x + 2000.0, far.y - 1000.0});
    // About 2000 wider, snapped to the grid.
    EXPECT_NEAR(std::fabs(shape->m_points[3].x - shape->m_points[1].x), 12000.0, 100.0);
    // Turned a quarter, the model turns with the box.
    const r3d::Box flat = shape->m_hModel->Bounds();
    const CDoublePoint centre3 = shape->LocalToWorld((shape->m_points[1].x + shape->m_points[3].x) / 2.0,
                                                     (shape->m_points[1].y + shape->m_points[3].y) / 2.0);
    ASSERT_EQ(Tool().RotateSelection(3.1415926535 / 2.0, &centre3, 1, 1, 1), 1);
    host.RunUntilIdle();
    shape->Update3D(nullptr);
    EXPECT_NE(shape->m_pose.angle, 0.0);
    const r3d::Box turned = shape->m_hModel->Bounds();
    EXPECT_NEAR(turned.max.x - turned.min.x, flat.max.z - flat.min.z, 1e-3);
    EXPECT_NEAR(turned.max.z - turned.min.z, flat.max.x - flat.min.x, 1e-3);
    EXPECT_TRUE(layout->IsModified());

    // A flip of a shape with a model says that flips apply to 2D objects only.
    Main().MDIActivate(plan->GetParentFrame());
    host.RunUntilIdle();
    host.AnswerMessageBox(IDOK);
    Command(ID_FLIP_2D_HORIZONTAL);
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_NE(host.MessageBoxes().back().text.Find("2D"), -1);
}

TEST_F(Objects3DProgram, ACameraPlacedTurnedAndClampedAimsTheOpen3DView) {
    Command(ID_TOOL_CAMERA);
    Drag({16000.0, 16000.0}, {16000.0, 16000.0});
    auto* camera = Newest<CCamera>();
    ASSERT_NE(camera, nullptr);
    const double scale = layout->m_f3DScaleDivisor;
    const r3d::Vec3 eye = view->GetCamera()->Position();
    const CDoublePoint lens = camera->LocalToWorld(0.0, 0.0);
    EXPECT_NEAR(eye.x, lens.x / scale - 8.0, 1e-3);
    EXPECT_NEAR(eye.z, -(lens.y / scale) - 8.0, 1e-3);
    EXPECT_NEAR(eye.y, camera->m_fHeight / scale, 1e-3);
    EXPECT_NEAR(view->GetCamera()->ViewWindowWidth(), 1.5f, 1e-4);
    Keep("objects3d-plan-camera.png", plan);

    // Turned a quarter: the view looks along the turn.
    Command(ID_TOOL_SELECTOR);
    camera->Select();
    CDoublePoint pivot = lens;
    Tool().RotateSelection(3.1415926535 / 2.0, &pivot, 1, 1, 0);
    camera->Update3D(&camera->m_parentPose);
    const r3d::Vec3 forward = view->GetCamera()->Forward();
    EXPECT_NEAR(forward.x, 0.0f, 1e-4);
    EXPECT_NEAR(forward.z, -1.0f, 1e-4);

    // The view edge dragged behind the lens stops across it: the widest view the 3D view takes.
    camera->TrackCreate(nullptr, 1);
    const CDoublePoint behind = camera->LocalToWorld(-50.0, -50.0);
    Tool().m_fCurrentX = behind.x;
    Tool().m_fCurrentY = behind.y;
    camera->DragHandle(nullptr, 1);
    camera->Update3D(&camera->m_parentPose);
    EXPECT_EQ(camera->m_points[1].x, 0.0);
    EXPECT_NEAR(view->GetCamera()->ViewWindowWidth(), 2.0f * std::tan(89.0f * 3.14159265f / 180.0f), 1e-2);
}

TEST_F(Objects3DProgram, A3DBitmapMovedOnThePlanMovesIn3DWithoutARebuild) {
    CSprite* sprite = AddFir();
    ASSERT_NE(sprite, nullptr);
    ASSERT_NE(sprite->m_hModel, nullptr);
    r3d::Clump* model = sprite->m_hModel.get();
    const float x = model->Bounds().Centre().x;
    // The move the arrow keys and the engine's move step make.
    ASSERT_EQ(Tool().MoveSelection(1000.0, 0.0, 1, 1, 1), 1);
    EXPECT_NEAR(sprite->m_pose.x, 1000.0, 1e-6);
    ASSERT_EQ(sprite->Update3D(nullptr), 1);
    ASSERT_EQ(sprite->m_hModel.get(), model);
    EXPECT_NEAR(model->Bounds().Centre().x - x, 1000.0 / layout->m_f3DScaleDivisor, 1e-3);
    Keep("objects3d-view-sprite.png", view);
}

TEST_F(Objects3DProgram, ALayoutWithShapesACameraAndABitmapIsSavedAndReadBackByteForByte) {
    ASSERT_TRUE(SceneryModels::WriteAll(folder / "models"));
    auto* house = new C3D(0, &Tool(), 8000.0, -8000.0);
    house->MoveBoxCorner(3, 6000.0, -4500.0, nullptr);
    house->m_strModelFile = (folder / "models" / "SCRIPTS" / "cvnhouse.rwx").string().c_str();
    house->m_fHeight = 4000.0;
    house->m_bShowOn2DPlan = 1;
    AddToLayout(house);
    auto* tree = new CSprite(0, &Tool(), 16000.0, -7000.0);
    tree->MoveBoxCorner(3, 3000.0, 6000.0, nullptr);
    tree->SetImage((folder / "models" / "3DBITMAPS" / "cvntree.bmp").string().c_str());
    tree->LoadBitmaps();
    tree->m_bShowOn2DPlan = 1;
    AddToLayout(tree);
    auto* camera = new CCamera(0, &Tool(), 3000.0, -10000.0);
    AddToLayout(camera);
    ASSERT_NE(house->m_hModel, nullptr);
    EXPECT_FALSE(house->m_footprint.empty());
    EXPECT_NE(tree->GetImage(), nullptr);
    EXPECT_NE(tree->GetMask(), nullptr);

    // A layout read names its library and parts files in capitals: compare from the first reading.
    const std::filesystem::path first = folder / "objects.cvn", second = folder / "again.cvn",
                                third = folder / "third.cvn";
    ASSERT_TRUE(layout->OnSaveDocument(first.string().c_str()));
    CDocument* reopened = app.OpenDocumentFile(first.string().c_str());
    ASSERT_NE(reopened, nullptr);
    ASSERT_TRUE(reopened->OnSaveDocument(second.string().c_str()));
    CDocument* again = app.OpenDocumentFile(second.string().c_str());
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(again->OnSaveDocument(third.string().c_str()));
    std::ifstream a(second, std::ios::binary), b(third, std::ios::binary);
    const std::string bytesA((std::istreambuf_iterator<char>(a)), {}),
        bytesB((std::istreambuf_iterator<char>(b)), {});
    ASSERT_EQ(bytesA.size(), bytesB.size());
    size_t differs = 0;
    while (differs < bytesA.size() && bytesA[differs] == bytesB[differs]) ++differs;
    EXPECT_EQ(differs, bytesA.size()) << bytesA.substr(differs > 40 ? differs - 40 : 0, 80);
    EXPECT_NE(bytesA.find("cvnhouse.rwx"), std::string::npos);
    EXPECT_NE(bytesA.find("cvntree.msk"), std::string::npos);
    EXPECT_NE(bytesA.find("CCamera"), std::string::npos);
    if (const CString path = TestPicturePath("objects3d.cvn"); !path.IsEmpty())
        std::filesystem::copy_file(first, path.c_str(), std::filesystem::copy_options::overwrite_existing);
}

// One right drag over a shape in the 3D view lifts it through several moves as one undo step;
// Undo puts its elevation, its model and its stored bytes back exactly. Neither a right click
// nor the lift updates the layout's other views: the plans repaint the object alone.
TEST_F(Objects3DProgram, ARightDragLiftsAShapeAsOneUndoStepThatPutsItBackExactly) {
    C3D* shape = AddShed(0.0);
    LookEastAt({25000.0, 22500.0}, 200.0);
    ASSERT_NE(shape->m_hModel, nullptr);
    const CPoint grab = FirstRedPixel();
    ASSERT_GE(grab.y, 0);
    const double elevation = shape->m_fElevation;
    const r3d::Box box = shape->m_hModel->Bounds();
    const std::string before = SavedBytes("before.cvn");
    const int steps = Tool().GetUndoCount();

    CountingView otherView;
    layout->AddView(&otherView);
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    view->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(1, 1));

    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(grab.x, grab.y));
    ASSERT_EQ(view->GetDriveMode(), C3DView::kLiftObject);
    for (int rise = 5; rise <= 20; rise += 5)
        view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(grab.x, grab.y - rise));
    view->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(grab.x, grab.y - 20));
    EXPECT_GT(shape->m_fElevation, elevation + 1.0);
    EXPECT_EQ(Tool().GetUndoCount(), steps + 1);
    EXPECT_EQ(otherView.updates, 0);
    EXPECT_TRUE(Tool().DirtyArea().IsEmpty());
    layout->RemoveView(&otherView);

    Tool().Undo();
    EXPECT_EQ(Tool().GetUndoCount(), steps);
    EXPECT_EQ(shape->m_fElevation, elevation);
    EXPECT_EQ(shape->m_hModel->Bounds().min.y, box.min.y);
    EXPECT_EQ(shape->m_hModel->Bounds().max.y, box.max.y);
    EXPECT_EQ(SavedBytes("after.cvn"), before);
}

// A move over the 3D view sets the status panes only when they showed another view's text.
TEST_F(Objects3DProgram, The3DViewSetsTheStatusPanesOnlyWhenTheyShowedAnotherText) {
    const CString own = CStringTable::Text(IDS_3D_VIEW);
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    CStatusBar& bar = Main().GetStatusBar();
    EXPECT_EQ(bar.GetPaneText(0), own);
    bar.SetPaneText(0, "kept");
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(bar.GetPaneText(0), CString("kept"));
    // Once the plan has shown its own status, the 3D view shows its text again.
    plan->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(bar.GetPaneText(0), own);
}

// Undo of a new elevation from the 3D bitmap's dialog puts its sprite back in the 3D view and
// its stored bytes back as they were, also with the 3D window closed: saving reads the
// elevation from the sprite.
TEST_F(Objects3DProgram, UndoOfA3DBitmapsDialogElevationPutsItsSpriteAndBytesBack) {
    CSprite* sprite = AddFir();
    ASSERT_NE(sprite, nullptr);
    ASSERT_NE(sprite->m_hModel, nullptr);
    const float lowest = sprite->m_hModel->Bounds().min.y;
    const std::string before = SavedBytes("before.cvn");
    const int steps = Tool().GetUndoCount();

    const auto raise = [&] {
        host.WhenModal("3D Bitmap properties", [](CWnd& modal) {
            modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText("100");
            modal.SendMessage(WM_COMMAND, IDOK);
        });
        return sprite->EditProperties(&sprite->m_parentPose);
    };
    ASSERT_EQ(raise(), 1);
    ASSERT_EQ(Tool().GetUndoCount(), steps + 1);
    ASSERT_GT(sprite->m_hModel->Bounds().min.y, lowest);

    Tool().Undo();
    host.RunUntilIdle();
    ASSERT_NE(sprite->m_hModel, nullptr);
    EXPECT_EQ(sprite->m_hModel->Bounds().min.y, lowest);
    EXPECT_EQ(SavedBytes("after.cvn"), before);

    // The same with the 3D window closed.
    view->GetParentFrame()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(raise(), 1);
    Tool().Undo();
    EXPECT_EQ(SavedBytes("closed.cvn"), before);
}

// Undo of a lift after the 3D window closed is what the layout saves: the model the closed
// window left behind does not speak for the elevation, and the window opened again shows the
// model where the elevation puts it.
TEST_F(Objects3DProgram, UndoOfALiftWithThe3DWindowClosedIsWhatTheLayoutSaves) {
    C3D* shape = AddShed(0.0);
    LookEastAt({25000.0, 22500.0}, 200.0);
    const CPoint grab = FirstRedPixel();
    ASSERT_GE(grab.y, 0);
    const std::string before = SavedBytes("before.cvn");
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(grab.x, grab.y));
    view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(grab.x, grab.y - 20));
    view->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(grab.x, grab.y - 20));
    ASSERT_GT(shape->m_fElevation, 1.0);

    view->GetParentFrame()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(layout->Get3DFrame(), nullptr);
    Tool().Undo();
    EXPECT_EQ(SavedBytes("undone.cvn"), before);

    Command(ID_SHOW_3D_VIEW);
    view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(shape->m_hModel, nullptr);
    EXPECT_NEAR(shape->m_hModel->Bounds().min.y * layout->m_f3DScaleDivisor, shape->m_fElevation, 1e-3);
    EXPECT_EQ(SavedBytes("reopened.cvn"), before);
}

// After the 3D window closed, a 3D bitmap's new elevation from its dialog and a 3D object
// placed on the base below it are what the layout saves, not the elevations their models had.
// With both selected the dialog's change keeps the former state of each; closing the layout
// frees them while the undo list is swept, which then runs to its end.
TEST_F(Objects3DProgram, ElevationsChangedAfterThe3DWindowClosedAreTheOnesSaved) {
    CSprite* sprite = AddFir();
    ASSERT_NE(sprite, nullptr);
    C3D* shape = AddShed(300.0);
    ASSERT_NE(sprite->m_hModel, nullptr);
    ASSERT_NE(shape->m_hModel, nullptr);
    view->GetParentFrame()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();

    host.WhenModal("3D Bitmap properties", [](CWnd& modal) {
        modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText("100");
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_EQ(sprite->EditProperties(&sprite->m_parentPose), 1);
    const double chosen = sprite->m_fElevation;
    ASSERT_GT(chosen, 1.0);
    Tool().DeselectAll(0, 0);
    shape->Select();
    Command(ID_CONFORM_TRACKS_TO_TERRAIN);
    ASSERT_EQ(shape->m_fElevation, 0.0);
    SavedBytes("changed.cvn");
    EXPECT_EQ(sprite->m_fElevation, chosen);
    EXPECT_EQ(shape->m_fElevation, 0.0);
    layout->OnCloseDocument();
    host.RunUntilIdle();
    EXPECT_EQ(ActiveLayout(), nullptr);
}

// The group dialog opens a member's own dialog with no placement: the new elevation moves the
// member's model too, so that saving and the dialog opened again keep it.
TEST_F(Objects3DProgram, AnElevationChosenFromTheGroupDialogIsKept) {
    CSprite* sprite = AddFir();
    ASSERT_NE(sprite, nullptr);
    C3D* shape = AddShed(0.0);
    const auto choose = [&](const char* caption, CPaint& object) {
        host.WhenModal(caption, [](CWnd& modal) {
            modal.GetDlgItem(IDC_3D_ELEVATION)->SetWindowText("2");
            modal.SendMessage(WM_COMMAND, IDOK);
        });
        EXPECT_EQ(object.Edit3DProperties(0), 1);
    };
    choose("3D Bitmap properties", *sprite);
    choose("3D Objects properties", *shape);
    const double spriteElevation = sprite->m_fElevation, shapeElevation = shape->m_fElevation;
    ASSERT_GT(spriteElevation, 1.0);
    ASSERT_GT(shapeElevation, 1.0);
    SavedBytes("chosen.cvn");
    EXPECT_NEAR(sprite->m_fElevation, spriteElevation, 1e-3);
    EXPECT_NEAR(shape->m_fElevation, shapeElevation, 1e-3);
}

// A 3D bitmap's dialog confirmed untouched from the group dialog, and the group dialog after
// it, leave the saved layout as it was and mark no change.
TEST_F(Objects3DProgram, AnUntouched3DBitmapDialogFromTheGroupDialogChangesNothing) {
    ASSERT_NE(AddFir(), nullptr);
    Main().MDIActivate(plan->GetParentFrame());
    host.RunUntilIdle();
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    const std::string before = SavedBytes("before.cvn");
    bool opened = false;
    host.WhenModal("Group properties", [&](CWnd& group) {
        host.WhenModal("3D Bitmap properties", [&](CWnd& bitmap) {
            opened = true;
            host.ClickClient(bitmap.GetDlgItem(IDOK), CPoint(3, 3));
        });
        host.ClickClient(group.GetDlgItem(IDC_GROUP_3D_PROPERTIES), CPoint(3, 3));
        host.ClickClient(group.GetDlgItem(IDOK), CPoint(3, 3));
    });
    Command(ID_EDIT_PROPERTIES);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(layout->IsModified());
    EXPECT_EQ(SavedBytes("after.cvn"), before);
}

// Once the 3D window closes, the first pane speaks of the plan again: the same text as a fresh
// look at the layout's status gives.
TEST_F(Objects3DProgram, Closing3DWindowGivesTheStatusBackToThePlan) {
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    CStatusBar& bar = Main().GetStatusBar();
    const CString own = CStringTable::Text(IDS_3D_VIEW);
    ASSERT_EQ(bar.GetPaneText(0), own);
    view->GetParentFrame()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_NE(bar.GetPaneText(0), own);
    const CString shown = bar.GetPaneText(0);
    Tool().UpdateStatus();
    EXPECT_EQ(bar.GetPaneText(0), shown);
}

// A right drag lifts a 3D bitmap as one undo step too; Undo puts its sprite and bytes back.
TEST_F(Objects3DProgram, ARightDragLiftsA3DBitmapAsOneUndoStepThatPutsItBack) {
    CSprite* sprite = AddFir();
    ASSERT_NE(sprite, nullptr);
    LookEastAt({11000.0, 10000.0}, 200.0);
    const CPoint grab = FirstGreenPixel() + CPoint(0, 2);
    ASSERT_GE(grab.y, 2);
    const float lowest = sprite->m_hModel->Bounds().min.y;
    const std::string before = SavedBytes("before.cvn");
    const int steps = Tool().GetUndoCount();
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(grab.x, grab.y));
    ASSERT_EQ(view->GetDriveMode(), C3DView::kLiftObject);
    for (int rise = 5; rise <= 20; rise += 5)
        view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(grab.x, grab.y - rise));
    view->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(grab.x, grab.y - 20));
    EXPECT_GT(sprite->m_fElevation, 1.0);
    EXPECT_EQ(Tool().GetUndoCount(), steps + 1);
    Tool().Undo();
    EXPECT_EQ(sprite->m_hModel->Bounds().min.y, lowest);
    EXPECT_EQ(SavedBytes("after.cvn"), before);
}
