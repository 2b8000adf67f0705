#include "model/SettingRanges.h"

#include <algorithm>

#include "model/RecordReading.h"

namespace {

constexpr double kLeastPageSide = 1.0;
constexpr double kLeastViewScale = 1.0;

}  // namespace

double PageSideOr(double value, double fallback) {
    return InRangeOr(value, kLeastPageSide, kLargestCoordinate, fallback);
}

double ViewScaleOr(double value, double pageWidth, double pageHeight, double fallback) {
    const double fitting = std::max(pageWidth, pageHeight) / kLargestScaledSide;
    return std::max(InRangeOr(value, kLeastViewScale, kLargestViewScale, fallback), fitting);
}

double PrintScaleOr(double value, double fallback) {
    return InRangeOr(value, kLeastPrintScale, kLargestPrintScale, fallback);
}

int GridSizeOr(int value, int fallback) {
    return value > 0 && value <= kLargestCoordinate ? value : fallback;
}

int PenWidthOr(int value, int fallback) {
    return value >= 0 && value <= kLargestPenWidth ? value : fallback;
}
