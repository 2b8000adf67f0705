#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "tests/support/ByteDigest.h"

// A digest of every pixel of a picture, for tests that hold a window to what it showed.
inline std::uint64_t PixelDigest(const PixelSurface& pixels) {
    std::vector<BYTE> bytes(static_cast<std::size_t>(pixels.Width()) * pixels.Height() *
                            sizeof(std::uint32_t));
    std::memcpy(bytes.data(), pixels.Row(0), bytes.size());
    return ByteDigest(bytes);
}
