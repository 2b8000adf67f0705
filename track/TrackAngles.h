#pragma once

// Angles as the track code computes them, with the program's own pi.

// The direction of (dx, dy): +pi/2 or -pi/2 when dx is exactly 0 (-pi/2 also for a zero
// vector), else the quadrant-correct arc tangent.
double TrackDirection(double dx, double dy);
// The same brought into [0, 2 pi).
double PolarAngle(double dx, double dy);
// Brought into [0, 2 pi) by whole turns; a value that is not finite stays as it is.
double ReduceAngle(double angle);
// Whether two directions in [0, 2 pi) differ by less than the tolerance, directly or
// across the 0/2 pi seam.
bool SameDirection(double a, double b, double tolerance);
// Whether the angle lies in the arc from low to high, measured in whole turns below it.
int AngleInArc(double angle, double low, double high);
// An angle as the dialogs show it: radians / 3.1415926535 x 180, rounded to three decimals
// by the fourth.
double ShownDegrees(double radians);
