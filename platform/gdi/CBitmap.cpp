#include "platform/gdi/CBitmap.h"

#include <cstring>
#include <new>

#include "platform/base/CFile.h"
#include "platform/base/CFileException.h"
#include "platform/base/FileSystemText.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {
constexpr int kLargestSide = 32768;

// The bits of a device-dependent bitmap as a top-down DIB with 16-bit aligned rows.
DibDescription DeviceBitsLayout(int width, int height, int bitsPixel) {
    DibDescription dib;
    dib.width = width;
    dib.height = height;
    dib.topDown = true;
    dib.bitCount = bitsPixel == 1 ? 1 : bitsPixel <= 8 ? 8 : bitsPixel;
    dib.stride = ((width * dib.bitCount + 15) / 16) * 2;
    dib.colorEntries = dib.bitCount <= 8 ? (1 << dib.bitCount) : 0;
    return dib;
}

bool HasRowPadding(const DibDescription& dib) {
    return dib.width * dib.bitCount < dib.stride * 8;
}

// Copies the bits after each row's last pixel from the rows kept to the rows given.
void KeepRowPadding(const DibDescription& dib, const std::vector<BYTE>& kept, std::vector<BYTE>& rows) {
    if (kept.size() != rows.size())
        return;
    const int pixelBits = dib.width * dib.bitCount;
    for (int row = 0; row < dib.height; ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * dib.stride;
        for (int bit = pixelBits; bit < dib.stride * 8; ++bit) {
            const std::size_t at = start + bit / 8;
            const BYTE mask = static_cast<BYTE>(0x80 >> (bit % 8));
            rows[at] = static_cast<BYTE>((rows[at] & ~mask) | (kept[at] & mask));
        }
    }
}
}  // namespace

BOOL CBitmap::Adopt(std::shared_ptr<PixelSurface> surface, int bitsPixel) {
    if (m_hObject)
        return FALSE;
    m_surface = std::move(surface);
    m_bitsPixel = bitsPixel;
    MarkCreated();
    return TRUE;
}

void CBitmap::Release() {
    m_surface.reset();
    m_dibBits = nullptr;
    m_setBits.clear();
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return FALSE;
    const int depth = static_cast<int>(planes * bitsPerPixel);
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return FALSE;
    if (!Adopt(std::make_shared<PixelSurface>(width, height), depth))
        return FALSE;
    if (bits)
        SetBitmapBits(static_cast<DWORD>(BitsStride() * height), bits);
    return TRUE;
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap) {
    if (!bitmap)
        return FALSE;
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel,
                        bitmap->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    const bool monochrome = dc && dc->IsMonochrome();
    return CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
}

BOOL CBitmap::CreateDIBSection(const BITMAPINFO* info, UINT usage, void** bits) {
    DibDescription dib;
    if (!info || usage != DIB_RGB_COLORS || !DescribeDib(info->bmiHeader, dib))
        return FALSE;
    std::vector<RGBQUAD> colors(info->bmiColors, info->bmiColors + dib.colorEntries);
    auto section = std::make_unique<DibSectionBits>(dib, std::move(colors));
    m_dibBits = section->Bits();
    auto surface = std::make_shared<PixelSurface>(dib.width, dib.height);
    surface->BindDibSection(std::move(section));
    surface->PullFromDibSection();
    if (!Adopt(std::move(surface), dib.bitCount == 1 ? 1 : dib.bitCount))
        return FALSE;
    if (bits)
        *bits = m_dibBits;
    return TRUE;
}

BOOL CBitmap::LoadBitmapFile(const CString& path) {
    BmpImage image = ReadBmpFile(DiskPath(path));
    if (!image.surface)
        return FALSE;
    return Adopt(std::move(image.surface), image.bitCount == 1 ? 1 : 32);
}

BOOL CBitmap::CreateFromSurface(const PixelSurface& surface, bool monochrome) {
    auto copy = std::make_shared<PixelSurface>(surface.Width(), surface.Height());
    std::memcpy(copy->Data(), surface.Row(0),
                static_cast<std::size_t>(surface.Width()) * surface.Height() * 4);
    return Adopt(std::move(copy), monochrome ? 1 : 32);
}

BOOL CBitmap::ShareSurface(std::shared_ptr<PixelSurface> surface, bool monochrome) {
    if (!surface)
        return FALSE;
    return Adopt(std::move(surface), monochrome ? 1 : 32);
}

int CBitmap::BitsStride() const {
    return DeviceBitsLayout(m_surface->Width(), 1, m_bitsPixel).stride;
}

int CBitmap::GetBitmap(BITMAP* bitmap) const {
    if (!m_hObject || !bitmap)
        return 0;
    *bitmap = BITMAP{
        0,        m_surface->Width(), m_surface->Height(), BitsStride(), 1, static_cast<WORD>(m_bitsPixel),
        m_dibBits};
    return static_cast<int>(sizeof(BITMAP));
}

CSize CBitmap::GetBitmapDimension() const {
    return m_surface ? CSize(m_surface->Width(), m_surface->Height()) : CSize();
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const {
    if (!m_hObject || !bits)
        return 0;
    const DibDescription dib = DeviceBitsLayout(m_surface->Width(), m_surface->Height(), m_bitsPixel);
    std::vector<BYTE> all(dib.ImageSize());
    const std::vector<RGBQUAD> colors = DefaultColorTable(dib.bitCount);
    m_surface->PullFromDibSection();
    EncodeDibPixels(*m_surface, dib, colors.data(), all.data());
    KeepRowPadding(dib, m_setBits, all);
    const DWORD copied = std::min<DWORD>(count, static_cast<DWORD>(all.size()));
    std::memcpy(bits, all.data(), copied);
    return copied;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
    if (!m_hObject || !bits)
        return 0;
    const DibDescription dib = DeviceBitsLayout(m_surface->Width(), m_surface->Height(), m_bitsPixel);
    std::vector<BYTE> all(dib.ImageSize());
    m_surface->PullFromDibSection();
    const std::vector<RGBQUAD> colors = DefaultColorTable(dib.bitCount);
    EncodeDibPixels(*m_surface, dib, colors.data(), all.data());
    const DWORD copied = std::min<DWORD>(count, static_cast<DWORD>(all.size()));
    KeepRowPadding(dib, m_setBits, all);
    std::memcpy(all.data(), bits, copied);
    DecodeDibPixels(dib, colors.data(), all.data(), *m_surface);
    if (HasRowPadding(dib))
        m_setBits = std::move(all);
    m_surface->PushToDibSection();
    return copied;
}

BOOL CBitmap::SaveBmpFile(const CString& path, int bitCount) const {
    if (!m_hObject)
        return FALSE;
    m_surface->PullFromDibSection();
    const std::vector<BYTE> bytes = EncodeBmpFile(*m_surface, bitCount);
    if (bytes.empty())
        return FALSE;
    // Written to a temporary neighbour that replaces the old file only when all of it is on disk.
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    } catch (const CFileException&) {
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

BOOL CBitmap::WritePng(const CString& path) const {
    if (!m_hObject)
        return FALSE;
    m_surface->PullFromDibSection();
    return m_surface->WritePng(path) ? TRUE : FALSE;
}
