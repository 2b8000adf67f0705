// The real program on a real X server, driven as a person drives it: menus opened and closed
// hundreds of times by mouse and by keys, every dialog of the menus opened and cancelled, layout
// and 3D windows opened and closed. It must survive all of it, still answer, print nothing on
// stderr and exit cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/win/AfxIds.h"
#include "platform/win/CMenu.h"
#include "resources/CommandIds.h"
#include "resources/ProgramMenus.h"
#include "tests/desktop/DesktopSession.h"

namespace {
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kPopupBorder = 3;
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 9;

// One title of the layout window's menu bar: its Alt letter, where a click opens it, its items.
struct MenuTitle {
    char letter = 0;
    int clickX = 0;
    int clickY = 0;
    const CMenu* popup = nullptr;
};

// The commands that open a dialog or, with an empty layout, a message, besides those whose item
// says so with "...". New and the report open windows, not dialogs.
bool OpensADialog(const CMenu::Item& item) {
    static const UINT kWithoutDots[] = {ID_FILE_SAVE,
                                        ID_ROTATE_BY_DEGREES,
                                        ID_TRACK_WIZARD,
                                        ID_SELECT_TRACK_CHAIN,
                                        ID_CONNECT_USING_SPLINE,
                                        ID_CONNECT_USING_CURVE_STRAIGHT,
                                        ID_CREATE_PARALLEL_TRACK,
                                        ID_SET_SELECTED_TRACK_ELEVATIONS,
                                        ID_CHAIN_TRACK_ELEVATIONS,
                                        ID_LIBRARY_GET_OBJECT,
                                        ID_LIBRARY_PUT_SELECTION,
                                        ID_PARTS_LIST};
    if (item.id == ID_FILE_NEW || (item.flags & MF_SEPARATOR)) return false;
    return item.text.Find("...") >= 0 || std::find(std::begin(kWithoutDots), std::end(kWithoutDots), item.id) !=
                                             std::end(kWithoutDots);
}

// Where an item of an open menu is, from the menu's own measures: rows under a 3-pixel frame.
int ItemCentreY(const CMenu& popup, int index, int popupTop) {
    int top = popupTop + kPopupBorder;
    for (int i = 0; i < index; ++i) top += (popup.ItemAt(i)->flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
    return top + kItemHeight / 2;
}

int IndexOf(const CMenu& popup, UINT id) {
    for (int i = 0; i < popup.GetMenuItemCount(); ++i)
        if (popup.ItemAt(i)->id == id) return i;
    return -1;
}

char Mnemonic(const CString& text) {
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
        m_session.StartProgram();
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainShown(); }, seconds(60)))
            << "no main window; stderr: " << m_session.ProgramErrors();
        // The splash goes by itself; the program takes keys once it has gone.
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Popups().empty(); }, seconds(30)));
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

    bool WaitForPopup(bool open) {
        return m_session.WaitUntil([&] { return PopupOpen() == open; }, seconds(5));
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
            m_session.WaitUntil([&] { return !PopupOpen(); }, seconds(2));
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
    }

    int WindowMenuHeight(const MenuTitle& window) {
        m_session.Key(std::string("alt+") + window.letter);
        if (!WaitForPopup(true)) return 0;
        const int height = m_session.Popups().front().height;
        CloseMenus();
        return height;
    }

    // Asks again and again, for answers that take opening a menu.
    bool PollUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        return m_session.WaitUntil(
            [&] {
                m_session.Pause(milliseconds(100));
                return done();
            },
            timeout);
    }

    // Cancels dialogs and messages by Escape until none is left; false if one stays.
    bool CancelDialogs() {
        for (int tries = 0; tries < 6 && !m_session.Dialogs().empty(); ++tries) {
            m_session.Key("Escape");
            m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, seconds(3));
        }
        return m_session.Dialogs().empty();
    }

    // The program still answers: About opens on its keys and goes on Escape.
    void ExpectAnswers() {
        ASSERT_TRUE(m_session.ProgramRunning()) << m_session.ProgramErrors();
        m_session.Key("alt+h");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("a");
        ASSERT_TRUE(m_session.WaitUntil([&] { return !m_session.Dialogs().empty(); }, seconds(10)))
            << "About did not open";
        m_session.Key("Escape");
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, seconds(10)))
            << "About did not close";
    }

    // Exits by File > Exit, declining to save, and expects a clean exit with nothing on stderr.
    void ExpectCleanExit() {
        m_session.Key("alt+f");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("x");
        const int code = m_session.WaitForExit(seconds(3));
        if (code < 0) {
            ASSERT_TRUE(m_session.WaitUntil([&] { return !m_session.Dialogs().empty(); }, seconds(10)));
            m_session.Key("n");
        }
        EXPECT_EQ(code < 0 ? m_session.WaitForExit(seconds(20)) : code, 0);
        EXPECT_EQ(m_session.ProgramErrors(), "");
    }

    DesktopSession m_session;
    std::unique_ptr<CMenu> m_menu;
};

