#include <gtest/gtest.h>

#include <cmath>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "drawing/ShapeSupport.h"
#include "model/C3DViewServices.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/ctl/CEdit.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/TrackToolTemplates.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/view3d/Objects3DPlan.h"
#include "view3d/CCamera.h"

namespace {

constexpr double kHalfTurn = 3.1415926535;

void ExpectPoint(const CDoublePoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

// Drags a handle of a selected camera from its point to a local point.
void DragHandleTo(Objects3DPlan& plan, CCamera& camera, int handle, double x, double y) {
    camera.TrackCreate(nullptr, handle);
    const CDoublePoint world = camera.LocalToWorld(x, y);
    plan.tool.m_fCurrentX = world.x;
    plan.tool.m_fCurrentY = world.y;
    camera.DragHandle(nullptr, handle);
}

// The pixel of the canvas under a local point of the camera.
COLORREF PixelAt(Canvas& canvas, CCamera& camera, CDoublePoint local) {
    CPoint device;
    EXPECT_TRUE(shape::ToDevice(*camera.m_pTool, CPlacement(camera.m_pose, CPose{}), local, device));
    return canvas.At(device.x, device.y);
}

}  // namespace

TEST(CameraObject, DefaultsAtOnePlanUnitPerPixelGiveTheDocumentedSymbolLabelAndViewWindow) {
    Objects3DPlan plan;
    plan.tool.m_fHandleSize = 10.0;
    CCamera camera(0, &plan.tool, 0.0, 0.0);
    ASSERT_EQ(camera.m_points.GetSize(), CCamera::kPointCount);
    ExpectPoint(camera.m_points[1], 40.0, 30.0);
    ExpectPoint(camera.m_points[2], 0.0, 0.0);
    ExpectPoint(camera.m_points[3], 40.0, 0.0);
    ExpectPoint(camera.m_points[4], -20.0, 30.0);
    ExpectPoint(camera.m_points[5], -10.0, -30.0);
    ExpectPoint(camera.m_points[0], -30.0, -50.0);
    EXPECT_EQ(camera.AngleLabel(), "74 \xB0");
    EXPECT_EQ(camera.m_strName, "Camera");
    EXPECT_EQ(camera.m_fHeight, 100.0);
    EXPECT_NEAR(2.0 * std::tan(camera.HalfAngle()), 1.5, 1e-12);
    CCamera loaded;
    EXPECT_EQ(loaded.m_fHeight, CCamera::kDefaultHeight);
    // The sector between the two cone edges, wrapping through direction 0.
    EXPECT_EQ(camera.ThreeAngleTest({40.0, -30.0}, {40.0, 30.0}, {10.0, 1.0}), 1);
    EXPECT_EQ(camera.ThreeAngleTest({40.0, -30.0}, {40.0, 30.0}, {-10.0, 1.0}), 3);
}

TEST(CameraObject, HandleDragsKeepTheConeAheadOfTheLensAndTheBodyAtItsScreenSize) {
    Objects3DPlan plan;
    auto* camera = AddToLayout(plan.host, new CCamera(0, &plan.tool, 1000.0, 1000.0));
    camera->Select();
    // The view edge dragged behind and below the lens stops one unit above it.
    DragHandleTo(plan, *camera, 1, -5.0, -5.0);
    ExpectPoint(camera->m_points[1], 0.0, 1.0);
    EXPECT_EQ(camera->m_points[3].x, 0.0);
    // Back out ahead; the distance point keeps the angle while the cone grows.
    DragHandleTo(plan, *camera, 1, 40.0, 30.0);
    DragHandleTo(plan, *camera, 2, 80.0, 0.0);
    ExpectPoint(camera->m_points[3], 80.0, 0.0);
    ExpectPoint(camera->m_points[1], 80.0, 60.0);
    // The body corner at twice the zoom: its bounds are the same size on screen.
    plan.tool.SetViewScale(1.0, 2.0);
    DragHandleTo(plan, *camera, 3, -100.0, 100.0);
    ExpectPoint(camera->m_points[4], -40.0, 60.0);
    ExpectPoint(camera->m_points[5], -20.0, -60.0);
    DragHandleTo(plan, *camera, 3, -10.0, 20.0);
    ExpectPoint(camera->m_points[4], -10.0, 20.0);
    ExpectPoint(camera->m_points[5], -5.0, -20.0);

    // Ctrl on a handle raises the camera; it never goes below 0.
    plan.tool.m_nMouseFlags = MK_CONTROL;
    camera->TrackCreate(nullptr, 2);
    EXPECT_EQ(plan.tool.m_toolMode, kToolDragHandle);
    EXPECT_EQ(camera->GetEditState(), 3);
    const CDoublePoint far = camera->LocalToWorld(280.0, 0.0);
    plan.tool.m_fCurrentX = far.x;
    plan.tool.m_fCurrentY = far.y;
    camera->DragHandle(nullptr, 2);
    // It started one 3D unit (100 plan units) high.
    EXPECT_NEAR(camera->m_fHeight, 300.0, 1e-9);
    EXPECT_EQ(plan.tool.m_hint.m_strText.Left(2), "h=");
    const CDoublePoint behind = camera->LocalToWorld(-500.0, 0.0);
    plan.tool.m_fCurrentX = behind.x;
    plan.tool.m_fCurrentY = behind.y;
    camera->DragHandle(nullptr, 2);
    EXPECT_EQ(camera->m_fHeight, 0.0);
}

TEST(CameraObject, ACameraInATurnedGroupAimsAlongTheGroupsTurnFromItsWorldLens) {
    Objects3DPlan plan;
    CCamera camera(0, &plan.tool, 0.0, 0.0);
    camera.m_pose = CPose(100.0, 0.0, 0.25);
    camera.m_fHeight = 300.0;
    const CPose group(1000.0, 2000.0, kHalfTurn / 2.0);
    const CameraAim aim = camera.Aim(group);
    EXPECT_NEAR(aim.x, 1000.0, 1e-6);
    EXPECT_NEAR(aim.y, 2100.0, 1e-6);
    EXPECT_NEAR(aim.direction, 0.25 + kHalfTurn / 2.0, 1e-12);
    EXPECT_EQ(aim.height, 300.0);

    // Mirrors keep it looking the mirrored way.
    camera.m_pose = CPose(100.0, 50.0, 0.5);
    camera.MirrorY(0.0);
    EXPECT_NEAR(camera.m_pose.angle, 2.0 * kHalfTurn - 0.5, 1e-9);
    EXPECT_NEAR(camera.m_pose.y, -50.0, 1e-9);
    camera.m_pose = CPose(100.0, 50.0, 0.5);
    camera.MirrorX(0.0);
    EXPECT_NEAR(camera.m_pose.angle, kHalfTurn - 0.5, 1e-9);
    EXPECT_NEAR(camera.m_pose.x, -100.0, 1e-9);
}

TEST(CameraObject, RecordsRoundTripAndAVersionTwoCameraKeepsItsDefaultHeight) {
    Objects3DPlan plan;
    CCamera camera(0, &plan.tool, 250.0, -125.0);
    camera.m_fHeight = 765.0;
    camera.m_nReserved1 = 3;
    camera.m_nReserved2 = -4;
    const std::vector<BYTE> record = StoreRecord(camera);
    CCamera loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, record);
    EXPECT_EQ(StoreRecord(loaded), record);
    EXPECT_EQ(loaded.m_fHeight, 765.0);
    EXPECT_EQ(loaded.m_nReserved2, -4);
    plan.host.m_nFileVersion = 2;
    CCamera older;
    older.SetTool(&plan.tool);
    LoadRecord(older, AsVersion6Record(camera, std::vector<BYTE>(record.begin(), record.end() - 8)));
    EXPECT_EQ(older.m_fHeight, CCamera::kDefaultHeight);
    ExpectPoint(older.m_points[1], camera.m_points[1].x, camera.m_points[1].y);
}

