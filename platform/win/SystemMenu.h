#pragma once

#include "platform/gdi/CRect.h"

class CWnd;

// The menu a window's system icon opens: Restore, Move, Size, Minimize, Maximize and Close,
// each enabled as the window's state, frame and caption buttons allow. The chosen one goes to
// the window as its system command (WM_SYSCOMMAND).
namespace SystemMenu {
// Opens the menu of window under its icon (a screen rectangle); owner is the top-level window
// it opens from. A second press on the icon within the double-click time closes the window.
void Track(CWnd& window, CWnd& owner, const CRect& icon);
}  // namespace SystemMenu
