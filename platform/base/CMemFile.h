#pragma once

#include <vector>

#include "platform/base/CFile.h"

// A growable file in memory: written like a file, then read back or taken out as bytes
// (clipboard copies, tests).
class CMemFile : public CFile {
public:
    CMemFile() = default;
    // A file holding a copy of the given bytes, positioned at the start.
    CMemFile(const BYTE* data, UINT size);

    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    void Close() override {}
    void Abort() override {}

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    void Flush() override {}
    ULONGLONG Seek(std::int64_t offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG GetLength() const override { return m_data.size(); }
    void SetLength(ULONGLONG length) override;
    bool IsOpen() const override { return true; }

    // Replaces the contents with a copy of the given bytes and goes to the start.
    void Attach(const BYTE* data, UINT size);
    // Hands out the contents and leaves the file empty.
    std::vector<BYTE> Detach();
    const std::vector<BYTE>& GetBytes() const { return m_data; }

private:
    std::vector<BYTE> m_data;
    size_t m_position = 0;
};
