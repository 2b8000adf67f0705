#include "platform/host/SdlHost.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/FileSystemText.h"
#include "platform/base/Windows1252.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/ClipboardText.h"
#include "platform/host/XErrorReport.h"
#include "platform/host/XWindows.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/CloseInProgress.h"
#include "platform/win/Cursors.h"
#include "platform/win/TopLevelPicture.h"
#include "platform/win/WindowManager.h"

namespace {
WindowManager& Manager() { return WindowManager::Instance(); }

UINT VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    switch (key) {
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_TAB: return VK_TAB;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_APPLICATION:
        return VK_APPS;
    case SDLK_MINUS:
        return VK_OEM_MINUS;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    default: return 0;
    }
}

SDL_SystemCursor SystemCursor(int idc) {
    switch (idc) {
    case IDC_IBEAM: return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_WAIT: return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_CROSS: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case IDC_SIZEALL: return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_SIZENWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS: return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_NO: return SDL_SYSTEM_CURSOR_NO;
    case IDC_HAND: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// The desktop has no screen-inverting colour cursors: inverted pixels are drawn black.
Uint32 CursorColour(CursorPicture::Pixel pixel) {
    switch (pixel) {
    case CursorPicture::Pixel::White: return 0xFFFFFFFFu;
    case CursorPicture::Pixel::Black:
    case CursorPicture::Pixel::Inverted: return 0xFF000000u;
    default: return 0;
    }
}

SDL_Cursor* MakeColourCursor(const CursorPicture& picture) {
    constexpr int size = CursorPicture::kSize;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < size; ++x) row[x] = CursorColour(picture.At(x, y));
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, picture.HotSpot().x, picture.HotSpot().y);
    SDL_FreeSurface(surface);
    return cursor;
}

SDL_Cursor* MakeCursor(HCURSOR cursor) {
    if (cursor && cursor->picture) return MakeColourCursor(*cursor->picture);
    return SDL_CreateSystemCursor(SystemCursor(cursor && cursor->standard ? cursor->standard : IDC_ARROW));
}
}  // namespace

SdlHost::SdlHost() {
    // A click that arrives just as a window gets the keyboard (a menu or dialog has just gone) is
    // a click like any other, as on every classic desktop; SDL would drop it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing the last window is a request to that window, not a second one to the program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The termination signals are the program's own (TerminationSignal).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The windows are shown from their pixels; a GL-backed window surface would clash with the 3D
    // library's own GL context. A value the person gave in the environment goes before this.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Where no display opens, SDL falls back to a driver that keeps windows in memory, and the
    // program would run on unseen; such a driver is tried only when it is asked for by name.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool chosen = asked && *asked;
    if (!chosen)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, ShowingDrivers().c_str());
    // SDL puts back the X error handler it found once it has ended, before it closes its
    // connections: the errors read then must be ours to report, not Xlib's to end the program on.
    InstallXErrorReport();
    m_opened = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
    if (!m_opened)
        m_openError = SDL_GetError();
    if (!chosen)
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (m_opened) SDL_StartTextInput();
    const char* driver = m_opened ? SDL_GetCurrentVideoDriver() : nullptr;
    if (driver && std::strcmp(driver, "x11") == 0)
        WatchXWindows();
    m_startTicks = SDL_GetTicks64();
}

std::string SdlHost::ShowingDrivers() {
    static constexpr std::string_view kVirtual[] = {"offscreen", "dummy", "evdev"};
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string_view driver = SDL_GetVideoDriver(i);
        if (std::find(std::begin(kVirtual), std::end(kVirtual), driver) != std::end(kVirtual))
            continue;
        if (!drivers.empty())
            drivers += ',';
        drivers += driver;
    }
    return drivers;
}

void SdlHost::WatchXWindows() {
    InstallXErrorReport();
    PassXEvents();
    SDL_AddEventWatch(RecordDestroyedXWindow, &m_pool);
    m_watchingXWindows = true;
}

// Called inside SDL as it reads the desktop's news, so that no window of ours is shown or hidden
// after its X window went, even before the program hears of it. A window manager's frame goes when
// the manager lets go of a window, and SDL may still ask about it just then.
int SdlHost::RecordDestroyedXWindow(void* pool, SDL_Event* event) {
    if (const unsigned long destroyed = DestroyedXWindow(*event)) {
        IgnoreXErrorsOf(destroyed);
        static_cast<SdlWindowPool*>(pool)->MarkDestroyed(destroyed);
    }
    if (const unsigned long frame = NewXParent(*event))
        IgnoreXErrorsOf(frame);
    return 1;
}

