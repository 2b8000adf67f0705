#include "ui/CLineStyleCombo.h"

IMPLEMENT_DYNAMIC(CLineStyleCombo, CStylePicker)

namespace {
const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
}

std::span<const int> CLineStyleCombo::Values() const {
    return kStyles;
}

void CLineStyleCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    DrawBaseLine(dc, item, value, 1, colours.ink);
}
