// The real program on a real X server at the edges a person meets: the help window closed by its
// keys, a window of the program destroyed by another X client, and the program ended by a signal
// while it asks about changes.
#include <gtest/gtest.h>

#include <signal.h>

#include <optional>

#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

// Last: the X headers' macros would clash with names in the headers above.
#include <X11/Xlib.h>

namespace {
using namespace desktop;

// Where the message box's buttons are: 23 pixels high, 12 above the client's bottom, which is
// the frame's width above the window's.
constexpr int kButtonMiddleAboveBottom = 3 + 12 + 23 / 2;

class WindowEdgesOnDesktop : public ProgramOnDesktop {
  protected:
    void TearDown() override {
        if (m_otherClient != nullptr)
            XCloseDisplay(m_otherClient);
    }

    std::optional<DesktopSession::TopLevel> Dialog(const std::string& name) {
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs())
            if (dialog.name == name)
                return dialog;
        return std::nullopt;
    }

    bool HasKeyboard(const std::string& name) {
        const std::optional<DesktopSession::TopLevel> dialog = Dialog(name);
        return dialog && m_session.FocusWindow() == dialog->id;
    }

    // Another client on the display destroys the window, as `xdotool windowclose` does.
    void DestroyFromOutside(unsigned long window) {
        if (m_otherClient == nullptr)
            m_otherClient = XOpenDisplay(m_session.DisplayName().c_str());
        ASSERT_NE(m_otherClient, nullptr);
        XDestroyWindow(m_otherClient, window);
        XSync(m_otherClient, False);
    }

    // A straight track dragged out in the plan: the layout has changes to save from then on.
    void DrawStraightTrack(const std::vector<MenuTitle>& titles) {
        for (const MenuTitle& title : titles)
            if (const int index = IndexOf(*title.popup, ID_TOOL_STRAIGHT_TRACK); index >= 0) {
                ChooseItem(title, index);
                break;
            }
        ASSERT_TRUE(WaitForPopup(false));
        m_session.MovePointer(300, 400);
        m_session.Button(1, true);
        for (int x = 320; x <= 600; x += 40) m_session.MovePointer(x, 400);
        m_session.Button(1, false);
        m_session.MovePointer(1500, 950);
    }

    // File > Exit, which asks about the drawn track; answers the box the question is in.
    DesktopSession::TopLevel AskToExit() {
        m_session.Key("alt+f");
        EXPECT_TRUE(WaitForPopup(true));
        m_session.Key("x");
        EXPECT_TRUE(WaitUntilSettledWith([&] { return HasKeyboard("Corvane"); }))
            << "no question about changes; shown:" << DialogNames();
        return Dialog("Corvane").value_or(DesktopSession::TopLevel{});
    }

    Display* m_otherClient = nullptr;
};

TEST_F(WindowEdgesOnDesktop, EscapeAndAltF4CloseTheHelpWindow) {
    for (const char* closing : {"Escape", "alt+F4"}) {
        SCOPED_TRACE(closing);
        m_session.Key("F1");
        ASSERT_TRUE(m_session.WaitUntil([&] { return HasKeyboard("Corvane Help"); }, kPatience))
            << "F1 showed no help window with the keyboard; shown:" << DialogNames();
        m_session.Key(closing);
        ASSERT_TRUE(m_session.WaitUntil([&] { return !Dialog("Corvane Help"); }, kPatience))
            << "the help window stayed";
    }
    ExpectAnswers();
    ExpectCleanExit();
}

TEST_F(WindowEdgesOnDesktop, WindowsDestroyedFromOutsideLeaveTheSaveQuestionAnsweringClicks) {
    const std::vector<MenuTitle> titles = LearnTitles();
    DrawStraightTrack(titles);
    // A dialog's desktop window destroyed: the dialog comes back, with the keyboard.
    m_session.Key("alt+h");
    ASSERT_TRUE(WaitForPopup(true));
    m_session.Key("a");
    ASSERT_TRUE(m_session.WaitUntil([&] { return AboutHasKeyboard(); }, kPatience)) << DialogNames();
    const unsigned long about = Dialog("About...")->id;
    DestroyFromOutside(about);
    ASSERT_TRUE(m_session.WaitUntil(
        [&] { return HasKeyboard("About...") && Dialog("About...")->id != about; }, kPatience))
        << "About did not come back with the keyboard; shown:" << DialogNames();
    m_session.Key("Escape");
    ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience)) << DialogNames();
    // The main window's destroyed too.
    DesktopSession::TopLevel main;
    ASSERT_TRUE(m_session.FindMainWindow(main));
    DestroyFromOutside(main.id);
    ASSERT_TRUE(m_session.WaitUntil(
        [&] {
            DesktopSession::TopLevel again;
            return m_session.FindMainWindow(again) && again.id != main.id;
        },
        kPatience))
        << "the main window did not come back";
    ExpectAnswers();
    // The question about the track answers a click on its No.
    const DesktopSession::TopLevel question = AskToExit();
    ASSERT_FALSE(HasFatalFailure());
    m_session.Click(question.x + question.width / 2, question.y + question.height - kButtonMiddleAboveBottom);
    EXPECT_EQ(m_session.WaitForExit(kPatience), 0) << DialogNames();
    EXPECT_EQ(m_session.ProgramErrors(), "");
}

TEST_F(WindowEdgesOnDesktop, TheTerminationSignalEndsTheProgramWhileItAsksAboutChanges) {
    DrawStraightTrack(LearnTitles());
    AskToExit();
    ASSERT_FALSE(HasFatalFailure());
    m_session.SignalProgram(SIGTERM);
    EXPECT_EQ(m_session.WaitForExit(kPatience), 128 + SIGTERM) << "shown:" << DialogNames();
    EXPECT_EQ(m_session.ProgramErrors(), "");
}

}  // namespace
