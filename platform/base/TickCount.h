#pragma once

#include "platform/base/WinTypes.h"

// Milliseconds on a monotonic clock, wrapping around after 2^32 as the system tick count does.
DWORD GetTickCount();
