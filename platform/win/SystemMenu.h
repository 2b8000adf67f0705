#pragma once

#include "platform/gdi/CPoint.h"

class CWnd;

// The menu a window's system icon opens: Restore, Minimize, Maximize and Close, each enabled as
// the window's state and caption buttons allow. The chosen one goes to the window as its
// system command (WM_SYSCOMMAND).
namespace SystemMenu {
// Opens the menu of window at a screen point; owner is the top-level window it opens from.
void Track(CWnd& window, CWnd& owner, CPoint screen);
}  // namespace SystemMenu
