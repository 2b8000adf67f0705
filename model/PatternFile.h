#pragma once

#include <array>
#include <memory>

#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"

// The size of a fill-pattern file: an 8 by 8 monochrome pattern, one 16-bit row each.
constexpr int kPatternFileSize = 16;

using PatternFileBytes = std::array<BYTE, kPatternFileSize>;

// Reads the fill pattern named by the text: the name as it stands, then in the program folder's
// "PATTERNS\", then in the folder of profile section "Paths", key "Patterns"; a later attempt
// that works becomes the name. Answers nonzero on success. A file missing or shorter than a
// pattern is reported by name ("Could not read file", through the running CMissingFileReport),
// gives a blank pattern (every bit set) and answers 0; the name is kept. An empty name answers
// 0 at once and leaves the bytes and the bitmap as they were. Within one operation (while a
// CDataFileOperation lives) each name is looked up once and what was found is remembered.
int LoadPatternFile(CString& name, PatternFileBytes& bytes);
// The same into a bitmap, made anew also after a failure.
int LoadPatternFile(CString& name, std::unique_ptr<CBitmap>& bitmap, int flag);

// Writes the bitmap's 16 bytes (all bits set without a bitmap) to the named file, replacing
// it; FALSE, with a message naming the file, when it cannot be written or the name is empty.
BOOL SavePatternFile(const CString& name, const CBitmap* bitmap);
