#include "platform/base/TypedNumbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/base/NumberParsing.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

size_t SkipSign(std::string_view text, size_t at) {
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? at + 1 : at;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && SkipDigits(text, 0) == text.size();
}

// Sign, digits with at most one point (a digit on either side), an exponent with digits.
bool IsDecimal(std::string_view text) {
    const size_t mantissa = SkipSign(text, 0);
    size_t at = SkipDigits(text, mantissa);
    bool hasDigits = at != mantissa;
    if (at < text.size() && text[at] == '.') {
        const size_t fraction = at + 1;
        at = SkipDigits(text, fraction);
        hasDigits = hasDigits || at != fraction;
    }
    if (!hasDigits) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const size_t exponent = SkipSign(text, at + 1);
        at = SkipDigits(text, exponent);
        if (at == exponent) {
            return false;
        }
    }
    return at == text.size();
}

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

}  // namespace

bool ReadTypedDecimal(const CString& text, double& value) {
    const CString trimmed = Trimmed(text);
    if (!IsDecimal(std::string_view(trimmed.c_str(), trimmed.GetLength()))) {
        return false;
    }
    const double read = ParseDouble(trimmed.c_str());
    if (!std::isfinite(read)) {
        return false;
    }
    value = read;
    return true;
}

bool ReadTypedInteger(const CString& text, long long& value) {
    const CString trimmed = Trimmed(text);
    std::string_view digits(trimmed.c_str(), trimmed.GetLength());
    const bool hasSign = SkipSign(digits, 0) == 1;
    if (!AllDigits(digits.substr(hasSign ? 1 : 0))) {
        return false;
    }
    // from_chars takes a minus sign but no plus.
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    long long read = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), read);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return false;
    }
    value = read;
    return true;
}

bool ReadTypedDigits(const CString& text, double& value) {
    const CString trimmed = Trimmed(text);
    if (!AllDigits(std::string_view(trimmed.c_str(), trimmed.GetLength()))) {
        return false;
    }
    return ReadTypedDecimal(trimmed, value);
}
