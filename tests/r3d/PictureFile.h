#pragma once

#include "platform/r3d/Raster.h"

#include <filesystem>

// Writes a raster as a binary PPM, to look at a rendered picture while working on the renderer.
bool WritePpm(const r3d::Raster& raster, const std::filesystem::path& path);
