#include "terrain/CTerrainPreviewWnd.h"

#include <cmath>

#include "platform/gdi/SystemColors.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/RasterDib.h"
#include "platform/r3d/Scene.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "terrain/CMount.h"
#include "terrain/CTerrainEditorDialog.h"
#include "view3d/PickRay.h"

IMPLEMENT_DYNAMIC(CTerrainPreviewWnd, CStatic)

namespace {
constexpr float kStep = 0.1f;
constexpr float kTurn = 2.0f;
}  // namespace

CTerrainPreviewWnd::CTerrainPreviewWnd() = default;

CTerrainPreviewWnd::~CTerrainPreviewWnd() = default;

BOOL CTerrainPreviewWnd::CreateCamera(CTerrainEditorDialog* dialog) {
    m_pDialog = dialog;
    ReleaseClumps();
    m_bDragging = 0;
    m_fYaw = m_fWorldYaw;
    CRect client;
    GetClientRect(&client);
    m_nWidth = std::max(1, client.Width());
    m_nHeight = std::max(1, client.Height());
    m_fViewWidth = m_fViewHeight = kViewWindow;
    m_pCamera = std::make_unique<r3d::Camera>(m_nWidth, m_nHeight);
    RebuildClumps(FALSE);
    SetupCamera();
    return TRUE;
}

void CTerrainPreviewWnd::SetupCamera() {
    if (m_pCamera == nullptr)
        return;
    m_pCamera->Reset();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    m_pCamera->SetBackgroundColor(GetRValue(window) / 255.0f, GetGValue(window) / 255.0f,
                                  GetBValue(window) / 255.0f);
    m_pCamera->SetViewport({0, 0, m_nWidth, m_nHeight});
    const float larger = static_cast<float>(std::max(m_nWidth, m_nHeight));
    const float smaller = static_cast<float>(std::min(m_nWidth, m_nHeight));
    m_fViewWidth = m_nWidth >= m_nHeight ? kViewWindow : kViewWindow * smaller / larger;
    m_fViewHeight = m_nWidth >= m_nHeight ? kViewWindow * smaller / larger : kViewWindow;
    m_pCamera->SetViewWindow(m_fViewWidth, m_fViewHeight);
    if (m_pTerrainClump == nullptr || m_pDialog == nullptr)
        return;
    const r3d::Box bounds = m_pTerrainClump->Bounds();
    const double base = m_pTerrain->m_fElevation / m_pDialog->Scale();
    const float h = base >= bounds.min.y - 0.00001 && base <= bounds.max.y + 0.00001
                        ? static_cast<float>(base)
                        : (bounds.min.y + bounds.max.y) / 2.0f;
    m_position = {0.0f, h + 2.0f, bounds.max.z + 4.0f + (bounds.max.y - bounds.min.y) / 2.0f};
    m_lookAt = {0.0f, h, 0.0f};
    m_pCamera->MoveBy(m_position);
    m_pCamera->LookAt(m_lookAt);
}

void CTerrainPreviewWnd::ReleaseClumps() {
    m_pTerrainClump.reset();
    m_pMarker.reset();
}

BOOL CTerrainPreviewWnd::RebuildClumps(BOOL force) {
    ReleaseClumps();
    if (m_pDialog == nullptr || m_pTerrain == nullptr)
        return FALSE;
    // Always from the base heights: the knots already show the list's earlier edits.
    if (force || m_pDialog->EditList().GetCount() > m_pTerrain->m_newEdits.GetCount())
        m_pTerrain->ApplyTerrainEdits(m_pDialog->EditList(), 1);
    m_pTerrainClump = m_pTerrain->BuildPreviewMesh(m_pDialog->Scale());
    if (m_pTerrainClump == nullptr || !BuildMarker())
        return FALSE;
    if (r3d::Scene* scene = m_pDialog->GetScene()) {
        scene->Add(*m_pTerrainClump);
        scene->Add(*m_pMarker);
    }
    TurnMesh(m_fYaw);
    PlaceMarker(m_pDialog->GetSelectedKnot());
    return TRUE;
}

BOOL CTerrainPreviewWnd::BuildMarker() {
    r3d::ClumpBuilder builder;
    builder.SetSurfaceFactors(0.4f, 0.4f, 0.2f);
    builder.SetColor(1.0f, 0.0f, 0.0f);
    builder.SetOpacity(1.0f);
    builder.SetDrawStyle(r3d::DrawStyle::Solid);
    builder.AddSphere(static_cast<float>(std::fabs(m_pTerrain->m_fGridSpacing * 0.25 / m_pDialog->Scale())),
                      4);
    m_pMarker = builder.Finish();
    return m_pMarker != nullptr;
}

void CTerrainPreviewWnd::TurnMesh(double degrees) {
    if (m_pTerrainClump != nullptr)
        m_pTerrainClump->Transform(r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, static_cast<float>(degrees)),
                                   r3d::Combine::After);
}

void CTerrainPreviewWnd::PlaceMarker(int knot) {
    r3d::Vec3 vertex;
    if (m_pMarker == nullptr || m_pTerrainClump == nullptr || !m_pTerrainClump->GetVertex(knot + 1, vertex))
        return;
    m_pMarker->Transform(r3d::Matrix::Translation(m_pTerrainClump->WorldMatrix().TransformPoint(vertex)),
                         r3d::Combine::Replace);
}

// ---- Painting ----

void CTerrainPreviewWnd::RenderPicture() {
    r3d::Scene* scene = m_pDialog != nullptr ? m_pDialog->GetScene() : nullptr;
    if (scene == nullptr || m_pCamera == nullptr || !m_pCamera->BeginUpdate())
        return;
    m_pCamera->Clear();
    scene->Render(*m_pCamera);
    m_pCamera->EndUpdate();
}

void CTerrainPreviewWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    RenderPicture();
    const bool rendered = m_pDialog != nullptr && m_pDialog->GetScene() != nullptr && m_pCamera != nullptr &&
                          !m_pCamera->Picture().Empty();
    if (rendered)
        r3d::RasterDib(m_pCamera->Picture()).Draw(dc, 0, 0, m_nWidth, m_nHeight);
    else
        dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
}

// The frame shows whether the keys reach the picture.
void CTerrainPreviewWnd::OnNcPaint() {
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    const CRect frame(0, 0, window.Width(), window.Height());
    const COLORREF colour = GetFocus() == this ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNSHADOW);
    dc.Draw3dRect(&frame, colour, colour);
}

void CTerrainPreviewWnd::OnSetFocus(CWnd* oldWindow) {
    CStatic::OnSetFocus(oldWindow);
    OnNcPaint();
}

void CTerrainPreviewWnd::OnKillFocus(CWnd* newWindow) {
    CStatic::OnKillFocus(newWindow);
    OnNcPaint();
}

UINT CTerrainPreviewWnd::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}

// ---- Picking and dragging ----

bool CTerrainPreviewWnd::MarkerCentreX(int& x) const {
    const std::optional<r3d::Rect> rect = m_pCamera->ScreenRect(*m_pMarker);
    if (!rect)
        return false;
    x = rect->x + rect->width / 2;
    return true;
}

void CTerrainPreviewWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (GetFocus() != this)
        SetFocus();
    if (m_pCamera == nullptr || m_pMarker == nullptr || m_pDialog == nullptr ||
        m_pDialog->GetScene() == nullptr)
        return;
    if (flags & MK_CONTROL) {
        const std::optional<r3d::Rect> rect = m_pCamera->ScreenRect(*m_pMarker);
        if (rect && point.x >= rect->x && point.x < rect->x + rect->width && point.y >= rect->y &&
            point.y < rect->y + rect->height) {
            m_nMarkerX = rect->x + rect->width / 2;
            StartDrag(m_pDialog->GetSelectedKnot());
        }
        return;
    }
    const std::optional<r3d::PickResult> pick =
        m_pDialog->GetScene()->Pick(*m_pCamera, static_cast<float>(point.x), static_cast<float>(point.y));
    if (!pick || pick->clump != m_pTerrainClump.get())
        return;
    m_pDialog->UpdateSelection(pick->vertex - 1, TRUE);
    if (MarkerCentreX(m_nMarkerX))
        StartDrag(m_pDialog->GetSelectedKnot());
}

void CTerrainPreviewWnd::StartDrag(int knot) {
    if (knot >= m_pTerrain->InnerKnotCount() && m_pTerrain->m_bFixedBorder)
        return;
    m_bDragging = 1;
    SetCapture();
}

void CTerrainPreviewWnd::OnMouseMove(UINT, CPoint point) {
    if (!m_bDragging)
        return;
    const r3d::Vec3 p = PickGroundPoint(*m_pMarker, *m_pCamera, m_nMarkerX, point.y);
    m_pMarker->Transform(r3d::Matrix::Translation(p - m_pMarker->Position()), r3d::Combine::After);
    Invalidate(FALSE);
    UpdateWindow();
    m_pDialog->ShowElevation(p.y * m_pDialog->Scale());
}

void CTerrainPreviewWnd::OnLButtonUp(UINT, CPoint) {
    if (!m_bDragging)
        return;
    ReleaseCapture();
    m_bDragging = 0;
    m_pDialog->ApplyKnotHeight(m_pMarker->Position().y);
}

void CTerrainPreviewWnd::OnCancelMode() {
    OnLButtonUp(0, CPoint());
    CStatic::OnCancelMode();
}

// ---- Keys ----

void CTerrainPreviewWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (m_pCamera == nullptr) {
        CStatic::OnKeyDown(key, repeat, flags);
        return;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_HOME) {
        TurnBackToTerrainAngle();
    } else if (!MoveCamera(key, shift, ctrl)) {
        CStatic::OnKeyDown(key, repeat, flags);
        return;
    }
    Invalidate(FALSE);
    UpdateWindow();
}

bool CTerrainPreviewWnd::MoveCamera(UINT key, bool shift, bool ctrl) {
    r3d::Camera& camera = *m_pCamera;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT: {
            const float sign = key == VK_LEFT ? -1.0f : 1.0f;
            if (shift)
                camera.MoveAlongAxes({sign * kStep, 0.0f, 0.0f});
            else if (ctrl)
                camera.Roll(sign * kTurn);
            else
                camera.Turn(-sign * kTurn);
            return true;
        }
        case VK_UP:
        case VK_DOWN: {
            const float sign = key == VK_UP ? 1.0f : -1.0f;
            if (shift)
                camera.MoveAlongAxes({0.0f, sign * kStep, 0.0f});
            else if (ctrl)
                camera.Tilt(-sign * kTurn);
            else
                camera.MoveBy(camera.Forward() * (sign * kStep));
            return true;
        }
        case VK_PRIOR:
            camera.MoveAlongAxes({0.0f, kStep, 0.0f});
            return true;
        case VK_NEXT:
            camera.MoveAlongAxes({0.0f, -kStep, 0.0f});
            return true;
        default:
            return false;
    }
}

void CTerrainPreviewWnd::TurnBackToTerrainAngle() {
    const double difference = m_fWorldYaw - m_fYaw;
    if (std::fabs(difference) > 1e-9)
        m_pDialog->RotateView(difference, TRUE, FALSE);
    SetupCamera();
}
