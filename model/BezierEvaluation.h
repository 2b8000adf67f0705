#pragma once

#include <cstdint>

// Bezier curves as every curve of the plan samples them: 33 samples per segment, evaluated by
// repeated interpolation in single precision.

constexpr int kBezierSteps = 32;
constexpr int kBezierSamples = kBezierSteps + 1;
// The largest degree a call may ask for; higher degrees are refused.
constexpr int kBezierMaxDegree = 15;

// One de Casteljau evaluation in place at t = b / 32 (a + b must be 32); the point ends in
// buffer[0].
void EvalBezierStep(float (*buffer)[2], float a, float b, uint16_t degree);

// Whether n control points make whole segments of the degree: segments share their end points,
// so beyond one segment n + 1 is a multiple of degree + 1.
bool BezierCountFitsDegree(uint32_t count, uint16_t degree);

// Calls visit(i, x, y) for the samples i = 0 .. 32 of every segment of the control points, each
// evaluated afresh from the segment's points; false, visiting nothing, when the count does not
// fit the degree.
template <class Visit>
bool ForEachBezierSample(const int32_t (*points)[2], uint32_t count, uint16_t degree, Visit&& visit) {
    if (!BezierCountFitsDegree(count, degree))
        return false;
    float buffer[kBezierMaxDegree + 1][2] = {};
    for (uint32_t first = 0; first + degree < count; first += degree)
        for (int i = 0; i <= kBezierSteps; ++i) {
            for (int k = 0; k <= degree; ++k) {
                buffer[k][0] = static_cast<float>(points[first + k][0]);
                buffer[k][1] = static_cast<float>(points[first + k][1]);
            }
            EvalBezierStep(buffer, static_cast<float>(kBezierSteps - i), static_cast<float>(i), degree);
            visit(i, buffer[0][0], buffer[0][1]);
        }
    return true;
}
