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
// The ticks that can show in a tick area of extent: from the last labelled tick at least
// kRulerLead before the area's start, while they fall short of extent plus one labelled
// spacing; offset is where the layout origin lies from the start of the tick area.
std::vector<RulerTick> MakeRulerTicks(double unitLength, double offset, int extent);
// How far before the tick area a tick may lie and still touch its first pixel.
inline constexpr double kRulerLead = 10.0;