SdlHost::~SdlHost() {
    if (m_watchingXWindows) {
        // What another client destroyed just before the end is known before it is let go.
        SDL_PumpEvents();
        SDL_DelEventWatch(RecordDestroyedXWindow, &m_pool);
    }
    m_windows.clear();
    m_pool.Clear();
    for (auto& [shape, cursor] : m_cursors)
        if (cursor) SDL_FreeCursor(cursor);
    m_cursors.clear();
    if (m_opened) SDL_Quit();
    ReportXErrors();
}

CSize SdlHost::ScreenSize() const {
    SDL_DisplayMode mode;
    if (m_opened && SDL_GetDesktopDisplayMode(0, &mode) == 0) return CSize(mode.w, mode.h);
    return CSize(1280, 1024);
}

void SdlHost::TopLevelChanged(CWnd* window) {
    if (!m_opened) return;
    ForgetDestroyedWindow(window);
    auto found = m_windows.find(window);
    if (!window->IsWindowVisible()) {
        if (found == m_windows.end())
            return;
        PassKeyboardOn(window);
        SDL_HideWindow(found->second);
        return;
    }
    CRect rect;
    window->GetWindowRect(&rect);
    if (found == m_windows.end()) {
        SDL_Window* sdl = m_pool.Take(rect, IsMenuLike(window));
        if (!sdl) return;
        found = m_windows.emplace(window, sdl).first;
        StayOverOwner(window, sdl);
    }
    CString title;
    window->GetWindowText(title);
    // The desktop reads titles as UTF-8; the program's text is Windows-1252.
    SDL_SetWindowTitle(found->second, AnsiToUtf8(title.view()).c_str());
    Place(found->second, rect);
    SDL_ShowWindow(found->second);
    ShowMinimised(window, found->second);
    m_changed[window] = true;
    FollowActiveWindow();
}

// A popup without a caption (a menu, a drop-down, a tip, the splash) lies over the desktop where
// the program puts it; a captioned one (a dialog, a message box) is a window the desktop's window
// manager knows, which it can give the keyboard to and ask to close.
bool SdlHost::IsMenuLike(const CWnd* window) {
    const DWORD style = window->GetStyle();
    return (style & WS_POPUP) != 0 && (style & WS_CAPTION) != WS_CAPTION;
}

// As the program stacks them, a window manager keeps a dialog and a top-most window (Tool
// Parameters) over the window they belong to, the top-most one over every other window too, and
// lets any other window (the help) come forward when clicked and go behind when its owner is.
void SdlHost::StayOverOwner(CWnd* window, SDL_Window* sdl) {
    if (IsMenuLike(window))
        return;
    CWnd* owner = window->GetOwner();
    const auto found = owner ? m_windows.find(owner->GetTopLevelParent()) : m_windows.end();
    const bool stays = found != m_windows.end() && (IsDialogLike(window) || IsTopMost(window));
    // A window from the pool may have stayed over another window before.
    StayOver(sdl, stays ? found->second : nullptr);
    SDL_SetWindowAlwaysOnTop(sdl, IsTopMost(window) ? SDL_TRUE : SDL_FALSE);
}

bool SdlHost::IsDialogLike(const CWnd* window) {
    return (window->GetStyle() & (WS_POPUP | WS_CAPTION)) == (WS_POPUP | WS_CAPTION);
}

bool SdlHost::IsTopMost(const CWnd* window) {
    return (window->GetExStyle() & WS_EX_TOPMOST) != 0;
}

// Only a real change goes to SDL: on X11 setting a fixed-size window's size also raises it,
// which would lift a frame that repaints over its own open menus.
void SdlHost::Place(SDL_Window* sdl, const CRect& rect) {
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(sdl, &x, &y);
    if (x != rect.left || y != rect.top)
        SDL_SetWindowPosition(sdl, rect.left, rect.top);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdl, &width, &height);
    if (width != rect.Width() || height != rect.Height())
        SDL_SetWindowSize(sdl, rect.Width(), rect.Height());
}

