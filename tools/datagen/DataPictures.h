#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"

// The textures, the backdrop and the fill patterns the program ships, drawn in code so that
// every build makes the same files.
namespace DataPictures {

// The top of a track: ballast with ties across it, one rail along each side edge.
std::unique_ptr<PixelSurface> TrackTop();
// Loose stones of the roadbed.
std::unique_ptr<PixelSurface> Aggregate();
// Fine grey ballast.
std::unique_ptr<PixelSurface> GreyBallast();
// Short grass.
std::unique_ptr<PixelSurface> Grass();
// A mountain panorama under a sky whose left and right edges join, since the view wraps it.
std::unique_ptr<PixelSurface> Summits();

struct Picture {
    const char* folder;
    const char* name;
    std::unique_ptr<PixelSurface> (*draw)();
};
// Every picture with the data folder and file name it is shipped under.
const std::vector<Picture>& Pictures();

// A fill pattern: eight rows top to bottom, the leftmost pixel in the highest bit, each row
// followed by a padding byte of 0.
struct Pattern {
    const char* name;
    std::array<unsigned char, 8> rows;
};
const std::vector<Pattern>& Patterns();
std::array<unsigned char, 16> PatternFileBytes(const Pattern& pattern);

// Writes every picture and pattern under the root folder ("TEXTURES", "BACKDROPS",
// "PATTERNS"); false when a file could not be written.
bool WriteAll(const std::filesystem::path& root);

}  // namespace DataPictures
