#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

// A layout file of an older version, built byte by byte: the document record up to its
// version, the given default-track record (a null object when empty; none before version 14),
// the engine record with layers 1 and 3 hidden, and a root group holding an object of each
// class named, numbered from 1 in order (their records as tests/model/OlderLayoutFileRecords.h
// writes them).
std::vector<BYTE> OlderLayoutFile(int version, const std::vector<BYTE>& defaultTrackRecord = {},
                                  const std::vector<std::string>& memberClasses = {});
// The same with the point arrays of the objects of the classes named in pointless left empty.
std::vector<BYTE> OlderLayoutFileWithoutPoints(int version, const std::vector<std::string>& memberClasses,
                                               const std::vector<std::string>& pointless);
// The same file with the place of every double in it, so that a test can set each in turn.
struct OlderLayoutFileDoubles {
    std::vector<BYTE> bytes;
    std::vector<std::size_t> doubleOffsets;
};
OlderLayoutFileDoubles OlderLayoutFileWithDoubles(int version, const std::vector<std::string>& memberClasses);
