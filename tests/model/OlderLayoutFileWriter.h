#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/Geometry.h"

// The bytes of a layout file put together one field at a time in the file's own encodings,
// all little-endian, without the program's archive, so that what the program reads is checked
// against the format rather than against its own writer.
class OlderLayoutFileWriter {
  public:
    explicit OlderLayoutFileWriter(int version) : m_version(version) {}

    int Version() const { return m_version; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // Where each double written starts, in the order written.
    const std::vector<std::size_t>& DoubleOffsets() const { return m_doubleOffsets; }

    void Int(int value);
    void Double(double value);
    void Float(float value);
    void Byte(std::uint8_t value);
    // A length below 255 in one byte, else 0xFF and a 16-bit length; then the characters.
    void String(const std::string& text);
    // 16-bit, or 0xFFFF and a 32-bit count.
    void Count(std::uint32_t count);
    // The count, then each point as two doubles.
    void PointArray(const std::vector<CDoublePoint>& points);
    void Point(const CDoublePoint& point);
    // The tag of an object of the class: the class's name and schema the first time, its index
    // after that. Class and object each take the next index.
    void ObjectTag(const std::string& className, int schema);
    void NullObject();
    // Five ints, eight bytes and the face name as exactly 32 characters padded with zeros.
    void FontRecord(int height, int weight, std::uint8_t italic, const std::string& face);
    // Bytes written elsewhere, holding one new class and one object.
    void ObjectRecordBytes(const std::vector<std::uint8_t>& bytes);

  private:
    void Word(std::uint16_t value);
    void Raw(const void* data, std::size_t size);

    int m_version;
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::size_t> m_doubleOffsets;
    std::map<std::string, int> m_classIndex;
    int m_nextIndex = 1;
};
