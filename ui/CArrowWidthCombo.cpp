#include "ui/CArrowWidthCombo.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

IMPLEMENT_DYNAMIC(CArrowWidthCombo, CStylePicker)

namespace {
const int kWidths[] = {0, 1, 2};
const int kHalfWidths[] = {3, 5, 7};
}  // namespace

std::span<const int> CArrowWidthCombo::Values() const {
    return kWidths;
}

void CArrowWidthCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    CPen pen(PS_SOLID, 1, colours.ink);
    dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    BaseLine(dc, item);
    if (value >= 0 && value < 3)
        ArrowStrokes(dc, item, 20, kHalfWidths[value]);
}
