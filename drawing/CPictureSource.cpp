#include "drawing/CPictureSource.h"

#include <algorithm>
#include <mutex>

#include "platform/gdi/CBitmap.h"

namespace {

// Pixels some source keeps, findable by every other source while one keeps them.
struct LentPixels {
    std::weak_ptr<PixelSurface> surface;
    int bitsPixel = 0;
    std::weak_ptr<const CPictureSource::Pixels> pixels;
};

std::mutex& LentLock() {
    static std::mutex lock;
    return lock;
}

std::vector<LentPixels>& Lent() {
    static std::vector<LentPixels> lent;
    return lent;
}

// A picture is the same while its pixels are the same surface at the same depth.
template <typename Kept>
bool IsFor(const Kept& kept, const CBitmap& picture) {
    return kept.surface.lock() == picture.Surface() && kept.bitsPixel == picture.BitsPixel();
}

}  // namespace

// A picture without a surface never has pixels kept.
const CPictureSource::Pixels* CPictureSource::Find(const CBitmap& picture) {
    std::erase_if(m_entries, [](const Entry& entry) { return entry.surface.expired(); });
    if (picture.Surface() == nullptr)
        return nullptr;
    const auto kept = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& entry) { return IsFor(entry, picture); });
    if (kept != m_entries.end())
        return kept->pixels.get();
    std::shared_ptr<const Pixels> lent;
    {
        const std::lock_guard<std::mutex> guard(LentLock());
        for (const LentPixels& other : Lent())
            if (IsFor(other, picture) && (lent = other.pixels.lock()) != nullptr)
                break;
    }
    return lent != nullptr ? &Hold(picture, std::move(lent)) : nullptr;
}

const CPictureSource::Pixels& CPictureSource::Keep(const CBitmap& picture, Pixels pixels) {
    auto made = std::make_shared<const Pixels>(std::move(pixels));
    {
        const std::lock_guard<std::mutex> guard(LentLock());
        std::erase_if(Lent(), [](const LentPixels& other) { return other.pixels.expired(); });
        Lent().push_back(LentPixels{picture.Surface(), picture.BitsPixel(), made});
    }
    ++m_nKept;
    return Hold(picture, std::move(made));
}

const CPictureSource::Pixels& CPictureSource::Hold(const CBitmap& picture,
                                                   std::shared_ptr<const Pixels> pixels) {
    if (m_entries.size() >= kKept)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(Entry{picture.Surface(), picture.BitsPixel(), std::move(pixels)});
    return *m_entries.back().pixels;
}

std::size_t CPictureSource::HeldBytes() const {
    std::size_t bytes = 0;
    for (const Entry& entry : m_entries) bytes += entry.pixels->format.size();
    return bytes;
}
