#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/gdi/PixelSurface.h"

// The sample 3D object and 3D bitmap the program ships, made in code: a small house as a
// script model, and a fir tree picture with its mask (white where the tree is, black around).
namespace SceneryModels {

// A house two units wide, one and a half deep and high to its ridge, walls cream, roof red.
std::string House();
std::unique_ptr<PixelSurface> Tree();
std::unique_ptr<PixelSurface> TreeMask();

// Writes "cvnhouse.rwx" into "SCRIPTS" and "cvntree.bmp" with "cvntree.msk" into "3DBITMAPS"
// under the root folder; false when a file could not be written.
bool WriteAll(const std::filesystem::path& root);

}  // namespace SceneryModels
