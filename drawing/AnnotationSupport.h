#pragma once

#include <span>
#include <vector>

#include "model/CPaint.h"

class CArchive;
class CPieceStatusText;

// What the annotation classes share beyond the drawing shapes: the outline points their
// records carry, the undo point of a corner press and snapping to their corners.
namespace annotation {

// Files before version 7 carry no point array in the common part: five outline points are
// added before the class's own are read. A record with fewer than count points gets them too.
void PrepareOutlinePoints(CPointArray& points, int fileVersion, int count);
// The outline points in the record's order: written, or read after they were prepared, each
// coordinate held within the layout's reach.
void SerializeOutlinePoints(CArchive& ar, CPointArray& points, int fileVersion, std::span<const int> order,
                            int count);
// Pushes the undo point of a press on a corner handle: a geometry step holding the corner
// where it lies, so that Undo puts it back exactly there.
void PushCornerUndo(CPaint& shape, const CPose& frame, int handle);
// At a press on the body: the corner that a rescale moves, the anchor corner in the parent's
// frame and the pose, kept for a group resize.
void SaveRescaleReferences(CPaint& shape, int movedCorner, int anchorCorner);
// A rescale step on a box whose anchor corner stays: the moved corner goes f times as far from
// it, its neighbours follow, the origin moves with the parent's frame. 0 when the shape does not
// scale with the document.
int RescaleBoxCorner(CPaint& shape, CEditStep* step, int movedCorner, int anchorCorner);
// The vector from a world point to the nearest corner; the outputs stay without corners.
void SnapToNearestCorner(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& corners,
                         double x, double y, double& vectorX, double& vectorY);
// The smallest snap correction of the corners; the outputs stay without corners.
void SmallestCornerCorrection(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& corners,
                              double& x, double& y);
// A press on the rotation handle: the pose is kept and the turn pivots on the middle of two
// opposite corners.
void BeginBoxRotation(CPaint& shape, const CPose& frame, int corner, int oppositeCorner);
// A drag of a corner handle: the corner goes to the cursor, its neighbours follow, the bounds
// are taken again.
void DragBoxCorner(CPaint& shape, const CPose* pose, const CPose& frame, int handle);
// The status every annotation shows: its kind and name, two of its points in the world and its
// turn. The rest of the status is the caller's.
CPieceStatusText& ShowStatus(CPaint& shape, const CPose& frame, CDoublePoint first, CDoublePoint second,
                             int kind);
// The status of a box: the common one with its height and width.
void ShowBoxStatus(CPaint& shape, const CPose& frame, CDoublePoint first, CDoublePoint second, double height,
                   double width, int kind);
// A flip across the line x = c (axis x) or y = c (axis y): the origin and the turn with the
// points from 1 on; the rotation handle (point 0) keeps its place until it is drawn again.
void MirrorPoints(CPaint& shape, double c, double CDoublePoint::*axis);
// Whether the engine's cursor lies strictly inside the box of two opposite local corners.
bool CursorInsideBox(const CPaint& shape, CDoublePoint corner, CDoublePoint opposite);
// After a change of the points: the bounds taken again and the plan under them redrawn.
void RefreshBounds(CPaint& shape, const CPose* pose);

}  // namespace annotation
