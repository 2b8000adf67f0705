#pragma once

#include "platform/win/WinDefs.h"

class CWnd;

// The one part of a window's frame the mouse holds down, drawn pushed in while the mouse stays
// on it: a caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON), a scroll-bar arrow (HTVSCROLL or
// HTHSCROLL with the ScrollBarGeometry part), or a maximised child's button on the menu bar
// (HTMENU with the button's hit code).
namespace NonClientPress {
void Show(CWnd& window, UINT hit, int part = 0);
// Nothing is held any more; the window that was is redrawn when it still exists.
void Clear();
// The caption button of window drawn pressed, or HTNOWHERE.
UINT PressedButton(const CWnd& window);
// The part of window's scroll bar or menu bar (hit: HTVSCROLL, HTHSCROLL or HTMENU) drawn
// pressed, or 0.
int PressedPart(const CWnd& window, UINT hit);
}  // namespace NonClientPress
