#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

// The raster operations, bitwise on 0x00RRGGBB pixels, from their truth tables.

// Binary operation of a pen P and the destination D (R2_BLACK .. R2_WHITE).
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t destination);
// Ternary operation of pattern P, source S and destination D; the table is bits 16-23 of the code.
std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination);
// Whether a ternary operation reads the source, the pattern.
bool Rop3UsesSource(DWORD rop);
bool Rop3UsesPattern(DWORD rop);
// Whether a pixel of an 8x8 hatch (HS_*) at device point (x, y) is a hatch line.
bool HatchBit(int hatch, int x, int y);
// A colour as a monochrome pixel: black, or white when it is light.
std::uint32_t MonochromePixel(std::uint32_t pixel);
