#pragma once

#include "model/CPaint.h"

// What the measures, the dimensions and the camera share: a label font of their own that a
// copy takes along, and a copy made by a new shape of the same class.
namespace labelled {

// Takes the label font of another shape of the same class and answers that shape; nothing
// from one of another class.
template <class Shape>
Shape* CopyLabelFont(Shape& shape, CPaint* other) {
    auto* source = dynamic_cast<Shape*>(other);
    if (source != nullptr)
        shape.m_labelFont.SetDescription(source->m_labelFont.Description());
    return source;
}

// A new shape of the same class with every value of the original.
template <class Shape>
CPaint* Clone(Shape& original) {
    auto* copy = new Shape;
    copy->CopyFrom(&original);
    return copy;
}

}  // namespace labelled
