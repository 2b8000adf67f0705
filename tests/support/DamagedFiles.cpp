#include "tests/support/DamagedFiles.h"

#include <random>
#include <string>

namespace {

constexpr int kTextLines = 50;
constexpr unsigned kSeeds[] = {1, 2, 3};
constexpr std::size_t kRandomLengths[] = {1400, 200, 12};

FileBytes RandomBytes(unsigned seed, std::size_t length) {
    std::mt19937 random(seed);
    FileBytes bytes(length);
    for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random() & 0xFF);
    return bytes;
}

}  // namespace

FileBytes TextContent() {
    std::string text;
    for (int line = 0; line < kTextLines; ++line) text += "hello, this is not a layout\n";
    return FileBytes(text.begin(), text.end());
}

std::vector<FileBytes> DamagedContents() {
    std::vector<FileBytes> contents{TextContent()};
    for (std::size_t i = 0; i < std::size(kSeeds); ++i)
        contents.push_back(RandomBytes(kSeeds[i], kRandomLengths[i]));
    return contents;
}
