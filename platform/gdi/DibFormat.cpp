#include "platform/gdi/DibFormat.h"

#include "platform/base/WholeFile.h"
#include "platform/gdi/ReducedRow.h"
#include "platform/gdi/RunLengthBmp.h"

#include <algorithm>
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

std::uint32_t PixelFromQuad(const RGBQUAD& q) {
    return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
}

RGBQUAD Quad(int r, int g, int b) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

// Nearest colour-table entry by squared distance. Each colour is searched for once and
// remembered in a table addressed by a hash of the colour, so that every further pixel of it
// costs one look-up, however many colours the picture and the table hold.
class NearestColor {
  public:
    NearestColor(const RGBQUAD* colors, int count) : m_colors(colors), m_count(count), m_slots(kFirstSlots) {}
    int IndexOf(std::uint32_t pixel) {
        Slot* slot = SlotOf(pixel);
        if (slot->index >= 0)
            return slot->index;
        const int index = Search(pixel);
        *slot = Slot{pixel, index};
        if (++m_filled * 2 > m_slots.size())
            Grow();
        return index;
    }

  private:
    static constexpr int kFirstSlotBits = 8;
    static constexpr std::size_t kFirstSlots = std::size_t{1} << kFirstSlotBits;
    struct Slot {
        std::uint32_t pixel = 0;
        int index = -1;  // none yet
    };

    // The colour's slot, or the empty one where it goes: open addressing, probing onwards.
    Slot* SlotOf(std::uint32_t pixel) {
        const std::size_t mask = m_slots.size() - 1;
        // Fibonacci hashing: the top bits of the product depend on every bit of the colour.
        for (std::size_t at = static_cast<std::uint32_t>(pixel * 0x9E3779B1u) >> m_shift;;
             at = (at + 1) & mask)
            if (m_slots[at].index < 0 || m_slots[at].pixel == pixel)
                return &m_slots[at];
    }
    void Grow() {
        std::vector<Slot> filled(m_slots.size() * 2);
        filled.swap(m_slots);
        --m_shift;
        for (const Slot& slot : filled)
            if (slot.index >= 0)
                *SlotOf(slot.pixel) = slot;
    }
    int Search(std::uint32_t pixel) const {
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < m_count; ++i) {
            const long dr = r - m_colors[i].rgbRed, dg = g - m_colors[i].rgbGreen,
                       db = b - m_colors[i].rgbBlue;
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance)
                best = i, bestDistance = distance;
        }
        return best;
    }

    const RGBQUAD* m_colors;
    int m_count;
    std::vector<Slot> m_slots;
    std::size_t m_filled = 0;
    int m_shift = 32 - kFirstSlotBits;
};

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

std::uint32_t SourcePixel(const DibDescription& dib, const RGBQUAD* colors, const Masks& masks,
                          const BYTE* row, int x) {
    int index = -1;
    DWORD value = 0;
    switch (dib.bitCount) {
        case 1:
            index = (row[x / 8] >> (7 - x % 8)) & 1;
            break;
        case 4:
            index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
            break;
        case 8:
            index = row[x];
            break;
        case 16:
            value = row[x * 2] | (row[x * 2 + 1] << 8);
            break;
        case 24:
            value = row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16);
            break;
        default:
            std::memcpy(&value, row + x * 4, 4);
            break;
    }
    if (index >= 0)
        return index < dib.colorEntries ? PixelFromQuad(colors[index]) : 0;
    return (Channel(value, masks.red) << 16) | (Channel(value, masks.green) << 8) |
           Channel(value, masks.blue);
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
    const Masks masks = MasksOf(dib, colors);
    for (int y = 0; y < surface.Height() && y < dib.height; ++y) {
        const BYTE* row = bits + static_cast<std::size_t>(RowIndex(dib, y)) * dib.stride;
        std::uint32_t* out = surface.Row(y);
        for (int x = 0; x < surface.Width() && x < dib.width; ++x)
            out[x] = SourcePixel(dib, colors, masks, row, x);
    }
}

