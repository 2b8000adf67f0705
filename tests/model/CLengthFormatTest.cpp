#include "model/CLengthFormat.h"
#include "model/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

CString Format(int unit, double length) {
    CString text("stale");
    CLengthFormat(unit).FormatLength(text, length);
    return text;
}

CString FormatValue(int unit, double length, int negativeAsDecimal) {
    CString text;
    CLengthFormat(unit).FormatLengthValue(text, length, negativeAsDecimal);
    return text;
}

CString FormatFraction(int unit, double value) {
    CString text("stale");
    CLengthFormat(unit).FormatLengthFraction(text, value);
    return text;
}

// The length a typed text reads as; NaN for a text that is no length of the unit.
double Read(int unit, const char* text) {
    double length = std::nan("");
    CLengthFormat(unit).ReadTypedLength(text, length);
    return length;
}

bool IsNoLength(int unit, const char* text) {
    return std::isnan(Read(unit, text));
}

}  // namespace

TEST(CLengthFormat, FormatsDecimalUnitsRoundedOnTheFourthDecimal) {
    EXPECT_EQ(Format(8, 12345.0), "1234.500");
    EXPECT_EQ(Format(8, 10.006), "1.001");
    EXPECT_EQ(Format(8, 10.004), "1.000");
    EXPECT_EQ(Format(8, -10.006), "-1.001");
    EXPECT_EQ(Format(0, 9150.0 * 2.5), "2.500");
    EXPECT_EQ(Format(1, 3050.0), "1.000");
    EXPECT_EQ(Format(4, 254.0 * 3.25), "3.250");
    EXPECT_EQ(Format(6, 12500.0), "1.250");
    EXPECT_EQ(Format(7, 1234.0), "12.340");
    EXPECT_EQ(Format(4, 3048.0), "12.000");
}

TEST(CLengthFormat, FormatsFeetWithAFootOf3050) {
    EXPECT_EQ(Format(2, 3050.0), "1' 0.000\"");
    EXPECT_EQ(Format(2, 3048.0), "0' 12.000\"");
    EXPECT_EQ(Format(2, 3049.7), "0' 12.007\"");  // a foot holds more than 12 inches
    // Inches rounded to the foot or past it would read as the next foot: that foot shows.
    EXPECT_EQ(Format(2, 3049.99), "1' 0.000\"");
    EXPECT_EQ(Format(3, 3049.99), "1' 0\"");
    EXPECT_EQ(Format(3, 3048.0), "0' 12\"");
    EXPECT_EQ(Format(2, 5 * 3050.0 + 6 * 254.0), "5' 6.000\"");
    EXPECT_EQ(Format(2, -3050.0), "-1' 0.000\"");

    EXPECT_EQ(Format(3, 3050.0 + 254.0 * 2.999), "1' 3\"");
    EXPECT_EQ(Format(3, 3050.0 + 127.0), "1' 0 1/2\"");
    EXPECT_EQ(Format(3, 2 * 3050.0 + 254.0 * 4.75), "2' 4 3/4\"");
    EXPECT_EQ(Format(3, 0.0), "0' 0\"");
    EXPECT_EQ(Format(3, -(3050.0 + 254.0 * 0.125)), "-1' 0 1/8\"");
}

TEST(CLengthFormat, FormatsFractionalInches) {
    EXPECT_EQ(Format(5, 254.0 * 2.25), "2 1/4");
    EXPECT_EQ(Format(5, 254.0 * 2), "2 ");
    EXPECT_EQ(Format(5, 0.0), "0");
    EXPECT_EQ(Format(5, 254.0 * 0.5), "1/2");
    EXPECT_EQ(Format(5, -254.0), "-1 ");
    EXPECT_EQ(Format(5, 254.0 * 0.999), "1 ");
    EXPECT_EQ(Format(5, 254.0 * 0.007), "0");
    EXPECT_EQ(Format(5, 254.0 * 3.015625), "3 1/64");
}

TEST(CLengthFormat, FormatsValuesAlreadyInUnits) {
    EXPECT_EQ(FormatFraction(5, 0.5), "0 1/2");
    EXPECT_EQ(FormatFraction(5, 2.0), "2");
    EXPECT_EQ(FormatFraction(5, 1.999), "2");
    EXPECT_EQ(FormatFraction(8, 1.0006), "1.001");
    EXPECT_EQ(FormatFraction(2, 1.5), "1' 6.004\"");
    EXPECT_EQ(FormatFraction(3, 1.0 + 127.0 / 3050.0), "1' 0 1/2\"");

    EXPECT_EQ(FormatValue(2, -3050.0, 1), "-1.000");
    EXPECT_EQ(FormatValue(2, -3050.0, 0), "-1' 0.000\"");
    EXPECT_EQ(FormatValue(2, 3050.0, 1), "1' 0.000\"");
    EXPECT_EQ(FormatValue(8, -12.34, 1), "-1.234");
    EXPECT_EQ(FormatValue(5, -254.0 * 2.5, 1), "-2.000");
}

