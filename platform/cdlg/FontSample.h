#pragma once

#include "platform/gdi/CFont.h"
#include "platform/win/CWnd.h"

// The font dialog's sample: a text in the chosen font and colour, centred on the dialog's grey.
class FontSample : public CWnd {
  public:
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    void SetSampleFont(const LOGFONT& font, COLORREF color);

  protected:
    void OnPaint() override;

  private:
    CFont m_font;
    COLORREF m_color = 0;
};
