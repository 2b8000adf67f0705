#pragma once

#include <span>

#include "platform/base/CStringTable.h"

// Ids of the program's strings.
enum StringId : UINT {
    IDS_VERSION = 1,
};

std::span<const CStringTable::Entry> ProgramStrings();
