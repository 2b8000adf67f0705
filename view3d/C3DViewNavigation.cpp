#include <algorithm>
#include <cmath>

#include "model/CCVNDoc.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CMainFrameServices.h"
#include "model/CTerrainSurface.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "view3d/C3DView.h"
#include "view3d/PickRay.h"

// How the user moves the camera and touches objects: camera commands and keys, the mouse
// drive, lifting 3D objects, Ctrl+click on terrain, preset views and the light.

namespace {

constexpr float kTiltStep = 2.0f;
constexpr float kTurnStep = 2.0f;
constexpr float kSideStep = 0.1f;
constexpr float kForwardStep = 0.25f;
constexpr float kLiftPerPixel = 0.02f;
constexpr float kTurnPerPixel = 0.01f;
constexpr float kRunPerPixel = 0.002f;
constexpr float kBrightnessStep = 0.05f;
constexpr int kObjectTag = 101;
constexpr int kBitmapTag = 104;
constexpr int kTerrainTag = 32002;
constexpr float kViewHeight = 1.0f;

// The member of the group, or of a group inside it, whose model is the clump.
CPaint* FindModelOwner(CToolHost& host, CPaint* group, const r3d::Clump* clump) {
    for (CPaint* member : host.GetGroupMembers(group)) {
        if (member->m_hModel.get() == clump)
            return member;
        if (CPaint* inner = FindModelOwner(host, member, clump))
            return inner;
    }
    return nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(C3DView, CView)
ON_COMMAND(ID_CAMERA_LOOK_DOWN, OnTiltForward)
ON_COMMAND(ID_CAMERA_LOOK_UP, OnTiltBackward)
ON_COMMAND(ID_CAMERA_TILT_LEFT, OnTiltLeft)
ON_COMMAND(ID_CAMERA_TILT_RIGHT, OnTiltRight)
ON_COMMAND(ID_CAMERA_TURN_LEFT, OnTurnLeft)
ON_COMMAND(ID_CAMERA_TURN_RIGHT, OnTurnRight)
ON_COMMAND(ID_CAMERA_MOVE_UP, OnMoveUp)
ON_COMMAND(ID_CAMERA_MOVE_DOWN, OnMoveDown)
ON_COMMAND(ID_CAMERA_MOVE_LEFT, OnMoveLeft)
ON_COMMAND(ID_CAMERA_MOVE_RIGHT, OnMoveRight)
ON_COMMAND(ID_CAMERA_MOVE_FORWARD, OnMoveForward)
ON_COMMAND(ID_CAMERA_MOVE_BACKWARD, OnMoveBackward)
ON_COMMAND(ID_CAMERA_RESET, OnResetCamera)
ON_UPDATE_COMMAND_UI_RANGE(ID_CAMERA_LOOK_UP, ID_VIEW_BACK, OnUpdateNeedsCamera)
ON_COMMAND(ID_VIEW_BIRDS_EYE, OnBirdsEyeView)
ON_COMMAND(ID_VIEW_FRONT, OnFrontView)
ON_COMMAND(ID_VIEW_BACK, OnBackView)
ON_COMMAND(ID_VIEW_LEFT_SIDE, OnLeftSideView)
ON_COMMAND(ID_VIEW_RIGHT_SIDE, OnRightSideView)
ON_COMMAND(ID_DARKEN, OnDarken)
ON_COMMAND(ID_LIGHTEN, OnLighten)
ON_UPDATE_COMMAND_UI(ID_DARKEN, OnUpdateDarken)
ON_UPDATE_COMMAND_UI(ID_LIGHTEN, OnUpdateLighten)
ON_COMMAND(ID_SAVE_3D_VIEW, OnSave3DView)
ON_COMMAND(ID_PRINT_3D_VIEW, OnFilePrint)
END_MESSAGE_MAP()

// ---- Camera commands ----

#define CAMERA_COMMAND(name, operation) \
    void C3DView::name() {              \
        if (m_pCamera == nullptr)       \
            return;                     \
        m_pCamera->operation;           \
        Redraw();                       \
    }

CAMERA_COMMAND(OnTiltForward, Tilt(kTiltStep))
CAMERA_COMMAND(OnTiltBackward, Tilt(-kTiltStep))
CAMERA_COMMAND(OnTiltLeft, Roll(-kTiltStep))
CAMERA_COMMAND(OnTiltRight, Roll(kTiltStep))
CAMERA_COMMAND(OnTurnLeft, Turn(kTurnStep))
CAMERA_COMMAND(OnTurnRight, Turn(-kTurnStep))
CAMERA_COMMAND(OnMoveUp, MoveAlongAxes({0.0f, kSideStep, 0.0f}))
CAMERA_COMMAND(OnMoveDown, MoveAlongAxes({0.0f, -kSideStep, 0.0f}))
CAMERA_COMMAND(OnMoveLeft, MoveAlongAxes({-kSideStep, 0.0f, 0.0f}))
CAMERA_COMMAND(OnMoveRight, MoveAlongAxes({kSideStep, 0.0f, 0.0f}))
CAMERA_COMMAND(OnMoveForward, MoveAlongAxes({0.0f, 0.0f, kForwardStep}))
CAMERA_COMMAND(OnMoveBackward, MoveAlongAxes({0.0f, 0.0f, -kForwardStep}))

#undef CAMERA_COMMAND

void C3DView::OnResetCamera() {
    SetupCamera();
    Redraw();
}

void C3DView::OnUpdateNeedsCamera(CCmdUI* cmdUI) {
    cmdUI->Enable(m_pCamera != nullptr);
}

void C3DView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (m_pCamera != nullptr && key == VK_PRIOR)
        m_pCamera->MoveAlongAxes({0.0f, kSideStep, 0.0f});
    else if (m_pCamera != nullptr && key == VK_NEXT)
        m_pCamera->MoveAlongAxes({0.0f, -kSideStep, 0.0f});
    else if (key == VK_HOME)
        SetupCamera();
    else
        CView::OnKeyDown(key, repeat, flags);
    Redraw();
}

// ---- Preset views ----

// The box round every clump of the scene and the siblings of each child clump; inverted (8
// to -8) when there is none. False without a scene.
bool C3DView::SceneBounds(r3d::Box& box) const {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->GetScene() == nullptr)
        return false;
    box.min = {8.0f, 8.0f, 8.0f};
    box.max = {-8.0f, -8.0f, -8.0f};
    auto widen = [&box](const r3d::Box& bounds) {
        box.min = {std::min(box.min.x, bounds.min.x), std::min(box.min.y, bounds.min.y),
                   std::min(box.min.z, bounds.min.z)};
        box.max = {std::max(box.max.x, bounds.max.x), std::max(box.max.y, bounds.max.y),
                   std::max(box.max.z, bounds.max.z)};
    };
    doc->GetScene()->ForEachClump([&widen](r3d::Clump& clump) {
        widen(clump.Bounds());
        if (const r3d::Clump* parent = clump.Parent())
            for (const std::unique_ptr<r3d::Clump>& child : parent->Children()) widen(child->Bounds());
    });
    return true;
}

