#include "platform/gdi/NearestColor.h"

namespace {

constexpr int kFirstSlotBits = 8;

}  // namespace

NearestColor::NearestColor(const RGBQUAD* colors, int count)
    : m_colors(colors),
      m_count(count),
      m_slots(std::size_t{1} << kFirstSlotBits),
      m_shift(32 - kFirstSlotBits) {}

// Kept apart from the search, so that a colour found costs no more than finding it.
int NearestColor::Remembered(std::uint32_t pixel) {
    Slot& slot = SlotOf(pixel);
    return slot.index >= 0 ? slot.index : Remember(slot, pixel);
}

int NearestColor::Remember(Slot& slot, std::uint32_t pixel) {
    const int index = Search(pixel);
    slot = Slot{pixel, index};
    if (++m_filled * 2 > m_slots.size())
        Grow();
    return index;
}

// The colour's slot, or the empty one where it goes: open addressing, probing onwards from
// the top bits of the colour's Fibonacci hash, which depend on all of its bits.
NearestColor::Slot& NearestColor::SlotOf(std::uint32_t pixel) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = static_cast<std::uint32_t>(pixel * 0x9E3779B1u) >> m_shift;
    while (m_slots[at].index >= 0 && m_slots[at].pixel != pixel) at = (at + 1) & mask;
    return m_slots[at];
}

void NearestColor::Grow() {
    std::vector<Slot> filled(m_slots.size() * 2);
    filled.swap(m_slots);
    --m_shift;
    for (const Slot& slot : filled)
        if (slot.index >= 0)
            SlotOf(slot.pixel) = slot;
}

int NearestColor::Search(std::uint32_t pixel) const {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < m_count; ++i) {
        const long dr = r - m_colors[i].rgbRed, dg = g - m_colors[i].rgbGreen, db = b - m_colors[i].rgbBlue;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance)
            best = i, bestDistance = distance;
    }
    return best;
}
