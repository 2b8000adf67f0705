#pragma once

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

// The program's name, the caption of its message boxes.
void AfxSetAppName(const CString& name);
const CString& AfxGetAppName();
// Shows a message box (through the host, over the active window) and answers the button pressed:
// IDOK, IDCANCEL, IDYES or IDNO; IDCANCEL without a host.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
