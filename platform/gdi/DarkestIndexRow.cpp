#include "platform/gdi/DarkestIndexRow.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "platform/gdi/ReducedRow.h"

namespace {

// Above every rank: a block that has read nothing yet.
constexpr std::uint8_t kUnread = 255;

bool Darker(std::uint32_t a, std::uint32_t b) {
    return ReducedRow::Lightness(a) < ReducedRow::Lightness(b);
}

// The different colours of the first indices of the table, darkest first; nothing when two of
// them are equally light.
std::optional<std::vector<std::uint32_t>> ColorsByLightness(const std::array<std::uint32_t, 256>& colors,
                                                            int indices) {
    std::vector<std::uint32_t> sorted(colors.begin(), colors.begin() + indices);
    std::sort(sorted.begin(), sorted.end(), [](std::uint32_t a, std::uint32_t b) {
        return std::pair(ReducedRow::Lightness(a), a) < std::pair(ReducedRow::Lightness(b), b);
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const auto equallyLight = [](std::uint32_t a, std::uint32_t b) { return !Darker(a, b); };
    if (sorted.size() >= kUnread ||
        std::adjacent_find(sorted.begin(), sorted.end(), equallyLight) != sorted.end())
        return std::nullopt;
    return sorted;
}

}  // namespace

std::optional<DarkestIndexRow> DarkestIndexRow::For(const std::array<std::uint32_t, 256>& colors,
                                                    int bitCount, int width, int step) {
    const int indices = 1 << bitCount;
    const std::optional<std::vector<std::uint32_t>> sorted = ColorsByLightness(colors, indices);
    if (!sorted)
        return std::nullopt;
    DarkestIndexRow row(bitCount, width, step);
    std::copy(sorted->begin(), sorted->end(), row.m_colorOfRank.begin());
    for (int index = 0; index < indices; ++index)
        row.m_rankOfIndex[index] = static_cast<std::uint8_t>(
            std::lower_bound(sorted->begin(), sorted->end(), colors[index], Darker) - sorted->begin());
    row.RankBytes();
    return row;
}

DarkestIndexRow::DarkestIndexRow(int bitCount, int width, int step)
    : m_bitCount(bitCount),
      m_byteShift(std::countr_zero(8u / bitCount)),
      m_width(width),
      m_step(step),
      m_least((width + step - 1) / step, kUnread) {}

void DarkestIndexRow::Start() {
    std::fill(m_least.begin(), m_least.end(), kUnread);
    m_lighterBlocks = static_cast<int>(m_least.size());
}

void DarkestIndexRow::AddRow(const BYTE* indices) {
    const int lastOfByte = (1 << m_byteShift) - 1;
    for (std::size_t block = 0; block < m_least.size(); ++block) {
        std::uint8_t& least = m_least[block];
        if (least == 0)
            continue;
        int x = static_cast<int>(block) * m_step;
        const int end = std::min(x + m_step, m_width);
        // The block's indices that share a byte with another block's one at a time, the bytes
        // it holds whole at once.
        for (; x < end && (x & lastOfByte) != 0; ++x) least = std::min(least, RankAt(indices, x));
        for (; x + lastOfByte < end; x += lastOfByte + 1)
            least = std::min(least, m_rankOfByte[indices[x >> m_byteShift]]);
        for (; x < end; ++x) least = std::min(least, RankAt(indices, x));
        if (least == 0)
            --m_lighterBlocks;
    }
}

void DarkestIndexRow::Finish(std::uint32_t* out) const {
    for (std::size_t block = 0; block < m_least.size(); ++block) out[block] = m_colorOfRank[m_least[block]];
}

void DarkestIndexRow::RankBytes() {
    for (int byte = 0; byte < 256; ++byte) {
        const BYTE indices = static_cast<BYTE>(byte);
        std::uint8_t least = kUnread;
        for (int x = 0; x < 1 << m_byteShift; ++x) least = std::min(least, RankAt(&indices, x));
        m_rankOfByte[byte] = least;
    }
}

std::uint8_t DarkestIndexRow::RankAt(const BYTE* indices, int x) const {
    const int lastOfByte = (1 << m_byteShift) - 1;
    const int shift = 8 - m_bitCount * ((x & lastOfByte) + 1);
    return m_rankOfIndex[(indices[x >> m_byteShift] >> shift) & ((1 << m_bitCount) - 1)];
}
