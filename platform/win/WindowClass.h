#pragma once

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

class CBrush;

// What windows of one class share: class styles (double clicks, redraw on size), the cursor
// shown over them and the brush their background is erased with.
struct WindowClass {
    CString name;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    CBrush* background = nullptr;
};

// The class registered under name, or null.
WindowClass* FindWindowClass(LPCTSTR name);
// The default class: double clicks, arrow cursor, window-colour background.
WindowClass* DefaultWindowClass();
// Registers (or finds) the class with these attributes and answers its name.
LPCTSTR AfxRegisterWndClass(UINT style, HCURSOR cursor = nullptr, CBrush* background = nullptr, HICON icon = nullptr);

constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HBRBACKGROUND = -10;
// Changes the cursor (GCLP_HCURSOR) of window's class, for every window of that class.
std::intptr_t SetClassLongPtr(HWND window, int index, std::intptr_t value);
