#include "platform/base/HugePageHeap.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kTunablesName = "GLIBC_TUNABLES";
constexpr const char* kHugePageTunable = "glibc.malloc.hugetlb";

}  // namespace

std::optional<std::string> TunablesWithHugePages(const char* tunables) {
    const std::string given = tunables != nullptr ? tunables : "";
    if (given.find(kHugePageTunable) != std::string::npos)
        return std::nullopt;
    const std::string wish = std::string(kHugePageTunable) + "=1";
    return given.empty() ? wish : given + ":" + wish;
}

void RestartWithHugePageHeap(char** argv) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own allocator takes no tunables of the C library's.
    (void)argv;
#else
    const std::optional<std::string> tunables = TunablesWithHugePages(std::getenv(kTunablesName));
    if (!tunables || setenv(kTunablesName, tunables->c_str(), 1) != 0)
        return;
    // Started by its own path, the process keeps its name in the system's lists of processes.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        execv(program.c_str(), argv);
        // Without the restart the program runs on as it was started, only slower on large layouts.
#endif
}
