#include "platform/gdi/RunLengthBmp.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/gdi/DibFormat.h"

namespace {

constexpr std::size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2;

// Where the decode stands: the next pixel to set, counted from the bottom row. Each run or
// stretch is widened into colour indices and handed on as far as its row has room.
class RunLengthCursor {
  public:
    RunLengthCursor(int bitCount, int width, int height, const RunLengthSpan& handOn)
        : m_bitCount(bitCount), m_width(width), m_height(height), m_handOn(handOn) {}

    // False when not every pixel fits in the row: those that fit are set.
    bool Run(int count, BYTE value) {
        for (int i = 0; i < count; ++i) m_indices[i] = IndexIn(value, i);
        return HandOn(count);
    }
    bool Stretch(int count, const BYTE* bytes) {
        for (int i = 0; i < count; ++i) m_indices[i] = IndexIn(bytes[ByteOf(i)], i);
        return HandOn(count);
    }
    bool NextLine() {
        m_x = 0;
        return ++m_y < m_height;
    }
    bool Move(int dx, int dy) {
        m_x += dx;
        m_y += dy;
        return m_x <= m_width && m_y < m_height;
    }
    int BytesFor(int pixels) const { return m_bitCount == 8 ? pixels : (pixels + 1) / 2; }

  private:
    // The colour index of pixel i of a run or an absolute stretch: RLE4 alternates nibbles.
    BYTE IndexIn(BYTE value, int i) const {
        if (m_bitCount == 8)
            return value;
        return static_cast<BYTE>(i % 2 ? value & 0xF : value >> 4);
    }
    int ByteOf(int pixel) const { return m_bitCount == 8 ? pixel : pixel / 2; }

    bool HandOn(int count) {
        if (m_y >= m_height)
            return false;
        const int fitting = std::min(count, m_width - m_x);
        if (fitting > 0)
            m_handOn(m_y, m_x, m_indices.data(), fitting);
        m_x += fitting;
        return fitting == count;
    }

    int m_bitCount;
    int m_width;
    int m_height;
    const RunLengthSpan& m_handOn;
    // The longest run or stretch one code sets.
    std::array<BYTE, 255> m_indices{};
    int m_x = 0;
    int m_y = 0;
};

void Decode(const BYTE* data, std::size_t size, RunLengthCursor& out) {
    std::size_t at = 0;
    while (at + 2 <= size) {
        const int count = data[at];
        const BYTE value = data[at + 1];
        at += 2;
        if (count > 0) {
            if (!out.Run(count, value))
                return;
        } else if (value == kEndOfLine) {
            if (!out.NextLine())
                return;
        } else if (value == kEndOfBitmap) {
            return;
        } else if (value == kDelta) {
            if (at + 2 > size || !out.Move(data[at], data[at + 1]))
                return;
            at += 2;
        } else {
            // An absolute stretch of value pixels, padded to a whole word.
            const std::size_t bytes = static_cast<std::size_t>(out.BytesFor(value));
            if (at + bytes > size)
                return;
            if (!out.Stretch(value, data + at))
                return;
            at += bytes + bytes % 2;
        }
    }
}

bool ReadHeaders(const std::vector<BYTE>& file, BITMAPFILEHEADER& fileHeader, BITMAPINFOHEADER& info) {
    if (file.size() < kFileHeaderSize + sizeof info)
        return false;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&info, file.data() + kFileHeaderSize, sizeof info);
    return fileHeader.bfType == 0x4D42 && info.biSize >= sizeof info;
}

// The plain picture's header, described: the run-length depth must match its compression.
bool DescribePlain(BITMAPINFOHEADER& info, DibDescription& dib) {
    const bool depthMatches = (info.biCompression == BI_RLE8 && info.biBitCount == 8) ||
                              (info.biCompression == BI_RLE4 && info.biBitCount == 4);
    if (!depthMatches || info.biHeight <= 0)
        return false;
    info.biSize = sizeof info;
    info.biCompression = BI_RGB;
    return DescribeDib(info, dib);
}

}  // namespace

