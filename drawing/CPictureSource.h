#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/GdiTypes.h"

class CBitmap;
class PixelSurface;

// The format in which the turned drawing of a 2D or 3D bitmap works on its picture, kept from one
// repaint to the next: made again only when the picture is another (a new file, a reload). The
// pixels themselves are read from the picture's surface as they are drawn, never copied whole.
// The 3D bitmap draws its picture and its mask in turn, so two are kept. Objects showing the
// same picture share what the first of them made.
class CPictureSource {
  public:
    struct Pixels {
        // The header and colour table of the picture's packed bitmap.
        std::vector<BYTE> format;
        BITMAP size{};
    };

    // The pixels kept for the picture, here or by another source; null when none are.
    const Pixels* Find(const CBitmap& picture);
    // Keeps pixels made for the picture in place of the oldest kept, and lends them to others.
    const Pixels& Keep(const CBitmap& picture, Pixels pixels);
    // How many times pixels were made and kept here: once per picture while it stays the same,
    // and not at all for a picture another source had made pixels for.
    int KeptCount() const { return m_nKept; }
    // The bytes of what is kept here, the same whatever the picture's size.
    std::size_t HeldBytes() const;
    // The entries by which sources lend their pixels: at most twice as many as are kept, and a
    // few.
    static std::size_t LentCount();

  private:
    static constexpr std::size_t kKept = 2;
    struct Entry {
        std::weak_ptr<PixelSurface> surface;
        int bitsPixel = 0;
        std::shared_ptr<const Pixels> pixels;
    };
    const Pixels& Hold(const CBitmap& picture, std::shared_ptr<const Pixels> pixels);
    std::vector<Entry> m_entries;
    int m_nKept = 0;
};
