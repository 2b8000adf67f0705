#pragma once

#include "ui/CStylePicker.h"

// Pen widths of 1 to 5 pixels, each shown as a solid line of that width.
class CLineWidthCombo : public CStylePicker {
    DECLARE_DYNAMIC(CLineWidthCombo)
  protected:
    std::span<const int> Values() const override;
    bool SelectedInWindowColour() const override { return true; }
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
