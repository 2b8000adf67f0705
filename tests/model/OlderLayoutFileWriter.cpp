#include "tests/model/OlderLayoutFileWriter.h"

#include <bit>

static_assert(std::endian::native == std::endian::little, "the bytes are copied as the machine holds them");

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassIndexBit = 0x8000;
constexpr std::size_t kFaceNameLength = 32;

}  // namespace

void OlderLayoutFileWriter::Raw(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}

void OlderLayoutFileWriter::Word(std::uint16_t value) {
    Raw(&value, sizeof value);
}

void OlderLayoutFileWriter::Int(int value) {
    const std::int32_t stored = value;
    Raw(&stored, sizeof stored);
}

void OlderLayoutFileWriter::Double(double value) {
    m_doubleOffsets.push_back(m_bytes.size());
    Raw(&value, sizeof value);
}

void OlderLayoutFileWriter::Float(float value) {
    Raw(&value, sizeof value);
}

void OlderLayoutFileWriter::Byte(std::uint8_t value) {
    m_bytes.push_back(value);
}

void OlderLayoutFileWriter::String(const std::string& text) {
    if (text.size() < 0xFF) {
        Byte(static_cast<std::uint8_t>(text.size()));
    } else {
        Byte(0xFF);
        Word(static_cast<std::uint16_t>(text.size()));
    }
    Raw(text.data(), text.size());
}

void OlderLayoutFileWriter::Count(std::uint32_t count) {
    if (count < 0xFFFF) {
        Word(static_cast<std::uint16_t>(count));
        return;
    }
    Word(0xFFFF);
    Raw(&count, sizeof count);
}

void OlderLayoutFileWriter::Point(const CDoublePoint& point) {
    Double(point.x);
    Double(point.y);
}

void OlderLayoutFileWriter::PointArray(const std::vector<CDoublePoint>& points) {
    Count(static_cast<std::uint32_t>(points.size()));
    for (const CDoublePoint& point : points) Point(point);
}

void OlderLayoutFileWriter::ObjectTag(const std::string& className, int schema) {
    if (auto seen = m_classIndex.find(className); seen != m_classIndex.end()) {
        Word(static_cast<std::uint16_t>(kClassIndexBit | seen->second));
    } else {
        Word(kNewClassTag);
        Word(static_cast<std::uint16_t>(schema));
        Word(static_cast<std::uint16_t>(className.size()));
        Raw(className.data(), className.size());
        m_classIndex[className] = m_nextIndex++;
    }
    ++m_nextIndex;
}

void OlderLayoutFileWriter::NullObject() {
    Word(0);
}

void OlderLayoutFileWriter::FontRecord(int height, int weight, std::uint8_t italic, const std::string& face) {
    for (int value : {height, 0, 0, 0, weight}) Int(value);
    for (std::uint8_t value : {italic, std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{0},
                               std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{0}})
        Byte(value);
    std::string padded = face.substr(0, kFaceNameLength);
    padded.resize(kFaceNameLength, '\0');
    String(padded);
}

void OlderLayoutFileWriter::ObjectRecordBytes(const std::vector<std::uint8_t>& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    m_nextIndex += 2;
}
