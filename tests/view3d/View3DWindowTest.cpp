#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "model/CDataFolders.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTerrainSurface.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/BmpRaster.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CPrintInfo.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/support/PdfPages.h"
#include "view3d/C3DChildFrame.h"
#include "view3d/C3DView.h"
#include "view3d/PickRay.h"

namespace {

constexpr float kNear = 1e-4f;

void ExpectNear(const r3d::Vec3& actual, const r3d::Vec3& expected, float tolerance = kNear) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A layout object whose model is a box standing at a given place; it counts what the 3D view
// asks of it.
class CModelStandIn : public CPaint, public CTerrainSurface {
  public:
    CModelStandIn(CTool* tool, int tag, const r3d::Vec3& at) : CPaint(FALSE, tool, 0, 0), tag(tag), at(at) {
        m_hModel = Build3D(nullptr);
    }
    std::unique_ptr<r3d::Clump> Build3D(const CPose*) override {
        ++builds;
        r3d::ClumpBuilder builder;
        builder.SetTag(tag);
        builder.AddBlock({0.5f, 0.5f, 0.5f});
        std::unique_ptr<r3d::Clump> model = builder.Finish();
        model->Transform(r3d::Matrix::Translation(at), r3d::Combine::Replace);
        return model;
    }
    int ApplyHeightStep(CEditStep* step) override {
        if (auto* height = step->GetPayload<HeightPayload>())
            elevation = height->value;
        return 1;
    }
    int EditProperties(const CPose*) override {
        ++propertiesRuns;
        return 1;
    }
    void ClearCuts() override { ++cutsCleared; }
    void SetRebuild(int rebuild) override { this->rebuild = rebuild; }

    int tag;
    r3d::Vec3 at;
    int builds = 0;
    double elevation = -1.0;
    int propertiesRuns = 0;
    int cutsCleared = 0;
    int rebuild = 0;
};

class View3DWindow : public LayoutInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LayoutInProgram::SetUp());
        ASSERT_TRUE(IsEnabled(ID_SHOW_3D_VIEW));
        Command(ID_SHOW_3D_VIEW);
        view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->GetCamera(), nullptr);
    }
    // Sizes the view so that its client area is width x height.
    void SizeClient(int width, int height) {
        CRect window;
        CRect client;
        view->GetWindowRect(&window);
        view->GetClientRect(&client);
        const int borderX = window.Width() - client.Width();
        const int borderY = window.Height() - client.Height();
        view->MoveWindow(0, 0, width + borderX, height + borderY);
        host.RunUntilIdle();
    }
    // The ground fills the bottom of a 400 x 200 picture, plain blue sky the top.
    void LookDownFromTheFrontUnderABlueSky() {
        SizeClient(400, 200);
        layout->m_cr3DBackground = RGB(0, 0, 255);
        layout->m_bUseBackdrop = 0;
        Command(ID_VIEW_FRONT);
        Command(ID_CAMERA_LOOK_DOWN);
    }
    r3d::Camera& Camera() { return *view->GetCamera(); }
    // A camera set up as the view sets up its own after a reset.
    static void SetUpAsView(r3d::Camera& camera) {
        camera.Reset();
        camera.MoveBy({0.0f, 1.0f, 8.0f});
        camera.LookAt({0.0f, 1.0f, 0.0f});
    }
    void ExpectSameCamera(const r3d::Camera& expected) {
        ExpectNear(Camera().Position(), expected.Position());
        ExpectNear(Camera().Forward(), expected.Forward());
        ExpectNear(Camera().Up(), expected.Up());
    }
    LPARAM At(CPoint p) { return MAKELPARAM(p.x, p.y); }
    CPoint ClientCentre() {
        CRect client;
        view->GetClientRect(&client);
        return client.CenterPoint();
    }

    C3DView* view = nullptr;
};

}  // namespace

TEST_F(View3DWindow, OpensThroughTheTemplateSwapsTheToolBarsAndClosesCleanly) {
    CMDIChildWnd* frame = Main().MDIGetActive();
    EXPECT_NE(dynamic_cast<C3DChildFrame*>(frame), nullptr);
    EXPECT_EQ(layout->Get3DFrame(), frame);
    EXPECT_TRUE(Main().GetCameraToolBar().IsWindowVisible());
    EXPECT_FALSE(Main().GetToolsToolBar().IsWindowVisible());
    ASSERT_NE(view->GetMarker(), nullptr);
    EXPECT_EQ(view->GetMarker()->Tag(), C3DView::kMarkerTag);
    EXPECT_EQ(view->GetMarker()->InScene(), layout->GetScene());

    // A second "3D View" brings the same window back instead of opening another.
    Command(ID_SHOW_3D_VIEW);
    EXPECT_EQ(layout->Get3DFrame(), frame);

    frame->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_EQ(layout->Get3DFrame(), nullptr);
    EXPECT_TRUE(Main().GetToolsToolBar().IsWindowVisible());
    EXPECT_FALSE(Main().GetCameraToolBar().IsWindowVisible());
}

