#pragma once

#include <cstdint>
#include <vector>

namespace r3d {

// A plain RGB picture: rows from top to bottom, three bytes per pixel (red, green, blue), no padding.
// Rendered pictures, backdrops, texture images and masks are all rasters.
class Raster {
  public:
    struct Rgb {
        std::uint8_t r = 0, g = 0, b = 0;
        bool operator==(const Rgb&) const = default;
    };

    Raster() = default;
    Raster(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width == 0 || m_height == 0; }
    const std::uint8_t* Bytes() const { return m_bytes.data(); }
    std::uint8_t* Bytes() { return m_bytes.data(); }
    int RowBytes() const { return m_width * 3; }

    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);
    void Fill(Rgb colour);

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace r3d
