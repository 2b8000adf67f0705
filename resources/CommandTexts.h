#pragma once

#include <span>

#include "platform/base/WinTypes.h"

// What the program calls a command: the text of its menu entry, null when no menu offers it,
// and its prompt: the status-bar text and, after a line break, the tool tip (the whole prompt
// serves as both without one). Menus, prompts and tool tips all come from this one table.
struct CommandText {
    UINT id;
    const char* menu;
    const char* prompt;
};

std::span<const CommandText> CommandTexts();

// The menu text of a command; null for a command that no menu offers.
const char* MenuTextOf(UINT id);
