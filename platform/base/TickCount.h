#pragma once

#include "platform/base/WinTypes.h"

// Milliseconds on a monotonic clock, wrapping around after 2^32 as the system tick count does.
DWORD GetTickCount();

// Makes GetTickCount read another clock: the window layer hands in the clock its timers run
// by, so that the program measures time the way its timers see it (a virtual one in tests).
void SetTickCountSource(DWORD (*source)());
