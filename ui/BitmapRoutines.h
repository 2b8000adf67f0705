#pragma once

#include "platform/base/GlobalMemory.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

class CBitmap;
class CDC;
class CPalette;

// Packed device-independent bitmaps: one movable block holding the 40-byte information header,
// the colour table and the pixel rows bottom-up, each padded to a multiple of 4 bytes.
using HDIB = HGLOBAL;

// Results of SaveDIB.
constexpr WORD kDibSaved = 0;
constexpr WORD kDibNotLocked = 3;
constexpr WORD kDibNotWritten = 4;
constexpr WORD kDibMissing = 20;

// The depth of a packed DIB of the bitmap: 1, 4, 8 or 24 bits.
int PackedBitCount(const BITMAP& bitmap);
// Colours in the colour table of a DIB header (the 40-byte or the 12-byte core header).
WORD DibColorCount(const void* dibHeader);
// Bytes of the colour table: 4 per colour after a 40-byte header, 3 after a core header.
WORD DibPaletteSize(const void* dibHeader);
// A packed DIB of the bitmap at 1, 4, 8 or 24 bits (from its planes and bits per pixel), with
// the palette given or the default one; null when the bitmap cannot be read or memory runs out.
HDIB MakePackedDib(CBitmap* bitmap, CPalette* palette);
// 2 to the power of the device's bits per pixel times its planes.
ULONGLONG DeviceColorCount(CDC* dc);
// A palette of the screen's system colours (at most 256: a true-colour screen has no larger
// palette). The same palette stays in one program-wide place until the next call replaces it.
CPalette* CopySystemPalette();
// Writes the DIB to a .bmp file; answers kDibSaved or one of the failure codes. A failed save
// leaves any old file of that name as it was.
WORD SaveDIB(HDIB dib, const char* fileName);
// Frees the block; answers 0.
WORD DestroyDIB(HDIB dib);
