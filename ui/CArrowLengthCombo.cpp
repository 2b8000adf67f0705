#include "ui/CArrowLengthCombo.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

IMPLEMENT_DYNAMIC(CArrowLengthCombo, CStylePicker)

namespace {
const int kLengths[] = {0, 1, 2};
const int kPixels[] = {5, 10, 15};
}  // namespace

std::span<const int> CArrowLengthCombo::Values() const {
    return kLengths;
}

void CArrowLengthCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    CPen pen(PS_SOLID, 1, colours.ink);
    dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    BaseLine(dc, item);
    if (value >= 0 && value < 3)
        ArrowStrokes(dc, item, 10 + kPixels[value], 3);
}
