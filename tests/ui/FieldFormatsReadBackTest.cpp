#include <gtest/gtest.h>

#include <vector>

#include "model/Units.h"
#include "tests/ui/EveryFieldFormat.h"

namespace {

// A quantity as a person types it: count / per, per being 1 (whole numbers), 1000 (thousandths)
// or 64 (64ths; of an inch, for lengths).
struct Typed {
    long long count;
    int per;
};

CString Printf(const char* format, auto... values) {
    CString text;
    text.Format(format, values...);
    return text;
}

// The quantity with the given places, trimmed of trailing zeros or not; empty when it has more.
CString Decimal(Typed typed, int places, bool trimmed) {
    long long scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    if (typed.count * scale % typed.per != 0)
        return {};
    const long long scaled = typed.count * scale / typed.per;
    CString digits = Printf("%0*lld", places, scaled % scale);
    while (trimmed && !digits.IsEmpty() && digits[digits.GetLength() - 1] == '0')
        digits = digits.Left(digits.GetLength() - 1);
    const CString whole = Printf("%lld", scaled / scale);
    return places == 0 || digits.IsEmpty() ? whole : whole + "." + digits;
}

// 64ths as the fractional-inch unit writes them: "2 1/4", "2 ", "1/4", "0".
CString SixtyFourths(Typed typed, bool alwaysWhole) {
    if (64 % typed.per != 0 && typed.count * 64 % typed.per != 0)
        return {};
    const long long count = typed.count * 64 / typed.per;
    int numerator = static_cast<int>(count % 64);
    int denominator = 64;
    for (; numerator > 0 && numerator % 2 == 0; numerator /= 2) denominator /= 2;
    const CString fraction = numerator != 0 ? Printf("%d/%d", numerator, denominator) : CString();
    if (count < 64 && !alwaysWhole)
        return fraction.IsEmpty() ? CString("0") : fraction;
    return fraction.IsEmpty() ? Printf(alwaysWhole ? "%lld" : "%lld ", count / 64)
                              : Printf("%lld %s", count / 64, fraction.c_str());
}

double InUnits(int unit, Typed typed) {
    return typed.per == 64 ? typed.count * kInch / 64 : typed.count * SizeOfUnit(unit) / typed.per;
}

CString FeetShape(int unit, Typed typed) {
    // The inches of a length under a foot.
    if (typed.per == 64 && typed.count <= 12 * 64) {
        const CString inches = unit == 2 ? Decimal(typed, 3, false) : SixtyFourths(typed, true);
        return inches.IsEmpty() ? CString() : "0' " + inches + "\"";
    }
    return typed.per == 1 ? Printf(unit == 2 ? "%lld' 0.000\"" : "%lld' 0\"", typed.count) : CString();
}

// The text of the quantity in the format's own shape; empty when it has none.
CString ShapeOf(const NamedFieldFormat& named, Typed typed) {
    switch (named.unit) {
        case -1:
            return Decimal(typed, named.places, named.trimmed);
        case 2:
        case 3:
            return FeetShape(named.unit, typed);
        case 5:
            return SixtyFourths(typed, false);
        default:
            return typed.per != 64 || SizeOfUnit(named.unit) == kInch ? Decimal(typed, 3, false) : CString();
    }
}

// Every whole number to 100,000; every 64th to 1,000 inches in every unit; every thousandth
// to 360 in the fields of degrees.
std::vector<Typed> EveryTypedQuantity(const NamedFieldFormat& named) {
    std::vector<Typed> quantities;
    for (long long n = 0; n <= 100000; ++n) quantities.push_back({n, 1});
    for (long long n = 0; named.degrees && n <= 360000; ++n) quantities.push_back({n, 1000});
    for (long long n = 0; named.unit >= 0 && n <= 64000; ++n) quantities.push_back({n, 64});
    return quantities;
}

// The value a person typing the quantity means: a length, or the number typed as it is read.
double ValueOf(const NamedFieldFormat& named, Typed typed) {
    if (named.unit >= 0)
        return InUnits(named.unit, typed);
    double value = 0.0;
    named.format.Read(Printf("%.17g", static_cast<double>(typed.count) / typed.per), value);
    return value;
}

}  // namespace

// A value's text reads back as a value showing that text, and a text in the format's own shape
// (what a person types, 29 in a percent field) shows as typed, never a step below.
TEST(FieldFormats, EveryShownTextReadsBackAsItselfInEveryFormat) {
    for (const NamedFieldFormat& named : EveryFieldFormat()) {
        int failures = 0;
        for (const Typed typed : EveryTypedQuantity(named)) {
            const CString shape = ShapeOf(named, typed);
            const CString text = shape.IsEmpty() ? named.format.Show(ValueOf(named, typed)) : shape;
            double read = 0.0;
            const CString shown =
                named.format.Read(text, read) ? named.format.Show(read) : CString("nothing");
            if (shown != text && ++failures <= 3)
                ADD_FAILURE() << named.name.c_str() << ": " << text.c_str() << " shows " << shown.c_str();
        }
        EXPECT_EQ(failures, 0) << named.name.c_str();
    }
}

// A negative too small to show shows as 0 does, without a sign, in every format.
TEST(FieldFormats, ATinyNegativeShowsAsZero) {
    for (const NamedFieldFormat& named : EveryFieldFormat())
        for (const double tiny : {-1e-9, -0.0})
            EXPECT_NE(named.format.Show(tiny), "-" + named.format.Show(0.0))
                << named.name.c_str() << " " << tiny;
}