// The desktop stacks the SDL windows as the window manager orders the top-level windows.
void SdlHost::FollowStacking() {
    std::vector<CWnd*> shown;
    for (CWnd* window : Manager().TopLevels())
        if (window->IsWindowVisible() && m_windows.count(window))
            shown.push_back(window);
    const auto differ = std::mismatch(shown.begin(), shown.end(), m_stacked.begin(), m_stacked.end()).first;
    // Only the active window is made active on the desktop as well: any other would take the
    // keyboard from it. One that has the keyboard already is only raised: a window manager asked to
    // make it active might do so after it has given the keyboard to another window meanwhile.
    for (auto each = differ; each != shown.end(); ++each) {
        SDL_Window* sdl = LiveWindow(*each);
        if (sdl == nullptr)
            continue;
        if (*each == Manager().GetActiveWindow() && SDL_GetKeyboardFocus() != sdl)
            SDL_RaiseWindow(sdl);
        else
            RaiseWithoutActivating(sdl);
    }
    m_stacked = std::move(shown);
}

void SdlHost::ShowMinimised(CWnd* window, SDL_Window* sdl) {
    const bool minimised = (SDL_GetWindowFlags(sdl) & SDL_WINDOW_MINIMIZED) != 0;
    if (window->IsIconic() && !minimised)
        SDL_MinimizeWindow(sdl);
    if (!window->IsIconic() && minimised)
        SDL_RestoreWindow(sdl);
}

void SdlHost::TopLevelDestroyed(CWnd* window) {
    SDL_Window* sdl = Detach(window);
    if (!sdl)
        return;
    PassKeyboardOn(window);
    m_pool.Give(sdl);
}

SDL_Window* SdlHost::Detach(CWnd* window) {
    auto found = m_windows.find(window);
    if (found == m_windows.end())
        return nullptr;
    SDL_Window* sdl = found->second;
    m_windows.erase(found);
    m_changed.erase(window);
    std::erase(m_stacked, window);
    // The SDL window will show another window: where the mouse was last seen in it means nothing then.
    if (m_lastMotion.sdlWindowId == SDL_GetWindowID(sdl)) m_lastMotion = Motion();
    return sdl;
}

// Another client destroyed a desktop window of ours (nothing of the program closed it): a window
// shown in it comes back in a new one, since a dialog or a question about changes left unseen
// would take no click or key, and the window under it none either.
void SdlHost::ReplaceDestroyedWindow(unsigned long xWindow) {
    SDL_Window* sdl = m_pool.Find(xWindow);
    if (!sdl)
        return;
    for (const auto& [window, each] : m_windows)
        if (each == sdl) {
            TopLevelChanged(window);
            return;
        }
    m_pool.Discard(sdl);
}

// A window SDL saw go off the screen without the program hiding it may be one another client
// destroyed: the news of that comes just after.
void SdlHost::ForgetDestroyedWindow(CWnd* window) {
    const auto found = m_windows.find(window);
    if (found == m_windows.end())
        return;
    const bool unseen = (SDL_GetWindowFlags(found->second) & SDL_WINDOW_SHOWN) == 0;
    if (!(unseen ? m_pool.AskDestroyed(found->second) : m_pool.Destroyed(found->second)))
        return;
    if (m_keyboardWindow == window)
        m_keyboardWindow = nullptr;
    m_pool.Discard(Detach(window));
}

// A desktop without a window manager leaves the keyboard nowhere when its holder goes, and keys
// typed until another window takes it are lost; so the keyboard moves on before the window goes:
// to the active window, or else to the one shown on top.
void SdlHost::PassKeyboardOn(CWnd* leaving) {
    // A menu, drop-down or tip going leaves the keyboard where the desktop put it meanwhile: with
    // another program, with no window or with the pointer root.
    if (IsMenuLike(leaving) && KeyboardOutsideProgram())
        return;
    m_keyboardWindow = nullptr;
    FollowActiveWindow();
    if (m_keyboardWindow && m_keyboardWindow != leaving) return;
    m_keyboardWindow = nullptr;
    for (auto each = m_stacked.rbegin(); each != m_stacked.rend(); ++each) {
        SDL_Window* sdl = LiveWindow(*each);
        if (*each == leaving || !sdl || !(*each)->IsWindowVisible() || !(*each)->IsWindowEnabled())
            continue;
        SDL_SetWindowInputFocus(sdl);
        m_keyboardWindow = *each;
        return;
    }
}

