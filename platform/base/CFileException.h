#pragma once

#include "platform/base/CException.h"

// A failure of the file system: a file that cannot be found, opened, written or moved.
class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)

public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
        // Refused because the file is read-only (CFile::IsReadOnly).
        readOnlyFile,
        // The name is that of a folder where a file was wanted.
        isFolder,
        // Refused because the file's disk is mounted read-only, whether the file exists or not.
        readOnlyDisk,
    };

    explicit CFileException(int cause = none, LONG osError = -1, const CString& fileName = CString());

    CString GetErrorMessage() const override;

    // The cause that best describes a C library errno value.
    static int ErrnoToCause(int errnoValue);
    [[noreturn]] static void ThrowErrno(int errnoValue, const CString& fileName);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
