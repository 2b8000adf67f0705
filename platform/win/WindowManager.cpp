#include "platform/win/WindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/base/TickCount.h"
#include "platform/gdi/DragImage.h"
#include "platform/win/CWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/DropFiles.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/NonClientPress.h"
#include "platform/win/WindowHost.h"

namespace {
constexpr UINT kMinimumTimerPeriod = 10;
constexpr UINT kDoubleClickTime = 500;
constexpr int kDoubleClickSlop = 2;
constexpr int kIdleRoundsLimit = 100000;
constexpr BYTE kKeyDown = 0x80;
constexpr BYTE kKeyToggled = 0x01;

bool IsButtonDown(UINT message) { return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN; }
}  // namespace

WindowManager& WindowManager::Instance() {
    static WindowManager manager;
    return manager;
}

WindowManager::WindowManager() {
    SetTickCountSource([] { return Instance().Now(); });
    DragImage::Instance().SetChangeListener([](CWnd* lock) { Instance().DragImageChanged(lock); });
}

CSize WindowManager::ScreenSize() const { return m_host ? m_host->ScreenSize() : CSize(1280, 1024); }

void WindowManager::Register(CWnd* window) {
    m_alive.insert(window);
    if (window->IsTopLevel()) m_topLevels.push_back(window);
}

void WindowManager::Unregister(CWnd* window) {
    m_alive.erase(window);
    std::erase(m_topLevels, window);
    std::erase_if(m_timers, [window](const Timer& timer) { return timer.window == window; });
    std::erase_if(m_posted, [window](const MSG& msg) { return msg.hwnd == window; });
    if (m_capture == window) m_capture = nullptr;
    if (m_focus == window) m_focus = nullptr;
    if (m_active == window) m_active = nullptr;
    std::erase(m_activated, window);
    std::erase_if(m_focusLeft,
                  [window](const auto& kept) { return kept.first == window || kept.second == window; });
    if (m_mouseLeaveWindow == window) m_mouseLeaveWindow = nullptr;
    if (m_keyboardGrab == window) m_keyboardGrab = nullptr;
    std::replace(m_keyPressTakers.begin(), m_keyPressTakers.end(), window, static_cast<CWnd*>(nullptr));
    if (m_lastClick.window == window) m_lastClick = {};
    if (m_caret.Owner() == window) m_caret.Destroy();
    DragImage::Instance().Forget(window);
    if (m_host && window->IsTopLevel()) m_host->TopLevelDestroyed(window);
}

void WindowManager::BringToTop(CWnd* topLevel) {
    auto found = std::find(m_topLevels.begin(), m_topLevels.end(), topLevel);
    if (found == m_topLevels.end()) return;
    m_topLevels.erase(found);
    // Top-most windows stay above the others.
    auto position = m_topLevels.end();
    if ((topLevel->GetExStyle() & WS_EX_TOPMOST) == 0)
        position = std::find_if(m_topLevels.begin(), m_topLevels.end(),
                                [](CWnd* other) { return (other->GetExStyle() & WS_EX_TOPMOST) != 0; });
    m_topLevels.insert(position, topLevel);
    TopLevelChanged(topLevel);
}

CWnd* WindowManager::WindowFromPoint(CPoint screen) const {
    for (auto top = m_topLevels.rbegin(); top != m_topLevels.rend(); ++top) {
        CWnd* window = *top;
        // A minimised top-level window is on the desktop's task list, not on the screen.
        if (!window->IsWindowVisible() || window->IsIconic())
            continue;
        CRect rect;
        window->GetWindowRect(&rect);
        if (rect.PtInRect(screen))
            return DeepestWindowAt(window, screen);
    }
    return nullptr;
}

CWnd* WindowManager::DeepestWindowAt(CWnd* window, CPoint screen) {
    for (;;) {
        CPoint client = screen;
        window->ScreenToClient(&client);
        CWnd* child = window->ChildWindowFromPoint(client);
        if (!child)
            return window;
        window = child;
    }
}

