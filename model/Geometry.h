#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

struct DeviceRect;

// A point of the layout, in tenths of a millimetre. Also the record of a point array, whose
// stored form is these two doubles in this order.
struct CDoublePoint {
    double x = 0.0;
    double y = 0.0;

    bool operator==(const CDoublePoint&) const = default;
};

// Points of an object's own frame that, once placed, move by an offset along the axes of the
// frame they are placed into: a label that keeps its size on the screen however it is turned.
struct COffsetOutline {
    CDoublePoint offset;
    std::vector<CDoublePoint> points;
};

// (px, py) turned about (cx, cy) by the angle, counter-clockwise with y up.
CDoublePoint RotatePoint(double cx, double cy, double angle, double px, double py);

double VectorLength(double dx, double dy);

// The grid correction of one coordinate: to the nearest line, halves away from zero. A step
// that is not positive (a bad file or page) leaves the coordinate where it is.
double GridCorrection(double value, double step);

// Coordinates turned into ints stay within the 28-bit range GDI draws in, so that arithmetic
// on them (handles, margins, pen widths) cannot overflow.
constexpr int kLargestIntCoordinate = 1 << 27;

// The coordinate truncated toward zero into that range: held at its ends, 0 when not a number.
// Inline, as drawing maps every point through it.
inline int TruncateCoordinate(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double kLargest = kLargestIntCoordinate;
    return static_cast<int>(std::clamp(value, -kLargest, kLargest));
}

// The angle brought into [0, full turn) by whole turns of the program's own size.
double NormalizeAngle(double angle);

// The direction of the ray from point 0 to point 1 minus that of the ray from point 0 to
// point 2, not normalised.
double AngleBetween(double x0, double y0, double x1, double y1, double x2, double y2);

// Whether the segment crosses or touches a side of the rectangle; a segment wholly inside
// does not count.
int SegmentIntersectsRect(int x1, int y1, int x2, int y2, const DeviceRect& rect);
