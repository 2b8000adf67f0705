#pragma once

#include "platform/cdlg/HlsPicker.h"

// The colour dialog's bar of every luminosity (white at the top, black at the bottom) of the
// hue and saturation held, with an arrow beside it at the luminosity held. A pick keeps the hue
// and saturation.
class LuminanceBar : public HlsPicker {
  protected:
    COLORREF ColorAt(CPoint pixel, CSize picture) const override;
    HlsColor PickAt(CPoint pixel, CSize picture) const override;
    void DrawMark(CDC& dc) const override;
    int RoomBeside() const override;
    // Its shades are those of the hue and saturation held.
    bool SamePicture(const HlsColor& a, const HlsColor& b) const override {
        return a.hue == b.hue && a.saturation == b.saturation;
    }
};
