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
    StepsByClass()[className.c_str()] = std::move(steps);
}

void RemovePropertiesClassSteps(const CString& className) {
    StepsByClass().erase(className.c_str());
}

const PropertiesClassSteps* FindPropertiesClassSteps(const CString& className) {
    const auto found = StepsByClass().find(className.c_str());
    return found != StepsByClass().end() ? &found->second : nullptr;
}
