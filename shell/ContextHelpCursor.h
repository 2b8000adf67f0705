#pragma once

#include "platform/win/WinDefs.h"

// The cursor of Shift+F1 help: the arrow with a question mark beside it.
HCURSOR LoadContextHelpCursor();
