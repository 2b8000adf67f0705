#include "platform/r3d/Raster.h"

#include <cstddef>

namespace r3d {

Raster::Raster(int width, int height)
    : m_width(width > 0 && height > 0 ? width : 0),
      m_height(width > 0 && height > 0 ? height : 0),
      m_bytes(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 3) {}

Raster::Rgb Raster::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {};
    }
    const std::uint8_t* p = &m_bytes[(static_cast<std::size_t>(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
}

void Raster::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    std::uint8_t* p = &m_bytes[(static_cast<std::size_t>(y) * m_width + x) * 3];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void Raster::Fill(Rgb colour) {
    for (std::size_t i = 0; i + 2 < m_bytes.size(); i += 3) {
        m_bytes[i] = colour.r;
        m_bytes[i + 1] = colour.g;
        m_bytes[i + 2] = colour.b;
    }
}

}  // namespace r3d
