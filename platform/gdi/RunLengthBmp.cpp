#include "platform/gdi/RunLengthBmp.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gdi/DibFormat.h"

namespace {

constexpr std::size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2;

// Where the decode stands: the next pixel to set, counted from the bottom row, and the row it
// lies in as one colour index a byte. A row is handed on when the decode leaves it, if the data
// set any pixel of it.
class RunLengthRows {
  public:
    RunLengthRows(int bitCount, int width, int height, const RunLengthRow& handOn)
        : m_bitCount(bitCount), m_width(width), m_height(height), m_row(width, 0), m_handOn(handOn) {}

    // False when the pixel would lie past its row or the picture.
    bool Put(int index) {
        if (m_x >= m_width || m_y >= m_height)
            return false;
        m_row[m_x++] = static_cast<BYTE>(m_bitCount == 8 ? index : index & 0xF);
        m_set = true;
        return true;
    }
    bool NextLine() {
        Leave();
        m_x = 0;
        return ++m_y < m_height;
    }
    bool Move(int dx, int dy) {
        if (dy > 0)
            Leave();
        m_x += dx;
        m_y += dy;
        return m_x <= m_width && m_y < m_height;
    }
    void Leave() {
        if (!m_set)
            return;
        m_handOn(m_y, m_row.data());
        std::fill(m_row.begin(), m_row.end(), 0);
        m_set = false;
    }
    // The colour index of pixel i of a run or an absolute stretch: RLE4 alternates nibbles.
    int IndexIn(BYTE value, int i) const {
        if (m_bitCount == 8)
            return value;
        return i % 2 ? value & 0xF : value >> 4;
    }
    int BytesFor(int pixels) const { return m_bitCount == 8 ? pixels : (pixels + 1) / 2; }
    int ByteOf(int pixel) const { return m_bitCount == 8 ? pixel : pixel / 2; }

  private:
    int m_bitCount;
    int m_width;
    int m_height;
    std::vector<BYTE> m_row;
    const RunLengthRow& m_handOn;
    int m_x = 0;
    int m_y = 0;
    bool m_set = false;
};

void Decode(const BYTE* data, std::size_t size, RunLengthRows& out) {
    std::size_t at = 0;
    while (at + 2 <= size) {
        const int count = data[at];
        const BYTE value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                if (!out.Put(out.IndexIn(value, i)))
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
            for (int i = 0; i < value; ++i)
                if (!out.Put(out.IndexIn(data[at + static_cast<std::size_t>(out.ByteOf(i))], i)))
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

void DecodeRunLengthRows(const BYTE* data, std::size_t size, int bitCount, int width, int height,
                         const RunLengthRow& handOn) {
    RunLengthRows out(bitCount, width, height, handOn);
    Decode(data, size, out);
    out.Leave();
}

void DecodeRunLength(const BYTE* data, std::size_t size, int bitCount, int width, int height, int stride,
                     BYTE* rows) {
    DecodeRunLengthRows(data, size, bitCount, width, height, [&](int y, const BYTE* indices) {
        BYTE* row = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x)
            if (bitCount == 8)
                row[x] = indices[x];
            else
                row[x / 2] |= static_cast<BYTE>(indices[x] << (x % 2 ? 0 : 4));
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
