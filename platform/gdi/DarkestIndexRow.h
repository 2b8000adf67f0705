#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/GdiTypes.h"

// One row of a picture of colour indices (1, 4 or 8 bits a pixel) read at a reduced resolution,
// each pixel the darkest of its block as ReducedRow shows it, found straight from the indices:
// every index has a rank by the lightness of its colour, a block shows the colour of the least
// rank it holds, and a whole byte of indices is ranked at once. A block that holds the darkest
// colour is not read further, so a band whose blocks all hold it leaves its remaining rows unread.
class DarkestIndexRow {
  public:
    // For the pixel each index shows, a row of width pixels reduced by step; nothing when two
    // different colours the indices reach are equally light, as then the one that shows is the one
    // met first, which no rank tells.
    static std::optional<DarkestIndexRow> For(const std::array<std::uint32_t, 256>& colors, int bitCount,
                                              int width, int step);

    // Begins the row anew, before the first source row of its blocks.
    void Start();
    // One source row of its blocks: the bytes of a row of indices.
    void AddRow(const BYTE* indices);
    // Whether every block holds the darkest colour already: further rows change nothing.
    bool AllDarkest() const { return m_lighterBlocks == 0; }
    // The row's pixels, as many as its blocks.
    void Finish(std::uint32_t* out) const;

  private:
    DarkestIndexRow(int bitCount, int width, int step);
    // Fills m_rankOfByte from m_rankOfIndex.
    void RankBytes();
    std::uint8_t RankAt(const BYTE* indices, int x) const;

    int m_bitCount;
    // A byte holds 1 << m_byteShift pixels.
    int m_byteShift;
    int m_width;
    int m_step;
    std::array<std::uint8_t, 256> m_rankOfIndex{};
    // The least rank of the indices a byte holds.
    std::array<std::uint8_t, 256> m_rankOfByte{};
    std::array<std::uint32_t, 256> m_colorOfRank{};
    // Each block's least rank so far.
    std::vector<std::uint8_t> m_least;
    int m_lighterBlocks = 0;
};
