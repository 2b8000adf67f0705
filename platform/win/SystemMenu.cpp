#include "platform/win/SystemMenu.h"

#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CWnd.h"

namespace {
UINT Enabled(bool enabled) {
    return MF_STRING | (enabled ? 0 : MF_GRAYED);
}
}  // namespace

namespace SystemMenu {

void Track(CWnd& window, CWnd& owner, CPoint screen) {
    const DWORD style = window.GetStyle();
    const bool normal = !window.IsZoomed() && !window.IsIconic();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(Enabled(!normal), SC_RESTORE, "&Restore");
    menu.AppendMenu(Enabled(!window.IsIconic() && (style & WS_MINIMIZEBOX)), SC_MINIMIZE, "Mi&nimize");
    menu.AppendMenu(Enabled(!window.IsZoomed() && (style & WS_MAXIMIZEBOX)), SC_MAXIMIZE, "Ma&ximize");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Close");
    const UINT chosen = CMenuPopupWnd::Track(&menu, screen, &owner);
    if (chosen && IsWindow(&window))
        window.SendMessage(WM_SYSCOMMAND, chosen, MAKELPARAM(screen.x, screen.y));
}

}  // namespace SystemMenu
