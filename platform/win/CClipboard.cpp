#include "platform/win/CClipboard.h"

#include "platform/win/WindowHost.h"
#include "platform/win/WindowManager.h"

namespace {
// Without a host (windows driven directly by tests) the clipboard is kept here.
CString& HostlessText() {
    static CString text;
    return text;
}
}  // namespace

void CClipboard::SetText(const CString& text) {
    if (WindowHost* host = WindowManager::Instance().Host()) {
        host->SetClipboardText(text);
        return;
    }
    HostlessText() = text;
}

CString CClipboard::GetText() {
    if (WindowHost* host = WindowManager::Instance().Host())
        return host->ClipboardText();
    return HostlessText();
}