// SDL tells of the keyboard late, a window at a time, so that none of the program's windows may
// seem to hold it while it goes from one to another: the X server's word counts where there is one.
bool SdlHost::KeyboardOutsideProgram() const {
    const std::optional<unsigned long> focus =
        XKeyboardFocus(m_windows.empty() ? nullptr : m_windows.begin()->second);
    if (!focus)
        return !SDL_GetKeyboardFocus();
    return *focus == 0 || !m_pool.Find(*focus);
}

// The keyboard went to another program, to no window or to whichever the pointer is over (none of
// this one's windows has it): an open menu closes and whatever follows the mouse ends, as when the
// desktop activates another program. The button may still be held, and X goes on sending its
// moves and its release here, which then change nothing.
void SdlHost::CancelForKeyboardOutside() {
    CMenuPopupWnd::CancelAllMenus();
    if (CWnd* active = Manager().GetActiveWindow())
        active->SendMessage(WM_CANCELMODE);
    // A holder outside the active window is told itself, and lets the mouse go.
    CWnd* holder = Manager().GetCapture();
    if (!holder)
        return;
    holder->SendMessage(WM_CANCELMODE);
    if (Manager().GetCapture() == holder)
        Manager().ReleaseCapture();
}

// The active window's caption, and its active child's, show whether the keyboard is in the
// program, as one program's alone on a desktop does.
void SdlHost::ShowKeyboardInProgram(BOOL inProgram) {
    if (CWnd* active = Manager().GetActiveWindow())
        active->SendMessage(WM_NCACTIVATE, inProgram);
}

// The desktop gave the keyboard to one of the program's windows (Alt+Tab, a click on its frame, a
// window manager's choice after another window went): that window becomes the active one, and the
// keys go to it. What the window active before tracked ends, a menu open in it among them.
void SdlHost::FollowDesktopFocus(CWnd* window) {
    if (!window || IsMenuLike(window) || !window->IsWindowVisible())
        return;
    if (!window->IsWindowEnabled()) {
        KeepKeyboardFromDisabled(window);
        return;
    }
    m_keyboardWindow = window;
    CWnd* active = Manager().GetActiveWindow();
    if (active && active != window)
        active->SendMessage(WM_CANCELMODE);
    Manager().Activate(window);
}

// The desktop gave the keyboard to a window behind a modal one: the keys go to the modal window,
// which comes up.
void SdlHost::KeepKeyboardFromDisabled(CWnd* window) {
    CWnd* modal = Manager().ModalWindowOver(window);
    if (!modal)
        return;
    Manager().Activate(modal);
    SDL_Window* sdl = LiveWindow(modal);
    if (!sdl)
        return;
    SDL_RaiseWindow(sdl);
    SDL_SetWindowInputFocus(sdl);
    m_keyboardWindow = modal;
}

void SdlHost::FollowActiveWindow() {
    CWnd* active = Manager().GetActiveWindow();
    if (active == m_keyboardWindow || !active || !active->IsWindowVisible())
        return;
    SDL_Window* sdl = LiveWindow(active);
    if (!sdl)
        return;
    SDL_SetWindowInputFocus(sdl);
    m_keyboardWindow = active;
}

// Until the program hears that another client destroyed it, a window still names its SDL window;
// nothing is asked of the X window in the meantime.
SDL_Window* SdlHost::LiveWindow(CWnd* window) const {
    const auto found = m_windows.find(window);
    return found == m_windows.end() || m_pool.Destroyed(found->second) ? nullptr : found->second;
}

unsigned int SdlHost::SdlWindowId(CWnd* window) const {
    auto found = m_windows.find(window);
    return found == m_windows.end() ? 0 : SDL_GetWindowID(found->second);
}

void SdlHost::CursorChanged(HCURSOR cursor) {
    if (!m_opened) return;
    SDL_Cursor*& shown = m_cursors[cursor];
    if (!shown) shown = MakeCursor(cursor);
    if (shown) SDL_SetCursor(shown);
}

