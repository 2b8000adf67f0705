#pragma once

#include <memory>

#include "platform/win/WindowHost.h"

// Where the program's windows meet the machine: a desktop (SdlHost) or memory (HeadlessHost).
class Host : public WindowHost {
public:
    // Installs this host under the window manager for its lifetime.
    Host();
    ~Host() override;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    int RunMessageBox(const CString& text, const CString& caption, UINT type, CWnd* owner) override;

    // The headless host when CORVANE_HEADLESS=1, else the desktop; none, said on stderr, when
    // the desktop cannot be opened.
    static std::unique_ptr<Host> Create();
};