TEST(CameraObject, TheLinePropertiesShowTheCameraWithoutItsLabelWhichItKeepsAfterwardsWithOneUndo) {
    Objects3DPlan plan;
    RegisterDrawingPropertiesDialog();
    auto* camera = AddToLayout(plan.host, new CCamera(0, &plan.tool, 500.0, 500.0));
    camera->Select();
    const PenRecord pen = camera->m_pen;
    plan.screen.WhenModal("2D Object properties", [&](CWnd& modal) {
        auto& dialog = dynamic_cast<C2DPropertyDialog&>(modal);
        EXPECT_EQ(dialog.GetPageCount(), 1);
        auto* copy = dynamic_cast<CCamera*>(dialog.GetWorkingCopy());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->m_bShowAngleLabel, 0);
        modal.GetDlgItem(IDC_PROPERTIES_NOTE)->SetWindowText("north end");
        modal.SendMessage(WM_COMMAND, IDOK);
    });
    const int steps = plan.tool.GetUndoCount();
    ASSERT_EQ(camera->EditProperties(&camera->m_parentPose), 1);
    EXPECT_EQ(camera->m_bShowAngleLabel, 1);
    EXPECT_EQ(camera->m_strNote, "north end");
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(camera->m_strNote, "");
    EXPECT_EQ(camera->m_pen.widthX, pen.widthX);
    EXPECT_EQ(camera->m_bShowAngleLabel, 1);
}

