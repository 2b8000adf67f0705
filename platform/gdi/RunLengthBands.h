#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/ReducedRow.h"

class PixelSurface;

// A run-length picture drawn into its surface as its codes are decoded. The surface shows colour
// index 0 throughout before the first span comes; each span is drawn where it lies, gathered a
// band of step rows at a time when the picture is reduced, where only the blocks the spans reach
// are worked on: the others show colour index 0 already. So reading costs the pixels the codes
// set and the blocks they reach, never the width the picture declares.
class RunLengthBands {
  public:
    // The pixel each colour index shows.
    using Colors = std::array<std::uint32_t, 256>;

    // The picture is width by height pixels; the surface holds it reduced by step, each block
    // shown as ReducedRow shows it (darkest or average).
    RunLengthBands(int width, int height, const Colors& colors, bool darkest, PixelSurface& surface,
                   int step);

    // A span of colour indices in row y, counted from the bottom. Spans come bottom row first
    // and left to right, and set each pixel at most once.
    void Take(int y, int x, const BYTE* indices, int count);
    // Shows the last band taken.
    void Finish();

    // The pixels reading run-length pictures has worked on since the program started: those the
    // codes set and the blocks they reach.
    static unsigned long long PixelsWorked();

  private:
    // A span kept until its band is shown: its row in the band and its indices in m_indices.
    struct Span {
        int row;
        int x;
        int count;
        std::size_t indicesAt;
    };

    void Flush();
    void StartBlocksReached(const Span& span);
    void Reduce(const Span& span);
    int BlockWidth(int block) const;

    int m_width;
    int m_height;
    const Colors& m_colors;
    PixelSurface& m_surface;
    int m_step;
    int m_band = -1;
    std::vector<Span> m_spans;
    std::vector<BYTE> m_indices;
    ReducedRow m_reduced;
    // How many pixels of each block of the band, in the order the reduction weighs them (row by
    // row, left to right), the spans have reached.
    std::vector<std::uint32_t> m_reached;
    // The blocks of the band the spans reach, each once, and which those are.
    std::vector<int> m_blocksReached;
    std::vector<bool> m_isReached;
};
