#pragma once

#include "platform/gdi/CGdiObject.h"

// A pen: style (PS_*), width in logical units (0 = one pixel) and colour.
class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
  public:
    CPen() = default;
    CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }

    BOOL CreatePen(int penStyle, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    const LOGPEN& LogPen() const { return m_logPen; }

  private:
    LOGPEN m_logPen{PS_SOLID, {0, 0}, 0};
};
