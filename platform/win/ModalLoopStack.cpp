#include "platform/win/ModalLoopStack.h"

#include <algorithm>

#include "platform/win/CWnd.h"
#include "platform/win/CloseInProgress.h"
#include "platform/win/WindowManager.h"

namespace {
bool IsAlive(const CWnd* window) {
    return WindowManager::Instance().IsAlive(window);
}

}  // namespace

void ModalLoopStack::Enter(CWnd* window) {
    m_loops.push_back(window);
}

std::vector<MSG> ModalLoopStack::Leave() {
    if (!m_loops.empty())
        m_loops.pop_back();
    std::vector<MSG> released;
    std::erase_if(m_held, [&](const MSG& close) {
        if (!IsAlive(close.hwnd))
            return true;
        if (!LoopsOver(close.hwnd).empty())
            return false;
        released.push_back(close);
        return true;
    });
    return released;
}

// A close already under way asks its question in a loop over the window; it answers a second
// request itself.
bool ModalLoopStack::HoldCloseAndEndLoops(const MSG& msg) {
    if (msg.message != WM_CLOSE || !IsAlive(msg.hwnd) || CloseInProgress::Any())
        return false;
    const std::vector<CWnd*> over = LoopsOver(msg.hwnd);
    if (over.empty())
        return false;
    m_held.push_back(msg);
    // Menus end as on any other cancel, choosing nothing; the other loops end cancelled.
    msg.hwnd->SendMessage(WM_CANCELMODE);
    for (auto loop = over.rbegin(); loop != over.rend(); ++loop)
        if (IsAlive(*loop) && (*loop)->InModalLoop())
            (*loop)->EndModalLoop(IDCANCEL);
    return true;
}

void ModalLoopStack::Clear() {
    m_loops.clear();
    m_held.clear();
}

// A menu opened from a plan window belongs to the main window, and works on the plan window's
// menus and views: it hangs from the top-level window that holds window.
std::vector<CWnd*> ModalLoopStack::LoopsOver(const CWnd* window) const {
    const CWnd* top = window->GetTopLevelParent();
    std::vector<CWnd*> over;
    for (CWnd* loop : m_loops)
        if (loop != window && IsAlive(loop) && !loop->IsChild(window) && WindowManager::HangsFrom(loop, top))
            over.push_back(loop);
    return over;
}
