// The desktop host on a real X server, where another client destroys one of its windows.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "platform/host/SdlHost.h"
#include "platform/host/XErrorReport.h"
#include "platform/host/XWindows.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"
#include "tests/desktop/DesktopSession.h"

// Last: the X headers' macros would clash with names in the headers above.
#include <X11/Xlib.h>

namespace {
// The host this test opens goes to the session's X server, not to the headless one.
void HostOnDisplayOf(const DesktopSession& session) {
    setenv("DISPLAY", session.DisplayName().c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    WindowManager::Instance().Reset();
}

// A frame at 100, 100 of 400 by 300, shown, and the host's news of it handled.
void ShowFrame(CWnd& frame) {
    ASSERT_TRUE(frame.Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400),
                             nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
}

void DestroyFromOutside(const std::string& display, unsigned long window) {
    Display* other = XOpenDisplay(display.c_str());
    ASSERT_NE(other, nullptr);
    XDestroyWindow(other, window);
    XSync(other, False);
    XCloseDisplay(other);
}

// SDL says a window it saw go off the screen was minimised; one that went because it was
// destroyed comes back as it was, and nothing the host did with it after is reported.
TEST(DestroyedWindowOnX, AWindowAnotherClientDestroyedComesBackAsItWasAndUnreported) {
    DesktopSession session;
    if (!session.Unavailable().empty())
        GTEST_SKIP() << session.Unavailable();
    HostOnDisplayOf(session);
    testing::internal::CaptureStderr();
    {
        SdlHost host;
        ASSERT_TRUE(host.Opened()) << host.OpenError();
        CWnd frame;
        ShowFrame(frame);
        const unsigned int gone = host.SdlWindowId(&frame);
        DestroyFromOutside(session.DisplayName(), XWindowOf(SDL_GetWindowFromID(gone)));
        SDL_Event event;
        for (int events = 0; host.SdlWindowId(&frame) == gone && events < 1000; ++events)
            if (SDL_WaitEventTimeout(&event, 20))
                host.HandleEvent(event);
        WindowManager::Instance().RunUntilIdle();
        EXPECT_FALSE(frame.IsIconic());
        const unsigned long again = XWindowOf(SDL_GetWindowFromID(host.SdlWindowId(&frame)));
        ASSERT_TRUE(session.WaitUntil(
            [&] {
                for (const DesktopSession::TopLevel& shown : session.TopLevels())
                    if (shown.id == again)
                        return shown.x == 100 && shown.y == 100 && shown.width == 400 && shown.height == 300;
                return false;
            },
            std::chrono::seconds(60)));
        frame.DestroyWindow();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// SDL wakes its event loop with a message to one of its windows, sent on a connection of its own
// that is read only as SDL closes it, after SDL has put back the X error handler it found: a message
// the server carried out after the window went is answered by an error read that late.
TEST(DestroyedWindowOnX, AnErrorReadAfterTheHostEndedAboutAWindowItLetGoIsExpected) {
    DesktopSession session;
    if (!session.Unavailable().empty())
        GTEST_SKIP() << session.Unavailable();
    HostOnDisplayOf(session);
    // The program starts with Xlib's own handler, which ends the process on an error.
    XSetErrorHandler(nullptr);
    unsigned long letGo = 0;
    testing::internal::CaptureStderr();
    {
        SdlHost host;
        ASSERT_TRUE(host.Opened()) << host.OpenError();
        CWnd frame;
        ShowFrame(frame);
        letGo = XWindowOf(SDL_GetWindowFromID(host.SdlWindowId(&frame)));
        frame.DestroyWindow();
    }
    // Stands for SDL's own connection: the message to the window is carried out, and its error
    // read, only after the host has ended.
    Display* late = XOpenDisplay(session.DisplayName().c_str());
    ASSERT_NE(late, nullptr);
    XEvent wakeup{};
    wakeup.xclient.type = ClientMessage;
    wakeup.xclient.window = letGo;
    wakeup.xclient.format = 8;
    XSendEvent(late, letGo, False, NoEventMask, &wakeup);
    // Xlib's own handler would end the process here.
    XCloseDisplay(late);
    ReportXErrors();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// What was asked of a window until it goes is answered before it is put away: none of the news the
// X server sends of it then is left for the window shown next in its place.
TEST(DestroyedWindowOnX, NewsOfAWindowAskedBeforeItWentIsDroppedWithIt) {
    DesktopSession session;
    if (!session.Unavailable().empty())
        GTEST_SKIP() << session.Unavailable();
    HostOnDisplayOf(session);
    SdlHost host;
    ASSERT_TRUE(host.Opened()) << host.OpenError();
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                CRect(150, 150, 350, 300), nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    SDL_Window* window = SDL_GetWindowFromID(host.SdlWindowId(&dialog));
    dialog.ShowWindow(SW_HIDE);
    for (SDL_Event event; SDL_PollEvent(&event);) host.HandleEvent(event);
    // Asked behind work that keeps the server busy, the move is not answered at once.
    Display* display = XDisplayOf(window);
    const Pixmap canvas = XCreatePixmap(display, XWindowOf(window), 4000, 4000, DefaultDepth(display, 0));
    const GC gc = XCreateGC(display, canvas, 0, nullptr);
    for (int fill = 0; fill < 20; ++fill) XFillRectangle(display, canvas, gc, 0, 0, 4000, 4000);
    XMoveResizeWindow(display, XWindowOf(window), 20, 30, 120, 90);
    XFreeGC(display, gc);
    XFreePixmap(display, canvas);
    dialog.DestroyWindow();
    CatchUpWithX(window);
    int held = 0;
    for (SDL_Event event; SDL_PollEvent(&event);)
        held += event.type == SDL_WINDOWEVENT && event.window.windowID == SDL_GetWindowID(window);
    EXPECT_EQ(held, 0);
}
}  // namespace
