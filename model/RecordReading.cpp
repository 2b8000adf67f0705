#include "model/RecordReading.h"

#include <cmath>

#include "platform/base/CArchive.h"

int ReadInt(CArchive& ar) {
    int value = 0;
    ar >> value;
    return value;
}

double ReadDouble(CArchive& ar) {
    double value = 0.0;
    ar >> value;
    return value;
}

CString ReadString(CArchive& ar) {
    CString value;
    ar >> value;
    return value;
}

double PositiveOr(double value, double fallback) {
    return std::isfinite(value) && value > 0.0 ? value : fallback;
}

double FiniteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

int IndexOr(int value, int count, int fallback) {
    return value >= 0 && value < count ? value : fallback;
}
