#include <gtest/gtest.h>

#include <algorithm>

#include "model/Units.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackFieldRanges.h"

using namespace track_fields;

TEST(TrackFieldRanges, TheBoundsAreThoseOfAValidPiece) {
    TrackPlan plan;
    CTrack* straight = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    // Nearly a full turn: its length sets the smallest radius while the length is held.
    CCircTrack* curve = plan.Curve(0.0, 0.0, 2000.0, 0.0, 6.0);
    CArcTrack* oval = plan.Oval(0.0, 0.0, 4000.0, 1000.0, 0.0, kPi);
    const double half = curve->m_fGauge / 2.0;
    const struct {
        const char* field;
        FieldRange range;
        double minimum, maximum;
    } rows[] = {{"straight length", LengthOf(*straight, false), kSmallestLength, 640000.0},
                {"curve length, radius held", LengthOf(*curve, false), kSmallestLength, kFullTurn * 2000.0},
                {"curve length, angle held", LengthOf(*curve, true), 6.0 * half, 640000.0},
                {"curve radius, length held", RadiusOf(*curve, false), 12000.0 / kFullTurn, 640000.0},
                {"curve radius, angle held", RadiusOf(*curve, true), half, 640000.0},
                {"oval radius", RadiusOf(*oval, false), half, 640000.0},
                {"straight gauge", GaugeOf(*straight), 0.0, 640000.0},
                {"curve gauge", GaugeOf(*curve), 0.0, 4000.0},
                {"oval gauge", GaugeOf(*oval), 0.0, 2000.0}};
    for (const auto& row : rows) {
        EXPECT_NEAR(row.range.minimum, row.minimum, 1e-6 * std::max(1.0, row.minimum)) << row.field;
        EXPECT_NEAR(row.range.maximum, row.maximum, 1e-6 * row.maximum) << row.field;
    }
    // A strict bound of the piece is moved inside it: a curve at both is valid.
    curve->m_fRadius = RadiusOf(*curve, true).minimum;
    curve->m_fGauge = GaugeOf(*curve).maximum;
    EXPECT_EQ(curve->IsInvalid(0), 0);
}
