#include "platform/gdi/DibFormat.h"

#include "platform/base/WholeFile.h"
#include "platform/gdi/DarkestIndexRow.h"
#include "platform/gdi/NearestColor.h"
#include "platform/gdi/ReducedRow.h"
#include "platform/gdi/RunLengthBands.h"
#include "platform/gdi/RunLengthBmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kLargestSide = 32768;
// The three colour masks of a 16- or 32-bit picture that uses them.
constexpr std::size_t kMaskBytes = 12;
// The largest file the largest picture makes, with room for any header and colour table.
constexpr std::size_t kLargestBmpFile = static_cast<std::size_t>(kLargestBmpPixels) * 4 + 65536;
// The file header, the 40-byte header and the colour masks that may follow it in a larger one:
// all a .bmp file's layout is read from.
constexpr std::size_t kHeadersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + kMaskBytes;
// The bytes of a .bmp file read first: its headers, and all of a small file, which is then not
// opened again.
constexpr std::size_t kFirstRead = std::size_t{64} << 10;

std::uint32_t PixelFromQuad(const RGBQUAD& q) {
    return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
}

RGBQUAD Quad(int r, int g, int b) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

struct Masks {
    DWORD red, green, blue;
};

Masks MasksOf(const DibDescription& dib, const RGBQUAD* colors) {
    if (dib.compression == BI_BITFIELDS && dib.colorEntries == 3) {
        DWORD m[3];
        std::memcpy(m, colors, sizeof m);
        return {m[0], m[1], m[2]};
    }
    if (dib.bitCount == 16)
        return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

int Channel(DWORD value, DWORD mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const DWORD top = mask >> shift;
    return static_cast<int>(((value & mask) >> shift) * 255 / top);
}

DWORD Pack(int channel, DWORD mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const DWORD top = mask >> shift;
    return ((static_cast<DWORD>(channel) * top + 127) / 255) << shift;
}

int RowIndex(const DibDescription& dib, int y) {
    return dib.topDown ? y : dib.height - 1 - y;
}

// Where the parts of a .bmp file lie, as its headers tell.
struct BmpLayout {
    DibDescription dib;
    std::size_t colorsAt = 0;
    std::size_t colorSize = 4;
    std::size_t bitsAt = 0;
    // The bytes the file must hold: headers, colour table and rows.
    std::size_t End() const {
        return std::max(colorsAt + colorSize * dib.colorEntries, bitsAt + dib.ImageSize());
    }
};

// The 40-byte header from a file's header of any size: the 12-byte core header widened.
std::optional<BITMAPINFOHEADER> InfoHeaderOf(const std::vector<BYTE>& bytes, DWORD headerSize) {
    BITMAPINFOHEADER header{};
    const std::size_t at = sizeof(BITMAPFILEHEADER);
    if (headerSize == sizeof(BITMAPCOREHEADER) && bytes.size() >= at + sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, bytes.data() + at, sizeof core);
        header = {sizeof header,
                  core.bcWidth,
                  core.bcHeight,
                  core.bcPlanes,
                  core.bcBitCount,
                  BI_RGB,
                  0,
                  0,
                  0,
                  0,
                  0};
        return header;
    }
    if (headerSize < sizeof header || bytes.size() < at + sizeof header)
        return std::nullopt;
    std::memcpy(&header, bytes.data() + at, sizeof header);
    return header;
}

// The layout of a .bmp file from its first bytes (its headers at least); nothing for a file we
// do not read or whose parts would lie beyond the largest file we read.
std::optional<BmpLayout> LayoutOfBmp(const std::vector<BYTE>& bytes) {
    BITMAPFILEHEADER file;
    DWORD headerSize = 0;
    if (bytes.size() < sizeof file + sizeof headerSize)
        return std::nullopt;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&headerSize, bytes.data() + sizeof file, sizeof headerSize);
    const std::optional<BITMAPINFOHEADER> header = InfoHeaderOf(bytes, headerSize);
    BmpLayout layout;
    if (file.bfType != 0x4D42 || !header || !DescribeDib(*header, layout.dib))
        return std::nullopt;
    // Headers larger than the 40-byte one hold the colour masks themselves, after its fields.
    const bool masksInHeader =
        layout.dib.compression == BI_BITFIELDS && headerSize >= sizeof(BITMAPINFOHEADER) + kMaskBytes;
    const std::size_t headerEnd = sizeof file + static_cast<std::size_t>(headerSize);
    layout.colorsAt = masksInHeader ? sizeof file + sizeof(BITMAPINFOHEADER) : headerEnd;
    layout.colorSize = headerSize == sizeof(BITMAPCOREHEADER) ? 3 : 4;
    const std::size_t colorsEnd = layout.colorsAt + layout.colorSize * layout.dib.colorEntries;
    layout.bitsAt = file.bfOffBits ? file.bfOffBits : std::max(headerEnd, colorsEnd);
    if (layout.End() > kLargestBmpFile)
        return std::nullopt;
    return layout;
}

