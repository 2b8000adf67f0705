#include "platform/win/WindowClass.h"

#include <list>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"

namespace {
std::list<WindowClass>& Classes() {
    static std::list<WindowClass> classes;
    return classes;
}
}  // namespace

WindowClass* FindWindowClass(LPCTSTR name) {
    if (!name) return nullptr;
    for (auto& windowClass : Classes())
        if (windowClass.name == name) return &windowClass;
    return nullptr;
}

WindowClass* DefaultWindowClass() {
    static WindowClass* defaultClass = [] {
        Classes().push_back({"CorvaneWnd", CS_DBLCLKS, LoadStandardCursor(IDC_ARROW), GetSysColorBrush(COLOR_WINDOW)});
        return &Classes().back();
    }();
    return defaultClass;
}

LPCTSTR AfxRegisterWndClass(UINT style, HCURSOR cursor, CBrush* background, HICON icon) {
    CString name;
    name.Format("Corvane:%x:%p:%p:%p", style, static_cast<const void*>(cursor), static_cast<const void*>(background),
                icon);
    if (WindowClass* existing = FindWindowClass(name)) return existing->name;
    Classes().push_back({name, style, cursor, background});
    return Classes().back().name;
}

std::intptr_t SetClassLongPtr(HWND window, int index, std::intptr_t value) {
    if (!IsWindow(window)) return 0;
    WindowClass& windowClass = window->GetWindowClass();
    if (index == GCLP_HCURSOR) {
        auto old = reinterpret_cast<std::intptr_t>(windowClass.cursor);
        windowClass.cursor = reinterpret_cast<HCURSOR>(value);
        if (old != value)
            WindowManager::Instance().ClassCursorChanged(windowClass);
        return old;
    }
    if (index == GCLP_HBRBACKGROUND) {
        auto old = reinterpret_cast<std::intptr_t>(windowClass.background);
        windowClass.background = reinterpret_cast<CBrush*>(value);
        return old;
    }
    return 0;
}
