#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

// A layout file of an older version, built by hand: the document record up to its version,
// the given default-track record (a null object when empty; none before version 14), the
// engine record with layers 1 and 3 hidden, and an empty root group.
std::vector<BYTE> OlderLayoutFile(int version, const std::vector<BYTE>& defaultTrackRecord = {});