// Whether a file of this many bytes may be read as the layout's picture, what it lacks zeroed: a
// large picture only when it lacks no more pixel bytes than it holds.
bool HoldsEnoughToExpand(const BmpLayout& layout, std::size_t fileSize) {
    const DibDescription& dib = layout.dib;
    if (static_cast<std::uint64_t>(dib.width) * dib.height <= kFreelyExpandedPixels ||
        layout.End() <= fileSize)
        return true;
    const std::size_t held = fileSize - std::min(fileSize, layout.bitsAt);
    return layout.End() - fileSize <= held;
}

}  // namespace

int DibStride(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

bool DescribeDib(const BITMAPINFOHEADER& header, DibDescription& dib) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0)
        return false;
    if (header.biWidth > kLargestSide || header.biHeight > kLargestSide || header.biHeight < -kLargestSide)
        return false;
    const long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (header.biWidth * rows > kLargestBmpPixels)
        return false;
    const int bits = header.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const bool masks = header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (header.biCompression != BI_RGB && !masks)
        return false;
    dib.width = header.biWidth;
    dib.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    dib.topDown = header.biHeight < 0;
    dib.bitCount = bits;
    dib.compression = header.biCompression;
    dib.stride = DibStride(dib.width, bits);
    if (masks) {
        dib.colorEntries = 3;
    } else if (bits <= 8) {
        const DWORD full = 1u << bits;
        if (header.biClrUsed > full)
            return false;
        dib.colorEntries = static_cast<int>(header.biClrUsed ? header.biClrUsed : full);
    } else {
        dib.colorEntries = 0;
    }
    return true;
}

std::vector<RGBQUAD> DefaultColorTable(int bitCount) {
    static const int vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<RGBQUAD> table;
    if (bitCount == 1)
        return {Quad(0, 0, 0), Quad(255, 255, 255)};
    if (bitCount != 4 && bitCount != 8)
        return table;
    for (const auto& c : vga) table.push_back(Quad(c[0], c[1], c[2]));
    if (bitCount == 4)
        return table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) table.push_back(Quad(r * 51, g * 51, b * 51));
    for (int i = 1; table.size() < 256; ++i) table.push_back(Quad(i * 10, i * 10, i * 10));
    return table;
}

