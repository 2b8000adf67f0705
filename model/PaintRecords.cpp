#include "model/PaintRecords.h"

#include <algorithm>
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

void DeviceRect::Inflate(int by) {
    left -= by;
    top -= by;
    right += by;
    bottom += by;
}

bool DeviceRect::Intersects(const DeviceRect& other) const {
    if (IsEmpty() || other.IsEmpty())
        return false;
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}
