#pragma once

#include <span>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// The program's string table: ids and texts registered once at start-up by the resources.
class CStringTable {
public:
    struct Entry {
        UINT id;
        const char* text;
    };

    // Adds entries; a later entry with an id already present replaces the earlier text.
    static void Register(std::span<const Entry> entries);
    // The text of an id, or null when the table has none.
    static const char* Find(UINT id);
    // The text of an id as a string; empty when the table has none.
    static CString Text(UINT id);
};
