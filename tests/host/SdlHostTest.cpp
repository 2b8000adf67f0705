#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/SdlHost.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/CWnd.h"
#include "platform/win/DropFiles.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "tests/host/DropTarget.h"

namespace {
// Sets an environment variable (or unsets it with nullopt) for one test, and puts it back after.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// Paints once, then ends the program from its first timer tick.
class QuittingWindow : public CWnd {
  public:
    int paints = 0;

  protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 128, 0));
        ++paints;
    }
    void OnTimer(UINT_PTR) override { PostQuitMessage(7); }
};

// Remembers where it was pressed.
class PressedWindow : public CWnd {
  public:
    std::vector<CPoint> presses;

  protected:
    void OnLButtonDown(UINT, CPoint point) override { presses.push_back(point); }
};

// Holds the mouse from a press until its tracking is cancelled.
class TrackingWindow : public CWnd {
  public:
    int cancels = 0;

  protected:
    void OnLButtonDown(UINT, CPoint) override { SetCapture(); }
    void OnCancelMode() override {
        ++cancels;
        CWnd::OnCancelMode();
    }
};

// Remembers the keys and the typed characters that reach it; runs tick on its timer. Its menus'
// items stay enabled.
class KeyWindow : public CWnd {
  public:
    std::vector<UINT> keys;
    std::string typed;
    std::function<void()> tick;

  protected:
    void OnKeyDown(UINT key, UINT, UINT) override { keys.push_back(key); }
    void OnChar(UINT ch, UINT, UINT) override { typed += static_cast<char>(ch); }
    void OnTimer(UINT_PTR id) override {
        KillTimer(id);
        tick();
    }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) override {}
};

// A key chooses a tool by a posted command, as a menu or tool bar button does; a click says which
// tool it met and ends the program.
class ToolWindow : public CWnd {
  public:
    WPARAM tool = 0;
    WPARAM clickedWith = 0;

  protected:
    void OnKeyDown(UINT key, UINT, UINT) override { PostMessage(WM_COMMAND, key); }
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        tool = wParam;
        return TRUE;
    }
    void OnLButtonDown(UINT, CPoint) override {
        clickedWith = tool;
        PostQuitMessage(0);
    }
};

// The host on SDL's dummy video driver: SDL windows exist, events are made by the test.
class SdlHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        WindowManager::Instance().Reset();
        host = std::make_unique<SdlHost>();
        if (!host->Opened())
            GTEST_SKIP() << "SDL has no dummy video driver here";
        ASSERT_TRUE(frame.Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CRect(100, 100, 500, 400), nullptr, 0));
        frame.SetFocus();
        WindowManager::Instance().RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(&frame))
            frame.DestroyWindow();
        host.reset();
        WindowManager::Instance().ClearQuit();
    }

    // What SDL delivers: mouse points relative to the SDL window; a button at the last motion's point.
    void Motion(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = host->SdlWindowId(&frame);
        event.motion.x = x;
        event.motion.y = y;
        host->HandleEvent(event);
        m_last = CPoint(x, y);
    }
    void Button(bool down) {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = host->SdlWindowId(&frame);
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = m_last.x;
        event.button.y = m_last.y;
        host->HandleEvent(event);
        WindowManager::Instance().RunUntilIdle();
    }
    void Key(SDL_Keycode key, unsigned int windowId) {
        for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.type = type;
            event.key.windowID = windowId;
            event.key.keysym.sym = key;
            host->HandleEvent(event);
        }
        WindowManager::Instance().RunUntilIdle();
    }

    std::unique_ptr<SdlHost> host;
    KeyWindow frame;
    CPoint m_last;
};
}  // namespace

TEST(SdlHost, RunsTheLoopOnAVirtualDesktopUntilTheProgramQuits) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    WindowManager::Instance().Reset();
    SdlHost host;
    if (!host.Opened())
        GTEST_SKIP() << "SDL has no dummy video driver here";
    QuittingWindow window;
    ASSERT_TRUE(window.Create(nullptr, "Corvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 210, 160),
                              nullptr, 0));
    window.SetTimer(1, 10);
    EXPECT_EQ(host.Run(), 7);
    EXPECT_GE(window.paints, 1);
    EXPECT_EQ(window.Surface()->At(100, 80), 0x008000u);
    window.DestroyWindow();
    WindowManager::Instance().ClearQuit();
}

