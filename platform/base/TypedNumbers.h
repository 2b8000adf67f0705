#pragma once

#include "platform/base/CString.h"

// Numbers as a person types them into a field, one rule for every field: blanks around, an
// optional sign, then digits with at most one decimal point and, for decimals, an optional
// exponent ("1e3"). Anything else is no number: words ("inf", "nan"), hexadecimal, commas, a
// second number, a text beyond any finite value. On false the value is left as it was.

bool ReadTypedDecimal(const CString& text, double& value);
// A whole number; one beyond the range of long long is no number either.
bool ReadTypedInteger(const CString& text, long long& value);
// Digits alone, not even a sign: the parts of a fraction such as "3/8".
bool ReadTypedDigits(const CString& text, double& value);
