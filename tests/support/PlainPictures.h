#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "tests/support/FileBytes.h"

class PixelSurface;

// Plain .bmp files that hold every pixel they declare, so that holding them costs their size.

// A plain .bmp of the side at one bit a pixel, in stripes of black and white.
FileBytes OneBitPicture(int side);
// Four pictures of 4096 by 4096, written into the folder and read: held, they take the whole
// budget of the decoded pictures.
std::vector<std::shared_ptr<PixelSurface>> SpendThePictureBudget(const std::filesystem::path& folder);
