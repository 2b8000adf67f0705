#pragma once

#include <functional>
#include <vector>

#include "platform/base/CString.h"

// The ticks of a ruler: a labelled major tick every step of the document's unit, ten minor
// intervals between them (the middle one longer), in the plan view's logical units.
struct RulerTick {
    int position;  // from the start of the ruler's tick area
    int length;
    CString label;   // empty on minor ticks
    int major = -1;  // labelled steps from the origin; -1 on minor ticks
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
// spacing or plus labelReach, whichever is more; offset is where the layout origin lies from
// the start of the tick area. A label ends labelReach or less before its tick.
std::vector<RulerTick> MakeRulerTicks(double unitLength, double offset, int extent, int labelReach);
// The longest label a tick area of extent can show: the one of the last labelled step that
// MakeRulerTicks could make for it.
CString LongestRulerLabel(double unitLength, double offset, int extent);
// Zoomed out, labels stand closer than they are wide: keeps the label of only every n-th
// labelled step from the origin, n the first of 1, 2, 5, 10, 20, 50 ... that leaves
// kRulerLabelSpace between the widest label and the next.
void DropCrowdedLabels(std::vector<RulerTick>& ticks, const std::function<int(const CString&)>& labelWidth);
inline constexpr int kRulerLabelSpace = 20;  // 2 mm
// How far before the tick area a tick may lie and still touch its first pixel.
inline constexpr double kRulerLead = 10.0;
