#include "platform/gdi/ReducedRow.h"

#include <algorithm>
#include <limits>

ReducedRow::ReducedRow(int width, bool darkest)
    : m_darkest(darkest), m_darkestPixels(width), m_darkestLightness(width), m_sums(width) {}

void ReducedRow::Start() {
    std::fill(m_darkestPixels.begin(), m_darkestPixels.end(), 0);
    std::fill(m_darkestLightness.begin(), m_darkestLightness.end(), std::numeric_limits<int>::max());
    std::fill(m_sums.begin(), m_sums.end(), Sums{});
}

void ReducedRow::StartBlock(int x) {
    m_darkestPixels[x] = 0;
    m_darkestLightness[x] = std::numeric_limits<int>::max();
    m_sums[x] = Sums{};
}

void ReducedRow::Add(int x, std::uint32_t pixel) {
    if (m_darkest) {
        const int lightness = Lightness(pixel);
        if (lightness < m_darkestLightness[x])
            m_darkestLightness[x] = lightness, m_darkestPixels[x] = pixel;
        return;
    }
    Sums& sums = m_sums[x];
    sums.red += (pixel >> 16) & 0xFF;
    sums.green += (pixel >> 8) & 0xFF;
    sums.blue += pixel & 0xFF;
    ++sums.count;
}

void ReducedRow::AddRepeated(int x, std::uint32_t pixel, std::uint32_t times) {
    if (times == 0)
        return;
    if (m_darkest || times == 1) {
        Add(x, pixel);
        return;
    }
    Sums& sums = m_sums[x];
    sums.red += times * ((pixel >> 16) & 0xFF);
    sums.green += times * ((pixel >> 8) & 0xFF);
    sums.blue += times * (pixel & 0xFF);
    sums.count += times;
}

void ReducedRow::Finish(std::uint32_t* out) const {
    for (std::size_t x = 0; x < m_sums.size(); ++x) out[x] = Pixel(static_cast<int>(x));
}

int ReducedRow::Lightness(std::uint32_t pixel) {
    return 299 * static_cast<int>((pixel >> 16) & 0xFF) + 587 * static_cast<int>((pixel >> 8) & 0xFF) +
           114 * static_cast<int>(pixel & 0xFF);
}

std::uint32_t ReducedRow::Pixel(int x) const {
    return m_darkest ? m_darkestPixels[x] : m_sums[x].Average();
}

// Each channel rounded half up; a block without pixels is black.
std::uint32_t ReducedRow::Sums::Average() const {
    if (count == 0)
        return 0;
    const auto channel = [this](std::uint32_t sum) { return (sum + count / 2) / count; };
    return channel(red) << 16 | channel(green) << 8 | channel(blue);
}