TEST(SdlHost, WithoutADisplayTheDesktopDoesNotOpenUnlessAVirtualOneIsAskedFor) {
    WindowManager::Instance().Reset();
    const ScopedVariable display("DISPLAY", ":999");
    const ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    {
        const ScopedVariable driver("SDL_VIDEODRIVER", std::nullopt);
        const SdlHost closed;
        EXPECT_FALSE(closed.Opened());
        // Why, in SDL's own words, which name the desktop drivers it tried.
        EXPECT_NE(closed.OpenError().find("x11"), std::string::npos) << closed.OpenError();
        testing::internal::CaptureStderr();
        EXPECT_EQ(Host::Create(), nullptr);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(
                      "Corvane: cannot open the display \":999\": " + closed.OpenError() + ".\n"),
                  std::string::npos);
    }
    const ScopedVariable driver("SDL_VIDEODRIVER", "offscreen");
    EXPECT_TRUE(SdlHost().Opened());
}

// The windows' surfaces are plain pixels unless the person asked SDL for other ones.
TEST(SdlHost, WindowSurfacesArePlainPixelsUnlessThePersonAskedOtherwise) {
    WindowManager::Instance().Reset();
    const ScopedVariable driver("SDL_VIDEODRIVER", "dummy");
    {
        const ScopedVariable unasked("SDL_FRAMEBUFFER_ACCELERATION", std::nullopt);
        const SdlHost host;
        EXPECT_STREQ(SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION), "0");
    }
    const ScopedVariable asked("SDL_FRAMEBUFFER_ACCELERATION", "opengl");
    const SdlHost host;
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION), "opengl");
}

TEST_F(SdlHostTest, AWindowsTitleReachesTheDesktopInUtf8) {
    frame.SetWindowText(
        "Corvane - Bahnhof-S\xFC"
        "d.cvn \x80 5");
    WindowManager::Instance().RunUntilIdle();
    SDL_Window* shown = SDL_GetWindowFromID(host->SdlWindowId(&frame));
    ASSERT_NE(shown, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(shown),
                 "Corvane - Bahnhof-S\xC3\xBC"
                 "d.cvn \xE2\x82\xAC 5");
}

TEST_F(SdlHostTest, TypedTextReachesTheProgramInWindows1252) {
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = host->SdlWindowId(&frame);
    // "Süd", the euro sign, a character the code page lacks, then an ASCII letter.
    std::strcpy(text.text.text,
                "S\xC3\xBC"
                "d\xE2\x82\xAC\xE4\xB8\xAD"
                "a");
    host->HandleEvent(text);
    WindowManager::Instance().RunUntilIdle();
    EXPECT_EQ(frame.typed,
              "S\xFC"
              "d\x80"
              "a");
}

TEST_F(SdlHostTest, ACaptionDragMovesTheWindowByExactlyTheMousesTravel) {
    // Three drags of (+40, +20), each released without a motion after the window moved.
    for (int drag = 1; drag <= 3; ++drag) {
        Motion(60, 12);
        Button(true);
        Motion(100, 32);
        Button(false);
        CRect rect;
        frame.GetWindowRect(&rect);
        EXPECT_EQ(rect.TopLeft(), CPoint(100 + 40 * drag, 100 + 20 * drag)) << "drag " << drag;
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SdlHostTest, TheKeyboardComesBackToTheOwnerWhenAPopupMenuCloses) {
    ASSERT_EQ(host->KeyboardWindow(), &frame);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 100, "&Grid");
    // The popup is open while the loop meets the Escape waiting in SDL's queue.
    SDL_Event escape{};
    escape.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&escape);
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &frame));
    EXPECT_EQ(host->KeyboardWindow(), &frame);
    Key(SDLK_g, host->SdlWindowId(&frame));
    EXPECT_EQ(frame.keys, (std::vector<UINT>{'G'}));
}

