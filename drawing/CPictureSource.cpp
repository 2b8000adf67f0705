#include "drawing/CPictureSource.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/CBitmap.h"

namespace {

// Pixels some source keeps, findable by every other source while one keeps them, by the picture's
// surface and depth: a look-up costs the same however many pictures a layout shows.
struct LentKey {
    const PixelSurface* surface;
    int bitsPixel;
    bool operator==(const LentKey&) const = default;
};

struct LentKeyHash {
    std::size_t operator()(const LentKey& key) const {
        return std::hash<const PixelSurface*>()(key.surface) ^ static_cast<std::size_t>(key.bitsPixel);
    }
};

struct LentPixels {
    // A freed surface's address may come back for another picture.
    std::weak_ptr<PixelSurface> surface;
    std::weak_ptr<const CPictureSource::Pixels> pixels;
};

struct LentTable {
    std::mutex lock;
    std::unordered_map<LentKey, LentPixels, LentKeyHash> pixels;
    // The size after the last sweep of pixels no source keeps any more; the next comes once the
    // table has doubled, so that sweeping costs a share of each entry added.
    std::size_t swept = 0;
};

// Never destroyed: a source may be freed while the program exits.
LentTable& Lent() {
    static auto* lent = new LentTable;
    return *lent;
}

LentKey KeyOf(const CBitmap& picture) {
    return LentKey{picture.Surface().get(), picture.BitsPixel()};
}

// A picture is the same while its pixels are the same surface at the same depth.
template <typename Kept>
bool IsFor(const Kept& kept, const CBitmap& picture) {
    return kept.surface.lock() == picture.Surface() && kept.bitsPixel == picture.BitsPixel();
}

void SweepWhenDoubled(LentTable& lent) {
    constexpr std::size_t kFewest = 64;
    if (lent.pixels.size() < 2 * std::max(lent.swept, kFewest))
        return;
    std::erase_if(lent.pixels, [](const auto& entry) { return entry.second.pixels.expired(); });
    lent.swept = lent.pixels.size();
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
        LentTable& table = Lent();
        const std::lock_guard<std::mutex> guard(table.lock);
        const auto other = table.pixels.find(KeyOf(picture));
        if (other != table.pixels.end() && other->second.surface.lock() == picture.Surface())
            lent = other->second.pixels.lock();
    }
    return lent != nullptr ? &Hold(picture, std::move(lent)) : nullptr;
}

const CPictureSource::Pixels& CPictureSource::Keep(const CBitmap& picture, Pixels pixels) {
    auto made = std::make_shared<const Pixels>(std::move(pixels));
    {
        LentTable& table = Lent();
        const std::lock_guard<std::mutex> guard(table.lock);
        SweepWhenDoubled(table);
        table.pixels.insert_or_assign(KeyOf(picture), LentPixels{picture.Surface(), made});
    }
    ++m_nKept;
    return Hold(picture, std::move(made));
}

std::size_t CPictureSource::LentCount() {
    LentTable& table = Lent();
    const std::lock_guard<std::mutex> guard(table.lock);
    return table.pixels.size();
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
