// A close request that comes while a modal loop runs or the mouse is held down: the menu bar, the
// plan's context menu, a tool bar's drop-down palette, the layer list, a message box, a dialog,
// and the drags of a band, a scroll bar and a selection, each given the main window's close
// request, Alt+F4 under a window manager, Ctrl+F4 and SIGTERM. Afterwards the program has ended
// cleanly or still answers a click on its menu bar, with no sanitizer report on stderr.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "platform/win/WindowManager.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

enum class Loop {
    MenuBar,
    ContextMenu,
    ToolDropDown,
    LayerList,
    MessageBox,
    Dialog,
    Band,
    ScrollBar,
    Selection
};
enum class Request { CloseRequest, AltF4, CtrlF4, Terminate };

constexpr Loop kLoops[] = {Loop::MenuBar,   Loop::ContextMenu, Loop::ToolDropDown,
                           Loop::LayerList, Loop::MessageBox,  Loop::Dialog,
                           Loop::Band,      Loop::ScrollBar,   Loop::Selection};
constexpr Request kRequests[] = {Request::CloseRequest, Request::AltF4, Request::CtrlF4, Request::Terminate};

const char* NameOf(Loop loop) {
    constexpr const char* kNames[] = {"the menu bar",   "the context menu",    "a tool bar's drop-down",
                                      "the layer list", "a message box",       "a dialog",
                                      "a band's drag",  "a scroll bar's drag", "a selection's drag"};
    return kNames[static_cast<int>(loop)];
}

const char* NameOf(Request request) {
    constexpr const char* kNames[] = {"the close request", "Alt+F4", "Ctrl+F4", "SIGTERM"};
    return kNames[static_cast<int>(request)];
}

// The main window's close request and Alt+F4 end the program unless a modal window over the main
// window takes them; a signal always ends it; Ctrl+F4 closes at most the layout.
bool Ends(Loop loop, Request request) {
    if (request == Request::Terminate)
        return true;
    const bool modalWindow = loop == Loop::MessageBox || loop == Loop::Dialog;
    return request != Request::CtrlF4 && !modalWindow;
}

bool HoldsMouse(Loop loop) {
    return loop == Loop::ToolDropDown || loop == Loop::Band || loop == Loop::ScrollBar ||
           loop == Loop::Selection;
}

// Places in the main window: the tool bars' rows, the Selector and Straight Track buttons, the
// Run Test Train drop-down's arrow, the layer list and the plan's vertical scroll bar.
constexpr int kMainRowMiddle = 54;
constexpr int kSelectorX = 25;
constexpr int kStraightTrackX = 77;
constexpr int kToolsRowMiddle = 81;
constexpr int kTrainArrowX = 721;
constexpr int kLayerListX = 700;
constexpr int kScrollBarX = 1182;
constexpr int kScrollBarY = 300;

bool Reported(const std::string& errors) {
    for (const char* mark : {"Sanitizer", "runtime error", "X error"})
        if (errors.find(mark) != std::string::npos)
            return true;
    return false;
}

class CloseUnderModalLoopOnDesktop : public ProgramOnDesktop {
  protected:
    std::string Try(Loop loop, Request request) {
        if (!Prepare(loop == Loop::Selection))
            return "the layout could not be made ready; shown:" + DialogNames();
        if (!Begin(loop))
            return "it did not begin; shown:" + DialogNames();
        Give(request);
        if (HoldsMouse(loop))
            m_session.Button(1, false);
        return Ends(loop, request) ? EndedCleanly(request) : Answers();
    }

    // ---- The program and its layout ----

    // The shell's DDE start shows no splash and opens no layout: the program is at hand at once.
    // A program that ended shows no window: the wait ends there.
    void Restart() {
        if (m_session.ProgramRunning()) {
            m_session.SignalProgram(SIGKILL);
            m_session.WaitForExit(kPatience);
        }
        m_session.StartProgram({"/dde"});
        m_layoutChanged = false;
        const auto shown = [&] { return MainTitle().rfind("Corvane", 0) == 0; };
        m_session.WaitUntil([&] { return shown() || !m_session.ProgramRunning(); }, kPatience);
        ASSERT_TRUE(shown()) << WhyNoMainWindow() << "\n" << m_session.ProgramErrors();
        // The keys that come next find the program come up and given the keyboard.
        m_session.WaitUntilSettled(kPatience);
    }

