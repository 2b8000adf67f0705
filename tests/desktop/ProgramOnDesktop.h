#pragma once

// The real program on the desktop, as the desktop tests start it: the layout window's menus as a
// person finds them, dialogs cancelled, the program asked whether it still answers, and its exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "resources/CommandIds.h"
#include "resources/ProgramMenus.h"
#include "tests/desktop/DesktopSession.h"

namespace desktop {
using std::chrono::milliseconds;
using std::chrono::seconds;

// How long a wait for the program may take before its test fails. The waits end as soon as the
// program answers, so a generous bound costs nothing on a quiet machine, and a machine busy
// with other builds does not fail a test that would otherwise pass.
inline constexpr seconds kPatience{60};

inline constexpr int kPopupBorder = 3;
inline constexpr int kItemHeight = 18;
inline constexpr int kSeparatorHeight = 9;

// One title of the layout window's menu bar: its Alt letter, where a click opens it, its items.
struct MenuTitle {
    char letter = 0;
    int clickX = 0;
    int clickY = 0;
    const CMenu* popup = nullptr;
};

// Where an item of an open menu is, from the menu's own measures: rows under a 3-pixel frame.
inline int ItemCentreY(const CMenu& popup, int index, int popupTop) {
    int top = popupTop + kPopupBorder;
    for (int i = 0; i < index; ++i)
        top += (popup.ItemAt(i)->flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
    return top + kItemHeight / 2;
}

// A system colour as the screen holds it (0xRRGGBB).
inline unsigned long OnScreen(int systemColour) {
    const COLORREF colour = GetSysColor(systemColour);
    return static_cast<unsigned long>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

inline int IndexOf(const CMenu& popup, UINT id) {
    for (int i = 0; i < popup.GetMenuItemCount(); ++i)
        if (popup.ItemAt(i)->id == id)
            return i;
    return -1;
}

inline char Mnemonic(const CString& text) {
    const int at = text.Find('&');
    return at >= 0 && at + 1 < text.GetLength() ? static_cast<char>(std::tolower(text[at + 1])) : 0;
}

class ProgramOnDesktop : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!m_session.Unavailable().empty()) {
            if (const char* ci = std::getenv("CI"); ci && std::string(ci) == "true")
                FAIL() << "the desktop suite must run in CI: " << m_session.Unavailable();
            GTEST_SKIP() << m_session.Unavailable();
        }
        RegisterProgramMenus();
        m_menu = LoadMenuResource(IDR_LAYOUT_MENU);
        if (const std::string unstarted = StartProgram(); !unstarted.empty())
            GTEST_SKIP() << unstarted;
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainShown(); }, kPatience))
            << "no main window; stderr: " << m_session.ProgramErrors();
        // The splash goes by itself; the program takes keys once it has gone.
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Popups().empty(); }, kPatience));
    }

    // Starts the program as the test wants it; answers why it could not (empty when it started).
    virtual std::string StartProgram() {
        m_session.StartProgram();
        return {};
    }

    bool MainShown() {
        DesktopSession::TopLevel main;
        return m_session.FindMainWindow(main) && main.name.find("Untitled") != std::string::npos;
    }

    std::string MainTitle() {
        DesktopSession::TopLevel main;
        return m_session.FindMainWindow(main) ? main.name : std::string();
    }

    bool PopupOpen() { return !m_session.Popups().empty(); }

    // A state that holds once the program and a window manager have done all that led there: a
    // window shown just now may yet be moved, and the keyboard given on. A program that stops
    // answering ends the wait at once. The wait counts its polls, each short, but a settling takes
    // the program's round trips: a state that comes and goes (a tip shown and hidden by turns)
    // ends the wait after so many settlings, where counting polls alone would wait for hours on
    // a busy machine.
    bool WaitUntilSettledWith(const std::function<bool()>& state) {
        constexpr int kMostSettlings = 100;
        bool settled = true;
        int settlings = 0;
        const auto settledWith = [&] {
            if (!state())
                return false;
            settled = ++settlings <= kMostSettlings && m_session.WaitUntilSettled(kPatience);
            return !settled || state();
        };
        return m_session.WaitUntil(settledWith, kPatience) && settled;
    }

    bool WaitForPopup(bool open) {
        return WaitUntilSettledWith([&] { return PopupOpen() == open; });
    }

    // Opens each title by its Alt letter once and learns where a click opens it from its popup.
    std::vector<MenuTitle> LearnTitles() {
        std::vector<MenuTitle> titles;
        for (int i = 0; i < m_menu->GetMenuItemCount(); ++i) {
            MenuTitle title;
            title.letter = Mnemonic(m_menu->ItemAt(i)->text);
            title.popup = m_menu->GetSubMenu(i);
            m_session.Key(std::string("alt+") + title.letter);
            EXPECT_TRUE(WaitForPopup(true)) << "Alt+" << title.letter << " opened no menu";
            const std::vector<DesktopSession::TopLevel> popups = m_session.Popups();
            if (popups.size() == 1) {
                title.clickX = popups.front().x + 8;
                title.clickY = popups.front().y - 9;
            }
            CloseMenus();
            titles.push_back(title);
        }
        return titles;
    }

    void CloseMenus() {
        for (int tries = 0; tries < 3 && PopupOpen(); ++tries) {
            m_session.Key("Escape");
            m_session.WaitUntil([&] { return !PopupOpen(); }, kPatience);
        }
        EXPECT_FALSE(PopupOpen()) << "a menu stayed open";
        // A menu closed by Escape leaves its title lit; one more Escape leaves the menu bar.
        m_session.Key("Escape");
    }

    // Opens the menu of title by its keys and clicks its item at index.
    void ChooseItem(const MenuTitle& title, int index) {
        m_session.Key(std::string("alt+") + title.letter);
        ASSERT_TRUE(WaitForPopup(true));
        const DesktopSession::TopLevel menu = m_session.Popups().front();
        m_session.Click(menu.x + menu.width / 2, ItemCentreY(*title.popup, index, menu.y));
        // The mouse leaves the toolbars, whose tips are captioned windows too.
        m_session.MovePointer(1500, 950);
        // A person looks before going on: what comes next finds the command carried out.
        m_session.WaitUntilSettled(kPatience);
    }

    // The menu title that holds the command.
    MenuTitle TitleOf(UINT command) {
        for (int i = 0; i < m_menu->GetMenuItemCount(); ++i)
            if (CMenu* popup = m_menu->GetSubMenu(i); popup && IndexOf(*popup, command) >= 0)
                return {Mnemonic(m_menu->ItemAt(i)->text), 0, 0, popup};
        return {};
    }

    // Chooses the command by the keys of its menu title and a click on its item.
    void Choose(UINT command) {
        const MenuTitle title = TitleOf(command);
        ASSERT_NE(title.popup, nullptr);
        ChooseItem(title, IndexOf(*title.popup, command));
    }

    int WindowMenuHeight(const MenuTitle& window) {
        m_session.Key(std::string("alt+") + window.letter);
        if (!WaitForPopup(true))
            return 0;
        const int height = m_session.Popups().front().height;
        CloseMenus();
        return height;
    }

    // Asks again and again, each time once the program has handled what the asking before did
    // (answers that take opening a menu, or a button drawn after a click).
    bool PollUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        bool answered = true;
        const auto settledAndDone = [&] {
            answered = m_session.WaitUntilSettled(timeout);
            return !answered || done();
        };
        return m_session.WaitUntil(settledAndDone, timeout) && answered;
    }

    // Cancels dialogs and messages by Escape until none is left; false if one stays.
    bool CancelDialogs() {
        for (int tries = 0; tries < 6 && !m_session.Dialogs().empty(); ++tries) {
            m_session.Key("Escape");
            m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience);
        }
        return m_session.Dialogs().empty();
    }

    // The names of the dialogs and messages shown, for a failure to say what was up.
    std::string DialogNames() {
        std::string names;
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs())
            names += " \"" + dialog.name + "\"";
        return names.empty() ? " none" : names;
    }

    // About is the one dialog up, and the keyboard is in it.
    bool AboutHasKeyboard() {
        const std::vector<DesktopSession::TopLevel> dialogs = m_session.Dialogs();
        return dialogs.size() == 1 && dialogs.front().name == "About..." &&
               m_session.FocusWindow() == dialogs.front().id;
    }

    // The program still answers: About opens on its keys, takes the keyboard and goes on Escape.
    void ExpectAnswers() {
        ASSERT_TRUE(m_session.ProgramRunning()) << m_session.ProgramErrors();
        m_session.Key("alt+h");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("a");
        ASSERT_TRUE(m_session.WaitUntil([&] { return AboutHasKeyboard(); }, kPatience))
            << "About did not open with the keyboard; shown:" << DialogNames();
        m_session.Key("Escape");
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience))
            << "About did not close; shown:" << DialogNames();
    }

    // Exits by File > Exit, declining to save, and expects a clean exit with nothing on stderr.
    void ExpectCleanExit() {
        m_session.Key("alt+f");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("x");
        // A layout with changes asks first; an unchanged one ends at once.
        ASSERT_TRUE(m_session.WaitUntil([&] { return !m_session.ProgramRunning() || !m_session.Dialogs().empty(); },
                                        kPatience));
        if (m_session.ProgramRunning())
            m_session.Key("n");
        EXPECT_EQ(m_session.WaitForExit(kPatience), 0);
        EXPECT_EQ(m_session.ProgramErrors(), "");
    }

    DesktopSession m_session;
    std::unique_ptr<CMenu> m_menu;
};

// A fixture's tests with openbox managing the windows.
template <class Fixture>
class UnderWindowManager : public Fixture {
  protected:
    void SetUp() override {
        if (this->m_session.Unavailable().empty() && !this->m_session.StartWindowManager())
            GTEST_SKIP() << "no window manager (Debian package openbox)";
        Fixture::SetUp();
    }
};

}  // namespace desktop