// A window manager can give the keyboard to a dialog and ask it to close only when it knows the
// dialog's desktop window; a menu's lies over the desktop unmanaged.
TEST_F(SdlHostTest, ADialogsDesktopWindowIsOneTheWindowManagerKnowsAndAMenusIsNot) {
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                CRect(150, 150, 350, 300), &frame, 0));
    CWnd menu;
    ASSERT_TRUE(menu.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_BORDER | WS_VISIBLE,
                              CRect(120, 120, 200, 200), &frame, 0));
    WindowManager::Instance().RunUntilIdle();
    SDL_Window* dialogWindow = SDL_GetWindowFromID(host->SdlWindowId(&dialog));
    SDL_Window* menuWindow = SDL_GetWindowFromID(host->SdlWindowId(&menu));
    ASSERT_TRUE(dialogWindow && menuWindow);
    EXPECT_EQ(SDL_GetWindowFlags(dialogWindow) & SDL_WINDOW_POPUP_MENU, 0u);
    EXPECT_NE(SDL_GetWindowFlags(menuWindow) & SDL_WINDOW_POPUP_MENU, 0u);
}

TEST_F(SdlHostTest, AClosedWindowsDesktopWindowShowsTheNextOneAndForgetsWhereTheMouseWasInIt) {
    PressedWindow first;
    ASSERT_TRUE(
        first.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(300, 300, 400, 400), nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    const unsigned int id = host->SdlWindowId(&first);
    ASSERT_NE(id, 0u);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = id;
    motion.motion.x = 10;
    motion.motion.y = 10;
    host->HandleEvent(motion);
    first.DestroyWindow();

    // No desktop window is destroyed while the program runs: the next popup takes the same one.
    PressedWindow second;
    ASSERT_TRUE(
        second.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(600, 100, 700, 200), nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    ASSERT_EQ(host->SdlWindowId(&second), id);
    // A press where the mouse rests is at its place in the new window, not where the old one was.
    for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event button{};
        button.type = type;
        button.button.windowID = id;
        button.button.button = SDL_BUTTON_LEFT;
        button.button.x = 10;
        button.button.y = 10;
        host->HandleEvent(button);
    }
    WindowManager::Instance().RunUntilIdle();
    EXPECT_EQ(second.presses, std::vector<CPoint>{CPoint(10, 10)});
    second.DestroyWindow();
}

// Files dragged from a file manager: SDL hands each name over in UTF-8, in memory the program
// frees, and says which window they fell on but not where. The drop reaches that window, though
// the mouse was last seen in another, with the names in the program's Windows-1252.
TEST_F(SdlHostTest, FilesDroppedFromTheDesktopReachTheWindowTheyFellOnInWindows1252) {
    struct : DropTarget {
        void Dropped(HDROP) override { PostQuitMessage(3); }
        // A drop that never comes ends the loop all the same.
        void OnTimer(UINT_PTR) override { PostQuitMessage(0); }
    } target;
    ASSERT_TRUE(target.CreateEx(WS_EX_ACCEPTFILES, nullptr, "Corvane", WS_POPUP | WS_VISIBLE,
                                CRect(600, 100, 900, 400), nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    const unsigned int id = host->SdlWindowId(&target);
    ASSERT_NE(id, 0u);
    Motion(20, 20);
    target.SetTimer(1, 5000);

    const auto push = [id](Uint32 type, const char* file) {
        SDL_Event event{};
        event.type = type;
        event.drop.windowID = id;
        event.drop.file = file ? strdup(file) : nullptr;
        return SDL_PushEvent(&event) == 1;
    };
    ASSERT_TRUE(push(SDL_DROPBEGIN, nullptr));
    ASSERT_TRUE(push(SDL_DROPFILE, "/home/anna/Layouts/Bahnhof-S\u00FCd.cvn"));
    ASSERT_TRUE(push(SDL_DROPFILE, "/home/anna/Layouts/notes.txt"));
    ASSERT_TRUE(push(SDL_DROPCOMPLETE, nullptr));
    EXPECT_EQ(host->Run(), 3);
    EXPECT_EQ(target.names, (std::vector<CString>{"/home/anna/Layouts/Bahnhof-S\xFC"
                                                  "d.cvn",
                                                  "/home/anna/Layouts/notes.txt"}));
    EXPECT_EQ(target.at, CPoint(150, 150));
    target.DestroyWindow();
}

// The mouse going straight from a window onto the desktop: SDL reports no motion, only that the
// mouse left, and a window waiting for the mouse to leave hears of it (a tool bar button stops
// being hot, its prompt leaves the status bar).
TEST_F(SdlHostTest, AWindowWaitingForTheMouseToLeaveHearsWhenItGoesOffOntoTheDesktop) {
    struct Tracking : CWnd {
        int leaves = 0;
        void OnMouseMove(UINT, CPoint) override {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, this, 0};
            TrackMouseEvent(&track);
        }
        void OnMouseLeave() override { ++leaves; }
    } tracking;
    ASSERT_TRUE(tracking.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &frame, 1));
    WindowManager::Instance().RunUntilIdle();
    CRect client;
    tracking.GetWindowRect(&client);
    CRect window;
    frame.GetWindowRect(&window);
    Motion(client.left - window.left + 10, client.top - window.top + 10);
    EXPECT_EQ(tracking.leaves, 0);

    SDL_Event leave{};
    leave.type = SDL_WINDOWEVENT;
    leave.window.event = SDL_WINDOWEVENT_LEAVE;
    leave.window.windowID = host->SdlWindowId(&frame);
    host->HandleEvent(leave);
    EXPECT_EQ(tracking.leaves, 1);
}

TEST_F(SdlHostTest, MinimisingWithTheDesktopsOwnButtonMinimisesTheProgramsWindow) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = host->SdlWindowId(&frame);
    event.window.event = SDL_WINDOWEVENT_MINIMIZED;
    host->HandleEvent(event);
    WindowManager::Instance().RunUntilIdle();
    EXPECT_TRUE(frame.IsIconic());
    event.window.event = SDL_WINDOWEVENT_RESTORED;
    host->HandleEvent(event);
    WindowManager::Instance().RunUntilIdle();
    EXPECT_FALSE(frame.IsIconic());
}

