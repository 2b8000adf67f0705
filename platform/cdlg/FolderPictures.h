#pragma once

#include "platform/gdi/CRect.h"

class CDC;

// The small pictures of the file dialog's folder line, drawn by us in the classic colours.
namespace FolderPictures {
inline constexpr int kIconWidth = 16;
inline constexpr int kIconHeight = 12;

// A yellow folder with its tab, its top left corner at topLeft; greyed when disabled.
void DrawFolder(CDC& dc, CPoint topLeft, bool enabled);
// The face of the up-one-level button: a folder with an arrow pointing up out of it, moved one
// pixel down and right while the button is held.
void DrawUpOneLevelButton(CDC& dc, const CRect& rect, bool pushed, bool enabled, bool focused);
}  // namespace FolderPictures
