#pragma once

#include "platform/r3d/Raster.h"

#include <filesystem>
#include <optional>

// Writes a raster as a binary PPM, to look at a rendered picture while working on the renderer.
bool WritePpm(const r3d::Raster& raster, const std::filesystem::path& path);

// Reads what WritePpm writes; stands in for the drawing layer's picture reader in tests.
std::optional<r3d::Raster> ReadPpm(const std::filesystem::path& path);
