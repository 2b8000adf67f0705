#include "model/BezierEvaluation.h"

namespace {

constexpr float kOneStep = 0.03125f;

}  // namespace

void EvalBezierStep(float (*buffer)[2], float a, float b, uint16_t degree) {
    for (int level = degree; level >= 1; --level)
        for (int k = 0; k < level; ++k) {
            buffer[k][0] = (buffer[k][0] * a + buffer[k + 1][0] * b) * kOneStep;
            buffer[k][1] = (buffer[k][1] * a + buffer[k + 1][1] * b) * kOneStep;
        }
}

bool BezierCountFitsDegree(uint32_t count, uint16_t degree) {
    if (degree == 0 || degree > kBezierMaxDegree || count < static_cast<uint32_t>(degree) + 1u)
        return false;
    const uint32_t points = degree + 1u;
    if (degree + 2u < count)
        return (count + 1u) % points == 0;
    return count % points == 0;
}
