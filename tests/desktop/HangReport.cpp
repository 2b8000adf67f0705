#include "tests/desktop/HangReport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
    std::lock_guard lock(m_mutex);
    m_running = true;
    m_watcher = std::thread(&HangReport::Watch, this, std::string(test.test_suite_name()) + "." + test.name());
}

void HangReport::OnTestEnd(const testing::TestInfo&) {
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_ended.notify_all();
    m_watcher.join();
}

void HangReport::Watch(const std::string& name) {
    std::unique_lock lock(m_mutex);
    if (m_ended.wait_for(lock, m_limit, [this] { return !m_running; }))
        return;
    std::fprintf(stderr, "%s has run %lld s without ending; the stacks of the test and its programs:\n",
                 name.c_str(), static_cast<long long>(m_limit.count()));
    std::fflush(stderr);
    const std::string self = std::to_string(getpid());
    const std::string stacks = "for p in " + self + " $(cat /proc/" + self +
                               "/task/*/children); do echo \"== $(tr '\\0' ' ' < /proc/$p/cmdline)\"; "
                               "gdb -p $p -batch -ex 'thread apply all bt' 2>&1 | grep -v '^\\[New LWP'; done >&2";
    if (std::system(stacks.c_str()) != 0)
        std::fprintf(stderr, "the stacks could not be read (gdb)\n");
    std::_Exit(EXIT_FAILURE);
}
