#pragma once

#include "platform/ctl/CStatic.h"

class CBrush;

// A static control filled with a brush its owner hands it, such as a fill pattern tiled over
// it. The owner keeps the brush alive while the swatch shows it.
class CColorSwatch : public CStatic {
    DECLARE_DYNAMIC(CColorSwatch)
  public:
    void SetBrush(CBrush* brush);
    CBrush* GetBrush() const { return m_brush; }

  protected:
    void OnPaint() override;

  private:
    CBrush* m_brush = nullptr;
};
