#pragma once

#include "model/CEditStep.h"
#include "model/CPointArray.h"

class CTool;

// Both ends of a straight piece (kind 40), local.
struct TrackEndsPayload : CStepPayload {
    double firstX = 0.0, firstY = 0.0;
    double secondX = 0.0, secondY = 0.0;
};

// The arc of a circular piece (kind 41): centre local, start angle local in [0, 2 pi).
struct CircularArcPayload : CStepPayload {
    double centreX = 0.0, centreY = 0.0;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
};

// The connected-end markers of a piece (kind 50), local.
struct JointMarkersPayload : CStepPayload {
    CDoublePoint begin;
    CDoublePoint end;
};

// The shape steps of the elliptic arc and of the spline.
constexpr int kStepSetEllipticArc = 42;
constexpr int kStepSetControlPoints = 43;

// The arc of an elliptic piece (kind 42): centre local, start angle local in [0, 2 pi).
struct EllipticArcPayload : CStepPayload {
    double radiusX = 0.0, radiusY = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
    double centreX = 0.0, centreY = 0.0;
};

// The control points of a spline piece (kind 43), local, from the first knot on.
struct ControlPointsPayload : CStepPayload {
    CPointArray points;
};

// The cut step's data block holds up to two doubles.
void WriteCutData(CutTrackPayload& payload, double first, double second);
double ReadCutData(const CutTrackPayload& payload, int index);

// Whether single-use tools fall back to the selector (Caps Lock on).
bool ReturnsToSelector(const CTool* tool);
