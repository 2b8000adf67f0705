#pragma once

#include "model/CLengthFormat.h"
#include "platform/base/CString.h"

class CPaint;

// Lengths as the terrain dialogs show and read them: in the length unit of the object's
// document, the default unit while it belongs to none.
CLengthFormat ObjectLengths(const CPaint& object);
CString FormatObjectLength(const CPaint& object, double length);
// NaN for a text that is no length, which every range check refuses.
double ParseObjectLength(const CPaint& object, const CString& text);
