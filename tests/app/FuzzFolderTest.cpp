#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TestFolder.h"

// A fuzz run that stops at a finding leaves its folder behind; the next one removes the folders
// of processes that have ended, and only those.

namespace {

// The id of a process that has ended.
pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

std::filesystem::path FolderWithFile(const std::filesystem::path& path) {
    std::filesystem::create_directories(path / "inner");
    std::ofstream(path / "inner" / "symbols.cvl") << "left";
    return path;
}

}  // namespace

TEST(FuzzFolder, TheFoldersOfEndedProcessesAreRemovedAndNoOthers) {
    TestFolder folder;
    const std::string ended = std::to_string(EndedProcess());
    const std::string running = std::to_string(getpid());
    const auto stale = FolderWithFile(folder / ("corvane-fuzz-" + ended + "-a1B2c3"));
    const auto own = FolderWithFile(folder / ("corvane-fuzz-" + running + "-d4E5f6"));
    const auto unnamed = FolderWithFile(folder / "corvane-fuzz-g7H8i9");
    const auto other = FolderWithFile(folder / ("other-" + ended + "-a1B2c3"));
    std::ofstream(folder / ("corvane-fuzz-" + ended + "-file")) << "a file, not a folder";

    RemoveStaleFuzzFolders(folder.Path());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(own / "inner" / "symbols.cvl"));
    EXPECT_TRUE(std::filesystem::exists(unnamed / "inner" / "symbols.cvl"));
    EXPECT_TRUE(std::filesystem::exists(other / "inner" / "symbols.cvl"));
    EXPECT_TRUE(std::filesystem::exists(folder / ("corvane-fuzz-" + ended + "-file")));
}
