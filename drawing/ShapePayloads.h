#pragma once

#include <vector>

#include "model/CEditStep.h"
#include "model/Geometry.h"

// The shape of an arc or oval (kind 39), local. An undo point also carries the whole point
// array, so that undoing a handle drag gives back the handles exactly as they lay.
struct ArcShapePayload : CStepPayload {
    double radiusX = 0.0, radiusY = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
    double centreX = 0.0, centreY = 0.0;
    int oval = 0;
    std::vector<CDoublePoint> points;
};

// The radius of a rounded box and the box it was set on (kind 39), local.
struct CornerRadiusPayload : CStepPayload {
    double radius = 0.0;
    double referenceX1 = 0.0, referenceY1 = 0.0;
    double referenceX3 = 0.0, referenceY3 = 0.0;
};

// The whole outline of a spline: its points and the two boxes they are mapped between.
struct SplineShapePayload : CStepPayload {
    std::vector<CDoublePoint> points;
    double corners[4] = {};
    double reference[4] = {};
};

// The step kind that reshapes a shape by its own payload.
constexpr int kStepShape = 39;