void WindowManager::TopLevelChanged(CWnd* topLevel) {
    if (m_host && IsAlive(topLevel)) m_host->TopLevelChanged(topLevel);
}

// The drag image lies over its lock window's top-level window, or over every one without a lock.
void WindowManager::DragImageChanged(CWnd* lock) {
    if (IsAlive(lock)) {
        TopLevelChanged(lock->GetTopLevelParent());
        return;
    }
    for (CWnd* topLevel : m_topLevels)
        if (topLevel->IsWindowVisible()) TopLevelChanged(topLevel);
}

// --- Time and timers ------------------------------------------------------------------------

UINT_PTR WindowManager::SetTimer(CWnd* window, UINT_PTR id, UINT elapse) {
    if (!IsAlive(window)) return 0;
    const UINT period = std::max(elapse, kMinimumTimerPeriod);
    for (Timer& timer : m_timers) {
        if (timer.window == window && timer.id == id) {
            timer.elapse = period;
            timer.due = m_now + period;
            return id;
        }
    }
    m_timers.push_back({window, id, period, m_now + period, m_timerOrder++});
    return id;
}

BOOL WindowManager::KillTimer(CWnd* window, UINT_PTR id) {
    const auto removed =
        std::erase_if(m_timers, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
    return removed ? TRUE : FALSE;
}

WindowManager::Timer* WindowManager::NextDueTimer(unsigned long long now) {
    Timer* next = nullptr;
    for (Timer& timer : m_timers) {
        if (timer.due > now) continue;
        if (!next || timer.due < next->due || (timer.due == next->due && timer.order < next->order)) next = &timer;
    }
    return next;
}

void WindowManager::AdvanceClock(unsigned long long now, bool coalesce) {
    if (coalesce) {
        std::vector<Timer> due;
        for (Timer& timer : m_timers) {
            if (timer.due > now) continue;
            due.push_back(timer);
            timer.due = now + timer.elapse;
        }
        std::sort(due.begin(), due.end(),
                  [](const Timer& a, const Timer& b) { return a.due != b.due ? a.due < b.due : a.order < b.order; });
        m_now = std::max(m_now, now);
        m_caret.Tick(m_now);
        for (const Timer& timer : due)
            if (IsAlive(timer.window)) Deliver({timer.window, WM_TIMER, timer.id, 0, Now(), m_cursorPos});
        return;
    }
    while (Timer* timer = NextDueTimer(now)) {
        m_now = std::max(m_now, timer->due);
        m_caret.Tick(m_now);
        timer->due += timer->elapse;
        const MSG msg{timer->window, WM_TIMER, timer->id, 0, Now(), m_cursorPos};
        Deliver(msg);
    }
    m_now = std::max(m_now, now);
    m_caret.Tick(m_now);
}

long long WindowManager::TimeToNextTimer() const {
    long long next = m_caret.TimeToNextBlink(m_now);
    for (const Timer& timer : m_timers) {
        const long long wait = timer.due > m_now ? static_cast<long long>(timer.due - m_now) : 0;
        if (next < 0 || wait < next) next = wait;
    }
    return next;
}

// --- Capture, focus, activation -------------------------------------------------------------

CWnd* WindowManager::SetCapture(CWnd* window) {
    CWnd* old = m_capture;
    m_capture = IsAlive(window) ? window : nullptr;
    if (old && old != m_capture && IsAlive(old))
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_capture));
    return old;
}

void WindowManager::ReleaseCapture() {
    CWnd* old = m_capture;
    m_capture = nullptr;
    if (old && IsAlive(old)) old->SendMessage(WM_CAPTURECHANGED, 0, 0);
}