TEST(CameraObject, SelectedTrackElevationsLiftASelectedCameraOnTheSpanWithoutAnUndoStep) {
    Objects3DPlan plan;
    // Millimetres show tenths of a millimetre exactly, so OK reads back what was computed.
    plan.host.m_nUnitIndex = 8;
    const auto length = [&](double value) {
        CString text;
        CLengthFormat(plan.host.m_nUnitIndex).FormatLength(text, value);
        return text;
    };
    plan.tool.SetViewScale(1.0, 10.0);
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 100.0;
    piece->m_fEndElevation = 200.0;
    auto* halfway = AddToLayout(plan.host, new CCamera(0, &plan.tool, 500.0, 300.0));
    halfway->m_fHeight = 10.0;
    // Within 0.4 of its place on the span: left alone.
    auto* close = AddToLayout(plan.host, new CCamera(0, &plan.tool, 250.0, -300.0));
    close->m_fHeight = 125.3;
    for (CPaint* object : std::initializer_list<CPaint*>{piece, halfway, close}) object->SelectWithUndo(0, 0);
    const int steps = plan.tool.GetUndoCount();
    plan.tool.m_toolMode.Set(kToolSetTrackElevations);
    CString end;
    plan.screen.WhenModal("Elevations", [&](CWnd& dialog) {
        dialog.GetDlgItem(IDC_ELEVATION_END)->GetWindowText(end);
        plan.screen.ClickClient(dialog.GetDlgItem(IDC_ELEVATION_OK), CPoint(3, 3));
    });
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 50.0, 0.0, 1);
    plan.tool.OnMouseMove(0, 100.0, 0.0, 1);
    plan.tool.OnLButtonUp(0, 100.0, 0.0);
    EXPECT_EQ(end, length(200.0));
    EXPECT_NEAR(halfway->m_fHeight, 150.0, 1e-9);
    EXPECT_EQ(close->m_fHeight, 125.3);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
    EXPECT_TRUE(plan.screen.UnansweredModals().empty());

    // A span that changes the track makes its one step; undoing it leaves the camera.
    plan.screen.WhenModal("Elevations", [&](CWnd& dialog) {
        dialog.GetDlgItem(IDC_ELEVATION_END)->SetWindowText(length(400.0));
        static_cast<CEdit*>(dialog.GetDlgItem(IDC_ELEVATION_END))->SetModify(TRUE);
        plan.screen.ClickClient(dialog.GetDlgItem(IDC_ELEVATION_OK), CPoint(3, 3));
    });
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 100.0, 0.0, 1);
    plan.tool.OnLButtonUp(0, 100.0, 0.0);
    EXPECT_NEAR(piece->m_fEndElevation, 400.0, 1e-9);
    EXPECT_NEAR(halfway->m_fHeight, 250.0, 1e-9);
    EXPECT_NEAR(close->m_fHeight, 175.0, 1e-9);
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(piece->m_fEndElevation, 200.0);
    EXPECT_NEAR(halfway->m_fHeight, 250.0, 1e-9);
}

