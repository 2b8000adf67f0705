#include "ui/BitmapRoutines.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/base/CFile.h"
#include "platform/base/CFileException.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DibFormat.h"

namespace {

bool IsInfoHeader(const void* dibHeader) {
    DWORD size;
    std::memcpy(&size, dibHeader, sizeof size);
    return size != sizeof(BITMAPCOREHEADER);
}

WORD ColorsForBits(int bits) {
    switch (bits) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

// Bytes of the rows of an uncompressed DIB; more than any block holds for impossible sizes.
ULONGLONG ImageSize(int bitCount, LONG width, LONG height) {
    if (width < 0)
        return std::numeric_limits<ULONGLONG>::max();
    const ULONGLONG rows = height < 0 ? -static_cast<long long>(height) : height;
    const ULONGLONG stride = (static_cast<ULONGLONG>(bitCount) * width + 31) / 32 * 4;
    if (rows != 0 && stride > std::numeric_limits<ULONGLONG>::max() / rows)
        return std::numeric_limits<ULONGLONG>::max();
    return stride * rows;
}

// The three colour masks that follow the 40-byte header of a 16- or 32-bit DIB that uses them.
std::size_t MaskTableSize(const BITMAPINFOHEADER& header) {
    const bool masked = header.biBitCount == 16 || header.biBitCount == 32;
    return masked && header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
}

// Where the parts of a packed DIB end: all it holds, and the start of its rows.
struct PackedDibLayout {
    std::size_t dataSize;
    std::size_t pixelsAt;
};

// The layout of the DIB in a block, with the image size of an uncompressed 40-byte header set;
// nothing when a header, table or image would reach past the block.
std::optional<PackedDibLayout> LayoutOfBlock(BYTE* bytes, std::size_t blockSize) {
    DWORD headerSize = 0;
    if (blockSize < sizeof headerSize)
        return std::nullopt;
    std::memcpy(&headerSize, bytes, sizeof headerSize);
    const bool knownSize = headerSize == sizeof(BITMAPCOREHEADER) || headerSize >= sizeof(BITMAPINFOHEADER);
    if (!knownSize || headerSize > blockSize)
        return std::nullopt;
    std::size_t tableSize = DibPaletteSize(bytes);
    std::size_t dataSize = blockSize;
    if (headerSize == sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes, sizeof header);
        if (header.biCompression != BI_RLE8 && header.biCompression != BI_RLE4) {
            const ULONGLONG imageSize = ImageSize(header.biBitCount, header.biWidth, header.biHeight);
            if (imageSize > blockSize)
                return std::nullopt;
            header.biSizeImage = static_cast<DWORD>(imageSize);
            std::memcpy(bytes, &header, sizeof header);
        }
        tableSize += MaskTableSize(header);
        dataSize = sizeof header + tableSize + static_cast<std::size_t>(header.biSizeImage);
    }
    if (dataSize > blockSize || headerSize + tableSize > dataSize)
        return std::nullopt;
    return PackedDibLayout{dataSize, headerSize + tableSize};
}

// Frees a block unless it is released to the caller.
struct BlockGuard {
    HGLOBAL block;
    ~BlockGuard() {
        if (block)
            GlobalFree(block);
    }
    HGLOBAL Release() { return std::exchange(block, nullptr); }
};

}  // namespace

int PackedBitCount(const BITMAP& bitmap) {
    const int bits = bitmap.bmPlanes * bitmap.bmBitsPixel;
    if (bits <= 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    return 24;
}

WORD DibColorCount(const void* dibHeader) {
    if (!dibHeader)
        return 0;
    if (IsInfoHeader(dibHeader)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, dibHeader, sizeof header);
        if (header.biClrUsed != 0)
            return static_cast<WORD>(header.biClrUsed);
        return ColorsForBits(header.biBitCount);
    }
    BITMAPCOREHEADER core;
    std::memcpy(&core, dibHeader, sizeof core);
    return ColorsForBits(core.bcBitCount);
}

WORD DibPaletteSize(const void* dibHeader) {
    if (!dibHeader)
        return 0;
    const int entrySize = IsInfoHeader(dibHeader) ? sizeof(RGBQUAD) : sizeof(RGBTRIPLE);
    return static_cast<WORD>(DibColorCount(dibHeader) * entrySize);
}

