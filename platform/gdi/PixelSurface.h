#pragma once

#include <cstdint>
#include <memory>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class DibSectionBits;

// The pixels every DC draws on: 32 bits per pixel, 0x00RRGGBB, rows top-down without padding.
// Window backing stores, bitmaps and printer pages are all one of these.
class PixelSurface {
  public:
    PixelSurface(int width, int height, std::uint32_t fill = 0x000000);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    std::uint32_t At(int x, int y) const { return m_pixels[Index(x, y)]; }
    void Set(int x, int y, std::uint32_t pixel) { m_pixels[Index(x, y)] = pixel; }
    std::uint32_t* Row(int y) { return m_pixels.get() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* Row(int y) const { return m_pixels.get() + static_cast<std::size_t>(y) * m_width; }
    std::uint32_t* Data() { return m_pixels.get(); }
    void Fill(std::uint32_t pixel);

    // Writes the pixels as a PNG file; answers false when the file cannot be written.
    bool WritePng(const CString& path) const;

    // A DIB section keeps its bits in its own format; drawing reads them in before and writes
    // them back after, so the program sees its drawing in the bits and its writes in the picture.
    void BindDibSection(std::unique_ptr<DibSectionBits> bits);
    DibSectionBits* DibSection() const { return m_dib.get(); }
    void PullFromDibSection();
    void PushToDibSection();

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }
    std::size_t Count() const { return static_cast<std::size_t>(m_width) * m_height; }

    struct FreePixels {
        void operator()(std::uint32_t* pixels) const;
    };

    int m_width;
    int m_height;
    // Not a vector: a black surface comes cleared from the system, so that the pages of a large
    // one cost nothing until drawn on, and Fill clears them all at once.
    std::unique_ptr<std::uint32_t[], FreePixels> m_pixels;
    std::unique_ptr<DibSectionBits> m_dib;
};

// COLORREF (0x00BBGGRR) to and from a surface pixel (0x00RRGGBB).
constexpr std::uint32_t PixelFromColor(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(std::uint32_t pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
