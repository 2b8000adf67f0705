#include "platform/base/TickCount.h"

#include <chrono>

DWORD GetTickCount() {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<DWORD>(static_cast<ULONGLONG>(milliseconds));
}
