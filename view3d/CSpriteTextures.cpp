#include "view3d/CSpriteTextures.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/BmpRaster.h"
#include "platform/r3d/Texture.h"

namespace {

using Key = std::pair<const PixelSurface*, const PixelSurface*>;

struct KeyHash {
    std::size_t operator()(const Key& key) const {
        return std::hash<const PixelSurface*>()(key.first) * 31 ^
               std::hash<const PixelSurface*>()(key.second);
    }
};

struct Made {
    // A freed surface's address may come back for another picture.
    std::weak_ptr<PixelSurface> image;
    std::weak_ptr<PixelSurface> mask;
    std::weak_ptr<r3d::Texture> texture;
};

struct MadeTextures {
    std::mutex lock;
    std::unordered_map<Key, Made, KeyHash> textures;
    // The size after the last sweep of textures no 3D bitmap shows; the next once it doubled.
    std::size_t swept = 0;
    std::atomic<int> count{0};
};

// Never destroyed: a 3D bitmap may be freed while the program exits.
MadeTextures& Textures() {
    static auto* textures = new MadeTextures;
    return *textures;
}

bool IsFor(const Made& made, const std::shared_ptr<PixelSurface>& image,
           const std::shared_ptr<PixelSurface>& mask) {
    return made.image.lock() == image && made.mask.lock() == mask;
}

void SweepWhenDoubled(MadeTextures& made) {
    constexpr std::size_t kFewest = 64;
    if (made.textures.size() < 2 * std::max(made.swept, kFewest))
        return;
    std::erase_if(made.textures, [](const auto& entry) { return entry.second.texture.expired(); });
    made.swept = made.textures.size();
}

std::shared_ptr<r3d::Texture> MakeTexture(const std::shared_ptr<PixelSurface>& image,
                                          const std::shared_ptr<PixelSurface>& mask) {
    const std::shared_ptr<PixelSurface> shownImage = CDecodedPictures::Shown(image);
    if (shownImage == nullptr)
        return nullptr;
    auto texture = std::make_shared<r3d::Texture>(r3d::RasterOf(*shownImage));
    if (mask != nullptr)
        if (const std::shared_ptr<PixelSurface> shownMask = CDecodedPictures::Shown(mask))
            texture->SetMask(r3d::RasterOf(*shownMask));
    ++Textures().count;
    return texture;
}

}  // namespace

std::shared_ptr<r3d::Texture> CSpriteTextures::Of(const CBitmap& image, const CBitmap* mask) {
    const std::shared_ptr<PixelSurface>& imageSurface = image.Surface();
    const std::shared_ptr<PixelSurface> maskSurface = mask != nullptr ? mask->Surface() : nullptr;
    if (imageSurface == nullptr)
        return nullptr;
    const Key key{imageSurface.get(), maskSurface.get()};
    MadeTextures& made = Textures();
    {
        const std::lock_guard<std::mutex> guard(made.lock);
        const auto kept = made.textures.find(key);
        if (kept != made.textures.end() && IsFor(kept->second, imageSurface, maskSurface))
            if (std::shared_ptr<r3d::Texture> texture = kept->second.texture.lock())
                return texture;
    }
    std::shared_ptr<r3d::Texture> texture = MakeTexture(imageSurface, maskSurface);
    if (texture == nullptr)
        return nullptr;
    const std::lock_guard<std::mutex> guard(made.lock);
    SweepWhenDoubled(made);
    made.textures.insert_or_assign(key, Made{imageSurface, maskSurface, texture});
    return texture;
}

int CSpriteTextures::MadeCount() {
    return Textures().count;
}
