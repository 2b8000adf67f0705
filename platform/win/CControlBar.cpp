#include "platform/win/CControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* owner = GetOwner();
    if (owner == nullptr)
        return FALSE;
    owner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}
