#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Whole files as bytes, for tests that check a file byte for byte.
using FileBytes = std::vector<unsigned char>;

inline FileBytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return FileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const FileBytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
