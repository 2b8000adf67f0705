#include "platform/gdi/CBrush.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return CreateBrushIndirect(&brush);
}

BOOL CBrush::CreateHatchBrush(int hatchIndex, COLORREF color) {
    if (hatchIndex < HS_HORIZONTAL || hatchIndex > HS_DIAGCROSS)
        return FALSE;
    const LOGBRUSH brush{BS_HATCHED, color, static_cast<std::uintptr_t>(hatchIndex)};
    return CreateBrushIndirect(&brush);
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
    if (m_hObject || !bitmap || !bitmap->GetSafeHandle())
        return FALSE;
    const PixelSurface& source = *bitmap->Surface();
    auto copy = std::make_shared<PixelSurface>(source.Width(), source.Height());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) copy->Set(x, y, source.At(x, y));
    m_pattern = std::move(copy);
    m_monochromePattern = bitmap->IsMonochrome();
    m_logBrush = {BS_PATTERN, 0, 0};
    MarkCreated();
    return TRUE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush) {
    if (m_hObject || !logBrush)
        return FALSE;
    if (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL && logBrush->lbStyle != BS_HATCHED)
        return FALSE;
    if (logBrush->lbStyle == BS_HATCHED && logBrush->lbHatch > static_cast<std::uintptr_t>(HS_DIAGCROSS))
        return FALSE;
    m_logBrush = *logBrush;
    MarkCreated();
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int index) {
    return CreateSolidBrush(GetSysColor(index));
}

BOOL CBrush::CreateStockObject(int index) {
    switch (index) {
        case WHITE_BRUSH:
            return CreateSolidBrush(RGB(255, 255, 255));
        case LTGRAY_BRUSH:
            return CreateSolidBrush(RGB(192, 192, 192));
        case GRAY_BRUSH:
            return CreateSolidBrush(RGB(128, 128, 128));
        case DKGRAY_BRUSH:
            return CreateSolidBrush(RGB(64, 64, 64));
        case BLACK_BRUSH:
            return CreateSolidBrush(RGB(0, 0, 0));
        case NULL_BRUSH: {
            const LOGBRUSH hollow{BS_NULL, 0, 0};
            return CreateBrushIndirect(&hollow);
        }
        default:
            return FALSE;
    }
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const {
    if (!m_hObject || !logBrush)
        return 0;
    *logBrush = m_logBrush;
    return static_cast<int>(sizeof(LOGBRUSH));
}