// SDL reports a hidden window as minimised too: a menu or tip that goes, or whatever took over its
// SDL window, must not be minimised by it.
TEST_F(SdlHostTest, AWindowWithoutAMinimiseButtonIsNotMinimisedByTheDesktop) {
    KeyWindow popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(10, 10, 60, 60), nullptr, 0));
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = host->SdlWindowId(&popup);
    event.window.event = SDL_WINDOWEVENT_MINIMIZED;
    host->HandleEvent(event);
    WindowManager::Instance().RunUntilIdle();
    EXPECT_FALSE(popup.IsIconic());
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.DestroyWindow();
}

TEST_F(SdlHostTest, TheMinusKeysReachTheProgram) {
    Key(SDLK_MINUS, host->SdlWindowId(&frame));
    Key(SDLK_KP_MINUS, host->SdlWindowId(&frame));
    EXPECT_EQ(frame.keys, (std::vector<UINT>{VK_OEM_MINUS, VK_SUBTRACT}));
}

TEST_F(SdlHostTest, TheMenuKeyReachesTheProgram) {
    Key(SDLK_APPLICATION, host->SdlWindowId(&frame));
    EXPECT_EQ(frame.keys, (std::vector<UINT>{VK_APPS}));
}

// SDL may still hold what the desktop said of a window that goes; its desktop window serves the
// next window of its kind, which must not hear it. What was said of other windows still arrives.
TEST_F(SdlHostTest, EventsLeftForAClosedWindowDoNotReachTheNextOneInItsDesktopWindow) {
    const auto push = [](unsigned int windowId, Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = windowId;
        event.window.event = what;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    };
    const CRect place(150, 150, 450, 350);
    KeyWindow first;
    ASSERT_TRUE(first.CreateEx(0, nullptr, "First", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place, nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    const unsigned int id = host->SdlWindowId(&first);
    ASSERT_NE(id, 0u);
    push(id, SDL_WINDOWEVENT_MINIMIZED);
    push(id, SDL_WINDOWEVENT_CLOSE);
    push(host->SdlWindowId(&frame), SDL_WINDOWEVENT_MINIMIZED);
    first.DestroyWindow();

    KeyWindow second;
    ASSERT_TRUE(second.CreateEx(0, nullptr, "Second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place, nullptr, 0));
    WindowManager::Instance().RunUntilIdle();
    ASSERT_EQ(host->SdlWindowId(&second), id);
    SDL_Event event;
    while (SDL_PollEvent(&event)) host->HandleEvent(event);
    WindowManager::Instance().RunUntilIdle();
    ASSERT_TRUE(IsWindow(&second));
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(second.IsIconic());
    EXPECT_TRUE(frame.IsIconic());
    second.DestroyWindow();
}

// Alt+Tab while a menu is open: the window the desktop gives the keyboard becomes the active one,
// the menu closes, and the keys go to the window.
TEST_F(SdlHostTest, TheWindowTheDesktopGivesTheKeyboardBecomesActiveAndTakesTheKeys) {
    KeyWindow help;
    ASSERT_TRUE(help.CreateEx(0, nullptr, "Help", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(150, 150, 450, 350),
                              &frame, 0));
    frame.SetFocus();
    SDL_Event focus{SDL_WINDOWEVENT};
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = host->SdlWindowId(&help);
    SDL_Event escape{SDL_KEYDOWN};
    escape.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_TRUE(SDL_PushEvent(&focus) == 1 && SDL_PushEvent(&escape) == 1);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 100, "&Grid");
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &frame));
    for (SDL_Event event; SDL_PollEvent(&event);) host->HandleEvent(event);
    EXPECT_EQ(help.keys, (std::vector<UINT>{VK_ESCAPE}));
}

// SDL queues a key with the text it typed: the key that answers a question takes its text along.
TEST_F(SdlHostTest, TheTextOfAKeyThatAnswersAQuestionIsNotTypedIntoTheWindowAfterIt) {
    SDL_Event key{SDL_KEYDOWN};
    key.key.keysym.sym = SDLK_y;
    SDL_Event text{SDL_TEXTINPUT};
    std::strcpy(text.text.text, "y");
    ASSERT_TRUE(SDL_PushEvent(&key) == 1 && SDL_PushEvent(&text) == 1);
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNO), IDYES);
    for (SDL_Event event; SDL_PollEvent(&event);) host->HandleEvent(event);
    EXPECT_EQ(frame.typed, "");
}