namespace {

// What turns a row of a DIB into pixels, made once per picture: the pixel of every colour index
// (black past the colour table) or the colour masks.
struct RowFormat {
    int bitCount = 0;
    std::array<std::uint32_t, 256> indexed{};
    Masks masks{};
};

RowFormat RowFormatOf(const DibDescription& dib, const RGBQUAD* colors) {
    RowFormat format{dib.bitCount, {}, MasksOf(dib, colors)};
    if (dib.bitCount <= 8)
        for (int index = 0; index < std::min<int>(dib.colorEntries, format.indexed.size()); ++index)
            format.indexed[index] = PixelFromQuad(colors[index]);
    return format;
}

std::uint32_t MaskedPixel(DWORD value, const Masks& masks) {
    return (Channel(value, masks.red) << 16) | (Channel(value, masks.green) << 8) |
           Channel(value, masks.blue);
}

// The first width pixels of a row, one loop per depth so that no pixel asks for it again, and
// each byte of a paletted row read once.
void DecodeRow(const RowFormat& format, const BYTE* row, int width, std::uint32_t* out) {
    const auto& indexed = format.indexed;
    switch (format.bitCount) {
        case 1:
            for (int x = 0; x < width; x += 8) {
                const BYTE eight = row[x / 8];
                for (int bit = 0; bit < std::min(8, width - x); ++bit)
                    out[x + bit] = indexed[(eight >> (7 - bit)) & 1];
            }
            break;
        case 4:
            for (int x = 0; x < width; x += 2) {
                const BYTE two = row[x / 2];
                out[x] = indexed[two >> 4];
                if (x + 1 < width)
                    out[x + 1] = indexed[two & 0xF];
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) out[x] = indexed[row[x]];
            break;
        case 16:
            for (int x = 0; x < width; ++x)
                out[x] = MaskedPixel(row[x * 2] | (row[x * 2 + 1] << 8), format.masks);
            break;
        case 24:
            // Always the plain masks: each byte is a channel as it stands.
            for (int x = 0; x < width; ++x)
                out[x] =
                    (static_cast<std::uint32_t>(row[x * 3 + 2]) << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
            break;
        default:
            for (int x = 0; x < width; ++x) {
                DWORD value;
                std::memcpy(&value, row + x * 4, 4);
                out[x] = MaskedPixel(value, format.masks);
            }
            break;
    }
}

std::size_t ReducedSide(int side, int step) {
    return (static_cast<std::size_t>(side) + step - 1) / step;
}

// Pictures of this many colours or fewer are drawings: reduced, a block shows its darkest pixel.
constexpr int kMostColorsOfADrawing = 16;

bool ShowsDarkestOfBlock(const DibDescription& dib) {
    return dib.bitCount <= 8 && dib.colorEntries <= kMostColorsOfADrawing;
}

void DecodeWholePixels(const DibDescription& dib, const RGBQUAD* colors, const BYTE* bits,
                       PixelSurface& surface) {
    const RowFormat format = RowFormatOf(dib, colors);
    const int width = std::min(surface.Width(), dib.width);
    for (int y = 0; y < surface.Height() && y < dib.height; ++y)
        DecodeRow(format, bits + static_cast<std::size_t>(RowIndex(dib, y)) * dib.stride, width,
                  surface.Row(y));
}

// The pixels of one row of a block, from x to end, x moved past them: a run of one colour, as
// most rows of a plan are, weighed at once.
void AddBlockRow(ReducedRow& reduced, int block, const std::uint32_t* source, int& x, int end) {
    while (x < end) {
        const std::uint32_t pixel = source[x];
        const int first = x;
        while (++x < end && source[x] == pixel) {
        }
        reduced.AddRepeated(block, pixel, static_cast<std::uint32_t>(x - first));
    }
}

// A drawing reduced straight from its colour indices, none of them made a pixel.
void DecodeDarkestOfIndices(const DibDescription& dib, const BYTE* bits, PixelSurface& surface, int step,
                            DarkestIndexRow& darkest) {
    for (int y = 0; y < surface.Height(); ++y) {
        darkest.Start();
        const int end = std::min((y + 1) * step, dib.height);
        for (int sourceY = y * step; sourceY < end && !darkest.AllDarkest(); ++sourceY)
            darkest.AddRow(bits + static_cast<std::size_t>(RowIndex(dib, sourceY)) * dib.stride);
        darkest.Finish(surface.Row(y));
    }
}

void DecodeReducedPixels(const DibDescription& dib, const RGBQUAD* colors, const BYTE* bits,
                         PixelSurface& surface, int step) {
    const RowFormat format = RowFormatOf(dib, colors);
    std::optional<DarkestIndexRow> darkest =
        ShowsDarkestOfBlock(dib) ? DarkestIndexRow::For(format.indexed, dib.bitCount, dib.width, step)
                                 : std::nullopt;
    if (darkest) {
        DecodeDarkestOfIndices(dib, bits, surface, step, *darkest);
        return;
    }
    const int width = std::min(dib.width, surface.Width() * step);
    std::vector<std::uint32_t> source(width);
    ReducedRow reduced(surface.Width(), ShowsDarkestOfBlock(dib));
    for (int y = 0; y < surface.Height() && y * step < dib.height; ++y) {
        reduced.Start();
        for (int sourceY = y * step; sourceY < std::min((y + 1) * step, dib.height); ++sourceY) {
            DecodeRow(format, bits + static_cast<std::size_t>(RowIndex(dib, sourceY)) * dib.stride, width,
                      source.data());
            for (int block = 0, x = 0; x < width; ++block)
                AddBlockRow(reduced, block, source.data(), x, std::min(x + step, width));
        }
        reduced.Finish(surface.Row(y));
    }
}

}  // namespace

void DecodeDibPixels(const DibDescription& dib, const RGBQUAD* colors, const BYTE* bits,
                     PixelSurface& surface, int step) {
    if (step == 1)
        DecodeWholePixels(dib, colors, bits, surface);
    else
        DecodeReducedPixels(dib, colors, bits, surface, step);
}

int ReductionStep(int width, int height, std::size_t shownPixels, int shownSide) {
    const int largestStep = std::max(1, std::max(width, height) / kSmallestReducedSide);
    const auto tooLarge = [&](int step) {
        const std::size_t reducedWidth = ReducedSide(width, step), reducedHeight = ReducedSide(height, step);
        return reducedWidth * reducedHeight > shownPixels ||
               std::max(reducedWidth, reducedHeight) > static_cast<std::size_t>(shownSide);
    };
    int step = 1;
    while (step < largestStep && tooLarge(step)) ++step;
    return step;
}

namespace {

DWORD PackedPixel(std::uint32_t pixel, const Masks& masks) {
    return Pack((pixel >> 16) & 0xFF, masks.red) | Pack((pixel >> 8) & 0xFF, masks.green) |
           Pack(pixel & 0xFF, masks.blue);
}

// The first width pixels into a zeroed row, one loop per depth as the decoder has.
void EncodeRow(const std::uint32_t* in, int width, int bitCount, const Masks& masks, NearestColor& nearest,
               BYTE* row) {
    switch (bitCount) {
        case 1:
            for (int x = 0; x < width; ++x)
                row[x / 8] |= static_cast<BYTE>(nearest.IndexOf(in[x]) << (7 - x % 8));
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                row[x / 2] |= static_cast<BYTE>(nearest.IndexOf(in[x]) << (x % 2 ? 0 : 4));
            break;
        case 8:
            for (int x = 0; x < width; ++x) row[x] = static_cast<BYTE>(nearest.IndexOf(in[x]));
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const DWORD value = PackedPixel(in[x], masks);
                row[x * 2] = value & 0xFF;
                row[x * 2 + 1] = (value >> 8) & 0xFF;
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                row[x * 3] = static_cast<BYTE>(in[x] & 0xFF);
                row[x * 3 + 1] = static_cast<BYTE>((in[x] >> 8) & 0xFF);
                row[x * 3 + 2] = static_cast<BYTE>((in[x] >> 16) & 0xFF);
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                const DWORD value = PackedPixel(in[x], masks);
                std::memcpy(row + x * 4, &value, 4);
            }
            break;
    }
}

}  // namespace

