#pragma once

#include <vector>

#include "model/Geometry.h"

class CPlacement;
class CTool;

// The plan's stand-in for a 3D shape: the outline of its corners with both diagonals, in the
// pen the tool's target DC holds.
void DrawCrossBox(const CTool& tool, const CPlacement& placement, const std::vector<CDoublePoint>& corners);
