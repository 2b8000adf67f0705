#include "model/Units.h"

#include <gtest/gtest.h>

#include "platform/base/CString.h"

TEST(Units, KeepsTheProgramsConstants) {
    EXPECT_EQ(kPi, 3.1415926535);
    EXPECT_EQ(kFullTurn, 6.283185307);
    EXPECT_EQ(kFoot, 3050.0);
    EXPECT_EQ(kYard, 9150.0);
    EXPECT_EQ(kInch, 254.0);

    EXPECT_STREQ(UnitTable[kDefaultUnitIndex].name, "inches, decimal");
    EXPECT_STREQ(UnitTable[1].rulerAbbreviation, "f t");
    EXPECT_STREQ(UnitTable[5].rulerAbbreviation, "i n");
    EXPECT_EQ(UnitTable[0].size, 9150.0);
    EXPECT_EQ(UnitTable[3].size, 3050.0);
    EXPECT_EQ(UnitTable[6].size, 10000.0);
    EXPECT_STREQ(UnitTable[8].name, "millimeters");
    EXPECT_EQ(UnitTable[8].size, 10.0);

    EXPECT_STREQ(ScaleTable[kDefaultScaleIndex].name, "HO");
    EXPECT_EQ(ScaleTable[kDefaultScaleIndex].gauge, 165.0);
    EXPECT_EQ(ScaleTable[kDefaultScaleIndex].ratio, 87.1);
    EXPECT_EQ(ScaleTable[14].gauge, 70.1);
    EXPECT_EQ(ScaleTable[17].ratio, 220.0);
    EXPECT_STREQ(ScaleTable[18].name, "G");
    EXPECT_EQ(ScaleTable[18].ratio, 22.5);
}

TEST(Units, FindsScalesByExactName) {
    EXPECT_EQ(FindScale("HO"), 12);
    EXPECT_EQ(FindScale("ho"), -1);
    EXPECT_EQ(FindScale("1"), 0);
    EXPECT_EQ(FindScale("O(17)"), 5);
    EXPECT_EQ(FindScale("O"), 6);
    EXPECT_EQ(FindScale("G"), 18);
    EXPECT_EQ(FindScale("HO "), -1);
    EXPECT_EQ(FindScale(""), -1);
    EXPECT_EQ(FindScale(CString("Nn3")), 16);
    for (int row = 0; row < kScaleCount; ++row) {
        EXPECT_EQ(FindScale(ScaleTable[row].name), row);
    }
}

TEST(Units, SizeOfUnitFallsBackToInchesOutsideTheTable) {
    EXPECT_EQ(SizeOfUnit(0), 9150.0);
    EXPECT_EQ(SizeOfUnit(2), 3050.0);
    EXPECT_EQ(SizeOfUnit(8), 10.0);
    EXPECT_EQ(SizeOfUnit(-1), 254.0);
    EXPECT_EQ(SizeOfUnit(kUnitCount), 254.0);
}
