#include "platform/r3d/RasterDib.h"

namespace r3d {

namespace {

int PaddedRowBytes(int width) { return (width * 3 + 3) & ~3; }

}  // namespace

RasterDib::RasterDib(const Raster& picture) : m_width(picture.Width()), m_height(picture.Height()) {
    const int rowBytes = PaddedRowBytes(m_width);
    m_bits.assign(static_cast<std::size_t>(rowBytes) * m_height, 0);
    for (int y = 0; y < m_height; ++y) {
        BYTE* row = m_bits.data() + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < m_width; ++x) {
            Raster::Rgb colour = picture.Pixel(x, y);
            row[x * 3] = colour.b;
            row[x * 3 + 1] = colour.g;
            row[x * 3 + 2] = colour.r;
        }
    }
    BITMAPINFOHEADER& header = m_info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = m_width;
    header.biHeight = -m_height;  // top-down rows, as the picture holds them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(m_bits.size());
}

void RasterDib::Draw(CDC& dc, int x, int y, int width, int height) const {
    if (m_width == 0 || m_height == 0) {
        return;
    }
    dc.StretchDIBits(x, y, width, height, 0, 0, m_width, m_height, m_bits.data(), &m_info, DIB_RGB_COLORS,
                     SRCCOPY);
}

}  // namespace r3d
