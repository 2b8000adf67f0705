#include "platform/base/CFileException.h"

#include <cerrno>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {
// Said of a folder, "the file" would contradict the rest of the sentence.
CString FolderMessage(const CString& name) {
    if (name.IsEmpty()) {
        return "The name given is a folder, not a file.";
    }
    CString message;
    message.Format("\"%s\" is a folder, not a file.", name.c_str());
    return message;
}
}  // namespace

CFileException::CFileException(int cause, LONG osError, const CString& fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::ErrnoToCause(int errnoValue) {
    switch (errnoValue) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EROFS:
            return readOnlyDisk;
        case EACCES:
        case EPERM:
        case EEXIST:
            return accessDenied;
        case EISDIR:
            return isFolder;
        case EBADF:
            return invalidFile;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return diskFull;
        case ESPIPE:
        case EINVAL:
            return badSeek;
        case EIO:
            return hardIO;
        case EBUSY:
        case ETXTBSY:
            return sharingViolation;
        case EDEADLK:
        case ENOLCK:
            return lockViolation;
        default:
            return genericException;
    }
}

void CFileException::ThrowErrno(int errnoValue, const CString& fileName) {
    throw CFileException(ErrnoToCause(errnoValue), errnoValue, fileName);
}

CString CFileException::GetErrorMessage() const {
    const char* pattern = "an unexpected error occurred while accessing %s.";
    switch (m_cause) {
        case none:
            return "No error occurred.";
        case fileNotFound:
            pattern = "%s was not found.";
            break;
        case badPath:
            pattern = "all or part of the path of %s is not valid.";
            break;
        case tooManyOpenFiles:
            pattern = "too many files are open to open %s.";
            break;
        case accessDenied:
            pattern = "access to %s was denied.";
            break;
        case invalidFile:
            pattern = "%s was used without being open.";
            break;
        case removeCurrentDir:
            pattern = "the folder of %s cannot be removed while it is the current folder.";
            break;
        case directoryFull:
            pattern = "the folder of %s has no room for more files.";
            break;
        case badSeek:
            pattern = "a position outside %s was requested.";
            break;
        case hardIO:
            pattern = "a hardware error occurred while accessing %s.";
            break;
        case sharingViolation:
            pattern = "%s is in use by another program.";
            break;
        case lockViolation:
            pattern = "%s is locked by another program.";
            break;
        case diskFull:
            pattern = "the disk is full; %s could not be written.";
            break;
        case endOfFile:
            pattern = "the end of %s was reached unexpectedly.";
            break;
        case readOnlyFile:
            pattern = "%s is read-only.";
            break;
        case readOnlyDisk:
            pattern = "%s cannot be written: its disk is read-only.";
            break;
        case isFolder:
            return FolderMessage(m_strFileName);
        default:
            break;
    }
    return DescribeFile(pattern, m_strFileName);
}
