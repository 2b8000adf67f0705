#include "model/PaintRecords.h"

#include <algorithm>
#include <limits>
#include <utility>

void DeviceRect::Normalize() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void DeviceRect::Unite(const DeviceRect& other) {
    if (other.IsEmpty())
        return;
    if (IsEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

namespace {

// A side moved outward, held at the edge of the int range.
int Moved(int side, long long by) {
    constexpr long long kLowest = std::numeric_limits<int>::min();
    constexpr long long kHighest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(side + by, kLowest, kHighest));
}

}  // namespace

void DeviceRect::Inflate(int by) {
    left = Moved(left, -static_cast<long long>(by));
    top = Moved(top, -static_cast<long long>(by));
    right = Moved(right, by);
    bottom = Moved(bottom, by);
}

bool DeviceRect::Intersects(const DeviceRect& other) const {
    if (IsEmpty() || other.IsEmpty())
        return false;
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}
