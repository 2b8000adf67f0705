#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/GdiTypes.h"

// The colour-table entry nearest a colour, by squared distance, as a picture is written with a
// colour table. Each colour is searched for once and remembered in a table addressed by a hash
// of the colour, so that every further pixel of it costs one look-up, however many colours the
// picture and the table hold; a pixel of the colour just asked for costs a comparison.
class NearestColor {
  public:
    // colors holds count entries and outlives the look-ups.
    NearestColor(const RGBQUAD* colors, int count);

    int IndexOf(std::uint32_t pixel) {
        if (pixel != m_last.pixel || m_last.index < 0)
            m_last = Slot{pixel, Remembered(pixel)};
        return m_last.index;
    }

  private:
    struct Slot {
        std::uint32_t pixel = 0;
        int index = -1;  // none yet
    };

    int Remembered(std::uint32_t pixel);
    int Remember(Slot& slot, std::uint32_t pixel);
    Slot& SlotOf(std::uint32_t pixel);
    void Grow();
    int Search(std::uint32_t pixel) const;

    const RGBQUAD* m_colors;
    int m_count;
    std::vector<Slot> m_slots;
    std::size_t m_filled = 0;
    int m_shift;
    Slot m_last;
};