void EncodeDibPixels(const PixelSurface& surface, const DibDescription& dib, const RGBQUAD* colors,
                     BYTE* bits) {
    const Masks masks = MasksOf(dib, colors);
    NearestColor nearest(colors, dib.bitCount <= 8 ? dib.colorEntries : 0);
    const int width = std::min(dib.width, surface.Width());
    for (int y = 0; y < dib.height; ++y) {
        BYTE* row = bits + static_cast<std::size_t>(RowIndex(dib, y)) * dib.stride;
        std::memset(row, 0, dib.stride);
        if (y < surface.Height())
            EncodeRow(surface.Row(y), width, dib.bitCount, masks, nearest, row);
    }
}

DibSectionBits::DibSectionBits(const DibDescription& dib, std::vector<RGBQUAD> colors)
    : m_dib(dib), m_colors(std::move(colors)), m_bits(dib.ImageSize(), 0) {
    m_colors.resize(dib.colorEntries);
}

void DibSectionBits::CopyToSurface(PixelSurface& surface) const {
    DecodeDibPixels(m_dib, m_colors.data(), m_bits.data(), surface);
}

void DibSectionBits::CopyFromSurface(const PixelSurface& surface) {
    EncodeDibPixels(surface, m_dib, m_colors.data(), m_bits.data());
}

namespace {
// A run-length picture's size tells nothing of its file's: it is read up to the largest file.
std::optional<std::vector<BYTE>> ReadRunLengthFile(const std::filesystem::path& path,
                                                   const std::optional<std::vector<BYTE>>& headers) {
    if (!headers || !IsRunLengthBmp(*headers))
        return std::nullopt;
    return ReadRegularFile(path, kLargestBmpFile);
}
}  // namespace

namespace {
BmpImage ReadRunLengthBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels, int shownSide) {
    const std::optional<RunLengthLayout> layout = RunLengthLayoutOf(bytes);
    if (!layout)
        return {};
    const DibDescription& dib = layout->dib;
    std::vector<RGBQUAD> colors(dib.colorEntries);
    std::memcpy(colors.data(), bytes.data() + layout->colorsAt, colors.size() * sizeof(RGBQUAD));
    const int step = ReductionStep(dib.width, dib.height, shownPixels, shownSide);
    const RowFormat format = RowFormatOf(dib, colors.data());
    auto surface =
        std::make_shared<PixelSurface>(static_cast<int>(ReducedSide(dib.width, step)),
                                       static_cast<int>(ReducedSide(dib.height, step)), format.indexed[0]);
    RunLengthBands bands(dib.width, dib.height, format.indexed, ShowsDarkestOfBlock(dib), *surface, step);
    DecodeRunLengthSpans(
        bytes.data() + layout->dataAt, bytes.size() - layout->dataAt, dib.bitCount, dib.width, dib.height,
        [&](int y, int x, const BYTE* indices, int count) { bands.Take(y, x, indices, count); });
    bands.Finish();
    return {surface, dib.bitCount};
}
}  // namespace

