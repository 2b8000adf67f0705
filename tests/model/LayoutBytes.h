#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

class CCVNDoc;

// A whole layout as its file holds it, written into memory, and read back from such bytes (a
// failed read throws the archive's exception).
std::vector<BYTE> SaveLayoutBytes(CCVNDoc& doc);
void LoadLayoutBytes(CCVNDoc& doc, const std::vector<BYTE>& bytes);
