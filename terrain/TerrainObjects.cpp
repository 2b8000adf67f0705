#include "terrain/TerrainObjects.h"

#include "drawing/PropertiesClassSteps.h"
#include "model/CToolMode.h"
#include "model/ObjectFactory.h"
#include "terrain/CBenchwork.h"
#include "terrain/CBenchworkPage.h"
#include "terrain/CMount.h"
#include "terrain/CTerrainEditorDialog.h"

void RegisterTerrainObjects() {
    RegisterObjectMaker(GetCreateKindForTool(kToolBenchwork),
                        [](CTool* tool) -> CPaint* { return new CBenchwork(0, tool, 0.0, 0.0); });
    RegisterObjectMaker(GetCreateKindForTool(kToolTerrain),
                        [](CTool* tool) -> CPaint* { return new CMount(0, tool, 0.0, 0.0); });
    PropertiesClassSteps benchwork;
    benchwork.caption = "Benchwork properties";
    benchwork.secondTabLabel = "Benchwork";
    benchwork.makeSecondPage = [] { return std::make_unique<CBenchworkPage>(); };
    RegisterPropertiesClassSteps("CBenchwork", std::move(benchwork));
    PropertiesClassSteps terrain;
    terrain.caption = "Terrain properties";
    terrain.secondTabLabel = "Terrain";
    terrain.makeSecondPage = [] { return std::make_unique<CBenchworkPage>(); };
    terrain.prepareCopy = [](CPaint& copy) {
        if (auto* mount = dynamic_cast<CMount*>(&copy))
            mount->PrepareForProperties(CMount::TerrainInProperties());
    };
    terrain.pointsColor = [](CPaint& copy) -> COLORREF* {
        auto* mount = dynamic_cast<CMount*>(&copy);
        return mount != nullptr ? &mount->m_crGrid : nullptr;
    };
    // Cancel puts back the knots that the terrain editor, opened from the page, may have
    // reshaped meanwhile.
    terrain.onCancel = [](CPaint& copy) {
        auto* mount = dynamic_cast<CMount*>(&copy);
        if (CMount* edited = mount != nullptr ? mount->m_pEditedTerrain : nullptr) {
            edited->RebuildGrid();
            edited->ApplyTerrainEdits(edited->m_newEdits, 1);
        }
    };
    RegisterPropertiesClassSteps("CMount", std::move(terrain));
    CMount::InstallKnotEditor([](CMount& mount, int knot, double, const CPose* pose) {
        RunTerrainEditor(mount, knot, pose, TRUE);
    });
}
