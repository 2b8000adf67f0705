#pragma once

#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/r3d/Raster.h"

namespace r3d {

// A rendered picture as a 24-bit top-down DIB, the form device contexts, .bmp files and
// printers take it in.
class RasterDib {
  public:
    explicit RasterDib(const Raster& picture);

    const BITMAPINFO* Info() const { return &m_info; }
    const BYTE* Bits() const { return m_bits.data(); }

    // Copies the picture into the rectangle (x, y, width, height) of the DC, stretched to fit;
    // a printer DC thus gets the view at its own resolution.
    void Draw(CDC& dc, int x, int y, int width, int height) const;

  private:
    int m_width;
    int m_height;
    BITMAPINFO m_info{};
    std::vector<BYTE> m_bits;
};

}  // namespace r3d
