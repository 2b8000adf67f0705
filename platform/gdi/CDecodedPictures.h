#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

class PixelSurface;

// The pictures of .bmp files as the bitmaps showing them share them: one decoded picture per
// file, however many objects name it. A file is read again only when no bitmap holds its
// picture any more or the file has changed since (another file, size or time of writing).
// All pictures held share one budget of memory: a picture is read whole when it fits in what
// the others leave of it, else at the reduced resolution that fits there (ReductionStep), so
// that every picture still shows. A picture that does not fit even at the smallest resolution
// (its longer side kSmallestReducedSide) is not held: a stand-in of one pixel takes its place,
// and the picture as read, reduced to kSpilledPixels and kSpilledSide, goes to the cache folder
// (CSpilledPicture), from where drawing reads it back (Shown), never from the file, which may
// have changed or gone since; when the cache folder refuses it (not writable, the disk full), it
// is held in memory beyond the budget instead, reduced, or read from its file again, so that it
// still shows. A stand-in's picture comes back into memory once the budget has room for it. A
// run-length picture whose codes set
// no more than kCodesPixels of the more than kSpilledPixels it declares is held as its file's
// codes instead, counted in the budget at their size, and decoded at the size it shows at. So
// the pictures together hold no more than the budget and kStandInBytes each, however many there
// are, and kRefusedBytes for the pictures the cache folder refused.
class CDecodedPictures {
  public:
    // 256 MB: 64 megapixels of 4 bytes; drawing keeps a copy of each picture in its own format.
    static constexpr std::size_t kBudgetBytes = std::size_t{256} << 20;
    // The bytes of a stand-in's pixels.
    static constexpr std::size_t kStandInBytes = 4;
    // A picture past the budget is kept at most at this many pixels: more than a screen shows.
    static constexpr std::size_t kSpilledPixels = std::size_t{1024} * 1024;
    // Nor a longer side than this: a long thin picture is never seen whole at more.
    static constexpr int kSpilledSide = 2048;
    // A picture the cache folder refused is held in memory reduced to no more pixels than this,
    // while such copies take no more than kRefusedBytes; past that it is read from its file at
    // each draw, as long as the file stays as it was.
    static constexpr std::size_t kRefusedPixels = std::size_t{256} * 256;
    static constexpr std::size_t kRefusedBytes = std::size_t{128} << 20;
    // The most pixels the codes of a picture held as its codes may set: each draw works on them.
    static constexpr std::size_t kCodesPixels = std::size_t{256} * 256;

    // The file's picture, read as a file that may be cut short; null when it cannot be read.
    static std::shared_ptr<PixelSurface> Read(const std::filesystem::path& path);
    // The picture to draw for a surface Read gave: the surface itself, or for a stand-in its
    // picture as read, at the smallest resolution kept whose columns and rows reach the device
    // pixels they are shown across, held only by the caller unless the budget has room for it
    // again. Null when it cannot be had.
    static std::shared_ptr<PixelSurface> Shown(const std::shared_ptr<PixelSurface>& held,
                                               int shownColumns = INT_MAX, int shownRows = INT_MAX);
    // The picture files read (decoded) since the program started.
    static std::uint64_t FileReads();
    // The bytes of the pictures held now, counted as each is read and freed.
    static std::size_t HeldBytes();
    // The most the pictures held now may take: the budget, kStandInBytes for each of them and the
    // copies of the pictures the cache folder refused, at most kRefusedBytes.
    static std::size_t HeldBound();
};