bool IsRunLengthBmp(const std::vector<BYTE>& file) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    return ReadHeaders(file, fileHeader, info) &&
           (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4);
}

void DecodeRunLengthSpans(const BYTE* data, std::size_t size, int bitCount, int width, int height,
                          const RunLengthSpan& handOn) {
    RunLengthCursor out(bitCount, width, height, handOn);
    Decode(data, size, out);
}

void DecodeRunLength(const BYTE* data, std::size_t size, int bitCount, int width, int height, int stride,
                     BYTE* rows) {
    DecodeRunLengthSpans(
        data, size, bitCount, width, height, [&](int y, int x, const BYTE* indices, int count) {
            BYTE* row = rows + static_cast<std::size_t>(y) * stride;
            for (int i = 0; i < count; ++i)
                if (bitCount == 8)
                    row[x + i] = indices[i];
                else
                    row[(x + i) / 2] |= static_cast<BYTE>(indices[i] << ((x + i) % 2 ? 0 : 4));
        });
}

std::optional<RunLengthLayout> RunLengthLayoutOf(const std::vector<BYTE>& file) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    RunLengthLayout layout;
    if (!ReadHeaders(file, fileHeader, info))
        return std::nullopt;
    layout.colorsAt = kFileHeaderSize + info.biSize;
    if (!DescribePlain(info, layout.dib) || layout.colorsAt > file.size())
        return std::nullopt;
    const std::size_t colorBytes = static_cast<std::size_t>(layout.dib.colorEntries) * sizeof(RGBQUAD);
    const std::size_t colorsEnd = layout.colorsAt + colorBytes;
    layout.dataAt = fileHeader.bfOffBits ? fileHeader.bfOffBits : colorsEnd;
    if (colorsEnd > file.size() || layout.dataAt < colorsEnd || layout.dataAt > file.size())
        return std::nullopt;
    // A few codes may rightly stand for a large blank picture: only its size bounds it.
    if (static_cast<std::uint64_t>(layout.dib.width) * layout.dib.height > kLargestRunLengthPixels)
        return std::nullopt;
    layout.plainHeader = info;
    return layout;
}

std::optional<std::uint64_t> RunLengthPixelsSet(const std::vector<BYTE>& file) {
    const std::optional<RunLengthLayout> layout = RunLengthLayoutOf(file);
    if (!layout)
        return std::nullopt;
    const DibDescription& dib = layout->dib;
    std::uint64_t pixels = 0;
    DecodeRunLengthSpans(file.data() + layout->dataAt, file.size() - layout->dataAt, dib.bitCount, dib.width,
                         dib.height, [&pixels](int, int, const BYTE*, int count) { pixels += count; });
    return pixels;
}

std::vector<BYTE> ExpandRunLengthBmp(const std::vector<BYTE>& file) {
    const std::optional<RunLengthLayout> layout = RunLengthLayoutOf(file);
    if (!layout)
        return {};
    const DibDescription& dib = layout->dib;
    BITMAPINFOHEADER info = layout->plainHeader;
    const std::size_t colorBytes = static_cast<std::size_t>(dib.colorEntries) * sizeof(RGBQUAD);
    const std::size_t plainBitsAt = kFileHeaderSize + sizeof info + colorBytes;
    info.biSizeImage = static_cast<DWORD>(dib.ImageSize());
    const BITMAPFILEHEADER plainHeader{0x4D42, static_cast<DWORD>(plainBitsAt + dib.ImageSize()), 0, 0,
                                       static_cast<DWORD>(plainBitsAt)};
    std::vector<BYTE> plain(plainBitsAt + dib.ImageSize(), 0);
    std::memcpy(plain.data(), &plainHeader, sizeof plainHeader);
    std::memcpy(plain.data() + kFileHeaderSize, &info, sizeof info);
    std::copy_n(file.data() + layout->colorsAt, colorBytes, plain.data() + kFileHeaderSize + sizeof info);
    DecodeRunLength(file.data() + layout->dataAt, file.size() - layout->dataAt, dib.bitCount, dib.width,
                    dib.height, dib.stride, plain.data() + plainBitsAt);
    return plain;
}