// Alt+Space opens the system menu, and Escape typed after Alt was let go closes it: the space of
// the chord is still no text.
TEST_F(SdlHostTest, TheTextOfAnAltChordIsNotTypedAfterTheMenuItOpenedCloses) {
    const auto push = [](Uint32 type, SDL_Keycode key, Uint16 modifiers) {
        SDL_Event event{type};
        event.key.keysym.sym = key;
        event.key.keysym.mod = modifiers;
        return SDL_PushEvent(&event) == 1;
    };
    SDL_Event space{SDL_TEXTINPUT};
    std::strcpy(space.text.text, " ");
    ASSERT_TRUE(push(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT) && push(SDL_KEYDOWN, SDLK_SPACE, KMOD_LALT) &&
                SDL_PushEvent(&space) == 1 && push(SDL_KEYUP, SDLK_SPACE, KMOD_LALT) &&
                push(SDL_KEYUP, SDLK_LALT, KMOD_NONE) && push(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE));
    for (SDL_Event event; SDL_PollEvent(&event);) host->HandleEvent(event);
    WindowManager::Instance().RunUntilIdle();
    EXPECT_EQ(frame.typed, "");
}

// The desktop's news that a dialog has the keyboard may come after the dialog closed; a tip shown
// next in the dialog's desktop window does not become the active window by it.
TEST_F(SdlHostTest, LateFocusNewsOfAClosedDialogDoesNotActivateTheWindowShownNextInItsPlace) {
    const CRect place(150, 150, 350, 300);
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, place, &frame, 0));
    WindowManager::Instance().RunUntilIdle();
    SDL_Event focus{SDL_WINDOWEVENT};
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = host->SdlWindowId(&dialog);
    dialog.DestroyWindow();
    ASSERT_EQ(SDL_PushEvent(&focus), 1);
    CWnd tip;
    ASSERT_TRUE(tip.CreateEx(0, nullptr, "Tip", WS_POPUP | WS_CAPTION, place, &frame, 0));
    tip.ShowWindow(SW_SHOWNA);
    WindowManager::Instance().RunUntilIdle();
    ASSERT_EQ(host->SdlWindowId(&tip), focus.window.windowID);
    for (SDL_Event event; SDL_PollEvent(&event);) host->HandleEvent(event);
    EXPECT_NE(WindowManager::Instance().GetActiveWindow(), &tip);
}

