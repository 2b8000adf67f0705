#pragma once

#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <optional>

// What tells one state of a file from another without reading it: the file (device and inode),
// its size and its modification time to the nanosecond. A file replaced through a rename gets a
// new inode; one rewritten in place gets a new modification time, except when two writes fall
// into the same tick of the file system's clock, which IsOlderThan lets a reader allow for.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::timespec modified{};

    // Nothing for a missing file or one that cannot be looked at.
    static std::optional<FileStamp> Of(const std::filesystem::path& file);
    static FileStamp FromStat(const struct stat& status);
    // The clock the file system stamps writes with, read now. A file stamped before this moment
    // gets a different stamp from any later write.
    static std::timespec FileClockNow();

    bool IsOlderThan(const std::timespec& moment) const;
    bool operator==(const FileStamp& other) const;
};
