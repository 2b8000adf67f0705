#include <algorithm>
#include <cmath>

#include "model/AssetLoaders.h"
#include "model/CMissingFileReport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/r3d/Texture.h"
#include "resources/StringTable.h"
#include "view3d/C3D.h"
#include "view3d/Object3DSupport.h"
#include "view3d/TextureMask.h"

// The 3D side of a 3D shape: its model loaded and fitted to the box, and the footprint that
// the plan draws.

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.1415926535;
// The plan's origin lies at this corner of the 3D world.
constexpr double kWorldOffset = 8.0;

// An extent of nothing would scale to infinity: a flat model keeps its size on that axis.
float Extent(float low, float high) {
    const float extent = std::fabs(high - low);
    return extent > 0.0f ? extent : 1.0f;
}

void ReportMissingModel(const CString& name) {
    CString fileName, extension;
    CWinPath::Split(name.c_str(), nullptr, nullptr, &fileName, &extension);
    CMissingFileReport::ShowFile(CStringTable::Text(IDS_COULD_NOT_READ_3D_MODEL), fileName + extension);
}

}  // namespace

std::unique_ptr<r3d::Clump> C3D::Build3D(const CPose*) {
    if (m_strModelFile.IsEmpty())
        return nullptr;
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host != nullptr) {
        host->BeginWaitCursor();
        host->Refresh3DSearchFolders();
    }
    std::unique_ptr<r3d::Clump> model = LoadModelFile(m_strModelFile);
    if (model == nullptr) {
        // The name stays, so that a layout opened without its data folder keeps its models.
        if (!m_bMissingReported) {
            m_bMissingReported = 1;
            ReportMissingModel(m_strModelFile);
        }
    } else {
        model->SetTag(kModelTag);
        model->SetDrawStyle(host != nullptr && host->Get3DDrawStyle() == 2 ? r3d::DrawStyle::Wireframe
                                                                           : r3d::DrawStyle::Solid);
        // A missing texture is reported once; the model keeps its own surfaces meanwhile.
        CString texture = m_strTexture;
        std::shared_ptr<r3d::Texture> surface =
            texture.IsEmpty() ? nullptr : LoadTextureFile(texture, !m_bTextureReported);
        if (surface == nullptr && !texture.IsEmpty())
            m_bTextureReported = 1;
        if (surface != nullptr) {
            ApplyTextureMask(texture, *surface);
            model->SetTexture(surface);
        }
    }
    if (host != nullptr)
        host->EndWaitCursor();
    return model;
}

int C3D::Update3D(const CPose* pose) {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host == nullptr || (!host->Has3DWindow() && !m_bShowOn2DPlan) || !HasPoints())
        return 0;
    r3d::Scene* scene = host->GetScene();
    if (!object3d::ReadyModel(*this, pose, m_bNeedsRebuild, scene, true))
        return 0;
    // A model built for the plan alone joins the scene once there is one.
    if (scene != nullptr && m_hModel->InScene() == nullptr)
        scene->Add(*m_hModel);
    FitModelToBox(FrameOf(pose));
    if (host->Has3DWindow())
        host->RenderActive3DView();
    return 1;
}

void C3D::FitModelToBox(const CPose& frame) {
    const double scale = Scale3D();
    if (scale <= 0.0)
        return;
    r3d::Clump& model = *m_hModel;
    model.ResetTransform();
    model.Orient(m_orientation, r3d::Combine::Replace);
    const r3d::Vec3 position = model.Position();
    Translate3D(-position.x, -position.y, -position.z);
    const double width = std::fabs(m_points[3].x - m_points[1].x);
    const double depth = std::fabs(m_points[1].y - m_points[3].y);
    // A negative height flattens the model and is kept as nothing.
    m_fHeight = std::max(m_fHeight, 0.0);
    r3d::Box bounds = model.Bounds();
    const r3d::Vec3 factors{static_cast<float>(width / scale / Extent(bounds.min.x, bounds.max.x)),
                            static_cast<float>(m_fHeight / scale / Extent(bounds.min.y, bounds.max.y)),
                            static_cast<float>(depth / scale / Extent(bounds.min.z, bounds.max.z))};
    model.Transform(r3d::Matrix::Scaling(factors), r3d::Combine::After);
    bounds = model.Bounds();
    Translate3D(-(bounds.max.x + bounds.min.x) / 2.0f,
                static_cast<float>(m_fElevation / scale) - bounds.min.y,
                -(bounds.max.z + bounds.min.z) / 2.0f);
    ComputeFootprint(&frame);
    Rotate3D(0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f,
             static_cast<float>((m_pose.angle + frame.angle) * kDegreesPerRadian));
    const CDoublePoint centre = BoxCentre();
    const CDoublePoint world = LocalToWorldInFrame(frame, centre.x, centre.y);
    Translate3D(static_cast<float>(world.x / scale - kWorldOffset), 0.0f,
                static_cast<float>(-(world.y / scale) - kWorldOffset));
}

void C3D::ComputeFootprint(const CPose* pose) {
    m_footprint.clear();
    const double scale = Scale3D();
    if (m_hModel == nullptr || m_hModel->VertexCount() <= 0 || scale <= 0.0)
        return;
    const CDoublePoint centre = BoxCentre();
    const r3d::Matrix matrix = m_hModel->LocalMatrix();
    CDoublePoint low{0.0, 0.0}, high{0.0, 0.0};
    for (int i = 1; i <= m_hModel->VertexCount(); ++i) {
        r3d::Vec3 vertex;
        // A vertex that cannot be read keeps its place with the box centre, so that the
        // polygons' vertex numbers still name their own points.
        if (!m_hModel->GetVertex(i, vertex)) {
            m_footprint.push_back(centre);
            continue;
        }
        const r3d::Vec3 v = matrix.TransformPoint(vertex);
        const CDoublePoint q{centre.x + scale * v.x, centre.y - scale * v.z};
        if (m_footprint.empty()) {
            low = high = q;
        } else {
            low = {std::min(low.x, q.x), std::min(low.y, q.y)};
            high = {std::max(high.x, q.x), std::max(high.y, q.y)};
        }
        m_footprint.push_back(q);
    }
    auto shiftInto = [](double boxLow, double boxHigh, double low, double high) {
        if (high > boxHigh)
            return std::trunc(boxHigh - high);
        if (low < boxLow)
            return std::trunc(boxLow - low);
        return 0.0;
    };
    const double dx = shiftInto(std::min(m_points[1].x, m_points[3].x),
                                std::max(m_points[1].x, m_points[3].x), low.x, high.x);
    const double dy = shiftInto(std::min(m_points[1].y, m_points[3].y),
                                std::max(m_points[1].y, m_points[3].y), low.y, high.y);
    const CPose& frame = FrameOf(pose);
    for (CDoublePoint& point : m_footprint) point = LocalToWorldInFrame(frame, point.x + dx, point.y + dy);
}
