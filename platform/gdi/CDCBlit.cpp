#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CDCState.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/RasterOps.h"

namespace {

// A signed rectangle: left/top where the picture starts, right/bottom where it ends.
CRect SignedRect(CPoint a, CPoint b) {
    return CRect(a.x, a.y, b.x, b.y);
}

// The pixels a signed rectangle covers: a negative extent runs back from its start pixel, so that
// (x + cx - 1, -cx) mirrors over the same pixels as (x, cx).
CRect CoveredPixels(const CRect& signedRect) {
    CRect r(signedRect);
    if (r.right < r.left)
        r.left += 1, r.right += 1;
    if (r.bottom < r.top)
        r.top += 1, r.bottom += 1;
    r.NormalizeRect();
    return r;
}

// The pixels of a DIB, or null when the DIB is not one we read.
std::unique_ptr<PixelSurface> SurfaceOfDib(const BITMAPINFO* info, const void* bits, DibDescription& dib) {
    if (!info || !bits || !DescribeDib(info->bmiHeader, dib))
        return nullptr;
    auto surface = std::make_unique<PixelSurface>(dib.width, dib.height);
    DecodeDibPixels(dib, info->bmiColors, static_cast<const BYTE*>(bits), *surface);
    return surface;
}

}  // namespace

void CDC::BlitFrom(const CRect& dest, const PixelSurface* source, CPoint sourceOrigin,
                   const CRect& sourceRect, bool sourceMono, COLORREF sourceBk, DWORD rop) {
    if (!m_surface)
        return;
    const CRect target = CoveredPixels(dest);
    const int dw = target.Width(), dh = target.Height();
    if (dw == 0 || dh == 0)
        return;
    const bool usesSource = Rop3UsesSource(rop) && source;
    const CRect from = CoveredPixels(sourceRect);
    const int sw = from.Width(), sh = from.Height();
    if (usesSource && (sw == 0 || sh == 0))
        return;
    const bool mirrorX = (dest.right < dest.left) != (sourceRect.right < sourceRect.left);
    const bool mirrorY = (dest.bottom < dest.top) != (sourceRect.bottom < sourceRect.top);
    const bool plainCopy = rop == SRCCOPY && usesSource && sw == dw && sh == dh && !mirrorX && !mirrorY &&
                           sourceMono == IsMonochrome();
    if (m_fastPaths && plainCopy) {
        CopyRows(target, *source, static_cast<long long>(from.left) + sourceOrigin.x,
                 static_cast<long long>(from.top) + sourceOrigin.y);
        return;
    }

    if (usesSource)
        const_cast<PixelSurface*>(source)->PullFromDibSection();
    const auto sourceAt = [&](int x, int y) {
        const int sx = from.left + x + sourceOrigin.x, sy = from.top + y + sourceOrigin.y;
        return source->Contains(sx, sy) ? source->At(sx, sy) : 0;
    };
    // A source that is the destination itself is copied first, as its pixels change on the way.
    const bool ownPixels = usesSource && source == m_surface.get();
    PixelSurface copy(ownPixels ? sw : 0, ownPixels ? sh : 0);
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x) copy.Set(x, y, sourceAt(x, y));
    m_surface->PullFromDibSection();
    const bool destMono = IsMonochrome();
    Brush pattern = CurrentBrush();
    pattern.opaqueGaps = true;
    const std::uint32_t textPixel = PixelFromColor(m_state->textColor),
                        bkPixel = PixelFromColor(m_state->bkColor);
    const std::uint32_t sourceBkPixel = PixelFromColor(sourceBk);
    const RectRegion visible = VisibleRegion();
    for (const CRect& area : visible.Rects()) {
        const CRect part = area & target;
        for (int y = part.top; y < part.bottom; ++y) {
            int v = static_cast<int>((static_cast<long long>(y - target.top) * 2 + 1) * sh / (2LL * dh));
            if (mirrorY)
                v = sh - 1 - v;
            std::uint32_t* row = m_surface->Row(y + m_origin.y) + m_origin.x;
            for (int x = part.left; x < part.right; ++x) {
                std::uint32_t s = 0, p = 0;
                if (usesSource) {
                    int u =
                        static_cast<int>((static_cast<long long>(x - target.left) * 2 + 1) * sw / (2LL * dw));
                    if (mirrorX)
                        u = sw - 1 - u;
                    s = ownPixels ? copy.At(u, v) : sourceAt(u, v);
                    if (sourceMono && !destMono)
                        s = s == 0 ? textPixel : bkPixel;
                    else if (!sourceMono && destMono)
                        s = s == sourceBkPixel ? 0xFFFFFF : 0;
                }
                if (!pattern.At(x - m_state->brushOrg.x, y - m_state->brushOrg.y, p))
                    p = 0;
                if (destMono)
                    p = MonochromePixel(p);
                row[x] = ApplyRop3(rop, p, s, row[x]);
            }
        }
    }
    WriteBack();
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    if (!m_surface || Rop3UsesSource(rop))
        return FALSE;
    BlitFrom(SignedRect(ToDevice(x, y), ToDevice(x + width, y + height)), nullptr, CPoint(), CRect(), false,
             0, rop);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    Trace("BitBlt", {{x, y}, {x + width, y + height}});
    if (!m_surface)
        return FALSE;
    if (!Rop3UsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    if (!source || !source->m_surface)
        return FALSE;
    // The source keeps the destination's size in device pixels, as the framework's does.
    const CRect dest = SignedRect(ToDevice(x, y), ToDevice(x + width, y + height));
    const CPoint from = source->ToDevice(xSrc, ySrc);
    CRect sourceRect(from.x, from.y, from.x + std::abs(dest.Width()), from.y + std::abs(dest.Height()));
    CRect normalDest(dest);
    normalDest.NormalizeRect();
    BlitFrom(normalDest, source->m_surface.get(), source->m_origin, sourceRect, source->IsMonochrome(),
             source->GetBkColor(), rop);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
    Trace("StretchBlt", {{x, y}, {x + width, y + height}});
    if (!m_surface)
        return FALSE;
    if (!Rop3UsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    if (!source || !source->m_surface)
        return FALSE;
    const CRect dest = SignedRect(ToDevice(x, y), ToDevice(x + width, y + height));
    const CRect sourceRect =
        SignedRect(source->ToDevice(xSrc, ySrc), source->ToDevice(xSrc + srcWidth, ySrc + srcHeight));
    BlitFrom(dest, source->m_surface.get(), source->m_origin, sourceRect, source->IsMonochrome(),
             source->GetBkColor(), rop);
    return TRUE;
}

int CDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                       const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    DibDescription dib;
    if (!m_surface || usage != DIB_RGB_COLORS)
        return 0;
    const auto source = SurfaceOfDib(info, bits, dib);
    if (!source)
        return 0;
    // Rows of a bottom-up DIB count from its bottom.
    const int top = dib.topDown ? ySrc : dib.height - ySrc - srcHeight;
    const CRect sourceRect(xSrc, top, xSrc + srcWidth, top + srcHeight);
    BlitFrom(SignedRect(ToDevice(x, y), ToDevice(x + width, y + height)), source.get(), CPoint(), sourceRect,
             false, 0, rop);
    return dib.height;
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                           UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
    DibDescription dib;
    if (!m_surface || usage != DIB_RGB_COLORS || !info || !bits || !DescribeDib(info->bmiHeader, dib))
        return 0;
    if (startScan >= static_cast<UINT>(dib.height))
        return 0;
    const int lines = static_cast<int>(std::min<UINT>(scanLines, dib.height - startScan));
    // The given scan lines, placed where they belong in the whole picture.
    BITMAPINFOHEADER band = info->bmiHeader;
    band.biHeight = dib.topDown ? -lines : lines;
    DibDescription bandDib;
    DescribeDib(band, bandDib);
    PixelSurface bandPixels(dib.width, lines);
    DecodeDibPixels(bandDib, info->bmiColors, static_cast<const BYTE*>(bits), bandPixels);
    PixelSurface whole(dib.width, dib.height);
    for (int r = 0; r < lines; ++r) {
        const int row = dib.topDown ? static_cast<int>(startScan) + r
                                    : dib.height - 1 - static_cast<int>(startScan) - (lines - 1 - r);
        std::memcpy(whole.Row(row), bandPixels.Row(r), static_cast<std::size_t>(dib.width) * 4);
    }
    const int top = dib.topDown ? ySrc : dib.height - ySrc - static_cast<int>(height);
    const CPoint at = ToDevice(x, y);
    const CRect dest(at.x, at.y, at.x + static_cast<int>(width), at.y + static_cast<int>(height));
    BlitFrom(dest, &whole, CPoint(),
             CRect(xSrc, top, xSrc + static_cast<int>(width), top + static_cast<int>(height)), false, 0,
             SRCCOPY);
    return lines;
}