CWnd* WindowManager::SetFocus(CWnd* window) {
    CWnd* old = m_focus;
    if (window && !IsAlive(window)) return old;
    if (old == window) return old;
    if (window) {
        CWnd* top = window->GetTopLevelParent();
        if (top != m_active) {
            // Activation may move the focus itself; the window asked for gets it in the end.
            Activate(top);
            old = m_focus;
            if (old == window) return old;
        }
        // Behind a modal window no window takes the keys: they stay with the modal one.
        if (!top->IsWindowEnabled())
            return old;
    }
    m_focus = window;
    if (old && IsAlive(old)) old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window && IsAlive(window) && m_focus == window)
        window->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

void WindowManager::Activate(CWnd* topLevel) {
    if (topLevel && !topLevel->IsWindowEnabled()) {
        CWnd* modal = ModalWindowOver(topLevel);
        if (!modal)
            return;
        topLevel = modal;
    }
    if (topLevel == m_active || (topLevel && !IsAlive(topLevel))) return;
    CWnd* old = m_active;
    m_active = topLevel;
    if (topLevel) {
        std::erase(m_activated, topLevel);
        m_activated.push_back(topLevel);
    }
    if (old && IsAlive(old)) {
        if (m_focus && (m_focus == old || old->IsChild(m_focus)))
            m_focusLeft[old] = m_focus;
        old->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(topLevel));
        old->SendMessage(WM_NCACTIVATE, FALSE);
    }
    if (!topLevel) return;
    BringToTop(topLevel);
    topLevel->SendMessage(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    topLevel->SendMessage(WM_NCACTIVATE, TRUE);
}

void WindowManager::ActivateAfter(CWnd* leaving) {
    if (m_active != leaving)
        return;
    // Activation reorders the list and may close windows: the order is taken as it was.
    const std::vector<CWnd*> order = m_activated;
    for (auto each = order.rbegin(); each != order.rend(); ++each) {
        CWnd* window = *each;
        if (window == leaving || !IsAlive(window) || !window->IsWindowVisible() || window->IsIconic())
            continue;
        Activate(window);
        if (m_active != leaving)
            return;
    }
    CWnd* owner = leaving->GetOwner();
    Activate(owner ? owner->GetTopLevelParent() : nullptr);
    if (m_active == leaving)
        Activate(nullptr);
}

CWnd* WindowManager::FocusLeftIn(CWnd* topLevel) const {
    const auto kept = m_focusLeft.find(topLevel);
    return kept != m_focusLeft.end() ? kept->second : nullptr;
}

CWnd* WindowManager::ModalWindowOver(CWnd* topLevel) const {
    if (!topLevel || topLevel->IsWindowEnabled())
        return nullptr;
    for (auto each = m_topLevels.rbegin(); each != m_topLevels.rend(); ++each) {
        CWnd* window = *each;
        if (window != topLevel && window->InModalLoop() && window->IsWindowVisible() &&
            window->IsWindowEnabled() && HangsFrom(window, topLevel))
            return window;
    }
    return nullptr;
}

bool WindowManager::HangsFrom(const CWnd* window, const CWnd* topLevel) {
    for (const CWnd* up = window; up; up = up->GetParent() ? up->GetParent() : up->GetOwner())
        if (up == topLevel) return true;
    return false;
}

BOOL WindowManager::TrackMouseLeave(CWnd* window, bool cancel) {
    if (cancel) {
        if (m_mouseLeaveWindow == window) m_mouseLeaveWindow = nullptr;
        return TRUE;
    }
    if (!IsAlive(window)) return FALSE;
    m_mouseLeaveWindow = window;
    return TRUE;
}

// --- Keyboard and mouse state ---------------------------------------------------------------

SHORT WindowManager::GetKeyState(UINT vk) const {
    if (vk >= m_keys.size()) return 0;
    const BYTE state = m_keys[vk];
    return static_cast<SHORT>(((state & kKeyDown) ? 0x8000 : 0) | (state & kKeyToggled));
}

void WindowManager::GetKeyboardState(BYTE* keys) const { std::copy(m_keys.begin(), m_keys.end(), keys); }

