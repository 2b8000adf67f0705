#include "track/TrackFieldRanges.h"

#include <algorithm>

#include "model/Units.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "ui/LengthEntry.h"

namespace track_fields {

namespace {

// Far below the last decimal any unit shows, so a bound moved by it still shows as itself.
constexpr double kInside = 1e-9;

double JustAbove(double bound) {
    return bound * (1.0 + kInside);
}

double JustBelow(double bound) {
    return bound * (1.0 - kInside);
}

// A thousandth of a degree: the least sweep the angle fields show above 0.
constexpr double kSmallestSweep = 0.001 * kPi / 180.0;

// The smallest radius of a curve of this gauge.
double SmallestRadius(const CParTrack& piece) {
    return std::max(kSmallestLength, JustAbove(piece.m_fGauge / 2.0));
}

}  // namespace

FieldRange LengthOf(const CParTrack& piece, bool angleHeld) {
    const CCircTrack* circle = dynamic_cast<const CCircTrack*>(&piece);
    if (circle == nullptr)
        return {kSmallestLength, kLargestFieldLength};
    if (angleHeld)
        return {std::max(kSmallestLength, circle->m_fSweep * SmallestRadius(piece)), kLargestFieldLength};
    return {kSmallestLength, std::min(kLargestFieldLength, kFullTurn * circle->m_fRadius)};
}

FieldRange RadiusOf(const CParTrack& piece, bool angleHeld) {
    const CCircTrack* circle = dynamic_cast<const CCircTrack*>(&piece);
    const double smallest = SmallestRadius(piece);
    if (circle == nullptr || angleHeld)
        return {smallest, kLargestFieldLength};
    return {std::max(smallest, JustAbove(circle->m_fLength / kFullTurn)), kLargestFieldLength};
}

FieldRange GaugeOf(const CParTrack& piece) {
    double radius = kLargestFieldLength;
    if (const CCircTrack* circle = dynamic_cast<const CCircTrack*>(&piece))
        radius = circle->m_fRadius;
    else if (const CArcTrack* ellipse = dynamic_cast<const CArcTrack*>(&piece))
        radius = std::min(ellipse->m_fRadiusX, ellipse->m_fRadiusY);
    return {0.0, std::min(kLargestFieldLength, JustBelow(2.0 * radius))};
}

FieldRange SweepOf(const CParTrack& piece, bool radiusHeld) {
    const CCircTrack* circle = dynamic_cast<const CCircTrack*>(&piece);
    if (circle == nullptr)
        return {kSmallestSweep, kFullTurn};
    if (radiusHeld)
        return {std::max(kSmallestSweep, kSmallestLength / circle->m_fRadius),
                std::min(kFullTurn, kLargestFieldLength / circle->m_fRadius)};
    return {std::max(kSmallestSweep, circle->m_fLength / kLargestFieldLength),
            std::min(kFullTurn, circle->m_fLength / SmallestRadius(piece))};
}

}  // namespace track_fields
