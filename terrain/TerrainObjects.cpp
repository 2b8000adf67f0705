#include "terrain/TerrainObjects.h"

#include "drawing/PropertiesClassSteps.h"
#include "model/CToolMode.h"
#include "model/ObjectFactory.h"
#include "terrain/CBenchwork.h"
#include "terrain/CMount.h"

void RegisterTerrainObjects() {
    RegisterObjectMaker(GetCreateKindForTool(kToolBenchwork),
                        [](CTool* tool) -> CPaint* { return new CBenchwork(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolTerrain),
                        [](CTool* tool) -> CPaint* { return new CMount(0, tool, 0.0, 0.0); });
    PropertiesClassSteps terrain;
    terrain.pointsColor = [](CPaint& copy) -> COLORREF* {
        auto* mount = dynamic_cast<CMount*>(&copy);
        return mount != nullptr ? &mount->m_crGrid : nullptr;
    };
    // Cancel puts back the knots that the terrain's page may have reshaped meanwhile.
    terrain.onCancel = [](CPaint& copy) {
        if (auto* mount = dynamic_cast<CMount*>(&copy)) {
            mount->RebuildGrid();
            mount->ApplyTerrainEdits(mount->m_newEdits, 1);
        }
    };
    RegisterPropertiesClassSteps("CMount", std::move(terrain));
}
