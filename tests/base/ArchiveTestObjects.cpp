#include "tests/base/ArchiveTestObjects.h"

#include <bit>

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestNode, CObject, 2)
IMPLEMENT_SERIAL(CTestEmpty, CObject, 1)

void CTestPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_x;
    } else {
        ar >> m_x;
    }
}

CTestNode::~CTestNode() {
    while (!m_children.IsEmpty()) {
        delete m_children.RemoveHead();
    }
}

void CTestNode::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_name << m_value;
    } else {
        ar >> m_name >> m_value;
    }
    m_children.Serialize(ar);
}

ByteWriter& ByteWriter::Byte(BYTE value) {
    bytes.push_back(value);
    return *this;
}

ByteWriter& ByteWriter::Word(WORD value) {
    return Byte(static_cast<BYTE>(value)).Byte(static_cast<BYTE>(value >> 8));
}

ByteWriter& ByteWriter::Dword(DWORD value) {
    return Word(static_cast<WORD>(value)).Word(static_cast<WORD>(value >> 16));
}

ByteWriter& ByteWriter::Double(double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    return Dword(static_cast<DWORD>(bits)).Dword(static_cast<DWORD>(bits >> 32));
}

ByteWriter& ByteWriter::Text(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
}

ByteWriter& ByteWriter::NewClass(WORD schema, const std::string& name) {
    return Word(0xFFFF).Word(schema).Word(static_cast<WORD>(name.size())).Text(name);
}
