#include "platform/gdi/RunLengthBands.h"

#include <algorithm>
#include <atomic>

#include "platform/gdi/PixelSurface.h"

namespace {
std::atomic<unsigned long long> g_pixelsWorked{0};
}  // namespace

RunLengthBands::RunLengthBands(int width, int height, const Colors& colors, bool darkest,
                               PixelSurface& surface, int step)
    : m_width(width),
      m_height(height),
      m_colors(colors),
      m_surface(surface),
      m_step(step),
      m_reduced(step > 1 ? surface.Width() : 0, darkest),
      m_reached(step > 1 ? surface.Width() : 0) {}

void RunLengthBands::Take(int y, int x, const BYTE* indices, int count) {
    g_pixelsWorked.fetch_add(static_cast<unsigned long long>(count), std::memory_order_relaxed);
    const int top = m_height - 1 - y;
    if (m_step == 1) {
        std::uint32_t* row = m_surface.Row(top) + x;
        for (int i = 0; i < count; ++i) row[i] = m_colors[indices[i]];
        return;
    }
    if (top / m_step != m_band)
        Flush();
    m_band = top / m_step;
    m_spans.push_back({top % m_step, x, count, m_indices.size()});
    m_indices.insert(m_indices.end(), indices, indices + count);
}

void RunLengthBands::Finish() {
    Flush();
}

unsigned long long RunLengthBands::PixelsWorked() {
    return g_pixelsWorked.load(std::memory_order_relaxed);
}

// Reduces the band's blocks from its spans, the pixels between them at colour index 0. Spans came
// bottom row first: their rows are weighed top first, as the reduction of a plain picture does.
void RunLengthBands::Flush() {
    if (m_band < 0)
        return;
    m_reduced.Start();
    std::fill(m_reached.begin(), m_reached.end(), 0);
    for (std::size_t end = m_spans.size(); end > 0;) {
        std::size_t begin = end;
        while (begin > 0 && m_spans[begin - 1].row == m_spans[end - 1].row) --begin;
        for (std::size_t span = begin; span < end; ++span) Reduce(m_spans[span]);
        end = begin;
    }
    const int rows = std::min(m_step, m_height - m_band * m_step);
    for (int block = 0; block < m_surface.Width(); ++block) {
        const auto pixels = static_cast<std::uint32_t>(rows * BlockWidth(block));
        m_reduced.AddRepeated(block, m_colors[0], pixels - m_reached[block]);
    }
    m_reduced.Finish(m_surface.Row(m_band));
    g_pixelsWorked.fetch_add(static_cast<unsigned long long>(m_surface.Width()), std::memory_order_relaxed);
    m_spans.clear();
    m_indices.clear();
    m_band = -1;
}

void RunLengthBands::Reduce(const Span& span) {
    const BYTE* indices = &m_indices[span.indicesAt];
    for (int i = 0; i < span.count; ++i) {
        const int x = span.x + i;
        const int block = x / m_step;
        const auto at = static_cast<std::uint32_t>(span.row * BlockWidth(block) + x - block * m_step);
        m_reduced.AddRepeated(block, m_colors[0], at - m_reached[block]);
        m_reduced.Add(block, m_colors[indices[i]]);
        m_reached[block] = at + 1;
    }
}

int RunLengthBands::BlockWidth(int block) const {
    return std::min(m_step, m_width - block * m_step);
}
