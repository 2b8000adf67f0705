#pragma once

#include <cstdint>

#include "model/Geometry.h"

// Bezier curves sampled as the spline track draws them: 33 samples per segment, single
// precision throughout, samples truncated toward zero.

constexpr int kBezierSteps = 32;
constexpr int kBezierSamples = kBezierSteps + 1;
// The largest degree a call may ask for; higher degrees are refused.
constexpr int kBezierMaxDegree = 15;

struct BezierSamples {
    int32_t points[kBezierSamples][2] = {};
};

// A coordinate as sampling takes it, truncated toward zero; beyond the int32 range, or not
// a number, nothing means anything, so the conversion is kept defined.
int32_t ToSampleCoordinate(double value);

// One de Casteljau evaluation in place at t = b / 32 (a + b must be 32); the point ends in
// buffer[0].
void EvalBezierStep(float (*buffer)[2], float a, float b, uint16_t degree);

// Samples the segments of n control points of the given degree into the samples (each
// segment overwrites the previous one's) and, when accumulating, adds the chords to the
// length. Returns 0 and writes nothing when the count does not fit the degree.
int SampleBezier(const int32_t (*points)[2], uint32_t count, uint16_t degree, int accumulate,
                 BezierSamples& samples, double& length);
// Samples one cubic segment through its four control points, each coordinate taken as
// sampling takes it, as above.
int SampleCubic(const CDoublePoint (&controls)[4], int accumulate, BezierSamples& samples, double& length);
// The sample at the index as a point.
CDoublePoint SamplePoint(const BezierSamples& samples, int index);
