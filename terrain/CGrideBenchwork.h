#pragma once

#include "terrain/CWalkerGride.h"

// A knot grid kept under the benchwork's schema; it adds nothing to the grid and is made
// only through its class record.
class CGrideBenchwork : public CWalkerGride {
    DECLARE_SERIAL(CGrideBenchwork)
};
