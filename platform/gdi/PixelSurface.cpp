#include "platform/gdi/PixelSurface.h"

#include <cairo.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/gdi/DibFormat.h"

namespace {

// Black pixels are asked for cleared: the system hands large blocks out as pages of zeros that
// cost nothing until written.
std::uint32_t* AllocatePixels(std::size_t count, std::uint32_t fill) {
    const std::size_t asked = std::max<std::size_t>(count, 1);
    void* pixels =
        fill == 0 ? std::calloc(asked, sizeof(std::uint32_t)) : std::malloc(asked * sizeof(std::uint32_t));
    if (pixels == nullptr)
        throw std::bad_alloc();
    return static_cast<std::uint32_t*>(pixels);
}

}  // namespace

PixelSurface::PixelSurface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_pixels(AllocatePixels(Count(), fill)) {
    if (fill != 0)
        Fill(fill);
}

void PixelSurface::FreePixels::operator()(std::uint32_t* pixels) const {
    std::free(pixels);
}

PixelSurface::~PixelSurface() = default;

void PixelSurface::Fill(std::uint32_t pixel) {
    if (pixel == 0)
        std::memset(m_pixels.get(), 0, Count() * sizeof(std::uint32_t));
    else
        std::fill_n(m_pixels.get(), Count(), pixel);
}

bool PixelSurface::WritePng(const CString& path) const {
    if (m_width == 0 || m_height == 0)
        return false;
    std::vector<std::uint32_t> copy(m_pixels.get(), m_pixels.get() + Count());
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(copy.data()), CAIRO_FORMAT_RGB24, m_width, m_height, m_width * 4);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

void PixelSurface::BindDibSection(std::unique_ptr<DibSectionBits> bits) {
    m_dib = std::move(bits);
}

void PixelSurface::PullFromDibSection() {
    if (m_dib)
        m_dib->CopyToSurface(*this);
}

void PixelSurface::PushToDibSection() {
    if (m_dib)
        m_dib->CopyFromSurface(*this);
}
