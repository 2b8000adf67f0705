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
      m_reached(step > 1 ? surface.Width() : 0),
      m_isReached(step > 1 ? surface.Width() : 0) {}

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

// Reduces the blocks the band's spans reach, the pixels between them at colour index 0. Spans
// came bottom row first: their rows are weighed top first, as the reduction of a plain picture does.
void RunLengthBands::Flush() {
    if (m_band < 0)
        return;
    for (const Span& span : m_spans) StartBlocksReached(span);
    for (std::size_t end = m_spans.size(); end > 0;) {
        std::size_t begin = end;
        while (begin > 0 && m_spans[begin - 1].row == m_spans[end - 1].row) --begin;
        for (std::size_t span = begin; span < end; ++span) Reduce(m_spans[span]);
        end = begin;
    }
    const int rows = std::min(m_step, m_height - m_band * m_step);
    std::uint32_t* row = m_surface.Row(m_band);
    for (const int block : m_blocksReached) {
        const auto pixels = static_cast<std::uint32_t>(rows * BlockWidth(block));
        m_reduced.AddRepeated(block, m_colors[0], pixels - m_reached[block]);
        row[block] = m_reduced.Pixel(block);
        m_isReached[block] = false;
    }
    g_pixelsWorked.fetch_add(static_cast<unsigned long long>(m_blocksReached.size()),
                             std::memory_order_relaxed);
    m_blocksReached.clear();
    m_spans.clear();
    m_indices.clear();
    m_band = -1;
}

void RunLengthBands::StartBlocksReached(const Span& span) {
    for (int block = span.x / m_step; block <= (span.x + span.count - 1) / m_step; ++block) {
        if (m_isReached[block])
            continue;
        m_isReached[block] = true;
        m_blocksReached.push_back(block);
        m_reduced.StartBlock(block);
        m_reached[block] = 0;
    }
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
