#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"

class CFont;

// Dialog units: a quarter of the dialog font's average character width across, an eighth of
// its height down ("MS Sans Serif" 8 gives 6 by 13 pixels, so 4 by 8 units are 6 by 13 pixels).
class DialogUnits {
  public:
    DialogUnits(const CString& face, int pointSize);
    explicit DialogUnits(CFont& font);

    CSize BaseUnits() const { return m_base; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    CRect ToPixels(const CRect& units) const;

  private:
    void Measure(CFont& font);

    CSize m_base;
};
