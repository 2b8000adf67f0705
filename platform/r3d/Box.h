#pragma once

#include "platform/r3d/Vector.h"

#include <algorithm>
#include <limits>

namespace r3d {

// An axis-aligned box; a new box is empty (inverted) and widening it by an empty box changes nothing.
struct Box {
    Vec3 min{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 max{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
             -std::numeric_limits<float>::max()};

    bool Empty() const { return min.x > max.x || min.y > max.y || min.z > max.z; }
    Vec3 Centre() const { return (min + max) * 0.5f; }

    void Extend(const Vec3& p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    void Extend(const Box& other) {
        if (!other.Empty()) {
            Extend(other.min);
            Extend(other.max);
        }
    }
};

}  // namespace r3d
