#include "track/BezierSampling.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Truncated(float value) {
    // Outside the int32 range nothing is meaningful; keep the conversion defined.
    if (!(std::fabs(value) < 2147483520.0f))
        return 0;
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t ToSampleCoordinate(double value) {
    return std::isfinite(value) ? static_cast<int32_t>(std::clamp(value, -2.0e9, 2.0e9)) : 0;
}

int SampleBezier(const int32_t (*points)[2], uint32_t count, uint16_t degree, int accumulate,
                 BezierSamples& samples, double& length) {
    double previousX = 0.0, previousY = 0.0;
    const bool sampled = ForEachBezierSample(points, count, degree, [&](int i, float sampleX, float sampleY) {
        samples.points[i][0] = Truncated(sampleX);
        samples.points[i][1] = Truncated(sampleY);
        const double x = sampleX, y = sampleY;
        if (i > 0 && accumulate)
            length += std::sqrt((x - previousX) * (x - previousX) + (y - previousY) * (y - previousY));
        previousX = x;
        previousY = y;
    });
    return sampled ? 1 : 0;
}

int SampleCubic(const CDoublePoint (&controls)[4], int accumulate, BezierSamples& samples, double& length) {
    int32_t points[4][2];
    for (int k = 0; k < 4; ++k) {
        points[k][0] = ToSampleCoordinate(controls[k].x);
        points[k][1] = ToSampleCoordinate(controls[k].y);
    }
    return SampleBezier(points, 4, 3, accumulate, samples, length);
}

CDoublePoint SamplePoint(const BezierSamples& samples, int index) {
    return {static_cast<double>(samples.points[index][0]), static_cast<double>(samples.points[index][1])};
}
