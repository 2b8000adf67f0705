#include "track/ElevationIcons.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/ctl/ControlPainting.h"
#include "platform/gdi/CBitmap.h"
#include "resources/TrackToolTemplates.h"

namespace {

constexpr int kSide = 16;
constexpr std::uint32_t kBackground = 0x00C0C0C0;
constexpr std::uint32_t kInk = 0x00000000;
constexpr std::uint32_t kTrack = 0x00008000;

using Pixels = std::array<std::uint32_t, kSide * kSide>;

void Put(Pixels& pixels, int x, int y, std::uint32_t colour) {
    if (x >= 0 && x < kSide && y >= 0 && y < kSide)
        pixels[static_cast<size_t>(y * kSide + x)] = colour;
}

// A ring for the current mode, filled; an empty ring for the other.
void DrawModeMark(Pixels& pixels, bool filled) {
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int dx = 2 * x - (kSide - 1), dy = 2 * y - (kSide - 1);
            const int r2 = dx * dx + dy * dy;
            if (r2 <= 100 && (filled || r2 >= 64))
                Put(pixels, x, y, kInk);
        }
}

// A thick track line across the picture, rising or falling to the right.
void DrawSlope(Pixels& pixels, bool rising) {
    for (int x = 1; x < kSide - 1; ++x) {
        const int y = rising ? kSide - 2 - x * 3 / 4 - 2 : 2 + x * 3 / 4;
        for (int t = 0; t < 3; ++t) Put(pixels, x, y + t, kTrack);
    }
}

std::unique_ptr<CBitmap> Draw(UINT id) {
    Pixels pixels;
    pixels.fill(kBackground);
    if (id == IDI_ELEVATION_MODE_ON || id == IDI_ELEVATION_MODE_OFF)
        DrawModeMark(pixels, id == IDI_ELEVATION_MODE_ON);
    else
        DrawSlope(pixels, id == IDI_ELEVATION_RISING);
    auto bitmap = std::make_unique<CBitmap>();
    bitmap->CreateBitmap(kSide, kSide, 1, 32, pixels.data());
    return bitmap;
}

}  // namespace

HICON ElevationIcon(UINT id) {
    if (id < IDI_ELEVATION_MODE_ON || id > IDI_ELEVATION_FALLING)
        return nullptr;
    static std::map<UINT, std::unique_ptr<CBitmap>> icons;
    std::unique_ptr<CBitmap>& icon = icons[id];
    if (icon == nullptr)
        icon = Draw(id);
    return IconFromBitmap(icon.get());
}