TEST_F(View3DWindow, TheMarkerStartsFromWhereItWasBuiltEachTimeTheViewComesToTheFront) {
    r3d::Clump& marker = *view->GetMarker();
    const r3d::Box built = marker.Bounds();
    marker.Transform(r3d::Matrix::Translation({2.0f, 0.5f, -3.0f}), r3d::Combine::After);
    ExpectNear(marker.Position(), {2.0f, 0.5f, -3.0f});
    CMDIChildWnd* frame3D = Main().MDIGetActive();
    Main().MDINext();
    host.RunUntilIdle();
    ASSERT_NE(Main().MDIGetActive(), frame3D);
    // Another window in front leaves the marker where it is.
    ExpectNear(marker.Position(), {2.0f, 0.5f, -3.0f});
    Main().MDIActivate(frame3D);
    host.RunUntilIdle();
    ASSERT_EQ(Main().MDIGetActive(), frame3D);
    ExpectNear(marker.Position(), {0.0f, 0.0f, 0.0f});
    ExpectNear(marker.Bounds().min, built.min);
    ExpectNear(marker.Bounds().max, built.max);
    EXPECT_EQ(marker.InScene(), layout->GetScene());
}

TEST_F(View3DWindow, TheLargerWindowSideSpansTheViewWindow) {
    SizeClient(400, 200);
    EXPECT_EQ(Camera().Viewport(), (r3d::Rect{0, 0, 400, 200}));
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 0.8f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.4f);
    view->SetupCamera();
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 0.8f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.4f);

    SizeClient(300, 300);
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 0.8f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.8f);

    // A zero-sized client leaves the viewport as it was.
    SizeClient(0, 0);
    EXPECT_EQ(Camera().Viewport(), (r3d::Rect{0, 0, 300, 300}));

    // An aimed camera takes the object's angle of view; a resize returns to the default window.
    SizeClient(400, 200);
    const CameraAim aim{16000.0, -16000.0, 1000.0, 0.0, std::atan(0.5)};
    view->SetCameraFromObject(&aim);
    const double scale = layout->m_f3DScaleDivisor;
    ExpectNear(Camera().Position(),
               {static_cast<float>(16000.0 / scale - 8.0), static_cast<float>(1000.0 / scale),
                static_cast<float>(16000.0 / scale - 8.0)});
    ExpectNear(Camera().Forward(), {1.0f, 0.0f, 0.0f});
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 1.0f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.5f);
    SizeClient(200, 400);
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 0.4f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.8f);
}

TEST_F(View3DWindow, CameraCommandsByIdAndByKeyMoveTheCameraAsTheTableSays) {
    struct Case {
        UINT id;
        UINT key;
        UINT modifier;
        std::function<void(r3d::Camera&)> operation;
    };
    const std::vector<Case> cases = {
        {ID_CAMERA_LOOK_DOWN, VK_DOWN, VK_CONTROL, [](r3d::Camera& c) { c.Tilt(2.0f); }},
        {ID_CAMERA_LOOK_UP, VK_UP, VK_CONTROL, [](r3d::Camera& c) { c.Tilt(-2.0f); }},
        {ID_CAMERA_TILT_LEFT, VK_LEFT, VK_CONTROL, [](r3d::Camera& c) { c.Roll(-2.0f); }},
        {ID_CAMERA_TILT_RIGHT, VK_RIGHT, VK_CONTROL, [](r3d::Camera& c) { c.Roll(2.0f); }},
        {ID_CAMERA_TURN_LEFT, VK_LEFT, 0, [](r3d::Camera& c) { c.Turn(2.0f); }},
        {ID_CAMERA_TURN_RIGHT, VK_RIGHT, 0, [](r3d::Camera& c) { c.Turn(-2.0f); }},
        {ID_CAMERA_MOVE_UP, VK_UP, VK_SHIFT,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({0, 0.1f, 0});
         }},
        {ID_CAMERA_MOVE_DOWN, VK_DOWN, VK_SHIFT,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({0, -0.1f, 0});
         }},
        {ID_CAMERA_MOVE_LEFT, VK_LEFT, VK_SHIFT,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({-0.1f, 0, 0});
         }},
        {ID_CAMERA_MOVE_RIGHT, VK_RIGHT, VK_SHIFT,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({0.1f, 0, 0});
         }},
        {ID_CAMERA_MOVE_FORWARD, VK_UP, 0,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({0, 0, 0.25f});
         }},
        {ID_CAMERA_MOVE_BACKWARD, VK_DOWN, 0,
         [](r3d::Camera& c) {
             c.MoveAlongAxes({0, 0, -0.25f});
         }},
    };
    r3d::Camera expected(16, 16);
    SetUpAsView(expected);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        c.operation(expected);
        Command(c.id);
        ExpectSameCamera(expected);

        c.operation(expected);
        if (c.modifier != 0)
            host.KeyDown(c.modifier);
        host.PressKey(c.key);
        if (c.modifier != 0)
            host.KeyUp(c.modifier);
        host.RunUntilIdle();
        ExpectSameCamera(expected);
    }

    // Page Up and Down lift and lower; Home and "Reset Camera" go back to the stored place.
    host.PressKey(VK_PRIOR);
    host.RunUntilIdle();
    expected.MoveAlongAxes({0, 0.1f, 0});
    ExpectSameCamera(expected);
    host.PressKey(VK_HOME);
    host.RunUntilIdle();
    ExpectNear(Camera().Position(), {0.0f, 1.0f, 8.0f});
    ExpectNear(Camera().Forward(), {0.0f, 0.0f, -1.0f});
    Command(ID_CAMERA_MOVE_FORWARD);
    Command(ID_CAMERA_RESET);
    ExpectNear(Camera().Position(), {0.0f, 1.0f, 8.0f});
}

