#include "ui/CDecodedPictures.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

namespace {

// What a picture was read from: a file rewritten since is another.
struct FileState {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const FileState&) const = default;
};

struct DecodedPicture {
    FileState state;
    std::weak_ptr<PixelSurface> surface;
};

std::mutex& PicturesLock() {
    static std::mutex lock;
    return lock;
}

std::map<std::string, DecodedPicture>& Pictures() {
    static std::map<std::string, DecodedPicture> pictures;
    return pictures;
}

// One name for every path of the file, as far as the file system tells.
std::string FileKey(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return (error ? path : canonical).string();
}

}  // namespace

std::shared_ptr<PixelSurface> CDecodedPictures::Read(const std::filesystem::path& path) {
    std::error_code sizeError, timeError;
    const FileState state{std::filesystem::file_size(path, sizeError),
                          std::filesystem::last_write_time(path, timeError)};
    if (sizeError || timeError)
        return nullptr;
    const std::string key = FileKey(path);
    const std::lock_guard<std::mutex> guard(PicturesLock());
    std::map<std::string, DecodedPicture>& pictures = Pictures();
    std::erase_if(pictures, [](const auto& entry) { return entry.second.surface.expired(); });
    const auto kept = pictures.find(key);
    if (kept != pictures.end() && kept->second.state == state)
        return kept->second.surface.lock();
    std::shared_ptr<PixelSurface> surface = ReadCutShortBmpFile(path).surface;
    if (surface)
        pictures[key] = DecodedPicture{state, surface};
    return surface;
}
