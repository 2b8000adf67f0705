// Help asked for in a dialog, and dialogs and the help window closed by the
// desktop's own means (Alt+F4, a window manager's close request), on a real X server with and
// without a window manager: the keyboard always ends up in the window that should have it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

// Our own caption's close box lies this far in from the window's top right corner.
constexpr int kCloseBoxFromRight = 14;
constexpr int kCloseBoxFromTop = 11;

class HelpAndCloseOnDesktop : public ProgramOnDesktop {
  protected:
    std::optional<DesktopSession::TopLevel> Shown(const std::string& name) {
        for (const DesktopSession::TopLevel& window : m_session.Dialogs())
            if (window.name == name)
                return window;
        return std::nullopt;
    }

    bool HasKeyboard(const std::string& name) {
        const std::optional<DesktopSession::TopLevel> window = Shown(name);
        return window && m_session.FocusWindow() == window->id;
    }

    bool WaitForKeyboard(const std::string& name) {
        return WaitUntilSettledWith([&] { return HasKeyboard(name); });
    }

    bool WaitUntilGone(const std::string& name) {
        return m_session.WaitUntil([&] { return !Shown(name); }, kPatience);
    }

    void OpenDialog(UINT command, const std::string& caption) {
        Choose(command);
        ASSERT_TRUE(WaitForKeyboard(caption)) << caption << " did not open; shown:" << DialogNames();
    }

    void ClickCloseBox(const std::string& name) {
        const std::optional<DesktopSession::TopLevel> window = Shown(name);
        ASSERT_TRUE(window);
        m_session.Click(window->x + window->width - kCloseBoxFromRight, window->y + kCloseBoxFromTop);
    }

    // F1 in the dialog opens the help; closed by closing, the dialog has the keyboard again and
    // Escape cancels it.
    void HelpFromDialog(UINT command, const std::string& caption, const std::string& closing) {
        OpenDialog(command, caption);
        m_session.Key("F1");
        ASSERT_TRUE(WaitForKeyboard("Corvane Help")) << "F1 in " << caption << "; shown:" << DialogNames();
        if (closing == "close box")
            ClickCloseBox("Corvane Help");
        else
            m_session.Key(closing);
        ASSERT_TRUE(WaitUntilGone("Corvane Help"));
        EXPECT_TRUE(WaitForKeyboard(caption)) << caption << " after " << closing;
        m_session.Key("Escape");
        EXPECT_TRUE(WaitUntilGone(caption)) << caption << " took no Escape after " << closing;
    }

    bool MainHasKeyboard() {
        DesktopSession::TopLevel main;
        return m_session.FindMainWindow(main) && m_session.FocusWindow() == main.id;
    }

    // Whether the window manager stacks the first window below the second.
    bool Below(const std::string& lower, const std::string& upper) {
        const std::vector<DesktopSession::TopLevel> stack = m_session.TopLevels();
        const auto at = [&](const std::string& name) {
            return std::find_if(stack.begin(), stack.end(),
                                [&](const auto& window) { return window.name == name; });
        };
        return at(lower) != stack.end() && at(upper) != stack.end() && at(lower) < at(upper);
    }

    // A window closed by Alt+F4 leaves no menu open: Ctrl+P opens Print.
    void ExpectCtrlPOpensPrint(const std::string& after) {
        m_session.Key("ctrl+p");
        EXPECT_TRUE(WaitForKeyboard("Print")) << "after " << after << "; shown:" << DialogNames();
        EXPECT_FALSE(PopupOpen()) << "a menu is open after " << after;
        ASSERT_TRUE(CancelDialogs());
    }
};

using HelpAndCloseUnderWindowManager = UnderWindowManager<HelpAndCloseOnDesktop>;

TEST_F(HelpAndCloseOnDesktop, HelpFromADialogAndAltF4GiveTheKeyboardBackWhereItWas) {
    for (const std::string closing : {"Escape", "close box", "alt+F4"})
        HelpFromDialog(ID_DOCUMENT_SETUP, "Document setup", closing);
    HelpFromDialog(ID_FILE_PRINT_SETUP, "Print Setup", "Escape");

    OpenDialog(ID_FILE_PRINT_SETUP, "Print Setup");
    m_session.Key("alt+F4");
    ASSERT_TRUE(WaitUntilGone("Print Setup"));
    ExpectCtrlPOpensPrint("Alt+F4 on Print Setup");

    m_session.Key("F1");
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    m_session.Key("alt+F4");
    ASSERT_TRUE(WaitUntilGone("Corvane Help"));
    ExpectCtrlPOpensPrint("Alt+F4 on the help");
    ExpectAnswers();
    ExpectCleanExit();
}

