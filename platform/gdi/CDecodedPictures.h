#pragma once

#include <filesystem>
#include <memory>

class PixelSurface;

// The pictures of .bmp files as the bitmaps showing them share them: one decoded picture per
// file, however many objects name it. A file is read again only when no bitmap holds its
// picture any more or the file has changed since (another file, size or time of writing).
class CDecodedPictures {
  public:
    // The file's picture, read as a file that may be cut short; null when it cannot be read.
    static std::shared_ptr<PixelSurface> Read(const std::filesystem::path& path);
};