int CDC::GetDIBits(CBitmap* bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
                   UINT usage) {
    if (!bitmap || !bitmap->GetSafeHandle() || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        usage != DIB_RGB_COLORS)
        return 0;
    PixelSurface& surface = *bitmap->Surface();
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount == 0) {
        header = {sizeof(BITMAPINFOHEADER),
                  surface.Width(),
                  surface.Height(),
                  1,
                  static_cast<WORD>(bitmap->IsMonochrome() ? 1 : 32),
                  BI_RGB,
                  0,
                  0,
                  0,
                  0,
                  0};
    }
    header.biWidth = surface.Width();
    header.biHeight = header.biHeight < 0 ? -surface.Height() : surface.Height();
    header.biPlanes = 1;
    DibDescription dib;
    if (!DescribeDib(header, dib))
        return 0;
    header.biSizeImage = static_cast<DWORD>(dib.ImageSize());
    const std::vector<RGBQUAD> colors = DefaultColorTable(dib.bitCount);
    if (dib.compression == BI_RGB)
        std::copy(colors.begin(), colors.end(), info->bmiColors);
    if (!bits)
        return dib.height;
    if (startScan >= static_cast<UINT>(dib.height))
        return 0;
    const int lines = static_cast<int>(std::min<UINT>(scanLines, dib.height - startScan));
    std::vector<BYTE> all(dib.ImageSize());
    surface.PullFromDibSection();
    EncodeDibPixels(surface, dib, info->bmiColors, all.data());
    std::memcpy(bits, all.data() + static_cast<std::size_t>(startScan) * dib.stride,
                static_cast<std::size_t>(lines) * dib.stride);
    return lines;
}