TEST_F(HelpAndCloseUnderWindowManager, AltF4CancelsDialogsAndTheWindowBehindNeverKeepsTheKeyboard) {
    OpenDialog(ID_FILE_PRINT_SETUP, "Print Setup");
    m_session.Key("alt+F4");
    EXPECT_TRUE(WaitUntilGone("Print Setup")) << "Alt+F4 left Print Setup open";
    ASSERT_TRUE(CancelDialogs());

    // A click on the window behind the dialog leaves the keyboard with the dialog.
    OpenDialog(ID_DOCUMENT_SETUP, "Document setup");
    m_session.Click(1300, 900);
    m_session.MovePointer(1500, 950);
    EXPECT_TRUE(WaitForKeyboard("Document setup")) << "the window behind the dialog took the keyboard";
    m_session.Key("Escape");
    EXPECT_TRUE(WaitUntilGone("Document setup"));
    ASSERT_TRUE(CancelDialogs());

    HelpFromDialog(ID_DOCUMENT_SETUP, "Document setup", "close box");
    HelpFromDialog(ID_TRACK_WIZARD, "Track wizard", "alt+F4");

    ExpectAnswers();
    ExpectCleanExit();
}

// The help is a window of its own: a click on the plan puts it behind the layout window, which
// takes the keyboard; F1 brings it forward again, and a click in it and Escape work it. Beside Tool
// Parameters, which stays on top even when the help is clicked, it takes the keyboard, and Alt+F4
// closes it.
TEST_F(HelpAndCloseUnderWindowManager, TheHelpTakesClicksAndKeysWhenInFrontAndGoesBehindAClickedPlan) {
    const std::string main = MainTitle();
    // The help may be shown in the desktop window a dialog had, which stayed over the layout window.
    OpenDialog(ID_DOCUMENT_SETUP, "Document setup");
    m_session.Key("Escape");
    ASSERT_TRUE(WaitUntilGone("Document setup"));
    m_session.Key("F1");
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    const std::optional<DesktopSession::TopLevel> help = Shown("Corvane Help");
    ASSERT_TRUE(help);
    m_session.Click(help->x + help->width + 100, help->y + help->height / 2);
    EXPECT_TRUE(
        m_session.WaitUntil([&] { return Below("Corvane Help", main) && MainHasKeyboard(); }, kPatience))
        << "the help stayed over the layout window, or kept the keyboard";
    m_session.Key("F1");
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    m_session.Click(help->x + 50, help->y + 55);
    m_session.Key("Escape");
    EXPECT_TRUE(WaitUntilGone("Corvane Help")) << "Escape after a click in the help did not close it";

    OpenDialog(ID_TOOL_PARAMETERS, "Tool parameters");
    m_session.Key("F1");
    EXPECT_TRUE(WaitForKeyboard("Corvane Help")) << "the help opened from Tool Parameters has no keyboard";
    m_session.Click(help->x + 50, help->y + 55);
    EXPECT_TRUE(m_session.WaitUntil([&] { return Below("Corvane Help", "Tool parameters"); }, kPatience))
        << "a click in the help lifted it over Tool Parameters";
    m_session.Key("alt+F4");
    EXPECT_TRUE(WaitUntilGone("Corvane Help"));
    EXPECT_TRUE(WaitForKeyboard("Tool parameters")) << "Alt+F4 on the help closed Tool Parameters";
    m_session.Key("Escape");
    EXPECT_TRUE(WaitUntilGone("Tool parameters"));
    ExpectCleanExit();
}

// Alt+Tab from the layout window, or from Preferences, gives the help the keys: Escape closes it,
// and the Alt of the chord opens no menu.
TEST_F(HelpAndCloseUnderWindowManager, AltTabToTheHelpGivesItTheKeys) {
    for (const std::string from : {"layout window", "Preferences"}) {
        if (from == "Preferences")
            OpenDialog(ID_PREFERENCES, from);
        m_session.Key("F1");
        ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
        const DesktopSession::TopLevel help = *Shown("Corvane Help");
        m_session.Click(help.x + help.width + 60, help.y + help.height / 2);
        // The click lands on the layout window, which takes the keyboard; over it, Preferences keeps it.
        ASSERT_TRUE(WaitUntilSettledWith([&] {
            return from == "Preferences" ? HasKeyboard(from) : MainHasKeyboard();
        })) << "the click beside the help left the keyboard with it; shown:"
            << DialogNames();
        ASSERT_TRUE(m_session.AltTab(kPatience));
        ASSERT_TRUE(WaitForKeyboard("Corvane Help")) << "Alt+Tab from the " << from;
        m_session.Key("Escape");
        EXPECT_TRUE(WaitUntilGone("Corvane Help")) << "Escape after Alt+Tab from the " << from;
        EXPECT_FALSE(PopupOpen());
    }
    EXPECT_TRUE(WaitForKeyboard("Preferences"));
    ASSERT_TRUE(CancelDialogs());
    ExpectCleanExit();
}

