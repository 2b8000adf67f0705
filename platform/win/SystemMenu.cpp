#include "platform/win/SystemMenu.h"

#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"

namespace {
UINT Enabled(bool enabled) {
    return MF_STRING | (enabled ? 0 : MF_GRAYED);
}

// The press that closed the menu, on the icon again and in time after the press that opened it,
// makes a double click on the icon.
bool PressedIconAgain(const CRect& icon, const WindowManager::Press& opening) {
    const WindowManager::Press press = WindowManager::Instance().LastLeftPress();
    return press.number != opening.number && icon.PtInRect(opening.point) && icon.PtInRect(press.point) &&
           press.time - opening.time <= GetDoubleClickTime();
}
}  // namespace

namespace SystemMenu {

void Track(CWnd& window, CWnd& owner, const CRect& icon) {
    const DWORD style = window.GetStyle();
    const bool normal = !window.IsZoomed() && !window.IsIconic();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(Enabled(!normal), SC_RESTORE, "&Restore");
    menu.AppendMenu(Enabled(!window.IsZoomed()), SC_MOVE, "&Move");
    menu.AppendMenu(Enabled(normal && (style & WS_THICKFRAME)), SC_SIZE, "&Size");
    menu.AppendMenu(Enabled(!window.IsIconic() && (style & WS_MINIMIZEBOX)), SC_MINIMIZE, "Mi&nimize");
    menu.AppendMenu(Enabled(!window.IsZoomed() && (style & WS_MAXIMIZEBOX)), SC_MAXIMIZE, "Ma&ximize");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Close");
    const WindowManager::Press opening = WindowManager::Instance().LastLeftPress();
    const UINT chosen = CMenuPopupWnd::TrackBeside(&menu, icon, &owner);
    if (!chosen && IsWindow(&window) && PressedIconAgain(icon, opening))
        window.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    else if (chosen && IsWindow(&window))
        window.SendMessage(WM_SYSCOMMAND, chosen, MAKELPARAM(icon.left, icon.bottom));
}

}  // namespace SystemMenu
