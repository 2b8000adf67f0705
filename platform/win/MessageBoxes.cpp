#include "platform/win/MessageBoxes.h"

#include "platform/win/CWnd.h"
#include "platform/win/WindowHost.h"
#include "platform/win/WindowManager.h"

namespace {
CString& AppName() {
    static CString name = "Corvane";
    return name;
}

// The box itself is made of dialog controls, a layer above the windows; the host shows it.
int RunMessageBox(const CString& text, const CString& caption, UINT type, CWnd* owner) {
    WindowHost* host = WindowManager::Instance().Host();
    return host ? host->RunMessageBox(text, caption, type, owner) : IDCANCEL;
}
}  // namespace

void AfxSetAppName(const CString& name) {
    AppName() = name;
}
const CString& AfxGetAppName() {
    return AppName();
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    return RunMessageBox(text ? text : "", AfxGetAppName(), type,
                         WindowManager::Instance().GetActiveWindow());
}

BOOL CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return RunMessageBox(text ? text : "", caption ? CString(caption) : AfxGetAppName(), type, this);
}
