#include "model/RecordReading.h"

#include <algorithm>
#include <cmath>

#include "model/PaintRecords.h"
#include "model/SettingRanges.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"

int ReadInt(CArchive& ar) {
    int value = 0;
    ar >> value;
    return value;
}

void ReadPen(CArchive& ar, PenRecord& pen) {
    ar >> pen.style;
    pen.widthX = PenWidthOr(ReadInt(ar), 1);
    pen.widthY = PenWidthOr(ReadInt(ar), 0);
    pen.color = static_cast<COLORREF>(ReadInt(ar));
}

void ReadBrush(CArchive& ar, BrushRecord& brush) {
    ar >> brush.style;
    brush.color = static_cast<COLORREF>(ReadInt(ar));
    ar >> brush.hatch;
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

double PositiveUpToOr(double value, double largest, double fallback) {
    return value <= largest ? PositiveOr(value, fallback) : fallback;
}

double InRangeOr(double value, double least, double largest, double fallback) {
    return value >= least && value <= largest ? value : fallback;
}

double CoordinateInRange(double value) {
    return std::isfinite(value) ? std::clamp(value, -kLargestCoordinate, kLargestCoordinate) : 0.0;
}

double TurnWithinOne(double value) {
    constexpr double kLargestKeptTurn = 1e6 * kFullTurn;
    if (!std::isfinite(value))
        return 0.0;
    return std::fabs(value) <= kLargestKeptTurn ? value : std::fmod(value, kFullTurn);
}

int IndexOr(int value, int count, int fallback) {
    return value >= 0 && value < count ? value : fallback;
}
