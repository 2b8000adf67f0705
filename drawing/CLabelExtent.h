#pragma once

#include "drawing/DimensionDrawing.h"
#include "model/PaintRecords.h"
#include "platform/gdi/GdiTypes.h"

class CLabelFont;

// The box a dimension's label covers, measured once for its font, turn and text and moved with
// the label's point: a dimension asks for it on every redraw of the plan under it.
class CLabelExtent {
  public:
    // The box dimension::LabelBounds gives for the label line.
    DeviceRect Bounds(const CLabelFont& font, int escapement, const dimension::LabelLine& line);
    // How many times a label was measured.
    int MeasureCount() const { return m_nMeasured; }

  private:
    bool Holds(const LOGFONT& description, int escapement, const CString& text) const;

    LOGFONT m_description{};
    int m_nEscapement = 0;
    CString m_strText;
    // The box of the label at the origin.
    DeviceRect m_box{};
    int m_nMeasured = 0;
};
