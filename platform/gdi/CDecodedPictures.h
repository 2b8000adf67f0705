#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

class PixelSurface;

// The pictures of .bmp files as the bitmaps showing them share them: one decoded picture per
// file, however many objects name it. A file is read again only when no bitmap holds its
// picture any more or the file has changed since (another file, size or time of writing).
// All pictures held share one budget of memory: a picture is read whole when it fits in what
// the others leave of it, else at the reduced resolution that fits there (ReductionStep), so
// that every picture still shows. Once the budget is spent, each further picture is read at the
// resolution that leaves its longer side no shorter than kSmallestReducedSide: it takes no more
// than kBeyondBudgetBytes.
class CDecodedPictures {
  public:
    // 256 MB: 64 megapixels of 4 bytes; drawing keeps a copy of each picture in its own format.
    static constexpr std::size_t kBudgetBytes = std::size_t{256} << 20;
    // The most a picture read beyond the budget takes: 127 by 127 pixels are not reduced.
    static constexpr std::size_t kBeyondBudgetBytes = std::size_t{64} << 10;

    // The file's picture, read as a file that may be cut short; null when it cannot be read.
    static std::shared_ptr<PixelSurface> Read(const std::filesystem::path& path);
    // The bytes of the pictures held now, counted as each is read and freed.
    static std::size_t HeldBytes();
    // The most the pictures held now may take: the budget and, beyond it, kBeyondBudgetBytes
    // for each of them.
    static std::size_t HeldBound();
};
