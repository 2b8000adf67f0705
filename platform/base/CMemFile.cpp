#include "platform/base/CMemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/base/CFileException.h"

CMemFile::CMemFile(const BYTE* data, UINT size) {
    Attach(data, size);
}

// A memory file has no name to open.
BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
    if (error) {
        *error = CFileException(CFileException::genericException, EINVAL, CString());
    }
    return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    size_t available = m_position < m_data.size() ? m_data.size() - m_position : 0;
    size_t taken = std::min<size_t>(count, available);
    if (taken > 0) {
        std::memcpy(buffer, m_data.data() + m_position, taken);
        m_position += taken;
    }
    return static_cast<UINT>(taken);
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) {
        return;
    }
    size_t endOfWrite = m_position + count;
    if (endOfWrite > m_data.size()) {
        m_data.resize(endOfWrite);
    }
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position = endOfWrite;
}

ULONGLONG CMemFile::Seek(std::int64_t offset, UINT from) {
    std::int64_t base = from == current ? static_cast<std::int64_t>(m_position)
                                        : (from == end ? static_cast<std::int64_t>(m_data.size()) : 0);
    std::int64_t position = base + offset;
    if (position < 0) {
        throw CFileException(CFileException::badSeek, EINVAL, CString());
    }
    m_position = static_cast<size_t>(position);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG length) {
    m_data.resize(static_cast<size_t>(length));
}

void CMemFile::Attach(const BYTE* data, UINT size) {
    m_data.assign(data, data + size);
    m_position = 0;
}

std::vector<BYTE> CMemFile::Detach() {
    m_position = 0;
    return std::exchange(m_data, {});
}
