#include "ui/CLineWidthCombo.h"

IMPLEMENT_DYNAMIC(CLineWidthCombo, CStylePicker)

namespace {
const int kWidths[] = {1, 2, 3, 4, 5};
}

std::span<const int> CLineWidthCombo::Values() const {
    return kWidths;
}

void CLineWidthCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    DrawBaseLine(dc, item, PS_SOLID, value, colours.ink);
}
