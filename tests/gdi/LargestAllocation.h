#pragma once

#include <cstddef>

// The largest block the test program's operator new hands out while a watch is kept: what a
// reader asks for before it refuses a picture shows here, whatever it frees again.
class LargestAllocation {
  public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;

    std::size_t Bytes() const;
};