HDIB MakePackedDib(CBitmap* bitmap, CPalette* palette) {
    BITMAP description;
    if (!bitmap || !bitmap->GetBitmap(&description))
        return nullptr;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CPalette stock;
    stock.CreateStockObject(DEFAULT_PALETTE);
    CPalette* previous = screen.SelectPalette(palette ? palette : &stock, FALSE);
    screen.RealizePalette();
    const auto restore = [&] {
        screen.SelectPalette(previous, FALSE);
        screen.RealizePalette();
    };

    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                            description.bmWidth,
                            description.bmHeight,
                            1,
                            static_cast<WORD>(PackedBitCount(description)),
                            BI_RGB,
                            0,
                            0,
                            0,
                            0,
                            0};
    const std::size_t tableSize = DibPaletteSize(&header);
    BlockGuard block{GlobalAlloc(GHND, sizeof header + tableSize)};
    if (!block.block) {
        restore();
        return nullptr;
    }
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(block.block));
    std::memcpy(info, &header, sizeof header);
    CDC::GetDIBits(bitmap, 0, description.bmHeight, nullptr, info, DIB_RGB_COLORS);
    header = info->bmiHeader;
    GlobalUnlock(block.block);
    if (header.biSizeImage == 0)
        header.biSizeImage =
            static_cast<DWORD>(ImageSize(header.biBitCount, header.biWidth, header.biHeight));

    if (!GlobalReAlloc(block.block, sizeof header + tableSize + header.biSizeImage, GHND)) {
        restore();
        return nullptr;
    }
    info = static_cast<BITMAPINFO*>(GlobalLock(block.block));
    info->bmiHeader = header;
    auto* pixels = reinterpret_cast<BYTE*>(info) + sizeof header + tableSize;
    const int rows = CDC::GetDIBits(bitmap, 0, description.bmHeight, pixels, info, DIB_RGB_COLORS);
    GlobalUnlock(block.block);
    restore();
    return rows == 0 ? nullptr : block.Release();
}

ULONGLONG DeviceColorCount(CDC* dc) {
    if (!dc)
        return 0;
    const int bits = dc->GetDeviceCaps(BITSPIXEL) * dc->GetDeviceCaps(PLANES);
    return 1ULL << std::clamp(bits, 0, 63);
}

CPalette* CopySystemPalette() {
    static std::unique_ptr<CPalette> systemPalette;
    CDC screen;
    if (!screen.CreateCompatibleDC(nullptr))
        return nullptr;
    const int count = static_cast<int>(std::min<ULONGLONG>(DeviceColorCount(&screen), 256));
    const std::vector<RGBQUAD> colors = DefaultColorTable(8);
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(storage.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        logPalette->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    auto palette = std::make_unique<CPalette>();
    if (!palette->CreatePalette(logPalette))
        return nullptr;
    systemPalette = std::move(palette);
    return systemPalette.get();
}

WORD SaveDIB(HDIB dib, const char* fileName) {
    if (!dib)
        return kDibMissing;
    CFile file;
    if (!fileName || !file.Open(fileName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return kDibNotWritten;
    auto* bytes = static_cast<BYTE*>(GlobalLock(dib));
    // The header must not claim more than the block holds.
    const std::optional<PackedDibLayout> layout =
        bytes ? LayoutOfBlock(bytes, GlobalSize(dib)) : std::nullopt;
    if (!layout) {
        if (bytes)
            GlobalUnlock(dib);
        file.Abort();
        return kDibNotLocked;
    }
    const BITMAPFILEHEADER fileHeader{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + layout->dataSize),
                                      0, 0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + layout->pixelsAt)};
    WORD result = kDibSaved;
    try {
        // Every write is checked in full (CFile throws on a short one), and the file replaces any
        // old one only once all of it is on disk.
        file.Write(&fileHeader, sizeof fileHeader);
        file.Write(bytes, static_cast<UINT>(layout->dataSize));
        file.Close();
    } catch (const CFileException&) {
        file.Abort();
        result = kDibNotWritten;
    }
    GlobalUnlock(dib);
    return result;
}

WORD DestroyDIB(HDIB dib) {
    GlobalFree(dib);
    return 0;
}
