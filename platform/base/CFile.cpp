#include "platform/base/CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/base/CFileException.h"
#include "platform/base/FileSystemText.h"

namespace {

bool WantsWriting(UINT openFlags) {
    return (openFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
}

bool ReplacesWholeFile(UINT openFlags) {
    return (openFlags & CFile::modeCreate) && !(openFlags & CFile::modeNoTruncate) && WantsWriting(openFlags);
}

// The file a finished save replaces: the target of a link rather than the link itself.
std::filesystem::path FinalPath(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

// The failure of opening what is no regular file: a folder is named as one; a FIFO, a socket
// or a device is refused, for reading one could wait for ever or never end.
int NotRegularFailure(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : EACCES;
}

// Opens without waiting for a FIFO's writer, then takes only a regular file, which then reads
// and writes as usual.
std::FILE* OpenRegularStream(const std::filesystem::path& path, int access, const char* mode) {
    const int descriptor = open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    int failure = 0;
    if (fstat(descriptor, &status) != 0)
        failure = errno;
    else if (!S_ISREG(status.st_mode))
        failure = NotRegularFailure(status.st_mode);
    else if (fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        failure = errno;
    std::FILE* stream = failure == 0 ? fdopen(descriptor, mode) : nullptr;
    if (stream == nullptr) {
        failure = failure != 0 ? failure : errno;
        close(descriptor);
        errno = failure;
    }
    return stream;
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        throw error;
    }
}

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    const std::filesystem::path diskPath = DiskPath(fileName);
    // A name the program's text cannot spell is not opened in place of the one meant.
    if (diskPath.empty() && fileName && *fileName) {
        Abort();
        m_path = fileName;
        if (error) {
            *error = CFileException(CFileException::badPath, ENOENT, m_path);
        }
        return FALSE;
    }
    return Open(diskPath, openFlags, error);
}

BOOL CFile::Open(const std::filesystem::path& diskPath, UINT openFlags, CFileException* error) {
    Abort();
    m_diskPath = diskPath;
    m_path = PathText(diskPath);
    // A save replaces the file through its folder, where the file's own permissions count for
    // nothing; they are honoured here, for the superuser too.
    if (WantsWriting(openFlags) && IsReadOnly(m_diskPath)) {
        if (error) {
            *error = CFileException(ReadOnlyCause(m_diskPath), EACCES, m_path);
        }
        return FALSE;
    }
    errno = 0;
    m_stream = OpenStream(openFlags);
    if (!m_stream) {
        int failure = errno ? errno : EINVAL;
        if (error) {
            *error = CFileException(CFileException::ErrnoToCause(failure), failure, m_path);
        }
        return FALSE;
    }
    return TRUE;
}

bool CFile::IsReadOnly(const char* fileName) {
    return IsReadOnly(DiskPath(fileName));
}

bool CFile::IsReadOnly(const std::filesystem::path& diskPath) {
    struct stat status {};
    if (diskPath.empty() || stat(diskPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const bool nobodyWrites = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return nobodyWrites || faccessat(AT_FDCWD, diskPath.c_str(), W_OK, AT_EACCESS) != 0;
}

int CFile::ReadOnlyCause(const char* fileName) {
    return ReadOnlyCause(DiskPath(fileName));
}

// A file on a read-only disk is told as a new file there is, so both say the same.
int CFile::ReadOnlyCause(const std::filesystem::path& diskPath) {
    struct statvfs disk {};
    const bool diskReadOnly = statvfs(diskPath.c_str(), &disk) == 0 && (disk.f_flag & ST_RDONLY) != 0;
    return diskReadOnly ? CFileException::readOnlyDisk : CFileException::readOnlyFile;
}

std::FILE* CFile::OpenStream(UINT openFlags) {
    if (m_diskPath.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    if (ReplacesWholeFile(openFlags)) {
        return OpenTemporaryNeighbour();
    }
    if (!WantsWriting(openFlags)) {
        return OpenRegularStream(m_diskPath, O_RDONLY, "rb");
    }
    std::FILE* stream = OpenRegularStream(m_diskPath, O_RDWR, "r+b");
    if (!stream && errno == ENOENT && (openFlags & modeCreate)) {
        stream = OpenRegularStream(m_diskPath, O_RDWR | O_CREAT, "w+b");
    }
    return stream;
}

// Writes go to a new file beside the old one, with the old one's permissions, so that the
// rename in Close swaps the whole file in one step.
std::FILE* CFile::OpenTemporaryNeighbour() {
    std::filesystem::path target = FinalPath(m_diskPath);
    std::string stem = target.filename().string().substr(0, 100);
    struct stat oldStatus {};
    bool hasOld = stat(target.c_str(), &oldStatus) == 0;
    if (hasOld && !S_ISREG(oldStatus.st_mode)) {
        errno = NotRegularFailure(oldStatus.st_mode);
        return nullptr;
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string name =
            "." + stem + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
        std::filesystem::path temporary = target.parent_path() / name;
        int descriptor = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST) {
            continue;
        }
        if (descriptor < 0) {
            return nullptr;
        }
        if (hasOld) {
            fchmod(descriptor, oldStatus.st_mode & 07777);
        }
        std::FILE* stream = fdopen(descriptor, "w+b");
        if (!stream) {
            int failure = errno;
            close(descriptor);
            unlink(temporary.c_str());
            errno = failure;
            return nullptr;
        }
        m_writePath = temporary;
        return stream;
    }
    return nullptr;
}

void CFile::Close() {
    if (!m_stream) {
        return;
    }
    bool written = std::fflush(m_stream) == 0 && (m_writePath.empty() || fsync(fileno(m_stream)) == 0);
    int failure = written ? 0 : errno;
    if (std::fclose(m_stream) != 0 && written) {
        written = false;
        failure = errno;
    }
    m_stream = nullptr;
    m_lastAccess = LastAccess::none;
    if (written && !m_writePath.empty() &&
        std::rename(m_writePath.c_str(), FinalPath(m_diskPath).c_str()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written && !m_writePath.empty()) {
        std::remove(m_writePath.c_str());
    }
    m_writePath.clear();
    if (!written) {
        CFileException::ThrowErrno(failure, m_path);
    }
}

void CFile::Abort() {
    ReleaseStream();
    if (!m_writePath.empty()) {
        std::remove(m_writePath.c_str());
        m_writePath.clear();
    }
}

void CFile::ReleaseStream() {
    if (m_stream) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    m_lastAccess = LastAccess::none;
}

void CFile::ThrowLastError() const {
    int failure = errno ? errno : EIO;
    CFileException::ThrowErrno(failure, m_path);
}

// The C library needs a flush or a seek between a write and a following read, and back.
std::FILE* CFile::StreamForReading() {
    if (!m_stream) {
        throw CFileException(CFileException::invalidFile, EBADF, m_path);
    }
    if (m_lastAccess == LastAccess::write && std::fflush(m_stream) != 0) {
        ThrowLastError();
    }
    m_lastAccess = LastAccess::read;
    return m_stream;
}

std::FILE* CFile::StreamForWriting() {
    if (!m_stream) {
        throw CFileException(CFileException::invalidFile, EBADF, m_path);
    }
    if (m_lastAccess == LastAccess::read && fseeko(m_stream, 0, SEEK_CUR) != 0) {
        ThrowLastError();
    }
    m_lastAccess = LastAccess::write;
    return m_stream;
}

UINT CFile::Read(void* buffer, UINT count) {
    std::FILE* stream = StreamForReading();
    if (count == 0) {
        return 0;
    }
    errno = 0;
    size_t got = std::fread(buffer, 1, count, stream);
    if (got < count && std::ferror(stream)) {
        std::clearerr(stream);
        ThrowLastError();
    }
    return static_cast<UINT>(got);
}

void CFile::Write(const void* buffer, UINT count) {
    std::FILE* stream = StreamForWriting();
    if (count == 0) {
        return;
    }
    errno = 0;
    if (std::fwrite(buffer, 1, count, stream) != count) {
        std::clearerr(stream);
        ThrowLastError();
    }
}

void CFile::Flush() {
    if (m_stream && std::fflush(m_stream) != 0) {
        ThrowLastError();
    }
}

ULONGLONG CFile::Seek(std::int64_t offset, UINT from) {
    if (!m_stream) {
        throw CFileException(CFileException::invalidFile, EBADF, m_path);
    }
    int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
    if (fseeko(m_stream, offset, whence) != 0) {
        throw CFileException(CFileException::badSeek, errno, m_path);
    }
    m_lastAccess = LastAccess::none;
    return GetPosition();
}

ULONGLONG CFile::GetPosition() const {
    if (!m_stream) {
        throw CFileException(CFileException::invalidFile, EBADF, m_path);
    }
    off_t position = ftello(m_stream);
    if (position < 0) {
        ThrowLastError();
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const {
    if (!m_stream) {
        throw CFileException(CFileException::invalidFile, EBADF, m_path);
    }
    // Buffered writes count too; flushing between writes keeps the stream's rules.
    if (m_lastAccess == LastAccess::write && std::fflush(m_stream) != 0) {
        ThrowLastError();
    }
    struct stat status {};
    if (fstat(fileno(m_stream), &status) != 0) {
        ThrowLastError();
    }
    return static_cast<ULONGLONG>(status.st_size);
}

void CFile::SetLength(ULONGLONG length) {
    std::FILE* stream = StreamForWriting();
    if (std::fflush(stream) != 0 || ftruncate(fileno(stream), static_cast<off_t>(length)) != 0) {
        ThrowLastError();
    }
}

CString CFile::GetFileName() const {
    return CString(std::filesystem::path(m_path.str()).filename().string());
}
