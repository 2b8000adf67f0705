#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/GdiTypes.h"

// Run-length-compressed .bmp files (BI_RLE8 and BI_RLE4) widened into plain ones, so that every
// reader of plain .bmp files reads them too.

// True when the file's headers say BI_RLE8 or BI_RLE4.
bool IsRunLengthBmp(const std::vector<BYTE>& file);

// The same picture as a plain file: a 40-byte header with BI_RGB, the colour table and the
// decoded rows, bottom-up. Empty when the headers are not those of a run-length picture we read
// (RLE8 at 8 bits, RLE4 at 4 bits, bottom-up, within the largest .bmp read), and for a picture
// larger than the freely expanded size that its compressed data cannot reach. A run or a delta
// that would pass the end of its row or of the picture, and compressed data that stops short,
// end the decode: the pixels not reached keep colour index 0.
std::vector<BYTE> ExpandRunLengthBmp(const std::vector<BYTE>& file);

// The most pixels the compressed data of a picture width pixels wide at 4 or 8 bits can account for: each run
// or absolute stretch the pixels it sets, each end of line, delta or end of bitmap at most one row. Skipped
// pixels cost no bytes, so counting a skip as a whole row lets a picture whose rows are left blank load,
// while a few codes cannot stand for a picture of millions of pixels.
std::uint64_t RunLengthReach(const BYTE* data, std::size_t size, int bitCount, int width);

// Decodes the compressed data into rows of indices (bottom-up, stride bytes apart, zeroed by the
// caller) of a picture of width by height pixels at 4 or 8 bits.
void DecodeRunLength(const BYTE* data, std::size_t size, int bitCount, int width, int height, int stride,
                     BYTE* rows);
