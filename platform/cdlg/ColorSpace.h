#pragma once

#include "platform/base/WinTypes.h"

// Hue, saturation and luminosity on the colour dialog's scales: hue 0..239, saturation and
// luminosity 0..240.
inline constexpr int kMaxHue = 239;
inline constexpr int kMaxHls = 240;

struct HlsColor {
    int hue = 0;
    int saturation = 0;
    int luminosity = 0;
};

HlsColor RgbToHls(COLORREF color);
COLORREF HlsToRgb(const HlsColor& hls);
