#pragma once

#include <span>

#include "platform/base/CStringTable.h"

// The prompts of the toolbar commands: the status-bar text, a line break, the tool tip.
std::span<const CStringTable::Entry> CommandPrompts();
