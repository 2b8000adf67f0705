#pragma once

#include <array>

#include "model/CEditStep.h"
#include "model/Geometry.h"

// The step kinds that set the points of a dimension line and of a dimension angle.
constexpr int kStepDimensionLine = 44;
constexpr int kStepDimensionAngle = 45;

// Points 1 to 3 of a dimension line (kind 44), local, and its label flag.
struct DimensionLinePayload : CStepPayload {
    std::array<CDoublePoint, 3> points{};
    int label = 1;
};

// Points 1 to 4 of a dimension angle (kind 45), local, and its label flag.
struct DimensionAnglePayload : CStepPayload {
    std::array<CDoublePoint, 4> points{};
    int label = 1;
};
