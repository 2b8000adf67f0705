#include "shell/CContextHelpMode.h"

#include "platform/ctl/CDialog.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CStatusBar.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CHelpWindow.h"
#include "shell/CRulerBar.h"
#include "shell/CToolBarEx.h"
#include "shell/ContextHelpCursor.h"
#include "shell/HelpContexts.h"
#include "view3d/C3DView.h"

namespace {

CString CommandTopic(UINT id) {
    return id != 0 ? HelpTopicOfContext(HID_BASE_COMMAND + id) : CString();
}

CString ToolBarTopic(CToolBarEx& bar, CPoint screen) {
    bar.ScreenToClient(&screen);
    const int slot = bar.HitTest(screen);
    return slot >= 0 ? CommandTopic(bar.GetItemID(slot)) : CString();
}

// The topic a window answers for itself, or an empty key to ask its parent.
CString OwnTopic(CWnd* window, CPoint screen) {
    if (auto* bar = dynamic_cast<CToolBarEx*>(window))
        return ToolBarTopic(*bar, screen);
    if (auto* dialog = dynamic_cast<CDialog*>(window))
        return HelpTopicOfContext(HID_BASE_RESOURCE + dialog->HelpContextId());
    if (dynamic_cast<CCVNView*>(window))
        return "plan-window";
    if (dynamic_cast<C3DView*>(window))
        return "3d-window";
    if (dynamic_cast<CRulerBar*>(window))
        return "rulers";
    if (dynamic_cast<CStatusBar*>(window))
        return "status-bar";
    if (dynamic_cast<CHelpWindow*>(window))
        return "help-topics";
    return (window->GetStyle() & WS_CHILD) ? CommandTopic(window->GetDlgCtrlID()) : CString();
}

}  // namespace

void CContextHelpMode::Begin(CFrameWnd* frame, std::function<void(const CString&)> answer) {
    m_frame = frame;
    m_answer = std::move(answer);
    m_menuOpen = false;
    frame->SetCapture();
    ::SetCursor(LoadContextHelpCursor());
}

void CContextHelpMode::End() {
    if (!m_frame)
        return;
    WindowManager& manager = WindowManager::Instance();
    if (manager.GetCapture() == m_frame)
        manager.ReleaseCapture();
    m_frame = nullptr;
    m_menuOpen = false;
    manager.RestoreWaitCursor();
}

bool CContextHelpMode::Filter(const MSG& msg) {
    if (!m_frame || m_menuOpen)
        return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                End();
            return true;
        case WM_MOUSEMOVE:
            ::SetCursor(LoadContextHelpCursor());
            return true;
        case WM_LBUTTONDOWN:
            Click(msg.pt);
            return true;
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return true;
        default:
            return false;
    }
}

void CContextHelpMode::Click(CPoint screen) {
    const LPARAM at = MAKELPARAM(screen.x, screen.y);
    if (m_frame->SendMessage(WM_NCHITTEST, 0, at) == HTMENU) {
        OpenMenuBar(screen);
        return;
    }
    Answer(TopicAt(screen));
}

// The menu runs as it always does; the entry chosen reaches TakeCommand instead of running.
void CContextHelpMode::OpenMenuBar(CPoint screen) {
    CFrameWnd* frame = m_frame;
    m_menuOpen = true;
    WindowManager::Instance().ReleaseCapture();
    frame->SendMessage(WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(screen.x, screen.y));
    if (IsWindow(frame))
        frame->PostMessage(kEndMessage);
}

bool CContextHelpMode::TakeCommand(UINT id) {
    if (!m_frame || id == ID_CONTEXT_HELP)
        return false;
    Answer(CommandTopic(id));
    return true;
}

void CContextHelpMode::Answer(const CString& topic) {
    const auto answer = m_answer;
    End();
    if (answer)
        answer(topic);
}

CString CContextHelpMode::TopicAt(CPoint screen) {
    return TopicOfWindow(WindowManager::Instance().WindowFromPoint(screen), screen);
}

CString CContextHelpMode::TopicOfWindow(CWnd* window, CPoint screen) {
    for (; window; window = window->GetParent()) {
        const CString topic = OwnTopic(window, screen);
        if (!topic.IsEmpty())
            return topic;
    }
    return "main-window";
}
