#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"
#include "platform/win/Caret.h"
#include "platform/win/ModalLoopStack.h"
#include "platform/win/WinDefs.h"

class WindowHost;
struct WindowClass;

// The one owner of what windows share: which windows live, the top-level z-order, timers, the
// mouse capture, the focus, the active window, the keyboard state, the cursor and the queue of
// posted messages. The host feeds it with input and time; windows ask it for the rest.
class WindowManager {
public:
    static WindowManager& Instance();

    void SetHost(WindowHost* host) { m_host = host; }
    WindowHost* Host() const { return m_host; }
    CSize ScreenSize() const;

    // --- Windows --------------------------------------------------------------------------
    void Register(CWnd* window);
    void Unregister(CWnd* window);
    bool IsAlive(const CWnd* window) const { return window && m_alive.count(window) != 0; }
    // Visible or not, bottom first.
    const std::vector<CWnd*>& TopLevels() const { return m_topLevels; }
    void BringToTop(CWnd* topLevel);
    // The deepest visible window under a screen point, topmost first.
    CWnd* WindowFromPoint(CPoint screen) const;
    void TopLevelChanged(CWnd* topLevel);

    // --- Time and timers ------------------------------------------------------------------
    DWORD Now() const { return static_cast<DWORD>(m_now); }
    UINT_PTR SetTimer(CWnd* window, UINT_PTR id, UINT elapse);
    BOOL KillTimer(CWnd* window, UINT_PTR id);
    // Moves the clock to now, firing every due timer tick in time order with the clock set to
    // the tick's time. coalesce: at most one tick per timer (as a busy desktop would deliver).
    void AdvanceClock(unsigned long long now, bool coalesce = false);
    unsigned long long Clock() const { return m_now; }
    // Milliseconds until the next timer is due, or -1 without timers.
    long long TimeToNextTimer() const;

    // --- Capture, focus, activation -------------------------------------------------------
    CWnd* SetCapture(CWnd* window);
    void ReleaseCapture();
    CWnd* GetCapture() const { return m_capture; }
    CWnd* SetFocus(CWnd* window);
    CWnd* GetFocus() const { return m_focus; }
    // A window a modal loop disabled is never active: the window that disabled it is activated.
    void Activate(CWnd* topLevel);
    CWnd* GetActiveWindow() const { return m_active; }
    // The active window goes out of sight: the window active before it comes back, else its owner.
    void ActivateAfter(CWnd* leaving);
    // The window that keeps the keyboard from topLevel, a window behind a modal window: the top-most
    // shown, enabled window in a modal loop that it owns; nullptr for an enabled window. A window
    // it owns that runs no loop (the help) holds nothing from it.
    CWnd* ModalWindowOver(CWnd* topLevel) const;
    // Whether window is topLevel or hangs from it at any depth, a child by its parent and a
    // top-level window by its owner: what closing topLevel would take down with it.
    static bool HangsFrom(const CWnd* window, const CWnd* topLevel);
    // The window in topLevel that had the keyboard when topLevel was last made inactive, if any.
    CWnd* FocusLeftIn(CWnd* topLevel) const;
    BOOL TrackMouseLeave(CWnd* window, bool cancel);
    // A window (an open menu) that takes every key press first, wherever the focus is; a key's
    // release goes only to the window that took the key's last press.
    void SetKeyboardGrab(CWnd* window) { m_keyboardGrab = window; }
    CWnd* KeyboardGrab() const { return m_keyboardGrab; }

    // --- Keyboard and mouse state ---------------------------------------------------------
    SHORT GetKeyState(UINT vk) const;
    void GetKeyboardState(BYTE* keys) const;
    CPoint CursorPos() const { return m_cursorPos; }
    // Whether the Alt key just released went down and up with no other key or button between.
    bool AltTappedAlone() const { return m_altAlone; }
    // The desktop took the chord Alt began (its window manager's Alt+F4, say): the release that
    // follows is no tap of Alt alone.
    void ForgetAltTap() { m_altAlone = false; }
    UINT MouseFlags() const;
    // When and where the left button last went down, whichever window took it.
    struct Press {
        unsigned long long number = 0;  // counts the presses
        DWORD time = 0;
        CPoint point;
    };
    Press LastLeftPress() const { return m_lastLeftPress; }

    // --- Caret (blinking by the clock) ----------------------------------------------------
    Caret& GetCaret() { return m_caret; }

    // --- Cursor ---------------------------------------------------------------------------
    HCURSOR SetCursor(HCURSOR cursor);
    HCURSOR GetCursor() const { return m_cursor; }
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();
    // A window class got a new cursor: the mouse over a window of that class shows it at once.
    void ClassCursorChanged(const WindowClass& windowClass);

