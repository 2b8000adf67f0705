#include "drawing/DimensionProperties.h"

#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/PropertiesClassSteps.h"

namespace {

void PlaceFirstArm(CPaint& copy) {
    if (auto* angle = dynamic_cast<CSizeAngle*>(&copy))
        angle->m_bFirstArm = 0;
}

// The preview shows the dimension line as a plain figure; what the dialog hands back carries
// its label again.
void HideLabel(CPaint& copy) {
    if (auto* line = dynamic_cast<CSizeLine*>(&copy))
        line->m_bLabel = 0;
}

void ShowLabel(CPaint& copy) {
    if (auto* line = dynamic_cast<CSizeLine*>(&copy))
        line->m_bLabel = 1;
}

}  // namespace

void RegisterDimensionPropertiesSteps() {
    PropertiesClassSteps steps;
    steps.prepareCopy = PlaceFirstArm;
    steps.prepareResult = PlaceFirstArm;
    RegisterPropertiesClassSteps("CSizeAngle", std::move(steps));
    PropertiesClassSteps line;
    line.prepareCopy = HideLabel;
    line.prepareResult = ShowLabel;
    RegisterPropertiesClassSteps("CSizeLine", std::move(line));
}
