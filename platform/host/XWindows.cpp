#include "platform/host/XWindows.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>

namespace {
// The X event SDL passed on; nullptr for every other event.
const XEvent* XEventOf(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return nullptr;
    return &event.syswm.msg->msg.x11.event;
}
}  // namespace

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

Display* XDisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

std::optional<unsigned long> XKeyboardFocus(SDL_Window* window) {
    Display* display = XDisplayOf(window);
    if (!display)
        return std::nullopt;
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus == PointerRoot || focus == DefaultRootWindow(display) ? 0 : focus;
}

void CatchUpWithX(SDL_Window* window) {
    if (Display* display = XDisplayOf(window))
        XSync(display, False);
}

unsigned long DestroyedXWindow(const SDL_Event& event) {
    const XEvent* x = XEventOf(event);
    return x && x->type == DestroyNotify ? x->xdestroywindow.window : 0;
}

unsigned long NewXParent(const SDL_Event& event) {
    const XEvent* x = XEventOf(event);
    return x && x->type == ReparentNotify ? x->xreparent.parent : 0;
}

XKey XKeyOf(const SDL_Event& event) {
    const XEvent* x = XEventOf(event);
    if (x && x->type == KeyPress)
        return XKey::Press;
    return x && x->type == KeyRelease ? XKey::Release : XKey::Other;
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
