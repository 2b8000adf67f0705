#pragma once

#include <array>
#include <cstdint>

#include "platform/gdi/CPoint.h"

// A 32 x 32 two-colour cursor: an AND mask and an XOR picture, one 32-bit row each (the
// leftmost pixel in the top bit), and the hot spot, the pixel that points.
// Mask 1 and picture 0 leave the screen, mask 0 gives black (picture 0) or white (picture 1),
// mask 1 and picture 1 invert the screen.
class CursorPicture {
  public:
    static constexpr int kSize = 32;

    enum class Pixel { Transparent, Black, White, Inverted };

    CursorPicture();

    Pixel At(int x, int y) const;
    void Set(int x, int y, Pixel pixel);
    CPoint HotSpot() const { return m_hotSpot; }
    void SetHotSpot(CPoint hotSpot) { m_hotSpot = hotSpot; }

  private:
    std::array<std::uint32_t, kSize> m_mask;
    std::array<std::uint32_t, kSize> m_picture;
    CPoint m_hotSpot;
};
