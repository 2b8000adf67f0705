#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "model/Units.h"
#include "shell/RulerTicks.h"

namespace {

constexpr int kInches = 4;
constexpr int kMetres = 6;
constexpr int kCentimetres = 7;
constexpr int kMillimetres = 8;
constexpr int kFeet = 1;

// One unit in logical units at the engine's zoom numerator / denominator.
double UnitLength(int unit, double numerator, double denominator) {
    return UnitTable[unit].size / denominator * numerator;
}

// The ruler's ticks as they were made before only those near the area were: every one from
// the origin, each label the running sum of the step.
std::vector<RulerTick> TicksFromTheOrigin(double unitLength, double offset, int extent) {
    const RulerStep step = ChooseRulerStep(unitLength);
    const double majorSpacing = unitLength * step.step;
    const double minorSpacing = majorSpacing * 0.1;
    std::vector<RulerTick> ticks;
    double value = 0.0;
    for (int k = 0; offset + k * minorSpacing < extent + majorSpacing; ++k) {
        const double position = offset + k * minorSpacing;
        const int length = k % 10 == 0 ? 20 : (k % 5 == 0 ? 10 : 5);
        RulerTick tick{static_cast<int>(position), length, CString()};
        if (k % 10 == 0) {
            tick.label = FormatRulerLabel(value, step.decimals);
            value += step.step;
        }
        ticks.push_back(tick);
    }
    return ticks;
}

bool SameTick(const RulerTick& a, const RulerTick& b) {
    return a.position == b.position && a.length == b.length && a.label == b.label;
}

std::vector<CString> Labels(const std::vector<RulerTick>& ticks) {
    std::vector<CString> labels;
    for (const RulerTick& tick : ticks)
        if (!tick.label.IsEmpty())
            labels.push_back(tick.label);
    return labels;
}

}  // namespace

TEST(RulerTicks, TheLabelledStepIsTheFirstWiderThanSixMillimetres) {
    EXPECT_EQ(ChooseRulerStep(100.0).step, 1.0);
    // Two steps of 30 make exactly 60, which is not wider than 60.
    EXPECT_EQ(ChooseRulerStep(30.0).step, 5.0);
    EXPECT_EQ(ChooseRulerStep(100000.0).step, 0.001);
    EXPECT_EQ(ChooseRulerStep(100000.0).decimals, 3);
    // The finest steps give trunc(step x 1000) = 0, labelled without decimals.
    EXPECT_EQ(ChooseRulerStep(500000.0).step, 1.0 / 5000.0);
    EXPECT_EQ(ChooseRulerStep(500000.0).decimals, 0);
    EXPECT_EQ(ChooseRulerStep(0.01).step, 2000.0);

    // Units and zooms as a plan window meets them.
    const RulerStep inchesAtStart = ChooseRulerStep(UnitLength(kInches, 1.0, 10.0));
    EXPECT_EQ(inchesAtStart.step, 5.0);
    EXPECT_EQ(inchesAtStart.decimals, 0);
    EXPECT_EQ(ChooseRulerStep(UnitLength(kCentimetres, 1.0, 10.0)).step, 10.0);
    EXPECT_EQ(ChooseRulerStep(UnitLength(kMillimetres, 1.0, 10.0)).step, 100.0);
    const RulerStep metres = ChooseRulerStep(UnitLength(kMetres, 1.0, 10.0));
    EXPECT_DOUBLE_EQ(metres.step, 0.1);
    EXPECT_EQ(metres.decimals, 1);
    const RulerStep feetZoomedIn = ChooseRulerStep(UnitLength(kFeet, 8.0, 10.0));
    EXPECT_DOUBLE_EQ(feetZoomedIn.step, 0.05);
    EXPECT_EQ(feetZoomedIn.decimals, 2);
    EXPECT_EQ(FormatRulerLabel(2.5, 1), "2.5");
    EXPECT_EQ(FormatRulerLabel(0.125, 3), "0.125");
    EXPECT_EQ(FormatRulerLabel(5.0, 0), "5");
}