void SdlHost::SetClipboardText(const CString& text) {
    if (m_opened) SDL_SetClipboardText(ClipboardTextToUtf8(text).c_str());
}

CString SdlHost::ClipboardText() const {
    if (!m_opened || !SDL_HasClipboardText()) return CString();
    char* utf8 = SDL_GetClipboardText();
    CString text = ClipboardTextFromUtf8(utf8);
    SDL_free(utf8);
    return text;
}

void SdlHost::Present(CWnd* window) {
    SDL_Window* sdl = LiveWindow(window);
    const std::shared_ptr<const PixelSurface> picture = TopLevelPicture(window);
    if (!sdl || !picture) return;
    SDL_Surface* target = SDL_GetWindowSurface(sdl);
    if (!target) return;
    const PixelSurface& pixels = *picture;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(pixels.Row(0)), pixels.Width(), pixels.Height(), 32, pixels.Width() * 4,
        SDL_PIXELFORMAT_RGB888);
    if (source) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(sdl);
}

void SdlHost::PresentChanged() {
    for (auto& [window, changed] : m_changed) {
        if (!changed) continue;
        changed = false;
        Present(window);
    }
}

CWnd* SdlHost::WindowOf(unsigned int sdlWindowId) const {
    SDL_Window* sdl = SDL_GetWindowFromID(sdlWindowId);
    for (const auto& [window, each] : m_windows)
        if (each == sdl) return window;
    return nullptr;
}

CPoint SdlHost::ScreenPoint(unsigned int sdlWindowId, int x, int y) const {
    CWnd* window = WindowOf(sdlWindowId);
    if (!window) return CPoint(x, y);
    CRect rect;
    window->GetWindowRect(&rect);
    return CPoint(rect.left + x, rect.top + y);
}

CPoint SdlHost::MotionPoint(unsigned int sdlWindowId, int x, int y) {
    m_lastMotion = {sdlWindowId, CPoint(x, y), ScreenPoint(sdlWindowId, x, y)};
    return m_lastMotion.screen;
}

// SDL gives a button the window-relative point of the last motion, measured from where the
// window was then; a window that motion dragged has moved since, so its point is taken as it was.
CPoint SdlHost::ButtonPoint(unsigned int sdlWindowId, int x, int y) const {
    if (sdlWindowId == m_lastMotion.sdlWindowId && CPoint(x, y) == m_lastMotion.relative)
        return m_lastMotion.screen;
    return ScreenPoint(sdlWindowId, x, y);
}

