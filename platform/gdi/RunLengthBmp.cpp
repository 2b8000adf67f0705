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

// Where the decode stands: the next pixel to set, counted from the bottom row.
class RunLengthRows {
  public:
    RunLengthRows(int bitCount, int width, int height, int stride, BYTE* rows)
        : m_bitCount(bitCount), m_width(width), m_height(height), m_stride(stride), m_rows(rows) {}

    // False when the pixel would lie past its row or the picture.
    bool Put(int index) {
        if (m_x >= m_width || m_y >= m_height)
            return false;
        BYTE* row = m_rows + static_cast<std::size_t>(m_y) * m_stride;
        if (m_bitCount == 8)
            row[m_x] = static_cast<BYTE>(index);
        else
            row[m_x / 2] |= static_cast<BYTE>((index & 0xF) << (m_x % 2 ? 0 : 4));
        ++m_x;
        return true;
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
    int m_stride;
    BYTE* m_rows;
    int m_x = 0;
    int m_y = 0;
};

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

void DecodeRunLength(const BYTE* data, std::size_t size, int bitCount, int width, int height, int stride,
                     BYTE* rows) {
    RunLengthRows out(bitCount, width, height, stride, rows);
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

std::vector<BYTE> ExpandRunLengthBmp(const std::vector<BYTE>& file) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    DibDescription dib;
    if (!ReadHeaders(file, fileHeader, info))
        return {};
    const std::size_t colorsAt = kFileHeaderSize + info.biSize;
    if (!DescribePlain(info, dib) || colorsAt > file.size())
        return {};
    const std::size_t colorBytes = static_cast<std::size_t>(dib.colorEntries) * sizeof(RGBQUAD);
    const std::size_t colorsEnd = colorsAt + colorBytes;
    const std::size_t dataAt = fileHeader.bfOffBits ? fileHeader.bfOffBits : colorsEnd;
    if (colorsEnd > file.size() || dataAt < colorsEnd || dataAt > file.size())
        return {};
    // A few codes may rightly stand for a large blank picture: only its size bounds it.
    if (static_cast<std::uint64_t>(dib.width) * dib.height > kLargestRunLengthPixels)
        return {};
    const std::size_t plainBitsAt = kFileHeaderSize + sizeof info + colorBytes;
    info.biSizeImage = static_cast<DWORD>(dib.ImageSize());
    const BITMAPFILEHEADER plainHeader{0x4D42, static_cast<DWORD>(plainBitsAt + dib.ImageSize()), 0, 0,
                                       static_cast<DWORD>(plainBitsAt)};
    std::vector<BYTE> plain(plainBitsAt + dib.ImageSize(), 0);
    std::memcpy(plain.data(), &plainHeader, sizeof plainHeader);
    std::memcpy(plain.data() + kFileHeaderSize, &info, sizeof info);
    std::copy_n(file.data() + colorsAt, colorBytes, plain.data() + kFileHeaderSize + sizeof info);
    DecodeRunLength(file.data() + dataAt, file.size() - dataAt, dib.bitCount, dib.width, dib.height,
                    dib.stride, plain.data() + plainBitsAt);
    return plain;
}
