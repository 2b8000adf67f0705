#include "ui/CHatchCombo.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CHatchCombo, CStylePicker)

namespace {
const int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
}

std::span<const int> CHatchCombo::Values() const {
    return kHatches;
}

// A one-pixel frame in the ink colour round the hatch, whose gaps show the item background.
void CHatchCombo::DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const {
    CRect area = item;
    area.DeflateRect(10, 3);
    dc.FillSolidRect(&area, colours.ink);
    area.DeflateRect(1, 1);
    CBrush hatch(value, colours.ink);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(colours.paper);
    dc.FillRect(&area, &hatch);
}
