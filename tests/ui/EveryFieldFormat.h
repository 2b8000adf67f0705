#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "ui/CFieldFormat.h"

// A format a field shows values in, with what its texts look like: a length in a unit of the
// table, or a number with so many places, trailing zeros trimmed or not.
struct NamedFieldFormat {
    CString name;
    CFieldFormat format;
    int unit;  // -1 for a number
    int places;
    bool trimmed;
    bool degrees;  // a field of degrees shows it
};

// Every unit's lengths and every kind of number, plain and as the dialogs show them (percent,
// degrees of radians, one less the value).
std::vector<NamedFieldFormat> EveryFieldFormat();
