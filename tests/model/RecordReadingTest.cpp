#include "model/RecordReading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Units.h"

// A stored turn is kept as read while a person could have made it, so that the file saves the
// same bytes; a turn past that is brought within one whole turn, its sign kept.
TEST(RecordReading, ATurnIsKeptExactlyUpToAMillionTurnsAndFoldedBeyond) {
    EXPECT_EQ(TurnWithinOne(1.25), 1.25);
    EXPECT_EQ(TurnWithinOne(-3.0 * kFullTurn - 0.5), -3.0 * kFullTurn - 0.5);
    EXPECT_EQ(TurnWithinOne(1e6 * kFullTurn), 1e6 * kFullTurn);

    const double far = 1e9 * kFullTurn + 0.75;
    EXPECT_EQ(TurnWithinOne(far), std::fmod(far, kFullTurn));
    EXPECT_GE(TurnWithinOne(far), 0.0);
    EXPECT_LT(TurnWithinOne(far), kFullTurn);
    EXPECT_LE(TurnWithinOne(-far), 0.0);
    EXPECT_GT(TurnWithinOne(-far), -kFullTurn);

    EXPECT_EQ(TurnWithinOne(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(TurnWithinOne(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(TurnWithinOne(-std::numeric_limits<double>::infinity()), 0.0);
}
