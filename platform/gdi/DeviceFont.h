#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/CoverageMask.h"
#include "platform/gdi/GdiTypes.h"

// A LOGFONT made concrete at a size in device pixels: the installed face that stands in for the
// requested one ("Arial" and "MS Sans Serif" resolve to Liberation Sans, "Times New Roman" to
// Liberation Serif, "Courier New" to Liberation Mono), measured and drawn without antialiasing.
class DeviceFont {
  public:
    struct Metrics {
        int ascent;
        int descent;
        int internalLeading;
        int aveCharWidth;
        int maxCharWidth;
    };

    // deviceHeight is the LOGFONT height in device pixels, with its sign: negative for the
    // character height, positive for the cell height, 0 for the default.
    DeviceFont(const LOGFONT& font, double deviceHeight);

    const Metrics& GetMetrics() const;
    // Advance of each character in device pixels (whole pixels, as the hinted metrics give them).
    std::vector<int> Advances(const char* text, int length) const;
    int TextWidth(const char* text, int length) const;
    // Marks the glyphs of text with the baseline starting at (x, y), turned counterclockwise by angle
    // radians.
    void Render(CoverageMask& mask, const char* text, int length, double x, double y, double angle) const;
    // The device rectangle Render may touch.
    CRect RenderBounds(const char* text, int length, double x, double y, double angle) const;
    // The family the face name resolves to.
    static std::string ResolveFamily(const char* faceName, BYTE pitchAndFamily);

    struct Face;  // the font underneath, known only to the font code

  private:
    std::shared_ptr<const Face> m_face;
};
