#pragma once

#include <cstdint>
#include <vector>

// One row of a picture read at a reduced resolution, gathered from the pixels of the blocks its
// pixels stand for: each shows the average of its block or, for a drawing of few colours, the
// darkest pixel of it, so that a line one pixel wide still shows.
class ReducedRow {
  public:
    ReducedRow(int width, bool darkest);

    // Begins the row anew, before the first pixel of its blocks.
    void Start();
    // Begins the block the row's pixel x stands for anew, before the first of its pixels.
    void StartBlock(int x);
    // A pixel of the block the row's pixel x stands for.
    void Add(int x, std::uint32_t pixel);
    // The same pixel times over, one after another in the block: weighed as often, and as dark
    // as its first.
    void AddRepeated(int x, std::uint32_t pixel, std::uint32_t times);
    // The row's pixels, as many as its width.
    void Finish(std::uint32_t* out) const;
    // The row's pixel x.
    std::uint32_t Pixel(int x) const;
    // Lightness as the eye weighs the channels, in thousandths of a level: the darkest pixel of a
    // block is the first of the least lightness.
    static int Lightness(std::uint32_t pixel);

  private:
    struct Sums {
        std::uint32_t red = 0, green = 0, blue = 0, count = 0;
        std::uint32_t Average() const;
    };

    bool m_darkest;
    std::vector<std::uint32_t> m_darkestPixels;
    std::vector<int> m_darkestLightness;
    std::vector<Sums> m_sums;
};