UINT WindowManager::MouseFlags() const {
    UINT flags = 0;
    if (m_keys[VK_LBUTTON] & kKeyDown) flags |= MK_LBUTTON;
    if (m_keys[VK_RBUTTON] & kKeyDown) flags |= MK_RBUTTON;
    if (m_keys[VK_SHIFT] & kKeyDown) flags |= MK_SHIFT;
    if (m_keys[VK_CONTROL] & kKeyDown) flags |= MK_CONTROL;
    return flags;
}

// --- Cursor ---------------------------------------------------------------------------------

HCURSOR WindowManager::SetCursor(HCURSOR cursor) {
    HCURSOR old = m_cursor;
    if (m_waitCount > 0) cursor = LoadStandardCursor(IDC_WAIT);
    m_cursor = cursor;
    if (m_host && old != cursor) m_host->CursorChanged(cursor);
    return old;
}

void WindowManager::BeginWaitCursor() {
    ++m_waitCount;
    SetCursor(LoadStandardCursor(IDC_WAIT));
}

void WindowManager::EndWaitCursor() {
    if (m_waitCount > 0) --m_waitCount;
    if (m_waitCount == 0) RestoreWaitCursor();
}

void WindowManager::RestoreWaitCursor() {
    if (m_waitCount > 0) {
        SetCursor(LoadStandardCursor(IDC_WAIT));
        return;
    }
    CWnd* under = m_capture ? m_capture : WindowFromPoint(m_cursorPos);
    if (under)
        SendSetCursor(under, WM_MOUSEMOVE);
    // A place that names no cursor of its own (a caption, a border) must not keep the wait cursor.
    if (m_cursor == LoadStandardCursor(IDC_WAIT))
        SetCursor(LoadStandardCursor(IDC_ARROW));
}

void WindowManager::ClassCursorChanged(const WindowClass& windowClass) {
    if (m_capture || m_waitCount > 0)
        return;
    CWnd* under = WindowFromPoint(m_cursorPos);
    if (under && &under->GetWindowClass() == &windowClass)
        SendSetCursor(under, WM_MOUSEMOVE);
}

// --- Input ----------------------------------------------------------------------------------

CWnd* WindowManager::MouseTarget(CPoint screen, CWnd* topLevel) const {
    if (m_capture)
        return m_capture;
    if (IsAlive(topLevel) && topLevel->IsWindowVisible() && !topLevel->IsIconic()) {
        CRect rect;
        topLevel->GetWindowRect(&rect);
        if (rect.PtInRect(screen))
            return DeepestWindowAt(topLevel, screen);
    }
    return WindowFromPoint(screen);
}

void WindowManager::UpdateButtonState(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN: m_keys[VK_LBUTTON] |= kKeyDown; break;
    case WM_LBUTTONUP: m_keys[VK_LBUTTON] &= static_cast<BYTE>(~kKeyDown); break;
    case WM_RBUTTONDOWN: m_keys[VK_RBUTTON] |= kKeyDown; break;
    case WM_RBUTTONUP: m_keys[VK_RBUTTON] &= static_cast<BYTE>(~kKeyDown); break;
    default: break;
    }
}

UINT WindowManager::ClickMessage(CWnd* target, UINT message, CPoint screen) {
    if (!IsButtonDown(message)) return message;
    const bool again = m_lastClick.window == target && m_lastClick.message == message &&
                       m_now - m_lastClick.time <= kDoubleClickTime &&
                       std::abs(screen.x - m_lastClick.point.x) <= kDoubleClickSlop &&
                       std::abs(screen.y - m_lastClick.point.y) <= kDoubleClickSlop &&
                       (target->GetWindowClass().style & CS_DBLCLKS) != 0;
    if (again) {
        m_lastClick = {};
        return message == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
    }
    m_lastClick = {target, message, Now(), screen};
    return message;
}