TEST(CameraObject, TheArcEndsInArrowheadsThatPointAtTheConeEdgesOpenOrFilledByTheArrowStyle) {
    Objects3DPlan plan;
    Canvas canvas(300, 300);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-1000, -1000, 1000, 1000};
    CCamera camera(0, &plan.tool, 100.0, 150.0);
    camera.m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    camera.m_bShowAngleLabel = 0;
    camera.GetBounds(nullptr, camera.m_fMinX, camera.m_fMinY, camera.m_fMaxX, camera.m_fMaxY);
    camera.RecalcDeviceBounds();
    auto draw = [&](int style) {
        camera.m_nArrowStyle = style;
        canvas.dc.FillSolidRect(0, 0, 300, 300, kWhite);
        EXPECT_EQ(camera.Draw(nullptr), 1);
    };
    // The arc of radius 20 meets the upper edge, direction (0.8, 0.6), at (16, 12). Its head is
    // 15 pixels to each side along the edge, its base 15 pixels inside the cone, inward
    // (0.6, -0.8): the base runs from (37, 9) to (13, -9); the lower head mirrors it.
    const CDoublePoint corners[] = {{37.0, 9.0}, {13.0, -9.0}, {37.0, -9.0}, {13.0, 9.0}};
    const CDoublePoint upperInside{22.0, 4.0}, lowerInside{22.0, -4.0};
    draw(0);
    for (const CDoublePoint& corner : corners) EXPECT_EQ(PixelAt(canvas, camera, corner), kWhite);
    draw(1);
    for (const CDoublePoint& corner : corners) EXPECT_EQ(PixelAt(canvas, camera, corner), kBlue);
    EXPECT_EQ(PixelAt(canvas, camera, {25.0, 0.0}), kBlue);
    EXPECT_EQ(PixelAt(canvas, camera, upperInside), kWhite);
    EXPECT_EQ(PixelAt(canvas, camera, lowerInside), kWhite);
    draw(2);
    EXPECT_EQ(PixelAt(canvas, camera, upperInside), kBlue);
    EXPECT_EQ(PixelAt(canvas, camera, lowerInside), kBlue);
    // Behind the base, outside both heads, the cone stays empty.
    EXPECT_EQ(PixelAt(canvas, camera, {35.0, 0.0}), kWhite);
    // A cone of 3 degrees or less has no arc and so no arrowheads.
    camera.m_points[1] = {40.0, 1.0};
    draw(2);
    EXPECT_EQ(PixelAt(canvas, camera, {20.0, -14.0}), kWhite);
    EXPECT_EQ(PixelAt(canvas, camera, {20.0, 14.0}), kWhite);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// A turn of 1e300 reads back within one turn and lens points beyond reach are held; a camera
// drawn in a group turned by 1e300 labels its angle without passing the range of a whole number.
TEST(CameraObject, ATurnBeyondReachReadsWithinOneTurnAndDrawsItsLabelInAGroupSoTurned) {
    Objects3DPlan plan;
    CCamera camera(0, &plan.tool, 250.0, -125.0);
    camera.m_pose.angle = 1e300;
    const CDoublePoint lens = camera.m_points[1];
    camera.m_points[1] = {1e300, std::nan("")};
    CCamera loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, StoreRecord(camera));
    EXPECT_EQ(loaded.m_pose.angle, std::fmod(1e300, kFullTurn));
    EXPECT_LT(std::fabs(loaded.m_pose.angle), kFullTurn);
    EXPECT_EQ(loaded.m_points[1], (CDoublePoint{1e9, 0.0}));

    Canvas canvas(300, 300);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-1000, -1000, 1000, 1000};
    camera.m_pose.angle = 0.0;
    camera.m_points[1] = lens;
    camera.m_bShowAngleLabel = 1;
    const CPose group(0.0, 0.0, 1e300);
    camera.GetBounds(&group, camera.m_fMinX, camera.m_fMinY, camera.m_fMaxX, camera.m_fMaxY);
    camera.RecalcDeviceBounds();
    EXPECT_EQ(camera.Draw(&group), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
    loaded.SetTool(nullptr);
}