void SdlHost::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // The session's end; a close already asking about changes answers it.
        if (!CloseInProgress::Any()) m_programCloseRequested = true;
        break;
    case SDL_SYSWMEVENT:
        m_xKey = XKeyOf(event);
        if (const unsigned long destroyed = DestroyedXWindow(event))
            ReplaceDestroyedWindow(destroyed);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            Manager().ForgetAltTap();
            // A window under a modal dialog takes no close request, as it takes no click.
            CWnd* window = WindowOf(event.window.windowID);
            if (window && window->IsWindowEnabled()) window->PostMessage(WM_CLOSE);
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                   event.window.event == SDL_WINDOWEVENT_TAKE_FOCUS) {
            FollowDesktopFocus(WindowOf(event.window.windowID));
            ShowKeyboardInProgram(TRUE);
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            if (KeyboardOutsideProgram()) {
                CancelForKeyboardOutside();
                ShowKeyboardInProgram(FALSE);
            }
        } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            if (CWnd* window = WindowOf(event.window.windowID)) m_changed[window] = true;
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
            // Off onto the desktop: no motion inside the program's windows will say so.
            Manager().MouseLeftWindows();
        } else if (event.window.event == SDL_WINDOWEVENT_MINIMIZED) {
            // Put away with the desktop's own button: the program's window minimises as with its own.
            // SDL also says so when a window is hidden, as every menu, tip and dialog is when it goes,
            // and the desktop may say so after its SDL window serves the next one (the pool drops
            // only what SDL held when the window went): only a shown window that can be minimised
            // takes it.
            // A window another client destroyed also goes off the screen first.
            CWnd* window = WindowOf(event.window.windowID);
            if (window && !window->IsIconic() && window->IsWindowVisible() &&
                (window->GetStyle() & WS_MINIMIZEBOX) != 0 &&
                !m_pool.AskDestroyed(SDL_GetWindowFromID(event.window.windowID)))
                window->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        } else if (event.window.event == SDL_WINDOWEVENT_RESTORED) {
            // Brought back from the desktop's task list.
            CWnd* window = WindowOf(event.window.windowID);
            if (window && window->IsIconic())
                window->ShowWindow(SW_RESTORE);
        }
        break;
    case SDL_MOUSEMOTION:
        Manager().MouseInput(WM_MOUSEMOVE, MotionPoint(event.motion.windowID, event.motion.x, event.motion.y),
                             WindowOf(event.motion.windowID));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        const bool right = event.button.button == SDL_BUTTON_RIGHT;
        if (event.button.button != SDL_BUTTON_LEFT && !right) break;
        const UINT message = right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
        // Where no window manager gives the keyboard to a clicked window, the click takes it back.
        if (down && !SDL_GetKeyboardFocus())
            m_keyboardWindow = nullptr;
        Manager().MouseInput(message, ButtonPoint(event.button.windowID, event.button.x, event.button.y),
                             WindowOf(event.button.windowID));
        break;
    }
    case SDL_MOUSEWHEEL: Manager().WheelInput(event.wheel.y * 120, Manager().CursorPos()); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        PressKey(event);
        break;
    case SDL_DROPBEGIN:
        m_dropped.clear();
        break;
    case SDL_DROPFILE:
        // A path as the file system spells it; a name the program's text cannot hold still comes,
        // so that its open fails with the usual message rather than the file going unmentioned.
        if (event.drop.file)
            m_dropped.push_back(PathText(event.drop.file));
        SDL_free(event.drop.file);
        break;
    case SDL_DROPTEXT:
        SDL_free(event.drop.file);
        break;
    case SDL_DROPCOMPLETE:
        DeliverDrop(event.drop.windowID);
        break;
    case SDL_TEXTINPUT:
        TypeText(event.text.text, Manager().KeyTarget(), m_keyModifiers);
        break;
    default: break;
    }
}

// The text SDL made of a key waits just behind the key, and goes where the key went once the key
// has done its work: a key that answers a question, or opens a dialog, is not typed again into
// the window that comes next.
void SdlHost::PressKey(const SDL_Event& event) {
    const bool down = event.type == SDL_KEYDOWN;
    const UINT vk = VirtualKey(event.key.keysym.sym);
    const bool madeUpAlt = IsMadeUpBySdl(down) && vk == VK_MENU;
    // The keys a menu opened by this one takes in meanwhile have modifiers of their own.
    const unsigned int modifiers = event.key.keysym.mod;
    m_keyModifiers = modifiers;
    const std::vector<std::string> text = down ? TakeTextOfKey() : std::vector<std::string>();
    CWnd* typedInto = Manager().KeyTarget();
    if (madeUpAlt)
        Manager().ForgetAltTap();
    if (vk)
        Manager().KeyInput(vk, down);
    if (madeUpAlt)
        Manager().ForgetAltTap();
    for (const std::string& each : text) TypeText(each.c_str(), typedInto, modifiers);
}

// When the X keyboard moves between windows, or a window manager's grab ends (its Alt+Tab), SDL
// lets go every key it held and presses again those still down, with no X key event behind them.
// Such an Alt neither begins nor ends a tap of Alt alone, which would open the menu bar.
bool SdlHost::IsMadeUpBySdl(bool down) {
    const XKey behind = m_xKey;
    m_xKey = XKey::Other;
    return m_watchingXWindows && behind != (down ? XKey::Press : XKey::Release);
}

std::vector<std::string> SdlHost::TakeTextOfKey() {
    std::vector<std::string> text;
    SDL_Event next;
    while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
           next.type == SDL_TEXTINPUT &&
           SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1)
        text.emplace_back(next.text.text);
    return text;
}

// SDL names the window the files fell on, not the point: the mouse is not reported while another
// program drags, so its last place counts only when it lies in that window, else the middle does.
void SdlHost::DeliverDrop(unsigned int sdlWindowId) {
    CWnd* window = WindowOf(sdlWindowId);
    CPoint at = Manager().CursorPos();
    if (window) {
        CRect rect;
        window->GetWindowRect(&rect);
        if (!rect.PtInRect(at))
            at = rect.CenterPoint();
    }
    // Taken out first: opening the files may pump the desktop's next drop.
    const std::vector<CString> files = std::move(m_dropped);
    m_dropped.clear();
    Manager().DropFilesInput(files, at, window);
}

