#pragma once

#include "platform/base/WinTypes.h"

class CursorPicture;

// Draws the program cursor of the id into picture; false for an id the program has no cursor for.
bool DrawProgramCursor(UINT id, CursorPicture& picture);
// Hands every program cursor to the platform layer, so that loading one by id finds it.
void RegisterProgramCursors();
