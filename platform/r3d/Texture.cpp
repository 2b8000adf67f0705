#include "platform/r3d/Texture.h"

#include "platform/r3d/GlContext.h"

#include <cstddef>

namespace r3d {

Texture::Texture(Raster image) : m_image(std::move(image)) {
    m_rgba.reserve(static_cast<std::size_t>(m_image.Width()) * m_image.Height() * 4);
    for (int y = 0; y < m_image.Height(); ++y) {
        for (int x = 0; x < m_image.Width(); ++x) {
            Raster::Rgb c = m_image.Pixel(x, y);
            m_rgba.insert(m_rgba.end(), {c.r, c.g, c.b, 255});
        }
    }
}

Texture::~Texture() {
    GlContext::ReleaseTexture(m_deviceHandle);
}

void Texture::SetMask(const Raster& mask) {
    if (mask.Empty() || m_image.Empty()) {
        return;
    }
    for (int y = 0; y < m_image.Height(); ++y) {
        for (int x = 0; x < m_image.Width(); ++x) {
            Raster::Rgb c =
                mask.Pixel(x * mask.Width() / m_image.Width(), y * mask.Height() / m_image.Height());
            bool transparent = c.r == 0 && c.g == 0 && c.b == 0;
            m_rgba[(static_cast<std::size_t>(y) * m_image.Width() + x) * 4 + 3] = transparent ? 0 : 255;
        }
    }
    m_hasMask = true;
    ++m_version;
}

}  // namespace r3d