void C3DView::FitCamera(const r3d::Vec3& position, const r3d::Vec3& lookAt, float distance) {
    m_position = position;
    m_lookAt = lookAt;
    m_fCameraDistance = distance;
    SetupCamera();
    Redraw();
}

// The camera looks at the middle of the scene from above or from one side, as far off as
// makes the seen extents fill the view window on the shorter fit.
void C3DView::ShowPresetView(PresetView preset) {
    r3d::Box box;
    if (!SceneBounds(box))
        return;
    const r3d::Vec3 c = (box.min + box.max) * 0.5f;
    const r3d::Vec3 extent = box.max - box.min;
    auto fit = [this](float across, float up) {
        return std::min(std::fabs(across) / m_fViewWidth, std::fabs(up) / m_fViewHeight);
    };
    const r3d::Vec3 lookAt{c.x, kViewHeight, c.z};
    switch (preset) {
        case PresetView::BirdsEye: {
            const float d = fit(extent.x, extent.z);
            FitCamera({c.x, box.max.y + d, c.z}, lookAt, d);
            break;
        }
        case PresetView::Front: {
            const float d = fit(extent.x, extent.y);
            FitCamera({c.x, kViewHeight, box.max.z + d}, lookAt, d);
            break;
        }
        case PresetView::Back: {
            const float d = fit(extent.x, extent.y);
            FitCamera({c.x, kViewHeight, box.min.z - d}, lookAt, d);
            break;
        }
        case PresetView::LeftSide: {
            const float d = fit(extent.z, extent.y);
            FitCamera({box.min.x - d, kViewHeight, c.z}, lookAt, d);
            break;
        }
        case PresetView::RightSide: {
            const float d = fit(extent.z, extent.y);
            FitCamera({box.max.x + d, kViewHeight, c.z}, lookAt, d);
            break;
        }
    }
}