TEST_F(View3DWindow, PresetViewsFitTheSceneAndResetReturnsToThem) {
    SizeClient(400, 200);
    // The ground plane spans the page: x from -8, z up to -8, flat at height 0.
    r3d::Box box;
    layout->GetScene()->ForEachClump([&box](r3d::Clump& clump) { box.Extend(clump.Bounds()); });
    const r3d::Vec3 c = box.Centre();
    const r3d::Vec3 extent = box.max - box.min;

    Command(ID_VIEW_BIRDS_EYE);
    const float bird = std::min(extent.z / 0.4f, extent.x / 0.8f);
    ExpectNear(Camera().Position(), {c.x, box.max.y + bird, c.z}, 1e-3f);
    ExpectNear(Camera().Forward(), {0.0f, -1.0f, 0.0f});
    EXPECT_NEAR(view->GetCameraDistance(), bird, 1e-3f);

    Command(ID_VIEW_FRONT);
    const float front = std::min(extent.y / 0.4f, extent.x / 0.8f);
    ExpectNear(Camera().Position(), {c.x, 1.0f, box.max.z + front}, 1e-3f);
    Command(ID_VIEW_BACK);
    ExpectNear(Camera().Position(), {c.x, 1.0f, box.min.z - front}, 1e-3f);
    Command(ID_VIEW_LEFT_SIDE);
    const float side = std::min(extent.z / 0.8f, extent.y / 0.4f);
    ExpectNear(Camera().Position(), {box.min.x - side, 1.0f, c.z}, 1e-3f);
    Command(ID_VIEW_RIGHT_SIDE);
    ExpectNear(Camera().Position(), {box.max.x + side, 1.0f, c.z}, 1e-3f);
    ExpectNear(Camera().Forward(), {-1.0f, 0.0f, 0.0f});

    Command(ID_CAMERA_TURN_LEFT);
    Command(ID_CAMERA_RESET);
    ExpectNear(Camera().Position(), {box.max.x + side, 1.0f, c.z}, 1e-3f);
    ExpectNear(Camera().Forward(), {-1.0f, 0.0f, 0.0f});
}

TEST_F(View3DWindow, TheMouseDriveTurnsTowardsTheMouseAndRunsOnTheVirtualClock) {
    SizeClient(400, 200);
    const CPoint centre = ClientCentre();
    CRect window;
    view->GetWindowRect(&window);
    // The drive measures from the window's centre on the screen.
    const CPoint windowCentre = window.CenterPoint();
    CPoint screenCentre = centre;
    view->ClientToScreen(&screenCentre);
    const CSize offset = windowCentre - screenCentre;

    const r3d::Vec3 start = Camera().Position();
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(centre + offset));
    EXPECT_EQ(view->GetDriveMode(), C3DView::kDrive);
    EXPECT_EQ(view->GetDriveTimer(), C3DView::kDriveTimerId);
    host.AdvanceClock(10 * C3DView::kDrivePeriod);
    // At the centre the camera stands still, but the timer keeps running.
    ExpectNear(Camera().Position(), start);
    ExpectNear(Camera().Forward(), {0.0f, 0.0f, -1.0f});
    EXPECT_EQ(view->GetDriveTimer(), C3DView::kDriveTimerId);

    // Left of and above the centre: the camera turns left and runs forward.
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(centre + offset - CSize(100, 50)));
    host.AdvanceClock(C3DView::kDrivePeriod);
    // A tick turns by 100 x 0.01 = 1 degree and then runs 50 x 0.002 = 0.1 along the new heading.
    const r3d::Vec3 forward = Camera().Forward();
    EXPECT_NEAR(std::atan2(-forward.x, -forward.z) * 180.0 / 3.1415926535, 1.0, 1e-3);
    const float oneDegree = 3.1415926535f / 180.0f;
    ExpectNear(forward, {-std::sin(oneDegree), 0.0f, -std::cos(oneDegree)});
    ExpectNear(Camera().Position() - start, {-0.1f * std::sin(oneDegree), 0.0f, -0.1f * std::cos(oneDegree)});

    host.AdvanceClock(9 * C3DView::kDrivePeriod);
    const r3d::Vec3 later = Camera().Forward();
    EXPECT_NEAR(std::atan2(-later.x, -later.z) * 180.0 / 3.1415926535, 10.0, 1e-3);

    view->SendMessage(WM_LBUTTONUP, 0, At(centre));
    EXPECT_EQ(view->GetDriveMode(), C3DView::kIdle);
    EXPECT_EQ(view->GetDriveTimer(), 0u);
    const r3d::Vec3 stopped = Camera().Position();
    host.AdvanceClock(10 * C3DView::kDrivePeriod);
    ExpectNear(Camera().Position(), stopped);

    // Shift+drag lifts the camera by 0.02 a pixel.
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(centre));
    EXPECT_EQ(view->GetDriveMode(), C3DView::kLiftCamera);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, At(centre - CSize(0, 10)));
    EXPECT_NEAR(Camera().Position().y - stopped.y, 0.2f, 1e-4f);
    view->SendMessage(WM_LBUTTONUP, 0, At(centre));
}

