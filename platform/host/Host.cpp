#include "platform/host/Host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/host/HeadlessHost.h"
#include "platform/host/SdlHost.h"
#include "platform/win/WindowManager.h"

Host::Host() { WindowManager::Instance().SetHost(this); }

Host::~Host() {
    if (WindowManager::Instance().Host() == this) WindowManager::Instance().SetHost(nullptr);
}

int Host::RunMessageBox(const CString& text, const CString& caption, UINT type, CWnd* owner) {
    CMessageBoxWnd box(text, caption, type, owner);
    const INT_PTR answer = box.DoModal();
    return answer < 0 ? IDCANCEL : static_cast<int>(answer);
}

std::unique_ptr<Host> Host::Create() {
    const char* headless = std::getenv("CORVANE_HEADLESS");
    if (headless && std::strcmp(headless, "1") == 0) return std::make_unique<HeadlessHost>();
    auto desktop = std::make_unique<SdlHost>();
    if (desktop->Opened()) return desktop;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "Corvane: cannot open the display \"%s\": %s.\n", display ? display : "",
                 desktop->OpenError().c_str());
    return nullptr;
}