TEST(CLengthFormat, RoundsToSixtyFourthsAndReduces) {
    const struct {
        double fraction;
        int numerator;
        int denominator;
    } cases[] = {{0.5, 1, 2},  {0.999, 1, 1},      {0.007, 0, 64},  {0.25, 1, 4}, {3.0 / 64, 3, 64},
                 {0.0, 0, 64}, {0.0234375, 1, 32}, {0.0227, 1, 64}, {0.9, 29, 32}};
    for (const auto& c : cases) {
        int numerator = -1;
        int denominator = -1;
        CLengthFormat::RoundToFraction(c.fraction, numerator, denominator);
        EXPECT_EQ(numerator, c.numerator) << c.fraction;
        EXPECT_EQ(denominator, c.denominator) << c.fraction;
    }
}

TEST(CLengthFormat, ReadsFeetAndInches) {
    EXPECT_EQ(Read(2, "5' 6"), 5 * 3050.0 + 6 * 254.0);
    EXPECT_EQ(Read(2, "6\""), 1524.0);
    EXPECT_EQ(Read(2, "5"), 5 * 3050.0);
    EXPECT_EQ(Read(2, "-1' 6"), -(3050.0 + 1524.0));
    EXPECT_TRUE(IsNoLength(2, "1' -6"));  // a sign only in front
    EXPECT_EQ(Read(2, "2' 3.5\""), 2 * 3050.0 + 3.5 * 254.0);
    EXPECT_TRUE(IsNoLength(2, "1.2.3'"));
    EXPECT_TRUE(IsNoLength(2, "abc"));

    EXPECT_EQ(Read(3, "1' 3 1/2\""), 3050.0 + 3.5 * 254.0);
    EXPECT_EQ(Read(3, "1' 1/4"), 3050.0 + 63.5);
    EXPECT_EQ(Read(3, "-2' 1\""), -(2 * 3050.0 + 254.0));
    EXPECT_EQ(Read(3, "4"), 4 * 3050.0);

    EXPECT_EQ(Read(5, "3/8"), 95.25);
    EXPECT_EQ(Read(5, "-2 1/2\""), -635.0);
    EXPECT_EQ(Read(5, "-5 \""), -1270.0);
    EXPECT_EQ(Read(5, "  7"), 7 * 254.0);
    EXPECT_EQ(Read(5, "2.5"), 2.5 * 254.0);
    EXPECT_TRUE(IsNoLength(5, "3 1/0"));
    EXPECT_TRUE(IsNoLength(5, ""));
}

TEST(CLengthFormat, ReadsDecimalUnitsAsOneNumberAndNothingElse) {
    EXPECT_TRUE(IsNoLength(8, "  12.5mm"));
    EXPECT_EQ(Read(6, "-1.5e1"), -150000.0);
    EXPECT_EQ(Read(4, "3"), 762.0);
    EXPECT_EQ(Read(0, "2"), 18300.0);
    EXPECT_TRUE(IsNoLength(1, "x2"));
    EXPECT_EQ(Read(7, "10"), 1000.0);
}

TEST(CLengthFormat, UnitsOutsideTheTableGiveNothing) {
    for (int unit : {-1, 9, 1000}) {
        EXPECT_EQ(Format(unit, 1234.0), "");
        EXPECT_EQ(Format(unit, -1234.0), "");
        EXPECT_EQ(FormatValue(unit, -1234.0, 1), "");
        EXPECT_EQ(FormatFraction(unit, 2.0), "");
        EXPECT_TRUE(IsNoLength(unit, "12"));
    }
}

// A typed length is read whole, however many digits it has.
TEST(CLengthFormat, ReadsLongNumbersWhole) {
    EXPECT_DOUBLE_EQ(Read(2, "1234567890123456789012345'6"),
                     1234567890123456789012345.0 * 3050.0 + 6 * 254.0);
    EXPECT_DOUBLE_EQ(Read(5, "1234567890123456789012345 1/2\""), (1234567890123456789012345.0 + 0.5) * 254.0);
    EXPECT_TRUE(IsNoLength(2, "99999999999999999999999999999999 ft'"));
    EXPECT_DOUBLE_EQ(Read(2, "99999999999999999999999999999999'"), 1e32 * 3050.0);
}

