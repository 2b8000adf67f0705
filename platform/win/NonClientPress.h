#pragma once

#include "platform/win/WinDefs.h"

class CWnd;

// The one part of a window's frame the mouse holds down, drawn pushed in while the mouse stays
// on it: a caption button (HTCLOSE, HTMAXBUTTON ...) or a scroll-bar arrow (HTVSCROLL or
// HTHSCROLL with the ScrollBarGeometry part).
namespace NonClientPress {
void Show(CWnd& window, UINT hit, int part = 0);
// Nothing is held any more; the window that was is redrawn when it still exists.
void Clear();
// The caption button of window drawn pressed, or HTNOWHERE.
UINT PressedButton(const CWnd& window);
// The part of window's bar (SB_HORZ or SB_VERT) drawn pressed, or 0.
int PressedScrollPart(const CWnd& window, int bar);
}  // namespace NonClientPress
