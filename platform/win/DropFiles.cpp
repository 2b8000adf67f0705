#include "platform/win/DropFiles.h"

#include <algorithm>
#include <cstring>

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size) {
    if (!drop) return 0;
    if (index == 0xFFFFFFFF) return static_cast<UINT>(drop->files.size());
    if (index >= drop->files.size()) return 0;
    const CString& name = drop->files[index];
    const UINT length = static_cast<UINT>(name.GetLength());
    if (!buffer || size == 0) return length;
    const UINT copied = std::min(length, size - 1);
    std::memcpy(buffer, name.c_str(), copied);
    buffer[copied] = '\0';
    return copied;
}

BOOL DragQueryPoint(HDROP drop, POINT* point) {
    if (!drop || !point) return FALSE;
    *point = drop->point;
    return TRUE;
}
