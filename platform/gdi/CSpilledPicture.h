#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "platform/gdi/GdiTypes.h"

class CPictureCacheFile;
class PixelSurface;
struct BmpImage;
struct BmpShape;

// A picture kept on disk instead of in memory, as it was when it was read, in the cache file of
// this process's own folder in the user's cache (CPictureCacheFile): its file may change or go
// afterwards without changing what it shows. It is written once, at the size it was read; a draw
// that shows it smaller halves it as often as the output needs, and the halving it made is kept
// beside it, so that the next draw at about that size reads back only about as many pixels as the
// picture covers, as far as they stay within the bytes of the picture read whole: the cache holds
// no more than the pictures it keeps, decoded, and opening a picture costs no halvings. Its room in
// the file goes with the object, and the folder (LiveCacheFolder) when the process ends.
class CSpilledPicture {
  public:
    // Why pictures could not be kept in a cache folder, as the system said it.
    struct Refusal {
        std::filesystem::path folder;
        std::string reason;
    };

    // The picture at the size it was read; null when the cache folder cannot be made or written
    // (the disk full half-way through, too), which leaves no file behind. Its halvings hold in each
    // pixel the average of its block or, for a drawing of few colours, its darkest pixel; they are kept
    // while, with it, they fit in decodedBytes (the bytes of the picture read whole). A picture of
    // colour indices that keeps no more colours than a table holds is kept as a file of indices
    // to those colours, which reads back as the same pixels in a fraction of their bytes.
    static std::unique_ptr<CSpilledPicture> Write(const BmpImage& picture, std::size_t decodedBytes);
    // The picture as the bytes of the file it was read whole from, when they are fewer than its
    // pixels: what the cache holds then follows what the file holds. A draw at its size reads it
    // from them again, as it was read then. Null as for Write.
    static std::unique_ptr<CSpilledPicture> WriteFile(const std::vector<BYTE>& bytes, const BmpShape& picture,
                                                      std::size_t decodedBytes);
    // The picture halved as a draw of it kept here would halve it, as often as it holds more
    // pixels than given: what stands for it when the cache folder refuses it.
    static std::shared_ptr<PixelSurface> HalvedWithin(const BmpImage& picture, std::size_t pixels);
    // The first refusal of a folder not yet told, once: however many pictures a folder refuses,
    // the user hears of it once a run.
    static std::optional<Refusal> TakeRefusal();
    // The user's cache folder, as the environment says now (UserCacheHome).
    static std::filesystem::path CacheHome();
    // The pixels read back from cache files since the program started.
    static std::uint64_t PixelsReadBack();

    ~CSpilledPicture();
    CSpilledPicture(const CSpilledPicture&) = delete;
    CSpilledPicture& operator=(const CSpilledPicture&) = delete;

    // The smallest halving whose longer side reaches shownSide (the picture when none does), kept
    // for the next draw when there is room for it; null when the file can no longer be read.
    std::shared_ptr<PixelSurface> Read(int shownSide);
    int Width() const { return m_levels.front().width; }
    int Height() const { return m_levels.front().height; }

  private:
    struct Level {
        int width;
        int height;
        std::size_t offset;
    };
    CSpilledPicture(std::shared_ptr<CPictureCacheFile> file, Level picture, std::size_t bytes,
                    std::size_t decodedBytes, std::optional<bool> darkestOfBlock, std::size_t fileBytes);
    // The picture kept as the bytes given; null when the cache folder refuses them.
    static std::unique_ptr<CSpilledPicture> Kept(std::span<const char> bytes, const BmpShape& picture,
                                                 std::size_t decodedBytes, std::size_t fileBytes);
    // The level read back whole; null when it cannot be had.
    std::shared_ptr<PixelSurface> ReadLevel(const Level& level) const;
    // The halving kept beside the picture when the room it was given holds it.
    void KeepHalving(const PixelSurface& halving);
    // The picture read again from the file's bytes kept; null when they cannot be had.
    std::shared_ptr<PixelSurface> Decoded() const;

    std::shared_ptr<CPictureCacheFile> m_file;
    // The picture, then the halvings kept, each smaller than the one before.
    std::vector<Level> m_levels;
    // The bytes the levels take in the file, and the most they may take.
    std::size_t m_bytes;
    std::size_t m_decodedBytes;
    // Whether its halvings keep the darkest pixel of each block: a picture of few colours that is a
    // drawing, told from its pixels when it is first read back.
    std::optional<bool> m_darkestOfBlock;
    // The bytes of the file its largest level is kept as; 0 when it is kept as pixels.
    std::size_t m_fileBytes;
};
