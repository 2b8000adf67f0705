#include "platform/base/CacheFolders.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

#include "platform/base/ProgramName.h"

namespace {

namespace fs = std::filesystem;

// The file in each live folder whose lock marks it live.
constexpr const char* kLockName = "lock";
// Tries at a folder of this process's own while the sweeps of others take the ones it makes.
constexpr int kMakingTries = 8;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// A write lock on the whole file, held by the open file itself rather than by the process, so
// that opening and closing the file again in this process never lets it go.
bool TryLock(int file) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return fcntl(file, F_OFD_SETLK, &whole) == 0;
}

// A folder of an older build, named by its process number and marked by no lock, whose process
// has ended: only a process of this machine's namespace can tell, but no lock will ever tell more.
bool IsOlderBuildsLeftFolder(const std::string& name) {
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    return error == std::errc() && end == name.data() + name.size() && pid > 0 && kill(pid, 0) != 0 &&
           errno == ESRCH;
}

// Removed under its lock, so that no other process takes it meanwhile. A folder without a lock
// file is being made, or is none of the program's, and is left alone, unless an older build left it.
void RemoveIfNoOneHolds(const fs::path& folder) {
    const int lock = open((folder / kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (lock < 0) {
        std::error_code ignored;
        if (errno == ENOENT && IsOlderBuildsLeftFolder(folder.filename().string()))
            fs::remove_all(folder, ignored);
        return;
    }
    if (TryLock(lock)) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    close(lock);
}

void RemoveFoldersNoOneHolds(const fs::path& parent) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(parent, error))
        if (entry.is_directory(error) && !entry.is_symlink(error))
            RemoveIfNoOneHolds(entry.path());
}

// The lock file made in the held folder and locked, still the folder's: the sweep of another
// process may have taken it between the making and the locking. -1, with the reason, when it is not.
int HeldLock(int folder, std::error_code& error) {
    const int lock = openat(folder, kLockName, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0) {
        error = LastError();
        return -1;
    }
    struct stat held {
    }, named{};
    if (TryLock(lock) && fstat(lock, &held) == 0 &&
        fstatat(folder, kLockName, &named, AT_SYMLINK_NOFOLLOW) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
        return lock;
    close(lock);
    error = std::make_error_code(std::errc::resource_unavailable_try_again);
    return -1;
}

// A folder of this process's own, held open: its files are opened through the descriptor, so
// that a link put at its name later leads nowhere else.
struct LiveFolder {
    fs::path folder;
    int descriptor = -1;
    int lock = -1;

    // Whether the name still leads to the held folder itself, no link in its place.
    bool StillNamed() const {
        struct stat held {
        }, named{};
        return fstat(descriptor, &held) == 0 && lstat(folder.c_str(), &named) == 0 &&
               S_ISDIR(named.st_mode) && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    }
    void LetGo() const {
        close(lock);
        close(descriptor);
    }
};

// The folder just made, held open and locked; no folder, with the reason, when it cannot be.
LiveFolder HeldFolder(const fs::path& folder, std::error_code& error) {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        error = LastError();
        return {};
    }
    const int lock = HeldLock(descriptor, error);
    if (lock >= 0)
        return {folder, descriptor, lock};
    close(descriptor);
    return {};
}

// A folder of this process's own in the parent, its lock held; no folder, with the reason, when
// none can be made.
LiveFolder MadeLiveFolder(const fs::path& parent, std::error_code& error) {
    for (int tries = 0; tries < kMakingTries; ++tries) {
        std::string pattern = (parent / "XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            error = LastError();
            return {};
        }
        LiveFolder live = HeldFolder(pattern, error);
        if (live.lock >= 0)
            return live;
        std::error_code ignored;
        fs::remove_all(pattern, ignored);
    }
    return {};
}

// The folders this process made, one a parent, removed when it ends; their locks go with it.
struct ProcessFolders {
    std::mutex lock;
    std::map<fs::path, LiveFolder> made;
    ~ProcessFolders() {
        std::error_code error;
        for (const auto& [parent, live] : made)
            if (live.StillNamed())
                fs::remove_all(live.folder, error);
    }
};

ProcessFolders& Folders() {
    static ProcessFolders folders;
    return folders;
}

// A folder of this process's own beside the one named, made once.
fs::path ProcessFolderBeside(const fs::path& folder) {
    static std::mutex lock;
    static auto* made = new std::map<fs::path, fs::path>;
    const std::lock_guard<std::mutex> guard(lock);
    fs::path& beside = (*made)[folder];
    std::string pattern = folder.string() + "-XXXXXX";
    if (beside.empty() && mkdtemp(pattern.data()) != nullptr)
        beside = pattern;
    return beside.empty() ? folder : beside;
}

// A folder at a name every process of the user knows, or this process's own when the name is
// taken by another user or by a link.
fs::path OwnFolderAt(const fs::path& folder) {
    mkdir(folder.c_str(), 0700);
    const int opened = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status {};
    const bool own =
        opened >= 0 && fstat(opened, &status) == 0 && status.st_uid == getuid() && fchmod(opened, 0700) == 0;
    if (opened >= 0)
        close(opened);
    return own ? folder : ProcessFolderBeside(folder);
}

}  // namespace

fs::path UserCacheHome() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && *cache == '/')
        return cache;
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return fs::path(home) / ".cache";
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    return OwnFolderAt((error ? fs::path("/tmp") : temporary) /
                       (ProgramFolderName() + "-" + std::to_string(getuid())));
}

fs::path LiveCacheFolder(const fs::path& parent, std::error_code& error) {
    ProcessFolders& folders = Folders();
    const std::lock_guard<std::mutex> guard(folders.lock);
    const auto made = folders.made.find(parent);
    const bool first = made == folders.made.end();
    if (!first) {
        if (made->second.StillNamed())
            return made->second.folder;
        // The user cleared the cache meanwhile, and the lock file went with the folder; or
        // something else stands at its name now.
        made->second.LetGo();
        folders.made.erase(made);
    }
    fs::create_directories(parent, error);
    if (error)
        return {};
    if (first)
        RemoveFoldersNoOneHolds(parent);
    LiveFolder live = MadeLiveFolder(parent, error);
    if (live.lock < 0)
        return {};
    error.clear();
    return folders.made.emplace(parent, std::move(live)).first->second.folder;
}

int OpenInLiveCacheFolder(const fs::path& folder, const char* name, int flags, std::error_code& error) {
    ProcessFolders& folders = Folders();
    const std::lock_guard<std::mutex> guard(folders.lock);
    for (const auto& [parent, live] : folders.made)
        if (live.folder == folder) {
            const int file = openat(live.descriptor, name, flags | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (file < 0)
                error = LastError();
            return file;
        }
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return -1;
}
