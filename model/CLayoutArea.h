#pragma once

#include "model/PaintRecords.h"

class CViewMapping;

// An area of the layout in layout units, and a margin in device units around it: the parts drawn
// at one size at every zoom (handles, labels) reach that far past it in any view. Each view maps
// it with its own mapping.
class CLayoutArea {
  public:
    CLayoutArea() = default;
    CLayoutArea(double minX, double minY, double maxX, double maxY, int margin);
    // A device rectangle of a view, in layout units.
    static CLayoutArea FromDevice(const DeviceRect& rect, const CViewMapping& mapping);

    bool IsEmpty() const { return m_bEmpty; }
    void SetEmpty() { *this = CLayoutArea(); }
    int Margin() const { return m_nMargin; }
    // Takes in another area; an empty one adds nothing.
    void Unite(const CLayoutArea& other);
    // Takes in a point the parts of the margin hang from, and how far they reach from it.
    void HangFrom(double x, double y, int reach);
    // The device rectangle the area covers in a view: empty for an empty area.
    DeviceRect In(const CViewMapping& mapping) const;

  private:
    bool m_bEmpty = true;
    double m_fMinX = 0.0, m_fMinY = 0.0, m_fMaxX = 0.0, m_fMaxY = 0.0;
    int m_nMargin = 0;
};
