#include "model/CLengthFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/Units.h"
#include "platform/base/NumberParsing.h"
#include "platform/base/TypedNumbers.h"

namespace {

constexpr char kInchMark = '"';
constexpr char kFootMark = '\'';
// What the decimal units count, by unit index, as a person reads it.
constexpr const char* kDecimalUnitWords[] = {"yards",  "feet",        "",           "", "inches", "",
                                             "meters", "centimeters", "millimeters"};

// Lengths can come from typed or stored text ("1e300", "nan"); a whole number that does not
// fit an int is clamped rather than converted out of range.
int WholeNumber(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

CString FormatDecimal(double value) {
    CString text;
    text.Format("%.3f", CLengthFormat::RoundToThousandths(value));
    return text;
}

// A whole number of some unit and the rest as a fraction in 64ths; a rest that rounds up to
// a whole moves into the whole number.
struct WholeAndFraction {
    int whole = 0;
    int numerator = 0;
    int denominator = 64;

    bool HasFraction() const { return numerator != 0; }
};

WholeAndFraction SplitFraction(double value) {
    double whole = std::floor(value);
    WholeAndFraction split;
    CLengthFormat::RoundToFraction(value - whole, split.numerator, split.denominator);
    if (split.numerator == split.denominator) {
        whole += 1.0;
        split.numerator = 0;
    }
    // Carried before the clamp, so a whole at the int's end cannot overflow.
    split.whole = WholeNumber(whole);
    return split;
}

double InchesOfFootRest(double feet) {
    return (feet - std::floor(feet)) * kFoot / kInch;
}

// A foot is a little more than 12 inches: the rest of a foot may round up to the whole foot
// or past it, which would read as the next foot; the next foot shows instead.
bool RoundsToAFoot(double inches) {
    return inches * kInch >= kFoot;
}

CString FormatFeetDecimalInches(double feet) {
    double wholeFeet = std::floor(feet);
    double inches = CLengthFormat::RoundToThousandths(InchesOfFootRest(feet));
    if (RoundsToAFoot(inches)) {
        wholeFeet += 1.0;
        inches = 0.0;
    }
    CString text;
    text.Format("%d' %.3f%c", WholeNumber(wholeFeet), inches, kInchMark);
    return text;
}

CString FormatFeetFractionalInches(double feet) {
    WholeAndFraction inches = SplitFraction(InchesOfFootRest(feet));
    double roundedFeet = std::floor(feet);
    if (RoundsToAFoot(inches.whole + static_cast<double>(inches.numerator) / inches.denominator)) {
        roundedFeet += 1.0;
        inches = WholeAndFraction();
    }
    const int wholeFeet = WholeNumber(roundedFeet);
    CString text;
    if (inches.HasFraction()) {
        text.Format("%d' %d %d/%d%c", wholeFeet, inches.whole, inches.numerator, inches.denominator,
                    kInchMark);
    } else {
        text.Format("%d' %d%c", wholeFeet, inches.whole, kInchMark);
    }
    return text;
}

// "2 1/4", "2 ", "1/2" or "0".
CString FormatFractionalInches(double inches) {
    const WholeAndFraction split = SplitFraction(inches);
    CString text;
    if (split.whole != 0) {
        text.Format("%d ", split.whole);
    }
    if (split.HasFraction()) {
        CString fraction;
        fraction.Format("%d/%d", split.numerator, split.denominator);
        text += fraction;
    }
    if (text.IsEmpty()) {
        text = "0";
    }
    return text;
}

// "2 1/4", "0 1/2" or "2": the whole number is always shown.
CString FormatWholeAndFractionalInches(double inches) {
    const WholeAndFraction split = SplitFraction(inches);
    CString text;
    if (split.HasFraction()) {
        text.Format("%d %d/%d", split.whole, split.numerator, split.denominator);
    } else {
        text.Format("%d", split.whole);
    }
    return text;
}

bool HasSign(const CString& text) {
    return !text.IsEmpty() && (text[0] == '-' || text[0] == '+');
}

// Takes a leading sign off the trimmed text; true for a minus.
bool TakeSign(CString& text) {
    text.Trim();
    const bool negative = !text.IsEmpty() && text[0] == '-';
    if (HasSign(text)) {
        text = text.Mid(1);
        text.Trim();
    }
    return negative;
}

bool EndsWithInchMark(const CString& text) {
    return !text.IsEmpty() && text[text.GetLength() - 1] == kInchMark;
}

// An unsigned decimal, as a person types it ("6.5", ".5", "1e3").
bool ReadUnsignedDecimal(const CString& text, double& value) {
    return !HasSign(text) && ReadTypedDecimal(text, value);
}

// "3/8" or "6 3/8": digits only, and a denominator that is no zero.
bool ReadFraction(const CString& text, double& value) {
    CString fraction = text;
    double whole = 0.0;
    const int blank = text.Find(' ');
    if (blank >= 0) {
        if (!ReadTypedDigits(text.Left(blank), whole))
            return false;
        fraction = text.Mid(blank + 1);
    }
    const int slash = fraction.Find('/');
    double numerator = 0.0;
    double denominator = 0.0;
    if (slash < 0 || !ReadTypedDigits(fraction.Left(slash), numerator) ||
        !ReadTypedDigits(fraction.Mid(slash + 1), denominator) || denominator == 0.0)
        return false;
    value = whole + numerator / denominator;
    return true;
}

// Unsigned inches as typed: a decimal ("6.5") or a fraction with or without its whole
// ("6 1/2", "1/2"), with or without the inch mark.
bool ReadInches(CString text, double& inches) {
    text.Trim();
    if (EndsWithInchMark(text)) {
        text = text.Left(text.GetLength() - 1);
        text.TrimRight();
    }
    const bool fraction = text.Find('/') >= 0 || text.Find(' ') >= 0;
    return fraction ? ReadFraction(text, inches) : ReadUnsignedDecimal(text, inches);
}

// "5' 6 1/2"", "5'", "6 1/2"" (inches, by their mark) or "5" (a bare number is feet).
bool ReadFeetAndInches(const CString& text, double& length) {
    double feet = 0.0;
    double inches = 0.0;
    const int footMark = text.Find(kFootMark);
    if (footMark >= 0) {
        CString rest = text.Mid(footMark + 1);
        rest.Trim();
        if (!ReadUnsignedDecimal(text.Left(footMark), feet) || (!rest.IsEmpty() && !ReadInches(rest, inches)))
            return false;
    } else if (EndsWithInchMark(text) ? !ReadInches(text, inches) : !ReadUnsignedDecimal(text, feet)) {
        return false;
    }
    length = feet * kFoot + inches * kInch;
    return true;
}

}  // namespace

bool CLengthFormat::HasUnit() const {
    return m_unitIndex >= 0 && m_unitIndex < kUnitCount;
}

double CLengthFormat::UnitSize() const {
    return UnitTable[m_unitIndex].size;
}

CString CLengthFormat::FormatUnits(double value, bool inchesAlwaysWhole) const {
    switch (m_unitIndex) {
        case 2:
            return FormatFeetDecimalInches(value);
        case 3:
            return FormatFeetFractionalInches(value);
        case 5:
            return inchesAlwaysWhole ? FormatWholeAndFractionalInches(value) : FormatFractionalInches(value);
        default:
            return FormatDecimal(value);
    }
}

void CLengthFormat::FormatLength(CString& text, double length) const {
    text.Empty();
    if (!HasUnit()) {
        return;
    }
    const bool negative = length < 0.0;
    text = FormatUnits(std::fabs(length) / UnitSize(), false);
    // A length too small to show anything (minus zero among them) shows as nothing does, without
    // a sign.
    if (negative && text != FormatUnits(0.0, false)) {
        text = "-" + text;
    }
}

void CLengthFormat::FormatLengthValue(CString& text, double length, int negativeAsDecimal) const {
    if (!negativeAsDecimal || length >= 0.0 || !HasUnit()) {
        FormatLength(text, length);
        return;
    }
    CString magnitude;
    FormatLength(magnitude, -length);
    const double shown = ParseDouble(magnitude);
    text.Format("%.3f", shown == 0.0 ? 0.0 : -shown);
}

void CLengthFormat::FormatLengthFraction(CString& text, double value) const {
    text.Empty();
    if (HasUnit()) {
        text = FormatUnits(value, true);
    }
}

bool CLengthFormat::ReadTypedLength(const CString& text, double& length) const {
    if (!HasUnit())
        return false;
    CString magnitude = text;
    const bool negative = TakeSign(magnitude);
    double read = 0.0;
    if (!ReadMagnitude(magnitude, read) || !std::isfinite(read))
        return false;
    length = negative ? -read : read;
    return true;
}

bool CLengthFormat::ReadMagnitude(const CString& text, double& length) const {
    switch (m_unitIndex) {
        case 2:
        case 3:
            return ReadFeetAndInches(text, length);
        case 5:
            if (!ReadInches(text, length))
                return false;
            length *= kInch;
            return true;
        default:
            if (!ReadUnsignedDecimal(text, length))
                return false;
            length *= UnitSize();
            return true;
    }
}

CString CLengthFormat::DescribeTypedForms() const {
    switch (m_unitIndex) {
        case 2:
            return "Type feet and inches as 5' 6.5\", 5', 6.5\" or 5 (feet).";
        case 3:
            return "Type feet and inches as 5' 6 1/2\", 5', 6 1/2\" or 5 (feet).";
        case 5:
            return "Type inches as 2 1/2, 1/2, 2.5 or 2.";
        default:
            return HasUnit()
                       ? CString("Type a number of ") + kDecimalUnitWords[m_unitIndex] + ", as 12.5 or 1e3."
                       : CString();
    }
}

namespace {

// Rounds half up on the value scaled once. Scaling a second time to read the next digit can round
// a value just under a whole up to it, and the digit then read as 0 would drop the value a step
// below the text it was typed as.
double RoundHalfUpScaled(double value, double scale) {
    const double scaled = value * scale;
    const double below = std::floor(scaled);
    return scaled - below >= 0.5 ? below + 1.0 : below;
}

}  // namespace

void CLengthFormat::RoundToFraction(double fraction, int& numerator, int& denominator) {
    numerator = WholeNumber(RoundHalfUpScaled(fraction, 64.0));
    denominator = 64;
    while (numerator > 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
}

double CLengthFormat::RoundToThousandths(double q) {
    return RoundHalfUpScaled(q, 1000.0) * 0.001;
}