TEST(RulerTicks, TenMinorIntervalsPerLabelledStepWithALongerMiddleOne) {
    // An inch of 100 logical units: labels every inch, half ticks at 50, minor every 10.
    const std::vector<RulerTick> ticks = MakeRulerTicks(100.0, 0.0, 300, 0);
    ASSERT_EQ(ticks.size(), 40u);
    for (size_t k = 0; k < ticks.size(); ++k) {
        EXPECT_EQ(ticks[k].position, static_cast<int>(k) * 10);
        const int expected = k % 10 == 0 ? 20 : (k % 5 == 0 ? 10 : 5);
        EXPECT_EQ(ticks[k].length, expected) << k;
    }
    EXPECT_EQ(Labels(ticks), (std::vector<CString>{"0", "1", "2", "3"}));

    // Scrolled by 150: the origin lies before the area; the ticks start at the last label
    // ten units or more before it and the labels go on from there.
    const std::vector<RulerTick> scrolled = MakeRulerTicks(100.0, -150.0, 300, 0);
    EXPECT_EQ(scrolled.front().position, -50);
    EXPECT_EQ(scrolled[5].position, 0);
    EXPECT_EQ(scrolled[5].length, 10);
    EXPECT_EQ(Labels(scrolled), (std::vector<CString>{"1", "2", "3", "4", "5"}));

    // Metres at the starting zoom: labels in tenths, one decimal.
    const std::vector<CString> metres = Labels(MakeRulerTicks(UnitLength(kMetres, 1.0, 10.0), 0.0, 250, 0));
    EXPECT_EQ(metres, (std::vector<CString>{"0.0", "0.1", "0.2", "0.3"}));
    EXPECT_TRUE(MakeRulerTicks(0.0, 0.0, 300, 0).empty());
}

// A unit too small to tell its ticks apart, or no number at all, gives no ticks; a huge one
// gives the origin's labelled tick alone; scrolled as far as an int goes, the ticks still only
// cover the area.
TEST(RulerTicks, ExtremeUnitsAndScrollsMakeOnlyTheTicksTheAreaCanShow) {
    constexpr int kExtent = 5080;
    for (double unit : {1e-300, 1e-6, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), -100.0})
        EXPECT_TRUE(MakeRulerTicks(unit, 0.0, kExtent, 0).empty()) << unit;
    const std::vector<RulerTick> huge = MakeRulerTicks(1e300, 0.0, kExtent, 0);
    ASSERT_EQ(huge.size(), 1u);
    EXPECT_EQ(huge.front().position, 0);
    EXPECT_EQ(huge.front().label, "0");
    for (double offset : {-2147483647.0, 2147483647.0}) {
        const std::vector<RulerTick> far = MakeRulerTicks(100.0, offset, kExtent, 0);
        EXPECT_LE(far.size(), static_cast<size_t>((kExtent + 2 * 100 + kRulerLead) / 10 + 1)) << offset;
    }
}

// Scrolled anywhere a plan can be, in every unit and at every zoom a plan window offers, the
// ruler makes the very ticks it made from the origin wherever they can touch the tick area, and
// at most ten more before it.
TEST(RulerTicks, OnlyTheTicksNearTheAreaAreMadeAndTheyAreTheTicksFromTheOrigin) {
    constexpr int kExtent = 5080;  // 1920 pixels
    for (int unit = 0; unit < kUnitCount; ++unit)
        for (double zoom = 1.0 / 64.0; zoom <= 64.0; zoom *= 2.0) {
            const double length = UnitLength(unit, zoom, 10.0);
            for (double scroll : {0.0, 3.0, 151.0, 9999.5, 84665.0, 250000.0}) {
                const std::vector<RulerTick> made = MakeRulerTicks(length, -scroll, kExtent, 0);
                const std::vector<RulerTick> all = TicksFromTheOrigin(length, -scroll, kExtent);
                ASSERT_FALSE(made.empty());
                ASSERT_LE(made.size(), all.size());
                const size_t first = all.size() - made.size();
                for (size_t i = 0; i < made.size(); ++i)
                    ASSERT_TRUE(SameTick(made[i], all[first + i])) << unit << " " << zoom << " " << scroll;
                for (size_t i = 0; i < first; ++i)
                    ASSERT_LT(all[i].position, -kRulerLead) << unit << " " << zoom << " " << scroll;
                const auto before = std::count_if(made.begin(), made.end(), [](const RulerTick& tick) {
                    return tick.position < -kRulerLead;
                });
                EXPECT_LE(before, 10) << unit << " " << zoom << " " << scroll;
                // No more than the area's width in minor ticks and a labelled step on either side.
                const double major = ChooseRulerStep(length).step * length;
                EXPECT_LE(made.size(), (kExtent + kRulerLead + 2 * major) / (major / 10) + 1);
            }
        }
}

