#include "view3d/CrossBox.h"

#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"

void DrawCrossBox(const CTool& tool, const CPlacement& placement, const std::vector<CDoublePoint>& corners) {
    std::vector<CPoint> box;
    if (!shape::OutlineToDevice(tool, placement, corners, box))
        return;
    CDC& dc = *tool.GetTargetDC();
    dc.MoveTo(box.back());
    for (const CPoint& corner : box) dc.LineTo(corner);
    dc.MoveTo(box[0]);
    dc.LineTo(box[2]);
    dc.MoveTo(box[1]);
    dc.LineTo(box[3]);
}
