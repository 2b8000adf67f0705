#pragma once

#include "ui/CStylePicker.h"

// The six hatch styles, each shown as a framed rectangle filled with the hatch.
class CHatchCombo : public CStylePicker {
    DECLARE_DYNAMIC(CHatchCombo)
  protected:
    std::span<const int> Values() const override;
    int ItemHeight() const override { return 25; }
    bool SelectedInWindowColour() const override { return true; }
    void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const override;
};
