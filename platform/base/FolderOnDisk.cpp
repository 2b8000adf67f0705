#include "platform/base/FolderOnDisk.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

unsigned long stepsAsked = 0;

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

unsigned long StepsIn(const std::string& path) {
    return static_cast<unsigned long>(std::count(path.begin(), path.end(), '/')) + 1;
}

int OpenAt(int folder, const std::string& name) {
    stepsAsked += StepsIn(name);
    return openat(folder, name.c_str(), kFolderFlags);
}

// A path longer than the system takes in one call is walked a step at a time.
int OpenStepByStep(const std::string& path) {
    int folder = OpenAt(AT_FDCWD, "/");
    size_t start = 0;
    while (folder >= 0 && start < path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        if (end > start) {
            const int next = OpenAt(folder, path.substr(start, end - start));
            close(folder);
            folder = next;
        }
        start = end + 1;
    }
    return folder;
}

FolderOnDisk::Kind KindOfType(unsigned char type) {
    return {type == DT_DIR, type == DT_LNK};
}

}  // namespace

FolderOnDisk::FolderOnDisk(FolderOnDisk&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)) {}

FolderOnDisk& FolderOnDisk::operator=(FolderOnDisk&& other) noexcept {
    if (this != &other) {
        if (IsOpen())
            close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

FolderOnDisk::~FolderOnDisk() {
    if (IsOpen())
        close(m_descriptor);
}

FolderOnDisk FolderOnDisk::Open(const std::string& path) {
    const int folder = OpenAt(AT_FDCWD, path);
    return FolderOnDisk(folder < 0 && errno == ENAMETOOLONG ? OpenStepByStep(path) : folder);
}

FolderOnDisk FolderOnDisk::Child(const std::string& name) const {
    return FolderOnDisk(IsOpen() ? OpenAt(m_descriptor, name) : -1);
}

std::optional<struct stat> FolderOnDisk::StatusOf(const std::string& name, int flags) const {
    if (!IsOpen())
        return std::nullopt;
    stepsAsked += StepsIn(name);
    struct stat status {};
    if (fstatat(m_descriptor, name.c_str(), &status, flags) != 0)
        return std::nullopt;
    return status;
}

int FolderOnDisk::OpenEntry(const std::string& name, int flags) const {
    if (!IsOpen())
        return -1;
    stepsAsked += StepsIn(name);
    return openat(m_descriptor, name.c_str(), flags | O_CLOEXEC);
}

std::optional<FolderOnDisk::Kind> FolderOnDisk::KindOf(const std::string& name) const {
    const std::optional<struct stat> own = StatusOf(name, AT_SYMLINK_NOFOLLOW);
    if (!own)
        return std::nullopt;
    return Kind{S_ISDIR(own->st_mode), S_ISLNK(own->st_mode)};
}

std::optional<FileStamp> FolderOnDisk::LinkStamp(const std::string& name) const {
    const std::optional<struct stat> own = StatusOf(name, AT_SYMLINK_NOFOLLOW);
    if (!own || !S_ISLNK(own->st_mode))
        return std::nullopt;
    return FileStamp::FromStat(*own);
}

std::optional<FileStamp> FolderOnDisk::Stamp() const {
    const std::optional<struct stat> own = StatusOf("", AT_EMPTY_PATH);
    if (!own)
        return std::nullopt;
    return FileStamp::FromStat(*own);
}

std::vector<FolderOnDisk::Listed> FolderOnDisk::List() const {
    std::vector<Listed> entries;
    const int readable = IsOpen() ? openat(m_descriptor, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    DIR* folder = readable >= 0 ? fdopendir(readable) : nullptr;
    if (folder == nullptr) {
        if (readable >= 0)
            close(readable);
        return entries;
    }
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const bool known = entry->d_type == DT_DIR || entry->d_type == DT_REG;
        entries.push_back({name, known ? KindOfType(entry->d_type) : KindOf(name).value_or(Kind{})});
    }
    closedir(folder);
    return entries;
}

std::optional<std::string> FolderOnDisk::RealPath() const {
    if (!IsOpen())
        return std::nullopt;
    const std::string link = "/proc/self/fd/" + std::to_string(m_descriptor);
    std::string real(PATH_MAX, '\0');
    const ssize_t length = readlink(link.c_str(), real.data(), real.size());
    if (length <= 0 || static_cast<size_t>(length) >= real.size() || real.front() != '/')
        return std::nullopt;
    real.resize(static_cast<size_t>(length));
    return real;
}

unsigned long FolderOnDisk::StepsAsked() {
    return stepsAsked;
}
