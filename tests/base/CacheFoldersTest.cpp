#include "platform/base/CacheFolders.h"
#include "platform/base/ProgramName.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

// Another process of the program, which takes its folder in the parent and holds it until it is
// killed, as a crash ends it, without cleaning up.
class OtherProcess {
  public:
    explicit OtherProcess(const fs::path& parent) {
        int told[2];
        EXPECT_EQ(pipe(told), 0);
        m_pid = fork();
        if (m_pid == 0) {
            std::error_code error;
            const std::string folder = LiveCacheFolder(parent, error).string();
            (void)!write(told[1], folder.data(), folder.size());
            close(told[1]);
            pause();
            _exit(0);
        }
        close(told[1]);
        char name[4096];
        const ssize_t length = read(told[0], name, sizeof name);
        close(told[0]);
        m_folder = std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
    }
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;
    ~OtherProcess() { Kill(); }

    void Kill() {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }
    const fs::path& Folder() const { return m_folder; }

  private:
    pid_t m_pid = 0;
    fs::path m_folder;
};

unsigned ModeOf(const fs::path& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

uid_t OwnerOf(const fs::path& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_uid : static_cast<uid_t>(-1);
}

// The variable is unset, or set to the value given, while this lives.
class EnvironmentSetting {
  public:
    EnvironmentSetting(const char* name, const char* value) : m_name(name) {
        if (const char* former = std::getenv(name))
            m_former = former;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    EnvironmentSetting(const EnvironmentSetting&) = delete;
    EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;
    ~EnvironmentSetting() {
        if (m_former)
            setenv(m_name, m_former->c_str(), 1);
        else
            unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_former;
};

}  // namespace

// A folder another process holds stays, whatever it is named; one whose lock no one holds, left
// by a process that ended without cleaning up, goes when the next process takes its own folder
// there, as does one an older build named by the number of a process that no longer runs, with
// no lock file; one without a lock file, being made or none of the program's, or named by a
// process still running, is left alone.
TEST(CacheFolders, OnlyAFolderNoProcessHoldsIsRemoved) {
    TestFolder parent;
    OtherProcess holding(parent.Path());
    ASSERT_TRUE(fs::is_directory(holding.Folder()));
    fs::create_directory(parent / "left");
    std::ofstream(parent / "left" / "lock") << "";
    fs::create_directory(parent / "making");
    // Beyond any process number the system gives.
    const fs::path olderLeft = parent / "2147483647", olderRunning = parent / std::to_string(getpid());
    for (const fs::path& older : {olderLeft, olderRunning}) {
        fs::create_directory(older);
        std::ofstream(older / "picture") << "pixels";
    }

    std::error_code error;
    const fs::path own = LiveCacheFolder(parent.Path(), error);
    ASSERT_FALSE(own.empty()) << error.message();
    EXPECT_NE(own, holding.Folder());
    EXPECT_EQ(ModeOf(own), 0700u);
    EXPECT_TRUE(fs::is_directory(holding.Folder()));
    EXPECT_FALSE(fs::exists(parent / "left"));
    EXPECT_TRUE(fs::is_directory(parent / "making"));
    EXPECT_FALSE(fs::exists(olderLeft));
    EXPECT_TRUE(fs::is_directory(olderRunning));

    holding.Kill();
    // Named by a path of its own, so that the folder this process took before the fork is not the
    // new process's too.
    OtherProcess next(parent / ".");
    EXPECT_FALSE(fs::exists(holding.Folder()));
    EXPECT_TRUE(fs::is_directory(own));
    EXPECT_EQ(LiveCacheFolder(parent.Path(), error), own);
    // Cleared by the user meanwhile, it is made anew.
    fs::remove_all(own);
    EXPECT_TRUE(fs::is_directory(LiveCacheFolder(parent.Path(), error)));
}

// With no cache home and no home set, the cache is a folder of the user's own in the temporary
// folder, of mode 700; one another user made there, or a link, is not taken.
TEST(CacheFolders, WithoutAHomeTheCacheIsAFolderOfTheUsersOwn) {
    TestFolder temporary;
    const EnvironmentSetting tmpdir("TMPDIR", temporary.Path().c_str());
    const EnvironmentSetting cache("XDG_CACHE_HOME", nullptr);
    const EnvironmentSetting home("HOME", nullptr);
    const fs::path known = temporary / (ProgramFolderName() + "-" + std::to_string(getuid()));
    const struct {
        const char* what;
        void (*prepare)(const fs::path& known);
        bool taken;
    } cases[] = {
        {"none there yet", [](const fs::path&) {}, true},
        {"its own, opened to all", [](const fs::path& known) { chmod(known.c_str(), 0777); }, true},
        {"another user's", [](const fs::path& known) { (void)!chown(known.c_str(), getuid() + 1, getgid()); },
         false},
        {"a link",
         [](const fs::path& known) {
             fs::remove_all(known);
             fs::create_directory_symlink(known.parent_path(), known);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare(known);
        if (!c.taken && OwnerOf(known) == getuid() && !fs::is_symlink(known))
            GTEST_SKIP() << "this process may not give a folder away";
        const fs::path folder = UserCacheHome();
        EXPECT_EQ(folder == known, c.taken);
        EXPECT_EQ(folder.parent_path(), temporary.Path());
        EXPECT_EQ(ModeOf(folder), 0700u);
        EXPECT_EQ(OwnerOf(folder), getuid());
    }
}

// The folder replaced by a link after it was taken: a file opened with truncation goes into the
// held folder, wherever it went, and the file of that name at the link's target keeps its bytes;
// a link at a file's name is not followed either, and the next ask makes a folder anew.
TEST(CacheFolders, NoLinkPutInTheFoldersPlaceIsFollowed) {
    TestFolder parent, elsewhere;
    std::error_code error;
    const fs::path own = LiveCacheFolder(parent.Path(), error);
    ASSERT_FALSE(own.empty()) << error.message();
    std::ofstream(elsewhere / "pictures") << "kept";
    const fs::path moved = parent / "moved";
    fs::rename(own, moved);
    fs::create_directory_symlink(elsewhere.Path(), own);

    const int file = OpenInLiveCacheFolder(own, "pictures", O_RDWR | O_CREAT | O_TRUNC, error);
    ASSERT_GE(file, 0) << error.message();
    close(file);
    EXPECT_EQ(fs::file_size(elsewhere / "pictures"), 4u);
    EXPECT_EQ(fs::file_size(moved / "pictures"), 0u);
    fs::create_symlink(elsewhere / "pictures", moved / "linked");
    EXPECT_LT(OpenInLiveCacheFolder(own, "linked", O_RDWR | O_TRUNC, error), 0);
    EXPECT_EQ(fs::file_size(elsewhere / "pictures"), 4u);

    const fs::path next = LiveCacheFolder(parent.Path(), error);
    EXPECT_NE(next, own);
    EXPECT_FALSE(fs::is_symlink(next));
}

// The folder is named by the name the application gave itself, as a folder carries it.
TEST(CacheFolders, TheUsersOwnFolderIsNamedByTheProgramsName) {
    TestFolder temporary;
    const EnvironmentSetting tmpdir("TMPDIR", temporary.Path().c_str());
    const EnvironmentSetting cache("XDG_CACHE_HOME", nullptr);
    const EnvironmentSetting home("HOME", nullptr);
    SetProgramName("Yard Planner");
    EXPECT_EQ(UserCacheHome(), temporary / ("yard planner-" + std::to_string(getuid())));
    SetProgramName("");
}
