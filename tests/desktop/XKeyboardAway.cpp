#include "tests/desktop/XKeyboardAway.h"

#include <X11/Xlib.h>

bool GiveXKeyboardAway(const std::string& display, XKeyboardAway where) {
    Display* x = XOpenDisplay(display.c_str());
    if (x == nullptr)
        return false;
    XSetInputFocus(x, where == XKeyboardAway::kNoWindow ? None : PointerRoot, RevertToNone, CurrentTime);
    XCloseDisplay(x);
    return true;
}
