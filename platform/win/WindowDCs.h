#pragma once

#include "platform/gdi/CDC.h"
#include "platform/win/CWnd.h"

// A DC over a window's pixels: its client area (CClientDC, CPaintDC) or the whole window
// (CWindowDC), clipped to what of it can be seen.
class CWindowBoundDC : public CDC {
public:
    HWND m_hWnd = nullptr;
    ~CWindowBoundDC() override;
};

class CClientDC : public CWindowBoundDC {
public:
    explicit CClientDC(CWnd* window);
};

class CWindowDC : public CWindowBoundDC {
public:
    explicit CWindowDC(CWnd* window);
};

class CPaintDC : public CWindowBoundDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};
};
