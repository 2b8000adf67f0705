#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"
#include "platform/gdi/CRect.h"
#include "platform/host/Host.h"
#include "platform/host/SdlWindowPool.h"
#include "platform/host/TerminationSignal.h"
#include "platform/host/XWindows.h"

struct SDL_Cursor;
struct SDL_Window;
union SDL_Event;

// The desktop: each visible top-level window is an SDL window showing its backing surface.
// SDL input becomes mouse and key messages; timers run from the SDL clock.
class SdlHost : public Host {
  public:
    SdlHost();
    ~SdlHost() override;

    bool Opened() const { return m_opened; }
    // Why the desktop did not open, in SDL's words.
    const std::string& OpenError() const { return m_openError; }

    CSize ScreenSize() const override;
    void TopLevelChanged(CWnd* window) override;
    void TopLevelDestroyed(CWnd* window) override;
    void CursorChanged(HCURSOR cursor) override;
    void SetClipboardText(const CString& text) override;
    CString ClipboardText() const override;
    void RunModalLoop(CWnd* window) override;
    int Run() override;

    // Turns one SDL event into the window manager's input (public for tests on the dummy driver).
    void HandleEvent(const SDL_Event& event);
    // The SDL window showing a top-level window (0 when none does).
    unsigned int SdlWindowId(CWnd* window) const;
    // The top-level window whose SDL window was last given the keyboard.
    CWnd* KeyboardWindow() const { return m_keyboardWindow; }

  private:
    // Where SDL last reported the mouse: the window-relative point and the screen point it meant.
    struct Motion {
        unsigned int sdlWindowId = 0;
        CPoint relative;
        CPoint screen;
    };

    // SDL's video drivers that put windows on a screen.
    static std::string ShowingDrivers();
    // Lets SDL report what it reads of the X windows as it reads it.
    void WatchXWindows();
    static int RecordDestroyedXWindow(void* pool, SDL_Event* event);
    // The SDL window showing window, taken off it; nullptr when none did.
    SDL_Window* Detach(CWnd* window);
    // A window whose desktop window another client destroyed is shown in a new one, when shown.
    void ReplaceDestroyedWindow(unsigned long xWindow);
    void ForgetDestroyedWindow(CWnd* window);
    // The SDL window showing window; nullptr when none does or its X window is known destroyed.
    SDL_Window* LiveWindow(CWnd* window) const;
    // One round: wait for an event or the next timer, deliver what came, paint and present.
    void Pump(const std::function<bool()>& running);
    void DispatchPosted();
    CWnd* WindowOf(unsigned int sdlWindowId) const;
    CPoint ScreenPoint(unsigned int sdlWindowId, int x, int y) const;
    CPoint MotionPoint(unsigned int sdlWindowId, int x, int y);
    CPoint ButtonPoint(unsigned int sdlWindowId, int x, int y) const;
    static bool IsMenuLike(const CWnd* window);
    static bool IsDialogLike(const CWnd* window);
    static bool IsTopMost(const CWnd* window);
    void StayOverOwner(CWnd* window, SDL_Window* sdl);
    // Gives the keyboard to the active window's SDL window when it does not have it yet.
    void FollowActiveWindow();
    void FollowDesktopFocus(CWnd* window);
    // Whether none of this one's windows holds the keyboard: another program, no window or the
    // pointer root does.
    bool KeyboardOutsideProgram() const;
    void CancelForKeyboardOutside();
    void ShowKeyboardInProgram(BOOL inProgram);
    void KeepKeyboardFromDisabled(CWnd* window);
    void PressKey(const SDL_Event& event);
    // Whether SDL made the key event up itself (no X key event of its kind is behind it); consumes
    // what the last X event was.
    bool IsMadeUpBySdl(bool down);
    // The text events that wait right behind a key, taken off SDL's queue.
    static std::vector<std::string> TakeTextOfKey();
    void PassKeyboardOn(CWnd* leaving);
    void FollowStacking();
    void Place(SDL_Window* sdl, const CRect& rect);
    void Present(CWnd* window);
    // A minimised window is minimised on the desktop too, and comes back with it.
    void ShowMinimised(CWnd* window, SDL_Window* sdl);
    void PresentChanged();
    // Types the text into the window, unless the key that made it, held with modifiers, chose a menu.
    void TypeText(const char* utf8, CWnd* into, unsigned int modifiers);
    // Hands the files gathered since the drop began to the window they fell on.
    void DeliverDrop(unsigned int sdlWindowId);
    // After the session's end, once no modal loop runs: closes the main window.
    void CloseProgramOnRequest();
    // After a termination signal, once no modal loop runs: ends the program.
    void EndProgramOnSignal();

    TerminationSignal m_termination;
    bool m_opened = false;
    bool m_watchingXWindows = false;
    std::string m_openError;
    SdlWindowPool m_pool;
    std::map<CWnd*, SDL_Window*> m_windows;
    std::map<CWnd*, bool> m_changed;
    std::map<HCURSOR, SDL_Cursor*> m_cursors;
    std::vector<CString> m_dropped;
    Motion m_lastMotion;
    CWnd* m_keyboardWindow = nullptr;
    // The modifier keys held when the last key event was made, for text that comes on its own.
    unsigned int m_keyModifiers = 0;
    // The key event, if any, that the last event SDL passed on from X was (the one SDL's next key
    // event reports).
    XKey m_xKey = XKey::Other;
    // The visible top-level windows as their SDL windows were last stacked, bottom first.
    std::vector<CWnd*> m_stacked;
    unsigned long long m_startTicks = 0;
    // Set by the session's end: modal loops end, then the program closes.
    bool m_programCloseRequested = false;
};
