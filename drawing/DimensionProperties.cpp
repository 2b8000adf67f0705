#include "drawing/DimensionProperties.h"

#include "drawing/CSizeAngle.h"
#include "drawing/PropertiesClassSteps.h"

namespace {

void PlaceFirstArm(CPaint& copy) {
    if (auto* angle = dynamic_cast<CSizeAngle*>(&copy))
        angle->m_bFirstArm = 0;
}

}  // namespace

void RegisterDimensionPropertiesSteps() {
    PropertiesClassSteps steps;
    steps.prepareCopy = PlaceFirstArm;
    steps.prepareResult = PlaceFirstArm;
    RegisterPropertiesClassSteps("CSizeAngle", std::move(steps));
}
