#include "platform/base/NumberParsing.h"

#include <locale.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

const char* SkipBlanks(const char* text) {
    while (IsBlank(*text)) {
        ++text;
    }
    return text;
}

const char* SkipDigits(const char* text) {
    while (IsDigit(*text)) {
        ++text;
    }
    return text;
}

const char* SkipSign(const char* text) {
    return (*text == '+' || *text == '-') ? text + 1 : text;
}

// The end of the number at text: sign, digits with at most one point (at least one digit), then an
// exponent only when digits follow its letter. text itself when there is no number.
const char* EndOfDecimal(const char* text) {
    const char* mantissa = SkipSign(text);
    const char* end = SkipDigits(mantissa);
    bool hasDigits = end != mantissa;
    if (*end == '.') {
        const char* fraction = end + 1;
        end = SkipDigits(fraction);
        hasDigits = hasDigits || end != fraction;
    }
    if (!hasDigits) {
        return text;
    }
    if (*end == 'e' || *end == 'E') {
        const char* exponent = SkipSign(end + 1);
        if (IsDigit(*exponent)) {
            end = SkipDigits(exponent);
        }
    }
    return end;
}

locale_t ClassicLocale() {
    static locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

}  // namespace

double ParseDouble(const char* text) {
    if (!text) {
        return 0.0;
    }
    const char* start = SkipBlanks(text);
    const char* end = EndOfDecimal(start);
    if (end == start) {
        return 0.0;
    }
    // Only the scanned number reaches the conversion, so its hexadecimal, "inf" and "nan" forms,
    // which the runtime's atof never knew, stay unread.
    std::string number(start, end);
    return strtod_l(number.c_str(), nullptr, ClassicLocale());
}

int ParseInt(const char* text) {
    if (!text) {
        return 0;
    }
    const char* digits = SkipBlanks(text);
    bool negative = *digits == '-';
    digits = SkipSign(digits);
    long long value = 0;
    for (; IsDigit(*digits); ++digits) {
        value = value * 10 + (*digits - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
