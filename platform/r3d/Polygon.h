#pragma once

#include "platform/r3d/Material.h"

#include <vector>

namespace r3d {

// A face of a clump: its corners as vertex numbers (from 1, in the clump's insertion order),
// its surface and a tag that only the builder gives meaning to.
struct Polygon {
    std::vector<int> vertices;
    Material material;
    int tag = 0;
};

}  // namespace r3d
