#include "platform/base/TickCount.h"

#include <chrono>

namespace {

DWORD SteadyClockTicks() {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<DWORD>(static_cast<ULONGLONG>(milliseconds));
}

DWORD (*g_source)() = SteadyClockTicks;

}  // namespace

DWORD GetTickCount() { return g_source(); }

void SetTickCountSource(DWORD (*source)()) { g_source = source ? source : SteadyClockTicks; }
