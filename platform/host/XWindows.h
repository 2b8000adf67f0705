#pragma once

#include <optional>

// What SDL does not tell of the X windows it shows: the window behind an SDL window, another
// client destroying one (as `xdotool windowclose` does), the X key event behind a key. Only the
// X11 video driver has them.
struct SDL_Window;
union SDL_Event;
typedef struct _XDisplay Display;

// Has SDL pass every X event on as an SDL_SYSWMEVENT.
void PassXEvents();
// The X window an SDL window shows in; 0 when it is not an X window.
unsigned long XWindowOf(SDL_Window* window);
// The X connection an SDL window is shown over; nullptr when it is not an X window.
Display* XDisplayOf(SDL_Window* window);
// The X window that holds the keyboard on window's X server: 0 when none does, the root does or
// the keys go to the window under the pointer; nothing when window is no X window.
std::optional<unsigned long> XKeyboardFocus(SDL_Window* window);
// Waits until the X server has done what was asked of it: what it said until then has been read.
void CatchUpWithX(SDL_Window* window);
// The X window an event says was destroyed; 0 for every other event.
unsigned long DestroyedXWindow(const SDL_Event& event);
// The window an event says one of ours was put in (a window manager's frame); 0 for every other event.
unsigned long NewXParent(const SDL_Event& event);
// The X key event an event passed on: a press or a release; Other for any other event.
enum class XKey { Press, Release, Other };
XKey XKeyOf(const SDL_Event& event);
// Raises the window without asking the window manager to make it active, which SDL_RaiseWindow
// does: the keyboard stays where the program put it.
void RaiseWithoutActivating(SDL_Window* window);
// Has the window manager keep window over owner, or over no window when owner is nullptr.
void StayOver(SDL_Window* window, SDL_Window* owner);
