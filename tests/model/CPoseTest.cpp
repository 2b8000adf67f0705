#include "model/CPose.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/Units.h"

TEST(CPose, ComposesOntoParent) {
    const CPose own(12.5, -3.0, 0.7);
    CPose composed;
    composed.Copy(own);
    composed.Transform(CPose());
    EXPECT_EQ(composed.x, 12.5);
    EXPECT_EQ(composed.y, -3.0);
    EXPECT_EQ(composed.angle, 0.7);

    CPose quarter(10.0, 0.0, kPi / 2);
    quarter.Transform(CPose(0.0, 0.0, kPi / 2));
    EXPECT_NEAR(quarter.x, 0.0, 1e-9);
    EXPECT_NEAR(quarter.y, 10.0, 1e-9);
    EXPECT_EQ(quarter.angle, kPi);

    // Composition does not normalise the angle.
    CPose turned(0.0, 0.0, 5.0);
    turned.Transform(CPose(1.0, 2.0, 5.0));
    EXPECT_EQ(turned.angle, 10.0);
    EXPECT_EQ(turned.x, 1.0);
    EXPECT_EQ(turned.y, 2.0);
}

TEST(CPose, NormalisesWorldAndLocalAnglesWithTheProgramsPi) {
    const CPose own(0.0, 0.0, kPi);
    const CPose parent(0.0, 0.0, kPi / 2);
    EXPECT_EQ(own.LocalToWorldAngle(parent, kPi / 2), 0.0);  // sums to exactly 2 pi
    EXPECT_EQ(CPose().LocalToWorldAngle(CPose(), -0.1), 2 * 3.1415926535 - 0.1);
    EXPECT_NEAR(CPose().LocalToWorldAngle(CPose(), 3 * kFullTurn + 1.0), 1.0, 1e-12);
    EXPECT_NEAR(own.WorldToLocalAngle(parent, 0.0), kPi / 2, 1e-12);
    EXPECT_EQ(CPose(0, 0, 1.0).WorldToLocalAngle(CPose(0, 0, 0.5), 1.5), 0.0);

    EXPECT_EQ(NormalizeAngle(kFullTurn), 0.0);
    const double hugeTurn = NormalizeAngle(1e300);
    EXPECT_GE(hugeTurn, 0.0);
    EXPECT_LT(hugeTurn, kFullTurn);
    EXPECT_GE(NormalizeAngle(-1e300), 0.0);
    EXPECT_EQ(NormalizeAngle(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(NormalizeAngle(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(CPose, WorldToLocalInvertsLocalToWorld) {
    const double origins[] = {-25000.0, -3.5, 0.0, 17.25, 90000.0};
    const double angles[] = {-7.0, -kPi / 2, 0.0, 0.3, kPi, 4.0, 13.0};
    for (double ox : origins) {
        for (double angle : angles) {
            const CPose own(ox, -ox * 0.5 + 3.0, angle);
            const CPose parent(ox * 0.25 - 100.0, ox, angle * -1.5 + 0.2);
            const CDoublePoint world = own.LocalToWorld(parent, 123.0, -456.0);
            const CDoublePoint local = own.WorldToLocal(parent, world.x, world.y);
            EXPECT_NEAR(local.x, 123.0, 1e-6) << ox << " " << angle;
            EXPECT_NEAR(local.y, -456.0, 1e-6) << ox << " " << angle;
        }
    }
}

TEST(CPose, ConvertsThroughTheComposedPlacement) {
    // Own origin (10, 0) at a quarter turn in a parent at (100, 100), also a quarter turn:
    // the frame lies at (100, 110) facing a half turn, so local (1, 0) is world (99, 110).
    const CPose own(10.0, 0.0, kPi / 2);
    const CPose parent(100.0, 100.0, kPi / 2);
    const CDoublePoint world = own.LocalToWorld(parent, 1.0, 0.0);
    EXPECT_NEAR(world.x, 99.0, 1e-9);
    EXPECT_NEAR(world.y, 110.0, 1e-9);
    const CDoublePoint local = own.WorldToLocal(parent, 100.0, 112.0);
    EXPECT_NEAR(local.x, 0.0, 1e-9);
    EXPECT_NEAR(local.y, -2.0, 1e-9);
}

TEST(Geometry, RotatesAboutACentreAndMeasuresVectors) {
    const CDoublePoint p = RotatePoint(10.0, 10.0, kPi / 2, 20.0, 10.0);
    EXPECT_NEAR(p.x, 10.0, 1e-9);
    EXPECT_NEAR(p.y, 20.0, 1e-9);
    EXPECT_EQ(RotatePoint(3.0, 4.0, 0.0, -1.0, 2.0), (CDoublePoint{-1.0, 2.0}));
    EXPECT_EQ(VectorLength(3.0, -4.0), 5.0);
    EXPECT_EQ(VectorLength(0.0, 0.0), 0.0);
}