// A straight dragged out in the plan below the help is laid where the mouse is when Alt+Tab gives
// the help the keys; the mouse let go over the help after that lays nothing under it.
TEST_F(HelpAndCloseUnderWindowManager, AltTabEndsADragInThePlanWhereTheMouseWas) {
    constexpr unsigned long kPaper = 0xFFFFFF;
    Choose(ID_TOOL_STRAIGHT_TRACK);
    m_session.Key("F1");
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    const DesktopSession::TopLevel help = *Shown("Corvane Help");
    const int from = help.x + help.width / 4;
    const int to = help.x + help.width * 3 / 4;
    const int below = help.y + help.height + 60;
    const int over = help.y + help.height / 2;
    m_session.MovePointer(from, below);
    m_session.Button(1, true);
    for (int x = from; x <= to; x += 40) m_session.MovePointer(x, below);
    m_session.MovePointer(to, below);
    const auto laid = [&] {
        return m_session.PixelsOtherThan(kPaper, (from + to) / 2, below - 10, 1, 21) > 0;
    };
    ASSERT_TRUE(m_session.WaitUntil(laid, kPatience)) << "the straight did not follow the mouse";
    ASSERT_TRUE(m_session.AltTab(kPatience));
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    for (int y = below; y >= over; y -= 40) m_session.MovePointer(to, y);
    m_session.Button(1, false);
    m_session.Key("Escape");
    ASSERT_TRUE(WaitUntilGone("Corvane Help"));
    // Where a straight to the point let go would cross a row just inside the help's foot.
    const int row = help.y + help.height - 10;
    const int crossing = from + (to - from) * (below - row) / (below - over);
    EXPECT_TRUE(m_session.WaitUntil(
        [&] { return m_session.PixelsOtherThan(kPaper, crossing - 40, row, 81, 1) == 0; }, kPatience))
        << "the straight followed the mouse over the help";
    EXPECT_TRUE(laid());
    ExpectCleanExit();
}

// The mouse held in the 3D view below the help drives the camera; Alt+Tab to the help stops it,
// and the view then shows one picture however long the mouse, let go away from it, rests.
TEST_F(HelpAndCloseUnderWindowManager, AltTabStopsTheDriveInThe3DView) {
    constexpr int kStillPolls = 50;
    DesktopSession::TopLevel main;
    ASSERT_TRUE(m_session.FindMainWindow(main));
    Choose(ID_SHOW_3D_VIEW);
    // The 3D view, not the plan's white paper, fills the middle of the main window.
    const int middleX = main.x + main.width / 2;
    const int middleY = main.y + main.height / 2;
    ASSERT_TRUE(m_session.WaitUntil(
        [&] { return m_session.PixelsOtherThan(0xFFFFFF, middleX - 5, middleY - 5, 11, 11) > 100; },
        kPatience));
    m_session.Key("F1");
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    const DesktopSession::TopLevel help = *Shown("Corvane Help");
    const int below = help.y + help.height + 60;
    const auto view = [&] { return m_session.Pixels(help.x, below - 10, help.width, 21); };
    m_session.MovePointer(help.x + help.width / 4, below);
    const std::vector<unsigned long> before = view();
    m_session.Button(1, true);
    ASSERT_TRUE(m_session.WaitUntil([&] { return view() != before; }, kPatience))
        << "the camera did not drive";
    ASSERT_TRUE(m_session.AltTab(kPatience));
    ASSERT_TRUE(WaitForKeyboard("Corvane Help"));
    // Let go over the help's top, where the main window holds its tool bars, not the 3D view.
    m_session.MovePointer(help.x + help.width / 2, help.y + 4);
    m_session.Button(1, false);
    std::vector<unsigned long> last = view();
    int still = 0;
    EXPECT_TRUE(m_session.WaitUntil(
        [&] {
            const std::vector<unsigned long> now = view();
            still = now == last ? still + 1 : 0;
            last = now;
            return still >= kStillPolls;
        },
        kPatience))
        << "the camera went on driving";
    m_session.Key("Escape");
    ASSERT_TRUE(WaitUntilGone("Corvane Help"));
    ExpectCleanExit();
}

}  // namespace
