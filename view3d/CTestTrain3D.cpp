#include <cmath>

#include "model/AssetLoaders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CWinPath.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"
#include "view3d/CTestTrain.h"

// The train in the 3D view: a parent model holding the locomotive (tag 30) and one copy of
// the car (tag 31) per car, each placed and tilted on its two vehicle points.

namespace {

constexpr int kLocoTag = 30;
constexpr int kCarTag = 31;
constexpr double kDegreesPerRadian = 180.0 / 3.1415926535;
// The plan's page corner lies at -8 3D units in x and z.
constexpr double kPlanOrigin3D = 8.0;

r3d::Box DeepBounds(const r3d::Clump& model) {
    r3d::Box box = model.Bounds();
    for (const std::unique_ptr<r3d::Clump>& child : model.Children()) box.Extend(DeepBounds(*child));
    return box;
}

// An extent of nothing would make the scale infinite: a flat model keeps that side as it is.
float NonZero(float extent) {
    return extent > 0.0f && std::isfinite(extent) ? extent : 1.0f;
}

}  // namespace

// A name emptied by an earlier failure is not tried again.
std::unique_ptr<r3d::Clump> CTestTrain::LoadVehicleModel(CString& file, int tag) const {
    if (file.IsEmpty())
        return nullptr;
    std::unique_ptr<r3d::Clump> model = LoadModelFile(file);
    if (model == nullptr) {
        CString text;
        text.LoadString(IDS_COULD_NOT_READ_3D_MODEL);
        AfxMessageBox(text + " " + CWinPath::Native(file), MB_OK | MB_ICONEXCLAMATION);
        file.Empty();
        return nullptr;
    }
    model->SetTag(tag);
    return model;
}

std::unique_ptr<r3d::Clump> CTestTrain::Build3D(const CPose*) {
    return BuildTrainClumps();
}

std::unique_ptr<r3d::Clump> CTestTrain::BuildTrainClumps() {
    if (m_strLocoFile.IsEmpty() || m_vehicles.size() < 2 || m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return nullptr;
    CToolHost* host = m_pTool->m_pHost;
    host->Refresh3DSearchFolders();
    host->BeginWaitCursor();
    auto train = std::make_unique<r3d::Clump>();
    if (std::unique_ptr<r3d::Clump> loco = LoadVehicleModel(m_strLocoFile, kLocoTag))
        train->AddChild(std::move(loco));
    if (std::unique_ptr<r3d::Clump> car = LoadVehicleModel(m_strCarFile, kCarTag);
        car != nullptr && m_nCarCount > 0) {
        const r3d::Clump* previous = train->AddChild(std::move(car));
        for (int i = 2; i <= m_nCarCount; ++i) previous = train->AddChild(previous->Clone());
    }
    host->EndWaitCursor();
    return train;
}

int CTestTrain::Update3D(const CPose* pose) {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host == nullptr || !host->Has3DWindow())
        return 0;
    if (m_bRebuild3D || m_hModel == nullptr) {
        r3d::Scene* scene = host->GetScene();
        if (scene != nullptr)
            m_hModel.reset();
        m_hModel = Build3D(pose);
        if (m_hModel == nullptr)
            return 0;
        // Every vehicle takes the document's draw style.
        ApplyRenderMode();
        if (scene != nullptr)
            scene->Add(*m_hModel);
        m_bRebuild3D = 0;
    }
    int vehicle = 0;
    for (const std::unique_ptr<r3d::Clump>& child : m_hModel->Children()) {
        if (vehicle >= VehicleCount())
            break;
        PlaceVehicleModel(*child, vehicle++);
    }
    host->RenderActive3DView();
    return 1;
}

// The model lies along x, scaled to the vehicle's length, the gauge and 1.2 gauges across,
// standing on y = 0, then tilted by the grade, turned to the heading and set on the vehicle's
// middle.
void CTestTrain::PlaceVehicleModel(r3d::Clump& model, int vehicle) const {
    const double s = m_pTool->m_pHost->Get3DScale();
    if (!(s > 0.0))
        return;
    const CDoublePoint front = m_vehicles[2 * vehicle];
    const CDoublePoint back = m_vehicles[2 * vehicle + 1];
    const double frontElevation = m_elevations[2 * vehicle];
    const double backElevation = m_elevations[2 * vehicle + 1];
    model.ResetTransform();
    model.Transform(r3d::Matrix::Translation(-model.Position()), r3d::Combine::Replace);
    model.Transform(r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, -90.0f), r3d::Combine::After);
    r3d::Box box = DeepBounds(model);
    const double ex = NonZero(box.max.x - box.min.x);
    const double ez = NonZero(box.max.z - box.min.z);
    const double length = m_fCarLength * m_fGauge;
    const double gauge = m_fGauge;
    const r3d::Vec3 scale{static_cast<float>(length / (s * ex)),
                          static_cast<float>(std::hypot(length, gauge) / (s * std::hypot(ex, ez))),
                          static_cast<float>(1.2 * gauge / (s * ez))};
    model.Transform(r3d::Matrix::Scaling(scale), r3d::Combine::After);
    box = DeepBounds(model);
    const r3d::Vec3 centre = box.Centre();
    model.Transform(r3d::Matrix::Translation({-centre.x, -box.min.y, -centre.z}), r3d::Combine::After);
    const double run = std::hypot(front.x - back.x, front.y - back.y);
    const double pitch = std::atan2(frontElevation - backElevation, run) * kDegreesPerRadian;
    const double heading = std::atan2(front.y - back.y, front.x - back.x) * kDegreesPerRadian;
    model.Transform(r3d::Matrix::Rotation({0.0f, 0.0f, 1.0f}, static_cast<float>(pitch)),
                    r3d::Combine::After);
    model.Transform(r3d::Matrix::Rotation({0.0f, 1.0f, 0.0f}, static_cast<float>(heading)),
                    r3d::Combine::After);
    const double midX = (front.x + back.x) / 2.0;
    const double midY = (front.y + back.y) / 2.0;
    const double elevation = (frontElevation + backElevation) / 2.0;
    model.Transform(r3d::Matrix::Translation({static_cast<float>(midX / s - kPlanOrigin3D),
                                              static_cast<float>(elevation / s),
                                              static_cast<float>(-midY / s - kPlanOrigin3D)}),
                    r3d::Combine::After);
}
