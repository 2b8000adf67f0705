#include "platform/host/Host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/HeadlessHost.h"
#include "platform/host/SdlHost.h"
#include "platform/win/WindowManager.h"

Host::Host() { WindowManager::Instance().SetHost(this); }

Host::~Host() {
    if (WindowManager::Instance().Host() == this) WindowManager::Instance().SetHost(nullptr);
}

std::unique_ptr<Host> Host::Create() {
    const char* headless = std::getenv("CORVANE_HEADLESS");
    if (headless && std::strcmp(headless, "1") == 0) return std::make_unique<HeadlessHost>();
    auto desktop = std::make_unique<SdlHost>();
    if (desktop->Opened()) return desktop;
    desktop.reset();
    std::fprintf(stderr, "Corvane: the desktop cannot be opened; windows are kept in memory.\n");
    return std::make_unique<HeadlessHost>();
}
