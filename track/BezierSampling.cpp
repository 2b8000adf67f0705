#include "track/BezierSampling.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kOneStep = 0.03125f;

bool CountFitsDegree(uint32_t count, uint16_t degree) {
    if (degree == 0 || degree > kBezierMaxDegree || count < static_cast<uint32_t>(degree) + 1u)
        return false;
    const uint32_t points = degree + 1u;
    if (degree + 2u < count)
        return (count + 1u) % points == 0;
    return count % points == 0;
}

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

void EvalBezierStep(float (*buffer)[2], float a, float b, uint16_t degree) {
    for (int level = degree; level >= 1; --level)
        for (int k = 0; k < level; ++k) {
            buffer[k][0] = (buffer[k][0] * a + buffer[k + 1][0] * b) * kOneStep;
            buffer[k][1] = (buffer[k][1] * a + buffer[k + 1][1] * b) * kOneStep;
        }
}

int SampleBezier(const int32_t (*points)[2], uint32_t count, uint16_t degree, int accumulate,
                 BezierSamples& samples, double& length) {
    if (!CountFitsDegree(count, degree))
        return 0;
    float buffer[kBezierMaxDegree + 1][2] = {};
    const uint32_t segments = count / degree;
    for (uint32_t s = 0; s < segments; ++s) {
        const int32_t(*first)[2] = points + s * degree;
        double previousX = 0.0, previousY = 0.0;
        for (int i = 0; i <= kBezierSteps; ++i) {
            for (int k = 0; k <= degree; ++k) {
                buffer[k][0] = static_cast<float>(first[k][0]);
                buffer[k][1] = static_cast<float>(first[k][1]);
            }
            EvalBezierStep(buffer, static_cast<float>(kBezierSteps - i), static_cast<float>(i), degree);
            samples.points[i][0] = Truncated(buffer[0][0]);
            samples.points[i][1] = Truncated(buffer[0][1]);
            const double x = buffer[0][0], y = buffer[0][1];
            if (i > 0 && accumulate)
                length += std::sqrt((x - previousX) * (x - previousX) + (y - previousY) * (y - previousY));
            previousX = x;
            previousY = y;
        }
    }
    return 1;
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