void WindowManager::NoticeMouseLeave(CWnd* target) {
    if (!m_mouseLeaveWindow || m_mouseLeaveWindow == target) return;
    CWnd* left = m_mouseLeaveWindow;
    m_mouseLeaveWindow = nullptr;
    left->SendMessage(WM_MOUSELEAVE);
}

UINT WindowManager::HitTest(CWnd* target) const {
    return static_cast<UINT>(target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(m_cursorPos.x, m_cursorPos.y)));
}

void WindowManager::SendSetCursor(CWnd* target, UINT message) {
    const UINT hit = HitTest(target);
    if (IsAlive(target))
        target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(static_cast<int>(hit), message));
}

void WindowManager::MouseInput(UINT message, CPoint screen, CWnd* topLevel) {
    m_cursorPos = screen;
    UpdateButtonState(message);
    if (IsButtonDown(message)) m_altAlone = false;
    if (message == WM_LBUTTONDOWN)
        m_lastLeftPress = {m_lastLeftPress.number + 1, Now(), screen};
    CWnd* target = MouseTarget(screen, topLevel);
    if (!target) {
        NoticeMouseLeave(nullptr);
        return;
    }
    // Behind a modal window the whole owner is disabled: none of its children take the mouse.
    if (!target->GetTopLevelParent()->IsWindowEnabled()) return;
    if (!m_capture && IsButtonDown(message)) {
        Activate(target->GetTopLevelParent());
        if (IsAlive(target)) target->SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, message));
        if (!IsAlive(target)) return;
    }
    if (!target->IsWindowEnabled()) return;
    NoticeMouseLeave(target);
    if (!m_capture && message == WM_LBUTTONDOWN && NonClientDown(target, screen)) return;
    if (!m_capture) SendSetCursor(target, message);
    if (!IsAlive(target)) return;
    const UINT delivered = ClickMessage(target, message, screen);
    CPoint client = screen;
    target->ScreenToClient(&client);
    Deliver({target, delivered, MouseFlags(), MAKELPARAM(client.x, client.y), Now(), screen});
}

bool WindowManager::NonClientDown(CWnd* target, CPoint screen) {
    const UINT hit = HitTest(target);
    if (hit == HTCLIENT || !IsAlive(target)) return false;
    m_keys[VK_LBUTTON] &= static_cast<BYTE>(~kKeyDown);
    // A second press on the same place of the same caption in time is a double click.
    const bool again = hit == HTCAPTION && m_lastClick.window == target && m_lastClick.message == WM_NCLBUTTONDOWN &&
                       m_now - m_lastClick.time <= kDoubleClickTime &&
                       std::abs(screen.x - m_lastClick.point.x) <= kDoubleClickSlop &&
                       std::abs(screen.y - m_lastClick.point.y) <= kDoubleClickSlop;
    m_lastClick = again ? LastClick{} : LastClick{target, WM_NCLBUTTONDOWN, Now(), screen};
    target->SendMessage(again ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
    return true;
}

void WindowManager::WheelInput(int delta, CPoint screen) {
    m_cursorPos = screen;
    CWnd* target = m_focus ? m_focus : MouseTarget(screen, nullptr);
    if (!target) return;
    Deliver({target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseFlags()), delta), MAKELPARAM(screen.x, screen.y),
             Now(), screen});
}

void WindowManager::KeyInput(UINT vk, bool down) {
    if (vk >= m_keys.size()) return;
    const bool wasDown = (m_keys[vk] & kKeyDown) != 0;
    if (vk == VK_MENU) {
        if (down && !wasDown) m_altAlone = true;
    } else if (down) {
        m_altAlone = false;
    }
    if (down) {
        if (!wasDown) m_keys[vk] ^= kKeyToggled;
        m_keys[vk] |= kKeyDown;
    } else {
        m_keys[vk] &= static_cast<BYTE>(~kKeyDown);
    }
    const bool system = (m_keys[VK_MENU] & kKeyDown) != 0 || vk == VK_MENU || vk == VK_F10;
    if (down)
        KeyPressInput(vk, wasDown, system);
    else
        KeyReleaseInput(vk, system);
}

