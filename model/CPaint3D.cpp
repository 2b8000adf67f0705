#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"

namespace {

void SetDrawStyleDeep(r3d::Clump& model, r3d::DrawStyle style) {
    model.SetDrawStyle(style);
    for (const std::unique_ptr<r3d::Clump>& child : model.Children()) SetDrawStyleDeep(*child, style);
}

}  // namespace

std::unique_ptr<r3d::Clump> CPaint::Build3D(const CPose*) {
    return nullptr;
}

int CPaint::Update3D(const CPose* pose) {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host == nullptr || !host->Has3DWindow())
        return 0;
    r3d::Scene* scene = host->GetScene();
    if (m_hModel != nullptr && scene != nullptr)
        m_hModel.reset();
    if (!m_pTool->IsLayerVisible(m_nLayer))
        return 0;
    m_hModel = Build3D(pose);
    if (m_hModel == nullptr)
        return 0;
    if (scene != nullptr)
        scene->Add(*m_hModel);
    host->RenderActive3DView();
    return 1;
}

void CPaint::Update3DByLayer() {
    if (m_pTool != nullptr && m_pTool->IsLayerVisible(m_nLayer))
        Update3D(&m_parentPose);
    else
        Remove3D();
}

int CPaint::Remove3D() {
    DetachFromTerrain();
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (m_hModel == nullptr || host == nullptr || host->GetScene() == nullptr)
        return 0;
    m_hModel.reset();
    if (host->Has3DWindow())
        host->UpdateAllViews();
    return 1;
}

void CPaint::Translate3D(float dx, float dy, float dz) {
    if (m_hModel == nullptr)
        return;
    const r3d::Matrix shift = r3d::Matrix::Translation({dx, dy, dz});
    m_hModel->Transform(shift, r3d::Combine::After);
}

void CPaint::Rotate3D(float px, float py, float pz, float ax, float ay, float az, float degrees) {
    if (m_hModel == nullptr)
        return;
    // Turns the model about the axis through the pivot point.
    r3d::Matrix turn = r3d::Matrix::Translation({-px, -py, -pz});
    turn.Rotate({ax, ay, az}, degrees, r3d::Combine::After);
    turn.Translate({px, py, pz}, r3d::Combine::After);
    m_hModel->Transform(turn, r3d::Combine::After);
}

void CPaint::ApplyRenderMode() {
    if (m_hModel == nullptr || m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return;
    const int style = m_pTool->m_pHost->Get3DDrawStyle();
    SetDrawStyleDeep(*m_hModel, style == 2 ? r3d::DrawStyle::Wireframe : r3d::DrawStyle::Solid);
}
