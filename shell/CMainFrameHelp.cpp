// The main window's help: Help Topics (and F1), Shift+F1 help on a clicked item, and the help
// window they open.
#include "platform/base/CWinPath.h"
#include "platform/win/CMenu.h"
#include "shell/CHelpWindow.h"
#include "shell/CMainFrame.h"

namespace {

constexpr const char* kHelpFolder = "HELP\\";

// The help comes with the program file, wherever the data folders are.
std::filesystem::path HelpFolder(const CString& programFolder) {
    return CWinPath::Resolve((programFolder + kHelpFolder).c_str());
}

}  // namespace

void CMainFrame::ShowHelpTopic(const CString& key) {
    if (!m_pHelpWindow) {
        auto window = std::make_unique<CHelpWindow>();
        if (!window->Create(this, HelpFolder(m_strProgramFolder)))
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

void CMainFrame::OnCancelMode() {
    m_contextHelp.End();
    CMDIFrameWnd::OnCancelMode();
}

LRESULT CMainFrame::OnEndContextHelp(WPARAM, LPARAM) {
    m_contextHelp.End();
    return 0;
}

// A menu opened for help offers every entry, greyed or not: each has its topic.
void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
    CMDIFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
    if (!m_contextHelp.IsActive())
        return;
    for (int position = 0; position < popup->GetMenuItemCount(); ++position)
        popup->EnableMenuItem(position, MF_BYPOSITION | MF_ENABLED);
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    if (m_contextHelp.Filter(*msg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}
