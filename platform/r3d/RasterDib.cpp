#include "platform/r3d/RasterDib.h"

namespace r3d {

namespace {

int PaddedRowBytes(int width) { return (width * 3 + 3) & ~3; }

}  // namespace

RasterDib::RasterDib(const Raster& picture) : m_width(picture.Width()), m_height(picture.Height()) {
    const int rowBytes = PaddedRowBytes(m_width);
    m_bits.assign(static_cast<std::size_t>(rowBytes) * m_height, 0);
    // Straight over the bytes: this runs for every frame the 3D window shows.
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* in = picture.Bytes() + static_cast<std::size_t>(y) * picture.RowBytes();
        BYTE* out = m_bits.data() + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < m_width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
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
