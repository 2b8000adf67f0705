#pragma once

#include "platform/base/WinTypes.h"

class PixelSurface;

constexpr int kIconWidth = 16;
constexpr int kIconHeight = 15;

// Draws the 16 x 15 picture of a toolbar command into a strip at x = left, over the light
// grey that stands for transparency.
void DrawCommandIcon(PixelSurface& strip, int left, UINT command);
bool HasCommandIcon(UINT command);
