#pragma once

#include "platform/cdlg/HlsPicker.h"

// The colour dialog's field of every hue (left to right) and saturation (full at the top, grey
// at the bottom) at middle luminosity, with a cross-hair at the hue and saturation held. A pick
// keeps the luminosity.
class HueSaturationField : public HlsPicker {
  protected:
    COLORREF ColorAt(CPoint pixel, CSize picture) const override;
    HlsColor PickAt(CPoint pixel, CSize picture) const override;
    void DrawMark(CDC& dc) const override;
    // Every hue and saturation at middle luminosity, whatever colour is held.
    bool SamePicture(const HlsColor&, const HlsColor&) const override { return true; }
};
