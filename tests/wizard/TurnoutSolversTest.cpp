#include <cmath>

#include <gtest/gtest.h>

#include "model/Units.h"
#include "wizard/CPageWizard.h"
#include "wizard/TurnoutSolvers.h"

TEST(TurnoutSolvers, UnitsFollowTheTrainScaleAndTheSmallestScalesKeepOneInch) {
    struct Row {
        const char* scale;
        double unit;
        double inch;
    };
    for (const Row& row : {Row{"HO", 254.0, 254.00}, Row{"G", 762.0, 983.26}, Row{"1", 1778.0, 1843.62},
                           Row{"O", 254.0, 460.90}, Row{"3/8", 508.0, 691.36}, Row{"N", 254.0, 138.27},
                           Row{"Z", 254.0, 100.56}}) {
        const double ratio = ScaleTable[FindScale(row.scale)].ratio;
        EXPECT_EQ(CPageWizard::UnitForRatio(ratio), row.unit) << row.scale;
        EXPECT_NEAR(CPageWizard::InchAtScale(ratio), row.inch, 0.005) << row.scale;
    }
}

TEST(TurnoutSolvers, EachPairGivesTheOtherTwoOfOneBranch) {
    const double angle = DegreesToRadians(15.0);
    EXPECT_NEAR(RadiusFromAngleOffset(angle, 400.0), 11739.10, 0.005);
    EXPECT_NEAR(LengthFromAngleOffset(angle, 400.0), 3038.30, 0.005);
    // The HO turnout's branch: 12 inches long at 15 degrees.
    const double radius = RadiusFromAngleLength(angle, 3048.0);
    const double offset = OffsetFromAngleLength(angle, 3048.0);
    EXPECT_NEAR(radius, 11776.57, 0.005);
    EXPECT_NEAR(offset, 401.28, 0.005);
    // Every other pair leads back to the same branch.
    EXPECT_NEAR(OffsetFromRadiusAngle(radius, angle), offset, 1e-6);
    EXPECT_NEAR(LengthFromRadiusAngle(radius, angle), 3048.0, 1e-6);
    EXPECT_NEAR(AngleFromRadiusOffset(radius, offset), angle, 1e-9);
    EXPECT_NEAR(LengthFromRadiusOffset(radius, offset), 3048.0, 1e-6);
    EXPECT_NEAR(AngleFromRadiusLength(radius, 3048.0), angle, 1e-9);
    EXPECT_NEAR(OffsetFromRadiusLength(radius, 3048.0), offset, 1e-6);
    EXPECT_NEAR(AngleFromOffsetLength(offset, 3048.0), angle, 1e-9);
    EXPECT_NEAR(RadiusFromOffsetLength(offset, 3048.0), radius, 1e-6);
    // A radius shorter than the length has no angle.
    EXPECT_TRUE(std::isnan(AngleFromRadiusLength(1000.0, 3048.0)));
}

TEST(TurnoutSolvers, ShownDegreesRoundByTheFourthDecimal) {
    EXPECT_DOUBLE_EQ(ShownDegrees(DegreesToRadians(15.0)), 15.0);
    EXPECT_NEAR(ShownDegrees(DegreesToRadians(12.34549)), 12.345, 1e-9);
    EXPECT_NEAR(ShownDegrees(DegreesToRadians(12.34551)), 12.346, 1e-9);
    EXPECT_NEAR(ShownDegrees(kPi * 1.9999944444444446), 359.999, 1e-9);
}
