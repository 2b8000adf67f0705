#pragma once

#include <array>
#include <initializer_list>
#include <vector>

#include "model/Geometry.h"
#include "model/PaintRecords.h"
#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"
#include "platform/gdi/GdiTypes.h"

class CDC;
class CLabelFont;
class CPaint;
class CPen;
class CPlacement;
class CTool;

// What the dimension line and the dimension angle draw alike: their two pens, the arrowheads,
// when the label shows and, with the measures, the label text.
namespace dimension {

// The frames: with the label flag clear a black one-pixel line, else the pen's style and
// colour (the editing colour while dragged) at the frame width.
void CreateFramePen(CPaint& shape, CDC& dc, bool labelled, CPen& pen);
// The dimension line or arc: as the frames, at the pen's width.
void CreateLinePen(CPaint& shape, CDC& dc, bool labelled, CPen& pen);
// Layout units per device pixel at the engine's zoom.
double UnitsPerPixel(const CTool& tool);
// An arrowhead length or half-width in whole layout units for its picker index (10, 15 or
// 20 pixels); 0 without arrowheads.
double ArrowSize(const CPaint& shape, int index);
// Wing 1, tip, wing 2 on the device: two strokes, or with the filled style a closed
// outline filled with the brush selected. Nothing without arrowheads.
void DrawArrowhead(const CPaint& shape, CDC& dc, const std::array<CPoint, 3>& head);
// The label hides on a selected object while the selection is being turned.
bool ShowsLabel(CPaint& shape, int labelFlag);
// One line of a label: its text at a device point.
struct LabelLine {
    CPoint at;
    CString text;
};
// Label lines in one colour, in the label font turned by an escapement in tenths of a degree.
void DrawLabelText(CDC& dc, const CLabelFont& font, int escapement, COLORREF colour,
                   std::initializer_list<LabelLine> lines);
// The box a label line covers as the plan draws it, in its logical units (tenths of a
// millimetre, y up): the label's text has its own size on the screen, not the layout's.
DeviceRect LabelBounds(const CLabelFont& font, int escapement, const LabelLine& line);
// In a black pen: circles on the local points given, then a cross on the rotation handle when
// there is one. A point off the device is left out.
void DrawHandleMarkers(CPaint& shape, const CPlacement& placement, const std::vector<CDoublePoint>& circles,
                       const CDoublePoint* rotationHandle);

}  // namespace dimension
