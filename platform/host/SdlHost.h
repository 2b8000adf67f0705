#pragma once

#include <map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CPoint.h"
#include "platform/host/Host.h"

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

    CSize ScreenSize() const override;
    void TopLevelChanged(CWnd* window) override;
    void TopLevelDestroyed(CWnd* window) override;
    void CursorChanged(HCURSOR cursor) override;
    void SetClipboardText(const CString& text) override;
    CString ClipboardText() const override;
    void RunModalLoop(CWnd* window) override;
    int Run() override;

private:
    // One round: wait for an event or the next timer, deliver what came, paint and present.
    void Pump();
    void HandleEvent(const SDL_Event& event);
    CWnd* WindowOf(unsigned int sdlWindowId) const;
    CPoint ScreenPoint(unsigned int sdlWindowId, int x, int y) const;
    void Present(CWnd* window);
    // A minimised window is minimised on the desktop too, and comes back with it.
    void ShowMinimised(CWnd* window, SDL_Window* sdl);
    void PresentChanged();

    bool m_opened = false;
    std::map<CWnd*, SDL_Window*> m_windows;
    std::map<CWnd*, bool> m_changed;
    std::map<int, SDL_Cursor*> m_cursors;
    std::vector<CString> m_dropped;
    unsigned long long m_startTicks = 0;
};
