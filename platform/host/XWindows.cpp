#include "platform/host/XWindows.h"

#include <SDL.h>
#include <SDL_syswm.h>

void PassXEvents() {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

unsigned long DestroyedXWindow(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return 0;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    return x.type == DestroyNotify ? x.xdestroywindow.window : 0;
}

bool IsXKeyPress(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return false;
    return event.syswm.msg->msg.x11.event.type == KeyPress;
}