void C3DView::OnBirdsEyeView() {
    ShowPresetView(PresetView::BirdsEye);
}

void C3DView::OnFrontView() {
    ShowPresetView(PresetView::Front);
}

void C3DView::OnBackView() {
    ShowPresetView(PresetView::Back);
}

void C3DView::OnLeftSideView() {
    ShowPresetView(PresetView::LeftSide);
}

void C3DView::OnRightSideView() {
    ShowPresetView(PresetView::RightSide);
}

// ---- Light ----

void C3DView::StepBrightness(float step) {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->GetLight() == nullptr)
        return;
    doc->m_fLightBrightness = std::clamp(doc->m_fLightBrightness + step, 0.0f, 1.0f);
    doc->GetLight()->SetBrightness(doc->m_fLightBrightness);
    Redraw();
    UpdateWindow();
}

void C3DView::OnDarken() {
    StepBrightness(-kBrightnessStep);
}

void C3DView::OnLighten() {
    StepBrightness(kBrightnessStep);
}

void C3DView::OnUpdateDarken(CCmdUI* cmdUI) {
    CCVNDoc* doc = GetDocument();
    cmdUI->Enable(doc != nullptr && doc->m_fLightBrightness > 0.0f);
}

void C3DView::OnUpdateLighten(CCmdUI* cmdUI) {
    CCVNDoc* doc = GetDocument();
    cmdUI->Enable(doc != nullptr && doc->m_fLightBrightness < 1.0f);
}

// ---- Mouse ----

void C3DView::OnLButtonDown(UINT flags, CPoint point) {
    if (flags & MK_CONTROL) {
        EditTerrainUnder(point);
        return;
    }
    SetCapture();
    ClientToScreen(&point);
    if (flags & MK_SHIFT) {
        m_nDriveMode = kLiftCamera;
    } else {
        m_nDriveMode = kDrive;
        if (m_nDriveTimer == 0)
            StartDriveTimer();
    }
    m_anchor = point;
}

void C3DView::OnLButtonUp(UINT, CPoint) {
    ReleaseCapture();
    m_nDriveMode = kIdle;
    StopDriveTimer();
}

void C3DView::OnCancelMode() {
    EndLift();
    m_nDriveMode = kIdle;
    StopDriveTimer();
    CView::OnCancelMode();
}

void C3DView::OnRButtonUp(UINT flags, CPoint point) {
    EndLift();
    OnLButtonUp(flags, point);
}

void C3DView::OnRButtonDown(UINT flags, CPoint point) {
    CCVNDoc* doc = GetDocument();
    if (doc != nullptr && doc->GetScene() != nullptr && m_pCamera != nullptr) {
        const auto hit =
            doc->GetScene()->Pick(*m_pCamera, static_cast<float>(point.x), static_cast<float>(point.y));
        if (hit.has_value() && hit->clump != nullptr) {
            r3d::Clump* top = hit->clump->Parent() != nullptr ? hit->clump->Parent() : hit->clump;
            if (top->Tag() == kObjectTag || top->Tag() == kBitmapTag) {
                m_pDragged = top;
                m_nDriveMode = kLiftObject;
                SetCapture();
            } else {
                m_pDragged = nullptr;
            }
        }
    }
    m_pLifted = nullptr;
    CPoint screen = point;
    ClientToScreen(&screen);
    m_anchor = screen;
    CView::OnRButtonDown(flags, point);
}

void C3DView::OnMouseMove(UINT flags, CPoint point) {
    ShowStatus();
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_nDriveMode == kDrive) {
        m_anchor = screen;
    } else if (m_nDriveMode == kLiftCamera && m_pCamera != nullptr) {
        m_pCamera->MoveBy({0.0f, static_cast<float>(m_anchor.y - screen.y) * kLiftPerPixel, 0.0f});
        m_anchor = screen;
        Redraw();
    } else if (m_nDriveMode == kLiftObject) {
        LiftObject(point);
    }
    CView::OnMouseMove(flags, point);
}

// The status shows the 3D view's own text; the panes are set again only when it was another.
void C3DView::ShowStatus() {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->m_tool.m_status.m_nKind == kStatusKind)
        return;
    doc->m_tool.m_status.m_nKind = kStatusKind;
    if (CMainFrameServices* main = CCVNDoc::GetMainFrameServices())
        main->UpdateStatusPanes();
}

