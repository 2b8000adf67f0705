#pragma once

#include <filesystem>
#include <optional>

#include "platform/r3d/Raster.h"

class PixelSurface;

namespace r3d {

// A .bmp picture as a raster, read by the drawing layer's reader; nothing for a file that is
// missing or not a bitmap.
std::optional<Raster> ReadBmpRaster(const std::filesystem::path& path);
// A picture the drawing layer holds, as a raster.
Raster RasterOf(const PixelSurface& surface);

}  // namespace r3d
