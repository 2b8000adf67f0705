#pragma once

#include <functional>
#include <memory>

#include "platform/base/CString.h"

class C2DPropertyDialog;
class CPages;
class CPaint;

// What "2D Object properties" does for one class beyond the common steps, registered under the
// class name: flags of the dimension objects and the camera on the working copy, the benchwork
// and terrain caption and second page, the terrain's controls on the Line page and its restore
// on Cancel.
struct PropertiesClassSteps {
    // Runs on the working copy right after it is cloned.
    std::function<void(CPaint& copy)> prepareCopy;
    // Runs on the working copy before the result is cloned from it.
    std::function<void(CPaint& copy)> prepareResult;
    // The dialog's caption instead of the template's, when not empty.
    CString caption;
    // A second tab instead of "Fill".
    CString secondTabLabel;
    std::function<std::unique_ptr<CPages>()> makeSecondPage;
    // The terrain's points colour on the working copy; when given, the Line page also shows
    // its points colour and the "Inside" fill controls.
    std::function<COLORREF*(CPaint& copy)> pointsColor;
    // Runs when the dialog is cancelled, with the working copy.
    std::function<void(CPaint& copy)> onCancel;
};

// Replaces the steps of the class.
void RegisterPropertiesClassSteps(const CString& className, PropertiesClassSteps steps);
void RemovePropertiesClassSteps(const CString& className);
// Null when the class registered none.
const PropertiesClassSteps* FindPropertiesClassSteps(const CString& className);
