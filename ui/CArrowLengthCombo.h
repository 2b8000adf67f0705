#pragma once

#include "ui/CStylePicker.h"

// Open arrowheads 5, 10 and 15 pixels long.
class CArrowLengthCombo : public CStylePicker {
    DECLARE_DYNAMIC(CArrowLengthCombo)
  protected:
    std::span<const int> Values() const override;
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
