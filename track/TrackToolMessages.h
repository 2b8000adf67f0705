#pragma once

#include "platform/base/CString.h"
#include "platform/ctl/BasicControlDefs.h"

class CDialog;
class CTool;

// The track tools' dialogs and message boxes run with the test trains paused.
INT_PTR RunPaused(CTool& tool, CDialog& dialog);
void ShowPaused(CTool& tool, const CString& text);
// A text of the string table.
void ShowResourceMessage(CTool& tool, UINT id);