TEST_F(ProgramOnDesktop, MenusOpenAndCloseHundredsOfTimesByMouseAndKeys) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ASSERT_EQ(titles.size(), 10u);
    // At a person's pace every opening shows its menu.
    for (int round = 0; round < 5; ++round)
        for (const MenuTitle& title : titles) {
            m_session.Click(title.clickX, title.clickY);
            ASSERT_TRUE(WaitForPopup(true)) << "a click on the title of Alt+" << title.letter << " opened no menu";
            m_session.Pause(milliseconds(60));
            CloseMenus();
            m_session.Key(std::string("alt+") + title.letter);
            ASSERT_TRUE(WaitForPopup(true)) << "Alt+" << title.letter << " opened no menu";
            m_session.Pause(milliseconds(60));
            CloseMenus();
        }
    // At machine speed, one menu after the other by mouse, then by keys.
    for (int round = 0; round < 25; ++round) {
        for (const MenuTitle& title : titles) m_session.Click(title.clickX, title.clickY);
        m_session.Key("Escape");
        m_session.Key("Escape");
        for (const MenuTitle& title : titles) {
            m_session.Key(std::string("alt+") + title.letter);
            m_session.Key("Escape");
            m_session.Key("Escape");
        }
    }
    ASSERT_TRUE(WaitForPopup(false));
    ExpectAnswers();
    ExpectCleanExit();
}

TEST_F(ProgramOnDesktop, EveryDialogOfTheMenusOpensAndIsCancelled) {
    const std::vector<MenuTitle> titles = LearnTitles();
    std::vector<std::string> opened;
    for (const MenuTitle& title : titles)
        for (int index = 0; index < title.popup->GetMenuItemCount(); ++index) {
            const CMenu::Item& item = *title.popup->ItemAt(index);
            if (!OpensADialog(item)) continue;
            SCOPED_TRACE(std::string(item.text));
            ChooseItem(title, index);
            if (HasFatalFailure()) return;
            if (m_session.WaitUntil([&] { return !m_session.Dialogs().empty(); }, milliseconds(1500)))
                opened.push_back(std::string(item.text) + " -> " + m_session.Dialogs().front().name);
            ASSERT_TRUE(CancelDialogs()) << item.text << " left a dialog open";
            if (PopupOpen()) CloseMenus();
            ASSERT_TRUE(m_session.ProgramRunning()) << item.text << ": " << m_session.ProgramErrors();
        }
    std::string list;
    for (const std::string& each : opened) list += each + "\n";
    // Greyed items and commands that want a selection show nothing or a message; these show their dialog.
    for (const char* dialog : {"Open", "Save As", "Document setup", "Preferences", "Print", "Track wizard",
                               "Layer properties", "About...", "Credits"})
        EXPECT_NE(list.find(std::string("-> ") + dialog + "\n"), std::string::npos) << dialog << " not in\n" << list;
    ExpectAnswers();
    ExpectCleanExit();
}

TEST_F(ProgramOnDesktop, LayoutAnd3DWindowsOpenAndCloseFiftyTimesEach) {
    const std::vector<MenuTitle> titles = LearnTitles();
    const MenuTitle& view = titles[2];
    const int show3D = IndexOf(*view.popup, ID_SHOW_3D_VIEW);
    ASSERT_GE(show3D, 0);
    const std::string alone = MainTitle();
    for (int round = 0; round < 50; ++round) {
        m_session.Key("ctrl+n");
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainTitle() != alone; }, seconds(10))) << "round " << round;
        m_session.Key("ctrl+F4");
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainTitle() == alone; }, seconds(10))) << "round " << round;
    }
    // The Window menu lists the open windows, one row each.
    const int oneWindow = WindowMenuHeight(titles[8]);
    for (int round = 0; round < 50; ++round) {
        ChooseItem(view, show3D);
        ASSERT_TRUE(PollUntil([&] { return WindowMenuHeight(titles[8]) == oneWindow + kItemHeight; }, seconds(20)))
            << "no 3D window in round " << round << "; " << m_session.ProgramErrors();
        m_session.Key("ctrl+F4");
        ASSERT_TRUE(PollUntil([&] { return WindowMenuHeight(titles[8]) == oneWindow; }, seconds(10)))
            << "round " << round;
    }
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
