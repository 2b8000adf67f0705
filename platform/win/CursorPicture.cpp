#include "platform/win/CursorPicture.h"

namespace {
std::uint32_t Bit(int x) {
    return 0x80000000u >> x;
}
bool Inside(int x, int y) {
    return x >= 0 && x < CursorPicture::kSize && y >= 0 && y < CursorPicture::kSize;
}
}  // namespace

CursorPicture::CursorPicture() : m_hotSpot(0, 0) {
    m_mask.fill(0xFFFFFFFFu);
    m_picture.fill(0);
}

CursorPicture::Pixel CursorPicture::At(int x, int y) const {
    if (!Inside(x, y))
        return Pixel::Transparent;
    const bool mask = (m_mask[y] & Bit(x)) != 0;
    const bool picture = (m_picture[y] & Bit(x)) != 0;
    if (mask)
        return picture ? Pixel::Inverted : Pixel::Transparent;
    return picture ? Pixel::White : Pixel::Black;
}

void CursorPicture::Set(int x, int y, Pixel pixel) {
    if (!Inside(x, y))
        return;
    const bool mask = pixel == Pixel::Transparent || pixel == Pixel::Inverted;
    const bool picture = pixel == Pixel::White || pixel == Pixel::Inverted;
    m_mask[y] = mask ? m_mask[y] | Bit(x) : m_mask[y] & ~Bit(x);
    m_picture[y] = picture ? m_picture[y] | Bit(x) : m_picture[y] & ~Bit(x);
}
