#pragma once

#include <span>

#include "platform/base/CStringTable.h"

// The prompts of the commands, taken from the command texts, as string-table entries under the
// commands' ids: the status-bar text, a line break, the tool tip.
std::span<const CStringTable::Entry> CommandPrompts();
