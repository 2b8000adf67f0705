#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/CSize.h"
#include "platform/win/WinDefs.h"

// What the window manager needs of the machine under it. A host (desktop or headless) puts
// top-level windows somewhere people or tests can see them and runs the loops.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual CSize ScreenSize() const = 0;
    // A top-level window appeared, moved, resized, was shown or hidden, or got new pixels.
    virtual void TopLevelChanged(CWnd* window) = 0;
    virtual void TopLevelDestroyed(CWnd* window) = 0;
    virtual void CursorChanged(HCURSOR cursor) = 0;
    // Runs messages until window's modal state ends (CWnd::EndModalLoop) or the window dies.
    virtual void RunModalLoop(CWnd* window) = 0;
    // Shows a message box over owner and answers the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int RunMessageBox(const CString& text, const CString& caption, UINT type, CWnd* owner) = 0;
    // The clipboard's text in the program's code page, lines ending in CR LF; empty when it holds none.
    virtual void SetClipboardText(const CString& text) = 0;
    virtual CString ClipboardText() const = 0;
    // Runs the message loop until the program posts its quit message; answers the exit code.
    virtual int Run() = 0;
};
