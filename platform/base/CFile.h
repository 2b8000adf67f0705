#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CFileException;

// A binary file. Opening for writing (modeCreate | modeWrite) writes to a temporary
// neighbour that replaces the named file only when Close succeeds, so a failed save never
// damages the old file. Failures throw CFileException.
class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeNoTruncate = 0x1000,
        modeCreate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens or throws CFileException.
    CFile(const char* fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // A file still being written is dropped, as by Abort.
    virtual ~CFile();

    // Opens the file the program's text names (see DiskPath); on failure answers FALSE and fills
    // *error when given. An existing file that is read-only (IsReadOnly) is not opened for writing.
    // Only a regular file opens: a folder fails as one, and a FIFO, a socket or a device is refused
    // at once (accessDenied) in every mode.
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // The same for a path as the file system spells it.
    BOOL Open(const std::filesystem::path& diskPath, UINT openFlags, CFileException* error = nullptr);
    // Whether the named regular file is read-only as the desktop shows it: its permissions let
    // nobody write it, or not this user. Missing files and folders are not.
    static bool IsReadOnly(const char* fileName);
    static bool IsReadOnly(const std::filesystem::path& diskPath);
    // Why a read-only file is so: its disk is read-only, or only the file (a CFileException cause).
    static int ReadOnlyCause(const char* fileName);
    static int ReadOnlyCause(const std::filesystem::path& diskPath);
    // Finishes the file: a file being written is moved into place now. Throws on failure.
    virtual void Close();
    // Drops the file without finishing it: a file being written leaves the old one untouched.
    virtual void Abort();

    // Reads up to count bytes and answers how many it read (fewer only at the end).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all count bytes or throws (diskFull when the disk has no room).
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    virtual ULONGLONG Seek(std::int64_t offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual bool IsOpen() const { return m_stream != nullptr; }

    const CString& GetFilePath() const { return m_path; }
    CString GetFileName() const;

protected:
    // The stream, ready for reading (or writing) after the other direction was used last.
    std::FILE* StreamForReading();
    std::FILE* StreamForWriting();
    [[noreturn]] void ThrowLastError() const;

    CString m_path;

private:
    enum class LastAccess { none, read, write };

    std::FILE* OpenStream(UINT openFlags);
    std::FILE* OpenTemporaryNeighbour();
    void ReleaseStream();

    std::FILE* m_stream = nullptr;
    std::filesystem::path m_diskPath;   // m_path as the file system spells it
    std::filesystem::path m_writePath;  // the temporary neighbour while writing, else empty
    LastAccess m_lastAccess = LastAccess::none;
};
