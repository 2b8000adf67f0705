#include "platform/gdi/CDecodedPictures.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/FileStamp.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

namespace {

struct DecodedPicture {
    // The file the picture was read from: one rewritten or replaced since is another.
    FileStamp stamp;
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

std::size_t SurfaceBytes(const PixelSurface& surface) {
    return static_cast<std::size_t>(surface.Width()) * surface.Height() * sizeof(std::uint32_t);
}

// Call with the lock held.
std::size_t BytesHeld() {
    std::size_t held = 0;
    for (const auto& [key, picture] : Pictures())
        if (const std::shared_ptr<PixelSurface> surface = picture.surface.lock())
            held += SurfaceBytes(*surface);
    return held;
}

// Half of what the pictures held leave of the budget, in pixels.
std::size_t ShownPixelsLeft() {
    const std::size_t held = BytesHeld();
    const std::size_t left =
        held < CDecodedPictures::kBudgetBytes ? CDecodedPictures::kBudgetBytes - held : 0;
    return left / 2 / sizeof(std::uint32_t);
}

}  // namespace

std::shared_ptr<PixelSurface> CDecodedPictures::Read(const std::filesystem::path& path) {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (!stamp)
        return nullptr;
    const std::string key = FileKey(path);
    const std::lock_guard<std::mutex> guard(PicturesLock());
    std::map<std::string, DecodedPicture>& pictures = Pictures();
    std::erase_if(pictures, [](const auto& entry) { return entry.second.surface.expired(); });
    const auto kept = pictures.find(key);
    if (kept != pictures.end() && kept->second.stamp == *stamp)
        return kept->second.surface.lock();
    std::shared_ptr<PixelSurface> surface = ReadCutShortBmpFile(path, ShownPixelsLeft()).surface;
    if (surface)
        pictures[key] = DecodedPicture{*stamp, surface};
    return surface;
}

std::size_t CDecodedPictures::HeldBytes() {
    const std::lock_guard<std::mutex> guard(PicturesLock());
    return BytesHeld();
}
