#include "platform/base/NumberParsing.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <string>

namespace {

void ExpectRuntimeReadings() {
    EXPECT_EQ(ParseDouble("12abc"), 12.0);
    EXPECT_EQ(ParseDouble("  -2.5e2xyz"), -250.0);
    EXPECT_EQ(ParseDouble("\t+.5"), 0.5);
    EXPECT_EQ(ParseDouble("3."), 3.0);
    EXPECT_EQ(ParseDouble("1e"), 1.0);
    EXPECT_EQ(ParseDouble("1e+"), 1.0);
    EXPECT_EQ(ParseDouble("2,5"), 2.0);
    EXPECT_EQ(ParseDouble("0.1"), 0.1);
    EXPECT_EQ(ParseDouble("abc"), 0.0);
    EXPECT_EQ(ParseDouble("."), 0.0);
    EXPECT_EQ(ParseDouble("-"), 0.0);
    EXPECT_EQ(ParseDouble(""), 0.0);
    EXPECT_EQ(ParseDouble(nullptr), 0.0);
    EXPECT_EQ(ParseDouble("0x10"), 0.0);
    EXPECT_EQ(ParseDouble("inf"), 0.0);
    EXPECT_EQ(ParseDouble("nan"), 0.0);
    EXPECT_TRUE(std::isinf(ParseDouble("1e999")));
    EXPECT_EQ(ParseDouble("1e-999"), 0.0);

    EXPECT_EQ(ParseInt("  42abc"), 42);
    EXPECT_EQ(ParseInt("-17"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("2.9"), 2);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt(nullptr), 0);
    EXPECT_EQ(ParseInt("99999999999"), INT_MAX);
    EXPECT_EQ(ParseInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseInt("-99999999999"), INT_MIN);
}

}  // namespace

TEST(NumberParsing, ReadsAsTheRuntimeDoesInTheCLocale) {
    ExpectRuntimeReadings();
}

TEST(NumberParsing, IgnoresTheProcessLocale) {
    std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* commaLocale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_ALL, name)) {
            commaLocale = name;
            break;
        }
    }
    if (!commaLocale) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    ExpectRuntimeReadings();
    std::setlocale(LC_ALL, previous.c_str());
}
