#include "drawing/CPictureSource.h"

#include <algorithm>

#include "platform/gdi/CBitmap.h"

// A picture is the same while its pixels are the same surface; a picture without one never is.
const CPictureSource::Pixels* CPictureSource::Find(const CBitmap& picture) const {
    const std::shared_ptr<PixelSurface>& surface = picture.Surface();
    if (surface == nullptr)
        return nullptr;
    const auto kept = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& entry) { return entry.surface.lock() == surface; });
    return kept != m_entries.end() ? &kept->pixels : nullptr;
}

const CPictureSource::Pixels& CPictureSource::Keep(const CBitmap& picture, Pixels pixels) {
    std::erase_if(m_entries, [](const Entry& entry) { return entry.surface.expired(); });
    if (m_entries.size() >= kKept)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(Entry{picture.Surface(), std::move(pixels)});
    ++m_nKept;
    return m_entries.back().pixels;
}