namespace {
// The picture's description from its headers, plain or run-length; nothing when they are not
// those of a bitmap we read.
std::optional<DibDescription> DescriptionOf(const std::vector<BYTE>& bytes) {
    if (const std::optional<RunLengthLayout> runLength = RunLengthLayoutOf(bytes))
        return runLength->dib;
    if (IsRunLengthBmp(bytes))
        return std::nullopt;
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    return layout ? std::optional<DibDescription>(layout->dib) : std::nullopt;
}
}  // namespace

std::optional<std::size_t> SmallestReadPixels(const std::vector<BYTE>& bytes) {
    const std::optional<DibDescription> dib = DescriptionOf(bytes);
    if (!dib)
        return std::nullopt;
    const int step = ReductionStep(dib->width, dib->height, 0);
    return ReducedSide(dib->width, step) * ReducedSide(dib->height, step);
}

std::optional<std::size_t> DeclaredPixels(const std::vector<BYTE>& bytes) {
    const std::optional<DibDescription> dib = DescriptionOf(bytes);
    if (!dib)
        return std::nullopt;
    return static_cast<std::size_t>(dib->width) * dib->height;
}

std::optional<int> ExceededPixelLimit(const std::filesystem::path& path) {
    const std::optional<std::vector<BYTE>> headers = ReadRegularFile(path, kHeadersSize);
    if (!headers || headers->size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, headers->data(), sizeof file);
    std::memcpy(&info, headers->data() + sizeof file, sizeof info);
    if (file.bfType != 0x4D42 || info.biSize < sizeof info)
        return std::nullopt;
    const int limit = IsRunLengthBmp(*headers) ? kLargestRunLengthPixels : kLargestBmpPixels;
    const std::int64_t height = info.biHeight;
    const std::int64_t pixels = static_cast<std::int64_t>(info.biWidth) * (height < 0 ? -height : height);
    return pixels > limit ? std::optional<int>(limit) : std::nullopt;
}

BmpImage ReadBmpFile(const std::filesystem::path& path) {
    // The headers first, then only as many bytes as the picture's size and depth need.
    const std::optional<std::vector<BYTE>> headers = ReadRegularFile(path, kHeadersSize);
    if (const auto runLength = ReadRunLengthFile(path, headers))
        return ReadBmpBytes(*runLength);
    const std::optional<BmpLayout> layout = headers ? LayoutOfBmp(*headers) : std::nullopt;
    if (!layout)
        return {};
    const std::optional<std::vector<BYTE>> bytes = ReadRegularFile(path, layout->End());
    return bytes ? ReadBmpBytes(*bytes) : BmpImage{};
}

BmpImage ReadBmpBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels, int shownSide) {
    if (IsRunLengthBmp(bytes))
        return ReadRunLengthBytes(bytes, shownPixels, shownSide);
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    if (!layout || layout->End() > bytes.size())
        return {};
    const DibDescription& dib = layout->dib;
    std::vector<RGBQUAD> colors(dib.colorEntries);
    for (int i = 0; i < dib.colorEntries; ++i)
        std::memcpy(&colors[i], bytes.data() + layout->colorsAt + i * layout->colorSize, layout->colorSize);
    if (layout->colorSize == 3)
        for (auto& c : colors) c.rgbReserved = 0;
    const int step = ReductionStep(dib.width, dib.height, shownPixels, shownSide);
    auto surface = std::make_shared<PixelSurface>(static_cast<int>(ReducedSide(dib.width, step)),
                                                  static_cast<int>(ReducedSide(dib.height, step)));
    DecodeDibPixels(dib, colors.data(), bytes.data() + layout->bitsAt, *surface, step);
    return {surface, dib.bitCount};
}

