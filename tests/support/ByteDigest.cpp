#include "tests/support/ByteDigest.h"

std::uint64_t ByteDigest(const std::vector<BYTE>& bytes) {
    std::uint64_t digest = 14695981039346656037ull;
    for (BYTE byte : bytes) digest = (digest ^ byte) * 1099511628211ull;
    return digest;
}
