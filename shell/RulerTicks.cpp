#include "shell/RulerTicks.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 12> kTickSteps = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
constexpr double kMinimumSpacing = 60.0;  // 6 mm on the screen
constexpr double kFallbackStep = 2000.0;
constexpr int kMajorLength = 20;
constexpr int kHalfLength = 10;
constexpr int kMinorLength = 5;
constexpr int kMinorPerMajor = 10;
// Far more labelled steps than a plan can scroll past; keeps the tick index an int.
constexpr double kMostMajors = 1e8;
// Far wider than any label, in logical units.
constexpr double kLabelReach = 32000.0;
constexpr int kMostLabelStride = 100000000;

// Finest first: the table read backwards as divisors, then from its second entry as multipliers.
std::vector<double> CandidateSteps() {
    std::vector<double> steps;
    for (auto divisor = kTickSteps.rbegin(); divisor != kTickSteps.rend(); ++divisor)
        steps.push_back(1.0 / *divisor);
    for (size_t i = 1; i < kTickSteps.size() - 1; ++i) steps.push_back(kTickSteps[i]);
    return steps;
}

int LabelDecimals(double step) {
    int n = static_cast<int>(std::trunc(step * 1000.0));
    int zeros = 0;
    while (zeros < 3 && n % 10 == 0) {
        n /= 10;
        ++zeros;
    }
    return 3 - zeros;
}

// The first of 1, 2, 5, 10, 20, 50 ... at least steps; the numbers shown stay round.
int LabelStride(double steps) {
    for (int decade = 1; decade < kMostLabelStride; decade *= 10)
        for (int factor : {1, 2, 5})
            if (factor * decade >= steps)
                return factor * decade;
    return kMostLabelStride;
}

int TickLength(int k) {
    if (k % kMinorPerMajor == 0)
        return kMajorLength;
    return k % 5 == 0 ? kHalfLength : kMinorLength;
}

}  // namespace

RulerStep ChooseRulerStep(double unitLength) {
    double chosen = kFallbackStep;
    for (double step : CandidateSteps())
        if (unitLength * step > kMinimumSpacing) {
            chosen = step;
            break;
        }
    return {chosen, LabelDecimals(chosen)};
}

CString FormatRulerLabel(double value, int decimals) {
    CString format;
    format.Format("%%.%df", decimals);
    CString label;
    label.Format(format.c_str(), value);
    return label;
}

CString LongestRulerLabel(double unitLength, double offset, int extent) {
    const RulerStep step = ChooseRulerStep(unitLength);
    const double majorSpacing = unitLength * step.step;
    const double steps = std::floor((extent + kLabelReach - offset) / majorSpacing);
    if (!(steps > 0.0))
        return FormatRulerLabel(0.0, step.decimals);
    return FormatRulerLabel(std::min(steps, kMostMajors) * step.step, step.decimals);
}

std::vector<RulerTick> MakeRulerTicks(double unitLength, double offset, int extent, int labelReach) {
    const RulerStep step = ChooseRulerStep(unitLength);
    const double majorSpacing = unitLength * step.step;
    const double minorSpacing = majorSpacing * 0.1;
    std::vector<RulerTick> ticks;
    // Ticks closer than one logical unit cannot be told apart.
    if (!(minorSpacing >= 1.0))
        return ticks;
    // Labels are running sums of the step, as the ruler always made them; the labelled ticks
    // before the area only add to the sum.
    const double skipped = std::floor((-offset - kRulerLead) / majorSpacing);
    const int firstMajor = skipped > 0.0 ? static_cast<int>(std::min(skipped, kMostMajors)) : 0;
    double value = 0.0;
    for (int m = 0; m < firstMajor; ++m) value += step.step;
    const int firstTick = firstMajor * kMinorPerMajor;
    // Ticks after the area only bring their labels into it; zoomed out, labels are wider than
    // a labelled spacing and reach in from further ticks.
    const double reach = std::max(majorSpacing, static_cast<double>(labelReach));
    const double end = extent + std::min(reach, kLabelReach);
    // The first tick lies less than a labelled spacing and the lead before the area.
    const int tickCount = static_cast<int>((end + majorSpacing + kRulerLead) / minorSpacing) + 1;
    for (int k = firstTick; k < firstTick + tickCount; ++k) {
        const double position = offset + k * minorSpacing;
        if (position >= end)
            break;
        RulerTick tick{static_cast<int>(position), TickLength(k), CString()};
        if (k % kMinorPerMajor == 0) {
            tick.label = FormatRulerLabel(value, step.decimals);
            tick.major = k / kMinorPerMajor;
            value += step.step;
        }
        ticks.push_back(tick);
    }
    return ticks;
}

void DropCrowdedLabels(std::vector<RulerTick>& ticks, const std::function<int(const CString&)>& labelWidth) {
    int widest = 0;
    int spacing = 0;
    const RulerTick* previous = nullptr;
    for (const RulerTick& tick : ticks) {
        if (tick.major < 0)
            continue;
        widest = std::max(widest, labelWidth(tick.label));
        const int apart = previous != nullptr ? tick.position - previous->position : 0;
        if (apart > 0 && (spacing == 0 || apart < spacing))
            spacing = apart;
        previous = &tick;
    }
    if (spacing == 0)
        return;
    // Every label ends the same way before its tick: n steps leave n spacings less the width.
    const int stride = LabelStride(static_cast<double>(widest + kRulerLabelSpace) / spacing);
    for (RulerTick& tick : ticks)
        if (tick.major >= 0 && tick.major % stride != 0)
            tick.label.Empty();
}
