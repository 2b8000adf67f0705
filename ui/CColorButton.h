#pragma once

#include "platform/ctl/CButton.h"

// A push button showing a colour in a framed field of its face. The dialog that owns it opens
// the colour dialog; the button only keeps and shows the colour.
class CColorButton : public CButton {
    DECLARE_DYNAMIC(CColorButton)
  public:
    // Stores the colour and answers it; the caller invalidates the button to show it.
    COLORREF SetColor(COLORREF color) { return m_color = color; }
    COLORREF GetColor() const { return m_color; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

  private:
    COLORREF m_color = RGB(0, 0, 0);
};
