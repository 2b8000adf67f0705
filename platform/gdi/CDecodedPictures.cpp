#include "platform/gdi/CDecodedPictures.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/base/FileStamp.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

namespace {

struct DecodedPicture {
    // The file the picture was read from: one rewritten or replaced since is another.
    FileStamp stamp;
    std::weak_ptr<PixelSurface> surface;
};

// The pictures held and the bytes they take, kept up to date as each is read and freed, so
// that no read walks the others.
struct HeldPictures {
    std::mutex lock;
    std::unordered_map<std::string, DecodedPicture> pictures;
    // The file each stand-in stands for.
    std::unordered_map<const PixelSurface*, std::filesystem::path> standIns;
    std::size_t bytes = 0;
    std::size_t count = 0;
};

// Never destroyed: a picture may be freed while the program exits.
HeldPictures& Held() {
    static auto* held = new HeldPictures;
    return *held;
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

// What the pictures held leave of the budget, in pixels. Call with the lock held.
std::size_t ShownPixelsLeft() {
    const std::size_t held = Held().bytes;
    const std::size_t left =
        held < CDecodedPictures::kBudgetBytes ? CDecodedPictures::kBudgetBytes - held : 0;
    return left / sizeof(std::uint32_t);
}

// Frees a picture no bitmap holds any more, gives its bytes back and forgets its file, unless
// the file has been read again since.
void Release(std::shared_ptr<PixelSurface>& decoded, const std::string& key) {
    const std::size_t bytes = SurfaceBytes(*decoded);
    const PixelSurface* released = decoded.get();
    decoded.reset();
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    held.bytes -= bytes;
    --held.count;
    held.standIns.erase(released);
    const auto entry = held.pictures.find(key);
    if (entry != held.pictures.end() && entry->second.surface.expired())
        held.pictures.erase(entry);
}

// The decoded picture as the bitmaps share it: counted in while they hold it. Call with the lock
// held.
std::shared_ptr<PixelSurface> Counted(std::shared_ptr<PixelSurface> decoded, const std::string& key) {
    Held().bytes += SurfaceBytes(*decoded);
    ++Held().count;
    PixelSurface* surface = decoded.get();
    return std::shared_ptr<PixelSurface>(
        surface, [decoded = std::move(decoded), key](PixelSurface*) mutable { Release(decoded, key); });
}

}  // namespace

std::shared_ptr<PixelSurface> CDecodedPictures::Read(const std::filesystem::path& path) {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (!stamp)
        return nullptr;
    const std::string key = FileKey(path);
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    const auto kept = held.pictures.find(key);
    if (kept != held.pictures.end() && kept->second.stamp == *stamp)
        if (std::shared_ptr<PixelSurface> surface = kept->second.surface.lock())
            return surface;
    const std::size_t left = ShownPixelsLeft();
    std::shared_ptr<PixelSurface> decoded = ReadCutShortBmpFile(path, left).surface;
    if (!decoded)
        return nullptr;
    const bool fits = static_cast<std::size_t>(decoded->Width()) * decoded->Height() <= left;
    if (!fits) {
        decoded = std::make_shared<PixelSurface>(1, 1);
        held.standIns[decoded.get()] = path;
    }
    std::shared_ptr<PixelSurface> surface = Counted(std::move(decoded), key);
    held.pictures[key] = DecodedPicture{*stamp, surface};
    return surface;
}

std::shared_ptr<PixelSurface> CDecodedPictures::Shown(const std::shared_ptr<PixelSurface>& held) {
    std::filesystem::path path;
    std::size_t left = 0;
    {
        HeldPictures& pictures = Held();
        const std::lock_guard<std::mutex> guard(pictures.lock);
        const auto standIn = pictures.standIns.find(held.get());
        if (standIn == pictures.standIns.end())
            return held;
        path = standIn->second;
        left = ShownPixelsLeft();
    }
    return ReadCutShortBmpFile(path, left).surface;
}

std::size_t CDecodedPictures::HeldBytes() {
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    return held.bytes;
}

std::size_t CDecodedPictures::HeldBound() {
    HeldPictures& held = Held();
    const std::lock_guard<std::mutex> guard(held.lock);
    return kBudgetBytes + held.count * kStandInBytes;
}
