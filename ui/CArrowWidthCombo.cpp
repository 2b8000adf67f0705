#include "ui/CArrowWidthCombo.h"

IMPLEMENT_DYNAMIC(CArrowWidthCombo, CStylePicker)

namespace {
const int kWidths[] = {0, 1, 2};
const int kHalfWidths[] = {3, 5, 7};
}  // namespace

std::span<const int> CArrowWidthCombo::Values() const {
    return kWidths;
}

void CArrowWidthCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    DrawBaseLine(dc, item, PS_SOLID, 1, colours.ink);
    if (value >= 0 && value < 3)
        DrawArrowStrokes(dc, item, 20, kHalfWidths[value], colours.ink);
}
