#include "platform/gdi/CImageList.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/DragImage.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"

namespace {
constexpr int kLargestSide = 4096;

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int percentOfB) {
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>((ca * (100 - percentOfB) + cb * percentOfB) / 100) << shift;
    }
    return out;
}
}  // namespace

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int) {
    if (m_created || cx <= 0 || cy <= 0 || cx > kLargestSide || cy > kLargestSide)
        return FALSE;
    m_size = CSize(cx, cy);
    m_masked = (flags & ILC_MASK) != 0;
    m_created = true;
    return TRUE;
}

BOOL CImageList::Create(CBitmap* strip, int cx, int grow, COLORREF maskColor) {
    if (!strip || !strip->GetSafeHandle())
        return FALSE;
    if (!Create(cx, strip->GetBitmapDimension().cy, ILC_MASK | ILC_COLOR24, 0, grow))
        return FALSE;
    return Add(strip, maskColor) >= 0;
}

BOOL CImageList::DeleteImageList() {
    if (!m_created)
        return FALSE;
    m_images.clear();
    m_created = false;
    return TRUE;
}

CImageList::Image CImageList::Cell(const PixelSurface& pixels, const PixelSurface* mask,
                                   const COLORREF* maskColor, int left) const {
    Image image{std::make_shared<PixelSurface>(m_size.cx, m_size.cy),
                std::vector<bool>(m_size.cx * m_size.cy)};
    const std::uint32_t key = maskColor ? PixelFromColor(*maskColor) : 0;
    for (int y = 0; y < m_size.cy; ++y)
        for (int x = 0; x < m_size.cx; ++x) {
            const bool inside = pixels.Contains(left + x, y);
            const std::uint32_t p = inside ? pixels.At(left + x, y) : 0;
            bool clear = false;
            if (m_masked && mask)
                clear = mask->Contains(left + x, y) && mask->At(left + x, y) != 0;
            if (m_masked && maskColor)
                clear = p == key;
            image.transparent[y * m_size.cx + x] = clear;
            image.pixels->Set(x, y, clear ? 0 : p);
        }
    return image;
}

int CImageList::AddCells(const PixelSurface& pixels, const PixelSurface* mask, const COLORREF* maskColor) {
    if (!m_created)
        return -1;
    const int first = GetImageCount();
    for (int left = 0; left + m_size.cx <= pixels.Width(); left += m_size.cx)
        m_images.push_back(Cell(pixels, mask, maskColor, left));
    return GetImageCount() > first ? first : -1;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    if (!image || !image->GetSafeHandle())
        return -1;
    return AddCells(*image->Surface(), mask && mask->GetSafeHandle() ? mask->Surface().get() : nullptr,
                    nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF maskColor) {
    if (!image || !image->GetSafeHandle())
        return -1;
    return AddCells(*image->Surface(), nullptr, &maskColor);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
    if (index < 0 || index >= GetImageCount() || !image || !image->GetSafeHandle())
        return FALSE;
    m_images[index] =
        Cell(*image->Surface(), mask && mask->GetSafeHandle() ? mask->Surface().get() : nullptr, nullptr, 0);
    return TRUE;
}

BOOL CImageList::Remove(int index) {
    if (index == -1) {
        m_images.clear();
        return TRUE;
    }
    if (index < 0 || index >= GetImageCount())
        return FALSE;
    m_images.erase(m_images.begin() + index);
    return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF color) {
    const COLORREF previous = m_bkColor;
    m_bkColor = color;
    return previous;
}

// Drawn as the framework draws: the mask cleared out of the destination (SRCAND), then the image
// with black where it is transparent merged in (SRCPAINT).
BOOL CImageList::SetOverlayImage(int image, int overlay) {
    if (image < 0 || image >= GetImageCount() || overlay < 1 || overlay > 15)
        return FALSE;
    m_overlays[overlay] = image;
    return TRUE;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT style) {
    if (!dc || index < 0 || index >= GetImageCount())
        return FALSE;
    const Image& image = m_images[index];
    const bool transparent = m_masked && ((style & ILD_TRANSPARENT) || m_bkColor == CLR_NONE);
    const int blend = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
    const std::uint32_t highlight = PixelFromColor(GetSysColor(COLOR_HIGHLIGHT));
    const std::uint32_t background = PixelFromColor(m_bkColor == CLR_NONE ? 0 : m_bkColor);

    PixelSurface picture(m_size.cx, m_size.cy), mask(m_size.cx, m_size.cy);
    for (int y = 0; y < m_size.cy; ++y)
        for (int x = 0; x < m_size.cx; ++x) {
            const bool clear = image.transparent[y * m_size.cx + x];
            std::uint32_t p = clear && !transparent ? background : image.pixels->At(x, y);
            if (blend && !clear)
                p = Blend(p, highlight, blend);
            if (style & ILD_MASK)
                p = clear ? 0xFFFFFF : 0;
            picture.Set(x, y, clear && transparent ? 0 : p);
            mask.Set(x, y, clear && transparent ? 0xFFFFFF : 0);
        }
    CBitmap pictureBitmap, maskBitmap;
    pictureBitmap.CreateFromSurface(picture);
    maskBitmap.CreateFromSurface(mask, true);
    CDC pictureDC, maskDC;
    pictureDC.CreateCompatibleDC(dc);
    maskDC.CreateCompatibleDC(dc);
    pictureDC.SelectObject(&pictureBitmap);
    maskDC.SelectObject(&maskBitmap);
    CSize size = m_size;
    dc->DPtoLP(&size);
    const COLORREF text = dc->SetTextColor(RGB(0, 0, 0)), bk = dc->SetBkColor(RGB(255, 255, 255));
    if (transparent && !(style & ILD_MASK)) {
        dc->StretchBlt(at.x, at.y, size.cx, size.cy, &maskDC, 0, 0, m_size.cx, m_size.cy, SRCAND);
        dc->StretchBlt(at.x, at.y, size.cx, size.cy, &pictureDC, 0, 0, m_size.cx, m_size.cy, SRCPAINT);
    } else {
        dc->StretchBlt(at.x, at.y, size.cx, size.cy, &pictureDC, 0, 0, m_size.cx, m_size.cy, SRCCOPY);
    }
    dc->SetTextColor(text);
    dc->SetBkColor(bk);
    const int overlay = static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
    if (overlay > 0 && m_overlays[overlay] >= 0)
        Draw(dc, m_overlays[overlay], at, ILD_TRANSPARENT);
    return TRUE;
}

BOOL CImageList::BeginDrag(int image, CPoint hotSpot) {
    if (image < 0 || image >= GetImageCount())
        return FALSE;
    DragImage::Instance().Begin(m_images[image].pixels, m_images[image].transparent, hotSpot);
    return DragImage::Instance().IsDragging();
}

BOOL CImageList::DragEnter(CWnd* lock, CPoint point) {
    return DragImage::Instance().Enter(lock, point);
}

BOOL CImageList::DragMove(CPoint point) {
    return DragImage::Instance().Move(point);
}

BOOL CImageList::DragShowNolock(BOOL show) {
    return DragImage::Instance().Show(show != FALSE);
}

BOOL CImageList::DragLeave(CWnd* lock) {
    if (lock && lock != DragImage::Instance().Lock())
        return FALSE;
    return DragImage::Instance().Leave();
}

void CImageList::EndDrag() {
    DragImage::Instance().End();
}