TEST_F(View3DWindow, TheCentreRayPassesTheLookAtPointAndTheBackdropTurnsWithTheCamera) {
    SizeClient(400, 200);
    const PickRay ray = MakePickRay(Camera(), 200, 100);
    ExpectNear(ray.origin, {0.0f, 1.0f, 8.0f});
    float t = 0.0f;
    ASSERT_TRUE(IntersectRayPlane(ray, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, t));
    // Pixel (200, 100) sits just below the middle: (200 - 100 - 1) x 0.4 / 200 - 0.2 = -0.002
    // a unit, so eight units ahead the ray is 0.016 below the look-at point.
    ExpectNear(ray.origin + ray.direction * t, {0.0f, 1.0f - 8.0f * 0.002f, 0.0f});
    // The corner pixel's ray runs through the view window's corner at distance 1.
    const PickRay corner = MakePickRay(Camera(), 0, 199);
    ExpectNear(corner.direction, {-0.4f, -0.2f, -1.0f});
    EXPECT_FALSE(IntersectRayPlane(ray, {0.0f, 1.0f, 0.0f}, {}, t) && ray.direction.y == 0.0f);

    EXPECT_EQ(C3DView::BackdropOffset(1024, {0.0f, 0.0f, 1.0f}), 0);
    EXPECT_EQ(C3DView::BackdropOffset(1024, {-1.0f, 0.0f, 0.0f}), -768);
    EXPECT_EQ(C3DView::BackdropOffset(1024, {1.0f, 0.5f, 0.0f}), -256);
}

TEST_F(View3DWindow, DarkenAndLightenStepTheLightWithinItsRange) {
    layout->m_fLightBrightness = 0.02f;
    Command(ID_DARKEN);
    EXPECT_FLOAT_EQ(layout->m_fLightBrightness, 0.0f);
    EXPECT_FLOAT_EQ(layout->GetLight()->Brightness(), 0.0f);
    EXPECT_FALSE(IsEnabled(ID_DARKEN));
    EXPECT_TRUE(IsEnabled(ID_LIGHTEN));
    layout->m_fLightBrightness = 0.98f;
    Command(ID_LIGHTEN);
    EXPECT_FLOAT_EQ(layout->m_fLightBrightness, 1.0f);
    EXPECT_FALSE(IsEnabled(ID_LIGHTEN));
}

TEST_F(View3DWindow, ARightDragLiftsAGroupedObjectAndACtrlClickEditsTerrain) {
    SizeClient(400, 200);
    CTool* tool = &layout->m_tool;
    auto* lifted = new CModelStandIn(tool, 101, {0.0f, 1.0f, 0.0f});
    auto* group = new CGroup;
    group->m_members.push_back(lifted);
    layout->m_rootGroup.m_members.push_front(group);
    layout->GetScene()->Add(*lifted->m_hModel);
    layout->SetModifiedFlag(FALSE);

    const CPoint centre = ClientCentre();
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(centre));
    ASSERT_EQ(view->GetDriveMode(), C3DView::kLiftObject);
    view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(centre - CSize(0, 20)));
    // The ray through row 80 of 200 (view window 0.4 high at distance 1) climbs
    // (200 - 80 - 1) x 0.4 / 200 - 0.2 = 0.038 a unit; the plane through the box's centre
    // facing the camera lies 8 units ahead, so the centre rises from 1 to 1 + 8 x 0.038 = 1.304
    // and the box's bottom from 0.75 to 1.054.
    const float bottom = lifted->m_hModel->Bounds().min.y;
    EXPECT_NEAR(bottom, 1.054f, 1e-5f);
    EXPECT_NEAR(lifted->elevation, 1.054 * layout->m_f3DScaleDivisor, 1e-5 * layout->m_f3DScaleDivisor);
    EXPECT_TRUE(layout->IsModified());
    view->SendMessage(WM_RBUTTONUP, 0, At(centre));
    EXPECT_EQ(view->GetDriveMode(), C3DView::kIdle);

    // A model that no layout object owns is lifted, but nothing is written.
    lifted->m_hModel->RemoveFromScene();
    CModelStandIn orphan(tool, 104, {0.0f, 1.0f, 0.0f});
    layout->GetScene()->Add(*orphan.m_hModel);
    layout->SetModifiedFlag(FALSE);
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(centre));
    view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(centre - CSize(0, 20)));
    EXPECT_FALSE(layout->IsModified());
    view->SendMessage(WM_RBUTTONUP, 0, At(centre));
    orphan.m_hModel->RemoveFromScene();

    // Ctrl+click on a terrain's model clears its cuts, edits it and rebuilds it.
    auto* terrain = new CModelStandIn(tool, 32002, {0.0f, 1.0f, 0.0f});
    group->m_members.push_back(terrain);
    layout->GetScene()->Add(*terrain->m_hModel);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(centre));
    EXPECT_EQ(terrain->cutsCleared, 1);
    EXPECT_EQ(terrain->propertiesRuns, 1);
    EXPECT_EQ(terrain->rebuild, 1);
    EXPECT_EQ(terrain->builds, 2);
    ASSERT_NE(terrain->m_hModel, nullptr);
    EXPECT_EQ(terrain->m_hModel->InScene(), layout->GetScene());
    EXPECT_EQ(view->GetDriveMode(), C3DView::kIdle);
    // Ctrl+click on a model of another kind does nothing.
    terrain->m_hModel->SetTag(103);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(centre));
    EXPECT_EQ(terrain->propertiesRuns, 1);
}