    // --- Input from the host (screen coordinates) -----------------------------------------
    // message: WM_MOUSEMOVE, WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP. Double clicks are found here.
    // When the desktop names the top-level window the point lies in, the window is looked for in
    // that one: a window manager may stack the windows otherwise than the program last did.
    void MouseInput(UINT message, CPoint screen, CWnd* topLevel = nullptr);
    void WheelInput(int delta, CPoint screen);
    void KeyInput(UINT vk, bool down);
    // The window the next key goes to: the focus, else the active window.
    CWnd* KeyTarget() const { return m_focus ? m_focus : m_active; }
    void CharInput(char ch) { CharInput(ch, KeyTarget()); }
    // A character typed by a key goes where its key went, even when the key moved the keyboard.
    void CharInput(char ch, CWnd* target);
    // The mouse has gone off the program's windows: a window waiting for it to leave is told.
    void MouseLeftWindows() { NoticeMouseLeave(nullptr); }
    // Files dropped at a screen point go to the window there, or its nearest ancestor, that accepts files;
    // when the desktop names the top-level window they fell on, the window is looked for in that one.
    // A window behind a modal window takes no drop, as it takes no click.
    void DropFilesInput(const std::vector<CString>& files, CPoint screen, CWnd* topLevel = nullptr);

    // --- Messages -------------------------------------------------------------------------
    BOOL PostMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);
    void PostQuitMessage(int exitCode);
    bool QuitPosted() const { return m_quit; }
    int ExitCode() const { return m_exitCode; }
    void ClearQuit() { m_quit = false; }
    // Delivers one posted message; false when the queue is empty.
    bool DispatchOnePosted();
    // Posted messages, then painting, until nothing is left to do.
    void RunUntilIdle();
    // Paints every window with an update region, top-level windows bottom first.
    void PaintAll();
    // Gives the message to the windows' PreTranslateMessage chain, then to the window.
    void Deliver(const MSG& msg);
    void RunModalLoop(CWnd* window);

    // The messages being handled, innermost last (what a handler's Default() passes on).
    void PushMessage(const MSG& msg) { m_handling.push_back(msg); }
    void PopMessage() { m_handling.pop_back(); }
    const MSG* CurrentMessage() const { return m_handling.empty() ? nullptr : &m_handling.back(); }

    // Runs after the queue empties, before painting (the application's idle update).
    void SetIdleHandler(std::function<void()> handler) { m_idle = std::move(handler); }

    // For tests: forget every window, timer and key (the windows themselves are not touched).
    void Reset();

private:
    // The deepest visible window of window (itself included) under a screen point inside it.
    static CWnd* DeepestWindowAt(CWnd* window, CPoint screen);
    WindowManager();
    struct Timer {
        CWnd* window;
        UINT_PTR id;
        UINT elapse;
        unsigned long long due;
        unsigned long long order;
    };
    struct LastClick {
        CWnd* window = nullptr;
        UINT message = 0;
        DWORD time = 0;
        CPoint point;
    };

    void DragImageChanged(CWnd* lock);
    CWnd* MouseTarget(CPoint screen, CWnd* topLevel) const;
    UINT ClickMessage(CWnd* target, UINT message, CPoint screen);
    void NoticeMouseLeave(CWnd* target);
    bool NonClientDown(CWnd* target, CPoint screen);
    // Where the cursor is on target (WM_NCHITTEST).
    UINT HitTest(CWnd* target) const;
    void SendSetCursor(CWnd* target, UINT message);
    void KeyPressInput(UINT vk, bool repeat, bool system);
    void KeyReleaseInput(UINT vk, bool system);
    // Deliver without the keyboard grab's first look.
    void DeliverPastGrab(MSG msg);
    void UpdateButtonState(UINT message);
    Timer* NextDueTimer(unsigned long long now);

    WindowHost* m_host = nullptr;
    std::set<const CWnd*> m_alive;
    std::vector<CWnd*> m_topLevels;
    std::vector<Timer> m_timers;
    unsigned long long m_timerOrder = 0;
    unsigned long long m_now = 0;
    CWnd* m_capture = nullptr;
    CWnd* m_focus = nullptr;
    CWnd* m_active = nullptr;
    // The top-level windows in the order they were last active, the latest last.
    std::vector<CWnd*> m_activated;
    // Per top-level window, where its keyboard was when it last went inactive.
    std::map<CWnd*, CWnd*> m_focusLeft;
    CWnd* m_mouseLeaveWindow = nullptr;
    CWnd* m_keyboardGrab = nullptr;
    std::array<BYTE, 256> m_keys{};
    // Per key, the window that took its last press, until the key comes up or the window goes.
    std::array<CWnd*, 256> m_keyPressTakers{};
    CPoint m_cursorPos;
    LastClick m_lastClick;
    Press m_lastLeftPress;
    HCURSOR m_cursor = nullptr;
    int m_waitCount = 0;
    bool m_altAlone = false;
    Caret m_caret;
    std::deque<MSG> m_posted;
    ModalLoopStack m_modalLoops;
    std::function<void()> m_idle;
    std::vector<MSG> m_handling;
    bool m_quit = false;
    int m_exitCode = 0;
};

// The framework's free functions over the window manager.
SHORT GetKeyState(int vk);
BOOL GetKeyboardState(BYTE* keys);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(POINT* point);
CWnd* GetCapture();
BOOL ReleaseCapture();
CWnd* GetFocus();
void PostQuitMessage(int exitCode);
BOOL IsWindow(HWND window);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
int GetSystemMetrics(int index);
UINT GetDoubleClickTime();
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);
