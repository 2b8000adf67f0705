#include "platform/gdi/CPictureCacheFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/base/CacheFolders.h"

namespace {

// Every byte from where it is asked, a short write continued; false, with the reason, when the
// system refuses one.
bool WriteAt(int file, const char* bytes, std::size_t count, std::size_t at, std::error_code& error) {
    while (count > 0) {
        const ssize_t written = pwrite(file, bytes, count, static_cast<off_t>(at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = std::error_code(written < 0 ? errno : ENOSPC, std::generic_category());
            return false;
        }
        bytes += written;
        at += static_cast<std::size_t>(written);
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

struct OpenFiles {
    std::mutex lock;
    std::map<std::filesystem::path, std::weak_ptr<CPictureCacheFile>> files;
};

OpenFiles& Opened() {
    static auto* opened = new OpenFiles;
    return *opened;
}

}  // namespace

std::shared_ptr<CPictureCacheFile> CPictureCacheFile::In(const std::filesystem::path& folder,
                                                         std::error_code& error) {
    OpenFiles& opened = Opened();
    const std::lock_guard<std::mutex> guard(opened.lock);
    std::weak_ptr<CPictureCacheFile>& kept = opened.files[folder];
    if (std::shared_ptr<CPictureCacheFile> file = kept.lock())
        return file;
    const int descriptor = OpenInLiveCacheFolder(folder, "pictures", O_RDWR | O_CREAT | O_TRUNC, error);
    if (descriptor < 0)
        return nullptr;
    std::shared_ptr<CPictureCacheFile> file(new CPictureCacheFile(descriptor));
    kept = file;
    return file;
}

CPictureCacheFile::~CPictureCacheFile() {
    close(m_descriptor);
}

std::optional<std::size_t> CPictureCacheFile::Append(std::span<const std::span<const char>> parts,
                                                     std::error_code& error) {
    const std::lock_guard<std::mutex> guard(m_lock);
    const std::size_t start = m_end;
    std::size_t at = start;
    for (const std::span<const char> part : parts) {
        if (!WriteAt(m_descriptor, part.data(), part.size(), at, error)) {
            (void)!ftruncate(m_descriptor, static_cast<off_t>(start));
            return std::nullopt;
        }
        at += part.size();
    }
    m_held += at - start;
    m_end = at;
    return start;
}

bool CPictureCacheFile::Read(std::span<char> into, std::size_t at) const {
    char* bytes = into.data();
    std::size_t count = into.size();
    while (count > 0) {
        const ssize_t read = pread(m_descriptor, bytes, count, static_cast<off_t>(at));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        bytes += read;
        at += static_cast<std::size_t>(read);
        count -= static_cast<std::size_t>(read);
    }
    return true;
}

void CPictureCacheFile::Free(std::size_t at, std::size_t bytes) {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_held -= bytes;
    if (m_held == 0) {
        (void)!ftruncate(m_descriptor, 0);
        m_end = 0;
        return;
    }
    fallocate(m_descriptor, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(at),
              static_cast<off_t>(bytes));
}
