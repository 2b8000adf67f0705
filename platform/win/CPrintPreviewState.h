#pragma once

#include <vector>

#include "platform/win/WinDefs.h"

class CControlBar;
class CView;

// What a frame puts away while it shows a print preview, to bring back afterwards.
struct CPrintPreviewState {
    std::vector<CControlBar*> hiddenBars;
    CWnd* hiddenPane = nullptr;
    HMENU menu = nullptr;
    CView* pViewActiveOld = nullptr;
};
