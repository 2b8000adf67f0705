#pragma once

#include "ui/CStylePicker.h"

// Open arrowheads 6, 10 and 14 pixels wide.
class CArrowWidthCombo : public CStylePicker {
    DECLARE_DYNAMIC(CArrowWidthCombo)
  protected:
    std::span<const int> Values() const override;
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
