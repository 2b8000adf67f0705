#include "ui/CLineStyleCombo.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

IMPLEMENT_DYNAMIC(CLineStyleCombo, CStylePicker)

namespace {
const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
}

std::span<const int> CLineStyleCombo::Values() const {
    return kStyles;
}

// The gaps of a styled line show the item's background.
void CLineStyleCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    CPen pen(value, 1, colours.ink);
    dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    BaseLine(dc, item);
}
