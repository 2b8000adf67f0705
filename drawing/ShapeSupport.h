#pragma once

#include <functional>
#include <span>
#include <vector>

#include "model/CPaint.h"
#include "model/CPlacement.h"
#include "platform/gdi/CPoint.h"

class CDC;
class CEditStep;
struct RescalePayload;

// What the drawing shapes share: device mapping that refuses points no device can hold,
// outline colour, handle visibility, fills, rubber-band tests, status texts and the choice
// between recording an edit step for undo and running it at once.
namespace shape {

// The outline colour of a shape being created or dragged.
constexpr COLORREF kDragColor = RGB(255, 28, 164);
// The dotted lines of control boxes and tangents.
constexpr COLORREF kControlColor = RGB(14, 173, 201);

bool IsBandSet(const DeviceRect& band);
// The device point of a local point; false when the point is not finite or lies beyond
// what a device coordinate holds, so that the shape is not drawn or hit.
bool ToDevice(const CTool& tool, const CPlacement& placement, CDoublePoint local, CPoint& device);
// All points of a local outline on the device, or false as above.
bool OutlineToDevice(const CTool& tool, const CPlacement& placement, const std::vector<CDoublePoint>& local,
                     std::vector<CPoint>& device);
// The world bounding box of local points; the outputs are left when there are none.
void WorldBounds(const CPlacement& placement, const std::vector<CDoublePoint>& local, double& minX,
                 double& minY, double& maxX, double& maxY);
COLORREF OutlineColor(CPaint& shape);
// Handles show on a selected shape on screen, except while it is dragged or just pressed.
bool ShowsHandles(CPaint& shape);
// Fills a closed device outline by the shape's fill rule, when its fill is on and it is idle.
void FillOutline(CPaint& shape, CDC& dc, const std::vector<CPoint>& outline);
// Whether a rubber band holds a device point or crosses one of the outline's edges.
bool BandHits(const DeviceRect& band, const std::vector<CPoint>& outline, bool closed);
// The rubber-band test of device points kept from the last drawing.
bool BandHitsDevicePoints(const CTool& tool, const CPoint* points, int count, bool closed);
// Keeps the device samples of an outline drawn on screen for the hit tests; a printed page has
// its own mapping and keeps nothing.
void KeepScreenSamples(const CTool& tool, const std::vector<CPoint>& samples, std::span<CPoint> kept,
                       int& count);
// The hit test of a shape kept as device samples: a rubber band tests the samples on a visible
// layer; else the cursor must lie in the shape's bounds and on the shape by its own test.
CPaint* SampledHitTest(CPaint& shape, std::span<const CPoint> samples, bool closed,
                       const std::function<bool()>& cursorHits);
// Runs the rubber-band test of a local outline under the shape's own parent pose.
bool BandHitsShape(CPaint& shape, const std::vector<CDoublePoint>& local, bool closed);
// Whether the cursor lies within the handle tolerance of one edge of a local outline.
bool CursorOnOutline(CPaint& shape, const std::vector<CDoublePoint>& local, bool closed);

// Whether a local point lies in the square handle of half-size t about a handle point, every
// coordinate truncated toward zero, the right and bottom edges left out.
bool HandleHolds(CDoublePoint handle, double t, CDoublePoint local);
// The first handle, in the order given, whose square at the engine's tolerance holds a world
// point; -1 for none.
int HandleAtPoint(CPaint& shape, const CPose& frame, double x, double y, std::span<const int> order);

// Whether a point lies inside a closed outline by the winding rule.
bool WindingHolds(const std::vector<CDoublePoint>& outline, CDoublePoint p);

// The square handles of corners 1 to 4 and the cross of the rotation handle, placed again.
void DrawBoxHandles(CPaint& shape, const CPose& frame);
// The vector from a world point to the nearest of the local points taken to the world;
// an earlier point wins a tie. False when there are none.
bool NearestPointVector(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& local, double x,
                        double y, CDoublePoint& vector);
// The smallest snap correction of the local points taken to the world; an earlier point
// wins a tie. False when there are none.
bool SmallestSnapCorrection(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& local,
                            CDoublePoint& correction);
// The common end of a creation or edit of the shapes that fit their box afterwards: a move
// with the selection ends as any object's; else the tool may return to the selector.
void EndEdit(CPaint& shape, const CPose* pose, int handle);

// Status texts in the document's unit: a length, and a world point with y shown upward.
CString LengthText(CTool* tool, double length);
CString PointText(CTool* tool, CDoublePoint world);
// Tenths of a millimetre per unit of the document's unit.
double UnitSize(CTool* tool);
// An angle in degrees in [0, 360) from radians.
double Degrees(double angle);

// Moves corner 1 to 4 of a four-corner outline to a local point, its two neighbours following
// (1-2 and 3-4 share x, 1-4 and 2-3 share y).
void PlaceBoxCorner(CPointArray& points, int handle, CDoublePoint local);

// A box by its first corner (x1, y1) and its diagonal corner (x2, y2), in either order.
struct BoxFrame {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};
// A point of one box carried proportionally into another: x from the first corners, y from
// the second; a box of no width or height puts every point on that first x or second y.
CDoublePoint MapBetweenBoxes(CDoublePoint p, const BoxFrame& from, const BoxFrame& to);
// The bounding box of points, first corner (least x, greatest y), second (greatest x, least y).
BoxFrame BoundingFrame(const std::vector<CDoublePoint>& points);
// The four corners of a box: first, (x2, y1), second, (x1, y2).
std::vector<CDoublePoint> FrameCorners(const BoxFrame& box);
// The box around the control points of a shape being drawn or dragged, dotted.
void DrawControlBox(CPaint& shape, const CPose& frame, const BoxFrame& box);
// Fits a reference box to new bounds and moves the local box's edges by the same change
// seen through the old mapping, so that what is drawn does not move.
void RefitFrames(BoxFrame& local, BoxFrame& reference, const BoxFrame& bounds);

// At a press on the body: the point a rescale moves, local, and its anchor taken to the
// parent's frame, kept for a group resize.
void KeepRescalePoints(CPaint& shape, CDoublePoint moved, CDoublePoint anchor);
// The rescale payload of a step, or null when there is none or the shape keeps its size.
const RescalePayload* RescaleOf(const CPaint& shape, CEditStep* step);
// The point a rescale step puts f times as far from a local anchor as the rescale point (ax, ay).
CDoublePoint RescaledFrom(const RescalePayload& rescale, CDoublePoint anchor);
// The origin a rescale step gives: the saved one moved away from the parent frame's origin by
// the factor, as the group's own origin and every other piece.
void MoveOriginForRescale(CPaint& shape, const RescalePayload& rescale);

// A press on the rotation handle: the pose is kept and the turn pivots on a local point.
void BeginRotationAbout(CPaint& shape, const CPose& frame, CDoublePoint pivot);
// The same pivoting on the middle of two local points.
void BeginRotationBetween(CPaint& shape, const CPose& frame, CDoublePoint a, CDoublePoint b);

}  // namespace shape
