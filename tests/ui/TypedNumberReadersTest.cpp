#include <gtest/gtest.h>

#include <cmath>

#include "model/CLengthFormat.h"
#include "platform/base/TypedNumbers.h"
#include "platform/ctl/DataExchange.h"
#include "ui/LengthEntry.h"

namespace {

// Every reader of what a person types into a number or length field.
enum class Reader { number, integer, length, lengthInRange };

constexpr int kFeetDecimalInches = 2;
constexpr int kFeetFractionalInches = 3;
constexpr int kDecimalInches = 4;
constexpr int kFractionalInches = 5;
constexpr int kMillimetres = 8;
constexpr double kRefused = NAN;
// A field that takes no negative length, as an elevation or a snap range.
constexpr LengthRange kNotNegative{0.0, 640000.0};

// What the reader makes of the text: the value, or NaN when it refuses it.
double Read(Reader reader, int unit, const char* text) {
    double value = kRefused;
    long long whole = 0;
    switch (reader) {
        case Reader::number:
            ReadNumberText(text, value);
            return value;
        case Reader::integer:
            return ReadTypedInteger(text, whole) ? static_cast<double>(whole) : kRefused;
        case Reader::length:
            CLengthFormat(unit).ReadTypedLength(text, value);
            return value;
        case Reader::lengthInRange:
            ReadLengthInRange(text, CLengthFormat(unit), kNotNegative, value);
            return value;
    }
    return value;
}

}  // namespace

TEST(TypedNumberReaders, ReadWhatThePersonMeantOrRefuseIt) {
    const struct {
        Reader reader;
        int unit;
        const char* text;
        double value;
    } rows[] = {
        // Words are no numbers, whatever their case or sign.
        {Reader::number, 0, "inf", kRefused},
        {Reader::number, 0, "-Infinity", kRefused},
        {Reader::number, 0, "nan", kRefused},
        {Reader::integer, 0, "inf", kRefused},
        {Reader::length, kMillimetres, "inf", kRefused},
        {Reader::length, kMillimetres, "-inf", kRefused},
        {Reader::length, kMillimetres, "NaN", kRefused},
        {Reader::length, kFractionalInches, "infinity", kRefused},
        {Reader::length, kFeetDecimalInches, "inf'", kRefused},
        {Reader::number, 0, "0x10", kRefused},
        {Reader::number, 0, "1,5", kRefused},
        {Reader::number, 0, "1e400", kRefused},
        {Reader::integer, 0, "99999999999999999999", kRefused},
        {Reader::integer, 0, "+-5", kRefused},
        // An exponent reads in plain numbers and in the decimal units alike; not in integers.
        {Reader::number, 0, " 1e3 ", 1000.0},
        {Reader::number, 0, "+.5", 0.5},
        {Reader::integer, 0, "1e3", kRefused},
        {Reader::integer, 0, " -42 ", -42.0},
        {Reader::length, kMillimetres, "1e3", 10000.0},
        {Reader::length, kDecimalInches, "2.5E1", 25.0 * 254.0},
        {Reader::length, kMillimetres, "1e", kRefused},
        // The forms of the fractional inches: a decimal means that many inches.
        {Reader::length, kFractionalInches, "12.5", 12.5 * 254.0},
        {Reader::length, kFractionalInches, ".5", 127.0},
        {Reader::length, kFractionalInches, "3/8", 95.25},
        {Reader::length, kFractionalInches, "-2 1/2\"", -635.0},
        {Reader::length, kFractionalInches, "-5 \"", -1270.0},
        {Reader::length, kFractionalInches, "2 ", 508.0},
        {Reader::length, kFractionalInches, "3 1/0", kRefused},
        {Reader::length, kFractionalInches, "2.5 1/2", kRefused},
        {Reader::length, kFractionalInches, "1/2/3", kRefused},
        {Reader::length, kFractionalInches, "1' 2", kRefused},
        // The feet units: feet by their mark or alone, inches by their mark or after the feet.
        {Reader::length, kFeetDecimalInches, "3' 6 1/2\"", 3 * 3050.0 + 6.5 * 254.0},
        {Reader::length, kFeetDecimalInches, "5' 6", 5 * 3050.0 + 6 * 254.0},
        {Reader::length, kFeetDecimalInches, "6\"", 1524.0},
        {Reader::length, kFeetDecimalInches, "5", 5 * 3050.0},
        {Reader::length, kFeetDecimalInches, "-1' 6", -(3050.0 + 1524.0)},
        {Reader::length, kFeetDecimalInches, "0' 12.008\"", 12.008 * 254.0},
        {Reader::length, kFeetDecimalInches, "1/2\"", 127.0},
        {Reader::length, kFeetDecimalInches, "1/2", kRefused},
        {Reader::length, kFeetDecimalInches, "1' -6", kRefused},
        {Reader::length, kFeetDecimalInches, "1 ft", kRefused},
        {Reader::length, kFeetFractionalInches, "1' 3 1/2\"", 3050.0 + 3.5 * 254.0},
        {Reader::length, kFeetFractionalInches, "1' 1/4", 3050.0 + 63.5},
        {Reader::length, kFeetFractionalInches, "2'", 6100.0},
        {Reader::length, kFeetFractionalInches, "1' 6.5\"", 3050.0 + 6.5 * 254.0},
        // Bounds by value: however the bound is typed, it is taken; a negative is refused.
        {Reader::lengthInRange, kMillimetres, "0", 0.0},
        {Reader::lengthInRange, kMillimetres, "0.000", 0.0},
        {Reader::lengthInRange, kMillimetres, "64000", 640000.0},
        {Reader::lengthInRange, kMillimetres, "6.4e4", 640000.0},
        {Reader::lengthInRange, kMillimetres, "-2", kRefused},
        {Reader::lengthInRange, kFractionalInches, "0", 0.0},
        {Reader::lengthInRange, kFeetFractionalInches, "-0' 1\"", kRefused},
        {Reader::lengthInRange, kMillimetres, "64000.1", kRefused},
    };
    for (const auto& row : rows) {
        const double value = Read(row.reader, row.unit, row.text);
        if (std::isnan(row.value))
            EXPECT_TRUE(std::isnan(value)) << row.text << " in unit " << row.unit << " read as " << value;
        else
            EXPECT_DOUBLE_EQ(value, row.value) << row.text << " in unit " << row.unit;
    }
}

TEST(TypedNumberReaders, ARefusedTextIsShownTheFormsOfItsUnit) {
    EXPECT_EQ(CLengthFormat(kMillimetres).DescribeTypedForms(),
              "Type a number of millimeters, as 12.5 or 1e3.");
    EXPECT_EQ(CLengthFormat(kFractionalInches).DescribeTypedForms(), "Type inches as 2 1/2, 1/2, 2.5 or 2.");
    EXPECT_EQ(CLengthFormat(kFeetFractionalInches).DescribeTypedForms(),
              "Type feet and inches as 5' 6 1/2\", 5', 6 1/2\" or 5 (feet).");
}
