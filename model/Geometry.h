#pragma once

// A point of the layout, in tenths of a millimetre. Also the record of a point array, whose
// stored form is these two doubles in this order.
struct CDoublePoint {
    double x = 0.0;
    double y = 0.0;

    bool operator==(const CDoublePoint&) const = default;
};

// (px, py) turned about (cx, cy) by the angle, counter-clockwise with y up.
CDoublePoint RotatePoint(double cx, double cy, double angle, double px, double py);

double VectorLength(double dx, double dy);

// The angle brought into [0, full turn) by whole turns of the program's own size.
double NormalizeAngle(double angle);