std::optional<std::vector<BYTE>> ReadBmpFileBytes(const std::filesystem::path& path) {
    std::optional<std::vector<BYTE>> first = ReadRegularFile(path, kFirstRead);
    if (!first)
        return std::nullopt;
    const bool whole = first->size() < kFirstRead;
    if (IsRunLengthBmp(*first))
        return whole ? first : ReadRunLengthFile(path, first);
    const std::optional<BmpLayout> layout = LayoutOfBmp(*first);
    if (!layout)
        return std::nullopt;
    if (!whole && first->size() < layout->End())
        return ReadRegularFile(path, layout->End());
    first->resize(std::min(first->size(), layout->End()));
    return first;
}

BmpImage ReadCutShortBmpFile(const std::filesystem::path& path, std::size_t shownPixels, int shownSide) {
    std::optional<std::vector<BYTE>> bytes = ReadBmpFileBytes(path);
    return bytes ? ReadCutShortBmpBytes(std::move(*bytes), shownPixels, shownSide) : BmpImage{};
}

namespace {
// The size a plain file that may be cut short is read at, what it lacks zeroed; nothing when it
// may not be read so.
std::optional<std::size_t> CutShortEnd(const std::vector<BYTE>& bytes) {
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    if (!layout)
        return std::nullopt;
    BITMAPFILEHEADER file;
    DWORD headerSize = 0;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&headerSize, bytes.data() + sizeof file, sizeof headerSize);
    const std::size_t headersEnd = sizeof file + static_cast<std::size_t>(headerSize);
    if (file.bfOffBits < headersEnd || file.bfOffBits > bytes.size() ||
        !HoldsEnoughToExpand(*layout, bytes.size()))
        return std::nullopt;
    return layout->End();
}
}  // namespace

BmpImage ReadCutShortBmpBytes(std::vector<BYTE>&& bytes, std::size_t shownPixels, int shownSide) {
    // Compressed data cut short already ends the decode cleanly.
    if (IsRunLengthBmp(bytes))
        return ReadBmpBytes(bytes, shownPixels, shownSide);
    const std::optional<std::size_t> end = CutShortEnd(bytes);
    if (!end)
        return {};
    bytes.resize(std::max(bytes.size(), *end), 0);
    return ReadBmpBytes(bytes, shownPixels, shownSide);
}

BmpImage ReadCutShortBmpBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels, int shownSide) {
    if (IsRunLengthBmp(bytes))
        return ReadBmpBytes(bytes, shownPixels, shownSide);
    const std::optional<std::size_t> end = CutShortEnd(bytes);
    if (!end)
        return {};
    if (*end <= bytes.size())
        return ReadBmpBytes(bytes, shownPixels, shownSide);
    return ReadCutShortBmpBytes(std::vector<BYTE>(bytes), shownPixels, shownSide);
}

std::optional<BmpShape> CutShortBmpShape(const std::vector<BYTE>& bytes) {
    if (const std::optional<RunLengthLayout> runLength = RunLengthLayoutOf(bytes))
        return BmpShape{runLength->dib.width, runLength->dib.height, runLength->dib.bitCount};
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    if (IsRunLengthBmp(bytes) || !layout || !CutShortEnd(bytes))
        return std::nullopt;
    return BmpShape{layout->dib.width, layout->dib.height, layout->dib.bitCount};
}

std::vector<BYTE> EncodeBmpFile(const PixelSurface& surface, int bitCount) {
    return EncodeBmpFile(surface, bitCount, DefaultColorTable(bitCount));
}

std::vector<BYTE> EncodeBmpFile(const PixelSurface& surface, int bitCount,
                                const std::vector<RGBQUAD>& colors) {
    // A full table is told by no count, as the default tables always were.
    const bool fullTable = colors.size() == (std::size_t{1} << std::min(bitCount, 8));
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                            surface.Width(),
                            surface.Height(),
                            1,
                            static_cast<WORD>(bitCount),
                            BI_RGB,
                            0,
                            0,
                            0,
                            fullTable || bitCount > 8 ? 0 : static_cast<DWORD>(colors.size()),
                            0};
    DibDescription dib;
    if (!DescribeDib(header, dib))
        return {};
    header.biSizeImage = static_cast<DWORD>(dib.ImageSize());
    const std::size_t colorBytes = colors.size() * sizeof(RGBQUAD);
    const DWORD offset = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + colorBytes);
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + dib.ImageSize()), 0, 0, offset};
    std::vector<BYTE> bytes(offset + dib.ImageSize());
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
    if (colorBytes)
        std::memcpy(bytes.data() + sizeof file + sizeof header, colors.data(), colorBytes);
    EncodeDibPixels(surface, dib, colors.data(), bytes.data() + offset);
    return bytes;
}
