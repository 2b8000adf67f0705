#include "drawing/PropertiesClassSteps.h"

#include <map>
#include <string>

namespace {
std::map<std::string, PropertiesClassSteps>& StepsByClass() {
    static std::map<std::string, PropertiesClassSteps> steps;
    return steps;
}
}  // namespace

void RegisterPropertiesClassSteps(const CString& className, PropertiesClassSteps steps) {
    if (!steps.prepareCopy && !steps.prepareResult)
        StepsByClass().erase(className.c_str());
    else
        StepsByClass()[className.c_str()] = std::move(steps);
}

const PropertiesClassSteps* FindPropertiesClassSteps(const CString& className) {
    const auto found = StepsByClass().find(className.c_str());
    return found != StepsByClass().end() ? &found->second : nullptr;
}
