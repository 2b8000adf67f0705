#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

// Files dropped on a window that accepts them (WM_DROPFILES), with the client point of the drop.
struct DropFiles {
    std::vector<CString> files;
    POINT point;
};

// With index 0xFFFFFFFF the number of files; else copies the index-th name into buffer (when
// given, cut to size) and answers its length.
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size);
BOOL DragQueryPoint(HDROP drop, POINT* point);
// The drop belongs to whoever sent it; finishing it is a no-op kept for the program's calls.
inline void DragFinish(HDROP) {}