// The taker is named before the press is delivered: what the press does may run a modal loop
// in which the key comes up.
void WindowManager::KeyPressInput(UINT vk, bool repeat, bool system) {
    CWnd* target = KeyTarget();
    m_keyPressTakers[vk] = target && IsAlive(m_keyboardGrab) ? m_keyboardGrab : target;
    if (!target) return;
    const LPARAM flags = repeat ? (LPARAM(1) << 30) | 1 : 1;
    Deliver({target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, flags, Now(), m_cursorPos});
}

// Wherever the keyboard has gone since: a menu, a dialog or a window that took no press of the
// key must not act on its release. A grab that took no press does not see it either.
void WindowManager::KeyReleaseInput(UINT vk, bool system) {
    CWnd* taker = std::exchange(m_keyPressTakers[vk], nullptr);
    if (!taker) return;
    const LPARAM flags = (LPARAM(1) << 30) | (LPARAM(1) << 31) | 1;
    DeliverPastGrab({taker, system ? WM_SYSKEYUP : WM_KEYUP, vk, flags, Now(), m_cursorPos});
}

void WindowManager::CharInput(char ch, CWnd* target) {
    if (target) Deliver({target, WM_CHAR, static_cast<BYTE>(ch), 1, Now(), m_cursorPos});
}

void WindowManager::DropFilesInput(const std::vector<CString>& files, CPoint screen, CWnd* topLevel) {
    CWnd* target = IsAlive(topLevel) ? DeepestWindowAt(topLevel, screen) : WindowFromPoint(screen);
    while (target && (target->GetExStyle() & WS_EX_ACCEPTFILES) == 0)
        target = target->IsTopLevel() ? nullptr : target->GetParent();
    if (!target || files.empty() || !target->GetTopLevelParent()->IsWindowEnabled())
        return;
    DropFiles drop{files, screen};
    target->ScreenToClient(&drop.point);
    target->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop));
}

// --- Messages -------------------------------------------------------------------------------

BOOL WindowManager::PostMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !IsAlive(window)) return FALSE;
    m_posted.push_back({window, message, wParam, lParam, Now(), m_cursorPos});
    return TRUE;
}

void WindowManager::PostQuitMessage(int exitCode) {
    m_quit = true;
    m_exitCode = exitCode;
}

bool WindowManager::DispatchOnePosted() {
    if (m_posted.empty()) return false;
    const MSG msg = m_posted.front();
    m_posted.pop_front();
    if (m_modalLoops.HoldCloseAndEndLoops(msg)) return true;
    if (msg.hwnd) Deliver(msg);
    return true;
}

void WindowManager::PaintAll() {
    const std::vector<CWnd*> tops = m_topLevels;
    for (CWnd* top : tops) {
        if (!IsAlive(top) || !top->IsWindowVisible()) continue;
        m_caret.Lift(top);
        const bool painted = top->PaintTree();
        m_caret.Restore();
        if (painted) TopLevelChanged(top);
    }
}

void WindowManager::RunUntilIdle() {
    for (int round = 0; round < kIdleRoundsLimit; ++round) {
        while (DispatchOnePosted()) {
        }
        if (m_idle) m_idle();
        PaintAll();
        if (m_posted.empty()) return;
    }
}

void WindowManager::Deliver(const MSG& msg) {
    if (!IsAlive(msg.hwnd)) return;
    MSG copy = msg;
    const bool keyboard = msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP;
    if (keyboard && IsAlive(m_keyboardGrab) && m_keyboardGrab->PreTranslateMessage(&copy)) return;
    DeliverPastGrab(copy);
}

