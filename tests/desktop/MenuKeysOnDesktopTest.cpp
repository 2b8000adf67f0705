// The menus worked by keyboard alone on a real X server, as a person works them: letters, Home
// and End in an open menu, Escape back to the title, Alt+F4 with a menu open, and menus closing
// when the desktop's keyboard goes away from the program.
#include <string>
#include <vector>

#include "tests/desktop/ProgramOnDesktop.h"
#include "tests/desktop/XKeyboardAway.h"

namespace {
using namespace desktop;

class MenuKeysOnDesktop : public ProgramOnDesktop {
  protected:
    bool DialogHasKeyboard(const std::string& caption) {
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs()) {
            if (dialog.name == caption)
                return m_session.FocusWindow() == dialog.id;
        }
        return false;
    }
    void Keys(const std::vector<std::string>& keys) {
        for (const std::string& key : keys) {
            m_session.Key(key);
            // A menu opening takes the keys once it is up.
            if (key.starts_with("alt+")) {
                ASSERT_TRUE(WaitForPopup(true)) << key << " opened no menu";
            }
        }
    }
};

}  // namespace

TEST_F(MenuKeysOnDesktop, LettersHomeEndAndEscapeInMenusDoWhatTheKeysSay) {
    const struct {
        std::vector<std::string> keys;
        const char* dialog;
    } rows[] = {
        {{"alt+f", "d", "Return"}, "Document setup"},
        {{"alt+f", "p"}, "Print"},
        {{"alt+t", "t", "Return"}, "Track wizard"},
        {{"alt+f", "End", "Home", "Down", "Down", "d", "Return"}, "Document setup"},
        {{"alt", "Down", "p"}, "Print"},
        {{"alt+f", "Escape", "Escape", "ctrl+p"}, "Print"},
    };
    for (const auto& row : rows) {
        Keys(row.keys);
        EXPECT_TRUE(m_session.WaitUntil([&] { return DialogHasKeyboard(row.dialog); }, kPatience))
            << row.keys.front() << " ... " << row.keys.back() << "; shown:" << DialogNames();
        ASSERT_TRUE(CancelDialogs());
        EXPECT_FALSE(PopupOpen());
    }
    ExpectAnswers();
    ExpectCleanExit();
}

// With no window manager the program takes Alt+F4 itself: an open menu closes and the window with it.
TEST_F(MenuKeysOnDesktop, AltF4WithAMenuOpenClosesTheProgram) {
    Keys({"alt+e"});
    m_session.Key("alt+F4");
    EXPECT_EQ(m_session.WaitForExit(kPatience), 0);
    EXPECT_EQ(m_session.ProgramErrors(), "");
}

TEST_F(MenuKeysOnDesktop, AnOpenMenuClosesWhenTheKeyboardGoesToNoWindowOrThePointerRoot) {
    const struct {
        const char* where;
        XKeyboardAway away;
        unsigned long focus;  // as X names it
    } rows[] = {{"no window", XKeyboardAway::kNoWindow, 0},
                {"the pointer root", XKeyboardAway::kPointerRoot, 1}};
    DesktopSession::TopLevel main;
    ASSERT_TRUE(m_session.FindMainWindow(main));
    for (const auto& row : rows) {
        Keys({"alt+v"});
        ASSERT_TRUE(GiveXKeyboardAway(m_session.DisplayName(), row.away));
        EXPECT_TRUE(WaitForPopup(false)) << "the menu stayed open when the keyboard went to " << row.where;
        // The menu going takes no keyboard back from where the desktop put it.
        EXPECT_EQ(m_session.FocusWindow(), row.focus) << row.where;
        m_session.GiveKeyboardTo(main.id);
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.FocusWindow() == main.id; }, kPatience));
        CloseMenus();
    }
    EXPECT_TRUE(m_session.ProgramRunning()) << m_session.ProgramErrors();
}
