#pragma once

#include "model/CPlacement.h"

class CTool;

// The Ctrl drag that raises a 3D object, 3D bitmap or camera: the cursor is projected onto the
// line through the grabbed point and its reference point, and the distance along that line
// from the grabbed point is added to the height the drag started from.
namespace height_drag {

// The signed distance along the line from the grabbed point, positive away from the
// reference point; false while the cursor lies within the dead zone of the grabbed point.
bool DistanceAlong(CDoublePoint cursor, CDoublePoint grabbed, CDoublePoint reference, double deadZone,
                   double& distance);

// The dead zone of a drag: a third of the handle size in plan units.
double DeadZone(const CTool& tool);

// Shows "h=" and the height in the document's unit beside the drag, its line from the grabbed
// point to the reference point (world points).
void ShowHeightHint(CTool& tool, double height, CDoublePoint grabbed, CDoublePoint reference);

}  // namespace height_drag
