#pragma once

#include <gtest/gtest.h>

// A walk that takes minutes runs as kWalkParts tests, each taking every kWalkParts-th of the
// cases the walk finds: CTest runs the parts side by side, so the longest test of the run is a
// part of a walk, not the whole of one.
inline constexpr int kWalkParts = 4;

class WalkPart : public testing::WithParamInterface<int> {
  protected:
    // Whether this part walks the case the walk found at this ordinal.
    static bool Takes(int ordinal) { return ordinal % kWalkParts == GetParam(); }
};