    // How the program ended, or what it shows instead and whether the window manager still runs.
    std::string WhyNoMainWindow() {
        if (!m_session.ProgramRunning())
            return "no main window; the program ended, exit " +
                   std::to_string(m_session.WaitForExit(kPatience));
        return "no main window; shown:" + DialogNames() +
               "; window manager running: " + (m_session.WindowManagerRunning() ? "yes" : "no");
    }

    bool LayoutOpen() { return MainTitle().find("Untitled") != std::string::npos; }

    // A layout unchanged since it was made, or holding one straight track.
    bool Prepare(bool withTrack) {
        if (!m_session.ProgramRunning())
            Restart();
        if (LayoutOpen() && m_layoutChanged == withTrack)
            return true;
        for (int tries = 0; tries < 3 && LayoutOpen(); ++tries) {
            m_session.Key("ctrl+F4");
            m_session.WaitUntil([&] { return !LayoutOpen() || !m_session.Dialogs().empty(); }, kPatience);
            if (!m_session.Dialogs().empty())
                m_session.Key("n");
            m_session.WaitUntil([&] { return !LayoutOpen(); }, kPatience);
        }
        m_session.Key("ctrl+n");
        if (!m_session.WaitUntil([&] { return LayoutOpen(); }, kPatience))
            return false;
        if (withTrack)
            DrawStraightTrack();
        m_layoutChanged = withTrack;
        return m_session.Dialogs().empty();
    }

    // The Straight Track tool from the tools bar, a track laid with it, and the Selector back.
    void DrawStraightTrack() {
        ClickInMain(kStraightTrackX, kToolsRowMiddle);
        PressAndDrag(300, 400, 600, 400, false);
        ClickInMain(kSelectorX, kToolsRowMiddle);
        // The button posts its command: the next click finds the Selector chosen.
        m_session.WaitUntilSettled(kPatience);
    }

    // ---- Beginning a loop ----

    bool Begin(Loop loop) {
        switch (loop) {
            case Loop::MenuBar:
                ClickInMain(m_fileTitle.x, m_fileTitle.y);
                return WaitForPopup(true);
            case Loop::ContextMenu:
                m_session.MovePointer(450, 500);
                m_session.Button(3, true);
                m_session.Button(3, false);
                return WaitForPopup(true);
            case Loop::ToolDropDown:
                PressInMain(kTrainArrowX, kToolsRowMiddle);
                return WaitForPopup(true);
            case Loop::LayerList:
                ClickInMain(kLayerListX, kMainRowMiddle);
                return WaitForPopup(true);
            case Loop::MessageBox:
                m_session.Key("ctrl+g");
                return WaitForDialog("Corvane");
            case Loop::Dialog:
                m_session.Key("ctrl+p");
                return WaitForDialog("Print");
            case Loop::Band:
                PressAndDrag(500, 550, 800, 700, true);
                return true;
            case Loop::ScrollBar:
                PressInMain(kScrollBarX, kScrollBarY);
                DragTo(kScrollBarX, kScrollBarY + 150);
                return true;
            case Loop::Selection:
                m_session.Click(450, 400);
                // Pressed on the track beside the click, so that the press makes no double click.
                PressAndDrag(450 + GetSystemMetrics(SM_CXDOUBLECLK), 400, 500, 600, true);
                return true;
        }
        return false;
    }

    // Each step is handled before the next is taken, as a person's hand is slower than the
    // program: the press comes where the pointer is, and the drag has begun before the close.
    void PressAndDrag(int fromX, int fromY, int toX, int toY, bool hold) {
        MoveTo(fromX, fromY);
        m_session.Button(1, true);
        m_session.WaitUntilSettled(kPatience);
        DragTo(toX, toY);
        if (!hold)
            m_session.Button(1, false);
        m_session.WaitUntilSettled(kPatience);
    }

    void DragTo(int toX, int toY) {
        const int fromX = m_pointerX;
        const int fromY = m_pointerY;
        for (int step = 1; step <= 6; ++step)
            MoveTo(fromX + (toX - fromX) * step / 6, fromY + (toY - fromY) * step / 6);
    }

    void MoveTo(int x, int y) {
        m_pointerX = x;
        m_pointerY = y;
        m_session.MovePointer(x, y);
        m_session.WaitUntilSettled(kPatience);
    }