int CDC::SetDIBits(CBitmap* bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                   UINT usage) {
    DibDescription dib;
    if (!bitmap || !bitmap->GetSafeHandle() || !bits || !info || usage != DIB_RGB_COLORS ||
        !DescribeDib(info->bmiHeader, dib))
        return 0;
    if (startScan >= static_cast<UINT>(dib.height))
        return 0;
    PixelSurface& surface = *bitmap->Surface();
    surface.PullFromDibSection();
    PixelSurface decoded(dib.width, dib.height);
    DecodeDibPixels(dib, info->bmiColors, static_cast<const BYTE*>(bits), decoded);
    const int lines = static_cast<int>(std::min<UINT>(scanLines, dib.height - startScan));
    for (int scan = static_cast<int>(startScan); scan < static_cast<int>(startScan) + lines; ++scan) {
        const int row = dib.topDown ? scan : dib.height - 1 - scan;
        for (int x = 0; x < std::min(dib.width, surface.Width()); ++x)
            if (row < surface.Height())
                surface.Set(x, row, decoded.At(x, row));
    }
    surface.PushToDibSection();
    return lines;
}

BOOL CDC::CreateDIBitmap(CBitmap* bitmap, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                         const BITMAPINFO* info, UINT usage) {
    if (!bitmap || !header)
        return FALSE;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (!bitmap->CreateCompatibleBitmap(this, header->biWidth, height))
        return FALSE;
    if ((init & CBM_INIT) && bits && info)
        SetDIBits(bitmap, 0, height, bits, info, usage);
    return TRUE;
}
