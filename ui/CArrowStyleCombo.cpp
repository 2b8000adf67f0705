#include "ui/CArrowStyleCombo.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CArrowStyleCombo, CStylePicker)

namespace {
constexpr int kPlain = 1;
constexpr int kOpen = 2;
constexpr int kFilled = 3;
const int kStyles[] = {kPlain, kOpen, kFilled};
}  // namespace

std::span<const int> CArrowStyleCombo::Values() const {
    return kStyles;
}

void CArrowStyleCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    DrawBaseLine(dc, item, PS_SOLID, 1, colours.ink);
    if (value == kOpen)
        DrawArrowStrokes(dc, item, 20, 3, colours.ink);
    if (value == kFilled) {
        const int mid = Mid(item);
        const POINT head[] = {{item.right - 20, mid + 3}, {item.right - 10, mid}, {item.right - 20, mid - 3}};
        CBrush fill(colours.ink);
        dc.SelectObject(&fill);
        dc.SelectStockObject(NULL_PEN);
        dc.Polygon(head, 3);
    }
}