void WindowManager::DeliverPastGrab(MSG msg) {
    for (CWnd* window = msg.hwnd; window && IsAlive(window); window = window->GetParent())
        if (window->PreTranslateMessage(&msg)) return;
    if (IsAlive(msg.hwnd)) msg.hwnd->SendMessage(msg.message, msg.wParam, msg.lParam);
}

void WindowManager::RunModalLoop(CWnd* window) {
    m_modalLoops.Enter(window);
    if (m_host) {
        m_host->RunModalLoop(window);
    } else {
        RunUntilIdle();
        if (IsAlive(window) && window->InModalLoop()) window->EndModalLoop(IDCANCEL);
    }
    for (const MSG& close : m_modalLoops.Leave()) m_posted.push_back(close);
}

void WindowManager::Reset() {
    m_alive.clear();
    m_topLevels.clear();
    m_timers.clear();
    m_posted.clear();
    m_modalLoops.Clear();
    m_capture = m_focus = m_active = m_mouseLeaveWindow = nullptr;
    m_activated.clear();
    m_focusLeft.clear();
    m_keys.fill(0);
    m_keyPressTakers.fill(nullptr);
    m_altAlone = false;
    m_lastClick = {};
    m_lastLeftPress = {};
    m_waitCount = 0;
    m_cursor = nullptr;
    m_quit = false;
    m_exitCode = 0;
    m_now = 0;
    m_keyboardGrab = nullptr;
    m_caret = Caret();
    DragImage::Instance().End();
    NonClientPress::Clear();
}

// --- Free functions -------------------------------------------------------------------------

SHORT GetKeyState(int vk) { return WindowManager::Instance().GetKeyState(static_cast<UINT>(vk)); }
BOOL GetKeyboardState(BYTE* keys) {
    if (!keys) return FALSE;
    WindowManager::Instance().GetKeyboardState(keys);
    return TRUE;
}
HCURSOR SetCursor(HCURSOR cursor) { return WindowManager::Instance().SetCursor(cursor); }
HCURSOR GetCursor() { return WindowManager::Instance().GetCursor(); }
BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = WindowManager::Instance().CursorPos();
    return TRUE;
}
CWnd* GetCapture() { return WindowManager::Instance().GetCapture(); }
BOOL ReleaseCapture() {
    WindowManager::Instance().ReleaseCapture();
    return TRUE;
}
CWnd* GetFocus() { return WindowManager::Instance().GetFocus(); }
void PostQuitMessage(int exitCode) { WindowManager::Instance().PostQuitMessage(exitCode); }
BOOL IsWindow(HWND window) { return WindowManager::Instance().IsAlive(window) ? TRUE : FALSE; }
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (!track || (track->dwFlags & TME_LEAVE) == 0) return FALSE;
    return WindowManager::Instance().TrackMouseLeave(track->hwndTrack, (track->dwFlags & TME_CANCEL) != 0);
}
UINT GetDoubleClickTime() { return kDoubleClickTime; }

int GetSystemMetrics(int index) {
    const CSize screen = WindowManager::Instance().ScreenSize();
    switch (index) {
    case SM_CXSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 18;
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 2 * kDoubleClickSlop;
    default: return 0;
    }
}

BOOL DestroyCaret() {
    WindowManager::Instance().GetCaret().Destroy();
    return TRUE;
}
BOOL SetCaretPos(int x, int y) {
    WindowManager& manager = WindowManager::Instance();
    if (!manager.GetCaret().Owner()) return FALSE;
    manager.GetCaret().SetPos(CPoint(x, y), manager.Clock());
    return TRUE;
}
BOOL GetCaretPos(POINT* point) {
    if (!point) return FALSE;
    *point = WindowManager::Instance().GetCaret().Pos();
    return TRUE;
}
UINT GetCaretBlinkTime() { return WindowManager::Instance().GetCaret().BlinkTime(); }
BOOL SetCaretBlinkTime(UINT milliseconds) {
    WindowManager::Instance().GetCaret().SetBlinkTime(milliseconds);
    return TRUE;
}
