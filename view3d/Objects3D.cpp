#include "view3d/Objects3D.h"

#include "drawing/PropertiesClassSteps.h"
#include "model/CToolMode.h"
#include "model/ObjectFactory.h"
#include "view3d/C3D.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"

void Register3DObjects() {
    RegisterObjectMaker(GetCreateKindForTool(kToolCamera),
                        [](CTool* tool) -> CPaint* { return new CCamera(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kTool3DObject),
                        [](CTool* tool) -> CPaint* { return new C3D(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kTool3DBitmap),
                        [](CTool* tool) -> CPaint* { return new CSprite(0, tool, 0.0, 0.0); });
    // The 2D properties dialog shows the camera without its angle label; the camera keeps its
    // own label when it takes the result.
    PropertiesClassSteps camera;
    auto hideLabel = [](CPaint& copy) {
        if (auto* shown = dynamic_cast<CCamera*>(&copy))
            shown->m_bShowAngleLabel = 0;
    };
    camera.prepareCopy = hideLabel;
    camera.prepareResult = hideLabel;
    RegisterPropertiesClassSteps("CCamera", std::move(camera));
}
