#pragma once

#include "platform/win/WinDefs.h"

// The pictures of the "Elevations" dialog's buttons, drawn once: the mode buttons' current
// and other mode, and a track rising or falling to the right. Null for another id.
HICON ElevationIcon(UINT id);
