#include "platform/win/NonClientPress.h"

#include "platform/win/CWnd.h"

namespace {
struct Pressed {
    CWnd* window = nullptr;
    UINT hit = HTNOWHERE;
    int part = 0;
};

Pressed& Current() {
    static Pressed pressed;
    return pressed;
}

void Redraw(CWnd* window) {
    if (window && IsWindow(window))
        window->RedrawNonClient();
}
}  // namespace

namespace NonClientPress {

void Show(CWnd& window, UINT hit, int part) {
    Pressed& pressed = Current();
    if (pressed.window == &window && pressed.hit == hit && pressed.part == part)
        return;
    Redraw(pressed.window);
    pressed = Pressed{&window, hit, part};
    Redraw(&window);
}

void Clear() {
    Pressed& pressed = Current();
    Redraw(pressed.window);
    pressed = Pressed{};
}

UINT PressedButton(const CWnd& window) {
    const Pressed& pressed = Current();
    if (pressed.window != &window || pressed.part != 0)
        return HTNOWHERE;
    return pressed.hit;
}

int PressedPart(const CWnd& window, UINT hit) {
    const Pressed& pressed = Current();
    return pressed.window == &window && pressed.hit == hit ? pressed.part : 0;
}

}  // namespace NonClientPress
