#include "platform/host/XWindows.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>

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

void RaiseWithoutActivating(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        SDL_RaiseWindow(window);
        return;
    }
    XRaiseWindow(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
}

void StayOver(SDL_Window* window, SDL_Window* owner) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (owner)
        SDL_SetWindowModalFor(window, owner);
    else if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        XDeleteProperty(info.info.x11.display, info.info.x11.window, XA_WM_TRANSIENT_FOR);
}