    DesktopSession::TopLevel Main() {
        DesktopSession::TopLevel main;
        m_session.FindMainWindow(main);
        return main;
    }

    void ClickInMain(int x, int y) {
        const DesktopSession::TopLevel main = Main();
        m_session.Click(main.x + x, main.y + y);
    }

    void PressInMain(int x, int y) {
        const DesktopSession::TopLevel main = Main();
        MoveTo(main.x + x, main.y + y);
        m_session.Button(1, true);
    }

    bool DialogShown(const std::string& caption) {
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs())
            if (dialog.name == caption)
                return true;
        return false;
    }

    bool WaitForDialog(const std::string& caption) {
        return m_session.WaitUntil([&] { return DialogShown(caption); }, kPatience);
    }

    // ---- The close request ----

    void Give(Request request) {
        switch (request) {
            case Request::CloseRequest:
                return m_session.RequestClose(Main().id);
            case Request::AltF4:
                return m_session.Key("alt+F4");
            case Request::CtrlF4:
                return m_session.Key("ctrl+F4");
            case Request::Terminate:
                return m_session.SignalProgram(SIGTERM);
        }
    }

    // ---- Afterwards ----

    // A changed layout is asked about first, answered once the program has settled with the question
    // up; declined, the program ends as it would have.
    std::string EndedCleanly(Request request) {
        WaitUntilSettledWith([&] { return !m_session.ProgramRunning() || !m_session.Dialogs().empty(); });
        if (m_session.ProgramRunning() && DialogShown("Corvane"))
            m_session.Key("n");
        const int exitCode = m_session.WaitForExit(kPatience);
        const int expected = request == Request::Terminate ? 128 + SIGTERM : 0;
        const std::string errors = m_session.ProgramErrors();
        if (exitCode != expected || Reported(errors))
            return "the program did not end cleanly: exit " + std::to_string(exitCode) +
                   "; shown:" + DialogNames() + "\n" + errors;
        return {};
    }

    // Whatever is left open is closed by Escape (a question about changes cancelled); then a click
    // on File opens its menu, and nothing was reported. A question may come only once the loop has
    // ended, when the close goes on.
    std::string Answers() {
        m_session.WaitUntilSettled(kPatience);
        for (int tries = 0;
             tries < 6 && m_session.ProgramRunning() && (PopupOpen() || !m_session.Dialogs().empty());
             ++tries) {
            m_session.Key("Escape");
            m_session.WaitUntilSettled(kPatience);
        }
        if (!m_session.ProgramRunning())
            return "the program ended, exit " + std::to_string(m_session.WaitForExit(kPatience)) + "\n" +
                   m_session.ProgramErrors();
        m_session.Key("Escape");
        ClickInMain(m_fileTitle.x, m_fileTitle.y);
        if (!WaitForPopup(true))
            return "a click on File opened no menu; shown:" + DialogNames() + "\n" +
                   m_session.ProgramErrors();
        CloseMenus();
        const std::string errors = m_session.ProgramErrors();
        return Reported(errors) ? "stderr: " + errors : "";
    }

    // Where a click opens the File menu, in the main window.
    void LearnFileTitle() {
        const std::vector<MenuTitle> titles = LearnTitles();
        ASSERT_FALSE(titles.empty());
        const DesktopSession::TopLevel main = Main();
        m_fileTitle = {titles.front().clickX - main.x, titles.front().clickY - main.y};
    }

    struct {
        int x = 0;
        int y = 0;
    } m_fileTitle;
    int m_pointerX = 0;
    int m_pointerY = 0;
    bool m_layoutChanged = false;
};

TEST_F(CloseUnderModalLoopOnDesktop, EveryLoopEndsBeforeTheCloseItWasAskedForGoesOn) {
    const bool windowManager = m_session.StartWindowManager();
    Restart();
    ASSERT_FALSE(HasFatalFailure());
    m_session.Key("ctrl+n");
    ASSERT_TRUE(m_session.WaitUntil([&] { return LayoutOpen(); }, kPatience));
    LearnFileTitle();
    for (Request request : kRequests) {
        // Without a window manager, Alt+F4 is the program's own and the close request stands for it.
        if (request == Request::AltF4 && !windowManager)
            continue;
        for (Loop loop : kLoops)
            EXPECT_EQ(Try(loop, request), "") << NameOf(loop) << " given " << NameOf(request);
    }
}

}  // namespace
