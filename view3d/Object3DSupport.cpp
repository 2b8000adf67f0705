#include "view3d/Object3DSupport.h"

#include <algorithm>

#include "model/CEditStep.h"
#include "model/CGroundSurface.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"

namespace object3d {

namespace {

bool IsBase(CPaint* member) {
    const CString name = member->GetClassName();
    return name == "CBenchwork" || name == "CMount";
}

// A lift in the 3D view writes the elevation of the model's lowest point, so the two agree
// to the bit while the model stands where the object says.
bool ModelStandsElsewhere(const CPaint& object, double elevation) {
    const double scale = Scale3D(object);
    return object.m_hModel != nullptr && scale > 0.0 && scale * object.m_hModel->Bounds().min.y != elevation;
}

bool BuildModel(CPaint& object, const CPose* pose, int& rebuild, r3d::Scene* scene) {
    object.m_hModel = object.Build3D(pose);
    if (object.m_hModel == nullptr)
        return false;
    if (scene != nullptr)
        scene->Add(*object.m_hModel);
    rebuild = 0;
    return true;
}

}  // namespace

double Scale3D(const CPaint& object) {
    const CTool* tool = object.m_pTool;
    return tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->Get3DScale() : 0.0;
}

// A model speaks for the elevation only in the open 3D window, where a lift moves it: one the
// closed window left behind may still stand where the elevation was before a later change.
void RefreshElevationFromModel(const CPaint& object, double& elevation) {
    const double scale = Scale3D(object);
    if (object.m_hModel != nullptr && scale > 0.0 && object.m_pTool->m_pHost->Has3DWindow())
        elevation = scale * object.m_hModel->Bounds().min.y;
}

int ApplyElevationStep(CPaint& object, CEditStep* step, double& elevation) {
    const HeightPayload* height = step->GetPayload<HeightPayload>();
    if (height == nullptr || height->index != 0)
        return 0;
    elevation = height->value;
    if (ModelStandsElsewhere(object, elevation))
        RefitModel(object);
    return 1;
}

// A model that cannot be fitted (its window closed) goes, so that saving does not take the
// elevation back from it.
void RefitModel(CPaint& object) {
    if (!object.Update3D(&object.m_parentPose))
        object.m_hModel.reset();
}

double HighestBaseAt(CPaint& object, CDoublePoint world) {
    CTool* tool = object.m_pTool;
    CGroup* group = tool != nullptr ? tool->GetCurrentGroup() : nullptr;
    if (group == nullptr)
        return 0.0;
    tool->m_fProbeX = world.x;
    tool->m_fProbeY = world.y;
    double highest = 0.0;
    for (CPaint* member : group->m_members) {
        auto* ground = dynamic_cast<CGroundSurface*>(member);
        if (ground != nullptr && IsBase(member) && member->m_nLayer == object.m_nLayer &&
            ground->PtInOutline())
            highest = std::max(highest, ground->GetTopAt(world.x, world.y));
    }
    return highest;
}

void PlaceOnBaseAt(CPaint& object, CDoublePoint world, double& elevation) {
    object.m_pTool->m_fCurrentX = world.x;
    object.m_pTool->m_fCurrentY = world.y;
    const double previous = elevation;
    elevation = HighestBaseAt(object, world);
    object.SetHeight(0, previous, 0, 1, 0);
}

bool ReadyModel(CPaint& object, const CPose* pose, int& rebuild, r3d::Scene* scene, bool buildHidden) {
    const bool visible = object.m_pTool->IsLayerVisible(object.m_nLayer);
    if (rebuild || object.m_hModel == nullptr) {
        object.m_hModel.reset();
        if ((!visible && !buildHidden) || !BuildModel(object, pose, rebuild, scene))
            return false;
    }
    if (!visible) {
        object.m_hModel.reset();
        return false;
    }
    return true;
}

}  // namespace object3d
