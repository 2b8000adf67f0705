#include "platform/win/CControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
