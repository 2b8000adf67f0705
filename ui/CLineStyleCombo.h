#pragma once

#include "ui/CStylePicker.h"

// Pen styles solid, dash, dot, dash-dot and dash-dot-dot, each shown as a one-pixel line.
class CLineStyleCombo : public CStylePicker {
    DECLARE_DYNAMIC(CLineStyleCombo)
  protected:
    std::span<const int> Values() const override;
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
