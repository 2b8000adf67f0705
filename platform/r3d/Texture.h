#pragma once

#include "platform/r3d/Raster.h"

#include <cstdint>
#include <vector>

namespace r3d {

// A texture image with an optional mask. Where the mask is black the texture is transparent;
// any other mask colour keeps the texel.
class Texture {
  public:
    explicit Texture(Raster image);
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    ~Texture();

    const Raster& Image() const { return m_image; }
    bool HasMask() const { return m_hasMask; }
    // A mask of another size is stretched over the image.
    void SetMask(const Raster& mask);

    // Red, green, blue, alpha per texel, rows from top to bottom.
    const std::vector<std::uint8_t>& Rgba() const { return m_rgba; }
    // Counts changes, so the renderer knows when to upload again.
    unsigned Version() const { return m_version; }

    // The renderer's handle for the uploaded copy; 0 before the first upload.
    unsigned& DeviceHandle() const { return m_deviceHandle; }
    unsigned& DeviceVersion() const { return m_deviceVersion; }

  private:
    Raster m_image;
    std::vector<std::uint8_t> m_rgba;
    bool m_hasMask = false;
    unsigned m_version = 1;
    mutable unsigned m_deviceHandle = 0;
    mutable unsigned m_deviceVersion = 0;
};

}  // namespace r3d
