#include "view3d/C3DPreviewClump.h"

#include <algorithm>
#include <cmath>

#include "platform/base/CStringTable.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/RasterDib.h"
#include "platform/r3d/Scene.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/StringTable.h"

IMPLEMENT_DYNAMIC(C3DPreviewClump, CStatic)

namespace {

constexpr double kPi = 3.1415926535;
constexpr float kCameraViewWindow = 0.8f;
constexpr float kPaintViewWindow = 0.4f;
constexpr float kStep = 0.2f;

}  // namespace

C3DPreviewClump::C3DPreviewClump() = default;

C3DPreviewClump::~C3DPreviewClump() = default;

bool C3DPreviewClump::CreateCamera() {
    CRect client;
    GetClientRect(&client);
    ResetCameraParams();
    if (client.Width() <= 0 || client.Height() <= 0) {
        AfxMessageBox(CStringTable::Text(IDS_COULD_NOT_CREATE_THE_3D_CAMERA), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_pCamera = std::make_unique<r3d::Camera>(client.Width(), client.Height());
    SetupCamera();
    return true;
}

void C3DPreviewClump::ResetCameraParams() {
    m_fDistance = 3.0f;
    m_fViewWindow = kPaintViewWindow;
    m_nDragMode = kNone;
    m_position = {0.0f, 0.0f, 3.0f};
    m_lookAt = {0.0f, 0.0f, 0.0f};
}

void C3DPreviewClump::FrameModel(float distance, const r3d::Vec3& centre) {
    m_fDistance = distance;
    m_lookAt = centre;
    m_position = {centre.x, centre.y, centre.z + distance};
    SetupCamera();
}

void C3DPreviewClump::PlaceCamera(const r3d::Vec3& position) {
    if (m_pCamera == nullptr)
        return;
    m_pCamera->Reset();
    m_pCamera->SetViewWindow(kCameraViewWindow, kCameraViewWindow);
    m_pCamera->SetBackgroundColor(0.0f, 0.0f, 0.0f);
    m_pCamera->MoveBy(position);
    m_pCamera->LookAt(m_lookAt);
}

void C3DPreviewClump::SetupCamera() {
    PlaceCamera(m_position);
}

void C3DPreviewClump::OnPaint() {
    CPaintDC dc(this);
    if (m_pCamera == nullptr || m_pScene == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    if (w <= 0 || h <= 0)
        return;
    m_pCamera->SetViewport({0, 0, w, h});
    const float larger = static_cast<float>(std::max(w, h));
    m_pCamera->SetViewWindow(kPaintViewWindow * static_cast<float>(w) / larger,
                             kPaintViewWindow * static_cast<float>(h) / larger);
    if (!m_pCamera->BeginUpdate())
        return;
    m_pCamera->Clear();
    m_pScene->Render(*m_pCamera);
    m_pCamera->EndUpdate();
    if (!m_pCamera->Picture().Empty())
        r3d::RasterDib(m_pCamera->Picture()).Draw(dc, 0, 0, w, h);
}

BOOL C3DPreviewClump::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void C3DPreviewClump::Redraw() {
    if (m_hWnd == nullptr)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void C3DPreviewClump::StepAlongView(float step) {
    if (m_pCamera == nullptr)
        return;
    r3d::Vec3 d = m_pCamera->Forward();
    d.y = 0.0f;
    if (Length(d) == 0.0f)
        return;
    d = Normalize(d);
    m_pCamera->MoveBy({d.x * step, 0.0f, d.z * step});
    m_position = m_pCamera->Position();
    Redraw();
}

void C3DPreviewClump::MoveCloser() {
    StepAlongView(kStep);
}

void C3DPreviewClump::MoveAway() {
    StepAlongView(-kStep);
}

// ---- Turning with the mouse ----

void C3DPreviewClump::OnLButtonDown(UINT flags, CPoint point) {
    if (m_pScene == nullptr || m_pCamera == nullptr || IsSpinning())
        return;
    m_last = point;
    const std::optional<r3d::PickResult> picked =
        m_pScene->Pick(*m_pCamera, static_cast<float>(point.x), static_cast<float>(point.y));
    if (!picked || picked->clump == nullptr)
        return;
    m_nDragMode = (flags & MK_CONTROL) != 0 ? kHorizontalOnly
                  : (flags & MK_SHIFT) != 0 ? kVerticalOnly
                                            : kFree;
    m_bDragging = true;
    SetCapture();
}

// A sideways drag turns the model about the screen's vertical, an upward or downward drag about
// its horizontal, one degree per pixel, after every earlier turn.
void C3DPreviewClump::OnMouseMove(UINT, CPoint point) {
    if (!m_bDragging || m_pModel == nullptr || m_pCamera == nullptr)
        return;
    if (m_nDragMode == kVerticalOnly)
        point.y = m_last.y;
    if (m_nDragMode == kHorizontalOnly)
        point.x = m_last.x;
    const float dx = static_cast<float>(point.x - m_last.x);
    const float dy = static_cast<float>(point.y - m_last.y);
    r3d::Matrix turn = r3d::Matrix::Rotation(m_pCamera->Up(), dx);
    turn.Rotate(m_pCamera->Right(), dy, r3d::Combine::After);
    m_pModel->Orient(turn, r3d::Combine::After);
    if (m_onTurn)
        m_onTurn();
    Redraw();
    m_last = point;
}

void C3DPreviewClump::OnLButtonUp(UINT, CPoint) {
    if (!m_bDragging)
        return;
    if (m_nDragMode == kFree)
        m_nDragMode = kNone;
    m_bDragging = false;
    ReleaseCapture();
}

void C3DPreviewClump::OnCancelMode() {
    OnLButtonUp(0, m_last);
    CStatic::OnCancelMode();
}

// ---- Spin ----

void C3DPreviewClump::SetSpin(bool on) {
    if (on == IsSpinning())
        return;
    if (on) {
        if (m_pCamera != nullptr)
            m_position = m_pCamera->Position();
        m_fSpinAngle = 1.5 * kPi;
        m_nSpinTimer = SetTimer(kSpinTimer, kSpinInterval);
        return;
    }
    KillTimer(m_nSpinTimer);
    m_nSpinTimer = 0;
    m_fSpinAngle = 0.0;
    SetupCamera();
    if (m_pLight != nullptr)
        m_pLight->SetDirection({1.0f, -1.0f, -1.0f});
    Redraw();
}

void C3DPreviewClump::OnTimer(UINT_PTR id) {
    CStatic::OnTimer(id);
    if (id == kSpinTimer && IsSpinning())
        SpinStep();
}

void C3DPreviewClump::SpinStep() {
    if (m_pCamera == nullptr)
        return;
    const r3d::Vec3 p = m_pCamera->Position() - m_lookAt;
    const double r = std::sqrt(p.x * p.x + p.z * p.z);
    m_fSpinAngle += kPi / 90.0;
    // Forty-five steps from three quarters make a whole turn, whatever the rounding of the sum.
    if (m_fSpinAngle >= 2.0 * kPi - 1e-9)
        m_fSpinAngle = 0.0;
    const r3d::Vec3 position{m_lookAt.x + static_cast<float>(r * std::cos(-m_fSpinAngle)), m_lookAt.y + p.y,
                             m_lookAt.z + static_cast<float>(r * std::sin(-m_fSpinAngle))};
    if (m_pLight != nullptr) {
        const double a = m_fSpinAngle - 1.25 * kPi;
        m_pLight->SetDirection({static_cast<float>(std::cos(a)), -1.0f, static_cast<float>(-std::sin(a))});
    }
    PlaceCamera(position);
    Redraw();
}

void C3DPreviewClump::OnDestroy() {
    if (IsSpinning()) {
        KillTimer(m_nSpinTimer);
        m_nSpinTimer = 0;
        SetupCamera();
    }
    CStatic::OnDestroy();
}
