#pragma once

#include <cstdint>

#include "model/BezierEvaluation.h"
#include "model/Geometry.h"

// Bezier curves sampled as the spline track draws them: samples truncated toward zero.

struct BezierSamples {
    int32_t points[kBezierSamples][2] = {};
};

// A coordinate as sampling takes it, truncated toward zero; beyond the int32 range, or not
// a number, nothing means anything, so the conversion is kept defined.
int32_t ToSampleCoordinate(double value);

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
