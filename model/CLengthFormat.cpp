#include "model/CLengthFormat.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "model/Units.h"
#include "platform/base/NumberParsing.h"

namespace {

constexpr char kInchMark = '"';
constexpr char kFootMark = '\'';

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
    const double whole = std::floor(value);
    WholeAndFraction split;
    split.whole = WholeNumber(whole);
    CLengthFormat::RoundToFraction(value - whole, split.numerator, split.denominator);
    if (split.numerator == split.denominator) {
        split.whole += 1;
        split.numerator = 0;
    }
    return split;
}

double InchesOfFootRest(double feet) {
    return (feet - std::floor(feet)) * kFoot / kInch;
}

CString FormatFeetDecimalInches(double feet) {
    CString text;
    text.Format("%d' %.3f%c", WholeNumber(std::floor(feet)),
                CLengthFormat::RoundToThousandths(InchesOfFootRest(feet)), kInchMark);
    return text;
}

CString FormatFeetFractionalInches(double feet) {
    const WholeAndFraction inches = SplitFraction(InchesOfFootRest(feet));
    const int wholeFeet = WholeNumber(std::floor(feet));
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void SkipBlanks(const char*& cursor) {
    while (*cursor == ' ') {
        ++cursor;
    }
}

double Signed(double value, bool negative) {
    return negative ? -value : value;
}

double NumberOf(const CString& digits) {
    return ParseDouble(digits);
}

// Collects digits up to the stop character (passed), the end of the text or a full token,
// skipping everything else.
void CollectDigitsUntil(const char*& cursor, char stop, CString& digits) {
    while (digits.GetLength() < CLengthFormat::kMaxTokenLength && *cursor != '\0') {
        const char c = *cursor++;
        if (c == stop) {
            return;
        }
        if (IsDigit(c)) {
            digits += c;
        }
    }
}

// The first number of a fractional-inch text: digits up to a blank, a slash (both left
// under the cursor) or a full token; a minus sign anywhere in it makes the value negative.
// Answers true when an inch mark ended the number.
bool CollectLeadingDigits(const char*& cursor, CString& digits, bool& negative) {
    while (digits.GetLength() < CLengthFormat::kMaxTokenLength && *cursor != '\0' && *cursor != ' ' &&
           *cursor != '/') {
        const char c = *cursor++;
        if (c == kInchMark) {
            return true;
        }
        if (c == '-') {
            negative = true;
        } else if (IsDigit(c)) {
            digits += c;
        }
    }
    return false;
}

// The numerator after a whole number: digits up to a slash (passed) or a full token. Answers
// true when an inch mark came first, so there is no fraction.
bool CollectNumeratorDigits(const char*& cursor, CString& digits) {
    while (digits.GetLength() < CLengthFormat::kMaxTokenLength && *cursor != '\0') {
        const char c = *cursor++;
        if (c == kInchMark) {
            return true;
        }
        if (c == '/') {
            return false;
        }
        if (IsDigit(c)) {
            digits += c;
        }
    }
    return false;
}

// The whole text one decimal number, as a decimal unit's field shows it.
bool IsDecimalNumber(const CString& text) {
    const char* first = text.c_str();
    const char* last = first + text.GetLength();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    return error == std::errc() && end == last && first != last;
}

// Feet and inches are read leniently, digit by digit, so only their marks may stand beside
// the digits.
bool IsFeetAndInches(const CString& text) {
    bool digit = false;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (IsDigit(c))
            digit = true;
        else if (std::strchr("-. '\"/", c) == nullptr)
            return false;
    }
    return digit;
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
    text = FormatUnits((negative ? -length : length) / UnitSize(), false);
    if (negative) {
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
    text.Format("%.3f", -ParseDouble(magnitude));
}

void CLengthFormat::FormatLengthFraction(CString& text, double value) const {
    text.Empty();
    if (HasUnit()) {
        text = FormatUnits(value, true);
    }
}

double CLengthFormat::ParseLength(const char* text) const {
    if (!HasUnit() || text == nullptr) {
        return 0.0;
    }
    switch (m_unitIndex) {
        case 2:
            return ParseFeetAndInches(text, false);
        case 3:
            return ParseFeetAndInches(text, true);
        case 5:
            return ParseFractionalInches(text) * kInch;
        default:
            return ParseDouble(text) * UnitSize();
    }
}

bool CLengthFormat::ReadTypedLength(const CString& text, double& length) const {
    if (!HasUnit())
        return false;
    CString trimmed = text;
    trimmed.Trim();
    const bool decimal = m_unitIndex != 2 && m_unitIndex != 3 && m_unitIndex != 5;
    if (!(decimal ? IsDecimalNumber(trimmed) : IsFeetAndInches(trimmed)))
        return false;
    const double value = ParseLength(trimmed.c_str());
    if (!std::isfinite(value))
        return false;
    length = value;
    return true;
}

double CLengthFormat::ParseFeetAndInches(const char* text, bool fractionalInches) const {
    CString token;
    const int kind = NextLengthToken(text, token);
    double feet = 0.0;
    double inches = 0.0;
    if (kind == tokenInches) {
        inches = NumberOf(token);
    } else {
        feet = NumberOf(token);
    }
    if (kind == tokenFeet) {
        if (fractionalInches) {
            inches = ParseFractionalInches(text);
        } else {
            NextLengthToken(text, token);
            inches = NumberOf(token);
        }
    }
    if (feet < 0.0 || inches < 0.0) {
        return -(std::fabs(inches) * kInch + std::fabs(feet) * kFoot);
    }
    return inches * kInch + feet * kFoot;
}

void CLengthFormat::RoundToFraction(double fraction, int& numerator, int& denominator) {
    const double sixtyFourths = fraction * 64.0;
    const double firstDecimal = std::fmod(std::trunc(sixtyFourths * 10.0), 10.0);
    numerator = WholeNumber(firstDecimal >= 5.0 ? std::ceil(sixtyFourths) : std::floor(sixtyFourths));
    denominator = 64;
    while (numerator > 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
}

int CLengthFormat::NextLengthToken(const char*& cursor, CString& token) {
    token.Empty();
    bool hasPoint = false;
    while (token.GetLength() < kMaxTokenLength && *cursor != '\0') {
        const char c = *cursor++;
        if (c == kFootMark) {
            return tokenFeet;
        }
        if (c == kInchMark) {
            return tokenInches;
        }
        if (c == '-' || IsDigit(c)) {
            token += c;
        } else if (c == '.' && !hasPoint) {
            hasPoint = true;
            token += c;
        }
    }
    return tokenPlain;
}

double CLengthFormat::ParseFractionalInches(const char*& cursor) {
    bool negative = false;
    CString leadingDigits;
    SkipBlanks(cursor);
    if (CollectLeadingDigits(cursor, leadingDigits, negative)) {
        return Signed(NumberOf(leadingDigits), negative);
    }

    double whole = 0.0;
    double numerator = 0.0;
    if (*cursor == '/') {
        numerator = NumberOf(leadingDigits);
        ++cursor;
    } else {
        whole = NumberOf(leadingDigits);
        SkipBlanks(cursor);
        CString numeratorDigits;
        if (CollectNumeratorDigits(cursor, numeratorDigits)) {
            return Signed(whole, negative);
        }
        numerator = NumberOf(numeratorDigits);
    }

    CString denominatorDigits;
    CollectDigitsUntil(cursor, kInchMark, denominatorDigits);
    const double denominator = NumberOf(denominatorDigits);
    const double value = denominator != 0.0 ? whole + numerator / denominator : whole;
    return Signed(value, negative);
}

double CLengthFormat::RoundToThousandths(double q) {
    const double fourthDecimal = std::fmod(std::floor(q * 10000.0), 10.0);
    return fourthDecimal >= 5.0 ? std::ceil(q * 1000.0) * 0.001 : std::floor(q * 1000.0) * 0.001;
}
