#include "platform/base/FileStamp.h"

#include <sys/stat.h>

#include <tuple>

std::optional<FileStamp> FileStamp::Of(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0)
        return std::nullopt;
    return FromStat(status);
}

FileStamp FileStamp::FromStat(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

std::timespec FileStamp::FileClockNow() {
    // Writes are stamped with the kernel's coarse clock, which lags the precise one by up to a tick.
    std::timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}

bool FileStamp::IsOlderThan(const std::timespec& moment) const {
    return std::tie(modified.tv_sec, modified.tv_nsec) < std::tie(moment.tv_sec, moment.tv_nsec);
}

bool FileStamp::operator==(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}
