#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelSurface.h"

// The shape of a device-independent bitmap, checked: sizes, row stride, colour table.
struct DibDescription {
    int width = 0;
    int height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;
    int stride = 0;
    int colorEntries = 0;  // RGBQUADs (or the three masks of BI_BITFIELDS) after the header
    std::size_t ImageSize() const { return static_cast<std::size_t>(stride) * height; }
};

// Bytes of one row at a bit depth, padded to a multiple of 4.
int DibStride(int width, int bitCount);
// Checks the header of an uncompressed DIB and describes it; false for anything we cannot read.
bool DescribeDib(const BITMAPINFOHEADER& header, DibDescription& description);
// The colour table a bitmap of this depth gets when the program asks for one.
std::vector<RGBQUAD> DefaultColorTable(int bitCount);

// Pixels of a DIB into a surface of the DIB's size, and back. colors holds colorEntries entries.
// Decoding with a step reduces the picture by that step: each pixel of the surface stands for
// a block of step by step pixels, as their average or, in a picture of 16 colours or fewer, as
// the darkest of them, so that a line one pixel wide still shows.
void DecodeDibPixels(const DibDescription& dib, const RGBQUAD* colors, const BYTE* bits,
                     PixelSurface& surface, int step = 1);
void EncodeDibPixels(const PixelSurface& surface, const DibDescription& dib, const RGBQUAD* colors,
                     BYTE* bits);

// The bits of a DIB section, in its own format.
class DibSectionBits {
  public:
    DibSectionBits(const DibDescription& dib, std::vector<RGBQUAD> colors);
    BYTE* Bits() { return m_bits.data(); }
    const DibDescription& Description() const { return m_dib; }
    const std::vector<RGBQUAD>& Colors() const { return m_colors; }
    void CopyToSurface(PixelSurface& surface) const;
    void CopyFromSurface(const PixelSurface& surface);

  private:
    DibDescription m_dib;
    std::vector<RGBQUAD> m_colors;
    std::vector<BYTE> m_bits;
};

// The most pixels a .bmp file may hold to be read (64 megapixels, 8192 by 8192), whatever its
// depth: every picture read becomes a surface of 4 bytes a pixel.
constexpr int kLargestBmpPixels = 64 * 1024 * 1024;
// A plain file cut short of up to this many pixels (4 MB as a surface) is read whatever little
// data it holds; a larger one only as far as its bytes account for its pixels.
constexpr int kFreelyExpandedPixels = 1024 * 1024;
// The most pixels a run-length file may hold (16 megapixels, 64 MB as a surface), whatever its
// codes: a few bytes may rightly stand for a large blank picture, so no count of them bounds it.
constexpr int kLargestRunLengthPixels = 16 * 1024 * 1024;

// A picture read at a reduced resolution keeps at least this many pixels on its longer side.
constexpr int kSmallestReducedSide = 64;
// The step by which a picture of the size is read to hold no more than the pixels given, nor a
// longer side than the one given: 1 when it holds no more already, else the smallest that makes
// it fit, but never one that leaves its longer side shorter than kSmallestReducedSide.
int ReductionStep(int width, int height, std::size_t shownPixels, int shownSide = INT_MAX);

// The pixels a picture read from the bytes (its headers at least) holds at its smallest reduced
// resolution, as ReductionStep allows it; nothing when they are not those of a bitmap we read.
std::optional<std::size_t> SmallestReadPixels(const std::vector<BYTE>& bytes);
// The pixels the bytes' headers declare; nothing when they are not those of a bitmap we read.
std::optional<std::size_t> DeclaredPixels(const std::vector<BYTE>& bytes);
// The most pixels read of a .bmp picture of the file's kind (kLargestRunLengthPixels for a
// run-length one, else kLargestBmpPixels) when its headers declare more; else nothing.
std::optional<int> ExceededPixelLimit(const std::filesystem::path& path);

// A .bmp file read into a surface; null when the file is missing, is no regular file, holds more
// pixels than the limit or is not a bitmap we read.
struct BmpImage {
    std::shared_ptr<PixelSurface> surface;
    int bitCount = 0;
};
BmpImage ReadBmpFile(const std::filesystem::path& path);
// The size and depth of a picture as read whole.
struct BmpShape {
    int width = 0;
    int height = 0;
    int bitCount = 0;
};
// Read with the bytes in hand, a picture holding more than shownPixels pixels, or a longer side
// than shownSide, is read at the reduced resolution ReductionStep gives.
BmpImage ReadBmpBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels = SIZE_MAX,
                      int shownSide = INT_MAX);
// The same for a file that may be cut short inside its colour table or pixels: the headers
// must be whole and the pixel offset must lie after the information header and within the
// file; what the file lacks reads as zero (black in a true-colour picture). Beyond the freely
// expanded size the file may lack no more pixel bytes than it holds.
// The bytes of a .bmp file as far as its headers say it reaches: a run-length file whole, up to
// the largest file. Nothing when it is missing, is no regular file or its headers are not those of
// a bitmap we read.
std::optional<std::vector<BYTE>> ReadBmpFileBytes(const std::filesystem::path& path);
BmpImage ReadCutShortBmpFile(const std::filesystem::path& path, std::size_t shownPixels = SIZE_MAX,
                             int shownSide = INT_MAX);
BmpImage ReadCutShortBmpBytes(std::vector<BYTE>&& bytes, std::size_t shownPixels = SIZE_MAX,
                              int shownSide = INT_MAX);
// The same, the bytes copied only when the file is cut short.
BmpImage ReadCutShortBmpBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels = SIZE_MAX,
                              int shownSide = INT_MAX);
// The shape ReadCutShortBmpBytes reads the bytes at whole, without reading their pixels; nothing
// when it refuses them.
std::optional<BmpShape> CutShortBmpShape(const std::vector<BYTE>& bytes);
// The whole .bmp file of a surface at 1, 4, 8, 16, 24 or 32 bits (bottom-up, default colour table).
std::vector<BYTE> EncodeBmpFile(const PixelSurface& surface, int bitCount);
// The same at 1, 4 or 8 bits with the colour table given, each pixel the entry nearest it.
std::vector<BYTE> EncodeBmpFile(const PixelSurface& surface, int bitCount,
                                const std::vector<RGBQUAD>& colors);
