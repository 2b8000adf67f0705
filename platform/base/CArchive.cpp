#include "platform/base/CArchive.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "platform/base/CArchiveException.h"
#include "platform/base/CFile.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxIndex = 0x3FFFFFFE;
constexpr WORD kBigCount = 0xFFFF;
constexpr BYTE kLongStringLength = 0xFF;
constexpr WORD kLongerStringLength = 0xFFFF;
// Strings of this length and more take the 32-bit length form.
constexpr DWORD kLongerStringFrom = 0xFFFE;
// The least number of bytes one object record takes: its tag.
constexpr ULONGLONG kSmallestRecord = 2;
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode)
    : m_file(file), m_loading((mode & load) != 0), m_buffer(kBufferSize) {
    if (m_loading) {
        m_loaded.resize(1);
    }
}

void CArchive::Fail(int cause) const {
    throw CArchiveException(cause, m_file ? m_file->GetFilePath() : CString());
}

void CArchive::CheckDirection(bool loading) const {
    if (!m_file) {
        Fail(CArchiveException::generic);
    }
    if (loading != m_loading) {
        Fail(loading ? CArchiveException::writeOnly : CArchiveException::readOnly);
    }
}

void CArchive::Flush() {
    if (m_file && !m_loading) {
        WriteBuffer();
        m_file->Flush();
    }
}

void CArchive::Close() {
    Flush();
    if (m_file && m_loading && m_end > m_at) {
        m_file->Seek(-static_cast<std::int64_t>(m_end - m_at), CFile::current);
    }
    m_file = nullptr;
}

void CArchive::WriteBuffer() {
    if (m_at > 0) {
        const size_t count = m_at;
        m_at = 0;
        m_file->Write(m_buffer.data(), static_cast<UINT>(count));
    }
}

void CArchive::Write(const void* buffer, UINT count) {
    CheckDirection(false);
    if (count > m_buffer.size() - m_at) {
        WriteBuffer();
    }
    if (count >= m_buffer.size()) {
        m_file->Write(buffer, count);
        return;
    }
    if (count > 0) {
        std::memcpy(m_buffer.data() + m_at, buffer, count);
        m_at += count;
    }
}

void CArchive::Read(void* buffer, UINT count) {
    CheckDirection(true);
    auto* to = static_cast<BYTE*>(buffer);
    while (count > 0) {
        if (m_at == m_end && !Refill()) {
            Fail(CArchiveException::endOfFile);
        }
        const size_t part = std::min<size_t>(count, m_end - m_at);
        std::memcpy(to, m_buffer.data() + m_at, part);
        m_at += part;
        to += part;
        count -= static_cast<UINT>(part);
    }
}

bool CArchive::Refill() {
    UnreadInFile();
    m_at = 0;
    m_end = m_file->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    m_filePosition += m_end;
    return m_end > 0;
}

ULONGLONG CArchive::UnreadInFile() const {
    if (!m_measured) {
        m_fileLength = m_file->GetLength();
        m_filePosition = m_file->GetPosition();
        m_measured = true;
    }
    return m_fileLength > m_filePosition ? m_fileLength - m_filePosition : 0;
}

ULONGLONG CArchive::BytesRemaining() const {
    if (!m_file) {
        Fail(CArchiveException::generic);
    }
    if (!m_loading) {
        ULONGLONG length = m_file->GetLength();
        ULONGLONG position = m_file->GetPosition();
        return length > position ? length - position : 0;
    }
    return (m_end - m_at) + UnreadInFile();
}

void CArchive::CheckRemaining(ULONGLONG needed) const {
    if (needed > BytesRemaining()) {
        Fail(CArchiveException::endOfFile);
    }
}

void CArchive::WriteWord(WORD value) {
    BYTE bytes[2] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
    Write(bytes, sizeof bytes);
}

void CArchive::WriteDword(DWORD value) {
    BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                     static_cast<BYTE>(value >> 24)};
    Write(bytes, sizeof bytes);
}

