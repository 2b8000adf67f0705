#include "platform/gdi/RasterOps.h"

#include "platform/gdi/GdiTypes.h"

namespace {
constexpr std::uint32_t kColorBits = 0x00FFFFFF;
}

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t destination) {
    // Bit (2 * P + D) of the table (rop2 - 1) gives the result.
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
    std::uint32_t result = 0;
    for (int minterm = 0; minterm < 4; ++minterm) {
        if (!(table & (1u << minterm)))
            continue;
        const std::uint32_t p = (minterm & 2) ? pen : ~pen;
        const std::uint32_t d = (minterm & 1) ? destination : ~destination;
        result |= p & d;
    }
    return result & kColorBits;
}

std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination) {
    switch (rop) {
        case SRCCOPY:
            return source & kColorBits;
        case PATCOPY:
            return pattern & kColorBits;
        default:
            break;
    }
    // Bit (4 * P + 2 * S + D) of the table gives the result.
    const unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t result = 0;
    for (int minterm = 0; minterm < 8; ++minterm) {
        if (!(table & (1u << minterm)))
            continue;
        const std::uint32_t p = (minterm & 4) ? pattern : ~pattern;
        const std::uint32_t s = (minterm & 2) ? source : ~source;
        const std::uint32_t d = (minterm & 1) ? destination : ~destination;
        result |= p & s & d;
    }
    return result & kColorBits;
}

bool Rop3UsesSource(DWORD rop) {
    const unsigned table = (rop >> 16) & 0xFF;
    return ((table >> 2) & 0x33) != (table & 0x33);
}

bool Rop3UsesPattern(DWORD rop) {
    const unsigned table = (rop >> 16) & 0xFF;
    return ((table >> 4) & 0x0F) != (table & 0x0F);
}

bool HatchBit(int hatch, int x, int y) {
    const int hx = x & 7, hy = y & 7;
    switch (hatch) {
        case HS_HORIZONTAL:
            return hy == 0;
        case HS_VERTICAL:
            return hx == 0;
        case HS_FDIAGONAL:
            return hx == hy;
        case HS_BDIAGONAL:
            return hx + hy == 7;
        case HS_CROSS:
            return hx == 0 || hy == 0;
        case HS_DIAGCROSS:
            return hx == hy || hx + hy == 7;
        default:
            return false;
    }
}

std::uint32_t MonochromePixel(std::uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r * 30 + g * 59 + b * 11 >= 128 * 100 ? kColorBits : 0;
}
