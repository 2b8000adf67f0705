#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <system_error>

// The one file of a cache folder that this process keeps its pictures in, one after another: a
// file made and removed for each picture costs the file system far more than its pixels do. The
// room a picture let go takes is given back to the disk at once, and the file is emptied when it
// holds no picture any more.
class CPictureCacheFile {
  public:
    // The file in the folder (one LiveCacheFolder gave), made once while this process keeps
    // pictures there, through the folder the process holds; null, with the reason, when it
    // cannot be made.
    static std::shared_ptr<CPictureCacheFile> In(const std::filesystem::path& folder, std::error_code& error);

    ~CPictureCacheFile();
    CPictureCacheFile(const CPictureCacheFile&) = delete;
    CPictureCacheFile& operator=(const CPictureCacheFile&) = delete;

    // The parts written one after another at the end of the file; where they begin, or nothing,
    // with the reason, when the system refuses a write (the disk full half-way, too), which leaves
    // the file as it was.
    std::optional<std::size_t> Append(std::span<const std::span<const char>> parts, std::error_code& error);
    // The bytes from where they were written; false when they cannot all be read.
    bool Read(std::span<char> bytes, std::size_t at) const;
    // The bytes written from there are no longer kept.
    void Free(std::size_t at, std::size_t bytes);

  private:
    explicit CPictureCacheFile(int descriptor) : m_descriptor(descriptor) {}

    mutable std::mutex m_lock;
    int m_descriptor;
    std::size_t m_end = 0;
    std::size_t m_held = 0;
};
