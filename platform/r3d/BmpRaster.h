#pragma once

#include <filesystem>
#include <optional>

#include "platform/r3d/Raster.h"

namespace r3d {

// A .bmp picture as a raster, read by the drawing layer's reader; nothing for a file that is
// missing or not a bitmap.
std::optional<Raster> ReadBmpRaster(const std::filesystem::path& path);

}  // namespace r3d