TEST_F(View3DWindow, TheSceneIsRenderedSavedAsABitmapAndPrintedOnOnePage) {
    LookDownFromTheFrontUnderABlueSky();
    view->UpdateWindow();
    const r3d::Raster& picture = Camera().Picture();
    ASSERT_EQ(picture.Width(), 400);
    ASSERT_EQ(picture.Height(), 200);
    // Sky above, the ground plane below.
    EXPECT_EQ(picture.Pixel(200, 2), (r3d::Raster::Rgb{0, 0, 255}));
    EXPECT_NE(picture.Pixel(200, 197), (r3d::Raster::Rgb{0, 0, 255}));

    const std::filesystem::path saved = folder / "view.bmp";
    host.WhenModal("Save", [&](CWnd&) {
        host.Type(saved.c_str());
        host.PressKey(VK_RETURN);
    });
    // The working folder is the program folder again afterwards, wherever it was.
    std::filesystem::current_path(folder.Path());
    Command(ID_SAVE_3D_VIEW);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(),
                                            CWinPath::Resolve(CDataFolders::GetBaseFolder().c_str())));
    const std::optional<r3d::Raster> read = r3d::ReadBmpRaster(saved);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->Width(), 400);
    ASSERT_EQ(read->Height(), 200);
    EXPECT_EQ(read->Pixel(200, 2), picture.Pixel(200, 2));
    EXPECT_EQ(read->Pixel(200, 197), picture.Pixel(200, 197));

    const CString pdf = (folder / "view.pdf").c_str();
    UINT offered = 0;
    AfxSetPrintPrompt([&](CPrintInfo& info) {
        offered = info.GetMaxPage();
        info.m_strOutput = pdf;
        info.m_nDpi = 100;
        return TRUE;
    });
    Command(ID_PRINT_3D_VIEW);
    AfxSetPrintPrompt(nullptr);
    EXPECT_EQ(offered, 1u);
    EXPECT_EQ(CountPdfPages(pdf.c_str()), 1);
}