TEST(CLengthFormat, SurvivesNumbersBeyondTheIntRange) {
    const double huge = Read(8, "1e300");
    EXPECT_EQ(Format(2, huge), "2147483647' 0.000\"");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Format(5, nan), "0");
}

TEST(CLengthFormat, ATypedTextIsALengthOnlyWhenItHoldsNothingButTheUnitsNumbers) {
    struct Typed {
        int unit;
        const char* text;
        double length;  // NaN: no length
    };
    const double none = std::nan("");
    for (const Typed& typed : {Typed{8, " 12.5 ", 125.0}, Typed{8, "-3", -30.0}, Typed{8, "abc", none},
                               Typed{8, "12abc", none}, Typed{8, "", none}, Typed{8, "1,5", none},
                               Typed{8, "1e400", none}, Typed{3, "1' 2 1/2\"", 3050.0 + 2.5 * 254.0},
                               Typed{3, "1 ft", none}, Typed{5, "1/2", 127.0}, Typed{5, "-", none}}) {
        double length = 7.0;
        const bool read = CLengthFormat(typed.unit).ReadTypedLength(typed.text, length);
        EXPECT_EQ(read, !std::isnan(typed.length)) << typed.text;
        EXPECT_EQ(length, read ? typed.length : 7.0) << typed.text;
    }
}

namespace {

CString Printf(const char* format, auto... values) {
    CString text;
    text.Format(format, values...);
    return text;
}

// A 64th count as the fractional-inch unit prints it, its whole apart: "1/2", "" (no rest).
CString SixtyFourths(int count) {
    int numerator = count % 64;
    int denominator = 64;
    for (; numerator > 0 && numerator % 2 == 0; numerator /= 2, denominator /= 2) {
    }
    return numerator != 0 ? Printf("%d/%d", numerator, denominator) : CString();
}

// Every text a unit prints from 0 to 100 of its units, by thousandths or by 64ths; the feet
// units print every inch text of a foot, past a few feet.
std::vector<CString> PrintedTexts(int unit) {
    std::vector<CString> texts;
    const int feetShown[] = {0, 7, 99};
    for (int step = 0; step <= 100000; ++step) {
        if (unit == 2 && step < 12000) {
            for (int feet : feetShown) texts.push_back(Printf("%d' %.3f\"", feet, step / 1000.0));
        } else if (unit == 3 && step < 12 * 64) {
            const CString fraction = SixtyFourths(step);
            for (int feet : feetShown)
                texts.push_back(fraction.IsEmpty()
                                    ? Printf("%d' %d\"", feet, step / 64)
                                    : Printf("%d' %d %s\"", feet, step / 64, fraction.c_str()));
        } else if (unit == 5 && step <= 100 * 64) {
            const CString whole = step >= 64 ? Printf("%d ", step / 64) : CString();
            const CString text = whole + SixtyFourths(step);
            texts.push_back(text.IsEmpty() ? CString("0") : text);
        } else if (unit != 2 && unit != 3 && unit != 5) {
            texts.push_back(Printf("%.3f", step / 1000.0));
        }
    }
    return texts;
}

}  // namespace

// A binary fraction just under a typed value once read its next digit as 0 and showed a
// thousandth (or a 64th) less than was typed.
TEST(CLengthFormat, EveryPrintedTextReadsBackToItself) {
    for (int unit = 0; unit < 9; ++unit) {
        int changed = 0;
        for (const CString& text : PrintedTexts(unit)) {
            double length = 0.0;
            ASSERT_TRUE(CLengthFormat(unit).ReadTypedLength(text, length)) << text;
            const CString shown = Format(unit, length);
            if (shown != text && ++changed <= 3)
                ADD_FAILURE() << "unit " << unit << ": " << text << " shows " << shown;
        }
        EXPECT_EQ(changed, 0) << "unit " << unit;
    }
    EXPECT_EQ(Format(5, 3163311003.998 * 254.0), "2147483647 ");
}

// In every unit, a negative length too small to show shows as 0 does, with no sign; one that
// shows keeps its sign.
TEST(CLengthFormat, ATinyNegativeLengthShowsAsZeroInEveryUnit) {
    for (int unit = 0; unit < kUnitCount; ++unit) {
        SCOPED_TRACE(unit);
        for (const double tiny : {-1e-300, -1e-6, -0.0}) {
            EXPECT_EQ(Format(unit, tiny), Format(unit, 0.0));
            EXPECT_EQ(FormatValue(unit, tiny, 1).Find('-'), -1);
        }
        EXPECT_EQ(Format(unit, -SizeOfUnit(unit))[0], '-');
        EXPECT_EQ(FormatValue(unit, -SizeOfUnit(unit), 1)[0], '-');
    }
}
