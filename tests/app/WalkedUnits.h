#pragma once

#include <vector>

#include "model/Units.h"

// The units the walks over every field run in: every unit, but under the sanitizers the default
// one only. The sanitizers look for faults of memory and undefined behaviour in the code a walk
// reaches, and another unit changes only how lengths are written and read, which the length
// format's, the typed fields' and the field bounds' tests check in every unit under the
// sanitizers too; walking every field once more in each unit there would cost a sanitized run
// an hour of one core.
inline std::vector<int> WalkedUnits() {
#if defined(__SANITIZE_ADDRESS__)
    return {kDefaultUnitIndex};
#else
    std::vector<int> units;
    for (int unit = 0; unit < kUnitCount; ++unit) units.push_back(unit);
    return units;
#endif
}
