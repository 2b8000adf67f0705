#pragma once

#include <functional>

#include "platform/base/CString.h"

class CPaint;

// What "2D Object properties" does for one class beyond the common steps: the classes that
// keep a flag of their own on the working copy (the dimension objects, the camera) register
// here under their class name.
struct PropertiesClassSteps {
    // Runs on the working copy right after it is cloned.
    std::function<void(CPaint& copy)> prepareCopy;
    // Runs on the working copy before the result is cloned from it.
    std::function<void(CPaint& copy)> prepareResult;
};

// Replaces the steps of the class; empty steps remove them.
void RegisterPropertiesClassSteps(const CString& className, PropertiesClassSteps steps);
// Null when the class registered none.
const PropertiesClassSteps* FindPropertiesClassSteps(const CString& className);