void DecodeReducedPixels(const DibDescription& dib, const RGBQUAD* colors, const BYTE* bits,
                         PixelSurface& surface, int step) {
    const Masks masks = MasksOf(dib, colors);
    const int width = std::min(dib.width, surface.Width() * step);
    ReducedRow reduced(surface.Width(), ShowsDarkestOfBlock(dib));
    for (int y = 0; y < surface.Height() && y * step < dib.height; ++y) {
        reduced.Start();
        for (int source = y * step; source < std::min((y + 1) * step, dib.height); ++source) {
            const BYTE* row = bits + static_cast<std::size_t>(RowIndex(dib, source)) * dib.stride;
            for (int block = 0, x = 0; x < width; ++block)
                for (const int end = std::min(x + step, width); x < end; ++x)
                    reduced.Add(block, SourcePixel(dib, colors, masks, row, x));
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

int ReductionStep(int width, int height, std::size_t shownPixels) {
    const int largestStep = std::max(1, std::max(width, height) / kSmallestReducedSide);
    int step = 1;
    while (step < largestStep && ReducedSide(width, step) * ReducedSide(height, step) > shownPixels) ++step;
    return step;
}

void EncodeDibPixels(const PixelSurface& surface, const DibDescription& dib, const RGBQUAD* colors,
                     BYTE* bits) {
    const Masks masks = MasksOf(dib, colors);
    NearestColor nearest(colors, dib.bitCount <= 8 ? dib.colorEntries : 0);
    for (int y = 0; y < dib.height; ++y) {
        BYTE* row = bits + static_cast<std::size_t>(RowIndex(dib, y)) * dib.stride;
        std::memset(row, 0, dib.stride);
        if (y >= surface.Height())
            continue;
        const std::uint32_t* in = surface.Row(y);
        for (int x = 0; x < dib.width && x < surface.Width(); ++x) {
            const std::uint32_t p = in[x];
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            switch (dib.bitCount) {
                case 1:
                    row[x / 8] |= static_cast<BYTE>(nearest.IndexOf(p) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<BYTE>(nearest.IndexOf(p) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    row[x] = static_cast<BYTE>(nearest.IndexOf(p));
                    break;
                case 16: {
                    const DWORD v = Pack(r, masks.red) | Pack(g, masks.green) | Pack(b, masks.blue);
                    row[x * 2] = v & 0xFF;
                    row[x * 2 + 1] = (v >> 8) & 0xFF;
                    break;
                }
                case 24:
                    row[x * 3] = static_cast<BYTE>(b);
                    row[x * 3 + 1] = static_cast<BYTE>(g);
                    row[x * 3 + 2] = static_cast<BYTE>(r);
                    break;
                default: {
                    const DWORD v = Pack(r, masks.red) | Pack(g, masks.green) | Pack(b, masks.blue);
                    std::memcpy(row + x * 4, &v, 4);
                    break;
                }
            }
        }
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

BmpImage ReadBmpBytes(const std::vector<BYTE>& bytes, std::size_t shownPixels) {
    if (IsRunLengthBmp(bytes)) {
        const std::vector<BYTE> plain = ExpandRunLengthBmp(bytes);
        return plain.empty() ? BmpImage{} : ReadBmpBytes(plain, shownPixels);
    }
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    if (!layout || layout->End() > bytes.size())
        return {};
    const DibDescription& dib = layout->dib;
    std::vector<RGBQUAD> colors(dib.colorEntries);
    for (int i = 0; i < dib.colorEntries; ++i)
        std::memcpy(&colors[i], bytes.data() + layout->colorsAt + i * layout->colorSize, layout->colorSize);
    if (layout->colorSize == 3)
        for (auto& c : colors) c.rgbReserved = 0;
    const int step = ReductionStep(dib.width, dib.height, shownPixels);
    auto surface = std::make_shared<PixelSurface>(static_cast<int>(ReducedSide(dib.width, step)),
                                                  static_cast<int>(ReducedSide(dib.height, step)));
    DecodeDibPixels(dib, colors.data(), bytes.data() + layout->bitsAt, *surface, step);
    return {surface, dib.bitCount};
}

BmpImage ReadCutShortBmpFile(const std::filesystem::path& path, std::size_t shownPixels) {
    const std::optional<std::vector<BYTE>> headers = ReadRegularFile(path, kHeadersSize);
    if (auto runLength = ReadRunLengthFile(path, headers))
        return ReadCutShortBmpBytes(std::move(*runLength), shownPixels);
    const std::optional<BmpLayout> layout = headers ? LayoutOfBmp(*headers) : std::nullopt;
    if (!layout)
        return {};
    std::optional<std::vector<BYTE>> bytes = ReadRegularFile(path, layout->End());
    return bytes ? ReadCutShortBmpBytes(std::move(*bytes), shownPixels) : BmpImage{};
}

BmpImage ReadCutShortBmpBytes(std::vector<BYTE> bytes, std::size_t shownPixels) {
    // Compressed data cut short already ends the decode cleanly.
    if (IsRunLengthBmp(bytes))
        return ReadBmpBytes(bytes, shownPixels);
    const std::optional<BmpLayout> layout = LayoutOfBmp(bytes);
    if (!layout)
        return {};
    BITMAPFILEHEADER file;
    DWORD headerSize = 0;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&headerSize, bytes.data() + sizeof file, sizeof headerSize);
    const std::size_t headersEnd = sizeof file + static_cast<std::size_t>(headerSize);
    if (file.bfOffBits < headersEnd || file.bfOffBits > bytes.size() ||
        !HoldsEnoughToExpand(*layout, bytes.size()))
        return {};
    bytes.resize(std::max(bytes.size(), layout->End()), 0);
    return ReadBmpBytes(bytes, shownPixels);
}

std::vector<BYTE> EncodeBmpFile(const PixelSurface& surface, int bitCount) {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                            surface.Width(),
                            surface.Height(),
                            1,
                            static_cast<WORD>(bitCount),
                            BI_RGB,
                            0,
                            0,
                            0,
                            0,
                            0};
    DibDescription dib;
    if (!DescribeDib(header, dib))
        return {};
    const std::vector<RGBQUAD> colors = DefaultColorTable(bitCount);
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
