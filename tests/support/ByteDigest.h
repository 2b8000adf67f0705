#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"

// A 64-bit FNV-1a digest of the bytes, for tests that hold a file or a picture to what it was.
std::uint64_t ByteDigest(const std::vector<BYTE>& bytes);
