// The real program started where no display can be opened: it says so and ends, instead of
// running on with windows nobody sees.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/TestFolder.h"

namespace {
constexpr int kStillRunning = -1;

// Runs the program with DISPLAY naming no server and no other desktop to fall back to; answers
// its exit status, or kStillRunning (after killing it) when it has not ended within the limit.
int RunWithoutDisplay(const std::filesystem::path& folder, std::chrono::seconds limit) {
    const pid_t program = fork();
    if (program == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        setenv("DISPLAY", ":999", 1);
        setenv("HOME", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("CORVANE_HEADLESS");
        unsetenv("CORVANE_TEST");
        setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        const int errors = open((folder / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(errors, STDERR_FILENO);
        dup2(errors, STDOUT_FILENO);
        execl(CORVANE_PROGRAM, CORVANE_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    // Counted in polls, not read off the clock, so that a busy machine never cuts the wait short.
    constexpr auto kPoll = std::chrono::milliseconds(20);
    auto polls = limit / kPoll;
    int status = 0;
    while (waitpid(program, &status, WNOHANG) == 0) {
        if (polls-- <= 0) {
            kill(program, SIGKILL);
            waitpid(program, nullptr, 0);
            return kStillRunning;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
}  // namespace

TEST(ProgramWithoutDisplay, SaysItCannotOpenTheDisplayAndEndsWithAFailure) {
    const TestFolder folder;
    const int status = RunWithoutDisplay(folder.Path(), std::chrono::seconds(60));
    const std::string errors = ReadAll(folder / "stderr.txt");
    ASSERT_NE(status, kStillRunning) << "the program ran on without a display; stderr: " << errors;
    EXPECT_NE(status, 0);
    EXPECT_LT(status, 128) << "ended by a signal; stderr: " << errors;
    // Why, in SDL's words, which name the desktop drivers it tried.
    const std::string said = "Corvane: cannot open the display \":999\": ";
    const std::size_t at = errors.find(said);
    ASSERT_NE(at, std::string::npos) << errors;
    const std::string why = errors.substr(at + said.size(), errors.find('\n', at) - at - said.size());
    EXPECT_NE(why.find("x11"), std::string::npos) << errors;
}
