#pragma once

#include "platform/base/WinTypes.h"

// The position a scroll-bar request (SB_LINEUP ... SB_BOTTOM, or their LEFT/RIGHT twins) asks
// for: a line or a page either way, the thumb's position, or either end (0 and last). Requests
// that move nothing (SB_ENDSCROLL) answer the present position. Callers clamp the answer.
int ScrollRequestTarget(UINT code, UINT thumb, int position, int line, int page, int last);