namespace {

// A 24-bit .bmp of one colour.
void WriteBitmap(const std::filesystem::path& path, int width, int height, r3d::Raster::Rgb colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const int imageBytes = rowBytes * height;
    std::vector<unsigned char> file(54 + imageBytes, 0);
    auto put32 = [&file](int at, int value) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<int>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    file[26] = 1;
    file[28] = 24;
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = &file[54 + y * rowBytes + x * 3];
            pixel[0] = colour.b;
            pixel[1] = colour.g;
            pixel[2] = colour.r;
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

}  // namespace

TEST_F(View3DWindow, TheGroundIsItsTextureOrDarkGreenLitByTheSunFromAbove) {
    LookDownFromTheFrontUnderABlueSky();
    // The top face takes 0.2 of the ambient light and 0.4 of the sun, which shines along
    // (1, -1, -1) at brightness 1.0 and so meets the level ground at cos = 1 / sqrt(3).
    const double lit = 0.2 * layout->GetScene()->AmbientLight() + 0.4 * 1.0 / std::sqrt(3.0);
    const auto expectGround = [&](double red, double green, double blue) {
        view->Invalidate(FALSE);
        view->UpdateWindow();
        const r3d::Raster::Rgb pixel = Camera().Picture().Pixel(200, 197);
        // One step of eight-bit rounding either way.
        EXPECT_NEAR(pixel.r, red * lit, 1.0);
        EXPECT_NEAR(pixel.g, green * lit, 1.0);
        EXPECT_NEAR(pixel.b, blue * lit, 1.0);
    };

    const std::filesystem::path grass = folder / "grass.bmp";
    WriteBitmap(grass, 8, 8, {200, 100, 50});
    layout->m_strBenchworkTexture = grass.c_str();
    layout->RefreshGroundPlane();
    expectGround(200.0, 100.0, 50.0);

    // Without its texture the top face shows its own colour, (0.0, 0.2, 0.0).
    layout->m_strBenchworkTexture = (folder / "missing.bmp").c_str();
    layout->RefreshGroundPlane();
    expectGround(0.0, 0.2 * 255.0, 0.0);
}

TEST_F(View3DWindow, TheBackdropFollowsTheLayoutsSettingAndAFailedLoadKeepsTheOldOne) {
    SizeClient(400, 200);
    const std::filesystem::path sky = folder / "sky.bmp";
    WriteBitmap(sky, 64, 28, {255, 0, 0});
    layout->m_cr3DBackground = RGB(0, 0, 255);
    layout->m_bUseBackdrop = 1;
    layout->m_strBackdrop = sky.c_str();
    view->SyncBackdrop();
    ASSERT_NE(Camera().Backdrop(), nullptr);
    EXPECT_EQ(Camera().Backdrop()->Width(), 64);
    EXPECT_EQ(view->GetBackdropName(), CString(sky.c_str()));

    // Looking level, the panorama's band stands 5/7 of its height above the middle row.
    view->Invalidate(FALSE);
    view->UpdateWindow();
    EXPECT_EQ(Camera().BackdropRect(), (r3d::Rect{0, 100 - 20, 400, 28}));
    EXPECT_EQ(Camera().Picture().Pixel(200, 90), (r3d::Raster::Rgb{255, 0, 0}));
    EXPECT_EQ(Camera().Picture().Pixel(200, 2), (r3d::Raster::Rgb{0, 0, 255}));

    // Off drops the picture but keeps the name; on again loads the file anew.
    layout->m_bUseBackdrop = 0;
    view->SyncBackdrop();
    EXPECT_EQ(Camera().Backdrop(), nullptr);
    EXPECT_EQ(view->GetBackdropName(), CString(sky.c_str()));
    layout->m_bUseBackdrop = 1;
    view->SyncBackdrop();
    ASSERT_NE(Camera().Backdrop(), nullptr);

    // A backdrop that cannot be loaded leaves the old one.
    layout->m_strBackdrop = (folder / "missing.bmp").c_str();
    view->SyncBackdrop();
    ASSERT_NE(Camera().Backdrop(), nullptr);
    EXPECT_EQ(Camera().Backdrop()->Width(), 64);
    EXPECT_EQ(view->GetBackdropName(), CString(sky.c_str()));
}

TEST_F(View3DWindow, ThePanoramaRisesAndSinksWithTheTiltAndTheBackgroundShowsAroundIt) {
    SizeClient(400, 200);
    const std::filesystem::path sky = folder / "sky.bmp";
    WriteBitmap(sky, 64, 28, {255, 0, 0});
    layout->m_cr3DBackground = RGB(0, 0, 255);
    layout->m_bUseBackdrop = 1;
    layout->m_strBackdrop = sky.c_str();
    const auto row = [&](int y) { return Camera().Picture().Pixel(200, y); };
    const r3d::Raster::Rgb panorama{255, 0, 0};
    const r3d::Raster::Rgb background{0, 0, 255};

    // Two degrees up, the band's top row is (int)((int)(100 + 1.5 x sin 2 x 100) - 28 x 5 / 7) = 85.
    // The ground's far edge, 16 units ahead and 1 below, lies 3.58 degrees under the level, so
    // 5.58 under the middle, about row 149: the background shows above the band and between the
    // band and the ground.
    Command(ID_CAMERA_LOOK_UP);
    EXPECT_EQ(Camera().BackdropRect(), (r3d::Rect{0, 85, 400, 28}));
    EXPECT_EQ(row(84), background);
    EXPECT_EQ(row(85), panorama);
    EXPECT_EQ(row(112), panorama);
    EXPECT_EQ(row(113), background);
    EXPECT_EQ(row(145), background);
    EXPECT_NE(row(155), background);

    // Two degrees down the band starts at (int)((int)(100 - 5.23) - 20) = 74, and the ground's
    // edge rises to 1.58 degrees under the middle, about row 114.
    Command(ID_CAMERA_LOOK_DOWN);
    Command(ID_CAMERA_LOOK_DOWN);
    EXPECT_EQ(Camera().BackdropRect(), (r3d::Rect{0, 74, 400, 28}));
    EXPECT_EQ(row(73), background);
    EXPECT_EQ(row(74), panorama);
    EXPECT_EQ(row(101), panorama);
    EXPECT_EQ(row(102), background);
    EXPECT_EQ(row(110), background);
    EXPECT_NE(row(120), background);
    EXPECT_NE(row(120), panorama);
}

TEST_F(View3DWindow, ModelsRebuiltByOneCommandAreRenderedOnceWhenItEnds) {
    host.RunUntilIdle();
    const int before = view->GetRenderCount();
    std::vector<std::unique_ptr<CModelStandIn>> objects;
    for (int i = 0; i < 20; ++i) {
        objects.push_back(
            std::make_unique<CModelStandIn>(&layout->m_tool, 101, r3d::Vec3{0.1f * i, 0.0f, 0.0f}));
        const CPose pose;
        EXPECT_EQ(objects.back()->Update3D(&pose), 1);
    }
    EXPECT_EQ(view->GetRenderCount(), before);
    host.RunUntilIdle();
    EXPECT_EQ(view->GetRenderCount(), before + 1);
    EXPECT_EQ(objects.front()->m_hModel->InScene(), layout->GetScene());

    // A camera command renders at once.
    Command(ID_CAMERA_TURN_LEFT);
    EXPECT_EQ(view->GetRenderCount(), before + 2);
}

namespace {

// The pixels of a window's place in its top-level window's picture.
std::vector<std::uint32_t> PixelsOf(CWnd* window) {
    CRect place, top;
    window->GetWindowRect(&place);
    window->GetTopLevelParent()->GetWindowRect(&top);
    place.OffsetRect(-top.left, -top.top);
    const PixelSurface& surface = *window->GetTopLevelParent()->Surface();
    std::vector<std::uint32_t> pixels;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x) pixels.push_back(surface.At(x, y));
    return pixels;
}

// Has a window and everything in it painted afresh.
void InvalidateEverything(CWnd* window) {
    window->SendMessage(WM_NCPAINT);
    window->Invalidate(TRUE);
    for (CWnd* child : window->Children()) InvalidateEverything(child);
}

}  // namespace

