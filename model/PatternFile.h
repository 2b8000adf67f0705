#pragma once

#include <memory>

#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"

// The size of a fill-pattern file: an 8 by 8 monochrome pattern, one 16-bit row each.
constexpr int kPatternFileSize = 16;

// Loads the fill pattern named by the text into the bitmap (made when null): the name as it
// stands, then in the program folder's "PATTERNS\", then in the folder of profile section
// "Paths", key "Patterns". Answers nonzero on success; an empty name answers 0 at once and
// the bitmap is then left as it was.
int LoadPatternFile(const CString& name, std::unique_ptr<CBitmap>& bitmap, int flag);