// Text arrives in UTF-8; the program's text is Windows-1252. A character the code page lacks is
// left out. The letter of an Alt chord chooses a menu; it is no typed text (AltGr still types).
// The modifiers are those of the key that typed it: SDL's own state may already have Alt let go.
void SdlHost::TypeText(const char* utf8, CWnd* into, unsigned int modifiers) {
    if ((modifiers & KMOD_LALT) && !(modifiers & (KMOD_RALT | KMOD_MODE)))
        return;
    for (const char* c = utf8; *c;) {
        const char* next = c + 1;
        while ((static_cast<unsigned char>(*next) & 0xC0) == 0x80) ++next;
        std::string ansi;
        if (Utf8ToAnsi(std::string_view(c, static_cast<std::size_t>(next - c)), ansi))
            for (const char ch : ansi) Manager().CharInput(ch, into);
        c = next;
    }
}

// Events after the one that ends a modal loop wait for the loop outside it, as typed-ahead keys
// and clicks belong to the window that is left, not to the one that is closing. What an event
// posted (a tool chosen, a command) is done before the next event, in the order the person made
// them.
void SdlHost::Pump(const std::function<bool()>& running) {
    const long long wait = Manager().TimeToNextTimer();
    SDL_Event event;
    const int timeout = wait < 0 ? 50 : static_cast<int>(std::min<long long>(wait, 50));
    if (SDL_WaitEventTimeout(&event, timeout)) {
        HandleEvent(event);
        for (DispatchPosted(); running() && SDL_PollEvent(&event); DispatchPosted()) HandleEvent(event);
    }
    Manager().AdvanceClock(SDL_GetTicks64() - m_startTicks, true);
    Manager().RunUntilIdle();
    FollowStacking();
    FollowActiveWindow();
    PresentChanged();
    // The X events read with the errors are taken in first: they may explain them.
    SDL_PumpEvents();
    ReportXErrors();
}

void SdlHost::DispatchPosted() {
    while (Manager().DispatchOnePosted()) {
    }
}

void SdlHost::RunModalLoop(CWnd* window) {
    const auto running = [this, window] {
        return IsWindow(window) && window->InModalLoop() && !Manager().QuitPosted() &&
               !m_programCloseRequested && !TerminationSignal::Caught();
    };
    while (running()) Pump(running);
}

int SdlHost::Run() {
    Manager().RunUntilIdle();
    PresentChanged();
    const auto running = [] { return !Manager().QuitPosted() && !Manager().TopLevels().empty(); };
    while (running()) {
        Pump(running);
        EndProgramOnSignal();
        CloseProgramOnRequest();
    }
    // A signal that came while the program was ending anyway ended it all the same.
    const int signal = TerminationSignal::Caught();
    return signal != 0 ? TerminationSignal::ExitStatus(signal) : Manager().ExitCode();
}

// Nobody may be there to answer a question about unsaved changes, and one left unanswered would
// keep the program running: every dialog has been cancelled on the way out here, and the layouts
// now close as they are, their unsaved changes dropped. The program then ends as after File Exit,
// but with the status a shell gives a program ended by the signal, so that whoever sent it learns
// that it was the signal that ended the program.
void SdlHost::EndProgramOnSignal() {
    const int signal = TerminationSignal::Caught();
    if (signal == 0 || Manager().QuitPosted())
        return;
    if (CWinApp* app = AfxGetApp())
        app->CloseAllDocuments(TRUE);
    CWnd* main = AfxGetMainWnd();
    if (IsWindow(main))
        main->DestroyWindow();
    Manager().PostQuitMessage(TerminationSignal::ExitStatus(signal));
}

// Every dialog has been cancelled on the way out here; the program now closes as from its main
// window, asking about unsaved changes.
void SdlHost::CloseProgramOnRequest() {
    if (!m_programCloseRequested) return;
    m_programCloseRequested = false;
    CWnd* main = AfxGetMainWnd();
    if (!IsWindow(main)) main = Manager().GetActiveWindow();
    if (main) main->PostMessage(WM_CLOSE);
}
