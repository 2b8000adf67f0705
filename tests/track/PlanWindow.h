#pragma once

#include <cstdint>
#include <vector>

#include "model/CCVNDoc.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

// The drawing buffer of a plan window: a memory DC in the plan's mapping with the page's top
// left corner at the window's, repainted whole as the plan window repaints.
class PlanWindow {
  public:
    PlanWindow(int width, int height);

    // The zoom of "Fit To Screen": the largest 1/n at which the whole page fits.
    double FittingZoom(const CCVNDoc& doc) const;
    // The engine is told the zoom, the window filled with the background, the selection marks
    // and the whole layout drawn.
    void Repaint(CCVNDoc& doc, double zoom);
    // Only the part of the window within area (logical units) is filled and drawn again, as a
    // scroll or an edit repaints what it uncovered.
    void RepaintArea(CCVNDoc& doc, double zoom, const CRect& area);
    // The part of the window within area is filled and only the selection drawn on it.
    void RepaintSelection(CCVNDoc& doc, double zoom, const CRect& area);
    // The window's rectangle in logical units.
    const CRect& Client() const { return m_client; }
    // A digest of every pixel of the window.
    std::uint64_t PictureDigest() const;
    // Every pixel of the window, row by row.
    std::vector<std::uint32_t> Pixels() const;
    CDC& DC() { return m_dc; }

  private:
    void Paint(CCVNDoc& doc, double zoom, const CRect& area, bool layout);

    CDC m_dc;
    CBitmap m_bitmap;
    CRect m_client;
};
