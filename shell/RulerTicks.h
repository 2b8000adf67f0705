#pragma once

#include <vector>

#include "platform/base/CString.h"

// The ticks of a ruler: a labelled major tick every step of the document's unit, ten minor
// intervals between them (the middle one longer), in the plan view's logical units.
struct RulerTick {
    int position;  // from the start of the ruler's tick area
    int length;
    CString label;  // empty on minor ticks
};

struct RulerStep {
    double step;   // units between labelled ticks
    int decimals;  // of the labels
};

// unitLength: one unit of the document in logical units at the view's zoom.
RulerStep ChooseRulerStep(double unitLength);
CString FormatRulerLabel(double value, int decimals);
// Ticks from the layout origin while they fall short of extent plus one labelled spacing;
// offset is where the origin lies from the start of the tick area.
std::vector<RulerTick> MakeRulerTicks(double unitLength, double offset, int extent);
