#pragma once

#include <memory>

#include "platform/gdi/CGdiObject.h"

class CBitmap;
class PixelSurface;

// A brush: solid, hatched (HS_*), a pattern from a bitmap, or hollow.
class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
  public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatchIndex, COLORREF color) { CreateHatchBrush(hatchIndex, color); }

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatchIndex, COLORREF color);
    // The bitmap's pixels are copied. Of a monochrome bitmap, 0 bits take the text colour of the
    // DC drawn on and 1 bits its background colour.
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    BOOL CreateSysColorBrush(int index);
    BOOL CreateStockObject(int index);
    int GetLogBrush(LOGBRUSH* logBrush) const;

    const LOGBRUSH& LogBrush() const { return m_logBrush; }
    const std::shared_ptr<const PixelSurface>& Pattern() const { return m_pattern; }
    bool PatternIsMonochrome() const { return m_monochromePattern; }

  private:
    LOGBRUSH m_logBrush{BS_SOLID, 0, 0};
    std::shared_ptr<const PixelSurface> m_pattern;
    bool m_monochromePattern = false;
};
