#include "tests/desktop/HangReport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Over twice the longest desktop test under the sanitizers on a loaded machine, yet shorter
// than CTest's limit, so that the stacks come out before CTest kills the test.
constexpr std::chrono::seconds kHangLimit{720};

[[maybe_unused]] const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new HangReport(kHangLimit));
    return true;
}();

}  // namespace

void HangReport::OnTestStart(const testing::TestInfo& test) {
    m_test = std::string(test.test_suite_name()) + "." + test.name();
    m_deadline = std::make_unique<Deadline>(m_limit, m_test.c_str(), PrintStacks);
}

void HangReport::OnTestEnd(const testing::TestInfo&) {
    m_deadline.reset();
}

// Through gdb, of this process and of each it started (the X server, the window manager, corvane).
void HangReport::PrintStacks() {
    const std::string self = std::to_string(getpid());
    const std::string stacks = "for p in " + self + " $(cat /proc/" + self +
                               "/task/*/children); do echo \"== $(tr '\\0' ' ' < /proc/$p/cmdline)\"; "
                               "gdb -p $p -batch -ex 'thread apply all bt' 2>&1 | grep -v '^\\[New LWP'; done >&2";
    if (std::system(stacks.c_str()) != 0)
        std::fprintf(stderr, "the stacks could not be read (gdb)\n");
}
