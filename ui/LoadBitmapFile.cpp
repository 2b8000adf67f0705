#include "ui/LoadBitmapFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "platform/base/CFile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/base/FileSystemText.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/RunLengthBmp.h"
#include "resources/StringTable.h"
#include "ui/LoadDibFile.h"

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr ULONGLONG kLargestFile = 512ULL << 20;
constexpr std::size_t kPaletteLimit = 256;
constexpr WORD kPaletteVersion = 0x300;
constexpr int kScreenBits = 32;

WORD WordAt(const BYTE* bytes) {
    return static_cast<WORD>(bytes[0] | bytes[1] << 8);
}

DWORD DwordAt(const BYTE* bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
           static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

// A bitmap file whose headers agree with its size, laid out again as the drawing layer takes
// it: a 40-byte header, the colour table and the pixel rows.
struct CheckedBitmap {
    std::vector<BYTE> info;
    std::vector<BYTE> bits;
    // The colour table as the file gives it, for the palette.
    std::vector<RGBQUAD> colours;
};

bool ReadWholeFile(const char* path, std::vector<BYTE>& bytes) {
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length < kFileHeaderSize || length > kLargestFile)
        return false;
    bytes.resize(static_cast<std::size_t>(length));
    return file.Read(bytes.data(), static_cast<UINT>(length)) == length;
}

// The entries after the information header: the colour table, for deep bitmaps the entries
// the header says and the three masks of bit fields.
std::size_t TableEntries(const BITMAPINFOHEADER& header, const DibDescription& dib) {
    if (header.biBitCount <= 8)
        return static_cast<std::size_t>(dib.colorEntries);
    return static_cast<std::size_t>(header.biClrUsed) + (header.biCompression == BI_BITFIELDS ? 3 : 0);
}

bool CheckBitmap(const std::vector<BYTE>& file, CheckedBitmap& checked) {
    if (WordAt(file.data()) != kBitmapMagic)
        return false;
    const std::size_t size = file.size();
    BITMAPINFOHEADER header{};
    if (size < kFileHeaderSize + sizeof header)
        return false;
    std::memcpy(&header, file.data() + kFileHeaderSize, sizeof header);
    DibDescription dib;
    if (header.biSize > size - kFileHeaderSize || !DescribeDib(header, dib))
        return false;
    const std::size_t tableStart = kFileHeaderSize + header.biSize;
    const std::size_t entries = TableEntries(header, dib);
    if (entries > (size - tableStart) / sizeof(RGBQUAD))
        return false;
    const std::size_t tableEnd = tableStart + entries * sizeof(RGBQUAD);
    // The pixel offset, when the file gives one, must lie after the table and within the file.
    const DWORD offset = DwordAt(file.data() + 10);
    const std::size_t bitsStart = offset == 0 ? tableEnd : offset;
    if (bitsStart < tableEnd || bitsStart > size || dib.ImageSize() > size - bitsStart)
        return false;

    // Copies rather than memcpy: a table may be empty.
    checked.colours.resize(entries);
    std::copy_n(file.data() + tableStart, entries * sizeof(RGBQUAD),
                reinterpret_cast<BYTE*>(checked.colours.data()));
    header.biSize = sizeof header;
    const std::size_t drawnBytes = static_cast<std::size_t>(dib.colorEntries) * sizeof(RGBQUAD);
    checked.info.resize(sizeof header);
    std::memcpy(checked.info.data(), &header, sizeof header);
    checked.info.insert(checked.info.end(), file.data() + tableStart, file.data() + tableStart + drawnBytes);
    checked.bits.assign(file.begin() + static_cast<std::ptrdiff_t>(bitsStart),
                        file.begin() + static_cast<std::ptrdiff_t>(bitsStart + dib.ImageSize()));
    return true;
}

void MakePalette(const std::vector<RGBQUAD>& colours, CPalette& palette) {
    std::vector<BYTE> block(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = kPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(colours.size());
    PALETTEENTRY* entries = logical->palPalEntry;
    for (std::size_t i = 0; i < colours.size(); ++i)
        entries[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    palette.DeleteObject();
    palette.CreatePalette(logical);
}
}  // namespace

int LoadBitmapFile(const char* path, CBitmap& bitmap, CPalette* palette) {
    std::vector<BYTE> file;
    CheckedBitmap checked;
    if (!path || !ReadWholeFile(path, file))
        return 0;
    if (IsRunLengthBmp(file))
        file = ExpandRunLengthBmp(file);
    if (file.empty() || !CheckBitmap(file, checked))
        return 0;
    const bool withPalette = palette && checked.colours.size() <= kPaletteLimit;
    if (withPalette)
        MakePalette(checked.colours, *palette);
    // A bitmap in the screen's true colour; the palette only keeps the file's colours.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(checked.info.data());
    const int height = std::abs(info->bmiHeader.biHeight);
    bitmap.DeleteObject();
    const bool made = bitmap.CreateBitmap(info->bmiHeader.biWidth, height, 1, kScreenBits, nullptr) &&
                      CDC::SetDIBits(&bitmap, 0, height, checked.bits.data(), info, DIB_RGB_COLORS) == height;
    return made ? 1 : 0;
}

namespace {

// A name from a layout may name a pipe or a device: only a regular file is opened.
std::unique_ptr<CBitmap> ReadStoredPath(const CString& storedPath) {
    const std::filesystem::path real = CWinPath::ResolveExisting(storedPath.c_str());
    std::error_code error;
    if (storedPath.IsEmpty() || real.empty() || !std::filesystem::is_regular_file(real, error))
        return nullptr;
    return LoadDibFile(nullptr, PathText(real));
}

}  // namespace

std::unique_ptr<CBitmap> LoadBitmapFile(CString& name, const char* profileKey, const char* dataFolder,
                                        bool report) {
    if (auto bitmap = ReadStoredPath(name))
        return bitmap;
    const CString bare = CDataFolders::BareName(name);
    for (const CString& path : {CDataFolders::GetBaseFolder() + dataFolder + bare,
                                CDataFolders::GetDataFolder(profileKey) + bare}) {
        if (auto bitmap = ReadStoredPath(path)) {
            name = path;
            return bitmap;
        }
    }
    if (report)
        CMissingFileReport::ShowFile(CStringTable::Text(IDS_COULD_NOT_READ_FILE), CWinPath::Native(name));
    return nullptr;
}
