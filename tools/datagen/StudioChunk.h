#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One chunk of a 3D Studio (.3ds) file: a 16-bit id, a 32-bit length that counts the 6-byte
// header, then the content, which holds data and nested chunks. Little-endian throughout.
class StudioChunk {
  public:
    explicit StudioChunk(std::uint16_t id) : m_id(id) {}

    StudioChunk& U8(std::uint8_t value) { return Bytes(&value, 1); }
    StudioChunk& U16(std::uint16_t value);
    StudioChunk& F32(float value);
    // A zero-terminated text.
    StudioChunk& Text(const std::string& text) { return Bytes(text.c_str(), text.size() + 1); }
    StudioChunk& Add(const StudioChunk& child);
    std::vector<std::uint8_t> Serialise() const;

  private:
    StudioChunk& Bytes(const void* data, std::size_t size);

    std::uint16_t m_id;
    std::vector<std::uint8_t> m_content;
};
