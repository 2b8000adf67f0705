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

// A picture kept on disk instead of in memory, as it was when it was read, in the cache file of
// this process's own folder in the user's cache (CPictureCacheFile): its file may change or go
// afterwards without changing what it shows. It is kept at a few resolutions, each half the one
// before, so that a draw reads back only about as many pixels as the picture covers on the
// output, as far as they stay within the bytes of the picture read whole: the cache holds no more
// than the pictures it keeps, decoded, and a picture kept at the size it was read is kept once,
// its halvings made as a draw asks for them. Its room in the file goes with the object, and the
// folder (LiveCacheFolder) when the process ends.
class CSpilledPicture {
  public:
    // Why pictures could not be kept in a cache folder, as the system said it.
    struct Refusal {
        std::filesystem::path folder;
        std::string reason;
    };

    // The picture at its largest resolution, with the halvings written beside it that fit in
    // decodedBytes (the bytes of the picture read whole), each pixel the average of its block or,
    // for a drawing, its darkest pixel; null when the cache folder cannot be made or written (the
    // disk full half-way through, too), which leaves no file behind.
    static std::unique_ptr<CSpilledPicture> Write(const PixelSurface& picture, bool darkestOfBlock,
                                                  std::size_t decodedBytes);
    // The picture as the bytes of the file it was read whole from, when they are fewer than its
    // pixels: what the cache holds then follows what the file holds. A draw at its size reads it
    // from them again, as it was read then; the smallest halvings that fit in what its pixels
    // leave are kept beside them, for the draws of it shown small. Null as for Write.
    static std::unique_ptr<CSpilledPicture> WriteFile(const std::vector<BYTE>& bytes,
                                                      const PixelSurface& picture, bool darkestOfBlock,
                                                      std::size_t decodedBytes);
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

    // The smallest resolution whose longer side reaches shownSide (the largest when none does);
    // null when the file can no longer be read.
    std::shared_ptr<PixelSurface> Read(int shownSide) const;
    int Width() const { return m_levels.front().width; }
    int Height() const { return m_levels.front().height; }

  private:
    struct Level {
        int width;
        int height;
        std::size_t offset;
    };
    CSpilledPicture(std::shared_ptr<CPictureCacheFile> file, std::vector<Level> levels, std::size_t bytes,
                    bool darkestOfBlock, std::size_t fileBytes);
    // The largest level (the picture's pixels or its file's bytes) and the halvings kept, written
    // one after another; null when the cache folder refuses them.
    static std::unique_ptr<CSpilledPicture> Kept(std::span<const char> largest, const PixelSurface& picture,
                                                 const std::vector<std::unique_ptr<PixelSurface>>& halvings,
                                                 bool darkestOfBlock, std::size_t fileBytes);
    // The picture read again from the file's bytes kept; null when they cannot be had.
    std::shared_ptr<PixelSurface> Decoded() const;

    std::shared_ptr<CPictureCacheFile> m_file;
    std::vector<Level> m_levels;
    std::size_t m_bytes;
    bool m_darkestOfBlock;
    // The bytes of the file its largest level is kept as; 0 when it is kept as pixels.
    std::size_t m_fileBytes;
};
