#pragma once

#include <cstdlib>
#include <string>

#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "platform/base/CString.h"

// The bounds a field's refusal names, and texts a thousandth beyond them, for walks that find
// a field's range by what it says.

// The bounds a refusal names: "between A and B", the sentence's full stop left out.
inline bool NamedBounds(const CString& refusal, CString& low, CString& high) {
    const std::string text = refusal.c_str();
    const size_t between = text.find("between ");
    const size_t andAt = text.find(" and ", between);
    if (between == std::string::npos || andAt == std::string::npos)
        return false;
    std::string upper = text.substr(andAt + 5, text.find('\n', andAt) - andAt - 5);
    while (!upper.empty() && (upper.back() == '.' || upper.back() == ' ')) upper.pop_back();
    low = text.substr(between + 8, andAt - between - 8).c_str();
    high = upper.c_str();
    return true;
}

// A thousandth beyond the named bound (direction -1 below, +1 above), typed as a decimal: of
// the unit, of an inch where the unit shows inches, or of the plain number.
inline CString ThousandthBeyond(const CString& bound, double direction, bool length, int unit) {
    double value = std::strtod(bound.c_str(), nullptr);
    const bool inches = unit == 2 || unit == 3;
    if (length && CLengthFormat(unit).ReadTypedLength(bound, value))
        value /= inches ? kInch : SizeOfUnit(unit);
    CString text;
    text.Format(length && inches ? "%.6f\"" : "%.6f", value + direction * 0.001);
    return text;
}
