#pragma once

#include "platform/gdi/GdiTypes.h"

class CBrush;

// The classic grey look, fixed so that tests and the screen agree:
// face 192,192,192; shadow 128,128,128; highlight white; dark shadow black; light 223,223,223;
// window white; text black; selection 0,0,128 with white text; grey text 128,128,128;
// captions 0,0,128 (active) and 128,128,128 (inactive); tool tips black on 255,255,225.
COLORREF GetSysColor(int index);
// A shared solid brush of a system colour; never deleted by the caller.
CBrush* GetSysColorBrush(int index);
