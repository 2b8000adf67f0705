#pragma once

#include "platform/gdi/CRect.h"
#include "platform/win/WinDefs.h"

class CDC;
class CWnd;

// The parts of a window around its client area, in the classic grey look: frame, caption,
// menu bar, client edge.
namespace NonClientPainter {
// Left, top, right and bottom thickness of the non-client area.
CRect Insets(const CWnd& window);
void Paint(CWnd& window, CDC& dc);
// The window's scroll bars (grey when it is disabled, a held arrow pushed in) and the size box
// between them.
void PaintScrollBars(const CWnd& window, CDC& dc);
// A minimised child window's size: its caption in its frame.
CSize IconicSize(const CWnd& window);
// HTLEFT ... HTBOTTOMRIGHT on a sizing border, a caption button or icon, HTCAPTION, HTMENU,
// HTVSCROLL, HTHSCROLL, or HTBORDER for a window point outside the client area.
UINT HitTest(const CWnd& window, POINT windowPoint);
// The caption's close (HTCLOSE), maximise-restore (HTMAXBUTTON) or minimise (HTMINBUTTON)
// button, or its system icon (HTSYSMENU), in window coordinates; empty when the window has none.
CRect CaptionButtonRect(const CWnd& window, UINT hit);
// The minimise (HTMINBUTTON), restore (HTMAXBUTTON) or close (HTCLOSE) button of the maximised
// child a frame's menu bar shows at its right end, in window coordinates; empty without one.
CRect MenuBarButtonRect(const CWnd& window, UINT hit);
// The icon of that maximised child at the menu bar's left end; empty without one.
CRect MenuBarIconRect(const CWnd& window);
// The menu-bar rectangle in window coordinates (empty without a menu bar).
CRect MenuBarRect(const CWnd& window);
// A menu-bar item's rectangle in window coordinates (empty when there is no such item).
CRect MenuBarItemRect(const CWnd& window, int item);
// The menu-bar item under a window point, or -1; itemRect receives its rectangle.
int MenuBarItemAt(const CWnd& window, POINT windowPoint, CRect* itemRect);
}  // namespace NonClientPainter
