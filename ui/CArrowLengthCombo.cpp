#include "ui/CArrowLengthCombo.h"

IMPLEMENT_DYNAMIC(CArrowLengthCombo, CStylePicker)

namespace {
const int kLengths[] = {0, 1, 2};
const int kPixels[] = {5, 10, 15};
}  // namespace

std::span<const int> CArrowLengthCombo::Values() const {
    return kLengths;
}

void CArrowLengthCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    DrawBaseLine(dc, item, PS_SOLID, 1, colours.ink);
    if (value >= 0 && value < 3)
        DrawArrowStrokes(dc, item, 10 + kPixels[value], 3, colours.ink);
}
