// The main window's help: Help Topics (and F1), Shift+F1 help on a clicked item, and the help
// window they open.
#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "shell/CHelpWindow.h"
#include "shell/CMainFrame.h"

namespace {

constexpr const char* kHelpFolder = "HELP\\";

std::filesystem::path HelpFolder() {
    return CWinPath::Resolve((CDataFolders::GetBaseFolder() + kHelpFolder).c_str());
}

}  // namespace

void CMainFrame::ShowHelpTopic(const CString& key) {
    if (!m_pHelpWindow) {
        auto window = std::make_unique<CHelpWindow>();
        if (!window->Create(this, HelpFolder()))
            return;
        m_pHelpWindow = std::move(window);
    }
    m_pHelpWindow->ShowTopic(key);
}

void CMainFrame::OnHelpFinder() {
    ShowHelpTopic("");
}

void CMainFrame::OnContextHelp() {
    m_contextHelp.Begin(this, [this](const CString& key) { ShowHelpTopic(key); });
}

LRESULT CMainFrame::OnEndContextHelp(WPARAM, LPARAM) {
    m_contextHelp.End();
    return 0;
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    if (m_contextHelp.Filter(*msg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}
