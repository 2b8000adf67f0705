#include "platform/cdlg/ColorSpace.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kHueSteps = kMaxHue + 1;
constexpr double kScale = kMaxHls;

double HueToChannel(double low, double high, double hue) {
    hue = hue < 0 ? hue + 1 : hue > 1 ? hue - 1 : hue;
    if (hue < 1.0 / 6)
        return low + (high - low) * 6 * hue;
    if (hue < 0.5)
        return high;
    if (hue < 2.0 / 3)
        return low + (high - low) * (2.0 / 3 - hue) * 6;
    return low;
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}
}  // namespace

HlsColor RgbToHls(COLORREF color) {
    const double r = GetRValue(color) / 255.0, g = GetGValue(color) / 255.0, b = GetBValue(color) / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double lum = (high + low) / 2;
    HlsColor hls;
    hls.luminosity = Round(lum * kScale);
    if (high == low)
        return hls;
    const double delta = high - low;
    hls.saturation = Round((lum <= 0.5 ? delta / (high + low) : delta / (2 - high - low)) * kScale);
    double hue = high == r ? (g - b) / delta : high == g ? 2 + (b - r) / delta : 4 + (r - g) / delta;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    hls.hue = Round(hue * kHueSteps) % static_cast<int>(kHueSteps);
    return hls;
}

COLORREF HlsToRgb(const HlsColor& hls) {
    const double lum = std::clamp(hls.luminosity, 0, kMaxHls) / kScale;
    const double sat = std::clamp(hls.saturation, 0, kMaxHls) / kScale;
    const double hue = std::clamp(hls.hue, 0, kMaxHue) / kHueSteps;
    if (sat == 0) {
        const int grey = Round(lum * 255);
        return RGB(grey, grey, grey);
    }
    const double high = lum <= 0.5 ? lum * (1 + sat) : lum + sat - lum * sat;
    const double low = 2 * lum - high;
    return RGB(Round(HueToChannel(low, high, hue + 1.0 / 3) * 255), Round(HueToChannel(low, high, hue) * 255),
               Round(HueToChannel(low, high, hue - 1.0 / 3) * 255));
}
