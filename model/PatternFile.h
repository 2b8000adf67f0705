#pragma once

#include <memory>

#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"

// The size of a fill-pattern file: an 8 by 8 monochrome pattern, one 16-bit row each.
constexpr int kPatternFileSize = 16;

// Loads the fill pattern named by the text into the bitmap (made when null): the name as it
// stands, then in the program folder's "PATTERNS\", then in the folder of profile section
// "Paths", key "Patterns"; a later attempt that works becomes the name. Answers nonzero on
// success; a file missing or shorter than a pattern answers 0 with a blank bitmap (every bit
// set); an empty name answers 0 at once and the bitmap is then left as it was.
int LoadPatternFile(CString& name, std::unique_ptr<CBitmap>& bitmap, int flag);

// Writes the bitmap's 16 bytes (all bits set without a bitmap) to the named file, replacing
// it; FALSE, with a message naming the file, when it cannot be written or the name is empty.
BOOL SavePatternFile(const CString& name, const CBitmap* bitmap);