// The dragged model follows the mouse's height on a plane facing the camera; its layout object
// takes the new elevation.
void C3DView::LiftObject(CPoint point) {
    if (m_pDragged == nullptr || m_pCamera == nullptr)
        return;
    const r3d::Vec3 target = PickGroundPoint(*m_pDragged, *m_pCamera, point.x, point.y);
    const r3d::Vec3 position = m_pDragged->Position();
    m_pDragged->Transform(r3d::Matrix::Translation({0.0f, target.y - position.y, 0.0f}), r3d::Combine::After);
    Redraw();
    CPaint* owner = FindOwner(m_pDragged);
    if (owner == nullptr)
        return;
    if (owner != m_pLifted)
        PushLiftUndo(*owner);
    CEditStep step(kStepSetHeight, owner, 0);
    auto height = std::make_unique<HeightPayload>();
    height->index = 0;
    height->value = m_pDragged->Bounds().min.y * GetDocument()->m_f3DScaleDivisor;
    step.SetPayload(std::move(height));
    owner->ApplyHeightStep(&step);
    GetDocument()->SetModifiedFlag();
}

// One undo step a drag: the elevation the object had before it.
void C3DView::PushLiftUndo(CPaint& owner) {
    m_pLifted = &owner;
    double elevation = 0.0;
    if (owner.GetLowestElevation(elevation))
        owner.SetHeight(0, elevation, 0, 1, 1);
}

// The plans redraw the lifted object alone.
void C3DView::EndLift() {
    if (m_pLifted == nullptr)
        return;
    m_pLifted->Invalidate();
    m_pLifted = nullptr;
    if (CCVNDoc* doc = GetDocument())
        doc->RepaintDirtyViews();
}

CPaint* C3DView::FindOwner(const r3d::Clump* clump) const {
    CCVNDoc* doc = GetDocument();
    return doc != nullptr ? FindModelOwner(*doc, &doc->m_rootGroup, clump) : nullptr;
}

void C3DView::EditTerrainUnder(CPoint point) {
    m_pDragged = nullptr;
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->GetScene() == nullptr || m_pCamera == nullptr)
        return;
    const auto hit =
        doc->GetScene()->Pick(*m_pCamera, static_cast<float>(point.x), static_cast<float>(point.y));
    if (!hit.has_value() || hit->clump == nullptr || hit->clump->Tag() != kTerrainTag)
        return;
    CPaint* terrain = FindOwner(hit->clump);
    if (terrain == nullptr)
        return;
    m_pPickedTerrain = terrain;
    const CPose pose = terrain->m_parentPose;
    auto* surface = dynamic_cast<CTerrainSurface*>(terrain);
    if (surface == nullptr)
        return;
    surface->ClearCuts();
    terrain->EditProperties(&pose);
    surface->SetRebuild(1);
    terrain->Update3D(&pose);
    UpdateOtherViews();
}

void C3DView::UpdateOtherViews() {
    if (CCVNDoc* doc = GetDocument())
        doc->CDocument::UpdateAllViews(this);
}

// ---- Mouse drive ----

void C3DView::StartDriveTimer() {
    m_nDriveTimer = SetTimer(kDriveTimerId, kDrivePeriod, nullptr);
}

void C3DView::StopDriveTimer() {
    if (m_nDriveTimer != 0)
        KillTimer(m_nDriveTimer);
    m_nDriveTimer = 0;
}

void C3DView::OnTimer(UINT_PTR id) {
    CView::OnTimer(id);
    StopDriveTimer();
    if (m_nDriveMode == kDrive)
        DriveStep();
    if (m_nDriveMode != kIdle)
        StartDriveTimer();
}

// The farther the mouse from the window's centre, the faster the camera turns (left of the
// centre: to the left) and runs (above it: forward).
void C3DView::DriveStep() {
    if (m_pCamera == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    const CPoint centre = window.CenterPoint();
    // The rotation is right-handed, so a positive angle about +y turns to the left.
    const float turn = static_cast<float>(centre.x - m_anchor.x) * kTurnPerPixel;
    m_pCamera->Transform(r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, turn));
    const float run = static_cast<float>(centre.y - m_anchor.y) * kRunPerPixel;
    r3d::Vec3 direction = m_pCamera->Forward();
    direction.y = 0.0f;
    direction = r3d::Normalize(direction);
    m_pCamera->MoveBy({direction.x * run, 0.0f, direction.z * run});
    Redraw();
}
