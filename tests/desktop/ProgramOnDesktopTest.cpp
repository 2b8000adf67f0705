// The real program on a real X server, driven as a person drives it: menus opened and closed
// hundreds of times by mouse and by keys, every dialog of the menus opened and cancelled, layout
// and 3D windows opened and closed. It must survive all of it, still answer, print nothing on
// stderr and exit cleanly.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

// The commands that open a dialog or, with an empty layout, a message, besides those whose item
// says so with "...". New and the report open windows, not dialogs.
// The items whose dialog the test expects are waited for patiently; an item that may show nothing
// (greyed, or wanting a selection) has shown what it shows once the program handled its click.
std::chrono::milliseconds DialogWait(const CMenu::Item& item) {
    static const UINT kShowingADialog[] = {ID_FILE_OPEN,   ID_FILE_SAVE_AS, ID_DOCUMENT_SETUP,
                                           ID_PREFERENCES, ID_FILE_PRINT,   ID_TRACK_WIZARD,
                                           ID_LAYERS,      ID_APP_ABOUT,    ID_APP_CREDITS};
    return std::find(std::begin(kShowingADialog), std::end(kShowingADialog), item.id) != std::end(kShowingADialog)
               ? std::chrono::milliseconds(kPatience)
               : std::chrono::milliseconds(0);
}

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

TEST_F(ProgramOnDesktop, MenusOpenAndCloseHundredsOfTimesByMouseAndKeys) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ASSERT_EQ(titles.size(), 10u);
    // At a person's pace every opening shows its menu.
    for (int round = 0; round < 5; ++round)
        for (const MenuTitle& title : titles) {
            m_session.Click(title.clickX, title.clickY);
            ASSERT_TRUE(WaitForPopup(true)) << "a click on the title of Alt+" << title.letter << " opened no menu";
            m_session.WaitUntilSettled(kPatience);
            CloseMenus();
            m_session.Key(std::string("alt+") + title.letter);
            ASSERT_TRUE(WaitForPopup(true)) << "Alt+" << title.letter << " opened no menu";
            m_session.WaitUntilSettled(kPatience);
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

// What the suite paces its steps by: input counts as handled only once the program has handled it.
// A stopped program has handled nothing however long it is waited for; going on, it catches up.
TEST_F(ProgramOnDesktop, InputCountsAsHandledOnlyOnceTheProgramHasHandledIt) {
    m_session.SignalProgram(SIGSTOP);
    m_session.Key("alt+h");
    EXPECT_FALSE(m_session.WaitUntilSettled(milliseconds(500)));
    EXPECT_FALSE(PopupOpen());
    m_session.SignalProgram(SIGCONT);
    ASSERT_TRUE(m_session.WaitUntilSettled(kPatience));
    EXPECT_TRUE(PopupOpen()) << "Alt+H counted as handled before the Help menu was open";
    CloseMenus();
    ExpectCleanExit();
}

// The program runs as the one process it was started as, under its own name, and hands the
// programs it starts the environment it was given: no C library tunables of its own.
TEST_F(ProgramOnDesktop, ItRunsAsOneProcessUnderItsOwnNameWithTheEnvironmentItWasGiven) {
    const std::filesystem::path process = m_session.ProgramProcess();
    std::ifstream comm(process / "comm");
    std::string name;
    std::getline(comm, name);
    EXPECT_EQ(name, "corvane");
    std::ifstream children(process / "task" / process.filename() / "children");
    for (std::string child; children >> child;) {
        std::ifstream childComm(std::filesystem::path("/proc") / child / "comm");
        std::string childName;
        std::getline(childComm, childName);
        EXPECT_NE(childName, "corvane") << "the program started itself again as process " << child;
    }
    std::ifstream environment(process / "environ", std::ios::binary);
    std::string tunables;
    for (std::string variable; std::getline(environment, variable, '\0');)
        if (variable.starts_with("GLIBC_TUNABLES="))
            tunables = variable.substr(variable.find('=') + 1);
    const char* given = std::getenv("GLIBC_TUNABLES");
    EXPECT_EQ(tunables, given ? given : "");
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
            m_session.WaitUntilSettled(kPatience);
            if (m_session.WaitUntil([&] { return !m_session.Dialogs().empty(); }, DialogWait(item)))
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
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainTitle() != alone; }, kPatience)) << "round " << round;
        m_session.Key("ctrl+F4");
        ASSERT_TRUE(m_session.WaitUntil([&] { return MainTitle() == alone; }, kPatience)) << "round " << round;
    }
    // The Window menu lists the open windows, one row each.
    const int oneWindow = WindowMenuHeight(titles[8]);
    for (int round = 0; round < 50; ++round) {
        ChooseItem(view, show3D);
        ASSERT_TRUE(PollUntil([&] { return WindowMenuHeight(titles[8]) == oneWindow + kItemHeight; }, kPatience))
            << "no 3D window in round " << round << "; " << m_session.ProgramErrors();
        m_session.Key("ctrl+F4");
        ASSERT_TRUE(PollUntil([&] { return WindowMenuHeight(titles[8]) == oneWindow; }, kPatience))
            << "round " << round;
    }
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace
