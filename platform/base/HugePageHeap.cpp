#include "platform/base/HugePageHeap.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/base/ModuleFolder.h"

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

// The sanitizer's own allocator takes no tunables of the C library's, so that build never restarts.
void RestartWithHugePageHeap([[maybe_unused]] char** argv) {
#if !defined(__SANITIZE_ADDRESS__)
    const std::optional<std::string> tunables = TunablesWithHugePages(std::getenv(kTunablesName));
    if (!tunables || setenv(kTunablesName, tunables->c_str(), 1) != 0)
        return;
    // Started by its own path, the process keeps its name in the system's lists of processes.
    // Where the restart cannot be made, the program runs on as started, only slower on large layouts.
    if (const std::filesystem::path program = GetModuleFile(); !program.empty())
        execv(program.c_str(), argv);
#endif
}
