#include "platform/r3d/BmpRaster.h"

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

namespace r3d {

std::optional<Raster> ReadBmpRaster(const std::filesystem::path& path) {
    BmpImage image = ReadBmpFile(path);
    if (!image.surface) {
        return std::nullopt;
    }
    return RasterOf(*image.surface);
}

Raster RasterOf(const PixelSurface& surface) {
    Raster raster(surface.Width(), surface.Height());
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            std::uint32_t pixel = surface.At(x, y);
            raster.SetPixel(x, y, {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                                   static_cast<std::uint8_t>(pixel)});
        }
    }
    return raster;
}

}  // namespace r3d
