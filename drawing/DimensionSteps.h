#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CPaint.h"
#include "model/Geometry.h"

// The step kinds that set the points of a dimension line and of a dimension angle.
constexpr int kStepDimensionLine = 44;
constexpr int kStepDimensionAngle = 45;

// Points 1 to N of a dimension object, local, and its label flag: the line's three, the
// angle's four.
template <std::size_t N>
struct DimensionPayload : CStepPayload {
    std::array<CDoublePoint, N> points{};
    int label = 1;
};

// Sets points 1 to N and the label flag through a step of the kind: with record set the step is
// only pushed for undo and the answer is 1; else it runs at once and its answer is returned.
template <std::size_t N>
int RunDimensionStep(CPaint& shape, int kind, const std::array<CDoublePoint, N>& points, int label,
                     int record, int groupStart) {
    auto payload = std::make_unique<DimensionPayload<N>>();
    payload->points = points;
    payload->label = label;
    auto step = std::make_unique<CEditStep>(kind, &shape, groupStart);
    step->SetPayload(std::move(payload));
    return RecordOrApply(shape, std::move(step), record != 0);
}

// Puts the step's points into points 1 to N and answers its label flag in label; false, with
// nothing changed, for a step that holds no such points.
template <std::size_t N>
bool TakeDimensionStep(CPaint& shape, const CEditStep& step, int& label) {
    const auto* payload = step.GetPayload<DimensionPayload<N>>();
    if (payload == nullptr || shape.m_points.GetSize() <= static_cast<int>(N))
        return false;
    for (std::size_t i = 0; i < N; ++i) shape.m_points[static_cast<int>(i) + 1] = payload->points[i];
    label = payload->label;
    return true;
}

// Applies a step of points 1 to N to a dimension object and rebuilds its figure; 0, with
// nothing changed, when the object lacks its points or the step holds none.
template <std::size_t N, class Dimension>
int ApplyDimensionStep(Dimension& shape, CEditStep& step, int& label) {
    shape.Invalidate();
    if (shape.m_points.GetSize() < Dimension::kPointCount || !TakeDimensionStep<N>(shape, step, label))
        return 0;
    shape.RebuildShape();
    shape.Invalidate();
    return 1;
}