TEST_F(View3DWindow, ThePlanWindowActivatedOverThe3DViewShowsItsOwnPixels) {
    CMDIChildWnd* frame3D = Main().MDIGetActive();
    CMDIChildWnd* plan = nullptr;
    for (CMDIChildWnd* child : Main().MDIChildren())
        if (child != frame3D)
            plan = child;
    ASSERT_NE(plan, nullptr);
    ASSERT_FALSE(plan->IsZoomed());
    // The 3D view opens cascaded over the plan.
    CRect planPlace, place3D, overlap;
    plan->GetWindowRect(&planPlace);
    frame3D->GetWindowRect(&place3D);
    ASSERT_TRUE(overlap.IntersectRect(&planPlace, &place3D));
    const std::vector<std::uint32_t> covered = PixelsOf(plan);

    host.Click(CPoint(planPlace.left + 60, planPlace.top + 8));
    ASSERT_EQ(Main().MDIGetActive(), plan);
    const std::vector<std::uint32_t> shown = PixelsOf(plan);
    EXPECT_NE(shown, covered);
    InvalidateEverything(plan);
    host.RunUntilIdle();
    EXPECT_EQ(PixelsOf(plan), shown);

    // The 3D view rendering below, as its camera moves, draws only the part of it that still
    // shows: its right edge beyond the plan.
    layout->m_cr3DBackground = RGB(0, 0, 255);
    layout->m_bUseBackdrop = 0;
    view->SendMessage(WM_COMMAND, ID_CAMERA_TURN_LEFT);
    EXPECT_EQ(PixelsOf(plan), shown);
    CRect client;
    view->GetClientRect(&client);
    CPoint skyAtTheEdge(client.right - 2, 2);
    view->ClientToScreen(&skyAtTheEdge);
    CRect main;
    Main().GetWindowRect(&main);
    ASSERT_GE(skyAtTheEdge.x, planPlace.right);
    EXPECT_EQ(Main().Surface()->At(skyAtTheEdge.x - main.left, skyAtTheEdge.y - main.top), 0x0000FFu);
}

namespace {

// How much of the viewport the near face of the scene's box spans along the two axes the
// camera sees: the across span over the viewport width and the up span over its height.
struct Spans {
    float across;
    float up;
};

Spans NearFaceSpans(const r3d::Camera& camera, const r3d::Box& box, UINT preset) {
    const r3d::Vec3 c = box.Centre();
    const r3d::Vec3 lo = box.min;
    const r3d::Vec3 hi = box.max;
    struct Edges {
        r3d::Vec3 acrossFrom, acrossTo, upFrom, upTo;
    };
    const auto nearFace = [&]() -> Edges {
        switch (preset) {
            case ID_VIEW_BIRDS_EYE:
                return {{lo.x, hi.y, c.z}, {hi.x, hi.y, c.z}, {c.x, hi.y, lo.z}, {c.x, hi.y, hi.z}};
            case ID_VIEW_FRONT:
                return {{lo.x, c.y, hi.z}, {hi.x, c.y, hi.z}, {c.x, lo.y, hi.z}, {c.x, hi.y, hi.z}};
            case ID_VIEW_BACK:
                return {{lo.x, c.y, lo.z}, {hi.x, c.y, lo.z}, {c.x, lo.y, lo.z}, {c.x, hi.y, lo.z}};
            case ID_VIEW_LEFT_SIDE:
                return {{lo.x, c.y, lo.z}, {lo.x, c.y, hi.z}, {lo.x, lo.y, c.z}, {lo.x, hi.y, c.z}};
            default:
                return {{hi.x, c.y, lo.z}, {hi.x, c.y, hi.z}, {hi.x, lo.y, c.z}, {hi.x, hi.y, c.z}};
        }
    }();
    const auto pixel = [&camera](const r3d::Vec3& world) {
        const std::optional<r3d::Vec3> projected = camera.Project(world);
        EXPECT_TRUE(projected.has_value());
        return projected.value_or(r3d::Vec3{});
    };
    const r3d::Rect& viewport = camera.Viewport();
    return {std::fabs(pixel(nearFace.acrossTo).x - pixel(nearFace.acrossFrom).x) / viewport.width,
            std::fabs(pixel(nearFace.upTo).y - pixel(nearFace.upFrom).y) / viewport.height};
}

}  // namespace

