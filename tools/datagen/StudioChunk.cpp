#include "tools/datagen/StudioChunk.h"

#include <cstring>

namespace {

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

StudioChunk& StudioChunk::U16(std::uint16_t value) {
    AppendLittleEndian(m_content, value, 2);
    return *this;
}

StudioChunk& StudioChunk::F32(float value) {
    std::uint32_t bits = 0;
    static_assert(sizeof(bits) == sizeof(value));
    std::memcpy(&bits, &value, sizeof(bits));
    AppendLittleEndian(m_content, bits, 4);
    return *this;
}

StudioChunk& StudioChunk::Add(const StudioChunk& child) {
    const std::vector<std::uint8_t> bytes = child.Serialise();
    return Bytes(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> StudioChunk::Serialise() const {
    std::vector<std::uint8_t> out;
    AppendLittleEndian(out, m_id, 2);
    AppendLittleEndian(out, static_cast<std::uint32_t>(m_content.size() + 6), 4);
    out.insert(out.end(), m_content.begin(), m_content.end());
    return out;
}

StudioChunk& StudioChunk::Bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_content.insert(m_content.end(), p, p + size);
    return *this;
}
