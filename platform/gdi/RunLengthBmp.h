#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/GdiTypes.h"

// Run-length-compressed .bmp files (BI_RLE8 and BI_RLE4) widened into plain ones, so that every
// reader of plain .bmp files reads them too.

// True when the file's headers say BI_RLE8 or BI_RLE4.
bool IsRunLengthBmp(const std::vector<BYTE>& file);

// Where a run-length file keeps its parts, and the plain picture it stands for: its header (with
// BI_RGB) and its description. Nothing when the headers are not those of a run-length picture we
// read (RLE8 at 8 bits, RLE4 at 4 bits, bottom-up, of at most kLargestRunLengthPixels).
struct RunLengthLayout {
    DibDescription dib;
    BITMAPINFOHEADER plainHeader{};
    std::size_t colorsAt = 0;
    std::size_t dataAt = 0;
};
std::optional<RunLengthLayout> RunLengthLayoutOf(const std::vector<BYTE>& file);

// The same picture as a plain file: a 40-byte header with BI_RGB, the colour table and the
// decoded rows, bottom-up. Empty when the headers are not those of a run-length picture we read
// (RLE8 at 8 bits, RLE4 at 4 bits, bottom-up, of at most kLargestRunLengthPixels), before any
// pixel is allocated. A run or a delta that would pass the end of its row or of the picture, and
// compressed data that stops short, end the decode: the pixels not reached keep colour index 0.
std::vector<BYTE> ExpandRunLengthBmp(const std::vector<BYTE>& file);

// Decodes the compressed data a code at a time: each run or absolute stretch is handed on as the
// colour indices (one a byte) of the pixels it sets in its row, counted from the bottom, from its
// first column on. Spans come bottom row first and left to right and set each pixel at most
// once; the pixels no span sets keep index 0. So the work follows the codes, never the width.
using RunLengthSpan = std::function<void(int y, int x, const BYTE* indices, int count)>;
void DecodeRunLengthSpans(const BYTE* data, std::size_t size, int bitCount, int width, int height,
                          const RunLengthSpan& handOn);

// The pixels the file's codes set, each once: those of a picture held as its codes that a draw
// works on. Nothing when the headers are not those of a run-length picture we read.
std::optional<std::uint64_t> RunLengthPixelsSet(const std::vector<BYTE>& file);

// Decodes the compressed data into rows of indices (bottom-up, stride bytes apart, zeroed by the
// caller) of a picture of width by height pixels at 4 or 8 bits.
void DecodeRunLength(const BYTE* data, std::size_t size, int bitCount, int width, int height, int stride,
                     BYTE* rows);
