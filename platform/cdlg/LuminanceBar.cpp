#include "platform/cdlg/LuminanceBar.h"

#include "platform/gdi/CDC.h"

namespace {
constexpr int kArrowHalfHeight = 4;
constexpr int kEdge = 2;
}  // namespace

int LuminanceBar::RoomBeside() const {
    return kArrowHalfHeight + 2 * kEdge;
}

COLORREF LuminanceBar::ColorAt(CPoint pixel, CSize picture) const {
    return HlsToRgb(PickAt(pixel, picture));
}

HlsColor LuminanceBar::PickAt(CPoint pixel, CSize picture) const {
    HlsColor picked = GetHls();
    picked.luminosity = kMaxHls - Scale(pixel.y, picture.cy - 1, kMaxHls);
    return picked;
}

// A black triangle pointing at the bar, its tip level with the luminosity held.
void LuminanceBar::DrawMark(CDC& dc) const {
    const CRect picture = PictureRect();
    const int tipX = picture.right + kEdge + 1;
    const int tipY = picture.top + Scale(kMaxHls - GetHls().luminosity, kMaxHls, picture.Height() - 1);
    for (int column = 0; column <= kArrowHalfHeight; ++column)
        dc.FillSolidRect(tipX + column, tipY - column, 1, 2 * column + 1, RGB(0, 0, 0));
}