// Zoomed out, long numbers stand closer than they are wide: only every n-th label stays, n the
// first of 1, 2, 5, 10 ... that keeps two millimetres between neighbours, counted from the
// origin so that the labels do not change as the plan scrolls. At the starting zoom every label
// stays.
TEST(RulerTicks, CrowdedLabelsKeepEveryFirstRoundNthThatLeavesSpace) {
    // An Arial digit of the ruler's 3.5 mm font is a little under 20 units wide.
    const auto width = [](const CString& label) { return 20 * label.GetLength(); };

    std::vector<RulerTick> atStart = MakeRulerTicks(UnitLength(kInches, 1.0, 10.0), 0.0, 5080, 0);
    const std::vector<CString> before = Labels(atStart);
    DropCrowdedLabels(atStart, width);
    EXPECT_EQ(Labels(atStart), before);

    // Inches this far out label every 200 units of the unit, 79 logical units apart.
    const double zoomedOut = UnitLength(kInches, 1.0 / 64.0, 10.0);
    for (double scroll : {84665.0, 84665.0 + 79.4 * 3}) {
        const std::vector<RulerTick> all = MakeRulerTicks(zoomedOut, -scroll, 5080, 0);
        std::vector<RulerTick> kept = all;
        DropCrowdedLabels(kept, width);
        ASSERT_EQ(kept.size(), all.size());
        std::vector<CString> shown;
        const RulerTick* last = nullptr;
        for (size_t i = 0; i < all.size(); ++i) {
            EXPECT_EQ(kept[i].position, all[i].position);
            if (kept[i].label.IsEmpty())
                continue;
            EXPECT_EQ(kept[i].label, all[i].label);
            shown.push_back(kept[i].label);
            if (last != nullptr) {
                const int space = kept[i].position - width(kept[i].label) - last->position;
                EXPECT_GE(space, kRulerLabelSpace) << kept[i].label;
            }
            last = &kept[i];
        }
        // Six-digit labels, 120 units wide, overlap at one step; two steps leave 158 - 120
        // units. So every other label stays: the multiples of 400, wherever the plan scrolled.
        ASSERT_GE(shown.size(), 8U);
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(std::atoi(shown[i].c_str()) % 400, 0) << shown[i];
            if (i > 0) {
                EXPECT_EQ(std::atoi(shown[i].c_str()) - std::atoi(shown[i - 1].c_str()), 400);
            }
        }
    }
}

// A label ends before its tick: zoomed out, where labels are wider than a labelled spacing,
// the ticks go on past the area as far as their labels reach back into it.
TEST(RulerTicks, TicksPastTheAreaAreMadeWhileTheirLabelsReachIntoIt) {
    // 200 inches, 79.375 units apart, in minor steps of 7.9375.
    const double zoomedOut = UnitLength(kInches, 1.0 / 64.0, 10.0);
    const std::vector<RulerTick> oneSpacing = MakeRulerTicks(zoomedOut, 0.0, 5080, 0);
    EXPECT_EQ(oneSpacing.back().position, 5151);
    const std::vector<RulerTick> reaching = MakeRulerTicks(zoomedOut, 0.0, 5080, 145);
    EXPECT_EQ(reaching.back().position, 5222);
    EXPECT_EQ(reaching.size(), 659U);
    EXPECT_EQ(reaching[650].label, "13000");
    EXPECT_EQ(LongestRulerLabel(zoomedOut, 0.0, 5080), "93400");
}
