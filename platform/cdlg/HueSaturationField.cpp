#include "platform/cdlg/HueSaturationField.h"

#include "platform/gdi/CDC.h"

namespace {
constexpr int kArm = 6;
constexpr int kGap = 3;
constexpr int kThickness = 3;
}  // namespace

// The field shows each hue and saturation at middle luminosity.
COLORREF HueSaturationField::ColorAt(CPoint pixel, CSize picture) const {
    HlsColor shown = PickAt(pixel, picture);
    shown.luminosity = kMaxHls / 2;
    return HlsToRgb(shown);
}

HlsColor HueSaturationField::PickAt(CPoint pixel, CSize picture) const {
    HlsColor picked = GetHls();
    picked.hue = Scale(pixel.x, picture.cx - 1, kMaxHue);
    picked.saturation = kMaxHls - Scale(pixel.y, picture.cy - 1, kMaxHls);
    return picked;
}

// Four black arms round a hole, so that the colour under the cross stays visible.
void HueSaturationField::DrawMark(CDC& dc) const {
    const CRect picture = PictureRect();
    const CPoint centre(picture.left + Scale(GetHls().hue, kMaxHue, picture.Width() - 1),
                        picture.top + Scale(kMaxHls - GetHls().saturation, kMaxHls, picture.Height() - 1));
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&picture);
    const COLORREF black = RGB(0, 0, 0);
    const int half = kThickness / 2;
    dc.FillSolidRect(centre.x - kGap - kArm, centre.y - half, kArm, kThickness, black);
    dc.FillSolidRect(centre.x + kGap + 1, centre.y - half, kArm, kThickness, black);
    dc.FillSolidRect(centre.x - half, centre.y - kGap - kArm, kThickness, kArm, black);
    dc.FillSolidRect(centre.x - half, centre.y + kGap + 1, kThickness, kArm, black);
    dc.RestoreDC(saved);
}
