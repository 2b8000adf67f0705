#include "view3d/C3DChildFrame.h"

#include "model/CCVNDoc.h"

IMPLEMENT_DYNCREATE(C3DChildFrame, CMDIChildWnd)

void C3DChildFrame::OnClose() {
    if (auto* doc = dynamic_cast<CCVNDoc*>(GetActiveDocument()))
        doc->Set3DFrame(nullptr);
    CMDIChildWnd::OnClose();
}
