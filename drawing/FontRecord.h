#pragma once

#include "platform/gdi/GdiTypes.h"

class CArchive;

// The font record of the labelled drawing objects: five ints (height, width, escapement,
// orientation, weight), eight bytes (italic, underline, strike-out, character set, output
// precision, clip precision, quality, pitch and family), then the face name as a string of
// exactly 32 characters, padded with zero bytes.
void StoreFontRecord(CArchive& ar, const LOGFONT& font);
// Reads a font record. The face name keeps at most 31 characters and its closing zero,
// whatever length the file claims and wherever its first zero byte lies.
LOGFONT LoadFontRecord(CArchive& ar);
