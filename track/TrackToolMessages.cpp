#include "track/TrackToolMessages.h"

#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/ctl/CDialog.h"

INT_PTR RunPaused(CTool& tool, CDialog& dialog) {
    CToolHost* host = tool.m_pHost;
    if (host != nullptr)
        host->SetModalDialogFlag(TRUE);
    const INT_PTR result = dialog.DoModal();
    if (host != nullptr)
        host->SetModalDialogFlag(FALSE);
    return result;
}

void ShowPaused(CTool& tool, const CString& text) {
    CToolHost* host = tool.m_pHost;
    if (host == nullptr)
        return;
    host->SetModalDialogFlag(TRUE);
    host->ShowMessage(text);
    host->SetModalDialogFlag(FALSE);
}

void ShowResourceMessage(CTool& tool, UINT id) {
    CString text;
    text.LoadString(id);
    ShowPaused(tool, text);
}