TEST_F(View3DWindow, PresetViewsAndResetCameraFitTheShorterSideAfterEveryResize) {
    // A layout twice as long as wide and twice as wide as high, standing at the height the
    // preset views look at, alone in the scene but for the small marker inside it.
    layout->RemoveGroundPlane();
    r3d::ClumpBuilder builder;
    builder.SetColor(1.0f, 1.0f, 1.0f);
    builder.AddBlock({16.0f, 4.0f, 8.0f});
    std::unique_ptr<r3d::Clump> block = builder.Finish();
    block->Transform(r3d::Matrix::Translation({1.0f, 1.0f, -2.0f}), r3d::Combine::Replace);
    ASSERT_TRUE(layout->GetScene()->Add(*block));
    r3d::Box box;
    layout->GetScene()->ForEachClump([&box](r3d::Clump& clump) { box.Extend(clump.Bounds()); });
    ExpectNear(box.min, {-7.0f, -1.0f, -6.0f});
    ExpectNear(box.max, {9.0f, 3.0f, 2.0f});
    layout->m_cr3DBackground = RGB(0, 0, 255);
    layout->m_bUseBackdrop = 0;

    const auto expectShorterSideFits = [&](UINT preset, const char* when) {
        const Spans spans = NearFaceSpans(Camera(), box, preset);
        EXPECT_NEAR(std::min(spans.across, spans.up), 1.0f, 1e-3f) << when << " " << preset;
        EXPECT_GE(std::max(spans.across, spans.up), 1.0f - 1e-3f) << when << " " << preset;
    };
    // Each preset view comes straight after a resize to another shape of window.
    const CSize sizes[] = {{300, 300}, {200, 400}, {500, 250}, {300, 300}};
    const UINT presets[] = {ID_VIEW_BIRDS_EYE, ID_VIEW_FRONT, ID_VIEW_BACK, ID_VIEW_LEFT_SIDE,
                            ID_VIEW_RIGHT_SIDE};
    for (const UINT preset : presets) {
        for (const CSize& size : sizes) {
            SizeClient(size.cx, size.cy);
            Command(preset);
            expectShorterSideFits(preset, "preset");
            Command(ID_CAMERA_TURN_LEFT);
            Command(ID_CAMERA_MOVE_FORWARD);
            Command(ID_CAMERA_RESET);
            expectShorterSideFits(preset, "reset");
        }
    }

    // In a square window, after a wide one, the bird's-eye view fills the picture top to bottom
    // with the layout's depth and crops its length at both sides: no sky shows along the edges.
    SizeClient(400, 200);
    Command(ID_VIEW_FRONT);
    SizeClient(300, 300);
    Command(ID_VIEW_BIRDS_EYE);
    const Spans bird = NearFaceSpans(Camera(), box, ID_VIEW_BIRDS_EYE);
    EXPECT_NEAR(bird.across, 2.0f, 1e-3f);
    EXPECT_NEAR(bird.up, 1.0f, 1e-3f);
    const r3d::Raster& picture = Camera().Picture();
    ASSERT_EQ(picture.Width(), 300);
    for (const CPoint edge :
         {CPoint(150, 1), CPoint(150, 298), CPoint(1, 150), CPoint(298, 150), CPoint(2, 2)})
        EXPECT_NE(picture.Pixel(edge.x, edge.y), (r3d::Raster::Rgb{0, 0, 255})) << edge.x << "," << edge.y;

    // After a camera object's aim a resize returns to the default view window, and the preset
    // views fit against it.
    const CameraAim aim{16000.0, -16000.0, 1000.0, 0.0, std::atan(0.6)};
    view->SetCameraFromObject(&aim);
    SizeClient(400, 200);
    for (const UINT preset : presets) {
        Command(preset);
        expectShorterSideFits(preset, "aimed");
    }
    EXPECT_FLOAT_EQ(Camera().ViewWindowWidth(), 0.8f);
    EXPECT_FLOAT_EQ(Camera().ViewWindowHeight(), 0.4f);
}
