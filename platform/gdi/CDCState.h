#pragma once

// What a DC remembers between calls; private to the DC's sources.
#include <memory>
#include <optional>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CoverageMask.h"
#include "platform/gdi/PixelSurface.h"

// A brush made concrete for one drawing call: the colour (or none) of each device pixel.
struct CDC::Brush {
    enum Kind { None, Solid, Hatch, Pattern } kind = None;
    std::uint32_t color = 0;
    std::uint32_t background = 0;
    bool opaqueGaps = false;
    int hatch = 0;
    std::shared_ptr<const PixelSurface> pattern;
    bool monochromePattern = false;
    std::uint32_t zeroBits = 0;
    std::uint32_t oneBits = 0;

    bool At(int x, int y, std::uint32_t& out) const {
        switch (kind) {
            case Solid:
                out = color;
                return true;
            case Hatch:
                if (HatchBitAt(x, y))
                    return out = color, true;
                if (opaqueGaps)
                    return out = background, true;
                return false;
            case Pattern: {
                const int w = pattern->Width(), h = pattern->Height();
                const std::uint32_t p = pattern->At(((x % w) + w) % w, ((y % h) + h) % h);
                out = monochromePattern ? (p == 0 ? zeroBits : oneBits) : p;
                return true;
            }
            default:
                return false;
        }
    }
    bool HatchBitAt(int x, int y) const;
};

struct CDC::State {
    int mapMode = MM_TEXT;
    CPoint windowOrg;
    CPoint viewportOrg;
    CSize windowExt{1, 1};
    CSize viewportExt{1, 1};

    LOGPEN pen{PS_SOLID, {0, 0}, 0};
    CPen* penObject = nullptr;
    LOGBRUSH brush{BS_SOLID, RGB(255, 255, 255), 0};
    std::shared_ptr<const PixelSurface> brushPattern;
    bool brushPatternMonochrome = false;
    CBrush* brushObject = nullptr;
    LOGFONT font{};
    CFont* fontObject = nullptr;
    CBitmap* bitmapObject = nullptr;
    std::shared_ptr<PixelSurface> bitmapSurface;
    bool bitmapMonochrome = false;
    CPalette* paletteObject = nullptr;

    CPoint position;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = 1;
    CPoint brushOrg;
    std::optional<RectRegion> clip;  // device coordinates
    // Names the clip's content: every change takes a number never used before, so equal
    // numbers mean the same clip without comparing it rectangle by rectangle.
    std::uint64_t clipVersion = 0;

    bool inPath = false;
    bool pathReady = false;
    DevicePath path;  // device index coordinates
};

// Puts a DC's clip back as it was, with its version, when it goes out of scope.
class CDC::KeptClip {
  public:
    explicit KeptClip(State& state) : m_state(state), m_clip(state.clip), m_version(state.clipVersion) {}
    ~KeptClip() {
        m_state.clip = std::move(m_clip);
        m_state.clipVersion = m_version;
    }
    KeptClip(const KeptClip&) = delete;
    KeptClip& operator=(const KeptClip&) = delete;

  private:
    State& m_state;
    std::optional<RectRegion> m_clip;
    std::uint64_t m_version;
};

// The shared stock objects.
CGdiObject* StockObject(int index);
