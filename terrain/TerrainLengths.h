#pragma once

#include "platform/base/CString.h"

class CPaint;

// Lengths as the terrain dialogs show and read them: in the length unit of the object's
// document, the default unit while it belongs to none.
CString FormatObjectLength(const CPaint& object, double length);
double ParseObjectLength(const CPaint& object, const CString& text);