WORD CArchive::ReadWord() {
    BYTE bytes[2];
    Read(bytes, sizeof bytes);
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

DWORD CArchive::ReadDword() {
    BYTE bytes[4];
    Read(bytes, sizeof bytes);
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
           (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

CArchive& CArchive::operator<<(BYTE value) {
    Write(&value, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD value) {
    WriteWord(value);
    return *this;
}

CArchive& CArchive::operator<<(int value) {
    WriteDword(static_cast<DWORD>(value));
    return *this;
}

CArchive& CArchive::operator<<(DWORD value) {
    WriteDword(value);
    return *this;
}

CArchive& CArchive::operator<<(float value) {
    WriteDword(std::bit_cast<DWORD>(value));
    return *this;
}

CArchive& CArchive::operator<<(double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    WriteDword(static_cast<DWORD>(bits));
    WriteDword(static_cast<DWORD>(bits >> 32));
    return *this;
}

CArchive& CArchive::operator<<(const CString& value) {
    auto length = static_cast<DWORD>(value.GetLength());
    if (length < kLongStringLength) {
        *this << static_cast<BYTE>(length);
    } else if (length < kLongerStringFrom) {
        *this << kLongStringLength;
        WriteWord(static_cast<WORD>(length));
    } else {
        *this << kLongStringLength;
        WriteWord(kLongerStringLength);
        WriteDword(length);
    }
    Write(value.c_str(), length);
    return *this;
}

CArchive& CArchive::operator<<(const CObject* object) {
    WriteObject(object);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value) {
    Read(&value, 1);
    return *this;
}

CArchive& CArchive::operator>>(WORD& value) {
    value = ReadWord();
    return *this;
}

CArchive& CArchive::operator>>(int& value) {
    value = static_cast<int>(ReadDword());
    return *this;
}

CArchive& CArchive::operator>>(DWORD& value) {
    value = ReadDword();
    return *this;
}

CArchive& CArchive::operator>>(float& value) {
    value = std::bit_cast<float>(ReadDword());
    return *this;
}

CArchive& CArchive::operator>>(double& value) {
    std::uint64_t low = ReadDword();
    std::uint64_t high = ReadDword();
    value = std::bit_cast<double>(low | (high << 32));
    return *this;
}

DWORD CArchive::ReadStringLength() {
    BYTE shortLength = 0;
    *this >> shortLength;
    if (shortLength < kLongStringLength) {
        return shortLength;
    }
    WORD length = ReadWord();
    return length < kLongerStringLength ? length : ReadDword();
}

CArchive& CArchive::operator>>(CString& value) {
    DWORD length = ReadStringLength();
    CheckRemaining(length);
    if (length > static_cast<DWORD>(INT_MAX)) {
        Fail(CArchiveException::endOfFile);
    }
    std::string text(length, '\0');
    Read(text.data(), length);
    value = CString(std::move(text));
    return *this;
}

CArchive& CArchive::operator>>(CObject*& object) {
    object = ReadObject(nullptr);
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    if (count < kBigCount) {
        WriteWord(static_cast<WORD>(count));
    } else {
        WriteWord(kBigCount);
        WriteDword(count);
    }
}

DWORD CArchive::ReadCount() {
    WORD count = ReadWord();
    return count == kBigCount ? ReadDword() : count;
}

DWORD CArchive::TakeNextIndex() {
    if (m_nextIndex > kMaxIndex) {
        Fail(CArchiveException::badIndex);
    }
    return m_nextIndex++;
}

void CArchive::WriteIndexTag(DWORD index, bool isClass) {
    if (index < kBigObjectTag) {
        WriteWord(static_cast<WORD>(index | (isClass ? kClassTag : 0)));
    } else {
        WriteWord(kBigObjectTag);
        WriteDword(index | (isClass ? kBigClassTag : 0));
    }
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass) {
    CheckDirection(false);
    // A class without a schema can never be read back.
    if (!runtimeClass || runtimeClass->m_wSchema == 0xFFFF) {
        Fail(CArchiveException::badClass);
    }
    auto stored = m_storedIndex.find(runtimeClass);
    if (stored != m_storedIndex.end()) {
        WriteIndexTag(stored->second, true);
        return;
    }
    auto nameLength = static_cast<UINT>(std::strlen(runtimeClass->m_lpszClassName));
    WriteWord(kNewClassTag);
    WriteWord(static_cast<WORD>(runtimeClass->m_wSchema));
    WriteWord(static_cast<WORD>(nameLength));
    Write(runtimeClass->m_lpszClassName, nameLength);
    m_storedIndex[runtimeClass] = TakeNextIndex();
}

void CArchive::WriteObject(const CObject* object) {
    CheckDirection(false);
    if (!object) {
        WriteWord(kNullTag);
        return;
    }
    auto stored = m_storedIndex.find(object);
    if (stored != m_storedIndex.end()) {
        WriteIndexTag(stored->second, false);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storedIndex[object] = TakeNextIndex();
    // Storing reads the object's fields and never changes them.
    const_cast<CObject*>(object)->Serialize(*this);
}

CArchive::Tag CArchive::ReadTag() {
    WORD tag = ReadWord();
    if (tag == kNullTag) {
        return {Tag::null, 0};
    }
    if (tag == kNewClassTag) {
        return {Tag::newClass, 0};
    }
    if (tag == kBigObjectTag) {
        DWORD value = ReadDword();
        if (value & kBigClassTag) {
            return {Tag::knownClass, value & ~kBigClassTag};
        }
        return {value == 0 ? Tag::null : Tag::knownObject, value};
    }
    if (tag & kClassTag) {
        return {Tag::knownClass, static_cast<DWORD>(tag & ~kClassTag)};
    }
    return {Tag::knownObject, tag};
}

const CRuntimeClass* CArchive::ReadNewClass() {
    WORD schema = ReadWord();
    WORD nameLength = ReadWord();
    CheckRemaining(nameLength);
    std::string name(nameLength, '\0');
    Read(name.data(), nameLength);
    const CRuntimeClass* runtimeClass =
        name.find('\0') == std::string::npos ? CRuntimeClass::FromName(name.c_str()) : nullptr;
    if (!runtimeClass) {
        Fail(CArchiveException::badClass);
    }
    if (runtimeClass->m_wSchema != schema) {
        Fail(CArchiveException::badSchema);
    }
    TakeNextIndex();
    m_loaded.push_back({runtimeClass, nullptr, false});
    return runtimeClass;
}

const CRuntimeClass* CArchive::LoadedClass(DWORD index) const {
    if (index == 0 || index >= m_loaded.size() || !m_loaded[index].runtimeClass) {
        Fail(CArchiveException::badIndex);
    }
    return m_loaded[index].runtimeClass;
}

// An object still being read cannot be referred to: it would end up owning itself.
CObject* CArchive::LoadedObject(DWORD index) const {
    if (index >= m_loaded.size() || !m_loaded[index].object || m_loaded[index].beingRead) {
        Fail(CArchiveException::badIndex);
    }
    return m_loaded[index].object;
}

const CRuntimeClass* CArchive::ClassOfTag(const Tag& tag) {
    return tag.kind == Tag::newClass ? ReadNewClass() : LoadedClass(tag.index);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected) {
    CheckDirection(true);
    Tag tag = ReadTag();
    if (tag.kind == Tag::null) {
        return nullptr;
    }
    if (tag.kind == Tag::knownObject) {
        Fail(CArchiveException::badIndex);
    }
    const CRuntimeClass* runtimeClass = ClassOfTag(tag);
    if (expected && !runtimeClass->IsDerivedFrom(expected)) {
        Fail(CArchiveException::badClass);
    }
    return runtimeClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
    CheckDirection(true);
    Tag tag = ReadTag();
    if (tag.kind == Tag::null) {
        return nullptr;
    }
    if (tag.kind == Tag::knownObject) {
        CObject* object = LoadedObject(tag.index);
        if (expected && !object->IsKindOf(expected)) {
            Fail(CArchiveException::badClass);
        }
        return object;
    }
    const CRuntimeClass* runtimeClass = ClassOfTag(tag);
    if (expected && !runtimeClass->IsDerivedFrom(expected)) {
        Fail(CArchiveException::badClass);
    }
    return ReadNewObject(runtimeClass);
}

void CArchive::ForgetLoadedObject(const CObject* object) {
    CheckDirection(true);
    for (size_t at = m_loaded.size(); at-- > 0;) {
        if (m_loaded[at].object != object)
            continue;
        ForgetLoadedFrom(at);
        return;
    }
}

void CArchive::ForgetLoadedFrom(size_t index) {
    for (size_t later = index; later < m_loaded.size(); ++later) m_loaded[later].object = nullptr;
}

CObject* CArchive::ReadNewObject(const CRuntimeClass* runtimeClass) {
    std::unique_ptr<CObject> object(runtimeClass->CreateObject());
    if (!object) {
        Fail(CArchiveException::badClass);
    }
    DWORD index = TakeNextIndex();
    m_loaded.push_back({nullptr, object.get(), true});
    try {
        object->Serialize(*this);
    } catch (...) {
        // This object and every object read after it (all of them its parts) are gone now.
        ForgetLoadedFrom(index);
        throw;
    }
    m_loaded[index].beingRead = false;
    return object.release();
}
