#pragma once

#include "ui/CStylePicker.h"

// Arrowheads: none (1), open (2) and filled (3), drawn at the right end of a line.
class CArrowStyleCombo : public CStylePicker {
    DECLARE_DYNAMIC(CArrowStyleCombo)
  protected:
    std::span<const int> Values() const override;
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
