#include "view3d/CreationDialog.h"

#include "model/CTool.h"
#include "model/CToolHost.h"

void RunCreationDialog(CTool& tool, const std::function<void()>& dialog) {
    CToolHost* host = tool.m_pHost;
    if (host != nullptr)
        host->SetModalDialogFlag(TRUE);
    dialog();
    tool.m_bStatusRefresh = 1;
    if (host != nullptr)
        host->SetModalDialogFlag(FALSE);
}
