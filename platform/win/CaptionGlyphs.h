#pragma once

#include "platform/gdi/CRect.h"

class CDC;

// The caption buttons (close, maximise, restore, minimise) and the program's small system icon,
// drawn in the classic look. The menu bar of a frame holding a maximised child draws them too.
namespace CaptionGlyphs {
enum Glyph { Close, Maximise, Restore, Minimise };

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kIconSize = 16;

// Pressed: pushed in, the glyph a pixel down and right.
void DrawButton(CDC& dc, const CRect& button, Glyph glyph, bool pressed);
void DrawSystemIcon(CDC& dc, CPoint topLeft);
}  // namespace CaptionGlyphs