// Alt+Tab during a drag in a child window: the drag is cancelled and the mouse let go.
TEST_F(SdlHostTest, ADragInsideTheActiveWindowEndsWhenTheDesktopGivesAnotherWindowTheKeyboard) {
    TrackingWindow plan;
    ASSERT_TRUE(plan.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &frame, 1));
    CWnd help;
    ASSERT_TRUE(help.CreateEx(0, nullptr, "Help", WS_OVERLAPPEDWINDOW, CRect(600, 100, 800, 300), &frame, 0));
    help.ShowWindow(SW_SHOWNA);
    Motion(100, 100);
    Button(true);
    ASSERT_EQ(GetCapture(), &plan);
    SDL_Event focus{SDL_WINDOWEVENT};
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = host->SdlWindowId(&help);
    host->HandleEvent(focus);
    EXPECT_EQ(plan.cancels, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

// The keyboard goes to another program while a menu is open: the menu closes, and keys that
// would have chosen in it come to nothing.
TEST_F(SdlHostTest, AMenuClosesWhenTheKeyboardGoesToAnotherProgram) {
    frame.tick = [&] {
        SDL_Event lost{SDL_WINDOWEVENT};
        lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        lost.window.windowID = host->SdlWindowId(&frame);
        host->HandleEvent(lost);
        for (const SDL_Keycode key : {SDLK_DOWN, SDLK_RETURN}) {
            SDL_Event press{SDL_KEYDOWN};
            press.key.keysym.sym = key;
            host->HandleEvent(press);
        }
    };
    frame.SetTimer(1, 10);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 100, "&Grid");
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &frame));
}

// The keyboard going to another program, or to no window, leaves the active window's caption in
// the inactive colour until it comes back; the window stays the one that gets it back.
TEST_F(SdlHostTest, TheActiveCaptionIsInactiveWhileTheKeyboardIsOutsideTheProgram) {
    const CRect minimise = NonClientPainter::CaptionButtonRect(frame, HTMINBUTTON);
    const auto caption = [&] {
        return ColorFromPixel(frame.Surface()->At(minimise.left - 4, minimise.CenterPoint().y));
    };
    const auto focus = [&](Uint8 change) {
        SDL_Event event{SDL_WINDOWEVENT};
        event.window.event = change;
        event.window.windowID = host->SdlWindowId(&frame);
        host->HandleEvent(event);
    };
    EXPECT_EQ(caption(), GetSysColor(COLOR_ACTIVECAPTION));
    focus(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(caption(), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &frame);
    focus(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(caption(), GetSysColor(COLOR_ACTIVECAPTION));
}

// A menu-bar title highlighted by Alt alone lets the bar go when the keyboard goes to another
// program: the keys that come back go to the window again.
TEST_F(SdlHostTest, AHighlightedMenuTitleLetsGoWhenTheKeyboardGoesToAnotherProgram) {
    CMenu bar;
    bar.CreateMenu();
    auto* file = new CMenu;
    file->CreatePopupMenu();
    file->AppendMenu(MF_STRING, 100, "&New");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    frame.SetMenu(&bar);
    const auto handle = [&](Uint32 type, Uint8 windowEvent, SDL_Keycode key) {
        SDL_Event event{type};
        event.window.windowID = host->SdlWindowId(&frame);
        event.window.event = windowEvent;
        if (type != SDL_WINDOWEVENT)
            event.key.keysym.sym = key;
        host->HandleEvent(event);
    };
    handle(SDL_KEYDOWN, 0, SDLK_LALT);
    handle(SDL_KEYUP, 0, SDLK_LALT);
    ASSERT_EQ(CMenuBarTracker::HighlightedTitle(&frame), 0);
    handle(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST, 0);
    EXPECT_EQ(CMenuBarTracker::HighlightedTitle(&frame), -1);
    handle(SDL_KEYDOWN, 0, SDLK_DOWN);
    EXPECT_EQ(frame.keys, std::vector<UINT>{VK_DOWN});
    frame.SetMenu(nullptr);
}

// A tool chosen and a click at once, both waiting in one round: the click meets the new tool.
TEST_F(SdlHostTest, WhatAKeyPostedIsDoneBeforeTheInputThatCameAfterIt) {
    ToolWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Tools", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CRect(150, 150, 450, 350), nullptr, 0));
    window.SetFocus();
    WindowManager::Instance().RunUntilIdle();
    SDL_Event key{SDL_KEYDOWN};
    key.key.windowID = host->SdlWindowId(&window);
    key.key.keysym.sym = SDLK_s;
    SDL_Event click{SDL_MOUSEBUTTONDOWN};
    click.button.windowID = key.key.windowID;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = click.button.y = 100;
    ASSERT_TRUE(SDL_PushEvent(&key) == 1 && SDL_PushEvent(&click) == 1);
    host->Run();
    EXPECT_EQ(window.clickedWith, WPARAM{'S'});
    window.DestroyWindow();
}
